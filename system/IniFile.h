// An ini file held as its lines, so that writing one key leaves every other
// line (comments, blank lines, lines this parser does not understand) as it
// was. Section and key names match ignoring case and surrounding blanks;
// values are read trimmed, without a pair of enclosing quotes. Lines may end
// in CR LF, LF or CR; the file is written back with CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class CIniFile {
public:
    void Parse(std::string_view text);
    std::string Serialize() const;

    // The first section of the name counts; a key's first line wins.
    bool Read(const std::string& section, const std::string& key, std::string& value) const;
    bool HasSection(const std::string& section) const;
    // Creates the section at the end when missing, the key at the end of the
    // section. A line break in a name or value ends it there: the rest could
    // only turn into stray lines of the file.
    void Write(const std::string& section, const std::string& key, const std::string& value);
    void DeleteKey(const std::string& section, const std::string& key);
    // Every section of the name goes, with all its lines.
    void DeleteSection(const std::string& section);

private:
    static constexpr size_t kNone = static_cast<size_t>(-1);
    size_t FindSection(const std::string& section, size_t from = 0) const;
    size_t SectionEnd(size_t header) const;
    size_t FindKey(size_t header, const std::string& key) const;

    std::vector<std::string> i_lines;
    std::string i_mark; // a UTF-8 byte order mark the file began with
};

// The section name of a "[name]" line, the key and value of a "key=value"
// line; false for other lines.
bool IniLine_Section(const std::string& line, std::string& name);
bool IniLine_Key(const std::string& line, std::string& key, std::string& value);
