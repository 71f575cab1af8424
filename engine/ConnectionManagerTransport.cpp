// The transport over UDP. A server listens on loopback for up to fifteen clients; each client
// gets the lowest free host index (1 to 15) and learns it from the welcome, before it makes any
// object, so that every id it makes carries its host. One message is one reliable packet on
// channel 0, so the order a machine sends in is the order every other machine hears.
//
// A client speaks only to its server. The server decides, by the rule of the message's type,
// which machines a message is for: itself (decoded at its next Service, the way any message
// arrives), one player's host, or every machine; a client's message for other machines passes
// through the server, which carries out its own part first. Before that the server checks what
// a client sent: it must decode exactly and speak only for what the rule of its type lets a
// client speak for (the game's table is multiplayer/NetworkRoutes.cpp). A refusal is counted
// for the host and logged once a second per host; a client that floods (too many messages or
// bytes, or too many refusals, within a second) is dropped; a type whose rule bounds it is
// refused beyond its number a second.
#include "engine/ConnectionManager.h"

#include "engine/Engine.h"
#include "engine/HostMessagePackets.h"
#include "engine/NetPacket.h"
#include "engine/ObjectManager.h"

#include <enet/enet.h>

#include <cstdlib>

namespace GAME {

namespace {
using Clock = std::chrono::steady_clock;

constexpr uint32_t kTimeoutMs = 5000;
constexpr auto kConnectWait = std::chrono::seconds(10);
constexpr auto kGoodbyeWait = std::chrono::seconds(1);
constexpr auto kWindow = std::chrono::seconds(1);

bool StartEnet()
{
    static const bool started = [] {
        if (enet_initialize() != 0)
            return false;
        std::atexit(enet_deinitialize);
        return true;
    }();
    return started;
}

int HostOfPeer(const ENetPeer* peer)
{
    return static_cast<int>(reinterpret_cast<intptr_t>(peer->data));
}
} // namespace

struct ConnectionManager::Transport {
    ENetHost* host = nullptr;
    bool server = false;
    bool serverLost = false;
    // The server's clients by host index; a client's server at 0.
    std::array<ENetPeer*, kMaxClients + 1> peers{};

    ~Transport()
    {
        if (host != nullptr)
            enet_host_destroy(host);
    }
};

ConnectionManager::ConnectionManager() = default;
ConnectionManager::~ConnectionManager() = default;

bool ConnectionManager::IsServer() const
{
    return transport != nullptr && transport->server;
}

bool ConnectionManager::IsConnected() const
{
    if (transport == nullptr)
        return false;
    return transport->server || (transport->peers[0] != nullptr && !transport->serverLost);
}

std::vector<int> ConnectionManager::GetClientHosts() const
{
    std::vector<int> hosts;
    const uint32_t mask = ClientMask();
    for (int host = 1; host <= kMaxClients; ++host)
        if ((mask & (1u << host)) != 0)
            hosts.push_back(host);
    return hosts;
}

// Asked for every message a server sends or passes on, so it reads the peers without building
// a list.
uint32_t ConnectionManager::ClientMask() const
{
    uint32_t mask = 0;
    for (int host = 1; transport != nullptr && transport->server && host <= kMaxClients; ++host)
        if (transport->peers[size_t(host)] != nullptr)
            mask |= 1u << host;
    return mask;
}

bool ConnectionManager::Listen(uint16_t port)
{
    ENetAddress address{};
    address.port = port;
    auto made = std::make_unique<Transport>();
    if (StartEnet() && enet_address_set_host_ip(&address, "127.0.0.1") == 0)
        made->host = enet_host_create(&address, kMaxClients + 1, 1, 0, 0);
    if (made->host == nullptr) {
        gEngine->Log(Engine::LogData, "ConnectionManager: cannot listen on 127.0.0.1:%u", port);
        return false;
    }
    made->host->maximumPacketSize = kMaxMessageBytes;
    made->server = true;
    ENetAddress bound{};
    enet_socket_get_address(made->host->socket, &bound);
    listenPort = bound.port;
    localHostId = kServerHost;
    transport = std::move(made);
    return true;
}

bool ConnectionManager::Connect(const std::string& address, uint16_t port)
{
    ENetAddress to{};
    to.port = port;
    auto made = std::make_unique<Transport>();
    if (StartEnet() && enet_address_set_host(&to, address.c_str()) == 0)
        made->host = enet_host_create(nullptr, 1, 1, 0, 0);
    ENetPeer* server = made->host != nullptr ? enet_host_connect(made->host, &to, 1, 0) : nullptr;
    if (server == nullptr) {
        gEngine->Log(Engine::LogData, "ConnectionManager: cannot reach %s:%u", address.c_str(),
                     port);
        return false;
    }
    made->host->maximumPacketSize = kMaxMessageBytes;
    server->data = nullptr;
    transport = std::move(made);
    const Clock::time_point deadline = Clock::now() + kConnectWait;
    ENetEvent event;
    while (welcome.hostIndex == 0 && Clock::now() < deadline) {
        if (enet_host_service(transport->host, &event, 20) <= 0)
            continue;
        if (event.type == ENET_EVENT_TYPE_CONNECT) {
            enet_peer_timeout(event.peer, 0, kTimeoutMs, kTimeoutMs);
            transport->peers[0] = event.peer;
        } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
            Receive(kServerHost, event.packet->data, event.packet->dataLength);
            enet_packet_destroy(event.packet);
        } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
            break;
        }
    }
    if (welcome.hostIndex == 0) {
        gEngine->Log(Engine::LogData, "ConnectionManager: no welcome from %s:%u", address.c_str(),
                     port);
        transport.reset();
        return false;
    }
    return true;
}

void ConnectionManager::Service()
{
    if (transport == nullptr)
        return;
    ServiceLoopback();
    ENetEvent event;
    while (transport != nullptr && enet_host_service(transport->host, &event, 0) > 0) {
        if (event.type == ENET_EVENT_TYPE_CONNECT && transport->server) {
            HostConnected(event.peer);
        } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
            const int host = transport->server ? HostOfPeer(event.peer) : kServerHost;
            if (!transport->server || transport->peers[size_t(Slot(host))] == event.peer)
                Receive(host, event.packet->data, event.packet->dataLength);
            enet_packet_destroy(event.packet);
        } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
            if (!transport->server) {
                transport->serverLost = true;
                transport->peers[0] = nullptr;
                if (listener != nullptr)
                    listener->OnServerLost();
            } else if (transport->peers[Slot(HostOfPeer(event.peer))] == event.peer) {
                HostGone(HostOfPeer(event.peer));
            }
        }
    }
}

void ConnectionManager::ServiceLoopback()
{
    while (!loopback.empty()) {
        const std::vector<uint8_t> bytes = std::move(loopback.front());
        loopback.pop_front();
        std::unique_ptr<NetPacket> packet = DecodePacket(bytes);
        if (packet != nullptr && listener != nullptr)
            listener->OnMessage(kServerHost, *packet);
    }
}

void ConnectionManager::HostConnected(void* peerHandle)
{
    auto* peer = static_cast<ENetPeer*>(peerHandle);
    int host = 1;
    while (host <= kMaxClients && transport->peers[size_t(host)] != nullptr)
        ++host;
    if (host > kMaxClients) {
        gEngine->Log(Engine::LogData, "ConnectionManager: client refused, all %d host indexes used",
                     kMaxClients);
        enet_peer_disconnect_now(peer, 0);
        return;
    }
    peer->data = reinterpret_cast<void*>(intptr_t(host));
    enet_peer_timeout(peer, 0, kTimeoutMs, kTimeoutMs);
    transport->peers[size_t(host)] = peer;
    counters[size_t(host)] = {};
    windows[size_t(host)] = {};
    if (listener != nullptr)
        listener->OnHostJoined(host);
}

void ConnectionManager::HostGone(int host)
{
    if (transport == nullptr || transport->peers[Slot(host)] == nullptr || host == kServerHost)
        return;
    transport->peers[size_t(host)] = nullptr;
    if (listener != nullptr)
        listener->OnHostLeft(host);
}

void ConnectionManager::Flush()
{
    if (transport != nullptr)
        enet_host_flush(transport->host);
}

void ConnectionManager::Disconnect()
{
    if (transport == nullptr)
        return;
    int waiting = 0;
    for (ENetPeer*& peer : transport->peers) {
        if (peer != nullptr) {
            enet_peer_disconnect_later(peer, 0);
            ++waiting;
        }
    }
    const Clock::time_point deadline = Clock::now() + kGoodbyeWait;
    ENetEvent event;
    while (waiting > 0 && Clock::now() < deadline) {
        if (enet_host_service(transport->host, &event, 20) <= 0)
            continue;
        if (event.type == ENET_EVENT_TYPE_RECEIVE)
            enet_packet_destroy(event.packet);
        else if (event.type == ENET_EVENT_TYPE_DISCONNECT)
            --waiting;
    }
    transport.reset();
    loopback.clear();
}

void ConnectionManager::DropHost(int host, const std::string& reason)
{
    dropped.emplace_back(host, reason);
    if (transport == nullptr || !transport->server || host <= kServerHost || host > kMaxClients)
        return;
    ENetPeer* peer = transport->peers[size_t(host)];
    if (peer == nullptr)
        return;
    gEngine->Log(Engine::LogRuntime, "ConnectionManager: host %d dropped: %s", host,
                 reason.c_str());
    enet_peer_disconnect_now(peer, 0);
    HostGone(host);
}

void ConnectionManager::Dispatch(Route route, int host, NetPacket& packet)
{
    const uint8_t* bytes = packet.GetOutBuffer();
    const size_t count = packet.GetOutBufferSize();
    if (!transport->server) {
        SendTo(kServerHost, bytes, count);
        return;
    }
    if (listener != nullptr && GetPacketRule(packet.GetType()).speaks == Speaker::Listener)
        listener->OnSend(packet);
    const uint32_t clients = ClientMask();
    if (route == Route::Send)
        SendBytes(RouteMask(packet, kServerHost, clients), bytes, count);
    else if (route == Route::Broadcast)
        SendBytes(host == kPeerHosts ? clients : clients & ~(1u << Slot(host)), bytes, count);
    else
        SendBytes((1u << Slot(host)) & clients, bytes, count);
}

// One copy of the message serves every client it goes to: each queued send holds a reference,
// and the last acknowledgement frees it. A message nobody took is freed here.
void ConnectionManager::SendBytes(uint32_t mask, const uint8_t* bytes, size_t count)
{
    if ((mask & 1u) != 0)
        loopback.emplace_back(bytes, bytes + count);
    ENetPacket* packet = nullptr;
    for (int host = 1; host <= kMaxClients; ++host) {
        ENetPeer* peer = (mask & (1u << host)) != 0 ? transport->peers[size_t(host)] : nullptr;
        if (peer == nullptr)
            continue;
        if (packet == nullptr)
            packet = enet_packet_create(bytes, count, ENET_PACKET_FLAG_RELIABLE);
        if (packet == nullptr)
            return;
        if (enet_peer_send(peer, 0, packet) == 0)
            ++counters[size_t(host)].messagesOut;
    }
    if (packet != nullptr && packet->referenceCount == 0)
        enet_packet_destroy(packet);
}

void ConnectionManager::SendTo(int host, const uint8_t* bytes, size_t count)
{
    ENetPeer* peer = transport->peers[Slot(host)];
    if (peer == nullptr)
        return;
    ENetPacket* packet = enet_packet_create(bytes, count, ENET_PACKET_FLAG_RELIABLE);
    if (packet != nullptr && enet_peer_send(peer, 0, packet) == 0)
        ++counters[Slot(host)].messagesOut;
    else if (packet != nullptr)
        enet_packet_destroy(packet);
}

void ConnectionManager::Receive(int fromHost, const uint8_t* bytes, size_t count)
{
    const bool fromClient = IsServer() && fromHost != kServerHost;
    if (fromClient && (windows[Slot(fromHost)].flooded || !CountIn(fromHost, count)))
        return;
    if (!fromClient)
        ++counters[Slot(fromHost)].messagesIn;
    const char* why = nullptr;
    std::unique_ptr<NetPacket> packet = DecodePacket(bytes, count, why);
    if (packet == nullptr) {
        Refuse(fromHost, why);
        return;
    }
    if (fromClient && !CheckFromClient(fromHost, *packet))
        return;
    if (!fromClient && packet->GetType() == HostWelcomePacket::kType) {
        const auto& offered = static_cast<const HostWelcomePacket&>(*packet);
        if (welcome.hostIndex != 0 || offered.hostIndex < 1 || offered.hostIndex > kMaxClients) {
            Refuse(fromHost, "welcome out of place");
            return;
        }
        welcome = {offered.hostIndex, offered.seed, offered.difficulty, offered.playersExpected};
        localHostId = offered.hostIndex;
        ObjectManager::Instance().SetHostIndex(static_cast<uint32_t>(offered.hostIndex));
        return;
    }
    Deliver(fromHost, *packet, bytes, count);
}

void ConnectionManager::Deliver(int fromHost, NetPacket& packet, const uint8_t* bytes, size_t count)
{
    if (!IsServer() || fromHost == kServerHost) {
        if (listener != nullptr)
            listener->OnMessage(fromHost, packet);
        return;
    }
    const uint32_t mask = RouteMask(packet, fromHost, ClientMask());
    if ((mask & 1u) != 0 && listener != nullptr)
        listener->OnMessage(fromHost, packet);
    // The listener may have dropped the sender meanwhile; the others still hear it.
    if (transport != nullptr)
        SendBytes(mask & ~1u, bytes, count);
}

bool ConnectionManager::CountIn(int fromHost, size_t count)
{
    Window& window = windows[Slot(fromHost)];
    const Clock::time_point now = Clock::now();
    if (now - window.start >= kWindow) {
        window.start = now;
        window.messages = 0;
        window.bytes = 0;
        window.dropped = 0;
        window.kinds.fill(0);
    }
    ++counters[Slot(fromHost)].messagesIn;
    ++window.messages;
    window.bytes += count;
    if (window.messages > kFloodMessages || window.bytes > kFloodBytes) {
        Flood(fromHost);
        return false;
    }
    return true;
}

bool ConnectionManager::Refuse(int fromHost, const char* why)
{
    ++counters[Slot(fromHost)].dropped;
    Window& window = windows[Slot(fromHost)];
    const Clock::time_point now = Clock::now();
    if (!window.logged || now - window.lastLog >= kWindow) {
        window.logged = true;
        window.lastLog = now;
        gEngine->Log(Engine::LogRuntime, "ConnectionManager: message from host %d dropped: %s",
                     fromHost, why);
    }
    if (IsServer() && fromHost != kServerHost && ++window.dropped > kFloodDropped)
        Flood(fromHost);
    return false;
}

void ConnectionManager::Flood(int fromHost)
{
    windows[Slot(fromHost)].flooded = true;
    DropHost(fromHost, "flood");
}

bool ConnectionManager::CountKind(int fromHost, uint32_t type)
{
    const uint16_t bound = GetPacketRule(type).perSecond;
    if (bound == 0 || type >= kMaxTypes)
        return true;
    uint16_t& sent = windows[Slot(fromHost)].kinds[type];
    if (sent < bound) {
        ++sent;
        return true;
    }
    return Refuse(fromHost, "more of its kind than a second allows");
}

bool ConnectionManager::CheckFromClient(int fromHost, const NetPacket& packet)
{
    if (!CountKind(fromHost, packet.GetType()))
        return false;
    const PacketRule& rule = GetPacketRule(packet.GetType());
    const int host = rule.speaker != nullptr ? HostOfId(rule.speaker(packet)) : kServerHost;
    const char* why = nullptr;
    switch (rule.speaks) {
    case Speaker::Anyone:
        break;
    case Speaker::ServerOnly:
        why = "server-only type";
        break;
    case Speaker::Own:
        why = host != fromHost ? "speaks for what is not its own" : nullptr;
        break;
    case Speaker::OwnOrServer:
        why = host != fromHost && host != kServerHost ? "speaks for another client's" : nullptr;
        break;
    case Speaker::Listener:
        why = listener != nullptr ? listener->Refusal(fromHost, packet) : nullptr;
        break;
    }
    return why == nullptr || Refuse(fromHost, why);
}

} // namespace GAME
