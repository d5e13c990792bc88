// Listing, matching and sorting for file_find_*.
#include "system/FileSearch.h"

#include "system/FileRoutines.h"

#include "platform/FileSystem.h"
#include "platform/Files.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <filesystem>

namespace {

bool MatchFrom(std::string_view name, std::string_view mask)
{
    // Iterative with one backtrack point: a mask full of stars stays linear.
    size_t n = 0, m = 0, starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() &&
                   (mask[m] == '?' || Cp1252FoldCase(static_cast<unsigned char>(mask[m])) ==
                                          Cp1252FoldCase(static_cast<unsigned char>(name[n])))) {
            ++m;
            ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}

// A folder with no parent to list: the file system's root or a drive's root.
bool IsRoot(const std::string& hostFolder)
{
    std::error_code error;
    std::filesystem::path folder = std::filesystem::weakly_canonical(hostFolder.empty() ? "." : hostFolder, error);
    if (error || folder == folder.root_path())
        return true;
    std::filesystem::path data = std::filesystem::weakly_canonical(Platform_DataDirectory(), error);
    return folder.parent_path() == data && folder.filename().string().rfind("drive_", 0) == 0;
}

std::vector<std::string> Found;
size_t FoundNext = 0;
bool Searching = false;

bool F_FileFindFirst(CExecutionContext&, RValue& result, int, RValue* args)
{
    Found = FindFiles(args[0].str.Text(), RoundToInt32(args[1].val));
    FoundNext = 0;
    Searching = true;
    result.SetString(RString(Found.empty() ? std::string() : Found[FoundNext++]));
    return true;
}

bool F_FileFindNext(CExecutionContext&, RValue& result, int, RValue*)
{
    result.SetString(RString(Searching && FoundNext < Found.size() ? Found[FoundNext++] : std::string()));
    return true;
}

bool F_FileFindClose(CExecutionContext&, RValue&, int, RValue*)
{
    File_CloseSearch();
    return true;
}

} // namespace

bool MatchesMask(std::string_view name, std::string_view mask)
{
    if (mask == "*.*")
        return true;
    if (mask.size() > 1 && mask.back() == '.' && mask[mask.size() - 2] != '.' &&
        name.find('.') == std::string_view::npos)
        return MatchFrom(name, mask.substr(0, mask.size() - 1));
    return MatchFrom(name, mask);
}

std::vector<std::string> FindFiles(const std::string& mask, int32_t attributes)
{
    std::vector<std::string> names;
    size_t cut = mask.find_last_of("\\/");
    if (cut == std::string::npos && mask.size() >= 2 && mask[1] == ':')
        cut = 1;
    std::string folder = cut == std::string::npos ? std::string() : mask.substr(0, cut + 1);
    std::string pattern = cut == std::string::npos ? mask : mask.substr(cut + 1);
    if (pattern.empty())
        return names;
    std::string host = folder.empty() ? std::string(".") : ToHostPath(folder);
    std::vector<RDirectoryEntry> entries;
    if (host.empty() || !Platform_ListDirectory(host, entries))
        return names;

    const int32_t special = kAttributeHidden | kAttributeSystem | kAttributeVolume | kAttributeDirectory;
    if ((attributes & kAttributeDirectory) && !IsRoot(host)) {
        entries.push_back({".", kAttributeDirectory});
        entries.push_back({"..", kAttributeDirectory});
    }
    for (const RDirectoryEntry& entry : entries) {
        if (entry.attributes & special & ~attributes)
            continue;
        std::string name = HostTextToGame(entry.name);
        if (MatchesMask(name, pattern))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return LessIgnoringCaseCp1252(a, b); });
    return names;
}

void File_CloseSearch()
{
    Found.clear();
    FoundNext = 0;
    Searching = false;
}

void File_ImplementFileSearch()
{
    Function_Implement("file_find_first", &F_FileFindFirst);
    Function_Implement("file_find_next", &F_FileFindNext);
    Function_Implement("file_find_close", &F_FileFindClose);
}
