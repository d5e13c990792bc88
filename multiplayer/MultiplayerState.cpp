// Connections, sessions, players, shared data and messages over a network play.
#include "multiplayer/MultiplayerState.h"

#include <charconv>

namespace {

// A flood must not hold the game inside one call: collecting stops after
// this many messages, and the rest waits for the next call.
constexpr int kMostCollectedPerCall = 20000;

bool IsIndex(int64_t index, size_t size)
{
    return index >= 0 && static_cast<uint64_t>(index) < size;
}

} // namespace

bool Multiplayer_ParseAddress(const std::string& text, RNetAddress& address)
{
    const size_t colon = text.find(':');
    address = RNetAddress{text.substr(0, colon), 0};
    if (colon == std::string::npos || colon + 1 == text.size())
        return true;
    const char* start = text.data() + colon + 1;
    const char* end = text.data() + text.size();
    unsigned port = 0;
    auto [stop, error] = std::from_chars(start, end, port);
    if (error != std::errc() || stop != end || port < 1 || port > 65535)
        return false;
    address.na_port = static_cast<uint16_t>(port);
    return true;
}

CMultiplayer::CMultiplayer(std::unique_ptr<INetworkPlay> network, const RGameGuid& game)
    : mp_network(std::move(network)), mp_game(game)
{
}

CMultiplayer::~CMultiplayer()
{
    End();
}

bool CMultiplayer::InitTcpIp(const std::string& text)
{
    RNetAddress address;
    if (mp_connect != kConnectNone || !Multiplayer_ParseAddress(text, address) || !mp_network->Open(address))
        return false;
    mp_connect = kConnectTcpIp;
    return true;
}

void CMultiplayer::End()
{
    if (mp_connect == kConnectNone)
        return;
    EndSession();
    mp_network->Close();
    mp_connect = kConnectNone;
}

bool CMultiplayer::CreateSession(const std::string& name, int64_t playerLimit, const std::string& playerName)
{
    if (mp_connect == kConnectNone || HasSession())
        return false;
    RNetSessionDescription description;
    description.sd_game = mp_game;
    description.sd_name = name;
    description.sd_maxPlayers = playerLimit > 0 ? static_cast<int32_t>(std::min<int64_t>(playerLimit, INT32_MAX)) : 0;
    description.sd_migrateHost = mp_migrateHost;
    uint32_t ownId = 0;
    if (!mp_network->HostSession(description, playerName, ownId))
        return false;
    mp_session = kSessionCreated;
    mp_ownId = ownId;
    mp_ownName = playerName;
    return true;
}

int32_t CMultiplayer::FindSessions()
{
    if (mp_connect == kConnectNone)
        return 0;
    mp_sessions.clear();
    mp_network->FindSessions(mp_game, mp_sessions);
    return static_cast<int32_t>(mp_sessions.size());
}

std::string CMultiplayer::SessionName(int64_t index) const
{
    return IsIndex(index, mp_sessions.size()) ? mp_sessions[size_t(index)].si_name : std::string();
}

bool CMultiplayer::JoinSession(int64_t index, const std::string& playerName)
{
    if (mp_connect == kConnectNone || HasSession() || !IsIndex(index, mp_sessions.size()))
        return false;
    uint32_t ownId = 0;
    if (!mp_network->JoinSession(mp_sessions[size_t(index)], mp_game, playerName, ownId))
        return false;
    mp_session = kSessionJoined;
    mp_ownId = ownId;
    mp_ownName = playerName;
    return true;
}

void CMultiplayer::EndSession()
{
    if (!HasSession())
        return;
    mp_network->LeaveSession();
    mp_session = kSessionNone;
    mp_ownId = 0;
}

int32_t CMultiplayer::FindPlayers()
{
    if (!HasSession())
        return 0;
    std::vector<RNetPlayer> others;
    // A session lost with its host has the own player alone.
    mp_network->ListOtherPlayers(others);
    mp_players.clear();
    mp_players.push_back(RNetPlayer{mp_ownId, mp_ownName});
    mp_players.insert(mp_players.end(), others.begin(), others.end());
    return static_cast<int32_t>(mp_players.size());
}

std::string CMultiplayer::PlayerName(int64_t index) const
{
    return IsIndex(index, mp_players.size()) ? mp_players[size_t(index)].pl_name : std::string();
}

double CMultiplayer::PlayerId(int64_t index) const
{
    return IsIndex(index, mp_players.size()) ? mp_players[size_t(index)].pl_id : 0.0;
}

bool CMultiplayer::WriteData(int64_t slot, const RValue& value)
{
    if (!HasSession() || slot < 0 || slot > kLastDataSlot)
        return false;
    RMess update;
    update.ms_isMessage = false;
    update.ms_messid = static_cast<int32_t>(slot);
    update.ms_val = value;
    if (!mp_network->Send(0, Message_Encode(update), mp_dataGuaranteed))
        return false;
    SetSlot(slot, value);
    return true;
}

RValue CMultiplayer::ReadData(int64_t slot)
{
    if (!HasSession())
        return RValue();
    Collect();
    return IsIndex(slot, mp_slots.size()) ? mp_slots[size_t(slot)] : RValue();
}

bool CMultiplayer::SendMessage(const RValue& player, int32_t id, const RValue& value, bool guaranteed)
{
    int64_t to = 0;
    if (!HasSession() || !ResolvePlayer(player, to) || to < 0 || to > int64_t(UINT32_MAX))
        return false;
    RMess message;
    message.ms_player = static_cast<uint32_t>(to);
    message.ms_messid = id;
    message.ms_val = value;
    return mp_network->Send(message.ms_player, Message_Encode(message), guaranteed);
}

bool CMultiplayer::ReceiveMessage(const RValue& player)
{
    int64_t from = 0;
    if (!HasSession())
        return false;
    Collect();
    return ResolvePlayer(player, from) && mp_queue.Take(from, mp_current);
}

std::string CMultiplayer::MessageName()
{
    FindPlayers();
    if (HasSession())
        for (const RNetPlayer& player : mp_players)
            if (player.pl_id == mp_current.ms_player)
                return player.pl_name;
    return "(unknown)";
}

int32_t CMultiplayer::CountMessages(const RValue& player)
{
    int64_t from = 0;
    if (!HasSession())
        return 0;
    Collect();
    return ResolvePlayer(player, from) ? mp_queue.Count(from) : 0;
}

void CMultiplayer::ClearMessages(const RValue& player)
{
    int64_t from = 0;
    if (!HasSession())
        return;
    Collect();
    if (ResolvePlayer(player, from))
        mp_queue.Drop(from);
}

void CMultiplayer::Service()
{
    if (mp_connect != kConnectNone)
        mp_network->Service();
}

void CMultiplayer::Collect()
{
    RNetMessage incoming;
    for (int k = 0; k < kMostCollectedPerCall && mp_network->Receive(incoming); ++k) {
        RMess message;
        // Sender 0 is the service speaking for itself; anything that does not
        // decode came from a runner that is not ours, or was damaged.
        if (incoming.nm_from == 0 || !Message_Decode(incoming.nm_data, message))
            continue;
        message.ms_player = incoming.nm_from;
        if (message.ms_isMessage)
            mp_queue.Append(message);
        else if (message.ms_messid >= 0 && message.ms_messid <= kLastDataSlot)
            SetSlot(message.ms_messid, message.ms_val);
    }
}

bool CMultiplayer::ResolvePlayer(const RValue& player, int64_t& id)
{
    if (player.IsReal()) {
        id = RoundToInteger(player.val);
        // The lowest integer stands for reals beyond the range: nobody.
        return true;
    }
    FindPlayers();
    for (const RNetPlayer& known : mp_players)
        if (known.pl_name == player.str.Text()) {
            id = known.pl_id;
            return true;
        }
    return false;
}

void CMultiplayer::SetSlot(int64_t slot, const RValue& value)
{
    if (mp_slots.size() <= size_t(slot))
        mp_slots.resize(size_t(slot) + 1);
    mp_slots[size_t(slot)] = value;
}
