// The mplay_* built-in functions over the run's multiplayer state. Counts,
// indices, ids and flags are rounded from their reals; a flag is true when
// it rounds to anything but 0.
#include "multiplayer/Multiplayer.h"

#include "code/FunctionCatalogue.h"
#include "multiplayer/MultiplayerState.h"

namespace {

std::unique_ptr<CMultiplayer> Active;

CMultiplayer& State()
{
    if (!Active)
        Active = std::make_unique<CMultiplayer>(Platform_CreateNullNetworkPlay(), RGameGuid{});
    return *Active;
}

int64_t Rounded(const RValue& value)
{
    return RoundToInteger(value.val);
}

bool Flag(const RValue& value)
{
    return Rounded(value) != 0;
}

void SetString(RValue& result, std::string text)
{
    result = RValue(std::move(text));
}

// The connection kinds this platform lacks.
void F_InitUnavailable(CInstance*, CInstance*, int, RValue&, RValue*) {}

void F_InitTcpIp(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    result = RValue(State().InitTcpIp(args[0].str.Text()) ? 1 : 0);
}

void F_ConnectStatus(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    result = RValue(State().ConnectStatus());
}

void F_End(CInstance*, CInstance*, int, RValue&, RValue*)
{
    State().End();
}

void F_SessionMode(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    State().SetSessionMode(Flag(args[0]));
}

void F_SessionCreate(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    result = RValue(State().CreateSession(args[0].str.Text(), Rounded(args[1]), args[2].str.Text()) ? 1 : 0);
}

void F_SessionFind(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    result = RValue(State().FindSessions());
}

void F_SessionName(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    SetString(result, State().SessionName(Rounded(args[0])));
}

void F_SessionJoin(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    result = RValue(State().JoinSession(Rounded(args[0]), args[1].str.Text()) ? 1 : 0);
}

void F_SessionStatus(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    result = RValue(State().SessionStatus());
}

void F_SessionEnd(CInstance*, CInstance*, int, RValue&, RValue*)
{
    State().EndSession();
}

void F_PlayerFind(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    result = RValue(State().FindPlayers());
}

void F_PlayerName(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    SetString(result, State().PlayerName(Rounded(args[0])));
}

void F_PlayerId(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    result = RValue(State().PlayerId(Rounded(args[0])));
}

void F_DataWrite(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    result = RValue(State().WriteData(Rounded(args[0]), args[1]) ? 1 : 0);
}

void F_DataRead(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    result = State().ReadData(Rounded(args[0]));
}

void F_DataMode(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    State().SetDataMode(Flag(args[0]));
}

void F_MessageSend(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    result = RValue(State().SendMessage(args[0], RoundToInt32(args[1].val), args[2], false) ? 1 : 0);
}

void F_MessageSendGuaranteed(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    result = RValue(State().SendMessage(args[0], RoundToInt32(args[1].val), args[2], true) ? 1 : 0);
}

void F_MessageReceive(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    result = RValue(State().ReceiveMessage(args[0]) ? 1 : 0);
}

void F_MessageId(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    result = RValue(State().MessageId());
}

void F_MessageValue(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    result = State().MessageValue();
}

void F_MessagePlayer(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    result = RValue(State().MessagePlayer());
}

void F_MessageName(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    SetString(result, State().MessageName());
}

void F_MessageCount(CInstance*, CInstance*, int, RValue& result, RValue* args)
{
    result = RValue(State().CountMessages(args[0]));
}

void F_MessageClear(CInstance*, CInstance*, int, RValue&, RValue* args)
{
    State().ClearMessages(args[0]);
}

void F_IpAddress(CInstance*, CInstance*, int, RValue& result, RValue*)
{
    SetString(result, State().LocalAddress());
}

} // namespace

void Multiplayer_ImplementFunctions()
{
    Function_Implement("mplay_init_ipx", &F_InitUnavailable);
    Function_Implement("mplay_init_tcpip", &F_InitTcpIp);
    Function_Implement("mplay_init_modem", &F_InitUnavailable);
    Function_Implement("mplay_init_serial", &F_InitUnavailable);
    Function_Implement("mplay_connect_status", &F_ConnectStatus);
    Function_Implement("mplay_end", &F_End);
    Function_Implement("mplay_session_mode", &F_SessionMode);
    Function_Implement("mplay_session_create", &F_SessionCreate);
    Function_Implement("mplay_session_find", &F_SessionFind);
    Function_Implement("mplay_session_name", &F_SessionName);
    Function_Implement("mplay_session_join", &F_SessionJoin);
    Function_Implement("mplay_session_status", &F_SessionStatus);
    Function_Implement("mplay_session_end", &F_SessionEnd);
    Function_Implement("mplay_player_find", &F_PlayerFind);
    Function_Implement("mplay_player_name", &F_PlayerName);
    Function_Implement("mplay_player_id", &F_PlayerId);
    Function_Implement("mplay_data_write", &F_DataWrite);
    Function_Implement("mplay_data_read", &F_DataRead);
    Function_Implement("mplay_data_mode", &F_DataMode);
    Function_Implement("mplay_message_send", &F_MessageSend);
    Function_Implement("mplay_message_send_guaranteed", &F_MessageSendGuaranteed);
    Function_Implement("mplay_message_receive", &F_MessageReceive);
    Function_Implement("mplay_message_id", &F_MessageId);
    Function_Implement("mplay_message_value", &F_MessageValue);
    Function_Implement("mplay_message_player", &F_MessagePlayer);
    Function_Implement("mplay_message_name", &F_MessageName);
    Function_Implement("mplay_message_count", &F_MessageCount);
    Function_Implement("mplay_message_clear", &F_MessageClear);
    Function_Implement("mplay_ipaddress", &F_IpAddress);
}

void Multiplayer_Start(std::unique_ptr<INetworkPlay> network, const RGameGuid& game)
{
    Active.reset();
    Active = std::make_unique<CMultiplayer>(std::move(network), game);
}

void Multiplayer_Service()
{
    if (Active)
        Active->Service();
}

void Multiplayer_Shutdown()
{
    Active.reset();
}
