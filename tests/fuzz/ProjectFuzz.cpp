// Feeds arbitrary projects to the builder's project reader and game writer,
// as brindle-pack runs them. The input is the manifest game.toml followed by
// the project's other files, each after a line "#%% NAME" (NAME relative to
// the project folder). Its code is checked as brindle-pack checks it. A
// mistake must come out as a project error; anything else escaping is a
// finding.
#include "runner/Registration.h"
#include "tools/pack/CodeCheck.h"
#include "tools/pack/GameBuilder.h"
#include "tools/pack/Manifest.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kSeparator = "\n#%% ";

// Names stay inside the project folder.
bool SafeName(const std::string& name)
{
    if (name.empty() || name.size() > 100 || name[0] == '/')
        return false;
    for (const fs::path& part : fs::path(name))
        if (part == ".." || part == ".")
            return false;
    return name.find('\0') == std::string::npos;
}

void WriteFile(const fs::path& path, const std::string& bytes)
{
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const fs::path folder = [] {
        std::string problem;
        if (!Runner_RegisterTables(problem))
            std::abort();
        fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        return base / ("brindle-fuzz-project-" + std::to_string(getpid()));
    }();
    std::error_code error;
    fs::remove_all(folder, error);
    fs::create_directories(folder, error);

    std::string text(reinterpret_cast<const char*>(data), size);
    size_t end = text.find(kSeparator);
    WriteFile(folder / "game.toml", text.substr(0, end));
    while (end != std::string::npos) {
        size_t nameStart = end + std::char_traits<char>::length(kSeparator);
        size_t nameEnd = text.find('\n', nameStart);
        if (nameEnd == std::string::npos)
            break;
        std::string name = text.substr(nameStart, nameEnd - nameStart);
        end = text.find(kSeparator, nameEnd);
        std::string body = text.substr(nameEnd + 1, end == std::string::npos ? std::string::npos : end - nameEnd - 1);
        if (SafeName(name) && name != "game.toml")
            WriteFile(folder / name, body);
    }

    try {
        GameProject project;
        ReadProject(folder.string(), project);
        CheckProjectCode(project);
        uint32_t z = 0, w = 0;
        BuildOuterBody(project, z, w);
    } catch (const EProjectError&) {
    } catch (const std::bad_alloc&) {
        // brindle-pack reports it; the size limits of each reader are what
        // keep it rare.
    }
    return 0;
}
