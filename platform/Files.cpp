// File system calls over std::filesystem and POSIX.
#include "platform/Files.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
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

// The entry of folder whose name equals name ignoring case, or name itself.
std::string MatchComponent(const std::string& folder, const std::string& name)
{
    std::error_code error;
    fs::path base = folder.empty() ? fs::path(".") : fs::path(folder);
    if (fs::exists(base / name, error))
        return name;
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        std::string candidate = it->path().filename().string();
        if (EqualsIgnoringCase(candidate, name))
            return candidate;
    }
    return name;
}

} // namespace

std::string ToHostPath(const std::string& gamePath)
{
    std::string path;
    path.reserve(gamePath.size());
    size_t start = 0;
    if (gamePath.size() >= 2 && gamePath[1] == ':' && std::isalpha(static_cast<unsigned char>(gamePath[0]))) {
        path = Platform_DataDirectory() + "/drive_" +
               static_cast<char>(std::tolower(static_cast<unsigned char>(gamePath[0])));
        start = 2;
        if (start < gamePath.size() && gamePath[start] != '\\' && gamePath[start] != '/')
            path += '/';
    }
    for (size_t k = start; k < gamePath.size(); ++k) {
        char c = gamePath[k] == '\\' ? '/' : gamePath[k];
        if (c == '/' && !path.empty() && path.back() == '/')
            continue;
        path += c;
    }
    std::error_code error;
    if (path.empty() || fs::exists(path, error))
        return path;

    // Rebuild component by component, taking the existing spelling of each.
    std::string built;
    size_t position = 0;
    if (path[0] == '/') {
        built = "/";
        position = 1;
    }
    while (position <= path.size()) {
        size_t slash = path.find('/', position);
        if (slash == std::string::npos)
            slash = path.size();
        std::string component = path.substr(position, slash - position);
        if (!component.empty()) {
            std::string folder = built;
            if (component != "." && component != "..")
                component = MatchComponent(folder, component);
            if (!built.empty() && built.back() != '/')
                built += '/';
            built += component;
        }
        if (slash == path.size())
            break;
        position = slash + 1;
    }
    if (path.back() == '/' && (built.empty() || built.back() != '/'))
        built += '/';
    return built;
}

bool Platform_ReadWholeFile(const std::string& hostPath, std::vector<uint8_t>& bytes)
{
    std::error_code error;
    if (!fs::is_regular_file(hostPath, error))
        return false;
    std::FILE* file = std::fopen(hostPath.c_str(), "rb");
    if (!file)
        return false;
    bytes.clear();
    uint8_t chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
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
