// The mplay_* functions over a network play that only remembers: what needs
// a connection or a session, what each call hands the network, and what
// becomes of the messages and data updates that arrive.
#include "code/FunctionCatalogue.h"
#include "multiplayer/MessageCodec.h"
#include "multiplayer/Multiplayer.h"
#include "multiplayer/MultiplayerState.h"
#include "tests/multiplayer/FakeNetworkPlay.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const RGameGuid kGame = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 6};

RMess Message(int32_t id, const RValue& value, bool isMessage = true)
{
    RMess message;
    message.ms_isMessage = isMessage;
    message.ms_messid = id;
    message.ms_val = value;
    return message;
}

std::string Describe(const RValue& value)
{
    return value.IsString() ? "'" + value.str.Text() + "'" : std::to_string(value.val);
}

} // namespace

class MultiplayerFunctions : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Multiplayer_ImplementFunctions();
        std::string strays;
        ASSERT_TRUE(Function_RegisterAll(&strays)) << strays;
    }
    void SetUp() override
    {
        m_net = std::make_shared<RFakeNetwork>();
        Multiplayer_Start(std::make_unique<CFakeNetworkPlay>(m_net), kGame);
    }
    void TearDown() override { Multiplayer_Shutdown(); }

    static RValue Call(const std::string& name, const std::vector<RValue>& arguments = {})
    {
        return Test_CallFunction(name, arguments);
    }
    void Connect() { ASSERT_EQ(Call("mplay_init_tcpip", {"host"}).val, 1); }
    void Host()
    {
        Connect();
        ASSERT_EQ(Call("mplay_session_create", {"Arena", 0, "me"}).val, 1);
    }
    void Arrive(uint32_t from, const RMess& message)
    {
        m_net->arriving.push_back(RNetMessage{from, Message_Encode(message)});
    }
    static RMess Decoded(const RFakeNetwork::RSent& sent)
    {
        RMess message;
        EXPECT_TRUE(Message_Decode(sent.data, message));
        return message;
    }

    std::shared_ptr<RFakeNetwork> m_net;
};

TEST_F(MultiplayerFunctions, EveryCataloguedFunctionHasARoutine)
{
    int count = 0;
    for (size_t m = 0; m < kFunctionCatalogueModules; ++m)
        for (const RCatalogueEntry& entry : kFunctionCatalogue[m].entries) {
            if (std::string(entry.name).rfind("mplay_", 0) != 0)
                continue;
            ++count;
            int32_t number = -1;
            ASSERT_TRUE(Function_Find(entry.name, number)) << entry.name;
            EXPECT_NE(Function_Get(number)->f_routine, nullptr) << entry.name;
        }
    EXPECT_EQ(count, 29);
}

TEST_F(MultiplayerFunctions, WithoutANetworkNothingConnects)
{
    Multiplayer_Shutdown();
    EXPECT_EQ(Call("mplay_init_tcpip", {"127.0.0.1"}).val, 0);
    Multiplayer_Start(Platform_CreateNullNetworkPlay(), kGame);
    EXPECT_EQ(Call("mplay_init_tcpip", {""}).val, 0);
    EXPECT_EQ(Call("mplay_connect_status").val, 0);
    EXPECT_EQ(Describe(Call("mplay_ipaddress")), "''");
}

TEST_F(MultiplayerFunctions, OnlyTcpIpConnectsAndOnlyOnce)
{
    EXPECT_EQ(Call("mplay_init_ipx").val, 0);
    EXPECT_EQ(Call("mplay_init_modem", {"ATZ", "555 0100"}).val, 0);
    EXPECT_EQ(Call("mplay_init_serial", {1, 9600, 0, 0, 0}).val, 0);
    EXPECT_EQ(Call("mplay_connect_status").val, 0);
    EXPECT_EQ(m_net->openCount, 0);

    m_net->opens = false;
    EXPECT_EQ(Call("mplay_init_tcpip", {"10.1.2.3:6073"}).val, 0);
    EXPECT_EQ(Call("mplay_connect_status").val, 0);
    m_net->opens = true;
    EXPECT_EQ(Call("mplay_init_tcpip", {"10.1.2.3:6073"}).val, 1);
    EXPECT_EQ(Call("mplay_connect_status").val, 2);
    EXPECT_EQ(m_net->opened.na_host, "10.1.2.3");
    EXPECT_EQ(m_net->opened.na_port, 6073);

    EXPECT_EQ(Call("mplay_init_tcpip", {"elsewhere"}).val, 0);
    EXPECT_EQ(Call("mplay_init_ipx").val, 0);
    EXPECT_EQ(m_net->openCount, 2);
    EXPECT_EQ(m_net->opened.na_host, "10.1.2.3");

    Call("mplay_end");
    EXPECT_EQ(Call("mplay_connect_status").val, 0);
    EXPECT_EQ(m_net->closeCount, 1);
    Call("mplay_end");
    EXPECT_EQ(m_net->closeCount, 1);
    EXPECT_EQ(Call("mplay_init_tcpip", {"elsewhere"}).val, 1);
    EXPECT_EQ(m_net->opened.na_port, 0);
}

TEST(MultiplayerAddress, HostAndPort)
{
    struct RCase {
        std::string text;
        bool valid;
        std::string host;
        uint16_t port;
    };
    const RCase cases[] = {
        {"", true, "", 0},
        {"192.168.0.4", true, "192.168.0.4", 0},
        {"server.example:6073", true, "server.example", 6073},
        {":5000", true, "", 5000},
        {"host:", true, "host", 0},
        {"host:65535", true, "host", 65535},
        {"host:0", false, "", 0},
        {"host:65536", false, "", 0},
        {"host:60x", false, "", 0},
        {"host:-1", false, "", 0},
        {"host: 80", false, "", 0},
    };
    for (const RCase& c : cases) {
        RNetAddress address;
        EXPECT_EQ(Multiplayer_ParseAddress(c.text, address), c.valid) << c.text;
        if (c.valid) {
            EXPECT_EQ(address.na_host, c.host) << c.text;
            EXPECT_EQ(address.na_port, c.port) << c.text;
        }
    }
}

// Each call needs a connection or a session; without one it gives its
// empty result and the network hears nothing.
TEST_F(MultiplayerFunctions, WithoutConnectionOrSessionCallsDoNothing)
{
    struct RCase {
        std::string name;
        std::vector<RValue> arguments;
        std::string expected;
    };
    const std::vector<RCase> needSession = {
        {"mplay_player_find", {}, "0.000000"},
        {"mplay_player_name", {0}, "''"},
        {"mplay_player_id", {0}, "0.000000"},
        {"mplay_data_write", {1, 5}, "0.000000"},
        {"mplay_data_read", {1}, "0.000000"},
        {"mplay_message_send", {0, 1, 1}, "0.000000"},
        {"mplay_message_send_guaranteed", {0, 1, "x"}, "0.000000"},
        {"mplay_message_receive", {0}, "0.000000"},
        {"mplay_message_count", {0}, "0.000000"},
        {"mplay_message_name", {}, "'(unknown)'"},
        {"mplay_session_status", {}, "0.000000"},
    };
    std::vector<RCase> needConnection = {
        {"mplay_session_create", {"Arena", 2, "me"}, "0.000000"},
        {"mplay_session_find", {}, "0.000000"},
        {"mplay_session_name", {0}, "''"},
        {"mplay_session_join", {0, "me"}, "0.000000"},
    };
    needConnection.insert(needConnection.end(), needSession.begin(), needSession.end());

    m_net->sessions = {RNetSessionInfo{1, "Arena", "10.0.0.1", 1, 1, 0}};
    Arrive(5, Message(1, RValue(1)));
    for (const RCase& c : needConnection)
        EXPECT_EQ(Describe(Call(c.name, c.arguments)), c.expected) << c.name;
    Call("mplay_session_end");
    Call("mplay_message_clear", {0});
    Connect();
    for (const RCase& c : needSession)
        EXPECT_EQ(Describe(Call(c.name, c.arguments)), c.expected) << c.name << " connected";
    EXPECT_TRUE(m_net->sent.empty());
    EXPECT_EQ(m_net->arriving.size(), 1u);
    EXPECT_EQ(m_net->leaveCount, 0);
}

TEST_F(MultiplayerFunctions, CreatingASessionDescribesIt)
{
    Connect();
    Call("mplay_session_mode", {0.7});
    EXPECT_EQ(Call("mplay_session_create", {"Duel", 2.4, "ann"}).val, 1);
    EXPECT_EQ(Call("mplay_session_status").val, 1);
    EXPECT_EQ(m_net->hosted.sd_game, kGame);
    EXPECT_EQ(m_net->hosted.sd_name, "Duel");
    EXPECT_EQ(m_net->hosted.sd_maxPlayers, 2);
    EXPECT_TRUE(m_net->hosted.sd_migrateHost);
    EXPECT_EQ(m_net->playerName, "ann");
    EXPECT_EQ(Call("mplay_session_create", {"Again", 2, "ann"}).val, 0);
    EXPECT_EQ(m_net->hosted.sd_name, "Duel");

    Call("mplay_session_end");
    EXPECT_EQ(m_net->leaveCount, 1);
    EXPECT_EQ(Call("mplay_session_status").val, 0);
    Call("mplay_session_mode", {0.2});
    EXPECT_EQ(Call("mplay_session_create", {"Open", -3, "ann"}).val, 1);
    EXPECT_EQ(m_net->hosted.sd_maxPlayers, 0);
    EXPECT_FALSE(m_net->hosted.sd_migrateHost);

    Call("mplay_session_end");
    m_net->hosts = false;
    EXPECT_EQ(Call("mplay_session_create", {"Fails", 0, "ann"}).val, 0);
    EXPECT_EQ(Call("mplay_session_status").val, 0);
}

TEST_F(MultiplayerFunctions, FindingAndJoiningByIndex)
{
    Connect();
    m_net->sessions = {RNetSessionInfo{11, "A", "10.0.0.1", 5000, 1, 0}, RNetSessionInfo{12, "B", "10.0.0.2", 5000, 3, 4}};
    EXPECT_EQ(Call("mplay_session_find").val, 2);
    EXPECT_EQ(Describe(Call("mplay_session_name", {1})), "'B'");
    EXPECT_EQ(Describe(Call("mplay_session_name", {2})), "''");
    EXPECT_EQ(Describe(Call("mplay_session_name", {-1})), "''");
    EXPECT_EQ(Call("mplay_session_join", {2, "bob"}).val, 0);
    EXPECT_EQ(Call("mplay_session_join", {-1, "bob"}).val, 0);

    m_net->joins = false;
    EXPECT_EQ(Call("mplay_session_join", {1, "bob"}).val, 0);
    EXPECT_EQ(Call("mplay_session_status").val, 0);
    m_net->joins = true;
    EXPECT_EQ(Call("mplay_session_join", {0.6, "bob"}).val, 1);
    EXPECT_EQ(Call("mplay_session_status").val, 2);
    EXPECT_EQ(m_net->joined.si_instance, 12u);
    EXPECT_EQ(m_net->joinedGame, kGame);
    EXPECT_EQ(m_net->playerName, "bob");
    EXPECT_EQ(Call("mplay_session_join", {0, "bob"}).val, 0);

    // A new search replaces the list.
    m_net->sessions.clear();
    EXPECT_EQ(Call("mplay_session_find").val, 0);
    EXPECT_EQ(Describe(Call("mplay_session_name", {0})), "''");
}

TEST_F(MultiplayerFunctions, PlayersStartWithTheOwnOne)
{
    Host();
    m_net->others = {RNetPlayer{5, "x"}, RNetPlayer{9, "y"}};
    EXPECT_EQ(Call("mplay_player_find").val, 3);
    const std::vector<std::string> names = {"'me'", "'x'", "'y'", "''"};
    const std::vector<double> ids = {17, 5, 9, 0};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(Describe(Call("mplay_player_name", {k})), names[size_t(k)]);
        EXPECT_EQ(Call("mplay_player_id", {k}).val, ids[size_t(k)]);
    }
    EXPECT_EQ(Call("mplay_player_id", {-1}).val, 0);
}

TEST_F(MultiplayerFunctions, WritingDataSendsAnUpdateAndKeepsTheValue)
{
    Host();
    EXPECT_EQ(Call("mplay_data_write", {3, "v"}).val, 1);
    ASSERT_EQ(m_net->sent.size(), 1u);
    EXPECT_EQ(m_net->sent[0].to, 0u);
    EXPECT_TRUE(m_net->sent[0].guaranteed);
    RMess update = Decoded(m_net->sent[0]);
    EXPECT_FALSE(update.ms_isMessage);
    EXPECT_EQ(update.ms_messid, 3);
    EXPECT_EQ(Describe(update.ms_val), "'v'");
    EXPECT_EQ(Describe(Call("mplay_data_read", {3})), "'v'");

    Call("mplay_data_mode", {0});
    EXPECT_EQ(Call("mplay_data_write", {1000000, 2.5}).val, 1);
    EXPECT_FALSE(m_net->sent.back().guaranteed);
    EXPECT_EQ(Call("mplay_data_read", {1000000}).val, 2.5);

    // A write the network refuses leaves the slot as it was.
    m_net->sends = false;
    EXPECT_EQ(Call("mplay_data_write", {3, "w"}).val, 0);
    EXPECT_EQ(Describe(Call("mplay_data_read", {3})), "'v'");
    m_net->sends = true;

    const size_t sent = m_net->sent.size();
    EXPECT_EQ(Call("mplay_data_write", {-1, 1}).val, 0);
    EXPECT_EQ(Call("mplay_data_write", {1000001, 1}).val, 0);
    EXPECT_EQ(m_net->sent.size(), sent);
    EXPECT_EQ(Call("mplay_data_read", {1000001}).val, 0);
    EXPECT_EQ(Call("mplay_data_read", {-1}).val, 0);
    EXPECT_EQ(Call("mplay_data_read", {999999}).val, 0);
}

TEST_F(MultiplayerFunctions, ArrivingUpdatesSetSlotsAndDamagedOnesAreSkipped)
{
    Host();
    Arrive(5, Message(2, RValue(4), false));
    Arrive(5, Message(1000001, RValue(1), false));
    Arrive(5, Message(-3, RValue(1), false));
    Arrive(0, Message(6, RValue(1), false)); // the service's own
    m_net->arriving.push_back(RNetMessage{5, {0, 6, 0, 0, 0, 0, 1}});
    m_net->arriving.push_back(RNetMessage{5, {}});
    Arrive(9, Message(2, RValue("later"), false));
    EXPECT_EQ(Describe(Call("mplay_data_read", {2})), "'later'");
    EXPECT_EQ(Call("mplay_data_read", {6}).val, 0);
    EXPECT_EQ(Call("mplay_message_count", {0}).val, 0);
    EXPECT_TRUE(m_net->arriving.empty());
}

TEST_F(MultiplayerFunctions, MessagesGoToAnIdANameOrEverybody)
{
    Host();
    m_net->others = {RNetPlayer{5, "x"}, RNetPlayer{9, "y"}};
    EXPECT_EQ(Call("mplay_message_send", {5, 12.6, "hi"}).val, 1);
    EXPECT_EQ(Call("mplay_message_send_guaranteed", {"y", -4, 2}).val, 1);
    EXPECT_EQ(Call("mplay_message_send", {0, 1, 1}).val, 1);
    ASSERT_EQ(m_net->sent.size(), 3u);
    EXPECT_EQ(m_net->sent[0].to, 5u);
    EXPECT_FALSE(m_net->sent[0].guaranteed);
    RMess first = Decoded(m_net->sent[0]);
    EXPECT_TRUE(first.ms_isMessage);
    EXPECT_EQ(first.ms_messid, 13);
    EXPECT_EQ(Describe(first.ms_val), "'hi'");
    EXPECT_EQ(m_net->sent[1].to, 9u);
    EXPECT_TRUE(m_net->sent[1].guaranteed);
    EXPECT_EQ(Decoded(m_net->sent[1]).ms_messid, -4);
    EXPECT_EQ(m_net->sent[2].to, 0u);

    // A name nobody has, or an id no player can have, goes nowhere.
    EXPECT_EQ(Call("mplay_message_send", {"nobody", 1, 1}).val, 0);
    EXPECT_EQ(Call("mplay_message_send_guaranteed", {-1, 1, 1}).val, 0);
    EXPECT_EQ(Call("mplay_message_send", {1e300, 1, 1}).val, 0);
    EXPECT_EQ(m_net->sent.size(), 3u);
    m_net->sends = false;
    EXPECT_EQ(Call("mplay_message_send", {5, 1, 1}).val, 0);
}

TEST_F(MultiplayerFunctions, ReceivingTakesTheFirstMessageOfTheSender)
{
    Host();
    m_net->others = {RNetPlayer{5, "x"}, RNetPlayer{9, "y"}};
    Arrive(5, Message(1, RValue("a")));
    Arrive(9, Message(2, RValue(3)));
    Arrive(5, Message(3, RValue("c")));
    Arrive(44, Message(4, RValue(0)));
    EXPECT_EQ(Call("mplay_message_count", {0}).val, 4);
    EXPECT_EQ(Call("mplay_message_count", {5}).val, 2);
    EXPECT_EQ(Call("mplay_message_count", {"y"}).val, 1);
    EXPECT_EQ(Call("mplay_message_count", {-5}).val, 0);

    EXPECT_EQ(Call("mplay_message_receive", {9}).val, 1);
    EXPECT_EQ(Call("mplay_message_id").val, 2);
    EXPECT_EQ(Call("mplay_message_value").val, 3);
    EXPECT_EQ(Call("mplay_message_player").val, 9);
    EXPECT_EQ(Describe(Call("mplay_message_name")), "'y'");

    EXPECT_EQ(Call("mplay_message_receive", {"x"}).val, 1);
    EXPECT_EQ(Describe(Call("mplay_message_value")), "'a'");
    // Nobody matches: the current message stays.
    EXPECT_EQ(Call("mplay_message_receive", {-5}).val, 0);
    EXPECT_EQ(Call("mplay_message_receive", {"nobody"}).val, 0);
    EXPECT_EQ(Call("mplay_message_receive", {9}).val, 0);
    EXPECT_EQ(Call("mplay_message_id").val, 1);

    EXPECT_EQ(Call("mplay_message_receive", {0}).val, 1);
    EXPECT_EQ(Call("mplay_message_id").val, 3);
    EXPECT_EQ(Call("mplay_message_receive", {0}).val, 1);
    EXPECT_EQ(Describe(Call("mplay_message_name")), "'(unknown)'");
    EXPECT_EQ(Call("mplay_message_receive", {0}).val, 0);
}

TEST_F(MultiplayerFunctions, ClearingDropsTheMessagesNotTaken)
{
    Host();
    m_net->others = {RNetPlayer{5, "x"}, RNetPlayer{9, "y"}};
    Arrive(5, Message(1, RValue(1)));
    Arrive(9, Message(2, RValue(2)));
    Arrive(5, Message(3, RValue(3)));
    Call("mplay_message_clear", {"x"});
    EXPECT_EQ(Call("mplay_message_count", {0}).val, 1);
    Call("mplay_message_clear", {"nobody"});
    Call("mplay_message_clear", {-1});
    EXPECT_EQ(Call("mplay_message_count", {0}).val, 1);
    Call("mplay_message_clear", {0});
    EXPECT_EQ(Call("mplay_message_count", {0}).val, 0);
    EXPECT_EQ(Call("mplay_message_receive", {0}).val, 0);
    Arrive(9, Message(4, RValue(4)));
    EXPECT_EQ(Call("mplay_message_count", {0}).val, 1);
}

TEST_F(MultiplayerFunctions, TheQueueKeepsFourThousandMessagesNotTaken)
{
    Host();
    for (int32_t id = 1; id <= 4001; ++id)
        Arrive(5, Message(id, RValue(id)));
    EXPECT_EQ(Call("mplay_message_count", {0}).val, 4000);
    ASSERT_EQ(Call("mplay_message_receive", {0}).val, 1);
    EXPECT_EQ(Call("mplay_message_id").val, 1);
    // Taking one makes room for the next.
    Arrive(5, Message(5000, RValue(0)));
    EXPECT_EQ(Call("mplay_message_count", {0}).val, 4000);
    int32_t last = 0;
    while (Call("mplay_message_receive", {0}).val == 1) {
        EXPECT_NE(Call("mplay_message_id").val, 4001);
        last = static_cast<int32_t>(Call("mplay_message_id").val);
    }
    EXPECT_EQ(last, 5000);
}

TEST_F(MultiplayerFunctions, EndingLeavesTheSessionAndTheConnection)
{
    Host();
    Call("mplay_end");
    EXPECT_EQ(m_net->leaveCount, 1);
    EXPECT_EQ(m_net->closeCount, 1);
    EXPECT_EQ(Call("mplay_session_status").val, 0);
    EXPECT_EQ(Call("mplay_connect_status").val, 0);
    EXPECT_EQ(Describe(Call("mplay_ipaddress")), "'192.0.2.7'");
}
