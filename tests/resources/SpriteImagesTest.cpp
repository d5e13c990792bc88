// Sprites and backgrounds made from pictures while a game runs: strips and
// animations, the runner's own sprite and background files, merging, alpha
// and masks, saving, colours and gradients; damaged files change nothing.
#include "tests/resources/ResourceFixture.h"

#include "data/Background.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "data/Stream.h"
#include "graphics/PictureFiles.h"
#include "platform/Files.h"
#include "tests/support/PictureMaker.h"
#include "world/GameState.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF;
// What an animation's frames are drawn on: red 64, green 128, blue 0.
constexpr uint32_t kFill = 0xFF408000;

class SpriteImagesTest : public ResourceFixture {
protected:
    void SetUp() override
    {
        ResourceFixture::SetUp();
        StartWith();
    }
    // Writes a picture file into the game's folder; its path in quotes, for code.
    std::string Put(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        w_folder.Write(name, bytes);
        return "\"" + w_folder.File(name) + "\"";
    }
    std::string Put(const std::string& name, const TBitmap32& picture)
    {
        return Put(name, Image_HasPng(name) ? Picture_EncodePng(picture) : Picture_EncodeBitmap(picture));
    }
    static bool Image_HasPng(const std::string& name) { return name.size() > 4 && name.substr(name.size() - 4) == ".png"; }
    // The picture a file holds (its first frame).
    TBitmap32 Read(const std::string& name)
    {
        std::vector<TBitmap32> frames;
        EXPECT_TRUE(Picture_DecodeFile(w_folder.File(name), frames)) << name;
        return frames.empty() ? TBitmap32() : frames[0];
    }
    const CSprite& Sprite(double index) { return *Sprites.Get(static_cast<int32_t>(index)); }
};

// A picture whose pixel (x, y) has red x, green y, blue 7, opaque.
TBitmap32 Ramp(int w, int h)
{
    TBitmap32 picture(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            picture.SetPixel(x, y, 0xFF000007u | uint32_t(x) << 16 | uint32_t(y) << 8);
    return picture;
}

} // namespace

TEST_F(SpriteImagesTest, StripsAreCutIntoImagesOfEqualWidth)
{
    const std::string strip = Put("strip.png", Ramp(100, 10));
    const double s = Real("sprite_add(" + strip + ", 3, false, false, 4, 5)");
    ASSERT_GE(s, 0);
    EXPECT_EQ(Real("sprite_get_number(" + std::to_string(s) + ")"), 3);
    EXPECT_EQ(Real("sprite_get_width(" + std::to_string(s) + ")"), 33); // the last column is left out
    EXPECT_EQ(Real("sprite_get_xoffset(" + std::to_string(s) + ") * 10 + sprite_get_yoffset(" + std::to_string(s) + ")"), 45);
    EXPECT_EQ(Sprite(s).i_bitmap[2].PixelAt(0, 3), 0xFF420307u); // starts at x 66
    EXPECT_EQ(Sprite(s).i_bbox, (RBox{0, 0, 32, 9}));

    EXPECT_EQ(Real("sprite_get_number(sprite_add(" + strip + ", 0, 0, 0, 0, 0))"), 1);
    EXPECT_EQ(Real("sprite_add(" + strip + ", 101, 0, 0, 0, 0)"), -1); // images without pixels

    // Removing the background: the colour of the bottom-left pixel goes, and
    // the cleared pixels take their neighbours' colours.
    TBitmap32 spot(3, 3);
    for (int k = 0; k < 9; ++k)
        spot.SetPixel(k % 3, k / 3, k == 4 ? kRed : kBlue);
    const double r = Real("sprite_add(" + Put("spot.bmp", spot) + ", 1, true, false, 0, 0)");
    EXPECT_EQ(Sprite(r).i_bitmap[0].PixelAt(1, 1), kRed);
    EXPECT_EQ(Sprite(r).i_bitmap[0].PixelAt(0, 1), 0x00FF0000u);
    EXPECT_EQ(Sprite(r).i_bbox, (RBox{1, 1, 1, 1}));
    // A picture without alpha is opaque, a PNG whose alpha is all zero too.
    TBitmap32 clear(2, 2);
    clear.SetPixel(0, 0, 0x00123456);
    const double c = Real("sprite_add(" + Put("clear.png", clear) + ", 1, false, false, 0, 0)");
    EXPECT_EQ(Sprite(c).i_bitmap[0].PixelAt(0, 0), 0xFF123456u);
}

TEST_F(SpriteImagesTest, AnimationsKeepOrClearFramesByTheirDisposal)
{
    // Frame 0 fills the left column; frame 1 the right one. Kept frames
    // build up; cleared ones show alone on the fill colour.
    for (int disposal : {1, 2}) {
        RGifFrame left{0, 0, 1, 2, disposal, -1, false, {kGifRed, kGifRed}};
        RGifFrame right{1, 0, 1, 2, disposal, -1, false, {kGifGreen, kGifBlue}};
        const std::string file = Put("anim" + std::to_string(disposal) + ".GIF", Test_MakeGif(2, 2, {left, right}));
        const double s = Real("sprite_add(" + file + ", 5, false, false, 0, 0)");
        ASSERT_GE(s, 0) << disposal;
        ASSERT_EQ(Sprite(s).Count(), 2);
        const TBitmap32& second = Sprite(s).i_bitmap[1];
        EXPECT_EQ(second.PixelAt(0, 0), disposal == 1 ? kRed : kFill) << disposal;
        EXPECT_EQ(second.PixelAt(1, 1), kBlue);
        EXPECT_EQ(Sprite(s).i_bitmap[0].PixelAt(1, 0), kFill);
    }
    // With the background removed the colour of each image's bottom-left
    // pixel goes: the fill colour in the second image.
    const double s = Real("sprite_add(\"" + w_folder.File("anim2.GIF") + "\", 1, true, false, 0, 0)");
    EXPECT_EQ(Sprite(s).i_bitmap[1].PixelAt(0, 0) >> 24, 0u);
    EXPECT_EQ(Sprite(s).i_bitmap[1].PixelAt(1, 1), kBlue);
}

TEST_F(SpriteImagesTest, SpriteAndBackgroundFilesLoadBackAsSaved)
{
    Run("s = sprite_add(" + Put("ramp.png", Ramp(40, 8)) + ", 2, false, false, 3, 4);"
        "sprite_collision_mask(s, true, 2, 2, 1, 15, 6, 1, 10);"
        "sprite_save(s, 0, \"" + w_folder.File("copy.BRSPR") + "\");"
        "t = sprite_add_sprite(\"" + w_folder.File("copy.BRSPR") + "\");"
        "u = sprite_add(\"" + w_folder.File("copy.BRSPR") + "\", 1, 0, 0, 0, 0);"
        "b = background_create_gradient(6, 5, c_red, c_blue, 3);"
        "background_save(b, \"" + w_folder.File("back.brbck") + "\");"
        "c = background_add_background(\"" + w_folder.File("back.brbck") + "\");");
    const CSprite& s = Sprite(Real("s"));
    for (const char* copy : {"t", "u"}) {
        ASSERT_GE(Real(copy), 0) << copy;
        const CSprite& t = Sprite(Real(copy));
        EXPECT_EQ(t, s) << copy; // images, origin, separate masks and the box
        EXPECT_EQ(t.i_masksettings, s.i_masksettings) << copy;
    }
    EXPECT_EQ(s.i_bbox, (RBox{2, 1, 15, 6}));
    ASSERT_GE(Real("c"), 0);
    EXPECT_EQ(*Backgrounds.Get(static_cast<int32_t>(Real("c"))), *Backgrounds.Get(static_cast<int32_t>(Real("b"))));

    // Damaged files: wrong version, wrong magic number, cut short, images of
    // two sizes. Nothing is added and the sprite replaced keeps what it had.
    std::vector<uint8_t> good;
    ASSERT_TRUE(Platform_ReadWholeFile(w_folder.File("copy.BRSPR"), good));
    auto body = [](int32_t version, bool twoSizes) {
        CStream inner;
        inner.WriteInteger(version);
        inner.WriteInteger(0);
        inner.WriteInteger(0);
        inner.WriteInteger(2);
        TBitmap32(2, 2).SaveToStream(inner);
        TBitmap32(twoSizes ? 3 : 2, 2).SaveToStream(inner);
        for (int k = 0; k < 8; ++k)
            inner.WriteInteger(0);
        CStream file;
        file.WriteInteger(1234321);
        file.WriteStreamC(inner);
        return file.Bytes();
    };
    std::vector<uint8_t> wrongMagic = good;
    wrongMagic[0] ^= 1;
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } damaged[] = {
        {"v799.brspr", body(799, false)},
        {"magic.brspr", wrongMagic},
        {"short.brspr", std::vector<uint8_t>(good.begin(), good.begin() + good.size() / 2)},
        {"sizes.brspr", body(800, true)},
        {"empty.brspr", {}},
    };
    ASSERT_FALSE(body(800, false).empty());
    EXPECT_GE(Real("sprite_add_sprite(" + Put("fine.brspr", body(800, false)) + ")"), 0);
    for (const auto& d : damaged) {
        const std::string file = Put(d.name, d.bytes);
        EXPECT_EQ(Real("sprite_add_sprite(" + file + ")"), -1) << d.name;
        Run("sprite_replace_sprite(s, " + file + ");");
        EXPECT_EQ(Sprite(Real("s")).Count(), 2) << d.name;
        EXPECT_EQ(Real("background_add_background(" + file + ")"), -1) << d.name;
    }
    Evaluate("sprite_replace_sprite(999, " + Put("x.brspr", good) + ")");
    EXPECT_EQ(TakeError(), "Trying to replace non-existing sprite.");
}

TEST_F(SpriteImagesTest, MergingAlphaMasksAndOffsets)
{
    TBitmap32 small = Ramp(16, 16), big(32, 32);
    for (int k = 0; k < 32 * 32; ++k)
        big.SetPixel(k % 32, k / 32, kGreen);
    Run("a = sprite_add(" + Put("big.png", big) + ", 1, 0, 0, 0, 0); b = sprite_add(" + Put("small.png", small) +
        ", 1, 0, 0, 0, 0); sprite_merge(a, b); sprite_merge(a, a);");
    const CSprite& a = Sprite(Real("a"));
    ASSERT_EQ(a.Count(), 4);
    EXPECT_EQ(a.i_bitmap[1].Width(), 32); // stretched to the sprite's size
    EXPECT_EQ(a.i_bitmap[1].PixelAt(31, 31), 0xFF0F0F07u);
    Evaluate("sprite_merge(a, 99)");
    EXPECT_EQ(TakeError(), "Trying to merge from non-existing sprite.");
    Evaluate("sprite_merge(99, a)");
    EXPECT_EQ(TakeError(), "Trying to merge to non-existing sprite.");

    // Alpha from the other sprite's brightness, image by image (wrapping).
    Run("sprite_set_alpha_from_sprite(b, a);");
    EXPECT_EQ(Sprite(Real("b")).i_bitmap[0].PixelAt(0, 0) >> 24, 255u / 3);

    Run("sprite_collision_mask(a, false, 2, 4, 5, 6, 7, 1, 0); sprite_set_offset(a, -3, 9);");
    EXPECT_EQ(Real("sprite_get_bbox_left(a) * 1000 + sprite_get_bbox_top(a) * 100 + sprite_get_bbox_right(a) * 10 +"
                   " sprite_get_bbox_bottom(a)"), 4567);
    EXPECT_EQ(Real("sprite_get_xoffset(a) * 100 + sprite_get_yoffset(a)"), -291);
    Evaluate("sprite_collision_mask(99, 0, 0, 0, 0, 0, 0, 0, 0)");
    EXPECT_EQ(TakeError(), "Trying to set collision mode for non-existing sprite.");
}

TEST_F(SpriteImagesTest, SavedPicturesAreChosenByName)
{
    Run("s = sprite_add(" + Put("ramp.png", Ramp(30, 4)) + ", 3, 0, 0, 0, 0);"
        "sprite_save(s, -1, \"" + w_folder.File("last.PNG") + "\");"
        "sprite_save(s, 4, \"" + w_folder.File("second.bmp") + "\");"
        "sprite_save_strip(s, \"" + w_folder.File("strip.bmp") + "\");"
        "background_save(background_create_color(3, 2, c_lime), \"" + w_folder.File("lime.png") + "\");");
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(Platform_ReadWholeFile(w_folder.File("last.PNG"), bytes));
    EXPECT_EQ(bytes[1], 'P');
    EXPECT_EQ(Read("last.PNG").PixelAt(0, 0), 0xFF140007u); // image 2 of 3 (x 20)
    ASSERT_TRUE(Platform_ReadWholeFile(w_folder.File("second.bmp"), bytes));
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(Read("second.bmp").PixelAt(0, 0), 0xFF0A0007u); // 4 mod 3
    ASSERT_TRUE(Platform_ReadWholeFile(w_folder.File("strip.bmp"), bytes));
    EXPECT_EQ(bytes[1], 'P'); // a strip is PNG whatever the name
    EXPECT_EQ(Read("strip.bmp"), Ramp(30, 4));
    EXPECT_EQ(Read("lime.png").PixelAt(2, 1), kGreen);

    const struct {
        const char* call;
        const char* message;
    } errors[] = {
        {"sprite_save(99, 0, 'x.png')", "Trying to save non-existing sprite bitmap."},
        {"sprite_save(s, 0, '')", "Trying to save sprite bitmap to empty image file name."},
        {"sprite_save_strip(99, 'x.png')", "Trying to save non-existing sprite bitmap."},
        {"background_save(99, 'x.png')", "Trying to save non-existing background bitmap."},
        {"background_save(0, '')", "Trying to save background bitmap to empty image file name."},
        {"sprite_replace(99, 'x.png', 1, 0, 0, 0, 0)", "Trying to replace non-existing sprite."},
        {"background_replace(99, 'x.png', 0, 0)", "Trying to replace non-existing background."},
        {"sprite_add_from_screen(99, 0, 0, 1, 1, 0, 0)", "Trying to add to non-existing sprite."},
        {"sprite_create_from_surface(99, 0, 0, 1, 1, 0, 0, 0, 0)", "Trying to use non-existing surface."},
    };
    for (const auto& e : errors) {
        Evaluate(e.call);
        EXPECT_EQ(TakeError(), e.message) << e.call;
    }
    // Secure mode keeps every saver out of other folders, the runner's own files too.
    GameState.secureMode = true;
    for (const char* name : {"s.png", "s.brspr", "strip.png", "b.brbck"}) {
        const std::string file = "\"" + w_folder.File(name) + "\"";
        Evaluate(std::string(name[0] == 'b' ? "background_save(0, " : name[1] == 't' ? "sprite_save_strip(s, "
                                                                                     : "sprite_save(s, 0, ") +
                 file + ")");
        EXPECT_EQ(TakeError(), "In secure mode you cannot write file " + w_folder.File(name)) << name;
        EXPECT_FALSE(Platform_FileExists(w_folder.File(name))) << name;
    }
    GameState.secureMode = false;

    // A damaged picture leaves the sprite it was to replace as it was.
    Run("sprite_replace(s, " + Put("cut.png", std::vector<uint8_t>{0x89, 'P', 'N', 'G', 1, 2}) + ", 1, 0, 0, 0, 0);");
    EXPECT_EQ(Real("sprite_get_number(s) * 100 + sprite_get_width(s)"), 310);
}

TEST_F(SpriteImagesTest, ColoursAndGradients)
{
    struct {
        const char* make;
        int x, y;
        uint32_t pixel;
    } cases[] = {
        {"background_create_gradient(1, 4, c_red, c_blue, 0)", 0, 3, kRed},   // one column: the first colour
        {"background_create_gradient(4, 4, c_red, c_blue, 0)", 2, 0, 0xFF800080}, // halfway, ties to even
        {"background_create_gradient(4, 4, c_red, c_blue, 1)", 3, 3, 0xFF4000BF},
        {"background_create_gradient(9, 9, c_red, c_blue, 2)", 4, 4, kBlue},  // the centre
        {"background_create_gradient(9, 9, c_red, c_blue, 3)", 0, 0, kRed},   // outside every ellipse
        {"background_create_gradient(9, 9, c_red, c_blue, 4)", 4, 0, kBlue},  // the middle column
        {"background_create_gradient(8, 8, c_red, c_blue, 8)", 0, 0, 0xFF2000DF}, // the smallest circle: 7/8 of the second colour
        {"background_create_gradient(8, 8, c_red, c_blue, 11)", 0, 0, kRed},  // far from the bottom-right corner
        {"background_create_gradient(3, 3, c_red, c_blue, 12)", 1, 1, kRed},  // no such kind: the first colour
        {"background_create_gradient(0, -4, c_red, c_blue, 6)", 0, 0, kRed},  // at least 1 × 1
        {"background_create_color(2, 3, make_color_rgb(1, 2, 3))", 1, 2, 0xFF010203},
    };
    for (const auto& c : cases) {
        const double b = Real(c.make);
        ASSERT_GE(b, 0) << c.make;
        const TBitmap32& picture = Backgrounds.Get(static_cast<int32_t>(b))->i_bitmap;
        EXPECT_EQ(picture.PixelAt(c.x, c.y), c.pixel) << c.make;
    }
    EXPECT_EQ(Real("background_get_width(background_create_color(0, 5, c_red))"), 0);
    EXPECT_EQ(Real("background_create_color(100000, 100000, c_red)"), -1);
    EXPECT_EQ(Real("background_create_gradient(20000, 2, c_red, c_blue, 6)"), -1);
}
