// One open file on a POSIX descriptor, for the game's text and binary file
// functions: unbuffered, so every write reaches the file at once, and closed
// on exec, so programs the game starts do not inherit it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class EFileAccess {
    Read,
    Write,
    ReadWrite,
};

enum class EFileOpening {
    Existing,       // fails when the file is missing
    ExistingOrNew,  // opened at its start, created empty when missing
    Emptied,        // created or emptied
    Appended,       // created when missing; every write goes to the end
};

class CFileHandle {
public:
    CFileHandle() = default;
    ~CFileHandle();
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    CFileHandle(CFileHandle&& other) noexcept;
    CFileHandle& operator=(CFileHandle&& other) noexcept;

    // False for a folder as well: games open files only.
    bool Open(const std::string& hostPath, EFileAccess access, EFileOpening opening);
    // False when the system reported an error while closing.
    bool Close();
    bool IsOpen() const { return h_descriptor >= 0; }

    // The number of bytes read (0 at the end), or -1 on an error.
    int64_t Read(void* buffer, size_t size);
    bool Write(const void* data, size_t size);
    bool Seek(int64_t position);
    // -1 on an error.
    int64_t Position() const;
    int64_t Size() const;
    // Empties the file and moves to its start.
    bool Truncate();

private:
    int h_descriptor = -1;
};
