// Feeds arbitrary text to the reader of the registry's root files. Reading
// never fails; what it kept must write out and read back unchanged.
#include "platform/RegistryStore.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CRegistryStore::RRoot root = Registry_Parse(std::string(reinterpret_cast<const char*>(data), size));
    std::string text = Registry_Serialize(root);
    CRegistryStore::RRoot again = Registry_Parse(text);
    if (again.damaged || Registry_Serialize(again) != text)
        std::abort();
    for (const auto& key : root.keys)
        if (Registry_CanonicalKey(key.path) != key.path)
            std::abort();
    return 0;
}
