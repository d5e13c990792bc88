// The room draw on the null device: the depth merge of instances, tiles and
// particle systems, layers, views with their ports, turned views, the cursor
// sprite, the region at a room's start and the caption.
#include "graphics/RoomDraw.h"
#include "graphics/SpriteDraw.h"
#include "world/StepLoop.h"
#include "tests/graphics/RoomFixture.h"

#include <cmath>
#include <limits>

namespace {

// Particle systems stand-ins: each depth draws a quad of colour 0xA00000 + depth.
std::vector<double> ParticleDepths;
std::vector<int32_t> ViewsSeen;
std::vector<RPixelRect> ViewportsSeen;
void (*DuringParticles)() = nullptr;

double ParticleDepthBelow(double below)
{
    double best = kNoParticleDepth;
    for (double d : ParticleDepths)
        if (d < below && d > best)
            best = d;
    return best;
}

void DrawParticles(double depth)
{
    ViewsSeen.push_back(GameState.viewCurrent);
    ViewportsSeen.push_back(static_cast<CNullRenderDevice*>(Display_Device())->Viewport());
    Sprite_Draw(0, 0, 0, 0, 1, 1, 0, 0xA00000 + static_cast<int32_t>(depth), 1);
    if (DuringParticles)
        DuringParticles();
}

class RoomDraw : public RoomFixture {
protected:
    void SetUp() override
    {
        RoomFixture::SetUp();
        ParticleDepths.clear();
        ViewsSeen.clear();
        ViewportsSeen.clear();
        DuringParticles = nullptr;
        RoomDrawHooks = {&ParticleDepthBelow, &DrawParticles};
    }
    void TearDown() override
    {
        RoomDrawHooks = RRoomDrawHooks();
        RoomFixture::TearDown();
    }

    CView& View(int v, RPixelRect view, RPixelRect port, double angle = 0)
    {
        g_room->r_enableviews = true;
        CView& slot = g_room->r_view[static_cast<size_t>(v)];
        slot.visible = true;
        slot.xview = view.x;
        slot.yview = view.y;
        slot.wview = view.w;
        slot.hview = view.h;
        slot.xport = port.x;
        slot.yport = port.y;
        slot.wport = port.w;
        slot.hport = port.h;
        slot.angle = angle;
        return slot;
    }
};

} // namespace

TEST_F(RoomDraw, DepthMergeOfInstancesTilesAndParticles)
{
    Place(0, 10, 10, 0, 0x000002);
    Place(0, 20, 10, 10, 0x000001);
    Place(0, 30, 10, 0, 0x000003);                 // same depth as the first: keeps its place after it
    Place(0, 40, 10, -5, 0x000006);
    Place(0, 50, 10, 5, 0x000009)->i_visible = false;
    Place(0, 60, 10, -5, 0x000007)->i_marked = true;
    Tile(0, 40, 0, 0x000004);                      // equal depth: over the instances
    Tile(20, 40, 20, 0x000005);
    Tile(40, 40, 3, 0x000008);
    g_room->r_tile.back().visible = false;
    ParticleDepths = {0, 30};                      // equal depth: under everything

    RoomDraw_DrawRoom();
    EXPECT_EQ(DrawnColours(), (std::vector<int32_t>{0xA0001E, 5, 1, 0xA00000, 2, 3, 4, 6}));
    // The sort stays in the room: the list is ordered by depth now.
    EXPECT_EQ(g_room->InstanceAt(0)->i_imageblend, 1u);
    EXPECT_EQ(g_room->r_tile[0].depth, 20);
}

TEST_F(RoomDraw, LayersUnderAndOverTheInstances)
{
    CBack& layer = g_room->r_background[0];
    layer.visible = true;
    layer.index = 1; // 50 × 40, tiled from (10, 5) over the 200 × 100 room
    layer.x = 10;
    layer.y = 5;
    layer.blend = 0x00000B;
    CBack& front = g_room->r_background[1];
    front.visible = front.foreground = true;
    front.index = 1;
    front.htiled = front.vtiled = false;
    front.blend = 0x00000C;
    CBack& missing = g_room->r_background[2];
    missing.visible = true;
    missing.index = 9;
    Place(0, 10, 10, 0, 0x000001);

    RoomDraw_DrawRoom();
    std::vector<int32_t> expected(5 * 4, 0x00000B); // columns -40..160, rows -35..85
    expected.push_back(1);
    expected.push_back(0x00000C);
    EXPECT_EQ(DrawnColours(), expected);
}

TEST_F(RoomDraw, EachViewDrawsThroughItsPort)
{
    View(0, {0, 0, 100, 100}, {0, 0, 100, 100});
    View(3, {50, 0, 100, 100}, {100, 0, 50, 50});
    View(5, {0, 0, 0, 100}, {0, 0, 100, 100});    // no area: nothing to show
    g_room->r_view[1].xport = 999;                 // hidden views count for nothing
    ParticleDepths = {0};

    RoomDraw_DrawRoom();
    EXPECT_EQ(ViewsSeen, (std::vector<int32_t>{0, 3}));
    EXPECT_EQ(ViewportsSeen, (std::vector<RPixelRect>{{0, 0, 100, 100}, {100, 0, 50, 50}}));
    EXPECT_EQ(GameState.viewCurrent, 0);
    EXPECT_EQ(g_device->Viewport(), (RPixelRect{0, 0, 640, 480})); // back to the whole region
    EXPECT_TRUE(WindowState.views[3].active);
    EXPECT_EQ(WindowState.views[3].vx, 50);
    EXPECT_EQ(WindowState.views[3].pw, 50);
    EXPECT_FALSE(WindowState.views[1].active);
    EXPECT_EQ(WindowState.activeViews, 3);

    // With views disabled the table empties and the room is drawn whole.
    g_room->r_enableviews = false;
    ViewsSeen.clear();
    RoomDraw_DrawRoom();
    EXPECT_EQ(ViewsSeen, (std::vector<int32_t>{0}));
    EXPECT_EQ(WindowState.activeViews, 0);
    EXPECT_EQ(g_device->Viewport(), (RPixelRect{0, 0, 200, 100}));
}

TEST_F(RoomDraw, TurnedViewsReachPastTheirCorners)
{
    // The view shows x 0..100; turned, it covers up to 100 + 50 div 2.
    Tile(110, 10, 0, 0x000001);
    Tile(130, 10, 0, 0x000002);
    struct Case {
        double angle;
        std::vector<int32_t> drawn;
    } cases[] = {{0, {}}, {0.005, {}}, {30, {1}}, {-90, {1}}};
    for (const Case& c : cases) {
        View(0, {0, 0, 100, 50}, {0, 0, 100, 50}, c.angle);
        RoomDraw_DrawRoom();
        EXPECT_EQ(DrawnColours(), c.drawn) << c.angle;
    }
}

TEST_F(RoomDraw, DefaultDrawingOfAnInstance)
{
    CInstance* plain = Place(0, 50, 40, 0, 0xFFFFFF);
    RoomDraw_DrawRoom();
    std::vector<RVertex> v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[0].x, 50 - 5 - 0.5f); // at the origin, unscaled
    EXPECT_FLOAT_EQ(v[2].y, 40 + 5 - 0.5f);

    plain->i_imagescalex = -2; // mirrored about the origin
    RoomDraw_DrawRoom();
    v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[0].x, 50 + 10 - 0.5f);
    EXPECT_FLOAT_EQ(v[1].x, 50 - 10 - 0.5f);

    // The image is floor(image_index), taken modulo the sprite's images.
    plain->SetObject(1);
    plain->i_imageindex = 5.7;
    RoomDraw_DrawRoom();
    v = g_device->TakeSentVertices();
    const RTexturePicture* third = Sprite_Picture(1, 2);
    ASSERT_TRUE(third);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[0].u, float(third->left) / third->textureW);
    EXPECT_FLOAT_EQ(v[0].v, float(third->top) / third->textureH);

    // Without a sprite (and without a draw event) there is nothing to draw.
    plain->SetSprite(-1);
    RoomDraw_DrawRoom();
    EXPECT_TRUE(g_device->TakeSentVertices().empty());
}

TEST_F(RoomDraw, CursorSpriteAtTheMouseInEveryView)
{
    GameState.cursorSprite = 0; // origin 5, 5
    GameState.cursorImage = 7;
    RPixelRect client = g_window->ClientBounds();
    g_window->SetScreenMouse(client.x + 30, client.y + 20);
    RoomDraw_DrawRoom();
    std::vector<RVertex> v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 4u);
    EXPECT_FLOAT_EQ(v[0].x, 30 - 5 - 0.5f);
    EXPECT_FLOAT_EQ(v[0].y, 20 - 5 - 0.5f);

    // Through a view that doubles the room, the mouse lies on room (65, 10),
    // and each view draws the cursor there.
    View(0, {50, 0, 100, 100}, {0, 0, 200, 200});
    View(1, {0, 0, 100, 100}, {300, 0, 100, 100});
    RoomDraw_DrawRoom();
    v = g_device->TakeSentVertices();
    ASSERT_EQ(v.size(), 8u);
    EXPECT_FLOAT_EQ(v[0].x, 65 - 5 - 0.5f);
    EXPECT_FLOAT_EQ(v[4].y, 10 - 5 - 0.5f);

    GameState.cursorSprite = 42; // no such sprite: no cursor, no complaint
    RoomDraw_DrawRoom();
    EXPECT_TRUE(g_device->TakeSentVertices().empty());
    EXPECT_TRUE(Error_Last.empty());
}

TEST_F(RoomDraw, RegionFitsTheRoomOrItsPorts)
{
    struct Case {
        int32_t roomW, roomH;
        std::vector<RPixelRect> ports; // views enabled when any is given
        int32_t regionW, regionH;
    } cases[] = {
        {200, 100, {}, 200, 100},
        {5000, 3000, {}, 1024, 768},                            // within the screen
        {200, 100, {{0, 0, 300, 200}, {300, 0, 100, 50}}, 400, 200},
        {200, 100, {{0, 0, 4, 4}}, 8, 8},                       // never below 8 × 8
    };
    for (const Case& c : cases) {
        g_room = std::make_unique<CLiveRoom>();
        g_room->r_width = c.roomW;
        g_room->r_height = c.roomH;
        for (size_t k = 0; k < c.ports.size(); ++k)
            View(static_cast<int>(k), {0, 0, 10, 10}, c.ports[k]);
        RoomDraw_FitRegionToRoom(*g_room);
        int32_t w, h;
        Display_GetBackRegion(w, h);
        EXPECT_EQ(w, c.regionW) << c.roomW;
        EXPECT_EQ(h, c.regionH) << c.roomW;
        EXPECT_EQ(WindowState.regionW, c.regionW);
        // The window takes the region's size, centred on the screen.
        EXPECT_EQ(g_window->ClientBounds(), (RPixelRect{(1024 - w) / 2, (768 - h) / 2, w, h})) << c.roomW;
    }
    CurrentRoom = g_room.get();
}

TEST_F(RoomDraw, RedrawFromInsideADrawIsPassedOver)
{
    ParticleDepths = {0};
    int64_t presentsInside = -1;
    static int64_t* seen;
    seen = &presentsInside;
    DuringParticles = [] {
        GraphicsFixture::Call("screen_redraw");
        *seen = Display_Device()->Stats().presents;
    };
    int64_t before = g_device->Stats().presents;
    Call("screen_redraw");
    EXPECT_EQ(presentsInside, before);      // the inner request did nothing
    EXPECT_EQ(ViewsSeen.size(), 1u);        // and drew nothing
    EXPECT_EQ(g_device->Stats().presents, before + 1);
    EXPECT_EQ(g_device->Stats().readBacks, 0);
}

TEST_F(RoomDraw, CaptionShowsTheRoomAndTheScore)
{
    g_room->r_caption = "Level";
    RoomDraw_DrawRoom();
    EXPECT_EQ(g_window->Caption(), "Level");
    GameState.score = 10;
    GameState.showLives = true;
    GameState.lives = 3;
    RoomDraw_DrawRoom();
    EXPECT_EQ(g_window->Caption(), "Level Score: 10 Lives: 3");
}

TEST_F(RoomDraw, WorldHooksSizeShowDrawAndListen)
{
    Graphics_InstallWorldHooks();
    Graphics_InstallMessageHandling();
    RoomHooks.roomEntered(true);
    EXPECT_TRUE(g_window->IsVisible());
    EXPECT_EQ(WindowState.regionW, 200);
    EXPECT_EQ(WindowState.regionH, 100);

    // The room's first picture is drawn and shown at once; that uses up the transition.
    TransitionKind = 5;
    int64_t presents = g_device->Stats().presents;
    Place(0, 10, 10, 0, 0x000001);
    RoomHooks.roomStarted();
    EXPECT_EQ(DrawnColours(), (std::vector<int32_t>{1}));
    EXPECT_EQ(g_device->Stats().presents, presents + 1);
    EXPECT_EQ(TransitionKind, 0);
    Call("set_automatic_draw", {RValue(0.0)});
    EXPECT_FALSE(StepLoop.automaticDraw);
    TransitionKind = 5;
    RoomHooks.roomStarted();
    EXPECT_TRUE(DrawnColours().empty());
    EXPECT_EQ(TransitionKind, 5);

    // Without a listener a close request ends the game; with one, it is the listener's.
    RWindowEvent close;
    close.kind = EWindowEvent::Close;
    g_window->QueueEvent(close);
    StepHooks.handleMessages();
    EXPECT_EQ(PendingRoomChange, kChangeEnd);
    PendingRoomChange = kNoChange;
    static int heard;
    heard = 0;
    Graphics_SetWindowEventListener([](const RWindowEvent& event) { heard += event.kind == EWindowEvent::Close; });
    g_window->QueueEvent(close);
    StepHooks.handleMessages();
    EXPECT_EQ(heard, 1);
    EXPECT_EQ(PendingRoomChange, kNoChange);

    Graphics_SetWindowEventListener(nullptr);
    StepHooks = RStepHooks();
    RoomHooks = RRoomHooks();
    StepLoop = RStepLoopState();
    TransitionKind = 0;
}

TEST_F(RoomDraw, In3DModeEachLayerLiesAtItsDepth)
{
    CBack& layer = g_room->r_background[0];
    layer.visible = true;
    layer.index = 1;
    layer.htiled = layer.vtiled = false;
    CBack& front = g_room->r_background[1];
    front = layer;
    front.foreground = true;
    Place(0, 10, 10, 20000, 0x000001); // deeper than the backgrounds: kept in front of them
    Place(0, 10, 10, -300, 0x000002);
    Tile(95, 0, 50, 0x000003); // in both views
    ParticleDepths = {30000};
    View(0, {0, 0, 100, 100}, {0, 0, 100, 100});
    View(1, {100, 0, 100, 100}, {100, 0, 100, 100});

    auto depths = [&] {
        std::vector<float> z;
        std::vector<RVertex> v = g_device->TakeSentVertices();
        for (size_t k = 0; k + 3 < v.size(); k += 4)
            z.push_back(v[k].z);
        return z;
    };
    RoomDraw_DrawRoom();
    EXPECT_EQ(depths(), std::vector<float>(12, 0)); // in 2D every depth is 0
    EXPECT_EQ(g_device->DepthClears(), 0);

    ASSERT_EQ(Test_CallFunction("d3d_start", {}).val, 1);
    RoomDraw_DrawRoom();
    const std::vector<float> view = {12000, 11000, 11000, 50, -300, -12000};
    std::vector<float> expected = view;
    expected.insert(expected.end(), view.begin(), view.end());
    EXPECT_EQ(depths(), expected);
    EXPECT_EQ(g_device->DepthClears(), 2); // once per view
}
