// Feeds arbitrary text to the ini file reader, then writes a key named by
// the text's first line. Whatever the file held, the key then reads back as
// written, and writing the file out and reading it again changes nothing.
#include "system/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    CIniFile ini;
    ini.Parse(text);
    std::string serialized = ini.Serialize();
    CIniFile again;
    again.Parse(serialized);
    if (again.Serialize() != serialized)
        std::abort();

    // Names come from the text so that they meet its sections and keys.
    std::string first = text.substr(0, std::min<size_t>(text.find('\n'), 40));
    std::string section = first.substr(0, first.size() / 2), key = first.substr(first.size() / 2);
    auto clean = [](const std::string& name) {
        std::string out;
        for (char c : name)
            if (c != '\r' && c != '\n' && c != '=' && c != '[' && c != ']' && c != ';')
                out += c;
        size_t begin = out.find_first_not_of(" \t"), end = out.find_last_not_of(" \t");
        return begin == std::string::npos ? std::string("k") : out.substr(begin, end - begin + 1);
    };
    section = clean(section);
    key = clean(key);
    ini.Write(section, key, "value");
    std::string value;
    if (!ini.Read(section, key, value) || value != "value")
        std::abort();
    ini.DeleteKey(section, key);
    ini.DeleteSection(section);
    if (ini.HasSection(section))
        std::abort();
    return 0;
}
