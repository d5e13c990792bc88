// [[sprite]] and [[background]] entries: images from picture files, the
// origin, and the collision mask options a sprite is built with.
#include "data/Background.h"
#include "data/Sprite.h"
#include "graphics/PictureFiles.h"
#include "tools/pack/ReaderContext.h"

#include <cstring>

namespace {

std::vector<TBitmap32> LoadFrames(CReaderContext& context, CManifestTable& table, const std::string& key,
                                  const std::string& file)
{
    std::vector<uint8_t> bytes = context.ReadFile(table, key, file);
    std::vector<TBitmap32> frames;
    RPictureError error;
    if (!Picture_Decode(bytes.data(), bytes.size(), frames, &error))
        table.Fail(key, "\"" + file + "\": " + error.message);
    return frames;
}

// A strip: frames side by side, each the strip's width ÷ frames wide.
std::vector<TBitmap32> CutStrip(CManifestTable& strip, const TBitmap32& image, int frames)
{
    if (image.Width() % frames != 0)
        strip.Fail("frames", "the picture is " + std::to_string(image.Width()) + " pixels wide, which is not " +
                                 std::to_string(frames) + " frames of equal width");
    int width = image.Width() / frames;
    std::vector<TBitmap32> result;
    for (int k = 0; k < frames; ++k) {
        TBitmap32& frame = result.emplace_back(width, image.Height());
        for (int y = 0; y < image.Height(); ++y)
            std::memcpy(frame.Row(y), image.Row(y) + static_cast<size_t>(k) * width * 4, static_cast<size_t>(width) * 4);
    }
    return result;
}

std::vector<TBitmap32> ReadImages(CReaderContext& context, CManifestTable& table)
{
    std::vector<TBitmap32> images;
    if (table.Has("images") && table.Has("strip"))
        table.Fail("strip", "give either images or strip, not both");
    if (const toml::node* node = table.GetNode("images")) {
        const toml::array* files = node->as_array();
        if (!files)
            table.Fail("images", "expected a list of picture files, as [\"a.png\", \"b.png\"]");
        for (const toml::node& file : *files) {
            if (!file.is_string())
                table.Fail("images", "expected a list of picture files, as [\"a.png\", \"b.png\"]");
            for (TBitmap32& frame : LoadFrames(context, table, "images", file.as_string()->get()))
                images.push_back(std::move(frame));
        }
    }
    if (table.Has("strip")) {
        CManifestTable strip = table.GetTable("strip");
        std::string file = strip.GetString("file", std::string());
        int frames = static_cast<int>(strip.GetInteger("frames", 1, 1, 100000));
        std::vector<TBitmap32> pictures = LoadFrames(context, strip, "file", file);
        images = CutStrip(strip, pictures[0], frames);
        strip.Finish();
    }
    for (size_t k = 1; k < images.size(); ++k)
        if (images[k].Width() != images[0].Width() || images[k].Height() != images[0].Height())
            table.Fail(table.Has("images") ? "images" : "strip",
                       "all images of a sprite must have one size (image 0 is " + std::to_string(images[0].Width()) +
                           "x" + std::to_string(images[0].Height()) + ", image " + std::to_string(k) + " is " +
                           std::to_string(images[k].Width()) + "x" + std::to_string(images[k].Height()) + ")");
    return images;
}

// A list of integers of a fixed length.
std::vector<int32_t> GetIntegers(CManifestTable& table, const std::string& key, size_t count, const char* example)
{
    const toml::node* node = table.GetNode(key);
    const toml::array* array = node ? node->as_array() : nullptr;
    if (!array || array->size() != count)
        table.Fail(key, std::string("expected ") + example);
    std::vector<int32_t> values;
    for (const toml::node& value : *array) {
        if (!value.is_integer())
            table.Fail(key, std::string("expected ") + example);
        values.push_back(static_cast<int32_t>(value.as_integer()->get()));
    }
    return values;
}

void ReadOrigin(CManifestTable& table, CSprite& sprite)
{
    const toml::node* node = table.Table().get("origin");
    if (node && node->is_string()) {
        if (table.GetString("origin", std::string()) != "center")
            table.Fail("origin", "expected [x, y] or \"center\"");
        sprite.i_xorig = sprite.Width() / 2;
        sprite.i_yorig = sprite.Height() / 2;
    } else if (node) {
        std::vector<int32_t> xy = GetIntegers(table, "origin", 2, "[x, y] or \"center\"");
        sprite.i_xorig = xy[0];
        sprite.i_yorig = xy[1];
    } else {
        table.GetNode("origin");
    }
}

void ReadMask(CManifestTable& table, CSprite& sprite)
{
    int32_t kind = table.GetChoice("mask", {"precise", "rectangle", "disk", "diamond"}, kMaskPrecise);
    int32_t tolerance = static_cast<int32_t>(table.GetInteger("tolerance", 0, 0, 255));
    bool separate = table.GetBool("separate_masks", false);
    int32_t mode = kBoxAutomatic;
    RBox box;
    const toml::node* node = table.Table().get("bbox");
    if (node && node->is_string()) {
        mode = table.GetChoice("bbox", {"automatic", "full"}, kBoxAutomatic);
    } else if (node) {
        std::vector<int32_t> b = GetIntegers(table, "bbox", 4, "\"automatic\", \"full\" or [left, top, right, bottom]");
        mode = kBoxManual;
        box = RBox{b[0], b[1], b[2], b[3]};
    } else {
        table.GetNode("bbox");
    }
    sprite.ComputeMask(separate, mode, box, kind, tolerance);
}

} // namespace

void ReadSprites(CReaderContext& context, std::vector<CManifestTable>& entries)
{
    context.ReadEntries(context.Resources().Sprites, entries, [&](CManifestTable& table, const std::string&, int) {
        auto sprite = std::make_unique<CSprite>();
        sprite->i_bitmap = ReadImages(context, table);
        ReadOrigin(table, *sprite);
        ReadMask(table, *sprite);
        table.Finish();
        return sprite;
    });
}

void ReadBackgrounds(CReaderContext& context, std::vector<CManifestTable>& entries)
{
    context.ReadEntries(context.Resources().Backgrounds, entries, [&](CManifestTable& table, const std::string&, int) {
        auto background = std::make_unique<CBackground>();
        std::string file = table.GetString("image", std::string());
        if (!file.empty()) {
            std::vector<TBitmap32> frames = LoadFrames(context, table, "image", file);
            background->i_bitmap = std::move(frames[0]);
        }
        table.Finish();
        return background;
    });
}
