// File system calls over std::filesystem and POSIX.
#include "platform/Files.h"

#include "platform/TextEncoding.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

bool EqualsIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t k = 0; k < a.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(a[k])) != std::tolower(static_cast<unsigned char>(b[k])))
            return false;
    return true;
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Two host names that a case-insensitive file system would take as one:
// compared in the game's code page when both fit it, else by ASCII case.
bool SameNameIgnoringCase(const std::string& a, const std::string& b)
{
    bool exactA = false, exactB = false;
    std::string gameA = Utf8ToCp1252(a, &exactA);
    std::string gameB = Utf8ToCp1252(b, &exactB);
    if (exactA && exactB)
        return EqualsIgnoringCaseCp1252(gameA, gameB);
    return EqualsIgnoringCase(a, b);
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

// The entry of folder spelt like name ignoring case; found tells whether
// there is one. Among several the byte-wise first wins, so the choice does
// not depend on the order the directory lists them in.
std::string MatchComponent(const std::string& folder, const std::string& name, bool& found)
{
    std::error_code error;
    fs::path base = folder.empty() ? fs::path(".") : fs::path(folder);
    found = true;
    if (fs::exists(fs::symlink_status(base / name, error)))
        return name;
    std::string best;
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (SameNameIgnoringCase(candidate, name) && (best.empty() || candidate < best))
            best = candidate;
    }
    found = !best.empty();
    return found ? best : name;
}

} // namespace

// The path is taken apart, "." and ".." are resolved on the text as the
// original platform does (so "new\..\x" works before "new" exists), and a
// ".." never climbs above the root it starts from: "C:\..\x" stays in the
// drive's folder just as it stays on the drive. A relative path may still go
// above the working directory, as games can legitimately ask.
std::string ToHostPath(const std::string& gamePath)
{
    std::string_view path(gamePath);
    path = path.substr(0, path.find('\0')); // the platform's calls end a name at its first zero too
    if (path.empty())
        return std::string();
    // Network shares do not exist here; "" makes every file call fail.
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
        return std::string();

    std::string root;
    bool rooted = true;
    size_t start = 0;
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
        // Every drive has a root folder, as on the original platform.
        root = Platform_DataDirectory() + "/drive_" +
               static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
        Platform_CreateDirectories(root);
        start = 2;
    } else if (IsSeparator(path[0])) {
        root = "/";
    } else {
        rooted = false;
    }

    std::vector<std::string> parts;
    size_t position = start;
    while (position <= path.size()) {
        size_t next = position;
        while (next < path.size() && !IsSeparator(path[next]))
            ++next;
        std::string_view component = path.substr(position, next - position);
        if (component == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (!rooted)
                parts.emplace_back("..");
        } else if (!component.empty() && component != ".") {
            parts.push_back(GameTextToHost(component));
        }
        position = next + 1;
    }
    bool folderMark = IsSeparator(path.back()) && !parts.empty();

    std::string exact = root;
    for (const std::string& part : parts)
        exact = JoinPath(exact, part);
    if (exact.empty())
        exact = ".";
    std::error_code error;
    if (fs::exists(fs::symlink_status(exact, error)))
        return folderMark ? exact + "/" : exact;

    // Rebuild component by component, taking the existing spelling of each;
    // below the first component that matches nothing, nothing can exist.
    std::string built = root;
    bool searching = true;
    for (const std::string& part : parts) {
        std::string spelt = part;
        if (searching && part != "..")
            spelt = MatchComponent(built, part, searching);
        built = JoinPath(built, spelt);
    }
    if (built.empty())
        built = ".";
    return folderMark ? built + "/" : built;
}

bool Platform_ReadWholeFile(const std::string& hostPath, std::vector<uint8_t>& bytes)
{
    return Platform_ReadFileFrom(hostPath, 0, bytes);
}

bool Platform_ReadFileFrom(const std::string& hostPath, uint64_t from, std::vector<uint8_t>& bytes)
{
    std::error_code error;
    if (!fs::is_regular_file(hostPath, error))
        return false;
    std::FILE* file = std::fopen(hostPath.c_str(), "rb");
    if (!file)
        return false;
    const uintmax_t size = fs::file_size(hostPath, error);
    if (from > 0 && (error || size <= from || fseeko(file, static_cast<off_t>(from), SEEK_SET) != 0)) {
        std::fclose(file);
        bytes.clear();
        return !error;
    }
    // One read of the size the file has, then whatever it grew by meanwhile.
    bytes.resize(error ? 0 : static_cast<size_t>(size - from));
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool Platform_ReadWholeFileLimited(const std::string& hostPath, std::vector<uint8_t>& bytes, size_t limit,
                                   bool& tooLarge)
{
    tooLarge = false;
    std::error_code error;
    const uintmax_t size = fs::file_size(hostPath, error);
    if (!error && size > limit) {
        tooLarge = true;
        return false;
    }
    if (!Platform_ReadWholeFile(hostPath, bytes))
        return false;
    if (bytes.size() > limit) { // it grew while being read
        bytes.clear();
        tooLarge = true;
        return false;
    }
    return true;
}

bool Platform_WriteWholeFile(const std::string& hostPath, const void* data, size_t size)
{
    std::FILE* file = std::fopen(hostPath.c_str(), "wb");
    if (!file)
        return false;
    bool ok = size == 0 || std::fwrite(data, 1, size, file) == size;
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

bool Platform_WriteSparseFile(const std::string& hostPath, const void* data, size_t size)
{
    constexpr size_t kBlock = 4096;
    int fd = open(hostPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    static const uint8_t kZeros[kBlock] = {};
    bool ok = true;
    size_t position = 0;
    while (ok && position < size) {
        size_t length = std::min(kBlock - position % kBlock, size - position);
        if (length == kBlock && std::memcmp(bytes + position, kZeros, kBlock) == 0) {
            ok = lseek(fd, static_cast<off_t>(length), SEEK_CUR) >= 0;
        } else {
            for (size_t done = 0; ok && done < length;) {
                ssize_t written = write(fd, bytes + position + done, length - done);
                ok = written > 0;
                done += ok ? static_cast<size_t>(written) : 0;
            }
        }
        position += length;
    }
    // A hole at the end needs the size set, or the file would stop short.
    ok = ok && ftruncate(fd, static_cast<off_t>(size)) == 0;
    return close(fd) == 0 && ok;
}

bool Platform_FileExists(const std::string& hostPath)
{
    std::error_code error;
    return fs::is_regular_file(hostPath, error);
}

bool Platform_DirectoryExists(const std::string& hostPath)
{
    std::error_code error;
    return fs::is_directory(hostPath, error);
}

bool Platform_CreateDirectories(const std::string& hostPath)
{
    std::error_code error;
    fs::create_directories(hostPath, error);
    return fs::is_directory(hostPath, error);
}

bool Platform_DeleteFile(const std::string& hostPath)
{
    std::error_code error;
    if (fs::is_directory(fs::symlink_status(hostPath, error)))
        return false;
    return fs::remove(hostPath, error);
}

bool Platform_RemoveTree(const std::string& hostPath)
{
    std::error_code error;
    fs::remove_all(hostPath, error);
    return !error;
}

std::string Platform_ExecutablePath()
{
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.string();
}

std::string Platform_ProgramDirectory()
{
    return fs::path(Platform_ExecutablePath()).parent_path().string();
}

std::string Platform_WorkingDirectory()
{
    std::error_code error;
    return fs::current_path(error).string();
}

bool Platform_GetEnvironment(const std::string& name, std::string& value)
{
    if (const char* exact = std::getenv(name.c_str())) {
        value = exact;
        return true;
    }
    for (char** entry = environ; entry && *entry; ++entry) {
        const char* equals = std::strchr(*entry, '=');
        if (!equals)
            continue;
        if (EqualsIgnoringCase(std::string(*entry, static_cast<size_t>(equals - *entry)), name)) {
            value = equals + 1;
            return true;
        }
    }
    return false;
}

std::string Platform_DataDirectory()
{
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        base = xdg;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.local/share";
    else
        base = "/tmp";
    return base + "/brindle";
}
