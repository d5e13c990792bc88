// The network play port and the network play of runs without a network.
#include "platform/NetworkPlay.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

uint16_t Platform_NetworkPlayPort()
{
    const char* text = std::getenv(kNetworkPlayPortVariable);
    unsigned port = 0;
    if (text) {
        const char* end = text + std::strlen(text);
        auto [stop, error] = std::from_chars(text, end, port);
        if (error == std::errc() && stop == end && port >= 1 && port <= 65535)
            return static_cast<uint16_t>(port);
    }
    return kNetworkPlayDefaultPort;
}

namespace {

class CNullNetworkPlay final : public INetworkPlay {
public:
    bool Open(const RNetAddress&) override { return false; }
    void Close() override {}
    bool FindSessions(const RGameGuid&, std::vector<RNetSessionInfo>& found) override
    {
        found.clear();
        return false;
    }
    bool HostSession(const RNetSessionDescription&, const std::string&, uint32_t&) override { return false; }
    bool JoinSession(const RNetSessionInfo&, const RGameGuid&, const std::string&, uint32_t&) override
    {
        return false;
    }
    void LeaveSession() override {}
    bool ListOtherPlayers(std::vector<RNetPlayer>& players) override
    {
        players.clear();
        return false;
    }
    bool Send(uint32_t, std::span<const uint8_t>, bool) override { return false; }
    bool Receive(RNetMessage&) override { return false; }
    void Service() override {}
    std::string LocalAddress() override { return ""; }
};

} // namespace

std::unique_ptr<INetworkPlay> Platform_CreateNullNetworkPlay()
{
    return std::make_unique<CNullNetworkPlay>();
}
