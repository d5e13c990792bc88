// Feeds arbitrary bytes to the reader of model files. Whatever it accepts
// must write back to a text it reads again to the same entries: a fixed
// point after one round, since writing keeps 4 decimals.
#include "graphics/ModelFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<REntry> entries;
    if (!ModelFile_Parse(std::string_view(reinterpret_cast<const char*>(data), size), entries))
        return 0;
    const std::string once = ModelFile_Write(entries, static_cast<int32_t>(entries.size()));
    std::vector<REntry> again;
    if (!ModelFile_Parse(once, again) || again.size() != entries.size())
        std::abort();
    if (ModelFile_Write(again, static_cast<int32_t>(again.size())) != once)
        std::abort();
    return 0;
}
