// Entering and leaving rooms, starting, ending and restarting the game.
#include "world/Rooms.h"

#include "code/Code.h"
#include "code/ErrorReport.h"
#include "code/EventContext.h"
#include "code/Executor.h"
#include "code/Variables.h"
#include "data/Resources.h"
#include "world/EventDispatch.h"
#include "world/GameState.h"
#include "world/Instance.h"
#include "world/ObjectEvents.h"
#include "world/World.h"

#include <cassert>

int32_t PendingRoomChange = kNoChange;
std::string PendingLoadFile;
int32_t CurrentRoomIndex = -1;
CLiveRoom* CurrentRoom = nullptr;
int32_t TransitionKind = 0;
int32_t TransitionSteps = 80;
RRoomHooks RoomHooks;

namespace {

constexpr int32_t kOtherEvent = 7;
constexpr int32_t kGameStart = 2;
constexpr int32_t kGameEnd = 3;
constexpr int32_t kRoomStart = 4;
constexpr int32_t kRoomEnd = 5;

std::vector<std::unique_ptr<CLiveRoom>> LiveRooms;
std::vector<std::unique_ptr<CInstance>> Carried;

const std::vector<int32_t>& Order()
{
    return GameResources.RoomOrder;
}

void SetCurrent(CLiveRoom* room)
{
    CurrentRoom = room;
    Room_SetInstances(room);
}

void ClearInput()
{
    if (RoomHooks.clearInput)
        RoomHooks.clearInput();
}

// A fresh live copy of a room resource with its placed instances.
std::unique_ptr<CLiveRoom> MakeLiveCopy(const CRoom& resource)
{
    auto room = std::make_unique<CLiveRoom>();
    static_cast<CRoom&>(*room) = resource;
    for (const RRoomInstance& placed : resource.r_instance) {
        CInstance* instance = room->AddInstance(placed.x, placed.y, placed.index, placed.id);
        instance->i_initcode = placed.code;
    }
    return room;
}

// Compiles and runs a creation code; a failure is reported with heading.
void RunCreationCode(const std::string& text, CInstance* self, const std::string& place)
{
    const std::string compileHeading = "COMPILATION ERROR in " + place;
    const std::string runHeading = "EXECUTION ERROR in " + place;
    CCodePlace running(place);
    CCode code(text, false);
    if (!code.Compile()) {
        Error_Show(compileHeading + "\r" + code.ErrorMessage(), false);
        return;
    }
    RValue result;
    if (!Code_Evaluate(self, self, code, result)) {
        Error_Show(runHeading + "\r" + Code_PendingError(), false);
        Code_Context().ClearError();
    }
}

void EnterRoom(int32_t r, bool first)
{
    PendingRoomChange = kNoChange;
    ClearInput();
    if (RoomHooks.clearEffects)
        RoomHooks.clearEffects();
    if (r >= static_cast<int32_t>(LiveRooms.size()))
        LiveRooms.resize(static_cast<size_t>(r) + 1);
    CurrentRoomIndex = r;
    bool revisit = LiveRooms[static_cast<size_t>(r)] != nullptr;
    if (!revisit)
        LiveRooms[static_cast<size_t>(r)] = MakeLiveCopy(*Rooms.Get(r));
    CLiveRoom* room = LiveRooms[static_cast<size_t>(r)].get();
    SetCurrent(room);
    const int32_t ownCount = room->InstanceCount();

    if (RoomHooks.roomEntered)
        RoomHooks.roomEntered(first);

    for (std::unique_ptr<CInstance>& carried : Carried) {
        for (int32_t k = 0; k < room->InstanceCount(); ++k)
            if (room->InstanceAt(k)->i_id == carried->i_id)
                room->InstanceAt(k)->i_marked = true;
        CInstance* instance = room->AddInstance(carried->i_x, carried->i_y, carried->i_objectindex, carried->i_id);
        instance->Assign(*carried);
    }
    Carried.clear();

    if (!revisit) {
        const std::string roomName = Rooms.Name(r);
        for (int32_t k = 0; k < ownCount && k < room->InstanceCount(); ++k) {
            CInstance* instance = room->InstanceAt(k);
            if (instance->i_marked)
                continue;
            if (!instance->i_initcode.empty()) {
                std::string place = "creation code for instance " + std::to_string(instance->i_id) + " in room " + roomName;
                RunCreationCode(instance->i_initcode, instance, place);
            }
            PerformEvent(instance, instance, 0, 0);
        }
    }
    if (first)
        PerformEventAll(kOtherEvent, kGameStart);
    if (!revisit && !room->r_code.empty() && !IsChangePending()) {
        CInstance temporary;
        temporary.Create(0, 0, 0, 0);
        std::string place = "creation code of room " + Rooms.Name(r);
        RunCreationCode(room->r_code, &temporary, place);
    }
    PerformEventAll(kOtherEvent, kRoomStart);
    if (!IsChangePending() && RoomHooks.roomStarted)
        RoomHooks.roomStarted();
}

void LeaveRoom(bool ending)
{
    CLiveRoom* room = CurrentRoom;
    if (!room)
        return;
    if (RoomHooks.roomLeaving)
        RoomHooks.roomLeaving(ending);
    room->RemoveMarked();
    int32_t saved = PendingRoomChange;
    PendingRoomChange = kNoChange;
    PerformEventAll(kOtherEvent, kRoomEnd);
    if (ending)
        PerformEventAll(kOtherEvent, kGameEnd);
    PendingRoomChange = saved;
    for (int32_t k = 0; k < room->InstanceCount(); ++k) {
        CInstance* instance = room->InstanceAt(k);
        if (instance->i_marked || !instance->i_persistent)
            continue;
        auto copy = std::make_unique<CInstance>();
        copy->Assign(*instance);
        Carried.push_back(std::move(copy));
        instance->i_marked = true;
    }
    if (!room->r_persistent && CurrentRoomIndex >= 0 && CurrentRoomIndex < static_cast<int32_t>(LiveRooms.size()))
        LiveRooms[static_cast<size_t>(CurrentRoomIndex)].reset();
    SetCurrent(nullptr);
}

void FatalStop(const std::string& message)
{
    Error_Show(message, true);
    PendingRoomChange = kChangeStop;
}

bool RunLibraryInitialization()
{
    static const std::string place = "library initialization code";
    CCodePlace running(place);
    for (const std::string& text : GameResources.LibraryInitCode) {
        if (text.empty())
            continue;
        CCode code(text, false);
        if (!code.Compile()) {
            Error_Show("COMPILATION ERROR in library initialization code\r" + code.ErrorMessage(), true);
            return false;
        }
        CInstance temporary;
        temporary.Create(0, 0, 0, 0);
        RValue result;
        Code_Run(&temporary, &temporary, code, result);
    }
    return true;
}

} // namespace

int32_t Room_First()
{
    return Order().empty() ? -1 : Order().front();
}

int32_t Room_Last()
{
    return Order().empty() ? -1 : Order().back();
}

int32_t Room_Previous(int32_t room)
{
    const std::vector<int32_t>& order = Order();
    if (order.size() < 2)
        return -1;
    for (size_t k = 1; k < order.size(); ++k)
        if (order[k] == room)
            return order[k - 1];
    return -1;
}

int32_t Room_Next(int32_t room)
{
    const std::vector<int32_t>& order = Order();
    if (order.size() < 2)
        return -1;
    for (size_t k = order.size() - 1; k-- > 0;)
        if (order[k] == room)
            return order[k + 1];
    return -1;
}

bool Room_Exists(int32_t room)
{
    return Rooms.Exists(room);
}

void Room_Goto(int32_t room, int32_t transition)
{
    TransitionKind = transition;
    PendingRoomChange = room;
    if (!Room_Exists(room))
        FatalStop("Unexisting room number: " + std::to_string(room));
}

void Room_GotoPrevious(int32_t transition)
{
    if (CurrentRoomIndex == Room_First()) {
        FatalStop("Moving to previous room before the first room.");
        return;
    }
    Room_Goto(Room_Previous(CurrentRoomIndex), transition);
}

void Room_GotoNext(int32_t transition)
{
    if (CurrentRoomIndex == Room_Last()) {
        FatalStop("Moving to next room after the last room.");
        return;
    }
    Room_Goto(Room_Next(CurrentRoomIndex), transition);
}

void Room_Restart(int32_t transition)
{
    Room_Goto(CurrentRoomIndex, transition);
}

void Game_RequestEnd()
{
    PendingRoomChange = kChangeEnd;
}

void Game_RequestRestart()
{
    PendingRoomChange = kChangeRestart;
}

void Game_RequestLoad(const std::string& file)
{
    PendingLoadFile = file;
    PendingRoomChange = kChangeLoad;
}

int32_t Room_LiveSlotCount()
{
    return static_cast<int32_t>(LiveRooms.size());
}

const CLiveRoom* Room_LiveSlot(int32_t slot)
{
    return slot >= 0 && slot < Room_LiveSlotCount() ? LiveRooms[static_cast<size_t>(slot)].get() : nullptr;
}

void Room_ReplaceLiveRooms(std::vector<std::unique_ptr<CLiveRoom>> rooms, int32_t current)
{
    assert(current >= 0 && current < static_cast<int32_t>(rooms.size()) && rooms[static_cast<size_t>(current)]);
    SetCurrent(nullptr);
    Carried.clear();
    LiveRooms = std::move(rooms);
    CurrentRoomIndex = current;
    SetCurrent(LiveRooms[static_cast<size_t>(current)].get());
}

bool Game_Start()
{
    EventLists_Rebuild();
    Variable_Init();
    GameState.score = 0;
    GameState.lives = -1;
    GameState.cursorSprite = -1;
    GameState.cursorImage = 0;
    TransitionKind = 0;
    if (RoomHooks.seedRandom)
        RoomHooks.seedRandom();
    if (!RunLibraryInitialization())
        return false;
    if (RoomHooks.startExtensions && !RoomHooks.startExtensions())
        return false;
    LiveRooms.clear();
    LiveRooms.resize(static_cast<size_t>(std::max(Rooms.Count(), 0)));
    Carried.clear();
    int32_t first = Room_First();
    if (!Room_Exists(first)) {
        FatalStop("Unexisting room number: " + std::to_string(first));
        return false;
    }
    EnterRoom(first, true);
    return true;
}

bool Room_NoExtensions()
{
    static bool told = false;
    if (!GameResources.ExtensionPackages.empty() && !told) {
        told = true;
        Error_Show("Extension packages are not available on this system.", false);
    }
    return true;
}

void Game_End()
{
    LeaveRoom(true);
    LiveRooms.clear();
    Carried.clear();
    SetCurrent(nullptr);
    CurrentRoomIndex = -1;
    if (RoomHooks.endExtensions)
        RoomHooks.endExtensions();
}

bool Room_CarryOutPendingChange()
{
    int32_t change = PendingRoomChange;
    if (change == kNoChange)
        return true;
    if (change >= 0) {
        LeaveRoom(false);
        EnterRoom(change, false);
        return true;
    }
    if (change == kChangeRestart) {
        Game_End();
        PendingRoomChange = kNoChange;
        return Game_Start();
    }
    if (change == kChangeLoad) {
        PendingRoomChange = kNoChange;
        ClearInput();
        if (RoomHooks.loadGame)
            RoomHooks.loadGame(PendingLoadFile);
        return true;
    }
    return false; // the end, or a fatal error
}
