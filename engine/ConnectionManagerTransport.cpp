// The transport over UDP. A server listens on loopback for up to fifteen clients (fewer when
// the host sets a limit); each client gets the lowest free host index (1 to 15) and learns it
// from the welcome, before it makes any object, so that every id it makes carries its host. One
// message is one reliable packet on channel 0, so the order a machine sends in is the order
// every other machine hears.
//
// Who gets an index. A client says hello in its connect request's data word; a peer that
// finishes its handshake without one is let go at once, so a stranger never holds an index and
// never shifts the indexes of the clients after it. A client past the limit is told the server
// is full, with the count and the limit, and let go. The ENet host keeps many more peer slots
// than clients, so a crowd of strangers never keeps a client out: a handshake left unfinished is
// let go after the hello deadline (after the client's whole wait when it said hello), the oldest
// sooner when free slots run short. Refused peers are counted and logged as a count, at most a
// line a second. A host's counters are kept for the whole session: a departed host's refusals still
// count after its index is taken again (only its flood window starts afresh).
//
// How a link ends. The goodbye's data word says why (goodbye, dropped, full, under way, the
// session ended), and a client keeps it as its farewell. A link that hears no acknowledgement
// for the link timeout is lost: the server reports the host lost with its seconds of silence,
// apart from one that said goodbye or was dropped; the client's farewell is "no answer". ENet
// doubles a message's retransmission timeout each time it goes unanswered, and it lets a link go
// as soon as one message has waited the link timeout since it was last sent, whatever else was
// acknowledged meanwhile: on a lossy link an unlucky message soon backs off past any timeout.
// Each service bounds that wait, so an honest lossy or jittery link never times out while a dead
// one falls silent for the whole timeout.
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

#include <algorithm>
#include <cstdlib>

namespace GAME {

namespace {
using Clock = std::chrono::steady_clock;
using Farewell = ConnectionManager::Farewell;

// A client gives up on its welcome after kConnectWait; a server lets go of a handshake that said
// hello but has not finished by then, and of one without a hello after the hello deadline.
constexpr auto kConnectWait = std::chrono::seconds(10);
constexpr auto kHelloDeadline = std::chrono::milliseconds(ConnectionManager::kHelloDeadlineMs);
constexpr auto kGoodbyeWait = std::chrono::seconds(1);
constexpr auto kWindow = std::chrono::seconds(1);
// The hello in a client's connect request: "HELO".
constexpr uint32_t kHello = 0x4F4C4548u;
// Peer slots kept free for whoever comes next.
constexpr size_t kFreeSlots = ConnectionManager::kPeerSlots / 8;

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

uint32_t FarewellWord(Farewell why, uint32_t held = 0, uint32_t limit = 0)
{
    return uint32_t(why) | (held & 0xffu) << 8 | (limit & 0xffu) << 16;
}

bool Holds(const ENetPeer& peer)
{
    return peer.state != ENET_PEER_STATE_DISCONNECTED && peer.state != ENET_PEER_STATE_ZOMBIE;
}

// A message goes out again at least every kRetransmitCapMs while unacknowledged.
void BoundRetransmission(ENetPeer& peer)
{
    for (ENetListIterator at = enet_list_begin(&peer.sentReliableCommands);
         at != enet_list_end(&peer.sentReliableCommands); at = enet_list_next(at)) {
        auto* command = reinterpret_cast<ENetOutgoingCommand*>(at);
        command->roundTripTimeout =
            std::min<enet_uint32>(command->roundTripTimeout, ConnectionManager::kRetransmitCapMs);
    }
}

// One rule for every message however often it was sent: the link is lost once nothing has been
// acknowledged for the timeout.
void ConfigureLink(ENetPeer* peer, uint32_t timeoutMs)
{
    enet_peer_timeout(peer, 1, timeoutMs, timeoutMs);
}
} // namespace

struct ConnectionManager::Transport {
    ENetHost* host = nullptr;
    bool server = false;
    bool serverLost = false;
    // The server's clients by host index; a client's server at 0.
    std::array<ENetPeer*, kMaxClients + 1> peers{};
    // When each host was last heard, from ENet's last acknowledgement time.
    std::array<Clock::time_point, kMaxClients + 1> heard{};
    std::array<enet_uint32, kMaxClients + 1> lastReceive{};
    // Since when each ENet peer slot has been held without a host index.
    std::vector<Clock::time_point> strangerSince;
    uint64_t refusalsUnlogged = 0;
    Clock::time_point lastRefusalLog{};

    ~Transport()
    {
        if (host != nullptr)
            enet_host_destroy(host);
    }
    // A host of ENet's for `slots` peers, its messages up to the transport's largest.
    bool Create(const ENetAddress* address, size_t slots)
    {
        host = enet_host_create(address, slots, 1, 0, 0);
        if (host == nullptr)
            return false;
        host->maximumPacketSize = kMaxMessageBytes;
        strangerSince.assign(slots, Clock::time_point{});
        return true;
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

void ConnectionManager::SetClientLimit(int clients)
{
    clientLimit = std::clamp(clients, 1, kMaxClients);
}

bool ConnectionManager::Listen(uint16_t port)
{
    ENetAddress address{};
    address.port = port;
    auto made = std::make_unique<Transport>();
    if (!StartEnet() || enet_address_set_host_ip(&address, "127.0.0.1") != 0 ||
        !made->Create(&address, kPeerSlots)) {
        gEngine->Log(Engine::LogData, "ConnectionManager: cannot listen on 127.0.0.1:%u", port);
        return false;
    }
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
    ENetPeer* server = nullptr;
    if (StartEnet() && enet_address_set_host(&to, address.c_str()) == 0 && made->Create(nullptr, 1))
        server = enet_host_connect(made->host, &to, 1, kHello);
    if (server == nullptr) {
        gEngine->Log(Engine::LogData, "ConnectionManager: cannot reach %s:%u", address.c_str(),
                     port);
        return false;
    }
    ConfigureLink(server, linkTimeoutMs);
    server->data = nullptr;
    farewell = Farewell::None;
    transport = std::move(made);
    const Clock::time_point start = Clock::now();
    ENetEvent event;
    while (welcome.hostIndex == 0 && farewell == Farewell::None &&
           Clock::now() < start + kConnectWait) {
        Tend();
        if (enet_host_service(transport->host, &event, 20) <= 0)
            continue;
        if (event.type == ENET_EVENT_TYPE_CONNECT) {
            ConfigureLink(event.peer, linkTimeoutMs);
            transport->peers[0] = event.peer;
            transport->heard[0] = Clock::now();
        } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
            Receive(kServerHost, event.packet->data, event.packet->dataLength);
            enet_packet_destroy(event.packet);
        } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
            ServerGone(event.data);
        }
    }
    if (welcome.hostIndex == 0) {
        if (farewell == Farewell::None) {
            farewell = Farewell::NoAnswer;
            farewellHeld = uint32_t(
                std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - start).count());
        }
        gEngine->Log(Engine::LogData, "ConnectionManager: no welcome from %s:%u: %s",
                     address.c_str(), port, GetFarewellText().c_str());
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
    Tend();
    ENetEvent event;
    while (transport != nullptr && enet_host_service(transport->host, &event, 0) > 0) {
        if (event.type == ENET_EVENT_TYPE_CONNECT && transport->server) {
            HostConnected(event.peer, event.data);
        } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
            const int host = transport->server ? HostOfPeer(event.peer) : kServerHost;
            if (!transport->server || transport->peers[size_t(Slot(host))] == event.peer)
                Receive(host, event.packet->data, event.packet->dataLength);
            enet_packet_destroy(event.packet);
        } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
            if (!transport->server) {
                ServerGone(event.data);
                if (listener != nullptr)
                    listener->OnServerLost();
            } else if (transport->peers[Slot(HostOfPeer(event.peer))] == event.peer) {
                // Only a link that timed out ends without a word of ours.
                const int host = HostOfPeer(event.peer);
                HostGone(host, event.data == 0, SilentSeconds(host));
            }
        }
    }
}

void ConnectionManager::Tend()
{
    ENetHost& host = *transport->host;
    const Clock::time_point now = Clock::now();
    size_t free = 0;
    for (size_t slot = 0; slot < host.peerCount; ++slot) {
        ENetPeer& peer = host.peers[slot];
        Clock::time_point& since = transport->strangerSince[slot];
        if (!Holds(peer)) {
            since = {};
            ++free;
            continue;
        }
        BoundRetransmission(peer);
        const int index = transport->server ? HostOfPeer(&peer) : kServerHost;
        if (transport->peers[Slot(index)] == &peer) {
            since = {};
            if (peer.lastReceiveTime != transport->lastReceive[Slot(index)]) {
                transport->lastReceive[Slot(index)] = peer.lastReceiveTime;
                transport->heard[Slot(index)] = now;
            }
        } else if (!transport->server) {
            continue;
        } else if (since == Clock::time_point{}) {
            since = now;
        } else if (now - since >= (peer.eventData == kHello ? kConnectWait : kHelloDeadline)) {
            enet_peer_reset(&peer);
            since = {};
            ++free;
        }
    }
    if (transport->server && free < kFreeSlots)
        LetStrangersGo(kFreeSlots - free);
    LogRefusals(false);
}

// Under a crowd of half-made handshakes the oldest strangers go first, so that a slot is always
// free for the next one, a client among them.
void ConnectionManager::LetStrangersGo(size_t count)
{
    std::vector<size_t> strangers;
    for (size_t slot = 0; slot < transport->strangerSince.size(); ++slot)
        if (transport->strangerSince[slot] != Clock::time_point{})
            strangers.push_back(slot);
    count = std::min(count, strangers.size());
    const auto older = [this](size_t a, size_t b) {
        return transport->strangerSince[a] < transport->strangerSince[b];
    };
    std::partial_sort(strangers.begin(), strangers.begin() + ptrdiff_t(count), strangers.end(),
                      older);
    for (size_t i = 0; i < count; ++i) {
        enet_peer_reset(&transport->host->peers[strangers[i]]);
        transport->strangerSince[strangers[i]] = {};
    }
}

uint32_t ConnectionManager::GetSilentMs(int host) const
{
    if (transport == nullptr || transport->peers[Slot(host)] == nullptr)
        return 0;
    const auto silence = Clock::now() - transport->heard[Slot(host)];
    return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(silence).count());
}

uint32_t ConnectionManager::SilentSeconds(int host) const
{
    const auto silence = Clock::now() - transport->heard[Slot(host)];
    return uint32_t(std::chrono::duration_cast<std::chrono::seconds>(silence).count());
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

void ConnectionManager::HostConnected(void* peerHandle, uint32_t hello)
{
    auto* peer = static_cast<ENetPeer*>(peerHandle);
    peer->data = nullptr;
    if (hello != kHello) {
        RefusePeer(peer, 0);
        return;
    }
    const std::vector<int> held = GetClientHosts();
    int host = 1;
    while (host <= kMaxClients && transport->peers[size_t(host)] != nullptr)
        ++host;
    if (int(held.size()) >= clientLimit || host > kMaxClients) {
        RefusePeer(peer,
                   FarewellWord(Farewell::Full, uint32_t(held.size()), uint32_t(clientLimit)));
        return;
    }
    peer->data = reinterpret_cast<void*>(intptr_t(host));
    ConfigureLink(peer, linkTimeoutMs);
    transport->peers[size_t(host)] = peer;
    transport->heard[size_t(host)] = Clock::now();
    transport->lastReceive[size_t(host)] = peer->lastReceiveTime;
    windows[size_t(host)] = {};
    if (listener != nullptr)
        listener->OnHostJoined(host);
}

// A refused peer keeps nothing of ours: a client is told why, reliably, so that it can say so;
// a stranger is let go at once. Either way its slot is free again within the hello deadline.
void ConnectionManager::RefusePeer(void* peerHandle, uint32_t word)
{
    auto* peer = static_cast<ENetPeer*>(peerHandle);
    if (word != 0)
        enet_peer_disconnect(peer, word);
    else
        enet_peer_disconnect_now(peer, 0);
    ++refusedPeers;
    ++transport->refusalsUnlogged;
    LogRefusals(false);
}

void ConnectionManager::LogRefusals(bool always)
{
    const Clock::time_point now = Clock::now();
    if (transport->refusalsUnlogged == 0 ||
        (!always && now - transport->lastRefusalLog < std::chrono::milliseconds(kRefusalLogMs)))
        return;
    gEngine->Log(Engine::LogRuntime, "ConnectionManager: %llu peers refused, %llu in all",
                 static_cast<unsigned long long>(transport->refusalsUnlogged),
                 static_cast<unsigned long long>(refusedPeers));
    transport->refusalsUnlogged = 0;
    transport->lastRefusalLog = now;
}

void ConnectionManager::HostGone(int host, bool lost, uint32_t silentSeconds)
{
    if (transport == nullptr || transport->peers[Slot(host)] == nullptr || host == kServerHost)
        return;
    transport->peers[size_t(host)] = nullptr;
    if (listener == nullptr)
        return;
    if (lost)
        listener->OnHostLost(host, silentSeconds);
    else
        listener->OnHostLeft(host);
}

void ConnectionManager::ServerGone(uint32_t word)
{
    transport->serverLost = true;
    transport->peers[0] = nullptr;
    const uint32_t why = word & 0xffu;
    farewellHeld = (word >> 8) & 0xffu;
    farewellLimit = (word >> 16) & 0xffu;
    if (word == 0) {
        farewell = Farewell::NoAnswer;
        farewellHeld = SilentSeconds(kServerHost);
    } else if (why >= uint32_t(Farewell::Goodbye) && why <= uint32_t(Farewell::SessionEnded)) {
        farewell = Farewell(why);
    } else {
        farewell = Farewell::Goodbye;
    }
}

std::string ConnectionManager::GetFarewellText() const
{
    switch (farewell) {
    case Farewell::None:
        return "";
    case Farewell::Goodbye:
        return "the server said goodbye";
    case Farewell::Dropped:
        return "dropped by the server";
    case Farewell::Full:
        return "the server is full: " + std::to_string(farewellHeld) + " of " +
               std::to_string(farewellLimit) + " clients";
    case Farewell::UnderWay:
        return "the session is under way";
    case Farewell::SessionEnded:
        return "the session ended";
    case Farewell::NoAnswer:
        return "no answer for " + std::to_string(farewellHeld) + " s";
    }
    return "";
}

void ConnectionManager::Flush()
{
    if (transport != nullptr)
        enet_host_flush(transport->host);
}

// Every peer still there hears the goodbye, a client half way through its handshake too; whoever
// has not answered within the wait is told once more, unacknowledged, as the host closes.
void ConnectionManager::Disconnect(Farewell why)
{
    if (transport == nullptr)
        return;
    const uint32_t word = FarewellWord(why);
    ENetHost& host = *transport->host;
    for (size_t slot = 0; slot < host.peerCount; ++slot) {
        ENetPeer& peer = host.peers[slot];
        if (peer.state == ENET_PEER_STATE_CONNECTED)
            enet_peer_disconnect_later(&peer, word);
        else if (Holds(peer) && peer.state != ENET_PEER_STATE_DISCONNECTING)
            enet_peer_disconnect(&peer, word);
    }
    const auto waiting = [&host] {
        for (size_t slot = 0; slot < host.peerCount; ++slot)
            if (Holds(host.peers[slot]))
                return true;
        return false;
    };
    const Clock::time_point deadline = Clock::now() + kGoodbyeWait;
    ENetEvent event;
    while (waiting() && Clock::now() < deadline) {
        if (enet_host_service(&host, &event, 20) > 0 && event.type == ENET_EVENT_TYPE_RECEIVE)
            enet_packet_destroy(event.packet);
    }
    for (size_t slot = 0; slot < host.peerCount; ++slot)
        if (Holds(host.peers[slot]))
            enet_peer_disconnect_now(&host.peers[slot], word);
    LogRefusals(true);
    transport.reset();
    loopback.clear();
}

void ConnectionManager::DropHost(int host, const std::string& reason, Farewell why)
{
    dropped.emplace_back(host, reason);
    if (transport == nullptr || !transport->server || host <= kServerHost || host > kMaxClients)
        return;
    ENetPeer* peer = transport->peers[size_t(host)];
    if (peer == nullptr)
        return;
    gEngine->Log(Engine::LogRuntime, "ConnectionManager: host %d dropped: %s", host,
                 reason.c_str());
    // Told reliably, so that it can say why; nothing more it sends is heard.
    peer->data = nullptr;
    enet_peer_disconnect(peer, FarewellWord(why));
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
        welcome = {offered.hostIndex, offered.seed, offered.difficulty, offered.playersExpected,
                   offered.worldDigest};
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
