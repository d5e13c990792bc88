// A game project as brindle-pack reads it: the manifest "game.toml" in the
// project folder, with code, pictures and sounds in files beside it.
#pragma once

#include "data/GameSettings.h"
#include "data/Resources.h"
#include "tools/pack/CodeOrigins.h"

#include <array>
#include <cstdint>
#include <string>

struct GameProject {
    std::string Folder;   // host path of the project folder
    std::string ShownFolder; // the folder as given, as mistakes name it
    std::string Name;     // [game] name
    int32_t GameId = 0;
    std::array<uint8_t, 16> GameGUID{};
    bool DebugMode = false;
    GameSettings Settings;
    CGameResources Resources; // every section of the game, as the runner reads it
    CCodeOrigins CodeOrigins; // where its code (and the names of action functions) was written
};

constexpr const char* kManifestName = "game.toml";

// Reads folder/game.toml and every file it names; throws EProjectError with
// the file and position of the first mistake.
void ReadProject(const std::string& folder, GameProject& project);
