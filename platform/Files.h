// The file system as the runner sees it. Game code speaks in the original
// platform's paths ("dir\file.txt", any case); ToHostPath turns such a path
// into one this system can open, and every file call goes through it first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Backslashes become slashes, repeated separators collapse, "." and ".."
// resolve on the text, a drive letter maps into the runner's own data folder
// ("C:\x" to drive_c/x, never above it), game text becomes UTF-8, and a
// component that does not exist with its exact case is matched
// case-insensitively. A network path ("\\server\share") gives "", which no
// file call accepts.
std::string ToHostPath(const std::string& gamePath);

bool Platform_ReadWholeFile(const std::string& hostPath, std::vector<uint8_t>& bytes);
// The file from byte offset `from` to its end (nothing when it is shorter).
bool Platform_ReadFileFrom(const std::string& hostPath, uint64_t from, std::vector<uint8_t>& bytes);
// The same for a file of at most limit bytes; a longer one is not read
// (false, with tooLarge set).
bool Platform_ReadWholeFileLimited(const std::string& hostPath, std::vector<uint8_t>& bytes, size_t limit,
                                   bool& tooLarge);
bool Platform_WriteWholeFile(const std::string& hostPath, const void* data, size_t size);
// The same, with every whole block of zeros left as a hole where the file
// system keeps holes: the file reads the same but those blocks take no disk.
bool Platform_WriteSparseFile(const std::string& hostPath, const void* data, size_t size);
bool Platform_FileExists(const std::string& hostPath);
bool Platform_DirectoryExists(const std::string& hostPath);
bool Platform_CreateDirectories(const std::string& hostPath);
bool Platform_DeleteFile(const std::string& hostPath);
// Deletes every file and folder below hostPath, depth first, then hostPath itself.
bool Platform_RemoveTree(const std::string& hostPath);

// The running program's own file and the folder it lies in (no trailing separator).
std::string Platform_ExecutablePath();
std::string Platform_ProgramDirectory();
std::string Platform_WorkingDirectory();
// Environment lookups: exact name first, then ignoring case, as games written
// for a case-insensitive environment expect.
bool Platform_GetEnvironment(const std::string& name, std::string& value);
// The runner's own data folder ($XDG_DATA_HOME/brindle or ~/.local/share/brindle).
std::string Platform_DataDirectory();
