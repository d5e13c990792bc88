// The running-game fixture.
#include "tests/world/RunningGameFixture.h"

#include "code/Code.h"
#include "code/ErrorReport.h"
#include "code/EventContext.h"
#include "code/Executor.h"
#include "data/GameData.h"
#include "data/GameSettings.h"
#include "data/Object.h"
#include "data/Resources.h"
#include "data/Sprite.h"
#include "library/DebugOutput.h"
#include "motion/Collision.h"
#include "platform/Keys.h"
#include "runner/Registration.h"
#include "tools/pack/Project.h"
#include "world/Actions.h"
#include "world/GameKeys.h"
#include "world/Input.h"
#include "world/Instance.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"
#include "world/World.h"

void RunningGameFixture::SetUp()
{
    std::string problem;
    ASSERT_TRUE(Runner_RegisterTables(problem)) << problem;
    Debug_SetMessageSink([this](const std::string& text) { w_messages.push_back(text); });
    Error_Reset();
    Error_SetHooks(RErrorHooks{});
    StepHooks = RStepHooks();
    RoomHooks = RRoomHooks();
    InputHooks = RInputHooks();
    GameKeys = RGameKeys();
    Platform_ResetKeys();
    Input_Reset();
    World_InstallInputHooks();
    StepHooks.handleMessages = nullptr; // tests hand notifications over themselves
    InputHooks.instanceCovers = [](const CInstance& instance, double x, double y) {
        return Collision_Point(instance, x, y, true);
    };
}

void RunningGameFixture::TearDown()
{
    if (CurrentRoom)
        Game_End();
    PendingRoomChange = kNoChange;
    Debug_SetMessageSink(nullptr);
    StepHooks = RStepHooks();
    RoomHooks = RRoomHooks();
    InputHooks = RInputHooks();
    GameKeys = RGameKeys();
    Platform_ResetKeys();
    Input_Reset();
    ClearResources();
    Settings.Reset();
}

void RunningGameFixture::LoadGame(const std::string& manifest)
{
    w_folder.Write("game.toml", manifest);
    GameProject project;
    ReadProject(w_folder.Path(), project);
    GameResources = std::move(project.Resources);
    Settings = std::move(project.Settings);
    LastInstanceId = GameResources.LastInstanceId;
    GameId = project.GameId;
}

int RunningGameFixture::AddSprite(int size, const std::function<bool(int, int)>& opaque,
                            const std::vector<std::string>& objects)
{
    auto sprite = std::make_unique<CSprite>();
    TBitmap32 image(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.Row(y)[x * 4 + 3] = opaque(x, y) ? 255 : 0;
    sprite->i_bitmap.push_back(image);
    sprite->ComputeMask(false, 0, RBox{}, 0, 0);
    int index = Sprites.Add(std::move(sprite), "spr_test" + std::to_string(Sprites.Count()));
    for (const std::string& name : objects)
        Objects.Get(Objects.Find(name))->o_spriteindex = index;
    return index;
}

void RunningGameFixture::StartGame()
{
    for (int32_t o = 0; o < Objects.Count(); ++o) {
        CObject* object = Objects.Get(o);
        for (int32_t etype = 0; object && etype < kEventTypeCount; ++etype) {
            for (auto& [number, event] : object->o_events[static_cast<size_t>(etype)]) {
                CurrentEvent = RCurrentEvent{o, etype, number, 0};
                ASSERT_TRUE(Event_Compile(event)) << Error_Last;
            }
        }
    }
    StepLoop = RStepLoopState();
    StepLoop.running = true;
    ASSERT_TRUE(Game_Start());
}

void RunningGameFixture::Step(int count)
{
    for (int k = 0; k < count; ++k) {
        StepLoop_Step();
        ++StepLoop.steps;
        if (IsChangePending())
            return;
    }
}

RValue RunningGameFixture::Evaluate(const std::string& expression)
{
    CCode code(expression, true);
    EXPECT_TRUE(code.Compile()) << code.ErrorMessage();
    CInstance* self = CurrentRoom && CurrentRoom->InstanceCount() > 0 ? CurrentRoom->InstanceAt(0) : nullptr;
    CInstance scratch;
    if (!self)
        self = &scratch;
    RValue result;
    EXPECT_TRUE(Code_Execute(self, self, code, result)) << Code_PendingError();
    Code_Context().ClearError();
    return result;
}

void RunningGameFixture::Run(const std::string& text)
{
    CCode code(text, false);
    EXPECT_TRUE(code.Compile()) << code.ErrorMessage();
    CInstance* self = CurrentRoom && CurrentRoom->InstanceCount() > 0 ? CurrentRoom->InstanceAt(0) : nullptr;
    CInstance scratch;
    if (!self)
        self = &scratch;
    RValue result;
    EXPECT_TRUE(Code_Execute(self, self, code, result)) << Code_PendingError();
    Code_Context().ClearError();
}

std::vector<std::string> RunningGameFixture::TakeMessages()
{
    std::vector<std::string> taken;
    taken.swap(w_messages);
    return taken;
}
