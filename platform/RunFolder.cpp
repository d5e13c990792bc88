// The run folder: exclusive creation, its lifetime lock, removal in normal
// and in signal-handler context, and the removal of abandoned folders.
#include "platform/RunFolder.h"

#include <atomic>
#include <cstddef>
#include <cerrno>
#include <cstdlib>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

// The lock file appears under its final name only once it is locked, so a
// run looking for abandoned folders never finds a live folder's lock free.
constexpr const char* kLockName = ".brindle-run.lock";
constexpr const char* kNewLockName = ".brindle-run.new";

// The folder as the signal handlers see it: a fixed buffer, set before the
// flag that says it is valid.
char FolderPath[4096];
volatile std::sig_atomic_t HasFolder = 0;
int LockDescriptor = -1;

struct RLinuxDirent64 {
    uint64_t d_ino;
    int64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[1];
};

bool IsDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

#ifdef __EMSCRIPTEN__
// A browser page has neither signals nor this system call: its entries are
// read the ordinary way, in the same record form. The caller reads from the
// start again after each pass: one call gives the entries that fit, and the
// next call, with the position moved off the start, none.
long ReadEntries(int folder, char* buffer, size_t size)
{
    if (lseek(folder, 0, SEEK_CUR) != 0)
        return 0;
    DIR* listing = fdopendir(dup(folder));
    if (!listing)
        return -1;
    long used = 0;
    while (dirent* entry = readdir(listing)) {
        const size_t length = std::strlen(entry->d_name);
        const size_t record = (offsetof(RLinuxDirent64, d_name) + length + 1 + 7) / 8 * 8;
        if (static_cast<size_t>(used) + record > size)
            break;
        RLinuxDirent64* out = reinterpret_cast<RLinuxDirent64*>(buffer + used);
        out->d_ino = entry->d_ino;
        out->d_off = 0;
        out->d_reclen = static_cast<unsigned short>(record);
        out->d_type = entry->d_type;
        std::memcpy(out->d_name, entry->d_name, length + 1);
        used += static_cast<long>(record);
    }
    closedir(listing);
    lseek(folder, 1, SEEK_SET);
    return used;
}
#else
long ReadEntries(int folder, char* buffer, size_t size)
{
    return syscall(SYS_getdents64, folder, buffer, size);
}
#endif

// Deletes everything inside the open folder, depth first, without following
// links. Only system calls, so a signal handler can use it; folders deeper
// than the limit are left (the run folder itself is shallow).
void RemoveContents(int folder, int depth)
{
    if (depth > 8)
        return;
    alignas(8) char buffer[1024];
    // Entries move as others are deleted: read again from the start until a
    // pass deletes nothing.
    for (int pass = 0; pass < 64; ++pass) {
        bool removed = false;
        lseek(folder, 0, SEEK_SET);
        for (;;) {
            long count = ReadEntries(folder, buffer, sizeof buffer);
            if (count <= 0)
                break;
            for (long position = 0; position < count;) {
                const RLinuxDirent64* entry = reinterpret_cast<const RLinuxDirent64*>(buffer + position);
                position += entry->d_reclen;
                const char* name = entry->d_name;
                if (IsDotOrDotDot(name))
                    continue;
                if (unlinkat(folder, name, 0) == 0) {
                    removed = true;
                    continue;
                }
                int inner = openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
                if (inner < 0)
                    continue;
                RemoveContents(inner, depth + 1);
                close(inner);
                if (unlinkat(folder, name, AT_REMOVEDIR) == 0)
                    removed = true;
            }
        }
        if (!removed)
            return;
    }
}

} // namespace

std::string Platform_CreateRunFolder(const std::string& base, const std::string& prefix)
{
    if (base.empty())
        return std::string();
    std::error_code error;
    std::filesystem::create_directories(base, error);
    std::string pattern = (base.back() == '/' ? base : base + "/") + prefix + "XXXXXX";
    if (pattern.size() >= sizeof FolderPath)
        return std::string();
    std::vector<char> path(pattern.begin(), pattern.end());
    path.push_back('\0');
    if (!mkdtemp(path.data()))
        return std::string();
    std::string folder = path.data();

    int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    int lock = descriptor < 0 ? -1
                              : openat(descriptor, kNewLockName, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    bool locked = lock >= 0 && flock(lock, LOCK_EX) == 0 &&
                  renameat(descriptor, kNewLockName, descriptor, kLockName) == 0;
    if (descriptor >= 0)
        close(descriptor);
    if (!locked) {
        if (lock >= 0)
            close(lock);
        std::filesystem::remove_all(folder, error);
        return std::string();
    }
    Platform_RemoveRunFolder(); // one run folder per process
    // An exit() from anywhere (a library's, too) still removes it.
    static bool removedAtExit = std::atexit([] { Platform_RemoveRunFolder(); }) == 0;
    (void)removedAtExit;
    LockDescriptor = lock;
    std::memcpy(FolderPath, folder.c_str(), folder.size() + 1);
    std::atomic_signal_fence(std::memory_order_seq_cst); // the path is whole before a handler may read it
    HasFolder = 1;
    return folder;
}

void Platform_RemoveRunFolder()
{
    if (!HasFolder)
        return;
    HasFolder = 0;
    std::error_code error;
    std::filesystem::remove_all(FolderPath, error);
    if (LockDescriptor >= 0)
        close(LockDescriptor);
    LockDescriptor = -1;
}

void Platform_RemoveRunFolderFromSignal()
{
    if (!HasFolder)
        return;
    HasFolder = 0;
    int saved = errno;
    int folder = open(FolderPath, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder >= 0) {
        RemoveContents(folder, 0);
        close(folder);
        rmdir(FolderPath);
    }
    errno = saved;
}

int Platform_RemoveAbandonedRunFolders(const std::string& base, const std::string& prefix)
{
    int parent = open(base.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return 0;
    std::vector<std::string> names;
    if (DIR* listing = fdopendir(dup(parent))) {
        while (dirent* entry = readdir(listing))
            if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0)
                names.emplace_back(entry->d_name);
        closedir(listing);
    }
    int removed = 0;
    for (const std::string& name : names) {
        int folder = openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (folder < 0)
            continue;
        struct stat folderInfo;
        bool ours = fstat(folder, &folderInfo) == 0 && folderInfo.st_uid == geteuid() &&
                    (folderInfo.st_mode & 077) == 0;
        int lock = ours ? openat(folder, kLockName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC) : -1;
        struct stat lockInfo;
        ours = lock >= 0 && fstat(lock, &lockInfo) == 0 && S_ISREG(lockInfo.st_mode) && lockInfo.st_uid == geteuid();
        // The lock is free only when the process that held it is gone.
        if (ours && flock(lock, LOCK_EX | LOCK_NB) == 0) {
            RemoveContents(folder, 0);
            if (unlinkat(parent, name.c_str(), AT_REMOVEDIR) == 0)
                ++removed;
        }
        if (lock >= 0)
            close(lock);
        close(folder);
    }
    close(parent);
    return removed;
}

bool Platform_WritePrivateFile(const std::string& hostPath, const void* data, size_t size)
{
    int descriptor = open(hostPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0)
        return false;
    const char* bytes = static_cast<const char*>(data);
    size_t written = 0;
    while (written < size) {
        ssize_t count = write(descriptor, bytes + written, size - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        written += static_cast<size_t>(count);
    }
    bool closed = close(descriptor) == 0;
    return written == size && closed;
}
