// Sprites and backgrounds taken from the screen and from surfaces, on the
// null drawing device (whose pictures are what they were cleared to).
#include "data/Background.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "graphics/DrawState.h"
#include "tests/graphics/GraphicsFixture.h"

class ScreenPicturesTest : public GraphicsFixture {
protected:
    void TearDown() override
    {
        ClearResources();
        GraphicsFixture::TearDown();
    }
    static const TBitmap32& Image(double sprite, int image = 0)
    {
        return Sprites.Get(static_cast<int32_t>(sprite))->i_bitmap[static_cast<size_t>(image)];
    }
};

TEST_F(ScreenPicturesTest, SpritesFromTheScreenTakeTheirFlagsTruncated)
{
    g_device->Clear(0x00336699); // the back buffer keeps no alpha
    struct {
        double removeback, smooth;
        uint32_t corner; // pixel (0, 0) of the sprite
    } cases[] = {
        {0, 0, 0xFF336699},  {0.9, 0, 0xFF336699}, // 0.9 truncates to 0
        {1, 0, 0x00336699},  {-1, 0, 0xFF336699},  // the whole picture is background / opaque
        {2, 0, 0xFF336699},  {1.7, 0, 0x00336699},
    };
    for (const auto& c : cases) {
        const double s = Real("sprite_create_from_screen", {RValue(-5.0), RValue(470.0), RValue(20.0), RValue(20.0),
                                                            RValue(c.removeback), RValue(c.smooth), RValue(3.0), RValue(4.0)});
        ASSERT_GE(s, 0) << c.removeback;
        EXPECT_EQ(Image(s).Width(), 20);  // the corner moves to 0 and keeps its size
        EXPECT_EQ(Image(s).Height(), 10); // cut at the bottom of the region
        EXPECT_EQ(Image(s).PixelAt(0, 0), c.corner) << c.removeback << " " << c.smooth;
        EXPECT_EQ(Sprites.Get(static_cast<int32_t>(s))->i_xorig, 3);
    }
    EXPECT_EQ(Real("sprite_create_from_screen", {RValue(700.0), RValue(0.0), RValue(5.0), RValue(5.0), RValue(0.0),
                                                 RValue(0.0), RValue(0.0), RValue(0.0)}),
              -1); // nothing of the screen there

    // A further image is stretched to the sprite's size.
    const double s = Real("sprite_create_from_screen", {RValue(0.0), RValue(0.0), RValue(8.0), RValue(4.0), RValue(0.0),
                                                        RValue(0.0), RValue(0.0), RValue(0.0)});
    Call("sprite_add_from_screen", {RValue(s), RValue(0.0), RValue(0.0), RValue(2.0), RValue(2.0), RValue(0.0), RValue(0.0)});
    ASSERT_EQ(Sprites.Get(static_cast<int32_t>(s))->Count(), 2);
    EXPECT_EQ(Image(s, 1).Width(), 8);
    EXPECT_EQ(Image(s, 1).PixelAt(7, 3), 0xFF336699u);
    const double b = Real("background_create_from_screen", {RValue(0.0), RValue(0.0), RValue(6.0), RValue(5.0),
                                                            RValue(0.0), RValue(0.0)});
    EXPECT_EQ(Backgrounds.Get(static_cast<int32_t>(b))->i_bitmap.PixelAt(5, 4), 0xFF336699u);
}

TEST_F(ScreenPicturesTest, SurfacesGiveTheirOwnAlpha)
{
    const double surface = Real("surface_create", {RValue(16.0), RValue(8.0)});
    ASSERT_GE(surface, 0);
    Call("surface_set_target", {RValue(surface)});
    Call("draw_clear_alpha", {RValue(255.0), RValue(0.5)});
    Call("surface_reset_target");
    const double kept = Real("sprite_create_from_surface", {RValue(surface), RValue(0.0), RValue(0.0), RValue(99.0),
                                                            RValue(99.0), RValue(2.0), RValue(0.0), RValue(0.0), RValue(0.0)});
    ASSERT_GE(kept, 0);
    EXPECT_EQ(Image(kept).Width(), 16);
    EXPECT_EQ(Image(kept).PixelAt(0, 0) >> 24, 0x80u); // removeback 2 keeps the alpha as read
    const double opaque = Real("sprite_create_from_surface", {RValue(surface), RValue(0.0), RValue(0.0), RValue(4.0),
                                                              RValue(4.0), RValue(-1.0), RValue(0.0), RValue(0.0), RValue(0.0)});
    EXPECT_EQ(Image(opaque).PixelAt(0, 0) >> 24, 0xFFu);
    Call("sprite_add_from_surface", {RValue(opaque), RValue(surface), RValue(0.0), RValue(0.0), RValue(8.0), RValue(8.0),
                                     RValue(0.0), RValue(0.0)});
    EXPECT_EQ(Image(opaque, 1).PixelAt(3, 3) >> 24, 0x80u); // added images keep their alpha
    const double b = Real("background_create_from_surface", {RValue(surface), RValue(2.0), RValue(2.0), RValue(3.0),
                                                             RValue(3.0), RValue(0.0), RValue(0.0)});
    EXPECT_EQ(Backgrounds.Get(static_cast<int32_t>(b))->Width(), 3);
}
