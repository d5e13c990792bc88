// The script functions that move between rooms and end or restart the game.
#include "world/RoomFunctions.h"

#include "code/FunctionCatalogue.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"

namespace {

bool F_RoomGoto(CExecutionContext&, RValue&, int, RValue* args)
{
    Room_Goto(RoundToInt32(args[0].val), TransitionKind);
    return true;
}

bool F_RoomGotoPrevious(CExecutionContext&, RValue&, int, RValue*)
{
    Room_GotoPrevious(TransitionKind);
    return true;
}

bool F_RoomGotoNext(CExecutionContext&, RValue&, int, RValue*)
{
    Room_GotoNext(TransitionKind);
    return true;
}

bool F_RoomRestart(CExecutionContext&, RValue&, int, RValue*)
{
    Room_Restart(TransitionKind);
    return true;
}

bool F_RoomPrevious(CExecutionContext&, RValue& result, int, RValue* args)
{
    int32_t room = RoundToInt32(args[0].val);
    result = RValue(Room_Exists(room) && room != Room_First() ? static_cast<double>(Room_Previous(room)) : -1.0);
    return true;
}

bool F_RoomNext(CExecutionContext&, RValue& result, int, RValue* args)
{
    int32_t room = RoundToInt32(args[0].val);
    result = RValue(Room_Exists(room) && room != Room_Last() ? static_cast<double>(Room_Next(room)) : -1.0);
    return true;
}

bool F_GameEnd(CExecutionContext&, RValue&, int, RValue*)
{
    Game_RequestEnd();
    return true;
}

bool F_GameRestart(CExecutionContext&, RValue&, int, RValue*)
{
    Game_RequestRestart();
    return true;
}

bool F_GameLoad(CExecutionContext&, RValue&, int, RValue* args)
{
    Game_RequestLoad(args[0].str.Text());
    return true;
}

bool F_Sleep(CExecutionContext&, RValue&, int, RValue* args)
{
    StepLoop_Sleep(RoundToInteger(args[0].val * 1000));
    return true;
}

bool F_ActionPreviousRoom(CExecutionContext&, RValue&, int, RValue* args)
{
    Room_GotoPrevious(RoundToInt32(args[0].val));
    return true;
}

bool F_ActionNextRoom(CExecutionContext&, RValue&, int, RValue* args)
{
    Room_GotoNext(RoundToInt32(args[0].val));
    return true;
}

bool F_ActionCurrentRoom(CExecutionContext&, RValue&, int, RValue* args)
{
    Room_Restart(RoundToInt32(args[0].val));
    return true;
}

bool F_ActionAnotherRoom(CExecutionContext&, RValue&, int, RValue* args)
{
    Room_Goto(RoundToInt32(args[0].val), RoundToInt32(args[1].val));
    return true;
}

bool F_ActionIfPreviousRoom(CExecutionContext&, RValue& result, int, RValue*)
{
    result = RValue(CurrentRoomIndex != Room_First() ? 1.0 : 0.0);
    return true;
}

bool F_ActionIfNextRoom(CExecutionContext&, RValue& result, int, RValue*)
{
    result = RValue(CurrentRoomIndex != Room_Last() ? 1.0 : 0.0);
    return true;
}

} // namespace

void World_ImplementRoomFunctions()
{
    Function_Implement("room_goto", &F_RoomGoto);
    Function_Implement("room_goto_previous", &F_RoomGotoPrevious);
    Function_Implement("room_goto_next", &F_RoomGotoNext);
    Function_Implement("room_restart", &F_RoomRestart);
    Function_Implement("room_previous", &F_RoomPrevious);
    Function_Implement("room_next", &F_RoomNext);
    Function_Implement("game_end", &F_GameEnd);
    Function_Implement("game_restart", &F_GameRestart);
    Function_Implement("game_load", &F_GameLoad);
    Function_Implement("sleep", &F_Sleep);
    Function_Implement("action_previous_room", &F_ActionPreviousRoom);
    Function_Implement("action_next_room", &F_ActionNextRoom);
    Function_Implement("action_current_room", &F_ActionCurrentRoom);
    Function_Implement("action_another_room", &F_ActionAnotherRoom);
    Function_Implement("action_if_previous_room", &F_ActionIfPreviousRoom);
    Function_Implement("action_if_next_room", &F_ActionIfNextRoom);
    Function_Implement("action_end_game", &F_GameEnd);
    Function_Implement("action_restart_game", &F_GameRestart);
    Function_Implement("action_load_game", &F_GameLoad);
}
