// The script functions that move between rooms and end or restart the game.
#include "world/RoomFunctions.h"

#include "code/FunctionCatalogue.h"
#include "world/Rooms.h"
#include "world/StepLoop.h"

namespace {

void F_RoomGoto(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    Room_Goto(RoundToInt32(args[0].val), TransitionKind);
}

void F_RoomGotoPrevious(CInstance*, CInstance*, int, RValue&, RValue*)
{
    Room_GotoPrevious(TransitionKind);
}

void F_RoomGotoNext(CInstance*, CInstance*, int, RValue&, RValue*)
{
    Room_GotoNext(TransitionKind);
}

void F_RoomRestart(CInstance*, CInstance*, int, RValue&, RValue*)
{
    Room_Restart(TransitionKind);
}

void F_RoomPrevious(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    int32_t room = RoundToInt32(args[0].val);
    result = RValue(Room_Exists(room) && room != Room_First() ? static_cast<double>(Room_Previous(room)) : -1.0);
}

void F_RoomNext(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    int32_t room = RoundToInt32(args[0].val);
    result = RValue(Room_Exists(room) && room != Room_Last() ? static_cast<double>(Room_Next(room)) : -1.0);
}

void F_GameEnd(CInstance*, CInstance*, int, RValue&, RValue*)
{
    Game_RequestEnd();
}

void F_GameRestart(CInstance*, CInstance*, int, RValue&, RValue*)
{
    Game_RequestRestart();
}

void F_GameLoad(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    Game_RequestLoad(args[0].str.Text());
}

void F_Sleep(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    StepLoop_Sleep(RoundToInteger(args[0].val * 1000));
}

void F_ActionPreviousRoom(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    Room_GotoPrevious(RoundToInt32(args[0].val));
}

void F_ActionNextRoom(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    Room_GotoNext(RoundToInt32(args[0].val));
}

void F_ActionCurrentRoom(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    Room_Restart(RoundToInt32(args[0].val));
}

void F_ActionAnotherRoom(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    Room_Goto(RoundToInt32(args[0].val), RoundToInt32(args[1].val));
}

void F_ActionIfPreviousRoom(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    result = RValue(CurrentRoomIndex != Room_First() ? 1.0 : 0.0);
}

void F_ActionIfNextRoom(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    result = RValue(CurrentRoomIndex != Room_Last() ? 1.0 : 0.0);
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
