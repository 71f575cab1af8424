// The transport over UDP. A server listens on loopback for up to fifteen clients (fewer when
// the host sets a limit); each client gets the lowest free host index (1 to 15) and learns it
// from the welcome, before it makes any object, so that every id it makes carries its host. What
// a machine sends a peer in a frame leaves at the frame's flush on channel 0, reliable, its
// messages packed whole into as few packets as fit a datagram each (a bundle, its own header's
// type 0; a lone message goes as it is), so the order a machine sends in is the order every other
// machine hears, and a lossy link keeps few packets in flight. A bundle is taken whole, each
// message as if it came alone, or refused whole.
//
// Who gets an index, and how long a peer may take to finish its handshake and to bring its
// player, is the door's to decide (engine/ConnectionAdmission.cpp): after each service, what
// arrived read, the transport tells it which ENet slots are held, how long each has been silent
// and whether a new client has acknowledged its welcome, and does what it answers (admit, refuse
// with a word, let a slot go, let a client go). Every time here is the session's clock
// (engine/SessionClock.cpp), read at each service: a stop of this machine is no one's silence.
// A host's counters are kept for the whole session: a departed host's refusals still count after
// its index is taken again (only its flood window starts afresh). Only a client that played (its
// session said it brought its player) counts among the hosts dropped.
//
// How a link ends. The goodbye's data word says why (goodbye, dropped, full, under way, no
// player, the session ended), and a client keeps it as its farewell; a goodbye is a leaving
// whatever its word. ENet gives the word 0 both to a goodbye that names no reason and to its own
// timeout: a link silent (on the wall) for half the link timeout or more timed out, any other
// said goodbye. A link of which no datagram was heard (counted as each arrives, whatever it
// carries: a peer whose own messages are lost but who answers, or acknowledges, is heard) for the
// link timeout of this machine's running time is lost: the server reports the host lost with its
// seconds of silence and tells it once, unacknowledged, that it was dropped (heard where only its
// upstream is cut); a client's farewell is "no answer". The server judges silence after each
// service has read what arrived, on its running time, so that what a client sent while the
// server could not read counts for the client. A client judges its server on the wall, before
// it reads, so that a client stopped longer than the bound (its server let it go meanwhile) knows
// at its first service after that it was let go, with the seconds it heard nothing, however much
// of the server's traffic waited in its socket. ENet's own timeout (a message unacknowledged) is
// kTransportGraceMs past the link's, and what it timed while this machine did not run is
// forgiven, so that it never judges a silence first. ENet doubles a message's retransmission
// timeout each time it goes unanswered: on a lossy link an unlucky message soon backs off past
// any timeout. Each service bounds that wait, so an honest lossy or jittery link is answered
// soon after an outage while a dead one falls silent for the whole timeout.
//
// A client's read may have a budget, so that a server sending faster than the client can carry
// it out never holds it in one read: what is left when the budget runs out waits in ENet, which
// bounds what a peer may leave waiting, for the next; the link is answered meanwhile. What a
// client takes in while it loads its world waits in a queue of its own, kMaxHeldBytes at most, and
// the rest in ENet likewise. What ENet refuses past its bound waits unacknowledged on the sender,
// which ENet's own timeout would take for a dead link: a peer still heard is the session's to
// judge, so each look at a peer heard since starts ENet's count again.
//
// What a machine sends a peer, how much of it flies and how it is resent: the peer's outbox's.
// A playing client whose oldest message there waited kMaxBacklogMs, or whose outbox passes
// kMaxBacklogBytes, cannot keep up: it is let go, told it is too slow.
//
// A client speaks only to its server. The server decides, by the rule of the message's type,
// which machines a message is for: itself (decoded at its next Service, the way any message
// arrives), one player's host, or every machine; a client's message for other machines passes
// through the server, which carries out its own part first. Before that the server checks what
// a client sent: it must decode exactly and speak only for what the rule of its type lets a
// client speak for (the game's table is multiplayer/NetworkRoutes.cpp). A refusal is counted
// for the host and logged as a count, as is every line a peer's message causes (Engine::PeerWord);
// a client that floods (too many messages or bytes, or too many refusals, within a second) is
// dropped; a type whose rule bounds it is refused beyond its number a second. The second is one
// of the server's reading: a stop (time the server did not run, not a long frame of its own)
// leaves the client owed a second's worth more for each second the server could not read, spent
// as the backlog arrives, over however many seconds its link takes, so that it is never a flood. A
// message longer than the link carries is refused as it begins to arrive, and its sender let go:
// ENet would neither take nor answer it, and all behind it would wait.
#include "engine/ConnectionManager.h"

#include "engine/ConnectionOutbox.h"
#include "engine/Engine.h"
#include "engine/HostMessagePackets.h"
#include "engine/NetPacket.h"
#include "engine/ObjectManager.h"

#include <enet/enet.h>
#include <enet/time.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace GAME {

namespace {
using Clock = std::chrono::steady_clock;
using Farewell = ConnectionManager::Farewell;
using Act = ConnectionAdmission::Act;

constexpr auto kGoodbyeWait = std::chrono::seconds(1);

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

bool Holds(const ENetPeer& peer)
{
    return peer.state != ENET_PEER_STATE_DISCONNECTED && peer.state != ENET_PEER_STATE_ZOMBIE;
}

// ENet's own timeout (a message unacknowledged that long since it was first left waiting, however
// often it was sent) lies past the link's bound by kTransportGraceMs: a silent peer is the
// session's to judge, and a peer still heard has a resend's longest wait and a slow round trip
// after an outage within the bound to be answered.
void ConfigureLink(ENetPeer* peer, uint32_t silenceMs)
{
    const uint32_t timeoutMs = silenceMs + ConnectionManager::kTransportGraceMs;
    enet_peer_timeout(peer, 1, timeoutMs, timeoutMs);
}

// Acknowledges and pings without taking what arrived: ENet keeps it, within its own bound of
// what a peer may leave waiting, until it is read.
void AnswerOnly(ENetHost& host)
{
    enet_host_service(&host, nullptr, 0);
}

uint32_t Word16(const uint8_t* at)
{
    return uint32_t(at[0]) << 8 | at[1];
}

// The first message a server sends a client is its welcome; the client has it once ENet keeps
// no copy of it waiting to be sent or acknowledged.
bool WelcomeHeard(ENetPeer& peer)
{
    if (peer.channelCount == 0 || peer.channels[0].outgoingReliableSequenceNumber == 0)
        return false;
    for (ENetList* list : {&peer.sentReliableCommands, &peer.outgoingCommands})
        for (ENetListIterator at = enet_list_begin(list); at != enet_list_end(list);
             at = enet_list_next(at)) {
            const auto* waiting = reinterpret_cast<const ENetOutgoingCommand*>(at);
            if (waiting->command.header.channelID == 0 && waiting->reliableSequenceNumber == 1 &&
                (waiting->command.header.command & ENET_PROTOCOL_COMMAND_FLAG_ACKNOWLEDGE) != 0)
                return false;
        }
    return true;
}
} // namespace

namespace {
// A packet being sent holds a reference of its sender's until every peer has it queued, so that
// no peer's refusal frees it under the others.
ENetPacket* Held(ENetPacket* packet)
{
    if (packet != nullptr)
        ++packet->referenceCount;
    return packet;
}
void Let(ENetPacket* packet)
{
    if (packet != nullptr && --packet->referenceCount == 0)
        enet_packet_destroy(packet);
}

} // namespace

struct ConnectionManager::Transport {
    ENetHost* host = nullptr;
    bool server = false;
    bool serverLost = false;
    // A client's link to its server; a server finds its clients' slots through the door.
    ENetPeer* toServer = nullptr;
    // When a slot was last heard: every datagram of its peer, counted (with ENet's time of it) as
    // it arrives, before ENet reads it, whatever it carries, so that a peer whose own messages
    // are not getting through but who still answers (or one that only acknowledges) is heard; and
    // when the tending saw the count change, on the session's clock and on the wall (backdated to
    // ENet's time).
    struct Heard {
        uint32_t datagrams = 0;
        enet_uint32 at = 0;
        uint32_t seen = 0;
        uint64_t runningMs = 0;
        Clock::time_point wall{};
        // It sent a message longer than the link carries.
        bool overlong = false;

        void Now(uint64_t nowMs, Clock::time_point wallNow)
        {
            seen = datagrams;
            runningMs = nowMs;
            wall = wallNow;
        }
    };
    std::vector<Heard> heard;
    std::unique_ptr<ConnectionOutbox[]> outboxes;

    // The header's first word names the peer of ours a datagram is for; its address must be the
    // peer's own.
    static int NoteDatagram(ENetHost* host, ENetEvent* /*event*/)
    {
        if (host->receivedDataLength < 2)
            return 0;
        const auto word = enet_uint16(host->receivedData[0] << 8 | host->receivedData[1]);
        const size_t slot =
            word & ~enet_uint16(ENET_PROTOCOL_HEADER_FLAG_MASK | ENET_PROTOCOL_HEADER_SESSION_MASK);
        if (slot >= host->peerCount)
            return 0;
        const ENetPeer& peer = host->peers[slot];
        if (peer.data == nullptr || peer.address.host != host->receivedAddress.host ||
            peer.address.port != host->receivedAddress.port)
            return 0;
        auto& heard = *static_cast<Heard*>(peer.data);
        ++heard.datagrams;
        heard.at = host->serviceTime;
        if (LongestAnnounced(host->receivedData, host->receivedDataLength) >
            host->maximumPacketSize)
            heard.overlong = true;
        return 0;
    }

    ~Transport()
    {
        if (host == nullptr)
            return;
        for (size_t slot = 0; slot < host->peerCount; ++slot)
            outboxes[slot].Clear();
        enet_host_destroy(host);
    }
    // A host of ENet's for `slots` peers, its messages up to `longest` bytes.
    bool Create(const ENetAddress* address, size_t slots, size_t longest, size_t waitingBytes)
    {
        host = enet_host_create(address, slots, 1, 0, 0);
        if (host == nullptr)
            return false;
        host->maximumPacketSize = longest;
        host->maximumWaitingData = waitingBytes;
        host->intercept = NoteDatagram;
        heard.resize(host->peerCount);
        outboxes = std::make_unique<ConnectionOutbox[]>(host->peerCount);
        for (size_t slot = 0; slot < host->peerCount; ++slot)
            host->peers[slot].data = &heard[slot];
        return true;
    }
    size_t SlotOf(const ENetPeer* peer) const { return size_t(peer - host->peers); }
    ENetPeer* PeerOf(int index, const ConnectionAdmission& admission) const
    {
        if (!server)
            return index == kServerHost ? toServer : nullptr;
        const size_t slot = admission.SlotOf(index);
        return slot < host->peerCount ? &host->peers[slot] : nullptr;
    }
};

ConnectionManager::ConnectionManager() = default;
ConnectionManager::~ConnectionManager() = default;

// ENet answers no fragment of a message longer than its host takes: its sender would send it
// again for ever, and what it sends after it wait behind it.
uint32_t ConnectionManager::LongestAnnounced(const uint8_t* data, size_t length)
{
    if (length < 2 || (data[0] & (ENET_PROTOCOL_HEADER_FLAG_COMPRESSED >> 8)) != 0)
        return 0;
    size_t at = (data[0] & (ENET_PROTOCOL_HEADER_FLAG_SENT_TIME >> 8)) != 0 ? 4 : 2;
    uint32_t longest = 0;
    while (at + sizeof(ENetProtocolCommandHeader) <= length) {
        const size_t size = enet_protocol_command_size(data[at]);
        if (size == 0 || at + size > length)
            break;
        size_t carried = 0;
        switch (data[at] & ENET_PROTOCOL_COMMAND_MASK) {
        case ENET_PROTOCOL_COMMAND_SEND_RELIABLE:
            carried = Word16(data + at + 4);
            break;
        case ENET_PROTOCOL_COMMAND_SEND_FRAGMENT:
        case ENET_PROTOCOL_COMMAND_SEND_UNRELIABLE_FRAGMENT:
            longest = std::max(longest, Word16(data + at + 16) << 16 | Word16(data + at + 18));
            [[fallthrough]];
        case ENET_PROTOCOL_COMMAND_SEND_UNRELIABLE:
        case ENET_PROTOCOL_COMMAND_SEND_UNSEQUENCED:
            carried = Word16(data + at + 6);
            break;
        default:
            break;
        }
        at += size + carried;
    }
    return longest;
}

bool ConnectionManager::IsServer() const
{
    return transport != nullptr && transport->server;
}

bool ConnectionManager::IsConnected() const
{
    if (transport == nullptr)
        return false;
    return transport->server || (transport->toServer != nullptr && !transport->serverLost);
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

// Asked for every message a server sends or passes on: one word, no list.
uint32_t ConnectionManager::ClientMask() const
{
    return transport != nullptr && transport->server ? admission.HostMask() & ~1u : 0;
}

bool ConnectionManager::Listen(uint16_t port)
{
    ENetAddress address{};
    address.port = port;
    auto made = std::make_unique<Transport>();
    if (!StartEnet() || enet_address_set_host_ip(&address, "127.0.0.1") != 0 ||
        !made->Create(&address, kPeerSlots, maxMessageBytes,
                      std::min(maxWaitingBytes, kMaxServerWaitingBytes))) {
        gEngine->Log(Engine::LogData, "ConnectionManager: cannot listen on 127.0.0.1:%u", port);
        return false;
    }
    made->server = true;
    ENetAddress bound{};
    enet_socket_get_address(made->host->socket, &bound);
    listenPort = bound.port;
    localHostId = kServerHost;
    admission.Reset();
    admission.SetSilence(linkTimeoutMs);
    clock.Reset();
    clock.Read();
    windows.fill({});
    transport = std::move(made);
    return true;
}

// Each attempt is a handshake of its own; one that fails (no answer, or a goodbye without a
// reason) is made again at once, a refusal as full after kRetryMs when asked, and any other
// refusal ends the wait. The wait is the client's running time, read at each service.
bool ConnectionManager::Connect(const std::string& address, uint16_t port,
                                const std::function<bool()>& stop)
{
    ENetAddress to{};
    to.port = port;
    auto made = std::make_unique<Transport>();
    if (!StartEnet() || enet_address_set_host(&to, address.c_str()) != 0 ||
        !made->Create(nullptr, 1, maxMessageBytes, maxWaitingBytes)) {
        gEngine->Log(Engine::LogData, "ConnectionManager: cannot reach %s:%u", address.c_str(),
                     port);
        return false;
    }
    parting = {};
    transport = std::move(made);
    clock.Reset();
    clock.Read();
    ENetPeer* attempt = nullptr;
    uint64_t nextAttemptMs = 0;
    bool stopped = false;
    ENetEvent event;
    while (!welcome.heard && clock.Ms() < SessionClock::kConnectMs && !(stopped = stop && stop())) {
        if (attempt == nullptr && clock.Ms() >= nextAttemptMs) {
            attempt = enet_host_connect(transport->host, &to, 1, ConnectionAdmission::kHello);
            if (attempt == nullptr)
                break;
            ConfigureLink(attempt, linkTimeoutMs);
            transport->serverLost = false;
            // Until the server answers, its silence counts from the request.
            transport->heard[0].Now(clock.Ms(), Clock::now());
        }
        if (enet_host_service(transport->host, &event, 20) > 0) {
            if (event.type == ENET_EVENT_TYPE_CONNECT) {
                ConfigureLink(event.peer, linkTimeoutMs);
                ConnectionOutbox::KeepThrottleOpen(event.peer);
                transport->toServer = event.peer;
                parting = {};
            } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
                Receive(kServerHost, event.packet->data, event.packet->dataLength);
                enet_packet_destroy(event.packet);
            } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
                ServerGone(event.data);
            }
        }
        clock.Read();
        Tend();
        if (attempt == nullptr || !transport->serverLost || welcome.heard)
            continue;
        attempt = nullptr;
        transport->toServer = nullptr;
        if (parting.why == Farewell::Full && retryWhenFull)
            nextAttemptMs = clock.Ms() + SessionClock::kRetryMs;
        else if (parting.why != Farewell::NoAnswer && parting.why != Farewell::Goodbye)
            break;
    }
    // The welcome's acknowledgement leaves now, or the answer to a refusal: the server need not
    // wait for either.
    enet_host_flush(transport->host);
    if (welcome.heard)
        return true;
    if (stopped) {
        if (attempt != nullptr)
            enet_peer_disconnect_now(attempt, ConnectionAdmission::Word(Farewell::Goodbye));
    } else {
        if (parting.why == Farewell::None || parting.why == Farewell::Goodbye ||
            parting.why == Farewell::NoAnswer)
            parting = {Farewell::NoAnswer, uint32_t(clock.Ms() / 1000)};
        gEngine->Log(Engine::LogData, "ConnectionManager: no welcome from %s:%u: %s",
                     address.c_str(), port, GetFarewellText().c_str());
    }
    transport.reset();
    return false;
}

void ConnectionManager::Service(uint32_t budgetMs)
{
    if (transport == nullptr)
        return;
    clock.Read();
    if (const uint64_t stopMs = clock.LastStopMs(); stopMs > 0)
        Stopped(stopMs);
    ServiceLoopback();
    // A client judges its server's silence before it reads: see the top of the file.
    if (!transport->server)
        Tend();
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(budgetMs);
    const auto within = [budgetMs, until] { return budgetMs == 0 || Clock::now() < until; };
    while (transport != nullptr && !held.empty() && within()) {
        const std::vector<uint8_t> bytes = std::move(held.front());
        held.pop_front();
        heldBytes -= HeldCost(bytes.size());
        Receive(kServerHost, bytes.data(), bytes.size());
    }
    ENetEvent event;
    while (transport != nullptr && within() && enet_host_service(transport->host, &event, 0) > 0) {
        const int host =
            transport->server ? admission.HostOf(transport->SlotOf(event.peer)) : kServerHost;
        if (event.type == ENET_EVENT_TYPE_CONNECT && transport->server) {
            HostConnected(event.peer, event.data);
        } else if (event.type == ENET_EVENT_TYPE_RECEIVE) {
            // A server hears only its clients.
            if (!transport->server || host != kServerHost)
                Receive(host, event.packet->data, event.packet->dataLength);
            enet_packet_destroy(event.packet);
        } else if (event.type == ENET_EVENT_TYPE_DISCONNECT && !transport->server) {
            ServerGone(event.data);
        } else if (event.type == ENET_EVENT_TYPE_DISCONNECT && host == kServerHost) {
            admission.Freed(transport->SlotOf(event.peer));
        } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
            // ENet's own timeout says no word either: a link long silent timed out.
            const uint32_t silent = WallSilence(transport->SlotOf(event.peer));
            HostGone(host, event.data == 0 && silent >= linkTimeoutMs / 2, silent / 1000);
        }
    }
    if (transport != nullptr && transport->server)
        Tend();
    else if (transport != nullptr && !within())
        AnswerOnly(*transport->host);
    gEngine->TellPeerLines(clock.Ms(), false);
}

// What a client sent while this machine did not run waited for it: it is owed a second's worth
// more for each second (begun) of the stop, spent over the seconds of running time in which it
// arrives, what it already counted still counted.
void ConnectionManager::Stopped(uint64_t stopMs)
{
    const auto seconds = uint32_t(std::min<uint64_t>(stopMs / 1000 + 1, kMaxAllowance));
    for (Window& window : windows) {
        window.Renew(clock.Ms());
        window.Owe(seconds);
    }
    for (size_t slot = 0; slot < transport->host->peerCount; ++slot)
        if (Holds(transport->host->peers[slot]))
            transport->outboxes[slot].ForgiveStop(
                transport->host->peers[slot],
                enet_uint32(std::min<uint64_t>(stopMs, kMaxAllowance * 1000ull)));
}

void ConnectionManager::Tend()
{
    const uint64_t nowMs = clock.Ms();
    const Clock::time_point wallNow = Clock::now();
    for (size_t slot = 0; slot < transport->host->peerCount; ++slot) {
        RefuseOverlong(slot);
        TendSlot(slot, nowMs, wallNow);
    }
    if (transport->server)
        for (size_t slot : admission.Crowd())
            enet_peer_reset(&transport->host->peers[slot]);
    LogRefusals(false);
}

void ConnectionManager::TendSlot(size_t slot, uint64_t nowMs, Clock::time_point wallNow)
{
    ENetPeer& peer = transport->host->peers[slot];
    const bool held = Holds(peer);
    Transport::Heard& heard = transport->heard[slot];
    if (!held) {
        heard.Now(nowMs, wallNow);
    } else if (heard.datagrams != heard.seen) {
        heard.seen = heard.datagrams;
        heard.runningMs = nowMs;
        // A peer still heard is the session's to judge, however long what it has not taken in
        // waits unacknowledged: ENet's own timeout counts from when it was last heard.
        peer.earliestTimeout = 0;
        // When ENet heard it, not when we look: a machine stopped since was silent all along.
        const auto ago = std::chrono::milliseconds(ENET_TIME_DIFFERENCE(enet_time_get(), heard.at));
        heard.wall = std::max(heard.wall, wallNow - ago);
    }
    if (held)
        transport->outboxes[slot].Tend(peer, nowMs);
    if (!transport->server) {
        if (&peer == transport->toServer && WallSilence(slot) >= linkTimeoutMs) {
            enet_peer_reset(&peer);
            ServerGone(0);
        }
        return;
    }
    const int host = admission.HostOf(slot);
    const bool welcomeHeard = held && host != 0 && !admission.HasPlayed(host) && WelcomeHeard(peer);
    CarryOut(admission.Tend(slot, held, welcomeHeard, held ? RunningSilence(slot) : 0, nowMs),
             slot);
}

// Refused at once, in one line, and its peer let go: nothing it sends after it would arrive.
// The line is the peer's doing, counted as any other: a peer may join again and again.
void ConnectionManager::RefuseOverlong(size_t slot)
{
    Transport::Heard& heard = transport->heard[slot];
    ENetPeer& peer = transport->host->peers[slot];
    if (!std::exchange(heard.overlong, false) || peer.state != ENET_PEER_STATE_CONNECTED)
        return;
    const int host = transport->server ? admission.HostOf(slot) : kServerHost;
    const Engine::PeerWord word(clock.Ms(), host);
    if (transport->server && host != kServerHost) {
        DropHost(host,
                 "a message over " + std::to_string(transport->host->maximumPacketSize) + " bytes");
        return;
    }
    gEngine->Log(Engine::LogRuntime,
                 "ConnectionManager: message from host %d dropped: over %zu bytes", host,
                 transport->host->maximumPacketSize);
    enet_peer_reset(&peer);
    if (!transport->server && &peer == transport->toServer) {
        ServerGone(0);
        parting = {};
    }
}

uint32_t ConnectionManager::GetSilentMs(int host) const
{
    if (transport == nullptr)
        return 0;
    const size_t slot = transport->server ? admission.SlotOf(host) : 0;
    if (slot >= transport->heard.size() || (!transport->server && host != kServerHost))
        return 0;
    return RunningSilence(slot);
}

uint32_t ConnectionManager::RunningSilence(size_t slot) const
{
    const uint64_t heard = transport->heard[slot].runningMs;
    const uint64_t now = clock.Ms();
    return uint32_t(std::min<uint64_t>(now > heard ? now - heard : 0, UINT32_MAX));
}

uint32_t ConnectionManager::WallSilence(size_t slot) const
{
    const auto silence = std::chrono::duration_cast<std::chrono::milliseconds>(
        Clock::now() - transport->heard[slot].wall);
    return uint32_t(std::clamp<int64_t>(silence.count(), 0, UINT32_MAX));
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

void ConnectionManager::HostConnected(void* peer, uint32_t word)
{
    const size_t slot = transport->SlotOf(static_cast<ENetPeer*>(peer));
    CarryOut(admission.Connected(slot, word, clock.Ms()), slot);
}

// A refused peer keeps nothing of ours: a client is told why, reliably, so that it can say so;
// a stranger is let go at once.
void ConnectionManager::CarryOut(const ConnectionAdmission::Decision& decision, size_t slot)
{
    ENetPeer* peer = &transport->host->peers[slot];
    const int host = decision.host;
    switch (decision.act) {
    case Act::Keep:
        return;
    case Act::Admit:
        if (decision.gave != 0) {
            gEngine->Log(
                Engine::LogRuntime, "ConnectionManager: host %d gave its place: %s", decision.gave,
                ConnectionAdmission::Text(ConnectionAdmission::Read(decision.word, false, 0))
                    .c_str());
            enet_peer_disconnect(&transport->host->peers[decision.gaveSlot], decision.word);
            TellGone(decision.gave, false, 0);
        }
        ConfigureLink(peer, linkTimeoutMs);
        ConnectionOutbox::KeepThrottleOpen(peer);
        transport->outboxes[slot].Clear();
        transport->heard[slot].Now(clock.Ms(), Clock::now());
        windows[size_t(host)] = {.start = clock.Ms()};
        if (listener != nullptr)
            listener->OnHostJoined(host);
        return;
    case Act::Refuse:
        if (decision.word != 0)
            enet_peer_disconnect(peer, decision.word);
        else
            enet_peer_disconnect_now(peer, 0);
        LogRefusals(false);
        return;
    case Act::Forget:
        enet_peer_reset(peer);
        return;
    case Act::Lose: {
        const uint32_t silent = RunningSilence(slot);
        // A peer whose own datagrams alone are lost hears it, and need not wait for its silence.
        enet_peer_disconnect_now(peer, ConnectionAdmission::Word(Farewell::Dropped));
        TellGone(host, true, silent / 1000);
        return;
    }
    case Act::LetGo:
        gEngine->Log(
            Engine::LogRuntime, "ConnectionManager: host %d let go: %s", host,
            ConnectionAdmission::Text(ConnectionAdmission::Read(decision.word, false, 0)).c_str());
        enet_peer_disconnect(peer, decision.word);
        TellGone(host, false, 0);
        return;
    }
}

void ConnectionManager::LogRefusals(bool always)
{
    const std::string line = admission.TakeCountLine(clock.Ms(), always);
    if (!line.empty())
        gEngine->Log(Engine::LogRuntime, "ConnectionManager: %s", line.c_str());
}

void ConnectionManager::HostGone(int host, bool lost, uint32_t silentSeconds)
{
    if (transport == nullptr || !transport->server || host == kServerHost ||
        admission.SlotOf(host) == ConnectionAdmission::kSlots)
        return;
    admission.Gone(host, clock.Ms());
    TellGone(host, lost, silentSeconds);
}

void ConnectionManager::TellGone(int host, bool lost, uint32_t silentSeconds)
{
    if (listener == nullptr)
        return;
    if (lost)
        listener->OnHostLost(host, silentSeconds);
    else
        listener->OnHostLeft(host);
}

void ConnectionManager::ServerGone(uint32_t word)
{
    const uint32_t silent = WallSilence(0);
    transport->serverLost = true;
    transport->toServer = nullptr;
    parting = ConnectionAdmission::Read(word, silent >= linkTimeoutMs / 2, silent / 1000);
    if (listener != nullptr)
        listener->OnServerLost();
}

void ConnectionManager::KeepAlive()
{
    if (transport == nullptr || transport->server || transport->serverLost)
        return;
    ENetEvent event;
    while (!transport->serverLost && heldBytes < maxHeldBytes &&
           enet_host_service(transport->host, &event, 0) > 0) {
        if (event.type == ENET_EVENT_TYPE_RECEIVE) {
            Hold(event.packet->data, event.packet->dataLength);
            enet_packet_destroy(event.packet);
        } else if (event.type == ENET_EVENT_TYPE_DISCONNECT) {
            ServerGone(event.data);
        }
    }
    if (!transport->serverLost && heldBytes >= maxHeldBytes)
        AnswerOnly(*transport->host);
}

void ConnectionManager::SayJoining()
{
    if (transport == nullptr || transport->server || welcome.hostIndex == 0)
        return;
    HostJoiningPacket joining;
    joining.host = welcome.hostIndex;
    SendPacket(joining);
    Flush();
}

void ConnectionManager::Flush()
{
    if (transport == nullptr)
        return;
    Drain(false);
    if (transport != nullptr)
        enet_host_flush(transport->host);
}

// A client whose backlog passed its bounds cannot keep up: it is told so rather than held in
// the server's memory, and in its own, ever longer, its world ever further behind. Before it
// plays, the door's join deadline bounds how long it may take its world.
void ConnectionManager::Drain(bool all)
{
    for (size_t slot = 0; transport != nullptr && slot < transport->host->peerCount; ++slot) {
        ENetPeer& peer = transport->host->peers[slot];
        ConnectionOutbox& outbox = transport->outboxes[slot];
        if (peer.state != ENET_PEER_STATE_CONNECTED) {
            outbox.Clear();
            continue;
        }
        outbox.Recount(peer);
        if (outbox.Bytes() == 0)
            continue;
        const int host = transport->server ? admission.HostOf(slot) : kServerHost;
        counters[Slot(host)].messagesOut += outbox.Hand(peer, all);
        if (outbox.Bytes() == 0 || !transport->server || host == kServerHost)
            continue;
        const uint64_t oldestMs = admission.HasPlayed(host) ? outbox.OldestMs(clock.Ms()) : 0;
        std::string why;
        if (outbox.Bytes() > maxBacklogBytes)
            why = "too slow, " + std::to_string(outbox.Bytes() >> 10) + " KiB waiting for it";
        else if (oldestMs > maxBacklogMs)
            why = "too slow, its oldest update waited " + std::to_string(oldestMs / 1000) + " s";
        if (why.empty())
            continue;
        outbox.Clear();
        DropHost(host, why, Farewell::TooSlow);
    }
}

size_t ConnectionManager::GetBacklogBytes(int host) const
{
    const ENetPeer* peer = transport != nullptr ? transport->PeerOf(host, admission) : nullptr;
    return peer != nullptr ? transport->outboxes[transport->SlotOf(peer)].Bytes() : 0;
}

// Every peer still there hears the goodbye, a client half way through its handshake too; whoever
// has not answered within the wait is told once more, unacknowledged, as the host closes.
void ConnectionManager::Disconnect(Farewell why)
{
    if (transport == nullptr)
        return;
    const uint32_t word = ConnectionAdmission::Word(why);
    Drain(true);
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
    gEngine->TellPeerLines(clock.Ms(), true);
    transport.reset();
    loopback.clear();
    held.clear();
    heldBytes = 0;
}

void ConnectionManager::DropHost(int host, const std::string& reason, Farewell why)
{
    const bool server = transport != nullptr && transport->server;
    // Recorded without a connection, for the tests and the replays.
    if (!server || admission.HasPlayed(host))
        dropped.emplace_back(host, reason);
    ENetPeer* peer = server ? transport->PeerOf(host, admission) : nullptr;
    if (peer == nullptr)
        return;
    gEngine->Log(Engine::LogRuntime, "ConnectionManager: host %d dropped: %s", host,
                 reason.c_str());
    // Told reliably, so that it can say why; nothing more it sends is heard.
    enet_peer_disconnect(peer, ConnectionAdmission::Word(why));
    HostGone(host);
}

void ConnectionManager::Dispatch(Route route, int host, NetPacket& packet)
{
    const uint8_t* bytes = packet.GetOutBuffer();
    const size_t count = packet.GetOutBufferSize();
    if (!transport->server) {
        SendTo(kServerHost, packet);
        return;
    }
    if (listener != nullptr && GetPacketRule(packet.GetType()).speaks == Speaker::Listener)
        listener->OnSend(packet);
    const uint32_t clients = ClientMask();
    if (route == Route::Send)
        SendBytes(RouteMask(packet, kServerHost, clients), packet, bytes, count);
    else if (route == Route::Broadcast)
        SendBytes(host == kPeerHosts ? clients : clients & ~(1u << Slot(host)), packet, bytes,
                  count);
    else
        SendBytes((1u << Slot(host)) & clients, packet, bytes, count);
}

// One copy of the message serves every client it goes to: each queued send holds a reference,
// and the last acknowledgement frees it. A message nobody took is freed here.
void ConnectionManager::SendBytes(uint32_t mask, const NetPacket& message, const uint8_t* bytes,
                                  size_t count)
{
    if ((mask & 1u) != 0)
        loopback.emplace_back(bytes, bytes + count);
    ENetPacket* packet = nullptr;
    for (int host = 1; host <= kMaxClients; ++host) {
        ENetPeer* peer = (mask & (1u << host)) != 0 ? transport->PeerOf(host, admission) : nullptr;
        if (peer == nullptr)
            continue;
        if (packet == nullptr)
            packet = Held(enet_packet_create(bytes, count, ENET_PACKET_FLAG_RELIABLE));
        if (packet == nullptr)
            return;
        counters[size_t(host)].replaced +=
            transport->outboxes[transport->SlotOf(peer)].Queue(*packet, message, clock.Ms());
    }
    Let(packet);
}

void ConnectionManager::SendTo(int host, const NetPacket& message)
{
    ENetPeer* peer = transport->PeerOf(host, admission);
    ENetPacket* packet =
        peer != nullptr
            ? Held(enet_packet_create(message.GetOutBuffer(), message.GetOutBufferSize(),
                                      ENET_PACKET_FLAG_RELIABLE))
            : nullptr;
    if (packet == nullptr)
        return;
    counters[Slot(host)].replaced +=
        transport->outboxes[transport->SlotOf(peer)].Queue(*packet, message, clock.Ms());
    Let(packet);
}

void ConnectionManager::Receive(int fromHost, const uint8_t* bytes, size_t count)
{
    if (ReceiveBundle(fromHost, bytes, count))
        return;
    const Engine::PeerWord word(clock.Ms(), fromHost);
    const bool fromClient = IsServer() && fromHost != kServerHost;
    if (fromClient && (windows[Slot(fromHost)].flooded || !CountIn(fromHost, count)))
        return;
    if (fromClient)
        admission.Spoke(fromHost);
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
        if (welcome.heard) {
            Refuse(fromHost, "welcome out of place");
            return;
        }
        welcome = {offered.hostIndex,       offered.seed,        offered.difficulty,
                   offered.playersExpected, offered.worldDigest, true};
        // An index no client takes is the welcome's fault, for the caller to tell: nothing is
        // made under it.
        if (offered.hostIndex >= 1 && offered.hostIndex <= kMaxClients) {
            localHostId = offered.hostIndex;
            ObjectManager::Instance().SetHostIndex(static_cast<uint32_t>(offered.hostIndex));
        }
        return;
    }
    // Its word is the door's alone: it has spoken.
    if (fromClient && packet->GetType() == HostJoiningPacket::kType)
        return;
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
        SendBytes(mask & ~1u, packet, bytes, count);
}

bool ConnectionManager::CountIn(int fromHost, size_t count)
{
    Window& window = windows[Slot(fromHost)];
    window.Renew(clock.Ms());
    ++counters[Slot(fromHost)].messagesIn;
    ++window.messages;
    window.bytes += count;
    if (window.messages > kFloodMessages + window.owedMessages ||
        window.bytes > kFloodBytes + window.owedBytes) {
        Flood(fromHost);
        return false;
    }
    return true;
}

bool ConnectionManager::Refuse(int fromHost, const char* why)
{
    ++counters[Slot(fromHost)].dropped;
    Window& window = windows[Slot(fromHost)];
    gEngine->Log(Engine::LogRuntime, "ConnectionManager: message from host %d dropped: %s",
                 fromHost, why);
    if (IsServer() && fromHost != kServerHost &&
        ++window.dropped > kFloodDropped + window.owedDropped)
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
    Window& window = windows[Slot(fromHost)];
    uint32_t& sent = window.kinds[type];
    if (sent < bound * window.Seconds()) {
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
