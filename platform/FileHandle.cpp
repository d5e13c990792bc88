// File handles over open(2), read(2) and write(2).
#include "platform/FileHandle.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

CFileHandle::~CFileHandle()
{
    Close();
}

CFileHandle::CFileHandle(CFileHandle&& other) noexcept : h_descriptor(std::exchange(other.h_descriptor, -1)) {}

CFileHandle& CFileHandle::operator=(CFileHandle&& other) noexcept
{
    if (this != &other) {
        Close();
        h_descriptor = std::exchange(other.h_descriptor, -1);
    }
    return *this;
}

bool CFileHandle::Open(const std::string& hostPath, EFileAccess access, EFileOpening opening)
{
    Close();
    if (hostPath.empty())
        return false;
    int flags = O_CLOEXEC;
    switch (access) {
    case EFileAccess::Read: flags |= O_RDONLY; break;
    case EFileAccess::Write: flags |= O_WRONLY; break;
    case EFileAccess::ReadWrite: flags |= O_RDWR; break;
    }
    switch (opening) {
    case EFileOpening::Existing: break;
    case EFileOpening::ExistingOrNew: flags |= O_CREAT; break;
    case EFileOpening::Emptied: flags |= O_CREAT | O_TRUNC; break;
    case EFileOpening::Appended: flags |= O_CREAT | O_APPEND; break;
    }
    int descriptor;
    do {
        descriptor = ::open(hostPath.c_str(), flags, 0666);
    } while (descriptor < 0 && errno == EINTR);
    if (descriptor < 0)
        return false;
    struct stat info;
    if (::fstat(descriptor, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(descriptor);
        return false;
    }
    h_descriptor = descriptor;
    return true;
}

bool CFileHandle::Close()
{
    if (h_descriptor < 0)
        return true;
    // No retry on EINTR: the descriptor is gone either way on Linux.
    int result = ::close(h_descriptor);
    h_descriptor = -1;
    return result == 0;
}

int64_t CFileHandle::Read(void* buffer, size_t size)
{
    if (h_descriptor < 0)
        return -1;
    ssize_t got;
    do {
        got = ::read(h_descriptor, buffer, size);
    } while (got < 0 && errno == EINTR);
    return got;
}

bool CFileHandle::Write(const void* data, size_t size)
{
    if (h_descriptor < 0)
        return false;
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t put = ::write(h_descriptor, bytes, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        bytes += put;
        size -= static_cast<size_t>(put);
    }
    return true;
}

bool CFileHandle::Seek(int64_t position)
{
    return h_descriptor >= 0 && position >= 0 && ::lseek(h_descriptor, position, SEEK_SET) == position;
}

int64_t CFileHandle::Position() const
{
    return h_descriptor < 0 ? -1 : ::lseek(h_descriptor, 0, SEEK_CUR);
}

int64_t CFileHandle::Size() const
{
    struct stat info;
    if (h_descriptor < 0 || ::fstat(h_descriptor, &info) != 0)
        return -1;
    return info.st_size;
}

bool CFileHandle::Truncate()
{
    return h_descriptor >= 0 && ::ftruncate(h_descriptor, 0) == 0 && ::lseek(h_descriptor, 0, SEEK_SET) == 0;
}
