// Everything one runner knows of multiplayer play: its connection, its
// session and own player, the sessions and players last found, the shared
// data slots and the messages received. Incoming data is collected only
// when the game asks for data or messages, so it changes at known points.
#pragma once

#include "code/Value.h"
#include "multiplayer/MessageQueue.h"
#include "platform/NetworkPlay.h"

#include <memory>
#include <string>
#include <vector>

enum EConnectStatus : int32_t {
    kConnectNone = 0,
    kConnectIpx = 1,
    kConnectTcpIp = 2,
    kConnectModem = 3,
    kConnectSerial = 4,
};

enum ESessionStatus : int32_t {
    kSessionNone = 0,
    kSessionCreated = 1,
    kSessionJoined = 2,
};

// Shared data slots run from 0 to this.
constexpr int64_t kLastDataSlot = 1000000;

// "host" or "host:port" as games write it; false for a port that is not a
// number from 1 to 65535 (an empty one means the default port).
bool Multiplayer_ParseAddress(const std::string& text, RNetAddress& address);

class CMultiplayer {
public:
    CMultiplayer(std::unique_ptr<INetworkPlay> network, const RGameGuid& game);
    ~CMultiplayer();
    CMultiplayer(const CMultiplayer&) = delete;
    CMultiplayer& operator=(const CMultiplayer&) = delete;

    // Connection.
    bool InitTcpIp(const std::string& address);
    int32_t ConnectStatus() const { return mp_connect; }
    void End();

    // Sessions.
    void SetSessionMode(bool migrateHost) { mp_migrateHost = migrateHost; }
    bool CreateSession(const std::string& name, int64_t playerLimit, const std::string& playerName);
    int32_t FindSessions();
    std::string SessionName(int64_t index) const;
    bool JoinSession(int64_t index, const std::string& playerName);
    int32_t SessionStatus() const { return mp_session; }
    void EndSession();

    // Players: the own one first, then the others in the order they came.
    int32_t FindPlayers();
    std::string PlayerName(int64_t index) const;
    double PlayerId(int64_t index) const;
    uint32_t OwnId() const { return mp_ownId; }

    // Shared data.
    bool WriteData(int64_t slot, const RValue& value);
    RValue ReadData(int64_t slot);
    void SetDataMode(bool guaranteed) { mp_dataGuaranteed = guaranteed; }

    // Messages. A player is an id (0: everybody, or anybody) or a name.
    bool SendMessage(const RValue& player, int32_t id, const RValue& value, bool guaranteed);
    bool ReceiveMessage(const RValue& player);
    int32_t MessageId() const { return mp_current.ms_messid; }
    const RValue& MessageValue() const { return mp_current.ms_val; }
    double MessagePlayer() const { return mp_current.ms_player; }
    std::string MessageName();
    int32_t CountMessages(const RValue& player);
    void ClearMessages(const RValue& player);

    std::string LocalAddress() { return mp_network->LocalAddress(); }
    // Keeps the connection alive between the game's calls.
    void Service();

private:
    bool HasSession() const { return mp_session != kSessionNone; }
    // Moves everything that has arrived into the queue and the slots.
    void Collect();
    // A player argument as a filter (0 anybody, negative nobody); false for
    // a name that no player has.
    bool ResolvePlayer(const RValue& player, int64_t& id);
    void SetSlot(int64_t slot, const RValue& value);

    std::unique_ptr<INetworkPlay> mp_network;
    RGameGuid mp_game;
    int32_t mp_connect = kConnectNone;
    int32_t mp_session = kSessionNone;
    uint32_t mp_ownId = 0;
    std::string mp_ownName;
    bool mp_migrateHost = false;
    bool mp_dataGuaranteed = true;
    std::vector<RNetSessionInfo> mp_sessions;
    std::vector<RNetPlayer> mp_players;
    std::vector<RValue> mp_slots; // grown on demand; a slot never written reads as the real 0
    CMessageQueue mp_queue;
    RMess mp_current;
};
