// A game as a web page: a folder that any static web server can serve, with
// index.html, the runner built for browsers (brindle-run.js and
// brindle-run.wasm) and the game's data.
#pragma once

#include "tools/pack/Project.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr const char* kWebRunnerScript = "brindle-run.js";
constexpr const char* kWebRunnerCode = "brindle-run.wasm";
constexpr const char* kWebGameFile = "game.brg";
// The typeface the page offers for fonts made while the game runs (the
// default font among them): the face this computer finds for Arial.
constexpr const char* kWebTypefaceFile = "typeface.ttf";

// The page for a game: its title, the window colour around the game, and
// whether the game fills the browser window (a game that scales to its
// window or starts in full screen) or shows at its own size, centred.
// withTypeface: the folder holds kWebTypefaceFile.
std::string WebPage_Html(const GameProject& project, bool withTypeface);

// Writes the folder: the page, the runner's two files copied from
// runnerFolder, gameBytes and the typeface when one is found. Throws
// EProjectError naming the file that could not be read or written.
void WebPage_WriteFolder(const GameProject& project, const std::vector<uint8_t>& gameBytes,
                         const std::string& runnerFolder, const std::string& folder);
