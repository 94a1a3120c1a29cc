#pragma once
// The one entry through which fuzzing and the corpus replay feed bytes to the
// data-file loaders.
#include <cstddef>
#include <cstdint>

namespace landora::fuzz {

// Loads the bytes as an exercise catalogue and as a text table, and walks
// what loaded. A malformed file may only end in a landora::Exception, which is
// caught here; anything else (another exception, a crash, a sanitizer report)
// leaves this function and is a fault.
void LoadAll(const std::uint8_t *data, std::size_t size);

} // namespace landora::fuzz
