// Network play's packets and search datagrams: each reads back what was
// written, and a cut, padded, mislabelled or out-of-range one reads as
// nothing. The port comes from the environment only when it is a port.
#include "platform/NetworkPlay.h"
#include "platform/NetworkPlayPackets.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

const RGameGuid kGame = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};

struct RPacketCase {
    const char* name;
    std::vector<uint8_t> bytes;
    std::function<bool(std::span<const uint8_t>)> read;
};

std::vector<RPacketCase> EveryPacket()
{
    return {
        {"join", Packet_Join({kGame, 0x1122334455667788ull, "bob"}),
         [](std::span<const uint8_t> p) { RJoinRequest r; return Packet_ReadJoin(p, r); }},
        {"welcome", Packet_Welcome({7, {{1, "alice"}, {3, "carol"}}}),
         [](std::span<const uint8_t> p) { RWelcome r; return Packet_ReadWelcome(p, r); }},
        {"refuse", Packet_Refuse(kRefuseFull),
         [](std::span<const uint8_t> p) { uint8_t r; return Packet_ReadRefuse(p, r); }},
        {"joined", Packet_PlayerJoined({4, "dave"}),
         [](std::span<const uint8_t> p) { RNetPlayer r; return Packet_ReadPlayerJoined(p, r); }},
        {"left", Packet_PlayerLeft(4),
         [](std::span<const uint8_t> p) { uint32_t r; return Packet_ReadPlayerLeft(p, r); }},
        {"question", Datagram_SessionQuestion(kGame),
         [](std::span<const uint8_t> p) { RGameGuid r; return Datagram_ReadSessionQuestion(p, r); }},
        {"answer", Datagram_SessionAnswer({kGame, 99, 2, 4, "Arena"}),
         [](std::span<const uint8_t> p) { RSessionAnswer r; return Datagram_ReadSessionAnswer(p, r); }},
    };
}

} // namespace

TEST(NetworkPlayPackets, EachReadsBackWhatWasWritten)
{
    RJoinRequest join;
    ASSERT_TRUE(Packet_ReadJoin(Packet_Join({kGame, 0x1122334455667788ull, "bob"}), join));
    EXPECT_EQ(join.jr_game, kGame);
    EXPECT_EQ(join.jr_instance, 0x1122334455667788ull);
    EXPECT_EQ(join.jr_name, "bob");

    RWelcome welcome;
    ASSERT_TRUE(Packet_ReadWelcome(Packet_Welcome({7, {{1, "alice"}, {3, ""}}}), welcome));
    EXPECT_EQ(welcome.wl_ownId, 7u);
    ASSERT_EQ(welcome.wl_players.size(), 2u);
    EXPECT_EQ(welcome.wl_players[0].pl_name, "alice");
    EXPECT_EQ(welcome.wl_players[1].pl_id, 3u);

    const std::vector<uint8_t> payload = {9, 8, 7};
    RRoutedMessage routed;
    const std::vector<uint8_t> send = Packet_Routed(kPacketSend, 0, payload);
    ASSERT_TRUE(Packet_ReadRouted(kPacketSend, send, routed));
    EXPECT_EQ(routed.rm_player, 0u);
    EXPECT_EQ(std::vector<uint8_t>(routed.rm_data.begin(), routed.rm_data.end()), payload);
    // Only a send may address everybody; a delivery always names its sender.
    EXPECT_FALSE(Packet_ReadRouted(kPacketDeliver, Packet_Routed(kPacketDeliver, 0, payload), routed));
    // A packet of one kind never reads as another.
    EXPECT_FALSE(Packet_ReadRouted(kPacketDeliver, send, routed));
    EXPECT_FALSE(Packet_ReadRouted(kPacketDeliver, Packet_PlayerJoined({4, "dave"}), routed));

    RSessionAnswer answer;
    ASSERT_TRUE(Datagram_ReadSessionAnswer(Datagram_SessionAnswer({kGame, 99, 2, 4, "Arena"}), answer));
    EXPECT_EQ(answer.sa_instance, 99u);
    EXPECT_EQ(answer.sa_players, 2);
    EXPECT_EQ(answer.sa_maxPlayers, 4);
    EXPECT_EQ(answer.sa_name, "Arena");
    EXPECT_TRUE(Datagram_IsSessionDatagram(Datagram_SessionQuestion(kGame)));
    RGameGuid game{};
    EXPECT_FALSE(Datagram_ReadSessionQuestion(Datagram_SessionAnswer({kGame, 99, 2, 4, "Arena"}), game));
}

TEST(NetworkPlayPackets, CutOrPaddedPacketsReadAsNothing)
{
    for (const RPacketCase& packet : EveryPacket()) {
        ASSERT_TRUE(packet.read(packet.bytes)) << packet.name;
        for (size_t length = 0; length < packet.bytes.size(); ++length)
            EXPECT_FALSE(packet.read(std::span<const uint8_t>(packet.bytes.data(), length)))
                << packet.name << " cut to " << length;
        std::vector<uint8_t> padded = packet.bytes;
        padded.push_back(0);
        EXPECT_FALSE(packet.read(padded)) << packet.name << " padded";
    }
}

TEST(NetworkPlayPackets, ValuesOutOfRangeAreRefused)
{
    RWelcome welcome;
    EXPECT_FALSE(Packet_ReadWelcome(Packet_Welcome({0, {}}), welcome)) << "own id 0";
    EXPECT_FALSE(Packet_ReadWelcome(Packet_Welcome({7, {{7, "twin"}}}), welcome)) << "own id twice";
    EXPECT_FALSE(Packet_ReadWelcome(Packet_Welcome({7, {{0, "all"}}}), welcome)) << "a player with id 0";
    std::vector<uint8_t> crowd = Packet_Welcome({7, {}});
    crowd[5] = 0xFF; // the count claims 65535 players with nothing behind
    crowd[6] = 0xFF;
    EXPECT_FALSE(Packet_ReadWelcome(crowd, welcome));

    RNetPlayer player;
    std::vector<uint8_t> longName = Packet_PlayerJoined({4, ""});
    longName[5] = 0x00; // a name length of 256, one more than names may have
    longName[6] = 0x01;
    longName.resize(longName.size() + 256, 'n');
    EXPECT_FALSE(Packet_ReadPlayerJoined(longName, player));
    uint32_t id = 0;
    EXPECT_FALSE(Packet_ReadPlayerLeft(Packet_PlayerLeft(0), id));

    RRoutedMessage routed;
    std::vector<uint8_t> huge(kNetworkPlayLargestMessage + 1, 0);
    EXPECT_FALSE(Packet_ReadRouted(kPacketSend, Packet_Routed(kPacketSend, 1, huge), routed));
    huge.pop_back();
    EXPECT_TRUE(Packet_ReadRouted(kPacketSend, Packet_Routed(kPacketSend, 1, huge), routed));
}

TEST(NetworkPlayPackets, NamesTravelCut)
{
    RNetPlayer player;
    ASSERT_TRUE(Packet_ReadPlayerJoined(Packet_PlayerJoined({4, std::string(300, 'n')}), player));
    EXPECT_EQ(player.pl_name, std::string(kNetworkPlayLongestName, 'n'));
}

TEST(NetworkPlayPort, TheEnvironmentNamesAPortOrIsIgnored)
{
    const std::pair<const char*, uint16_t> cases[] = {
        {"40001", 40001}, {"1", 1}, {"65535", 65535}, {"0", kNetworkPlayDefaultPort},
        {"65536", kNetworkPlayDefaultPort}, {"12ab", kNetworkPlayDefaultPort}, {"", kNetworkPlayDefaultPort},
    };
    for (const auto& [text, port] : cases) {
        setenv(kNetworkPlayPortVariable, text, 1);
        EXPECT_EQ(Platform_NetworkPlayPort(), port) << "'" << text << "'";
    }
    unsetenv(kNetworkPlayPortVariable);
    EXPECT_EQ(Platform_NetworkPlayPort(), kNetworkPlayDefaultPort);
}
