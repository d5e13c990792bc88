// Room transitions drawn by the real OpenGL device on SDL's offscreen driver:
// where each built-in effect puts the old and the new picture halfway
// through, the middle frames of three effects against reference pictures,
// and a whole room change played as steps + 1 presented frames. Skipped
// where no OpenGL 3.3 context can be made.
#include "graphics/Display.h"
#include "graphics/PictureFiles.h"
#include "graphics/Surfaces.h"
#include "graphics/TextureDraw.h"
#include "graphics/Transitions.h"
#include "platform/Files.h"
#include "tests/graphics/GlTestSupport.h"
#include "world/Rooms.h"
#include "world/World.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr int32_t kW = 160, kH = 120;

// The old picture: blue stripes; the new one: an orange and dark red
// checker. Every pixel of one is bluer than red, of the other redder than blue.
TBitmap32 OldPicture()
{
    TBitmap32 b(kW, kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            b.SetPixel(x, y, ((x + y) / 10) % 2 ? 0xFF2040F0 : 0xFF90B0FF);
    return b;
}

TBitmap32 NewPicture()
{
    TBitmap32 b(kW, kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            b.SetPixel(x, y, (x / 20 + y / 20) % 2 ? 0xFFFF8C00 : 0xFF800000);
    return b;
}

class GlTransition : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_VIDEODRIVER", "offscreen", 1); }

    void SetUp() override
    {
        if (const char* why = OpenGlDisplay(kW, kH))
            GTEST_SKIP() << why;
        g_old = OldPicture();
        g_new = NewPicture();
        g_from = SurfaceOf(g_old);
        g_to = SurfaceOf(g_new);
    }
    void TearDown() override { Display_Close(); }

    static int32_t SurfaceOf(const TBitmap32& picture)
    {
        const int32_t surface = Surface_Create(kW, kH);
        const int32_t texture = Texture_FromBitmap(picture);
        Surface_SetTarget(surface);
        Draw_Texture(texture, 0, 0);
        Surface_ResetTarget();
        Texture_Free(texture);
        return surface;
    }

    TBitmap32 Frame(int32_t kind, double t)
    {
        Display_Device()->Clear(0xFF000000);
        Transition_DrawBuiltin(kind, g_from, g_to, kW, kH, t, 80);
        TBitmap32 frame;
        EXPECT_TRUE(Display_ReadScreen(0, 0, kW, kH, frame));
        return frame;
    }

    TBitmap32 g_old, g_new;
    int32_t g_from = -1, g_to = -1;
};

} // namespace

TEST_F(GlTransition, HalfwayEachEffectShowsThePartsItShould)
{
    // Each case: the screen pixel (x, y) at t = 0.5 shows the old ('F') or
    // new ('T') picture's pixel (sx, sy), or black ('0').
    struct RCase {
        int32_t kind, x, y;
        char picture;
        int32_t sx, sy;
    };
    const RCase cases[] = {
        {1, 10, 60, 'T', 10, 60},   {1, 150, 60, 'F', 150, 60},  {2, 10, 60, 'F', 10, 60},
        {2, 150, 60, 'T', 150, 60}, {3, 80, 10, 'T', 80, 10},    {3, 80, 110, 'F', 80, 110},
        {4, 80, 10, 'F', 80, 10},   {4, 80, 110, 'T', 80, 110},  {5, 80, 60, 'T', 80, 60},
        {5, 41, 31, 'T', 41, 31},   {5, 38, 28, 'F', 38, 28},    {5, 121, 60, 'F', 121, 60},
        {6, 10, 60, 'T', 90, 60},   {6, 150, 60, 'F', 150, 60},  {7, 10, 60, 'F', 10, 60},
        {7, 150, 60, 'T', 70, 60},  {8, 80, 10, 'T', 80, 70},    {8, 80, 110, 'F', 80, 110},
        {9, 80, 10, 'F', 80, 10},   {9, 80, 110, 'T', 80, 50},   {10, 0, 60, 'T', 0, 60},
        {10, 1, 60, 'T', 1, 60},    {10, 2, 60, 'F', 2, 60},     {10, 159, 60, 'F', 159, 60},
        {12, 80, 4, 'T', 80, 4},    {12, 80, 5, 'F', 80, 5},     {14, 10, 60, 'T', 90, 60},
        {14, 150, 60, 'F', 70, 60}, {15, 10, 60, 'F', 90, 60},   {15, 150, 60, 'T', 70, 60},
        {16, 80, 10, 'T', 80, 70},  {16, 80, 110, 'F', 80, 50},  {17, 80, 10, 'F', 80, 70},
        {17, 80, 110, 'T', 80, 50}, {18, 5, 5, 'F', 5, 5},       {21, 80, 60, '0', 0, 0},
    };
    for (const RCase& c : cases) {
        const TBitmap32 frame = Frame(c.kind, 0.5);
        const uint32_t expected =
            c.picture == '0' ? 0xFF000000 : (c.picture == 'F' ? g_old : g_new).PixelAt(c.sx, c.sy);
        EXPECT_TRUE(Near(frame.PixelAt(c.x, c.y), expected)) << "kind " << c.kind << " at " << c.x << ", " << c.y;
    }
}

TEST_F(GlTransition, EndsShowOnlyTheOldAndTheNewPicture)
{
    for (int32_t kind = 1; kind <= kBuiltinTransitions; ++kind) {
        // At t = 0 nothing of the new picture shows (fading through black shows the old one whole).
        EXPECT_TRUE(Near(Frame(kind, 0).PixelAt(150, 110), g_old.PixelAt(150, 110))) << "kind " << kind;
        // At t = 1 the new picture covers everything.
        const TBitmap32 last = Frame(kind, 1);
        for (auto [x, y] : {std::pair{0, 0}, {159, 119}, {80, 60}})
            EXPECT_TRUE(Near(last.PixelAt(x, y), g_new.PixelAt(x, y))) << "kind " << kind << " at " << x;
    }
}

TEST_F(GlTransition, MiddleFramesMatchTheirReferences)
{
    // Stripes, the spinning new picture and the cross-fade, each looked at
    // and kept as a picture. A mismatch leaves the frame in the temporary folder.
    for (int32_t kind : {10, 18, 20}) {
        const std::string name = "transition-" + std::to_string(kind) + ".png";
        const TBitmap32 frame = Frame(kind, 0.5);
        std::vector<TBitmap32> frames;
        const bool read =
            Picture_DecodeFile(std::string(BRINDLE_SOURCE_DIR) + "/tests/graphics/references/" + name, frames);
        const TBitmap32 reference = read ? frames[0] : TBitmap32();
        int32_t differing = 0;
        if (read && reference.Width() == kW && reference.Height() == kH)
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x)
                    differing += !Near(frame.PixelAt(x, y), reference.PixelAt(x, y));
        else
            differing = kW * kH;
        // Within 0.1 % of the pixels, as the drawing games are compared.
        if (differing > kW * kH / 1000) {
            const std::vector<uint8_t> png = Picture_EncodePng(frame);
            const char* temp = std::getenv("TMPDIR");
            Platform_WriteWholeFile(std::string(temp ? temp : "/tmp") + "/" + name, png.data(), png.size());
            ADD_FAILURE() << name << ": " << differing << " pixels differ";
        }
    }
}

TEST_F(GlTransition, RoomChangeShowsStepsPlusOneFrames)
{
    CLiveRoom room;
    room.r_width = kW;
    room.r_height = kH;
    room.r_color = 0x0000FF;
    CurrentRoom = &room;
    Room_SetInstances(&room);
    TransitionSteps = 3;
    IRenderDevice* device = Display_Device();
    const int64_t presents = device->Stats().presents;
    Transition_Capture(1);
    room.r_color = 0x00FF00;
    Transition_PlayRoomStart();
    EXPECT_EQ(device->Stats().presents - presents, 4);
    // The surfaces are gone with the transition; a change without a kind presents once.
    EXPECT_FALSE(Surface_Exists(2) || Surface_Exists(3));
    Transition_Capture(0);
    Transition_PlayRoomStart();
    EXPECT_EQ(device->Stats().presents - presents, 5);
    TBitmap32 frame;
    EXPECT_TRUE(Display_ReadScreen(0, 0, 1, 1, frame));
    EXPECT_TRUE(Near(frame.PixelAt(0, 0), 0xFF00FF00));
    TransitionSteps = 80;
    CurrentRoom = nullptr;
    Room_SetInstances(nullptr);
}
