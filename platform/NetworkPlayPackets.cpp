// Writing and checked reading of network play's packets and datagrams.
#include "platform/NetworkPlayPackets.h"

#include <algorithm>

namespace {

constexpr uint8_t kQuestionTag[4] = {'B', 'R', 'N', 'S'};
constexpr uint8_t kQuestion = 1;
constexpr uint8_t kAnswer = 2;

// The writer starts with the tag's first byte; the rest and the kind follow.
void WriteTag(CNetWriter& writer, uint8_t kind)
{
    writer.WriteBytes(std::span<const uint8_t>(kQuestionTag + 1, 3));
    writer.WriteByte(kind);
}

bool ReadTag(CNetReader& reader, uint8_t expectedKind)
{
    uint8_t bytes[5] = {};
    for (uint8_t& byte : bytes)
        reader.ReadByte(byte);
    return reader.IsGood() && std::equal(bytes, bytes + 4, kQuestionTag) && bytes[4] == expectedKind;
}

void ReadKind(CNetReader& reader, ENetPacketKind expected)
{
    uint8_t kind = 0;
    if (reader.ReadByte(kind) && kind != expected)
        reader.Fail();
}

// A player id of the session: 0 addresses everybody and is nobody's.
bool IsPlayerId(uint32_t id)
{
    return id != 0;
}

} // namespace

void CNetWriter::WriteWord(uint16_t value)
{
    w_bytes.push_back(static_cast<uint8_t>(value));
    w_bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void CNetWriter::WriteLong(uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        w_bytes.push_back(static_cast<uint8_t>(value >> shift));
}

void CNetWriter::WriteQuad(uint64_t value)
{
    for (int shift = 0; shift < 64; shift += 8)
        w_bytes.push_back(static_cast<uint8_t>(value >> shift));
}

void CNetWriter::WriteName(const std::string& name)
{
    const size_t length = std::min(name.size(), kNetworkPlayLongestName);
    WriteWord(static_cast<uint16_t>(length));
    WriteBytes(std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(name.data()), length));
}

bool CNetReader::Take(size_t count, const uint8_t*& start)
{
    if (!r_good || r_bytes.size() - r_pos < count) {
        Fail();
        return false;
    }
    start = r_bytes.data() + r_pos;
    r_pos += count;
    return true;
}

bool CNetReader::ReadByte(uint8_t& value)
{
    const uint8_t* p = nullptr;
    if (!Take(1, p))
        return false;
    value = p[0];
    return true;
}

bool CNetReader::ReadWord(uint16_t& value)
{
    const uint8_t* p = nullptr;
    if (!Take(2, p))
        return false;
    value = static_cast<uint16_t>(p[0] | p[1] << 8);
    return true;
}

bool CNetReader::ReadLong(uint32_t& value)
{
    const uint8_t* p = nullptr;
    if (!Take(4, p))
        return false;
    value = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return true;
}

bool CNetReader::ReadQuad(uint64_t& value)
{
    uint32_t low = 0, high = 0;
    if (!ReadLong(low) || !ReadLong(high))
        return false;
    value = uint64_t(high) << 32 | low;
    return true;
}

bool CNetReader::ReadGuid(RGameGuid& guid)
{
    const uint8_t* p = nullptr;
    if (!Take(guid.size(), p))
        return false;
    std::copy(p, p + guid.size(), guid.begin());
    return true;
}

bool CNetReader::ReadName(std::string& name)
{
    uint16_t length = 0;
    const uint8_t* p = nullptr;
    if (!ReadWord(length))
        return false;
    if (length > kNetworkPlayLongestName) {
        Fail();
        return false;
    }
    if (!Take(length, p))
        return false;
    name.assign(reinterpret_cast<const char*>(p), length);
    return true;
}

std::span<const uint8_t> CNetReader::Rest()
{
    if (!r_good)
        return {};
    std::span<const uint8_t> rest = r_bytes.subspan(r_pos);
    r_pos = r_bytes.size();
    return rest;
}

std::vector<uint8_t> Packet_Join(const RJoinRequest& request)
{
    CNetWriter writer(kPacketJoin);
    writer.WriteBytes(request.jr_game);
    writer.WriteQuad(request.jr_instance);
    writer.WriteName(request.jr_name);
    return std::move(writer.Bytes());
}

std::vector<uint8_t> Packet_Welcome(const RWelcome& welcome)
{
    CNetWriter writer(kPacketWelcome);
    writer.WriteLong(welcome.wl_ownId);
    writer.WriteWord(static_cast<uint16_t>(welcome.wl_players.size()));
    for (const RNetPlayer& player : welcome.wl_players) {
        writer.WriteLong(player.pl_id);
        writer.WriteName(player.pl_name);
    }
    return std::move(writer.Bytes());
}

std::vector<uint8_t> Packet_Refuse(ERefusal reason)
{
    CNetWriter writer(kPacketRefuse);
    writer.WriteByte(reason);
    return std::move(writer.Bytes());
}

std::vector<uint8_t> Packet_PlayerJoined(const RNetPlayer& player)
{
    CNetWriter writer(kPacketPlayerJoined);
    writer.WriteLong(player.pl_id);
    writer.WriteName(player.pl_name);
    return std::move(writer.Bytes());
}

std::vector<uint8_t> Packet_PlayerLeft(uint32_t id)
{
    CNetWriter writer(kPacketPlayerLeft);
    writer.WriteLong(id);
    return std::move(writer.Bytes());
}

std::vector<uint8_t> Packet_Routed(ENetPacketKind kind, uint32_t player, std::span<const uint8_t> data)
{
    CNetWriter writer(kind);
    writer.WriteLong(player);
    writer.WriteBytes(data);
    return std::move(writer.Bytes());
}

bool Packet_ReadJoin(std::span<const uint8_t> packet, RJoinRequest& request)
{
    CNetReader reader(packet);
    ReadKind(reader, kPacketJoin);
    reader.ReadGuid(request.jr_game);
    reader.ReadQuad(request.jr_instance);
    reader.ReadName(request.jr_name);
    return reader.IsAtEnd();
}

bool Packet_ReadWelcome(std::span<const uint8_t> packet, RWelcome& welcome)
{
    CNetReader reader(packet);
    uint16_t count = 0;
    ReadKind(reader, kPacketWelcome);
    reader.ReadLong(welcome.wl_ownId);
    reader.ReadWord(count);
    if (!reader.IsGood() || !IsPlayerId(welcome.wl_ownId) || count >= kNetworkPlayMostPlayers)
        return false;
    welcome.wl_players.clear();
    for (uint16_t k = 0; k < count; ++k) {
        RNetPlayer player;
        reader.ReadLong(player.pl_id);
        reader.ReadName(player.pl_name);
        if (!reader.IsGood() || !IsPlayerId(player.pl_id) || player.pl_id == welcome.wl_ownId)
            return false;
        welcome.wl_players.push_back(std::move(player));
    }
    return reader.IsAtEnd();
}

bool Packet_ReadRefuse(std::span<const uint8_t> packet, uint8_t& reason)
{
    CNetReader reader(packet);
    ReadKind(reader, kPacketRefuse);
    reader.ReadByte(reason);
    return reader.IsAtEnd();
}

bool Packet_ReadPlayerJoined(std::span<const uint8_t> packet, RNetPlayer& player)
{
    CNetReader reader(packet);
    ReadKind(reader, kPacketPlayerJoined);
    reader.ReadLong(player.pl_id);
    reader.ReadName(player.pl_name);
    return reader.IsAtEnd() && IsPlayerId(player.pl_id);
}

bool Packet_ReadPlayerLeft(std::span<const uint8_t> packet, uint32_t& id)
{
    CNetReader reader(packet);
    ReadKind(reader, kPacketPlayerLeft);
    reader.ReadLong(id);
    return reader.IsAtEnd() && IsPlayerId(id);
}

bool Packet_ReadRouted(ENetPacketKind kind, std::span<const uint8_t> packet, RRoutedMessage& message)
{
    CNetReader reader(packet);
    ReadKind(reader, kind);
    reader.ReadLong(message.rm_player);
    message.rm_data = reader.Rest();
    // A delivery always names its sender; a send may address everybody (0).
    return reader.IsGood() && message.rm_data.size() <= kNetworkPlayLargestMessage &&
           (kind == kPacketSend || IsPlayerId(message.rm_player));
}

std::vector<uint8_t> Datagram_SessionQuestion(const RGameGuid& game)
{
    CNetWriter writer(kQuestionTag[0]);
    WriteTag(writer, kQuestion);
    writer.WriteBytes(game);
    return std::move(writer.Bytes());
}

std::vector<uint8_t> Datagram_SessionAnswer(const RSessionAnswer& answer)
{
    CNetWriter writer(kQuestionTag[0]);
    WriteTag(writer, kAnswer);
    writer.WriteBytes(answer.sa_game);
    writer.WriteQuad(answer.sa_instance);
    writer.WriteWord(answer.sa_players);
    writer.WriteWord(answer.sa_maxPlayers);
    writer.WriteName(answer.sa_name);
    return std::move(writer.Bytes());
}

bool Datagram_IsSessionDatagram(std::span<const uint8_t> datagram)
{
    return datagram.size() >= 4 && std::equal(datagram.begin(), datagram.begin() + 4, kQuestionTag);
}

bool Datagram_ReadSessionQuestion(std::span<const uint8_t> datagram, RGameGuid& game)
{
    CNetReader reader(datagram);
    return ReadTag(reader, kQuestion) && reader.ReadGuid(game) && reader.IsAtEnd();
}

bool Datagram_ReadSessionAnswer(std::span<const uint8_t> datagram, RSessionAnswer& answer)
{
    CNetReader reader(datagram);
    if (!ReadTag(reader, kAnswer))
        return false;
    reader.ReadGuid(answer.sa_game);
    reader.ReadQuad(answer.sa_instance);
    reader.ReadWord(answer.sa_players);
    reader.ReadWord(answer.sa_maxPlayers);
    reader.ReadName(answer.sa_name);
    return reader.IsAtEnd();
}
