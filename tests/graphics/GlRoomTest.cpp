// A room drawn by the real OpenGL device on SDL's offscreen driver: sprite
// images from the shared atlas land exactly on their pixels, even filtered
// and enlarged, a room of many sprites goes out in one draw call, and a
// frame reads nothing back. Skipped where no OpenGL 3.3 context can be made.
#include "data/Object.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/Graphics.h"
#include "graphics/ResourceTextures.h"
#include "graphics/RoomDraw.h"
#include "graphics/WindowState.h"
#include "tests/graphics/GlTestSupport.h"
#include "tests/support/TestSupport.h"
#include "world/GameState.h"
#include "world/Instance.h"
#include "world/ObjectEvents.h"
#include "world/Rooms.h"
#include "world/World.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kRoom = 0xFF204060;

class GlRoom : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "offscreen", 1); }

    void SetUp() override
    {
        ClearResources();
        GameState = RGameState();
        if (const char* why = OpenGlDisplay(64, 64))
            GTEST_SKIP() << why;
        AddSprite({kRed, kGreen}, 4); // two images: red, then green
        AddSprite({kBlue}, 3);
        ResourceTextures_BuildAll();
        EventLists_Rebuild();
        g_room = std::make_unique<CLiveRoom>();
        g_room->r_width = g_room->r_height = 64;
        g_room->r_color = 0x604020;
        CurrentRoom = g_room.get();
        Room_SetInstances(g_room.get());
    }
    void TearDown() override
    {
        CurrentRoom = nullptr;
        Room_SetInstances(nullptr);
        g_room.reset();
        Display_Close();
        ClearResources();
    }

    static void AddSprite(std::initializer_list<uint32_t> colours, int size)
    {
        auto sprite = std::make_unique<CSprite>();
        for (uint32_t colour : colours) {
            TBitmap32 image(size, size);
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    image.SetPixel(x, y, colour);
            sprite->i_bitmap.push_back(image);
        }
        Sprites.Add(std::move(sprite), "");
    }

    CInstance* Place(int32_t sprite, double image, double x, double y)
    {
        CInstance* instance = g_room->AddInstance(x, y, -1, static_cast<int32_t>(100001 + g_room->InstanceCount()));
        instance->SetSprite(sprite);
        instance->i_imageindex = image;
        return instance;
    }

    static uint32_t Pixel(int32_t x, int32_t y)
    {
        TBitmap32 pixel;
        EXPECT_TRUE(Display_ReadScreen(x, y, 1, 1, pixel));
        return pixel.IsEmpty() ? 0 : pixel.PixelAt(0, 0);
    }

    std::unique_ptr<CLiveRoom> g_room;
};

} // namespace

TEST_F(GlRoom, AtlasImagesLandExactlyAndGoOutTogether)
{
    // Sprites and images alternate along the depth order, which would be a
    // texture change per instance if every image had a texture of its own.
    for (int k = 0; k < 48; ++k)
        Place(k % 3 == 2 ? 1 : 0, k % 3 == 1 ? 1 : 0, (k % 8) * 8, (k / 8) * 8)->i_depth = -k;
    IRenderDevice* device = Display_Device();
    RDeviceStats before = device->Stats();
    RoomDraw_DrawRoom();
    Display_EndFrameAndPresent();
    RDeviceStats after = device->Stats();
    EXPECT_EQ(after.drawCalls - before.drawCalls, 1);
    EXPECT_EQ(after.readBacks, before.readBacks);

    EXPECT_EQ(Pixel(0, 0), kRed);
    EXPECT_EQ(Pixel(3, 3), kRed);
    EXPECT_EQ(Pixel(4, 0), kRoom);
    EXPECT_EQ(Pixel(8, 0), kGreen);
    EXPECT_EQ(Pixel(16, 2), kBlue);
    EXPECT_EQ(Pixel(19, 0), kRoom);
}

TEST_F(GlRoom, FilteredEnlargedImagesKeepTheirEdges)
{
    // Bilinear filtering at the edge of an enlarged atlas picture reads the
    // repeated border, never the picture next to it.
    DrawState.interpolate = true;
    Place(0, 1, 10, 10)->i_imagescalex = 8; // green, 32 × 4
    CInstance* red = Place(0, 0, 10, 30);
    red->i_imagescalex = red->i_imagescaley = 6;
    RoomDraw_DrawRoom();
    for (int32_t x : {10, 25, 41})
        EXPECT_TRUE(Near(Pixel(x, 10), kGreen)) << x;
    EXPECT_TRUE(Near(Pixel(10, 13), kGreen));
    EXPECT_TRUE(Near(Pixel(33, 53), kRed));
    EXPECT_TRUE(Near(Pixel(10, 30), kRed));
    EXPECT_EQ(Pixel(42, 10), kRoom);
}

TEST_F(GlRoom, FullScreenAndBack)
{
    // The offscreen driver keeps the window's size in full screen (SDL 2.26),
    // so only the way back is checked here: the window returns to the
    // position and size it had.
    Window_SetPosition(40, 30);
    RPixelRect windowed = Window_ClientBounds();
    Graphics_ToggleFullScreen();
    Window_ProcessEvents(nullptr);
    EXPECT_TRUE(WindowState.fullScreen);
    Window_SetPosition(0, 0); // remembered for later, not applied while full screen
    Graphics_ToggleFullScreen();
    Window_ProcessEvents(nullptr);
    EXPECT_FALSE(WindowState.fullScreen);
    EXPECT_EQ(Window_ClientBounds(), (RPixelRect{0, 0, windowed.w, windowed.h}));
}
