// Sprite and background drawing functions, their errors, and the shared
// atlas textures the sprite images live in.
#include "graphics/SpriteDraw.h"
#include "graphics/Textures.h"
#include "tests/graphics/RoomFixture.h"

#include <algorithm>
#include <climits>

using SpriteDrawTest = RoomFixture;

TEST(SpriteImages, IndexWrapsIntoTheImages)
{
    struct Case {
        int64_t ind;
        int32_t count, image;
    } cases[] = {{2, 3, 2}, {7, 3, 1}, {-1, 3, 2}, {-4, 3, 2}, {5, 1, 0}, {0, 0, -1}, {INT64_MIN, 3, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(Sprite_ImageIndex(c.ind, c.count), c.image) << c.ind;
}

TEST_F(SpriteDrawTest, SubimageBelowZeroIsTheCallersImage)
{
    CInstance self;
    self.i_imageindex = 2.7;
    int32_t number = -1;
    ASSERT_TRUE(Function_Find("draw_sprite", number));
    RValue args[4] = {RValue(1.0), RValue(-1.0), RValue(10.0), RValue(20.0)}, result;
    CExecutionContext context(&self, &self);
    Function_Get(number)->f_routine(context, result, 4, args);
    std::vector<RVertex> v = g_device->TakeSentVertices();
    const RTexturePicture* third = Sprite_Picture(1, 2);
    ASSERT_TRUE(third);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[0].u, float(third->left) / third->textureW);
    EXPECT_FLOAT_EQ(v[0].x, 10 - 0.5f);
}

TEST_F(SpriteDrawTest, MissingResourcesAreReported)
{
    struct Case {
        const char* name;
        std::vector<RValue> args;
        const char* message;
    } cases[] = {
        {"draw_sprite", {RValue(5.0), RValue(0.0), RValue(0.0), RValue(0.0)}, "Trying to draw non-existing sprite."},
        {"draw_sprite_tiled", {RValue(-1.0), RValue(0.0), RValue(0.0), RValue(0.0)},
         "Trying to draw non-existing sprite."},
        {"draw_background", {RValue(7.0), RValue(0.0), RValue(0.0)}, "Trying to draw non-existing background."},
        {"draw_background_stretched", {RValue(-1.0), RValue(0.0), RValue(0.0), RValue(5.0), RValue(5.0)},
         "Trying to draw non-existing background."},
        {"sprite_get_texture", {RValue(5.0), RValue(0.0)}, "Trying to get texture from non-existing sprite."},
        {"background_get_texture", {RValue(5.0)}, "Trying to get texture from non-existing background."},
    };
    for (const Case& c : cases) {
        Error_Last.clear();
        int32_t number = -1;
        ASSERT_TRUE(Function_Find(c.name, number));
        std::vector<RValue> args = c.args;
        RValue result;
        CExecutionContext context(nullptr, nullptr);
        Function_Get(number)->f_routine(context, result, static_cast<int>(args.size()), args.data());
        EXPECT_NE(Error_Last.find(c.message), std::string::npos) << c.name;
        EXPECT_EQ(result.val, 0) << c.name;
    }
    EXPECT_TRUE(g_device->TakeSentVertices().empty());
}

TEST_F(SpriteDrawTest, StretchedAndTiled)
{
    Call("draw_sprite_stretched", {RValue(0.0), RValue(0.0), RValue(5.0), RValue(5.0), RValue(-20.0), RValue(10.0)});
    EXPECT_TRUE(g_device->TakeSentVertices().empty()); // a negative size draws nothing
    Call("draw_sprite_stretched", {RValue(0.0), RValue(0.0), RValue(5.0), RValue(5.0), RValue(20.0), RValue(30.0)});
    std::vector<RVertex> v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[0].x, 5 - 0.5f); // no origin
    EXPECT_FLOAT_EQ(v[2].y, 5 + 30 - 0.5f);

    // Over the 200 × 100 room: columns from -7 to 193, rows from 0 to 90.
    Call("draw_sprite_tiled", {RValue(0.0), RValue(0.0), RValue(3.0), RValue(0.0)});
    EXPECT_EQ(g_device->TakeSentVertices().size(), 4u * 21 * 10);
    Call("draw_background_tiled_ext", {RValue(1.0), RValue(0.0), RValue(0.0), RValue(0.5), RValue(0.5), RValue(0.0),
                                       RValue(1.0)});
    EXPECT_EQ(g_device->TakeSentVertices().size(), 4u * 8 * 5); // 25 × 20 tiles
}

TEST_F(SpriteDrawTest, ImagesShareAtlasPagesAndScriptsGetTexturesOfTheirOwn)
{
    const RTexturePicture* one = Sprite_Picture(0, 0);
    const RTexturePicture* three = Sprite_Picture(1, 2);
    ASSERT_TRUE(one && three);
    EXPECT_EQ(one->handle, three->handle);
    EXPECT_EQ(ResourceTextures_AtlasPages(), 1);
    // Pictures never overlap, borders included.
    EXPECT_TRUE(three->left - 1 >= one->left + one->w + 1 || three->top - 1 >= one->top + one->h + 1);

    // A picture too large to share gets a page of its own, given back with it.
    AddSprite("spr_wide", 1, 1500, 4, 0, 0);
    Sprite_BuildTextures(2);
    EXPECT_EQ(ResourceTextures_AtlasPages(), 2);
    EXPECT_NE(Sprite_Picture(2, 0)->handle, one->handle);
    Sprite_FreeTextures(2);
    EXPECT_EQ(ResourceTextures_AtlasPages(), 1);

    // sprite_get_texture makes a texture of the image's own on first request.
    const int32_t before = Texture_TableSize();
    const double id = Real("sprite_get_texture", {RValue(1.0), RValue(4.0)}); // image 1
    EXPECT_EQ(Real("sprite_get_texture", {RValue(1.0), RValue(1.0)}), id);
    EXPECT_EQ(Texture_TableSize(), before + 1);
    EXPECT_EQ(Real("texture_get_width", {RValue(id)}), 1); // 4 × 4 fits exactly
    EXPECT_GE(Real("background_get_texture", {RValue(0.0)}), 0);

    // Parts reaching past an atlas picture's border come from that texture,
    // which has nothing there rather than a neighbour.
    g_device->TakeSentVertices();
    Call("draw_sprite_part", {RValue(0.0), RValue(0.0), RValue(0.0), RValue(0.0), RValue(11.0), RValue(10.0),
                              RValue(0.0), RValue(0.0)});
    EXPECT_EQ(Texture_TableSize(), before + 1);
    Call("draw_sprite_part", {RValue(0.0), RValue(0.0), RValue(0.0), RValue(0.0), RValue(30.0), RValue(10.0),
                              RValue(0.0), RValue(0.0)});
    EXPECT_EQ(Texture_TableSize(), before + 2);
    std::vector<RVertex> v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 8u);
    EXPECT_FLOAT_EQ(v[4].u, 0);
    EXPECT_FLOAT_EQ(v[5].u, 30.0f / 16); // the 10 × 10 image's own 16 × 16 texture
}

TEST_F(SpriteDrawTest, ClearFillsTheViewport)
{
    TBitmap32 pixel;
    Call("draw_clear", {RValue(255.0)});
    ASSERT_TRUE(Display_ReadScreen(3, 3, 1, 1, pixel));
    EXPECT_EQ(pixel.PixelAt(0, 0), 0xFFFF0000u);
    Call("draw_clear_alpha", {RValue(double(0x00FF00)), RValue(0.0)});
    ASSERT_TRUE(Display_ReadScreen(3, 3, 1, 1, pixel));
    EXPECT_EQ(pixel.PixelAt(0, 0), 0xFF00FF00u); // the screen itself stays opaque
}
