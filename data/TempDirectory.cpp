// The run's temporary directory and the names written into it.
#include "data/TempDirectory.h"

std::string TempDir;

std::string SafeFileName(const std::string& name)
{
    size_t cut = name.find_last_of("\\/");
    std::string base = cut == std::string::npos ? name : name.substr(cut + 1);
    if (base == "." || base == "..")
        return std::string();
    return base;
}
