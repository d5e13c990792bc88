// Folders, file attributes, renaming, copying and disk space: what the
// game's file and directory functions need beyond open files. Paths here are
// host paths, already through ToHostPath.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The attributes games ask about, in the original platform's bit values.
enum : int32_t {
    kAttributeReadOnly = 1,
    kAttributeHidden = 2,
    kAttributeSystem = 4,
    kAttributeVolume = 8,
    kAttributeDirectory = 16,
    kAttributeArchive = 32,
};

struct RDirectoryEntry {
    std::string name;       // as the file system spells it (UTF-8)
    int32_t attributes = 0;
};

// Read-only when the user may not write it, hidden when the name starts with
// a dot, archive for every file that is not a folder. False when missing.
bool Platform_ReadAttributes(const std::string& hostPath, int32_t& attributes);
// Every entry of the folder except "." and "..", in no particular order.
bool Platform_ListDirectory(const std::string& hostPath, std::vector<RDirectoryEntry>& entries);
bool Platform_PathExists(const std::string& hostPath);

// Renames a file or folder; false, and nothing changes, when the target exists.
bool Platform_RenameWithoutReplacing(const std::string& from, const std::string& to);
// Copies a file over any existing target. False for a folder, or when
// source and target are the same file.
bool Platform_CopyFile(const std::string& from, const std::string& to);
// Replaces the file's contents as one step: a reader sees the old file or the
// new one, never a half-written one. Keeps the old file's permissions.
bool Platform_ReplaceFile(const std::string& hostPath, const std::string& contents);
bool Platform_ReplaceFile(const std::string& hostPath, const void* data, size_t size);

// Identifies one version of a file: any rewrite or replacement changes it.
struct RFileStamp {
    uint64_t device = 0, inode = 0;
    int64_t size = -1, modified = 0; // modified: nanoseconds
    bool operator==(const RFileStamp&) const = default;
};
// The stamp of a missing file has size -1.
RFileStamp Platform_FileStamp(const std::string& hostPath);

// Bytes free to this user and total bytes of the file system holding hostPath.
bool Platform_DiskSpace(const std::string& hostPath, int64_t& freeBytes, int64_t& totalBytes);
