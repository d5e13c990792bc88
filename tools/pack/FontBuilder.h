// Building a font's glyph atlas from a typeface for the game data, laid out
// as the runner draws it (glyph rectangles from the top of the line,
// advances, offsets).
#pragma once

#include "data/Font.h"

#include <string>

// Fills font's glyph tables and atlas from s_name, s_size, s_bold,
// s_italic, s_first, s_last and s_AntiAlias (0: no anti-aliasing). False
// with error set when no face can be loaded.
bool BuildFontAtlas(CFont& font, std::string& error);
