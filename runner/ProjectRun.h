// Running a project folder as it stands: the runner reads it, checks its
// code and packs it in memory as brindle-pack would, then runs the game from
// those bytes. Errors of such a run also tell, on standard error, the
// project file and line their code was written at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The game of the project in folder, as a game file's bytes; false (after
// telling every mistake on standard error) when the project has mistakes.
bool Runner_PackProject(const std::string& folder, std::vector<uint8_t>& game);

// After an error has been shown: where its code came from in the project
// ("brindle-run: error in FILE:LINE"), when the game was run from a folder
// and that place is known.
void Runner_TellErrorPlace();
