// The one rule for every path a project names (code files, pictures, sounds,
// included files, extension files, manifests it includes): the path is
// relative to the project folder and stays inside it. ".." may be used on
// the way, but neither it nor a symbolic link may lead out of the folder, so
// packing a project never reads a file the project does not hold.
#pragma once

#include "tools/pack/Manifest.h"
#include "tools/pack/Project.h"

#include <string>

// The host path of the project's file, or "" for a path that is empty,
// absolute, or leads out of the project folder.
std::string Project_FilePath(const GameProject& project, const std::string& relative);
// The same, failing at the table's key for a path that leaves the folder.
std::string Project_FilePathAt(const GameProject& project, const CManifestTable& table, const std::string& key,
                               const std::string& relative);
