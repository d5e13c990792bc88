// Saving and loading a running game. The file holds the game-wide counters,
// the global variables and every live room with its instances and tiles;
// everything else (sounds, particles, data structures, surfaces, resources
// changed at run time, the window) stays as it is when a game is loaded.
//
// A save is written beside the old file and renamed over it once it is
// complete and flushed, so a crash or a full disk never destroys the
// previous save. A load reads and checks the whole file into new rooms and
// instances before it touches the running game, so a damaged file changes
// nothing.
#pragma once

#include <cstdint>
#include <string>

class CStream;

constexpr int32_t kSaveFileVersion = 540;

enum class ESaveRead {
    Loaded,
    OtherVersion,
    OtherGame,
    Damaged,
};

// The running game as a save file.
void SaveGame_Write(CStream& stream);
// Reads a save file from its start; only when all of it reads correctly
// does it replace the running game (raising no event).
ESaveRead SaveGame_Apply(CStream& stream);

// Save and load by file name, reporting every failure as a non-fatal error
// (headed by the running event when inEvent). Loading a file that does not
// exist does nothing. True when the game was saved or loaded.
bool Game_Save(const std::string& file, bool inEvent);
bool Game_Load(const std::string& file, bool inEvent);

// F5 and F6, the pending load of the step loop, and game_save with its action.
void World_InstallSaveHooks();
void World_ImplementSaveFunctions();
