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
bool F_InitUnavailable(CExecutionContext&, RValue&, int, RValue*) {
    return true;
}

bool F_InitTcpIp(CExecutionContext&, RValue& result, int, RValue* args)
{
    result = RValue(State().InitTcpIp(args[0].str.Text()) ? 1 : 0);
    return true;
}

bool F_ConnectStatus(CExecutionContext&, RValue& result, int, RValue*)
{
    result = RValue(State().ConnectStatus());
    return true;
}

bool F_End(CExecutionContext&, RValue&, int, RValue*)
{
    State().End();
    return true;
}

bool F_SessionMode(CExecutionContext&, RValue&, int, RValue* args)
{
    State().SetSessionMode(Flag(args[0]));
    return true;
}

bool F_SessionCreate(CExecutionContext&, RValue& result, int, RValue* args)
{
    result = RValue(State().CreateSession(args[0].str.Text(), Rounded(args[1]), args[2].str.Text()) ? 1 : 0);
    return true;
}

bool F_SessionFind(CExecutionContext&, RValue& result, int, RValue*)
{
    result = RValue(State().FindSessions());
    return true;
}

bool F_SessionName(CExecutionContext&, RValue& result, int, RValue* args)
{
    SetString(result, State().SessionName(Rounded(args[0])));
    return true;
}

bool F_SessionJoin(CExecutionContext&, RValue& result, int, RValue* args)
{
    result = RValue(State().JoinSession(Rounded(args[0]), args[1].str.Text()) ? 1 : 0);
    return true;
}

bool F_SessionStatus(CExecutionContext&, RValue& result, int, RValue*)
{
    result = RValue(State().SessionStatus());
    return true;
}

bool F_SessionEnd(CExecutionContext&, RValue&, int, RValue*)
{
    State().EndSession();
    return true;
}

bool F_PlayerFind(CExecutionContext&, RValue& result, int, RValue*)
{
    result = RValue(State().FindPlayers());
    return true;
}

bool F_PlayerName(CExecutionContext&, RValue& result, int, RValue* args)
{
    SetString(result, State().PlayerName(Rounded(args[0])));
    return true;
}

bool F_PlayerId(CExecutionContext&, RValue& result, int, RValue* args)
{
    result = RValue(State().PlayerId(Rounded(args[0])));
    return true;
}

bool F_DataWrite(CExecutionContext&, RValue& result, int, RValue* args)
{
    result = RValue(State().WriteData(Rounded(args[0]), args[1]) ? 1 : 0);
    return true;
}

bool F_DataRead(CExecutionContext&, RValue& result, int, RValue* args)
{
    result = State().ReadData(Rounded(args[0]));
    return true;
}

bool F_DataMode(CExecutionContext&, RValue&, int, RValue* args)
{
    State().SetDataMode(Flag(args[0]));
    return true;
}

bool F_MessageSend(CExecutionContext&, RValue& result, int, RValue* args)
{
    result = RValue(State().SendMessage(args[0], RoundToInt32(args[1].val), args[2], false) ? 1 : 0);
    return true;
}

bool F_MessageSendGuaranteed(CExecutionContext&, RValue& result, int, RValue* args)
{
    result = RValue(State().SendMessage(args[0], RoundToInt32(args[1].val), args[2], true) ? 1 : 0);
    return true;
}

bool F_MessageReceive(CExecutionContext&, RValue& result, int, RValue* args)
{
    result = RValue(State().ReceiveMessage(args[0]) ? 1 : 0);
    return true;
}

bool F_MessageId(CExecutionContext&, RValue& result, int, RValue*)
{
    result = RValue(State().MessageId());
    return true;
}

bool F_MessageValue(CExecutionContext&, RValue& result, int, RValue*)
{
    result = State().MessageValue();
    return true;
}

bool F_MessagePlayer(CExecutionContext&, RValue& result, int, RValue*)
{
    result = RValue(State().MessagePlayer());
    return true;
}

bool F_MessageName(CExecutionContext&, RValue& result, int, RValue*)
{
    SetString(result, State().MessageName());
    return true;
}

bool F_MessageCount(CExecutionContext&, RValue& result, int, RValue* args)
{
    result = RValue(State().CountMessages(args[0]));
    return true;
}

bool F_MessageClear(CExecutionContext&, RValue&, int, RValue* args)
{
    State().ClearMessages(args[0]);
    return true;
}

bool F_IpAddress(CExecutionContext&, RValue& result, int, RValue*)
{
    SetString(result, State().LocalAddress());
    return true;
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
