// The rooms of the running game: the live copies (which is what makes a room
// persistent), the current room, the room order, the pending change and the
// order of everything that happens when rooms are entered and left and when
// the game starts, ends and restarts.
#pragma once

#include "data/Room.h"
#include "world/HookSlot.h"
#include "world/InstanceList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CInstance;

// A room as the game runs in it: the stored fields (which scripts may
// change) with the instance lists.
class CLiveRoom : public CRoom, public CInstanceLists {
public:
    CLiveRoom() = default;
    CLiveRoom(const CLiveRoom&) = delete;
    CLiveRoom& operator=(const CLiveRoom&) = delete;
    int32_t r_lasttile = -1;
};

enum : int32_t {
    kNoChange = -1,
    kChangeEnd = -100,
    kChangeRestart = -200,
    kChangeLoad = -300,
    kChangeStop = -400,
};

extern int32_t PendingRoomChange;
extern std::string PendingLoadFile;
extern int32_t CurrentRoomIndex;
extern CLiveRoom* CurrentRoom;
extern int32_t TransitionKind;
extern int32_t TransitionSteps;

inline bool IsChangePending()
{
    return PendingRoomChange != kNoChange;
}

// The room order.
int32_t Room_First();
int32_t Room_Last();
int32_t Room_Previous(int32_t room);
int32_t Room_Next(int32_t room);
bool Room_Exists(int32_t room);

// Requests: they only set the pending change.
void Room_Goto(int32_t room, int32_t transition);
void Room_GotoPrevious(int32_t transition);
void Room_GotoNext(int32_t transition);
void Room_Restart(int32_t transition);
void Game_RequestEnd();
void Game_RequestRestart();
void Game_RequestLoad(const std::string& file);

// The live room table: one slot per room index, empty or holding that
// room's live copy. Saving reads it; loading replaces it whole.
int32_t Room_LiveSlotCount();
const CLiveRoom* Room_LiveSlot(int32_t slot);
// Frees every live room and takes rooms as the table; the room in slot
// current (which must hold one) becomes the current room. Raises no event.
void Room_ReplaceLiveRooms(std::vector<std::unique_ptr<CLiveRoom>> rooms, int32_t current);

// Carried out by the step loop: starting, ending and changing.
bool Game_Start();
void Game_End();
// Carries out the pending change; false when the game stopped running.
bool Room_CarryOutPendingChange();

// Starting a game without the extension module: true (the game goes on).
bool Room_NoExtensions();

// Things the room needs from modules that come later (drawing, input,
// saving), installed at start-up (see world/HookSlot.h).
struct RRoomHooks {
    THook<void()> clearInput{"clearInput", kRequired};
    THook<void(bool first)> roomEntered{"roomEntered", kRequired}; // region sizing, showing the window
    THook<void()> roomStarted{"roomStarted", kRequired};           // first drawing and the transition
    THook<void(bool ending)> roomLeaving{"roomLeaving", kRequired}; // the old room's picture for the transition
    THook<void()> clearEffects{"clearEffects", kRequired};          // no effect particles outlive a room
    THook<bool(const std::string& file)> loadGame{"loadGame", RUnavailable{"Loading a saved game"}};
    THook<void()> seedRandom{"seedRandom", kRequired};
    // Without the extension module a game that holds extension packages is
    // told so once; one without them needs nothing.
    THook<bool()> startExtensions{"startExtensions", &Room_NoExtensions};
    THook<void()> endExtensions{"endExtensions", [] {}};
};
extern RRoomHooks RoomHooks;
