// [[font]] entries: a typeface by name with size, style and character range.
#include "tools/pack/FontBuilder.h"
#include "tools/pack/ReaderContext.h"

void ReadFonts(CReaderContext& context, std::vector<CManifestTable>& entries)
{
    context.ReadEntries(context.Resources().Fonts, entries, [&](CManifestTable& table, const std::string&, int) {
        auto font = std::make_unique<CFont>();
        font->s_name = table.GetString("typeface", "Arial");
        font->s_size = static_cast<int32_t>(table.GetInteger("size", 12, 1, 500));
        font->s_bold = table.GetBool("bold", false);
        font->s_italic = table.GetBool("italic", false);
        font->s_first = static_cast<int32_t>(table.GetInteger("first", 32, 0, 255));
        font->s_last = static_cast<int32_t>(table.GetInteger("last", 127, 0, 255));
        if (font->s_last < font->s_first)
            table.Fail("last", "the last character comes before the first");
        font->s_charset = static_cast<int32_t>(table.GetInteger("charset", 1, 1, 255));
        font->s_AntiAlias = static_cast<int32_t>(table.GetInteger("antialias", 3, 0, 4));
        std::string error;
        if (!BuildFontAtlas(*font, error))
            table.Fail("typeface", error);
        table.Finish();
        return font;
    });
}
