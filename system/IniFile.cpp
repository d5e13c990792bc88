// Reading and editing ini files line by line.
#include "system/IniFile.h"

#include "platform/TextEncoding.h"

namespace {

constexpr const char* kMark = "\xEF\xBB\xBF";

std::string Trimmed(std::string_view text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string FirstLine(const std::string& text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

} // namespace

bool IniLine_Section(const std::string& line, std::string& name)
{
    std::string text = Trimmed(line);
    if (text.empty() || text[0] != '[')
        return false;
    size_t close = text.find(']');
    name = Trimmed(std::string_view(text).substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

bool IniLine_Key(const std::string& line, std::string& key, std::string& value)
{
    std::string text = Trimmed(line);
    if (text.empty() || text[0] == ';' || text[0] == '[')
        return false;
    size_t equals = text.find('=');
    if (equals == std::string::npos)
        return false;
    key = Trimmed(std::string_view(text).substr(0, equals));
    value = Trimmed(std::string_view(text).substr(equals + 1));
    return true;
}

void CIniFile::Parse(std::string_view text)
{
    i_lines.clear();
    i_mark.clear();
    if (text.substr(0, 3) == kMark) {
        i_mark = kMark;
        text.remove_prefix(3);
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            i_lines.emplace_back(text.substr(start));
            break;
        }
        i_lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
}

std::string CIniFile::Serialize() const
{
    std::string text = i_mark;
    for (const std::string& line : i_lines)
        text += line + "\r\n";
    return text;
}

size_t CIniFile::FindSection(const std::string& section, size_t from) const
{
    std::string wanted = Trimmed(section), name;
    for (size_t k = from; k < i_lines.size(); ++k)
        if (IniLine_Section(i_lines[k], name) && EqualsIgnoringCaseCp1252(name, wanted))
            return k;
    return kNone;
}

size_t CIniFile::SectionEnd(size_t header) const
{
    std::string name;
    size_t k = header + 1;
    while (k < i_lines.size() && !IniLine_Section(i_lines[k], name))
        ++k;
    return k;
}

size_t CIniFile::FindKey(size_t header, const std::string& key) const
{
    std::string wanted = Trimmed(key), name, value;
    size_t end = SectionEnd(header);
    for (size_t k = header + 1; k < end; ++k)
        if (IniLine_Key(i_lines[k], name, value) && EqualsIgnoringCaseCp1252(name, wanted))
            return k;
    return kNone;
}

bool CIniFile::Read(const std::string& section, const std::string& key, std::string& value) const
{
    size_t header = FindSection(section);
    size_t line = header == kNone ? kNone : FindKey(header, key);
    std::string name;
    if (line == kNone || !IniLine_Key(i_lines[line], name, value))
        return false;
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return true;
}

bool CIniFile::HasSection(const std::string& section) const
{
    return FindSection(section) != kNone;
}

void CIniFile::Write(const std::string& section, const std::string& key, const std::string& value)
{
    std::string sectionName = FirstLine(section), keyName = FirstLine(key), text = FirstLine(value);
    size_t header = FindSection(sectionName);
    if (header == kNone) {
        if (!i_lines.empty() && !Trimmed(i_lines.back()).empty())
            i_lines.emplace_back();
        i_lines.push_back("[" + sectionName + "]");
        i_lines.push_back(keyName + "=" + text);
        return;
    }
    size_t line = FindKey(header, keyName);
    if (line != kNone) {
        std::string stored, old;
        IniLine_Key(i_lines[line], stored, old);
        i_lines[line] = stored + "=" + text;
        return;
    }
    // After the section's last line that is not blank, so blank lines before
    // the next section stay where they are.
    size_t insert = SectionEnd(header);
    while (insert > header + 1 && Trimmed(i_lines[insert - 1]).empty())
        --insert;
    i_lines.insert(i_lines.begin() + static_cast<std::ptrdiff_t>(insert), keyName + "=" + text);
}

void CIniFile::DeleteKey(const std::string& section, const std::string& key)
{
    size_t header = FindSection(section);
    size_t line = header == kNone ? kNone : FindKey(header, key);
    if (line != kNone)
        i_lines.erase(i_lines.begin() + static_cast<std::ptrdiff_t>(line));
}

void CIniFile::DeleteSection(const std::string& section)
{
    for (size_t header = FindSection(section); header != kNone; header = FindSection(section, header)) {
        size_t end = SectionEnd(header);
        i_lines.erase(i_lines.begin() + static_cast<std::ptrdiff_t>(header),
                      i_lines.begin() + static_cast<std::ptrdiff_t>(end));
    }
}
