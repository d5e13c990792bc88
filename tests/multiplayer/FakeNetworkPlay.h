// A network play that only remembers: what was opened, hosted, joined and
// sent, with sessions, other players and arriving messages set by the test
// (the state lives apart, as the multiplayer state owns the network play).
#pragma once

#include "platform/NetworkPlay.h"

#include <deque>
#include <memory>
#include <vector>

struct RFakeNetwork {
    struct RSent {
        uint32_t to;
        std::vector<uint8_t> data;
        bool guaranteed;
    };

    // What the test decides.
    bool opens = true, hosts = true, joins = true, sends = true;
    std::vector<RNetSessionInfo> sessions;
    std::vector<RNetPlayer> others;
    std::deque<RNetMessage> arriving;
    uint32_t ownId = 17;

    // What happened.
    int openCount = 0, closeCount = 0, leaveCount = 0;
    RNetAddress opened;
    RNetSessionDescription hosted;
    RNetSessionInfo joined;
    RGameGuid joinedGame{};
    std::string playerName;
    std::vector<RSent> sent;
};

class CFakeNetworkPlay : public INetworkPlay {
public:
    explicit CFakeNetworkPlay(std::shared_ptr<RFakeNetwork> network) : f_net(std::move(network)) {}

    bool Open(const RNetAddress& address) override
    {
        ++f_net->openCount;
        f_net->opened = address;
        return f_net->opens;
    }
    void Close() override { ++f_net->closeCount; }
    bool FindSessions(const RGameGuid&, std::vector<RNetSessionInfo>& found) override
    {
        found = f_net->sessions;
        return true;
    }
    bool HostSession(const RNetSessionDescription& description, const std::string& playerName,
                     uint32_t& ownId) override
    {
        f_net->hosted = description;
        f_net->playerName = playerName;
        ownId = f_net->ownId;
        return f_net->hosts;
    }
    bool JoinSession(const RNetSessionInfo& session, const RGameGuid& game, const std::string& playerName,
                     uint32_t& ownId) override
    {
        f_net->joined = session;
        f_net->joinedGame = game;
        f_net->playerName = playerName;
        ownId = f_net->ownId;
        return f_net->joins;
    }
    void LeaveSession() override { ++f_net->leaveCount; }
    bool ListOtherPlayers(std::vector<RNetPlayer>& players) override
    {
        players = f_net->others;
        return true;
    }
    bool Send(uint32_t to, std::span<const uint8_t> data, bool guaranteed) override
    {
        if (!f_net->sends)
            return false;
        f_net->sent.push_back({to, std::vector<uint8_t>(data.begin(), data.end()), guaranteed});
        return true;
    }
    bool Receive(RNetMessage& message) override
    {
        if (f_net->arriving.empty())
            return false;
        message = f_net->arriving.front();
        f_net->arriving.pop_front();
        return true;
    }
    void Service() override {}
    std::string LocalAddress() override { return "192.0.2.7"; }

private:
    std::shared_ptr<RFakeNetwork> f_net;
};
