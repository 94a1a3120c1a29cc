// libFuzzer's entry: every input goes to the reader this target was built
// for (LANDORA_FUZZ_ENTRY). An exception that is not ours escapes and
// libFuzzer reports it as a crash.
#include <cstddef>
#include <cstdint>

#include "LoaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    landora::fuzz::LANDORA_FUZZ_ENTRY(data, size);
    return 0;
}
