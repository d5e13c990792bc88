// Network play: sessions that players on several computers host, find and
// join, and opaque messages between their players. One computer hosts a
// session and relays everything (a star), so the others only ever talk to
// it. Nothing here knows what the bytes of a message mean.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

// The port a session is hosted on and searched at when the game's address
// names none. BRINDLE_MPLAY_PORT (a number from 1 to 65535) replaces it, so
// that tests and several runs on one computer can keep apart.
constexpr uint16_t kNetworkPlayDefaultPort = 28840;
constexpr const char* kNetworkPlayPortVariable = "BRINDLE_MPLAY_PORT";
uint16_t Platform_NetworkPlayPort();

// A message's bytes travel as they are up to this size; larger sends fail.
constexpr size_t kNetworkPlayLargestMessage = 33000;
// Names of sessions and players longer than this are cut when they travel.
constexpr size_t kNetworkPlayLongestName = 255;
// Every player of a session, the host's own included.
constexpr int32_t kNetworkPlayMostPlayers = 64;

using RGameGuid = std::array<uint8_t, 16>;

// Where sessions are looked for: a host name or dotted address ("" for the
// local network) and a port (0 for the default one).
struct RNetAddress {
    std::string na_host;
    uint16_t na_port = 0;
};

struct RNetSessionDescription {
    RGameGuid sd_game{};
    std::string sd_name;
    int32_t sd_maxPlayers = 0; // 0: no limit but kNetworkPlayMostPlayers
    bool sd_migrateHost = false;
};

// A session that answered a search, and where it answered from.
struct RNetSessionInfo {
    uint64_t si_instance = 0; // tells apart sessions hosted one after another at one address
    std::string si_name;
    std::string si_host;      // dotted address
    uint16_t si_port = 0;
    int32_t si_players = 0;
    int32_t si_maxPlayers = 0;
};

// Ids are never 0 (0 addresses every player) and are not reused within a session.
struct RNetPlayer {
    uint32_t pl_id = 0;
    std::string pl_name;
};

struct RNetMessage {
    uint32_t nm_from = 0;
    std::vector<uint8_t> nm_data;
};

class INetworkPlay {
public:
    virtual ~INetworkPlay() = default;

    // A connection only remembers where to look; nothing is sent yet.
    virtual bool Open(const RNetAddress& address) = 0;
    // Leaves any session first.
    virtual void Close() = 0;

    // Asks the connection's address for sessions of the game and gathers the
    // answers; false when the question could not be sent.
    virtual bool FindSessions(const RGameGuid& game, std::vector<RNetSessionInfo>& found) = 0;
    // Hosts a session on the connection's port with the own player in it.
    virtual bool HostSession(const RNetSessionDescription& description, const std::string& playerName,
                             uint32_t& ownId) = 0;
    virtual bool JoinSession(const RNetSessionInfo& session, const RGameGuid& game, const std::string& playerName,
                             uint32_t& ownId) = 0;
    // Tells the others and waits a bounded time for them to have heard it.
    virtual void LeaveSession() = 0;

    // The other players of the session in the order they came; false when
    // there is no session (or it was lost because its host went away).
    virtual bool ListOtherPlayers(std::vector<RNetPlayer>& players) = 0;
    // to = 0 sends to every other player; the own id delivers to oneself.
    // Guaranteed messages arrive, in order; the others may not.
    virtual bool Send(uint32_t to, std::span<const uint8_t> data, bool guaranteed) = 0;
    // The next message that has arrived for the own player; false when none.
    virtual bool Receive(RNetMessage& message) = 0;
    // Keeps the session alive and relays for the others; the runner calls it
    // once a step, as games may go a long time without touching the network.
    virtual void Service() = 0;

    // This computer's address as dotted decimal; "" when it has none.
    virtual std::string LocalAddress() = 0;
};

struct RNetworkPlayOptions {
    // Only 127.0.0.0/8: no broadcast, and sessions are hosted on the loopback
    // address. Headless runs use it so that they never reach another computer.
    bool no_loopbackOnly = false;
    uint16_t no_defaultPort = kNetworkPlayDefaultPort;
};

std::unique_ptr<INetworkPlay> Platform_CreateNetworkPlay(const RNetworkPlayOptions& options);
// Sleeps until a datagram waits at one of this process's network plays or
// the time is up: what one polling several of them does between rounds.
void Platform_WaitForNetworkTraffic(int milliseconds);
// Every call fails and nothing is ever found: a run without a network.
std::unique_ptr<INetworkPlay> Platform_CreateNullNetworkPlay();
