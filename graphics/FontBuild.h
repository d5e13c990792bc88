// Making fonts: the glyph tables and atlas of a font rendered from a system
// typeface (for the builder and for fonts made while a game runs), and fonts
// whose glyphs are the images of a sprite.
#pragma once

#include "data/Font.h"

#include <cstdint>
#include <string>

// Fills the glyph tables and the atlas from the font's own name, size, style,
// character set, anti-aliasing (0: none) and range; the range is first cut
// to 0..255. False, with the tables and atlas left empty, when no typeface
// at all can be loaded.
bool Font_BuildAtlas(CFont& font);

// A font from a typeface with the given range; character set 1 and
// anti-aliasing 3, as fonts made while a game runs always have.
bool Font_CreateFromTypeface(CFont& font, const std::string& name, int32_t size, bool bold, bool italic,
                             int32_t first, int32_t last);

// A font whose glyphs are the images of a sprite, from character first on.
// proportional: each glyph is its image's visible part, else the whole
// image; separation: pixels added to each advance. False (font unchanged)
// when the sprite does not exist.
bool Font_CreateFromSprite(CFont& font, int32_t sprite, int32_t first, bool proportional, int32_t separation);
