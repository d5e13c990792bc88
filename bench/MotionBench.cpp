// The collision stage at scale: a room of n instances, half balls and half
// walls, with collision events between balls and walls and among balls,
// spread out so that only about one instance in a hundred meets another.
// Also every pair's box stage alone, for comparison, and a place_free
// question in such a room.
#include "data/Event.h"
#include "data/Object.h"
#include "data/Resources.h"
#include "data/Room.h"
#include "data/Sprite.h"
#include "motion/Collision.h"
#include "motion/CollisionStage.h"
#include "motion/Grid.h"
#include "data/Path.h"
#include "motion/Places.h"
#include "runner/Registration.h"
#include "world/Actions.h"
#include "world/Instance.h"
#include "world/ObjectEvents.h"
#include "world/Rooms.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int32_t kBall = 0, kWall = 1;

void AddObject(int32_t index, const char* name, int32_t sprite, int32_t other)
{
    auto object = std::make_unique<CObject>();
    object->o_spriteindex = sprite;
    CEvent* event = object->CreateEvent(kEventCollision, other);
    event->e_actions.push_back(CAction::MakeCode("x = x;"));
    Event_Compile(*event);
    Objects.Set(index, std::move(object), name);
}

// A fresh room of count instances of 16 × 16 squares on a grid 40 pixels
// apart; every hundredth ball sits on the wall next to it.
void SetUpRoom(int64_t count)
{
    if (CurrentRoom)
        Game_End();
    ClearResources();
    std::string problem;
    Runner_RegisterTables(problem);
    auto sprite = std::make_unique<CSprite>();
    TBitmap32 image(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            image.Row(y)[x * 4 + 3] = 255;
    sprite->i_bitmap.push_back(image);
    sprite->ComputeMask(false, kBoxAutomatic, RBox(), kMaskPrecise, 0);
    int32_t square = Sprites.Add(std::move(sprite), "spr_square");
    AddObject(kBall, "obj_ball", square, kBall);
    AddObject(kWall, "obj_wall", square, kBall);
    auto room = std::make_unique<CRoom>();
    room->r_width = room->r_height = 100000;
    Rooms.Set(0, std::move(room), "rm_bench");
    GameResources.RoomOrder = {0};
    Game_Start();
    int32_t id = 100001;
    int64_t side = 1;
    while (side * side < count)
        ++side;
    for (int64_t k = 0; k < count; ++k) {
        double x = 40.0 * static_cast<double>(k % side), y = 40.0 * static_cast<double>(k / side);
        bool ball = k % 2 == 0;
        if (ball && k % 200 == 0)
            x += 30; // onto the next grid place, a wall
        CurrentRoom->AddInstance(x, y, ball ? kBall : kWall, id++);
    }
}

void BM_CollisionStage(benchmark::State& state)
{
    SetUpRoom(state.range(0));
    for (auto _ : state)
        Motion_CollisionEvents();
    state.counters["pairs"] = static_cast<double>(EventLists_CollisionPairs().size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CollisionStage)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);

// For comparison: only the box stage of every pair the pair list names, as
// a stage without the candidate index would have to do.
void BM_EveryPairBoxStage(benchmark::State& state)
{
    SetUpRoom(state.range(0));
    CLiveRoom* room = CurrentRoom;
    for (auto _ : state) {
        int64_t met = 0;
        for (const TColPair& pair : EventLists_CollisionPairs())
            for (int32_t a = 0; a < room->Obj_Number(pair.obj1); ++a)
                for (int32_t b = pair.obj1 == pair.obj2 ? a : 0; b < room->Obj_Number(pair.obj2); ++b)
                    met += Collision_Instance(*room->Obj_Instance(pair.obj1, a), *room->Obj_Instance(pair.obj2, b), false);
        benchmark::DoNotOptimize(met);
    }
}
BENCHMARK(BM_EveryPairBoxStage)->Arg(200)->Arg(2000)->Unit(benchmark::kMicrosecond);

void BM_PlaceFree(benchmark::State& state)
{
    SetUpRoom(state.range(0));
    CInstance* ball = CurrentRoom->InstanceAt(2);
    for (auto _ : state)
        benchmark::DoNotOptimize(Place_IsFree(*ball, ball->i_x + 3, ball->i_y, EAgainst::All));
}
BENCHMARK(BM_PlaceFree)->Arg(2000)->Unit(benchmark::kMicrosecond);

} // namespace


// A search across a 256 × 256 grid with about 30 % of its cells forbidden
// (fixed pseudo-random walls), corner to corner with diagonals.
void BM_GridPath(benchmark::State& state)
{
    CGrid grid;
    grid.Create(0, 0, 256, 256, 4, 4);
    uint32_t seed = 12345;
    for (int32_t i = 0; i < 256; ++i)
        for (int32_t j = 0; j < 256; ++j) {
            seed = seed * 1103515245u + 12345u;
            if ((seed >> 16) % 100 < 30)
                grid.AddCell(i, j);
        }
    grid.ClearCell(0, 0);
    grid.ClearCell(255, 255);
    CPath path;
    bool found = false;
    for (auto _ : state)
        found = grid.FindPath(path, 2, 2, 1022, 1022, true);
    state.counters["found"] = found ? 1 : 0;
    state.counters["points"] = static_cast<double>(path.i_points.size());
}
BENCHMARK(BM_GridPath)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
