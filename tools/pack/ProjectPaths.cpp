// Project paths: relative, and inside the project folder in text and on disk.
#include "tools/pack/ProjectPaths.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

bool IsInside(const fs::path& path, const fs::path& folder)
{
    fs::path relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

} // namespace

std::string Project_FilePath(const GameProject& project, const std::string& relative)
{
    if (relative.empty() || fs::path(relative).is_absolute())
        return std::string();
    fs::path folder = fs::path(project.Folder).lexically_normal();
    fs::path path = (folder / relative).lexically_normal();
    if (!IsInside(path, folder))
        return std::string();
    // Where the file really lies, links followed as far as they exist.
    std::error_code error;
    fs::path realFolder = fs::weakly_canonical(folder, error);
    fs::path realPath = error ? fs::path() : fs::weakly_canonical(path, error);
    if (error || !IsInside(realPath, realFolder))
        return std::string();
    return path.string();
}

std::string Project_FilePathAt(const GameProject& project, const CManifestTable& table, const std::string& key,
                               const std::string& relative)
{
    std::string path = Project_FilePath(project, relative);
    if (path.empty() && !relative.empty())
        table.Fail(key, "\"" + relative + "\" is outside the project folder; every path in a project stays inside it");
    return path;
}
