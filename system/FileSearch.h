// The file search behind file_find_first and file_find_next: the names in one
// folder that match a mask, taken whole at the start and handed out sorted
// ignoring case, so a game sees the same order on every system.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The mask's wildcards: "*" any run of characters, "?" any one, letters
// matched ignoring case; "*.*" matches every name, dot or not, and a mask
// ending in "." matches names without an extension.
bool MatchesMask(std::string_view name, std::string_view mask);

// The names in the mask's folder that match it, sorted. Entries that are
// folders, hidden or system files come only when attributes asks for them;
// "." and ".." count as folders and appear below a root.
std::vector<std::string> FindFiles(const std::string& mask, int32_t attributes);
