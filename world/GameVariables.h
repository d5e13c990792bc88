// Supplies the getters and setters of the game's and the room's built-in variables.
#pragma once

#include <string>

void World_ImplementGameVariables();

// The folder of the game's own file, as program_directory reads it.
void Game_SetProgramDirectory(const std::string& directory);
const std::string& Game_ProgramDirectory();
// Milliseconds of the platform's tick count, as current_time reads it.
double Game_CurrentMilliseconds();
