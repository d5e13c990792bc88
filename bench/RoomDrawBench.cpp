// Frames per second of a room of 2,000 animated instances of four sprites
// (32 × 32, four images each) at twenty depths, drawn whole and presented:
// through the null device (the runner's own work: sorting, merging, quads,
// batching) and through the OpenGL device on SDL's offscreen driver (Mesa's
// software renderer where there is no GPU). Each frame ends by reading one
// pixel back so that the device's work is inside the measured time; a game's
// frame never does that. For comparison, the same instances drawn from one
// texture per image (as scripts' textures are) show what the shared atlas
// saves: every change of image there ends a batch.
#include "data/Object.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "bench/BenchDisplay.h"
#include "graphics/Display.h"
#include "graphics/DrawState.h"
#include "graphics/ResourceTextures.h"
#include "graphics/RoomDraw.h"
#include "graphics/TextureDraw.h"
#include "platform/NullVideo.h"
#include "world/GameState.h"
#include "world/Instance.h"
#include "world/ObjectEvents.h"
#include "world/Rooms.h"
#include "world/World.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int kInstances = 2000;
constexpr int kSprites = 4;
constexpr int kImages = 4;

void MakeSprites()
{
    ClearResources();
    for (int s = 0; s < kSprites; ++s) {
        auto sprite = std::make_unique<CSprite>();
        for (int k = 0; k < kImages; ++k) {
            TBitmap32 image(32, 32);
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x) {
                    const bool inside = (x - 16) * (x - 16) + (y - 16) * (y - 16) < 225;
                    const uint32_t colour = 0xFF000000u | uint32_t(s * 60) << 16 | uint32_t(k * 60) << 8 | uint32_t(x * 8);
                    image.SetPixel(x, y, inside ? colour : 0u);
                }
            sprite->i_bitmap.push_back(image);
        }
        sprite->i_xorig = sprite->i_yorig = 16;
        Sprites.Add(std::move(sprite), "spr");
        auto object = std::make_unique<CObject>();
        object->o_spriteindex = s;
        Objects.Add(std::move(object), "obj");
    }
    ResourceTextures_BuildAll();
    EventLists_Rebuild();
}

std::unique_ptr<CLiveRoom> MakeRoom()
{
    auto room = std::make_unique<CLiveRoom>();
    room->r_width = 640;
    room->r_height = 480;
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u, seed >> 8; };
    for (int k = 0; k < kInstances; ++k) {
        CInstance* instance = room->AddInstance(double(next() % 640), double(next() % 480), k % kSprites, 100001 + k);
        instance->i_depth = double(next() % 20);
        instance->i_imageindex = double(k % kImages);
    }
    return room;
}

// The instances in depth order, each from its image's own texture.
void DrawWithOwnTextures(CLiveRoom& room)
{
    room.SortInstances();
    for (int k = 0; k < room.InstanceCount(); ++k) {
        const CInstance* instance = room.InstanceAt(k);
        const int32_t image = static_cast<int32_t>(instance->i_imageindex) % kImages;
        Draw_TextureExt(Sprite_TextureId(instance->i_spriteindex, image), 0xFFFFFF, 1, 0, 1, 1, instance->i_x,
                        instance->i_y, 16, 16);
    }
}

void DrawRoomFrames(benchmark::State& state, bool gl, bool ownTextures = false)
{
    if (!Bench_OpenDisplay(gl)) {
        state.SkipWithError("no OpenGL 3.3 context");
        Display_Close();
        return;
    }
    MakeSprites();
    std::unique_ptr<CLiveRoom> room = MakeRoom();
    CurrentRoom = room.get();
    Room_SetInstances(room.get());
    RoomDraw_FitRegionToRoom(*room);
    IRenderDevice* device = Display_Device();
    const RDeviceStats before = device->Stats();
    TBitmap32 pixel;
    for (auto _ : state) {
        if (ownTextures)
            DrawWithOwnTextures(*room);
        else
            RoomDraw_DrawRoom();
        Display_EndFrameAndPresent();
        Display_ReadScreen(0, 0, 1, 1, pixel);
        for (int k = 0; k < room->InstanceCount(); ++k) // animate, as the step would
            room->InstanceAt(k)->i_imageindex += 0.25;
    }
    const RDeviceStats after = device->Stats();
    const double frames = static_cast<double>(state.iterations());
    state.counters["fps"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["draw_calls_per_frame"] = static_cast<double>(after.drawCalls - before.drawCalls) / frames;
    CurrentRoom = nullptr;
    Room_SetInstances(nullptr);
    room.reset();
    Display_Close();
    ClearResources();
}

void BM_Room2000SpritesNullDevice(benchmark::State& state)
{
    DrawRoomFrames(state, false);
}
void BM_Room2000SpritesGl(benchmark::State& state)
{
    DrawRoomFrames(state, true);
}
void BM_Room2000SpritesGlTexturePerImage(benchmark::State& state)
{
    DrawRoomFrames(state, true, true);
}

} // namespace

BENCHMARK(BM_Room2000SpritesNullDevice)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Room2000SpritesGl)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Room2000SpritesGlTexturePerImage)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
