// libFuzzer's entry: every input is handed to both data-file loaders. An
// exception that is not ours escapes and libFuzzer reports it as a crash.
#include <cstddef>
#include <cstdint>

#include "LoaderFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    landora::fuzz::LoadAll(data, size);
    return 0;
}
