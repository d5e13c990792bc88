// The packets network play sends over its connections and the datagrams
// that find sessions. Everything arriving comes from another computer, so
// every reader checks each length against what is left and against the
// protocol's limits, and fails rather than guess.
#pragma once

#include "platform/NetworkPlay.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Little-endian fields appended to a growing packet.
class CNetWriter {
public:
    explicit CNetWriter(uint8_t kind) { w_bytes.push_back(kind); }
    void WriteByte(uint8_t value) { w_bytes.push_back(value); }
    void WriteWord(uint16_t value);
    void WriteLong(uint32_t value);
    void WriteQuad(uint64_t value);
    void WriteBytes(std::span<const uint8_t> bytes) { w_bytes.insert(w_bytes.end(), bytes.begin(), bytes.end()); }
    // A 16-bit length and the bytes, cut to kNetworkPlayLongestName.
    void WriteName(const std::string& name);
    std::vector<uint8_t>& Bytes() { return w_bytes; }

private:
    std::vector<uint8_t> w_bytes;
};

// Reads fields from the front; a read past the end fails and every later
// read fails too, so callers check once at the end.
class CNetReader {
public:
    explicit CNetReader(std::span<const uint8_t> bytes) : r_bytes(bytes) {}
    bool ReadByte(uint8_t& value);
    bool ReadWord(uint16_t& value);
    bool ReadLong(uint32_t& value);
    bool ReadQuad(uint64_t& value);
    bool ReadGuid(RGameGuid& guid);
    bool ReadName(std::string& name);
    // Everything not read yet.
    std::span<const uint8_t> Rest();
    // Marks the packet bad: a value read was out of range.
    void Fail() { r_good = false; }
    bool IsGood() const { return r_good; }
    bool IsAtEnd() const { return r_good && r_pos == r_bytes.size(); }

private:
    bool Take(size_t count, const uint8_t*& start);

    std::span<const uint8_t> r_bytes;
    size_t r_pos = 0;
    bool r_good = true;
};

// First byte of every packet on a connection.
enum ENetPacketKind : uint8_t {
    kPacketJoin = 1,         // joiner → host: game, session instance, player name
    kPacketWelcome = 2,      // host → joiner: the joiner's id and the players already there
    kPacketRefuse = 3,       // host → joiner: a reason
    kPacketPlayerJoined = 4, // host → others
    kPacketPlayerLeft = 5,   // host → others
    kPacketSend = 6,         // player → host: addressee and message
    kPacketDeliver = 7,      // host → player: sender and message
};

enum ERefusal : uint8_t {
    kRefuseWrongSession = 1,
    kRefuseFull = 2,
};

struct RJoinRequest {
    RGameGuid jr_game{};
    uint64_t jr_instance = 0;
    std::string jr_name;
};
struct RWelcome {
    uint32_t wl_ownId = 0;
    std::vector<RNetPlayer> wl_players;
};
// A Send carries its addressee, a Deliver its sender.
struct RRoutedMessage {
    uint32_t rm_player = 0;
    std::span<const uint8_t> rm_data; // points into the packet read
};

std::vector<uint8_t> Packet_Join(const RJoinRequest& request);
std::vector<uint8_t> Packet_Welcome(const RWelcome& welcome);
std::vector<uint8_t> Packet_Refuse(ERefusal reason);
std::vector<uint8_t> Packet_PlayerJoined(const RNetPlayer& player);
std::vector<uint8_t> Packet_PlayerLeft(uint32_t id);
std::vector<uint8_t> Packet_Routed(ENetPacketKind kind, uint32_t player, std::span<const uint8_t> data);

// Each reader takes the whole packet, kind byte included, and fails on a
// different kind, a short or long packet, or a value out of range.
bool Packet_ReadJoin(std::span<const uint8_t> packet, RJoinRequest& request);
bool Packet_ReadWelcome(std::span<const uint8_t> packet, RWelcome& welcome);
bool Packet_ReadRefuse(std::span<const uint8_t> packet, uint8_t& reason);
bool Packet_ReadPlayerJoined(std::span<const uint8_t> packet, RNetPlayer& player);
bool Packet_ReadPlayerLeft(std::span<const uint8_t> packet, uint32_t& id);
bool Packet_ReadRouted(ENetPacketKind kind, std::span<const uint8_t> packet, RRoutedMessage& message);

// The datagrams that find sessions, sent outside any connection to the port
// a session is hosted on. They open with "BRNS": read as a connection's
// header that is a compressed datagram for peer 594, which a host without
// compression and with fewer peers throws away, so the tag takes nothing
// from the connections' traffic on the same port.
struct RSessionAnswer {
    RGameGuid sa_game{};
    uint64_t sa_instance = 0;
    uint16_t sa_players = 0;
    uint16_t sa_maxPlayers = 0;
    std::string sa_name;
};
std::vector<uint8_t> Datagram_SessionQuestion(const RGameGuid& game);
std::vector<uint8_t> Datagram_SessionAnswer(const RSessionAnswer& answer);
// True for anything that opens with the tag, well formed or not.
bool Datagram_IsSessionDatagram(std::span<const uint8_t> datagram);
bool Datagram_ReadSessionQuestion(std::span<const uint8_t> datagram, RGameGuid& game);
bool Datagram_ReadSessionAnswer(std::span<const uint8_t> datagram, RSessionAnswer& answer);
