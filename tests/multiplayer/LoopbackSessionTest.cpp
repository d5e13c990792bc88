// Whole sessions over the real network play: two or three players on
// 127.0.0.1 find, join and leave sessions, see each other, exchange
// guaranteed and quick messages and share data through the host.
#include "tests/multiplayer/LoopbackSession.h"

#include <map>
#include <set>

namespace {

const RGameGuid kOtherGame = {0xAA, 0x52, 0x49, 0x4e, 0x44, 0x4c, 0x45, 0x01,
                              0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09};

using TNames = std::vector<std::string>;

} // namespace

TEST_F(LoopbackSession, PlayersFindJoinAndSeeEachOtherUnderOneSetOfIds)
{
    CMultiplayer& alice = NewHost("alice", 4);
    EXPECT_EQ(alice.SessionStatus(), kSessionCreated);
    CMultiplayer& bob = NewJoiner("bob");
    EXPECT_EQ(bob.SessionName(0), "Arena");
    EXPECT_EQ(bob.SessionStatus(), kSessionJoined);
    // The port in the address wins over the default one.
    CMultiplayer& carol = NewPlayer(kLoopbackGame, "127.0.0.1:" + std::to_string(l_port), FreeUdpPort());
    ASSERT_EQ(carol.FindSessions(), 1);
    ASSERT_TRUE(carol.JoinSession(0, "carol"));

    ASSERT_TRUE(Settle([&] { return alice.FindPlayers() == 3 && bob.FindPlayers() == 3; }))
        << "the host and the first joiner never saw all three players";
    EXPECT_EQ(Names(alice), (TNames{"alice", "bob", "carol"}));
    EXPECT_EQ(Names(bob), (TNames{"bob", "alice", "carol"}));
    EXPECT_EQ(Names(carol), (TNames{"carol", "alice", "bob"}));

    std::set<double> ids;
    for (CMultiplayer* player : {&alice, &bob, &carol})
        for (const char* name : {"alice", "bob", "carol"}) {
            EXPECT_EQ(IdOf(*player, name), IdOf(alice, name)) << name;
            ids.insert(IdOf(alice, name));
        }
    EXPECT_EQ(ids.size(), 3u);
    EXPECT_EQ(ids.count(0), 0u);
    EXPECT_EQ(IdOf(bob, "bob"), bob.OwnId());
}

TEST_F(LoopbackSession, SearchesSeeOnlySessionsOfTheSameGame)
{
    NewHost("alice");
    CMultiplayer& stranger = NewPlayer(kOtherGame);
    EXPECT_EQ(stranger.FindSessions(), 0);
    EXPECT_EQ(stranger.SessionName(0), "");
    EXPECT_FALSE(stranger.JoinSession(0, "stranger"));
}

TEST_F(LoopbackSession, AFullSessionRefusesUntilSomeoneLeaves)
{
    NewHost("alice", 2);
    CMultiplayer& bob = NewJoiner("bob");
    CMultiplayer& carol = NewPlayer();
    ASSERT_EQ(carol.FindSessions(), 1);
    EXPECT_FALSE(carol.JoinSession(0, "carol"));
    EXPECT_EQ(carol.SessionStatus(), kSessionNone);

    bob.EndSession();
    ASSERT_EQ(carol.FindSessions(), 1);
    EXPECT_TRUE(carol.JoinSession(0, "carol"));
}

TEST_F(LoopbackSession, AJoinNeedsTheSessionThatWasFound)
{
    CMultiplayer& alice = NewHost("alice");
    CMultiplayer& bob = NewPlayer();
    ASSERT_EQ(bob.FindSessions(), 1);
    // The host starts another session at the same address after the search.
    alice.EndSession();
    ASSERT_TRUE(alice.CreateSession("Arena", 0, "alice"));
    EXPECT_FALSE(bob.JoinSession(0, "bob"));
    ASSERT_EQ(bob.FindSessions(), 1);
    EXPECT_TRUE(bob.JoinSession(0, "bob"));
}

TEST_F(LoopbackSession, OnePortHostsOneSession)
{
    NewHost("alice");
    CMultiplayer& second = NewPlayer();
    EXPECT_FALSE(second.CreateSession("Other", 0, "bob"));
    EXPECT_EQ(second.SessionStatus(), kSessionNone);
}

TEST_F(LoopbackSession, GuaranteedMessagesArriveInOrderWithTheirSender)
{
    CMultiplayer& alice = NewHost("alice");
    CMultiplayer& bob = NewJoiner("bob");
    CMultiplayer& carol = NewJoiner("carol");
    ASSERT_TRUE(Settle([&] { return bob.FindPlayers() == 3; }));
    const double aliceId = IdOf(bob, "alice");
    const double bobId = IdOf(alice, "bob");

    for (int k = 1; k <= 20; ++k)
        ASSERT_TRUE(bob.SendMessage(aliceId, k, k % 2 ? RValue(k * 1.5) : RValue("text " + std::to_string(k)), true));
    ASSERT_TRUE(carol.SendMessage(0.0, 99, RValue("to everybody"), true));
    ASSERT_TRUE(Settle([&] { return alice.CountMessages(0.0) == 21 && bob.CountMessages(0.0) == 1; }))
        << "alice has " << alice.CountMessages(0.0) << " of 21 messages, bob " << bob.CountMessages(0.0) << " of 1";
    EXPECT_EQ(alice.CountMessages(bobId), 20);

    for (int k = 1; k <= 20; ++k) {
        ASSERT_TRUE(alice.ReceiveMessage(bobId));
        EXPECT_EQ(alice.MessageId(), k);
        EXPECT_EQ(alice.MessagePlayer(), bobId);
        if (k % 2)
            EXPECT_EQ(alice.MessageValue().val, k * 1.5);
        else
            EXPECT_EQ(alice.MessageValue().str.Text(), "text " + std::to_string(k));
    }
    EXPECT_EQ(alice.MessageName(), "bob");
    ASSERT_TRUE(alice.ReceiveMessage(RValue("carol")));
    EXPECT_EQ(alice.MessageValue().str.Text(), "to everybody");
    ASSERT_TRUE(bob.ReceiveMessage(0.0));
    EXPECT_EQ(bob.MessageName(), "carol");
    // A message to everybody is not sent back to its sender.
    EXPECT_EQ(carol.CountMessages(0.0), 0);
}

TEST_F(LoopbackSession, MessagesByNameAndQuickMessagesReachTheirPlayer)
{
    CMultiplayer& alice = NewHost("alice");
    CMultiplayer& bob = NewJoiner("bob");
    CMultiplayer& carol = NewJoiner("carol");
    ASSERT_TRUE(Settle([&] { return bob.FindPlayers() == 3 && alice.FindPlayers() == 3; }));

    // Joiner to joiner goes through the host.
    ASSERT_TRUE(bob.SendMessage(RValue("carol"), 7, RValue(70), false));
    ASSERT_TRUE(alice.SendMessage(RValue("bob"), 8, RValue("quick"), false));
    ASSERT_TRUE(Settle([&] { return carol.CountMessages(0.0) == 1 && bob.CountMessages(0.0) == 1; }))
        << "quick messages on 127.0.0.1 never arrived";
    ASSERT_TRUE(carol.ReceiveMessage(RValue("bob")));
    EXPECT_EQ(carol.MessageId(), 7);
    EXPECT_EQ(carol.MessageValue().val, 70);
    ASSERT_TRUE(bob.ReceiveMessage(RValue("alice")));
    EXPECT_EQ(bob.MessageValue().str.Text(), "quick");
    EXPECT_EQ(alice.CountMessages(0.0), 0);
}

TEST_F(LoopbackSession, SharedDataReachesEveryPlayerThroughTheHost)
{
    CMultiplayer& alice = NewHost("alice");
    CMultiplayer& bob = NewJoiner("bob");
    CMultiplayer& carol = NewJoiner("carol");
    ASSERT_TRUE(Settle([&] { return alice.FindPlayers() == 3; }));

    ASSERT_TRUE(alice.WriteData(5, RValue("caf\xE9 \x80")));
    ASSERT_TRUE(bob.WriteData(1000000, RValue(3.5)));
    carol.SetDataMode(false);
    ASSERT_TRUE(carol.WriteData(0, RValue(-2)));
    // The writer sees its own value at once.
    EXPECT_EQ(bob.ReadData(1000000).val, 3.5);

    ASSERT_TRUE(Settle([&] {
        for (CMultiplayer* player : {&alice, &bob, &carol})
            if (player->ReadData(5).str.Text() != "caf\xE9 \x80" || player->ReadData(1000000).val != 3.5 ||
                player->ReadData(0).val != -2)
                return false;
        return true;
    })) << "alice reads '" << alice.ReadData(5).str.Text() << "', " << alice.ReadData(1000000).val << ", "
        << alice.ReadData(0).val;
}

TEST_F(LoopbackSession, APlayerWhoLeavesIsGoneForEveryoneAfterItsLastMessages)
{
    CMultiplayer& alice = NewHost("alice");
    CMultiplayer& bob = NewJoiner("bob");
    CMultiplayer& carol = NewJoiner("carol");
    ASSERT_TRUE(Settle([&] { return alice.FindPlayers() == 3 && bob.FindPlayers() == 3; }));
    const double carolId = IdOf(alice, "carol");

    ASSERT_TRUE(carol.SendMessage(0.0, 1, RValue("goodbye"), true));
    carol.EndSession();
    EXPECT_EQ(carol.SessionStatus(), kSessionNone);
    EXPECT_EQ(carol.FindPlayers(), 0);

    ASSERT_TRUE(Settle([&] { return alice.FindPlayers() == 2 && bob.FindPlayers() == 2; }));
    EXPECT_EQ(Names(bob), (TNames{"bob", "alice"}));
    EXPECT_FALSE(alice.SendMessage(carolId, 2, RValue(0), true));
    EXPECT_FALSE(bob.SendMessage(carolId, 2, RValue(0), true));
    ASSERT_TRUE(Settle([&] { return alice.CountMessages(carolId) == 1 && bob.CountMessages(carolId) == 1; }))
        << "the message sent just before leaving was lost";
    ASSERT_TRUE(bob.ReceiveMessage(carolId));
    EXPECT_EQ(bob.MessageName(), "(unknown)");
}

TEST_F(LoopbackSession, WhenTheHostLeavesTheOthersAreAlone)
{
    CMultiplayer& alice = NewHost("alice");
    CMultiplayer& bob = NewJoiner("bob");
    ASSERT_TRUE(Settle([&] { return alice.FindPlayers() == 2; }));

    alice.End();
    EXPECT_EQ(alice.ConnectStatus(), kConnectNone);
    ASSERT_TRUE(Settle([&] { return bob.FindPlayers() == 1; }));
    EXPECT_EQ(bob.SessionStatus(), kSessionJoined);
    EXPECT_FALSE(bob.SendMessage(0.0, 1, RValue(1), true));
    EXPECT_FALSE(bob.WriteData(1, RValue(1)));
    EXPECT_EQ(bob.ReadData(1).val, 0);
    bob.EndSession();
    EXPECT_EQ(bob.SessionStatus(), kSessionNone);
}

// Whatever lands on the hosting port, the host goes on serving its players.
TEST_F(LoopbackSession, JunkOnTheHostingPortIsIgnored)
{
    CMultiplayer& alice = NewHost("alice");
    const int junk = socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(junk, 0);
    sockaddr_in host{};
    host.sin_family = AF_INET;
    host.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    host.sin_port = htons(l_port);
    std::vector<std::vector<uint8_t>> datagrams = {
        {},
        {0xFF},
        {'B', 'R', 'N', 'S'},                       // the search tag alone
        {'B', 'R', 'N', 'S', 1, 1, 2, 3},           // a question cut short
        {0x0F, 0xFF, 0x00, 0x00, 0x82, 0xFF, 0x00}, // a connection request cut short
        std::vector<uint8_t>(60000, 0xFF),          // far beyond any datagram of ours
    };
    for (uint8_t seed = 1; seed < 40; ++seed) {
        std::vector<uint8_t> noise(seed * 13u % 200u + 1u);
        for (size_t k = 0; k < noise.size(); ++k)
            noise[k] = static_cast<uint8_t>(seed * 31u + k * 17u);
        datagrams.push_back(noise);
    }
    for (const std::vector<uint8_t>& datagram : datagrams)
        sendto(junk, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(&host), sizeof(host));
    close(junk);
    int rounds = 0;
    Settle([&] { return ++rounds == 5; });

    CMultiplayer& bob = NewJoiner("bob");
    ASSERT_TRUE(bob.SendMessage(0.0, 1, RValue("still here"), true));
    ASSERT_TRUE(Settle([&] { return alice.CountMessages(0.0) == 1; }));
    EXPECT_EQ(alice.FindPlayers(), 2);
}
