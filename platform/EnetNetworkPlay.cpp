// Network play over ENet. The computer that hosts a session listens on the
// port; joiners connect to it and to nothing else, and it relays every
// message (a star), stamping the sender itself so that no joiner can speak
// for another. Channel 0 carries guaranteed traffic and the session's own
// packets in order; channel 1 the messages that may be lost.
//
// Waiting for another computer (a search, a join, a goodbye) is done in a
// bounded number of short rounds, and each round services every endpoint
// of this process: a process may host a session and search for it, and the
// tests run whole sessions of several endpoints in one process.
#include "platform/NetworkPlay.h"
#include "platform/LazyLibraries.h"
#include "platform/NetworkPlayPackets.h"

#include <enet/enet.h>

#include <netdb.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <random>

namespace {

constexpr size_t kChannels = 2;
constexpr uint8_t kGuaranteedChannel = 0;
constexpr uint8_t kQuickChannel = 1;

constexpr int kRoundMilliseconds = 10;
constexpr int kJoinRounds = 300;  // about 3 s for a host that does not answer
constexpr int kFindRounds = 50;   // about 0.5 s of listening for answers
constexpr int kLeaveRounds = 50;  // about 0.5 s for the others to take the goodbye

constexpr size_t kMostSessionsFound = 64;
constexpr int kMostDatagramsPerRound = 256;
constexpr size_t kLargestDatagram = 1500;
// Events handled by one servicing: a flood from one peer must not keep the
// game's step from ending.
constexpr int kMostEventsPerService = 4096;
// What arrives while the game does not collect waits here, up to a bound:
// beyond it new messages are dropped rather than let memory grow.
constexpr size_t kInboxMostMessages = 16384;
constexpr size_t kInboxMostBytes = size_t(16) << 20;
// No packet of ours is larger; ENet refuses larger ones from peers before
// putting them together, and bounds what each peer may leave waiting.
constexpr size_t kLargestPacket = kNetworkPlayLargestMessage + 16;
constexpr size_t kPeerMostWaitingData = size_t(1) << 20;

bool IsEnetReady()
{
    static const bool ready = [] {
        std::string error;
        if (!Platform_LoadLibraries({kLazyNetwork}, error) || enet_initialize() != 0)
            return false;
        std::atexit(enet_deinitialize);
        return true;
    }();
    return ready;
}

bool IsLoopback(enet_uint32 networkOrderHost)
{
    return (ENET_NET_TO_HOST_32(networkOrderHost) >> 24) == 127;
}

std::string CutName(const std::string& name)
{
    return name.substr(0, kNetworkPlayLongestName);
}

uint64_t NewSessionInstance()
{
    std::random_device device;
    return (uint64_t(device()) << 32 | device()) | 1;
}

class CEnetNetworkPlay;
// Never destroyed: a network play held by a static may say goodbye after
// the statics of this file are gone.
std::vector<CEnetNetworkPlay*>& Endpoints()
{
    static auto* endpoints = new std::vector<CEnetNetworkPlay*>;
    return *endpoints;
}

int ENET_CALLBACK InterceptDatagram(ENetHost* host, ENetEvent* event);

class CEnetNetworkPlay final : public INetworkPlay {
public:
    explicit CEnetNetworkPlay(const RNetworkPlayOptions& options) : e_options(options)
    {
        Endpoints().push_back(this);
    }
    ~CEnetNetworkPlay() override
    {
        Close();
        std::erase(Endpoints(), this);
    }

    bool Open(const RNetAddress& address) override;
    void Close() override;
    bool FindSessions(const RGameGuid& game, std::vector<RNetSessionInfo>& found) override;
    bool HostSession(const RNetSessionDescription& description, const std::string& playerName,
                     uint32_t& ownId) override;
    bool JoinSession(const RNetSessionInfo& session, const RGameGuid& game, const std::string& playerName,
                     uint32_t& ownId) override;
    void LeaveSession() override;
    bool ListOtherPlayers(std::vector<RNetPlayer>& players) override;
    bool Send(uint32_t to, std::span<const uint8_t> data, bool guaranteed) override;
    bool Receive(RNetMessage& message) override;
    void Service() override;
    std::string LocalAddress() override;

    bool OwnsHost(const ENetHost* host) const { return e_host == host; }
    ENetHost* Host() const { return e_host; }
    // A search's question on the hosting port; true when the datagram was one.
    bool AnswerQuestion();

private:
    enum class ERole { None, Hosting, Joining, Joined, Refused, Lost };
    // Another player; peer is its connection, on the host only.
    struct RRemote {
        uint32_t rr_id;
        std::string rr_name;
        ENetPeer* rr_peer;
    };

    ENetHost* CreateHost(const ENetAddress* address, size_t peers);
    void Teardown();
    uint16_t Port() const { return e_address.na_port ? e_address.na_port : e_options.no_defaultPort; }
    template <class TDone>
    bool WaitUntil(int rounds, TDone done, int extraSocket = -1);

    void HandleEvent(ENetEvent& event);
    void HandleAtHost(ENetPeer* peer, uint8_t channel, std::span<const uint8_t> packet);
    void HandleAtJoiner(std::span<const uint8_t> packet);
    void AcceptJoin(ENetPeer* peer, const RJoinRequest& request);
    void Refuse(ENetPeer* peer, ERefusal reason);
    void ForgetPeer(ENetPeer* peer);
    bool Route(uint32_t from, uint32_t to, std::span<const uint8_t> data, bool guaranteed, ENetPeer* source);
    bool SendPacket(ENetPeer* peer, const std::vector<uint8_t>& bytes, bool guaranteed);
    void Deliver(uint32_t from, std::span<const uint8_t> data);
    RRemote* FindRemote(uint32_t id);
    RRemote* FindRemote(const ENetPeer* peer);
    bool GatherAnswers(ENetSocket socket, const RGameGuid& game, std::vector<RNetSessionInfo>& found);

    RNetworkPlayOptions e_options;
    bool e_open = false;
    RNetAddress e_address;
    ENetHost* e_host = nullptr;
    ENetPeer* e_server = nullptr; // a joiner's connection to the host
    ERole e_role = ERole::None;
    RNetSessionDescription e_session; // when hosting
    uint64_t e_instance = 0;
    RJoinRequest e_join; // while joining
    uint32_t e_ownId = 0;
    uint32_t e_nextId = 1;
    std::string e_ownName;
    std::vector<RRemote> e_players;
    std::deque<RNetMessage> e_inbox;
    size_t e_inboxBytes = 0;
};

void ServiceEveryEndpoint()
{
    // Servicing never creates or destroys an endpoint, so the list holds still.
    for (CEnetNetworkPlay* endpoint : Endpoints())
        endpoint->Service();
}

// Sleeps until a datagram reaches one of this process's endpoints (or the
// extra socket), or the time is up.
void WaitForDatagram(int extraSocket, int milliseconds = kRoundMilliseconds)
{
    std::vector<pollfd> sockets;
    for (CEnetNetworkPlay* endpoint : Endpoints())
        if (endpoint->Host())
            sockets.push_back(pollfd{endpoint->Host()->socket, POLLIN, 0});
    if (extraSocket >= 0)
        sockets.push_back(pollfd{extraSocket, POLLIN, 0});
    poll(sockets.data(), sockets.size(), milliseconds);
}

int ENET_CALLBACK InterceptDatagram(ENetHost* host, ENetEvent*)
{
    for (CEnetNetworkPlay* endpoint : Endpoints())
        if (endpoint->OwnsHost(host))
            return endpoint->AnswerQuestion() ? 1 : 0;
    return 0;
}

template <class TDone>
bool CEnetNetworkPlay::WaitUntil(int rounds, TDone done, int extraSocket)
{
    for (int round = 0; round < rounds; ++round) {
        ServiceEveryEndpoint();
        if (done())
            return true;
        WaitForDatagram(extraSocket);
    }
    ServiceEveryEndpoint();
    return done();
}

ENetHost* CEnetNetworkPlay::CreateHost(const ENetAddress* address, size_t peers)
{
    ENetHost* host = enet_host_create(address, peers, kChannels, 0, 0);
    if (host) {
        host->maximumPacketSize = kLargestPacket;
        host->maximumWaitingData = kPeerMostWaitingData;
    }
    return host;
}

void CEnetNetworkPlay::Teardown()
{
    if (e_host) {
        enet_host_flush(e_host);
        enet_host_destroy(e_host);
    }
    e_host = nullptr;
    e_server = nullptr;
    e_role = ERole::None;
    e_ownId = 0;
    e_players.clear();
    e_inbox.clear();
    e_inboxBytes = 0;
}

bool CEnetNetworkPlay::Open(const RNetAddress& address)
{
    if (e_open || !IsEnetReady())
        return false;
    e_address = address;
    e_open = true;
    return true;
}

void CEnetNetworkPlay::Close()
{
    LeaveSession();
    e_open = false;
}

bool CEnetNetworkPlay::FindSessions(const RGameGuid& game, std::vector<RNetSessionInfo>& found)
{
    found.clear();
    if (!e_open)
        return false;
    ENetAddress target{};
    bool broadcast = false;
    if (!e_address.na_host.empty()) {
        if (enet_address_set_host(&target, e_address.na_host.c_str()) != 0)
            return false;
    } else if (e_options.no_loopbackOnly) {
        enet_address_set_host_ip(&target, "127.0.0.1");
    } else {
        target.host = ENET_HOST_BROADCAST;
        broadcast = true;
    }
    if (e_options.no_loopbackOnly && !IsLoopback(target.host))
        return false;
    target.port = Port();

    ENetSocket socket = enet_socket_create(ENET_SOCKET_TYPE_DATAGRAM);
    if (socket == ENET_SOCKET_NULL)
        return false;
    enet_socket_set_option(socket, ENET_SOCKOPT_NONBLOCK, 1);
    if (broadcast)
        enet_socket_set_option(socket, ENET_SOCKOPT_BROADCAST, 1);
    std::vector<uint8_t> question = Datagram_SessionQuestion(game);
    ENetBuffer buffer{question.data(), question.size()};
    const bool sent = enet_socket_send(socket, &target, &buffer, 1) > 0;
    // One address has at most one session: its answer ends the search. A
    // broadcast listens the whole time, as any number may answer.
    if (sent)
        WaitUntil(kFindRounds, [&] { return GatherAnswers(socket, game, found) && !broadcast; }, socket);
    enet_socket_destroy(socket);
    return sent;
}

bool CEnetNetworkPlay::GatherAnswers(ENetSocket socket, const RGameGuid& game, std::vector<RNetSessionInfo>& found)
{
    uint8_t bytes[kLargestDatagram];
    for (int k = 0; k < kMostDatagramsPerRound; ++k) {
        ENetAddress from{};
        ENetBuffer buffer{bytes, sizeof(bytes)};
        const int length = enet_socket_receive(socket, &from, &buffer, 1);
        if (length == 0)
            break;
        RSessionAnswer answer;
        if (length < 0 || !Datagram_ReadSessionAnswer(std::span<const uint8_t>(bytes, size_t(length)), answer) ||
            answer.sa_game != game || found.size() >= kMostSessionsFound)
            continue;
        RNetSessionInfo session;
        char host[64] = {};
        if (enet_address_get_host_ip(&from, host, sizeof(host)) != 0)
            continue;
        session.si_host = host;
        session.si_port = from.port;
        session.si_instance = answer.sa_instance;
        session.si_name = answer.sa_name;
        session.si_players = answer.sa_players;
        session.si_maxPlayers = answer.sa_maxPlayers;
        const bool known = std::any_of(found.begin(), found.end(), [&](const RNetSessionInfo& other) {
            return other.si_host == session.si_host && other.si_port == session.si_port &&
                   other.si_instance == session.si_instance;
        });
        if (!known)
            found.push_back(std::move(session));
    }
    return !found.empty();
}

bool CEnetNetworkPlay::AnswerQuestion()
{
    std::span<const uint8_t> datagram(e_host->receivedData, e_host->receivedDataLength);
    if (!Datagram_IsSessionDatagram(datagram))
        return false;
    RGameGuid game{};
    if (e_role != ERole::Hosting || !Datagram_ReadSessionQuestion(datagram, game) || game != e_session.sd_game)
        return true;
    RSessionAnswer answer;
    answer.sa_game = game;
    answer.sa_instance = e_instance;
    answer.sa_players = static_cast<uint16_t>(1 + e_players.size());
    answer.sa_maxPlayers = static_cast<uint16_t>(e_session.sd_maxPlayers);
    answer.sa_name = e_session.sd_name;
    std::vector<uint8_t> bytes = Datagram_SessionAnswer(answer);
    ENetBuffer buffer{bytes.data(), bytes.size()};
    enet_socket_send(e_host->socket, &e_host->receivedAddress, &buffer, 1);
    return true;
}

bool CEnetNetworkPlay::HostSession(const RNetSessionDescription& description, const std::string& playerName,
                                   uint32_t& ownId)
{
    if (!e_open || e_role != ERole::None)
        return false;
    ENetAddress address{};
    address.host = ENET_HOST_ANY;
    if (e_options.no_loopbackOnly)
        enet_address_set_host_ip(&address, "127.0.0.1");
    address.port = Port();
    e_host = CreateHost(&address, kNetworkPlayMostPlayers - 1);
    if (!e_host)
        return false;
    e_host->intercept = &InterceptDatagram;
    e_session = description;
    e_session.sd_name = CutName(description.sd_name);
    e_session.sd_maxPlayers = std::clamp(description.sd_maxPlayers, 0, kNetworkPlayMostPlayers);
    e_instance = NewSessionInstance();
    e_role = ERole::Hosting;
    e_ownId = 1;
    e_nextId = 2;
    e_ownName = CutName(playerName);
    ownId = e_ownId;
    return true;
}

bool CEnetNetworkPlay::JoinSession(const RNetSessionInfo& session, const RGameGuid& game,
                                   const std::string& playerName, uint32_t& ownId)
{
    if (!e_open || e_role != ERole::None)
        return false;
    ENetAddress address{};
    if (enet_address_set_host_ip(&address, session.si_host.c_str()) != 0)
        return false;
    if (e_options.no_loopbackOnly && !IsLoopback(address.host))
        return false;
    address.port = session.si_port;
    ENetAddress own{};
    enet_address_set_host_ip(&own, "127.0.0.1");
    e_host = CreateHost(e_options.no_loopbackOnly ? &own : nullptr, 1);
    if (!e_host)
        return false;
    e_server = enet_host_connect(e_host, &address, kChannels, 0);
    if (!e_server) {
        Teardown();
        return false;
    }
    e_join = RJoinRequest{game, session.si_instance, CutName(playerName)};
    e_ownName = e_join.jr_name;
    e_role = ERole::Joining;
    WaitUntil(kJoinRounds, [this] { return e_role != ERole::Joining; });
    if (e_role != ERole::Joined) {
        // A word to the host, so that it does not wait for this connection.
        if (e_server)
            enet_peer_disconnect_now(e_server, 0);
        Teardown();
        return false;
    }
    ownId = e_ownId;
    return true;
}

void CEnetNetworkPlay::LeaveSession()
{
    if (!e_host)
        return;
    // Going later lets what was sent before the goodbye arrive first.
    if (e_role == ERole::Hosting) {
        for (size_t k = 0; k < e_host->peerCount; ++k)
            if (e_host->peers[k].state != ENET_PEER_STATE_DISCONNECTED)
                enet_peer_disconnect_later(&e_host->peers[k], 0);
        WaitUntil(kLeaveRounds, [this] {
            for (size_t k = 0; k < e_host->peerCount; ++k)
                if (e_host->peers[k].state != ENET_PEER_STATE_DISCONNECTED)
                    return false;
            return true;
        });
    } else if (e_server) {
        enet_peer_disconnect_later(e_server, 0);
        WaitUntil(kLeaveRounds, [this] { return e_server == nullptr; });
    }
    Teardown();
}

bool CEnetNetworkPlay::ListOtherPlayers(std::vector<RNetPlayer>& players)
{
    players.clear();
    Service();
    if (e_role != ERole::Hosting && e_role != ERole::Joined)
        return false;
    for (const RRemote& remote : e_players)
        players.push_back(RNetPlayer{remote.rr_id, remote.rr_name});
    return true;
}

bool CEnetNetworkPlay::Send(uint32_t to, std::span<const uint8_t> data, bool guaranteed)
{
    if (data.size() > kNetworkPlayLargestMessage)
        return false;
    bool sent = false;
    if (e_role == ERole::Hosting) {
        sent = Route(e_ownId, to, data, guaranteed, nullptr);
    } else if (e_role == ERole::Joined) {
        if (to == e_ownId) {
            Deliver(e_ownId, data);
            return true;
        }
        if (to != 0 && !FindRemote(to))
            return false;
        sent = SendPacket(e_server, Packet_Routed(kPacketSend, to, data), guaranteed);
    }
    if (sent)
        enet_host_flush(e_host);
    return sent;
}

bool CEnetNetworkPlay::Receive(RNetMessage& message)
{
    Service();
    if (e_inbox.empty())
        return false;
    message = std::move(e_inbox.front());
    e_inbox.pop_front();
    e_inboxBytes -= message.nm_data.size();
    return true;
}

void CEnetNetworkPlay::Service()
{
    ENetEvent event;
    for (int k = 0; k < kMostEventsPerService && e_host && enet_host_service(e_host, &event, 0) > 0; ++k)
        HandleEvent(event);
}

std::string CEnetNetworkPlay::LocalAddress()
{
    if (e_options.no_loopbackOnly)
        return "127.0.0.1";
    char name[256] = {};
    if (gethostname(name, sizeof(name) - 1) != 0)
        return "";
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* addresses = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &addresses) != 0 || !addresses)
        return "";
    ENetAddress first{};
    first.host = reinterpret_cast<const sockaddr_in*>(addresses->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(addresses);
    char text[64] = {};
    return enet_address_get_host_ip(&first, text, sizeof(text)) == 0 ? std::string(text) : std::string();
}

void CEnetNetworkPlay::HandleEvent(ENetEvent& event)
{
    switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT:
        // A joiner's connection is up: ask to be let in. The host waits for
        // that request before counting a connection as a player.
        if (e_role == ERole::Joining && event.peer == e_server)
            SendPacket(e_server, Packet_Join(e_join), true);
        break;
    case ENET_EVENT_TYPE_RECEIVE: {
        std::span<const uint8_t> packet(event.packet->data, event.packet->dataLength);
        if (e_role == ERole::Hosting)
            HandleAtHost(event.peer, event.channelID, packet);
        else if (event.peer == e_server)
            HandleAtJoiner(packet);
        enet_packet_destroy(event.packet);
        break;
    }
    case ENET_EVENT_TYPE_DISCONNECT:
        if (e_role == ERole::Hosting) {
            ForgetPeer(event.peer);
        } else if (event.peer == e_server) {
            // Without host migration a session ends with its host.
            e_server = nullptr;
            e_role = e_role == ERole::Joining ? ERole::Refused : ERole::Lost;
            e_players.clear();
        }
        break;
    case ENET_EVENT_TYPE_NONE:
        break;
    }
}

void CEnetNetworkPlay::HandleAtHost(ENetPeer* peer, uint8_t channel, std::span<const uint8_t> packet)
{
    if (packet.empty())
        return;
    RRemote* sender = FindRemote(peer);
    if (packet[0] == kPacketJoin) {
        RJoinRequest request;
        if (!sender && Packet_ReadJoin(packet, request))
            AcceptJoin(peer, request);
    } else if (packet[0] == kPacketSend) {
        RRoutedMessage message;
        if (sender && Packet_ReadRouted(kPacketSend, packet, message)) {
            Route(sender->rr_id, message.rm_player, message.rm_data, channel == kGuaranteedChannel, peer);
            enet_host_flush(e_host);
        }
    }
    // Nothing else is a joiner's to send.
}

void CEnetNetworkPlay::AcceptJoin(ENetPeer* peer, const RJoinRequest& request)
{
    if (request.jr_game != e_session.sd_game || request.jr_instance != e_instance)
        return Refuse(peer, kRefuseWrongSession);
    const int32_t most = e_session.sd_maxPlayers > 0 ? e_session.sd_maxPlayers : kNetworkPlayMostPlayers;
    if (int32_t(1 + e_players.size()) >= most)
        return Refuse(peer, kRefuseFull);

    const RNetPlayer newcomer{e_nextId++, CutName(request.jr_name)};
    RWelcome welcome{newcomer.pl_id, {RNetPlayer{e_ownId, e_ownName}}};
    for (const RRemote& remote : e_players)
        welcome.wl_players.push_back(RNetPlayer{remote.rr_id, remote.rr_name});
    SendPacket(peer, Packet_Welcome(welcome), true);
    const std::vector<uint8_t> joined = Packet_PlayerJoined(newcomer);
    for (const RRemote& remote : e_players)
        SendPacket(remote.rr_peer, joined, true);
    e_players.push_back(RRemote{newcomer.pl_id, newcomer.pl_name, peer});
    enet_host_flush(e_host);
}

void CEnetNetworkPlay::Refuse(ENetPeer* peer, ERefusal reason)
{
    SendPacket(peer, Packet_Refuse(reason), true);
    enet_peer_disconnect_later(peer, 0);
}

void CEnetNetworkPlay::ForgetPeer(ENetPeer* peer)
{
    RRemote* gone = FindRemote(peer);
    if (!gone)
        return;
    const std::vector<uint8_t> left = Packet_PlayerLeft(gone->rr_id);
    std::erase_if(e_players, [peer](const RRemote& remote) { return remote.rr_peer == peer; });
    for (const RRemote& remote : e_players)
        SendPacket(remote.rr_peer, left, true);
    enet_host_flush(e_host);
}

// At the host: from's message goes to its addressee, or to every player but
// the one it came from (source) when to is 0.
bool CEnetNetworkPlay::Route(uint32_t from, uint32_t to, std::span<const uint8_t> data, bool guaranteed,
                             ENetPeer* source)
{
    if (to == 0) {
        if (from != e_ownId)
            Deliver(from, data);
        const std::vector<uint8_t> packet = Packet_Routed(kPacketDeliver, from, data);
        for (const RRemote& remote : e_players)
            if (remote.rr_peer != source && remote.rr_id != from)
                SendPacket(remote.rr_peer, packet, guaranteed);
        return true;
    }
    if (to == e_ownId) {
        Deliver(from, data);
        return true;
    }
    RRemote* target = FindRemote(to);
    return target && SendPacket(target->rr_peer, Packet_Routed(kPacketDeliver, from, data), guaranteed);
}

void CEnetNetworkPlay::HandleAtJoiner(std::span<const uint8_t> packet)
{
    if (packet.empty())
        return;
    if (e_role == ERole::Joining) {
        RWelcome welcome;
        uint8_t reason = 0;
        if (Packet_ReadWelcome(packet, welcome)) {
            e_ownId = welcome.wl_ownId;
            e_players.clear();
            for (RNetPlayer& player : welcome.wl_players)
                e_players.push_back(RRemote{player.pl_id, std::move(player.pl_name), nullptr});
            e_role = ERole::Joined;
        } else if (Packet_ReadRefuse(packet, reason)) {
            e_role = ERole::Refused;
        }
        return;
    }
    if (e_role != ERole::Joined)
        return;
    RNetPlayer player;
    uint32_t id = 0;
    RRoutedMessage message;
    if (Packet_ReadRouted(kPacketDeliver, packet, message)) {
        Deliver(message.rm_player, message.rm_data);
    } else if (Packet_ReadPlayerJoined(packet, player)) {
        if (player.pl_id != e_ownId && !FindRemote(player.pl_id) &&
            e_players.size() < size_t(kNetworkPlayMostPlayers))
            e_players.push_back(RRemote{player.pl_id, std::move(player.pl_name), nullptr});
    } else if (Packet_ReadPlayerLeft(packet, id)) {
        std::erase_if(e_players, [id](const RRemote& remote) { return remote.rr_id == id; });
    }
}

bool CEnetNetworkPlay::SendPacket(ENetPeer* peer, const std::vector<uint8_t>& bytes, bool guaranteed)
{
    ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), guaranteed ? ENET_PACKET_FLAG_RELIABLE : 0);
    if (!packet)
        return false;
    if (enet_peer_send(peer, guaranteed ? kGuaranteedChannel : kQuickChannel, packet) < 0) {
        enet_packet_destroy(packet);
        return false;
    }
    return true;
}

void CEnetNetworkPlay::Deliver(uint32_t from, std::span<const uint8_t> data)
{
    if (e_inbox.size() >= kInboxMostMessages || e_inboxBytes + data.size() > kInboxMostBytes)
        return;
    e_inbox.push_back(RNetMessage{from, std::vector<uint8_t>(data.begin(), data.end())});
    e_inboxBytes += data.size();
}

CEnetNetworkPlay::RRemote* CEnetNetworkPlay::FindRemote(uint32_t id)
{
    for (RRemote& remote : e_players)
        if (remote.rr_id == id)
            return &remote;
    return nullptr;
}

CEnetNetworkPlay::RRemote* CEnetNetworkPlay::FindRemote(const ENetPeer* peer)
{
    for (RRemote& remote : e_players)
        if (remote.rr_peer == peer)
            return &remote;
    return nullptr;
}

} // namespace

std::unique_ptr<INetworkPlay> Platform_CreateNetworkPlay(const RNetworkPlayOptions& options)
{
    return std::make_unique<CEnetNetworkPlay>(options);
}

void Platform_WaitForNetworkTraffic(int milliseconds)
{
    WaitForDatagram(-1, milliseconds);
}
