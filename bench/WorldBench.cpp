// Instances at scale: creating n instances (with their create event),
// running a step event on each and destroying them, per instance.
#include "code/Code.h"
#include "code/Executor.h"
#include "data/Event.h"
#include "data/Object.h"
#include "data/Resources.h"
#include "data/Room.h"
#include "runner/Registration.h"
#include "world/Actions.h"
#include "world/EventDispatch.h"
#include "world/Instance.h"
#include "world/InstanceLife.h"
#include "world/Rooms.h"
#include "world/World.h"

#include <benchmark/benchmark.h>

namespace {

void SetUpWorld()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    std::string problem;
    Runner_RegisterTables(problem);
    auto object = std::make_unique<CObject>();
    CEvent* create = object->CreateEvent(kEventCreate, 0);
    create->e_actions.push_back(CAction::MakeCode("hp = 3; speed = 1;"));
    Event_Compile(*create);
    CEvent* step = object->CreateEvent(kEventStep, 0);
    step->e_actions.push_back(CAction::MakeCode("hp -= 1; x += hspeed;"));
    Event_Compile(*step);
    Objects.Set(0, std::move(object), "obj_unit");
    Rooms.Set(0, std::make_unique<CRoom>(), "rm_bench");
    GameResources.RoomOrder = {0};
    Game_Start();
}

void BM_CreateStepDestroy(benchmark::State& state)
{
    SetUpWorld();
    const int64_t count = state.range(0);
    for (auto _ : state) {
        for (int64_t k = 0; k < count; ++k)
            Instance_Create(0, static_cast<double>(k % 640), static_cast<double>(k % 480));
        DispatchEvent(kEventStep, 0);
        for (int32_t k = 0; k < CurrentRoom->InstanceCount(); ++k)
            Instance_Destroy(CurrentRoom->InstanceAt(k));
        CurrentRoom->RemoveMarked();
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["ns_per_instance"] = benchmark::Counter(
        static_cast<double>(state.iterations() * count), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CreateStepDestroy)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Finding one instance by id and reading a variable through it, in a full room.
void BM_IdLookupInFullRoom(benchmark::State& state)
{
    SetUpWorld();
    while (CurrentRoom->InstanceCount() < 100000)
        Instance_Create(0, 0, 0);
    int32_t id = CurrentRoom->InstanceAt(50000)->i_id;
    CCode code("(" + std::to_string(id) + ").hp += 1; n = instance_exists(" + std::to_string(id) + ");", false);
    code.Compile();
    CInstance* self = CurrentRoom->InstanceAt(0);
    for (auto _ : state) {
        RValue result;
        Code_Execute(self, self, code, result);
    }
}
BENCHMARK(BM_IdLookupInFullRoom);

} // namespace

BENCHMARK_MAIN();
