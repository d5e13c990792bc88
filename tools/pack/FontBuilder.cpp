// The builder renders fonts exactly as the runner does for fonts made while
// a game runs; only the message for a missing typeface is its own.
#include "tools/pack/FontBuilder.h"

#include "graphics/FontBuild.h"

bool BuildFontAtlas(CFont& font, std::string& error)
{
    if (Font_BuildAtlas(font))
        return true;
    error = "no typeface found for \"" + font.s_name + "\"";
    return false;
}
