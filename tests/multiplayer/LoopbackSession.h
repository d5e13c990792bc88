// Players of one game in one process, each with its own network play on
// 127.0.0.1, hosting and joining on a port no other test uses. Nothing
// waits on the clock: Settle services everyone in a bounded number of
// rounds, each ending in a short wait for traffic, and reports failure
// when the rounds run out.
#pragma once

#include "multiplayer/MultiplayerState.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

inline const RGameGuid kLoopbackGame = {0x42, 0x52, 0x49, 0x4e, 0x44, 0x4c, 0x45, 0x01,
                                        0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09};

// A UDP port on 127.0.0.1 that was free a moment ago: the system's choice.
inline uint16_t FreeUdpPort()
{
    const int fd = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    uint16_t port = 0;
    if (fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0)
        close(fd);
    return port;
}

class LoopbackSession : public ::testing::Test {
protected:
    static constexpr int kRounds = 500;

    void SetUp() override
    {
        l_port = FreeUdpPort();
        ASSERT_NE(l_port, 0);
    }
    void TearDown() override
    {
        // The last to go must not wait for goodbyes from players already gone.
        while (!l_players.empty())
            l_players.pop_back();
    }

    // A player connected to 127.0.0.1, by default at the test's port.
    CMultiplayer& NewPlayer(const RGameGuid& game = kLoopbackGame, const std::string& address = "127.0.0.1",
                            uint16_t defaultPort = 0)
    {
        RNetworkPlayOptions options;
        options.no_loopbackOnly = true;
        options.no_defaultPort = defaultPort ? defaultPort : l_port;
        l_players.push_back(std::make_unique<CMultiplayer>(Platform_CreateNetworkPlay(options), game));
        EXPECT_TRUE(l_players.back()->InitTcpIp(address));
        return *l_players.back();
    }
    CMultiplayer& NewHost(const std::string& name, int64_t limit = 0)
    {
        CMultiplayer& host = NewPlayer();
        EXPECT_TRUE(host.CreateSession("Arena", limit, name));
        return host;
    }
    CMultiplayer& NewJoiner(const std::string& name)
    {
        CMultiplayer& joiner = NewPlayer();
        EXPECT_EQ(joiner.FindSessions(), 1);
        EXPECT_TRUE(joiner.JoinSession(0, name));
        return joiner;
    }

    // Services every player until done() holds; false when it never did.
    bool Settle(const std::function<bool()>& done)
    {
        for (int round = 0; round < kRounds; ++round) {
            for (const auto& player : l_players)
                player->Service();
            if (done())
                return true;
            Platform_WaitForNetworkTraffic(10);
        }
        return false;
    }

    static std::vector<std::string> Names(CMultiplayer& player)
    {
        std::vector<std::string> names;
        const int32_t count = player.FindPlayers();
        for (int32_t k = 0; k < count; ++k)
            names.push_back(player.PlayerName(k));
        return names;
    }
    static double IdOf(CMultiplayer& viewer, const std::string& name)
    {
        const int32_t count = viewer.FindPlayers();
        for (int32_t k = 0; k < count; ++k)
            if (viewer.PlayerName(k) == name)
                return viewer.PlayerId(k);
        return -1;
    }

    uint16_t l_port = 0;
    std::vector<std::unique_ptr<CMultiplayer>> l_players;
};
