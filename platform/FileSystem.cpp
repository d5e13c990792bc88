// Folders, attributes, renames, copies and disk space over POSIX calls.
#include "platform/FileSystem.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

std::atomic<uint32_t> TemporaryCounter{0};

int32_t AttributesOf(const std::string& hostPath, const struct stat& info)
{
    int32_t attributes = 0;
    if (S_ISDIR(info.st_mode))
        attributes |= kAttributeDirectory;
    else
        attributes |= kAttributeArchive;
    if (::access(hostPath.c_str(), W_OK) != 0)
        attributes |= kAttributeReadOnly;
    size_t slash = hostPath.find_last_of('/');
    std::string name = slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attributes |= kAttributeHidden;
    return attributes;
}

// A fresh name beside hostPath for writing before a rename.
std::string TemporaryBeside(const std::string& hostPath)
{
    return hostPath + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(TemporaryCounter++);
}

// Closes a file written beside its destination and, when all went well,
// renames it over the destination; otherwise the destination stays as it
// was and the temporary file goes.
bool PutInPlace(int output, const std::string& temporary, const std::string& destination, bool ok)
{
    ok = ::close(output) == 0 && ok;
    if (ok)
        ok = std::rename(temporary.c_str(), destination.c_str()) == 0;
    if (!ok)
        ::unlink(temporary.c_str());
    return ok;
}

bool WriteAll(int descriptor, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t put = ::write(descriptor, data, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data += put;
        size -= static_cast<size_t>(put);
    }
    return true;
}

// Where a write to hostPath really lands: the target of a symbolic link, so
// replacing the file keeps the link.
std::string ResolvedTarget(const std::string& hostPath)
{
    char resolved[PATH_MAX];
    if (::realpath(hostPath.c_str(), resolved))
        return resolved;
    return hostPath;
}

} // namespace

bool Platform_ReadAttributes(const std::string& hostPath, int32_t& attributes)
{
    struct stat info;
    if (hostPath.empty() || (::stat(hostPath.c_str(), &info) != 0 && ::lstat(hostPath.c_str(), &info) != 0))
        return false;
    attributes = AttributesOf(hostPath, info);
    return true;
}

bool Platform_ListDirectory(const std::string& hostPath, std::vector<RDirectoryEntry>& entries)
{
    entries.clear();
    DIR* folder = ::opendir(hostPath.empty() ? "." : hostPath.c_str());
    if (!folder)
        return false;
    std::string prefix = hostPath.empty() ? std::string() : hostPath.back() == '/' ? hostPath : hostPath + "/";
    while (struct dirent* entry = ::readdir(folder)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        int32_t attributes = 0;
        if (!Platform_ReadAttributes(prefix + name, attributes))
            continue; // removed while listing
        entries.push_back({name, attributes});
    }
    ::closedir(folder);
    return true;
}

bool Platform_PathExists(const std::string& hostPath)
{
    struct stat info;
    return !hostPath.empty() && ::lstat(hostPath.c_str(), &info) == 0;
}

bool Platform_RenameWithoutReplacing(const std::string& from, const std::string& to)
{
    if (from.empty() || to.empty())
        return false;
#ifndef __EMSCRIPTEN__
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
#endif
    // File systems without the flag (and a page's, which has one writer):
    // check, then rename. Only a writer racing between the two calls could
    // still be replaced.
    if (Platform_PathExists(to))
        return false;
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool Platform_CopyFile(const std::string& from, const std::string& to)
{
    struct stat source, target;
    if (from.empty() || to.empty() || ::stat(from.c_str(), &source) != 0 || S_ISDIR(source.st_mode))
        return false;
    if (::stat(to.c_str(), &target) == 0 &&
        ((source.st_dev == target.st_dev && source.st_ino == target.st_ino) || S_ISDIR(target.st_mode)))
        return false;
    int input = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (input < 0)
        return false;
    // The copy is written beside the target and renamed over it, so a copy
    // that fails half-way leaves the old target as it was.
    std::string destination = ResolvedTarget(to);
    std::string temporary = TemporaryBeside(destination);
    int output = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, source.st_mode & 0777);
    if (output < 0) {
        ::close(input);
        return false;
    }
    bool ok = true;
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(input, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            ok = false;
        if (got <= 0)
            break;
        if (!WriteAll(output, buffer, static_cast<size_t>(got))) {
            ok = false;
            break;
        }
    }
    ::close(input);
    return PutInPlace(output, temporary, destination, ok);
}

bool Platform_ReplaceFile(const std::string& hostPath, const std::string& contents)
{
    return Platform_ReplaceFile(hostPath, contents.data(), contents.size());
}

bool Platform_ReplaceFile(const std::string& hostPath, const void* data, size_t size)
{
    if (hostPath.empty())
        return false;
    std::string destination = ResolvedTarget(hostPath);
    struct stat old;
    bool existed = ::stat(destination.c_str(), &old) == 0;
    std::string temporary = TemporaryBeside(destination);
    // A new file gets the usual mode through the umask; an old one keeps its own.
    int output = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (output < 0)
        return false;
    bool ok = WriteAll(output, static_cast<const char*>(data), size);
    if (ok && existed && ::fchmod(output, old.st_mode & 07777) != 0)
        ok = false;
    // Not in a page: there fsync copies the whole kept storage to the
    // browser's database and resumes the game from the database's callback,
    // after which the page never hears that the game ended. The page keeps
    // the storage itself (every two seconds, when hidden, at the end).
#ifndef __EMSCRIPTEN__
    ok = ok && ::fsync(output) == 0;
#endif
    return PutInPlace(output, temporary, destination, ok);
}

RFileStamp Platform_FileStamp(const std::string& hostPath)
{
    RFileStamp stamp;
    struct stat info;
    if (hostPath.empty() || ::stat(hostPath.c_str(), &info) != 0)
        return stamp;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modified = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return stamp;
}

bool Platform_DiskSpace(const std::string& hostPath, int64_t& freeBytes, int64_t& totalBytes)
{
    struct statvfs info;
    if (::statvfs(hostPath.empty() ? "." : hostPath.c_str(), &info) != 0)
        return false;
    freeBytes = static_cast<int64_t>(info.f_bavail) * static_cast<int64_t>(info.f_frsize);
    totalBytes = static_cast<int64_t>(info.f_blocks) * static_cast<int64_t>(info.f_frsize);
    return true;
}
