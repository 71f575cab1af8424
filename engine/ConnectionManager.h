#pragma once

#include "engine/ConnectionAdmission.h"
#include "engine/SessionClock.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class NetPacket;

// The network transport. Without a connection it records: every packet handed to it is encoded
// at once (the sender may refill the packet right after) and kept, with where it was to go, for
// the tests or a one-process replay to take. After `Listen` or `Connect` it carries the same
// bytes over UDP, one message one reliable, ordered packet, and hands what arrives to its
// listener at `Service`. Received bytes become packets again through the table of packet types,
// each type number with the factory of its class and the rule of where it goes.
class ConnectionManager {
public:
    enum class Route { Send, Broadcast, ToHost };
    // The host of Send and Broadcast, whose peers the transport's role decides: a client's
    // Send goes to the server, a server's to its clients.
    static constexpr int kPeerHosts = -1;
    static constexpr int kServerHost = 0;
    static constexpr int kMaxClients = 15;
    static constexpr uint32_t kMaxTypes = 256;
    // A message of messages, each whole with its own header: a frame's messages to one peer,
    // sent as one. No message takes its type.
    static constexpr uint32_t kBundleType = 0;
    // Player ids carry their host in the top four bits.
    static constexpr int HostOfId(uint32_t id) { return static_cast<int>(id >> 28); }

    // The link's bounds. A link that has heard no datagram of its peer for kLinkTimeoutMs of the
    // session's clock is lost; a message unacknowledged is sent again once the link's measured
    // round trip has passed (ConnectionOutbox::ResendMs), so that a lossy link never backs off
    // into a timeout; ENet's own timeout,
    // for a message left unacknowledged, is kTransportGraceMs past the link's, so that it never
    // judges a silence first. The door's (ConnectionAdmission): the ENet host keeps kPeerSlots
    // peers, so that strangers half way through a handshake never keep a client out; a handshake
    // still heard from but unfinished after kHelloDeadlineMs is let go (the oldest sooner when
    // the slots run short), and a welcomed client that brings no player within kJoinDeadlineMs.
    // Refused peers are logged as a count, at most once in kRefusalLogMs.
    static constexpr uint32_t kLinkTimeoutMs = SessionClock::kSilenceMs;
    static constexpr uint32_t kTransportGraceMs = 5000;
    static constexpr uint32_t kHelloDeadlineMs = ConnectionAdmission::kHandshakeMs;
    static constexpr uint32_t kJoinDeadlineMs = ConnectionAdmission::kJoinMs;
    static constexpr size_t kPeerSlots = ConnectionAdmission::kSlots;
    static constexpr uint32_t kRefusalLogMs = ConnectionAdmission::kCountLogMs;

    // Why a machine was let go, told in the goodbye's data word.
    using Farewell = ConnectionAdmission::Farewell;

    struct SentPacket {
        Route route;
        int host;
        std::vector<uint8_t> bytes; // header, then fields
    };

    using PacketFactory = std::unique_ptr<NetPacket> (*)();
    // The player id a message names, read from its decoded fields.
    using IdReader = uint32_t (*)(const NetPacket&);

    // Who a message is for. `Player` names one player, whose host gets it; a message that names
    // no one goes to every machine but its sender. `Relayed` is a replicated action or command: a
    // client's goes to the server, which runs it and passes it on itself.
    enum class Addressee : uint8_t { Everyone, EveryoneButSender, Server, Player, Relayed };
    // Whom a client's message may speak for, judged by the server before any of it is carried
    // out. An object is the sender's own when its id carries the sender's host: its players and
    // whatever its host made.
    enum class Speaker : uint8_t {
        Anyone,      // it speaks for no one
        ServerOnly,  // only the server sends it
        Own,         // `speaker` names an object of the sender's own
        OwnOrServer, // `speaker` names an object of the sender's own or of the server
        Listener,    // the listener judges it, with what only the game knows
    };
    struct PacketRule {
        Addressee addressee = Addressee::Everyone;
        IdReader player = nullptr;
        Speaker speaks = Speaker::Anyone;
        IdReader speaker = nullptr;
        // How many of the type one client may send in a second; 0 leaves it to the flood limits.
        uint16_t perSecond = 0;
        // A state: a later message of the type replaces one still waiting to go to a peer; with
        // a subject, only one about the same subject (the entity the state is of; 0 for none, and
        // a state about none replaces nothing).
        bool state = false;
        IdReader subject = nullptr;
    };

    // What the transport hands up. Messages come decoded; the listener judges those whose rule
    // leaves it the say, and on a server also hears the server's own such messages as they
    // leave, so that it can keep what later ones are judged by.
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void OnMessage(int fromHost, NetPacket& packet) = 0;
        virtual void OnHostJoined(int /*host*/) {}
        virtual void OnHostLeft(int /*host*/) {}
        // A client whose link timed out, heard last `silentSeconds` ago.
        virtual void OnHostLost(int host, uint32_t /*silentSeconds*/) { OnHostLeft(host); }
        virtual void OnServerLost() {}
        // Why the message may not be carried out; null when it may.
        virtual const char* Refusal(int /*fromHost*/, const NetPacket& /*packet*/)
        {
            return nullptr;
        }
        // A server's own message of a type the listener judges, as it leaves.
        virtual void OnSend(const NetPacket& /*packet*/) {}
    };

    struct HostCounters {
        uint64_t messagesIn = 0;
        uint64_t messagesOut = 0;
        uint64_t dropped = 0;
        // States that a later one replaced before they left.
        uint64_t replaced = 0;
    };

    ConnectionManager();
    ~ConnectionManager();
    ConnectionManager(const ConnectionManager&) = delete;
    ConnectionManager& operator=(const ConnectionManager&) = delete;

    void SendPacket(NetPacket& packet);
    void BroadcastPacket(NetPacket& packet);
    // A broadcast that skips one host, recorded as a broadcast with that host.
    void BroadcastPacketExcept(int excludedHost, NetPacket& packet);
    void SendPacketToHost(int host, NetPacket& packet);

    const std::vector<SentPacket>& GetSentPackets() const { return sent; }
    std::vector<SentPacket> TakeSentPackets();
    void ClearSentPackets() { sent.clear(); }

    int GetLocalHostID() const { return localHostId; }
    void SetLocalHostID(int host) { localHostId = host; }
    // Drops a host's connection, telling it why; kept as (host, reason) for the host program to
    // act on when the host had played (brought its player), or when there is no connection.
    void DropHost(int host, const std::string& reason, Farewell why = Farewell::Dropped);
    const std::vector<std::pair<int, std::string>>& GetDroppedHosts() const { return dropped; }

    // -- transport --
    // A server on 127.0.0.1 for up to 15 clients; port 0 takes one the system picks.
    bool Listen(uint16_t port);
    // How many clients may hold a host index at once (1 to 15); one more is refused as full.
    void SetClientLimit(int clients) { admission.SetClientLimit(clients); }
    int GetClientLimit() const { return admission.GetClientLimit(); }
    // Once under way, a client that comes is refused at the door, told so.
    void SetUnderWay(bool value) { admission.SetUnderWay(value); }
    // The host's client brought its player: its place is its own until its link ends, and it
    // counts among the hosts dropped if it is dropped.
    void MarkPlaying(int host) { admission.Playing(host); }
    // A client welcomed that has not brought its player yet, still within the door's deadlines.
    bool IsAnyClientJoining() const { return admission.IsAnyJoining(); }
    // Peers turned away without a host index: without a hello, past the limit, under way, or
    // with the handshake unfinished.
    uint64_t GetRefusedPeers() const { return admission.GetCounts().Refused(); }
    const ConnectionAdmission::Counts& GetAdmissionCounts() const { return admission.GetCounts(); }
    uint16_t GetListenPort() const { return listenPort; }
    // Joins a server, saying hello, and waits for its welcome, which gives this machine its host
    // index (when it names one of 1 to 15), trying again when an attempt fails (and, if asked,
    // when the server is full); false after SessionClock::kConnectMs without one, when the server
    // refuses (the farewell says why), or as soon as `stop` holds (the farewell None).
    bool Connect(const std::string& address, uint16_t port,
                 const std::function<bool()>& stop = nullptr);
    // A welcomed client's word, at once, that it has its welcome and is on its way: while it
    // loads its world, its place is not given to another (a peer that never says it gives its
    // place to a client that comes while the server is full).
    void SayJoining();
    // A player's client waits for a place a peer without a player holds (the door gives it).
    void SetRetryWhenFull(bool value) { retryWhenFull = value; }
    // Once a frame before the game's update: what arrived goes to the listener, for at most
    // `budgetMs` of the wall when it is not 0 (the rest waits for the next, in order).
    void Service(uint32_t budgetMs = 0);
    // A client busy a while outside its frames (loading its world) answers its server meanwhile,
    // so that it is not silent: what arrives is kept, in order, for the next Service, up to
    // kMaxHeldBytes (the rest waits in the transport).
    void KeepAlive();
    static constexpr size_t kMaxHeldBytes = 64u << 20;
    // ENet's bound of what a peer may leave waiting to be read, for links made from now on, far
    // past the held queue's: what ENet refuses past it waits unacknowledged, and a later message
    // that still fits then waits for the one refused, which may never fit again. A server keeps
    // ENet's own, lower: it reads its clients every frame, and what each leaves waiting (the
    // first fragment of a message takes all its length) is the server's memory.
    static constexpr size_t kMaxWaitingBytes = 256u << 20;
    static constexpr size_t kMaxServerWaitingBytes = 32u << 20;
    // Once a frame after it: what was queued leaves, as much of it as each link takes.
    void Flush();
    // What waits for a playing client beyond what its link holds: its oldest message may wait
    // kMaxBacklogMs of the server's running time, and all of it take kMaxBacklogBytes; a client
    // that lets more pile up is too slow and let go, told so.
    static constexpr size_t kMaxBacklogBytes = 32u << 20;
    static constexpr uint32_t kMaxBacklogMs = 30000;
    size_t GetBacklogBytes(int host) const;
    // Queued messages first, then the goodbyes to every peer, waiting at most 1 s.
    void Disconnect(Farewell why = Farewell::Goodbye);
    // Why a client's server let it go, in one short line; None while it has not.
    Farewell GetFarewell() const { return parting.why; }
    std::string GetFarewellText() const { return ConnectionAdmission::Text(parting); }
    const ConnectionAdmission::Parting& GetParting() const { return parting; }
    bool IsTransport() const { return transport != nullptr; }
    bool IsServer() const;
    // A client whose server is still there; a server that listens.
    bool IsConnected() const;
    void SetListener(Listener* value) { listener = value; }
    // The clients connected now, ascending.
    std::vector<int> GetClientHosts() const;
    // How long the host's link has been silent, on the session's clock; 0 for a host not
    // connected.
    uint32_t GetSilentMs(int host) const;
    // The time this machine has run since it listened or connected, read at each service; the
    // host program sets what a stop counts.
    SessionClock& GetClock() { return clock; }
    // The welcome's fields, kept by a client.
    struct Welcome {
        int32_t hostIndex = 0;
        uint32_t seed = 0;
        int32_t difficulty = 0;
        int32_t playersExpected = 0;
        uint32_t worldDigest = 0;
        // Heard, whatever its index: one outside 1 to 15 gives this machine none.
        bool heard = false;
    };
    const Welcome& GetWelcome() const { return welcome; }
    const HostCounters& GetCounters(int host) const { return counters[Slot(host)]; }
    // The machines a message from `fromHost` goes to, bit n for host n, among the clients
    // connected (`clients`, bit n for host n); the server is bit 0.
    static uint32_t RouteMask(const NetPacket& packet, int fromHost, uint32_t clients);

    // The first factory of a type number stays; a second is refused with a log line.
    static bool RegisterPacketType(uint32_t type, PacketFactory factory);
    template <class PacketClass> static bool RegisterPacketClass()
    {
        return RegisterPacketType(PacketClass().GetType(), []() -> std::unique_ptr<NetPacket> {
            return std::make_unique<PacketClass>();
        });
    }
    static bool RegisterPacketRule(uint32_t type, const PacketRule& rule);
    static const PacketRule& GetPacketRule(uint32_t type);
    // A fresh packet of the type, or null for a type nobody registered.
    static std::unique_ptr<NetPacket> CreatePacket(uint32_t type);
    // One whole message, header included. Null, with a log line, when the message is short,
    // its size word disagrees with the bytes, its type is unknown or its fields do not read
    // back exactly.
    static std::unique_ptr<NetPacket> DecodePacket(const uint8_t* bytes, size_t count);
    static std::unique_ptr<NetPacket> DecodePacket(const std::vector<uint8_t>& bytes);
    // The same, quietly: `why` names what failed.
    static std::unique_ptr<NetPacket> DecodePacket(const uint8_t* bytes, size_t count,
                                                   const char*& why);

    // A client's limits within one second before it is dropped as a flood.
    static constexpr uint32_t kFloodMessages = 2000;
    static constexpr uint64_t kFloodBytes = 2u << 20;
    static constexpr uint32_t kFloodDropped = 100;
    // The longest message a link carries; one longer is refused at once and its sender let go.
    static constexpr size_t kMaxMessageBytes = 1u << 20;
    // The most seconds' worth the server's stops may leave a client owed.
    static constexpr uint32_t kMaxAllowance = 3600;

    // Hands one received message (or each of a bundle's) to the checks and the listener as if
    // it came from `fromHost`; the transport's own path, open for the fuzzers and the tests.
    void Receive(int fromHost, const uint8_t* bytes, size_t count);
    // The longest message a datagram's fragments announce, 0 for none; the transport's own
    // reading of what arrives, open for the fuzzers.
    static uint32_t LongestAnnounced(const uint8_t* data, size_t length);
    // Counts a message of `fromHost` as refused and logs why, a peer's word told as a count; on a
    // server it counts toward the client's flood. Also for what the game could not carry out.
    // False.
    bool Refuse(int fromHost, const char* why);

private:
    // The tests' own: they lower the bounds and shorten the deadlines of links made from then on.
    friend class ConnectionBounds;
    struct Transport;
    struct Window {
        // On the session's clock: the second's start and what arrived in it.
        uint64_t start = 0;
        uint32_t messages = 0;
        uint64_t bytes = 0;
        uint32_t dropped = 0;
        // What the server's stops owe the client: what it sent while the server did not run
        // arrives when it can, over as many seconds as its link takes, and is its own to send.
        // Each second spends what went past its limits; what is left waits for the next.
        uint64_t owedMessages = 0;
        uint64_t owedBytes = 0;
        uint64_t owedDropped = 0;
        // Messages of each type within the second, for the types whose rule bounds them.
        std::array<uint32_t, kMaxTypes> kinds{};
        // Dropped as a flood: nothing more is heard from it until it joins again.
        bool flooded = false;

        // A second past its start, a window starts afresh, its counts at 0, what it spent of
        // its debt gone.
        void Renew(uint64_t now)
        {
            if (now - std::min(now, start) < SessionClock::kFloodWindowMs)
                return;
            owedMessages -= std::min<uint64_t>(owedMessages, Past(messages, kFloodMessages));
            owedBytes -= std::min<uint64_t>(owedBytes, Past(bytes, kFloodBytes));
            owedDropped -= std::min<uint64_t>(owedDropped, Past(dropped, kFloodDropped));
            start = now;
            messages = 0;
            bytes = 0;
            dropped = 0;
            kinds.fill(0);
        }
        // A stop of `seconds`: that many seconds' worth more, at most kMaxAllowance in all.
        void Owe(uint32_t seconds)
        {
            owedMessages = std::min<uint64_t>(owedMessages + uint64_t(seconds) * kFloodMessages,
                                              uint64_t(kMaxAllowance) * kFloodMessages);
            owedBytes = std::min<uint64_t>(owedBytes + uint64_t(seconds) * kFloodBytes,
                                           uint64_t(kMaxAllowance) * kFloodBytes);
            owedDropped = std::min<uint64_t>(owedDropped + uint64_t(seconds) * kFloodDropped,
                                             uint64_t(kMaxAllowance) * kFloodDropped);
        }
        // The seconds' worth a type's bound allows within this window.
        uint32_t Seconds() const
        {
            return uint32_t(1 + (owedMessages + kFloodMessages - 1) / kFloodMessages);
        }
        static uint64_t Past(uint64_t count, uint64_t limit)
        {
            return count > limit ? count - limit : 0;
        }
    };

    void Record(Route route, int host, NetPacket& packet);
    // Transport mode: where the bytes go.
    void Dispatch(Route route, int host, NetPacket& packet);
    // `message` is what the bytes encode: whether it replaces a state waiting is its rule's.
    void SendBytes(uint32_t mask, const NetPacket& message, const uint8_t* bytes, size_t count);
    void SendTo(int host, const NetPacket& message);
    // Hands what waits to each link as far as it takes it; `all` hands everything.
    void Drain(bool all);
    void Flood(int fromHost);
    bool CountIn(int fromHost, size_t count);
    // False, refused, when the client sent more of the type within the second than its rule lets.
    bool CountKind(int fromHost, uint32_t type);
    bool CheckFromClient(int fromHost, const NetPacket& packet);
    void Deliver(int fromHost, NetPacket& packet, const uint8_t* bytes, size_t count);
    // Receives each message of a bundle; false when the bytes are no bundle.
    bool ReceiveBundle(int fromHost, const uint8_t* bytes, size_t count);
    // Keeps a client's message for its next Service.
    void Hold(const uint8_t* bytes, size_t count);
    // What a message kept for later costs: its bytes and the room that keeps them.
    static size_t HeldCost(size_t bytes) { return bytes + sizeof(std::vector<uint8_t>) + 32; }
    void ServiceLoopback();
    void HostConnected(void* peer, uint32_t word);
    // The host's link ended; the listener hears it.
    void HostGone(int host, bool lost = false, uint32_t silentSeconds = 0);
    void TellGone(int host, bool lost, uint32_t silentSeconds);
    // A client's: its server's link ended, with the goodbye's word (0 for none).
    void ServerGone(uint32_t word);
    // After each service of the ENet host: notes who was heard, bounds retransmission, loses a
    // link silent longer than it is allowed and carries out the door's decisions.
    void Tend();
    void TendSlot(size_t slot, uint64_t nowMs, std::chrono::steady_clock::time_point wallNow);
    // A peer that sent a message longer than the link carries is let go at once.
    void RefuseOverlong(size_t slot);
    // This machine did not run for `stopMs`: neither its peers' silence nor their floods.
    void Stopped(uint64_t stopMs);
    void CarryOut(const ConnectionAdmission::Decision& decision, size_t slot);
    void LogRefusals(bool always);
    // How long the slot has been silent: on the session's clock, and on the wall (which ENet's
    // own timeout keeps).
    uint32_t RunningSilence(size_t slot) const;
    uint32_t WallSilence(size_t slot) const;
    uint32_t ClientMask() const;
    static size_t Slot(int host) { return host >= 0 && host <= kMaxClients ? size_t(host) : 0; }

    std::vector<SentPacket> sent;
    std::vector<std::pair<int, std::string>> dropped;
    int localHostId = 0;
    std::unique_ptr<Transport> transport;
    Listener* listener = nullptr;
    uint16_t listenPort = 0;
    uint32_t linkTimeoutMs = kLinkTimeoutMs;
    SessionClock clock;
    bool retryWhenFull = false;
    ConnectionAdmission admission;
    ConnectionAdmission::Parting parting;
    Welcome welcome;
    // Kept for the whole session, whoever takes a departed host's index next.
    std::array<HostCounters, kMaxClients + 1> counters{};
    std::array<Window, kMaxClients + 1> windows{};
    // What the server sends itself, decoded at its next Service.
    std::deque<std::vector<uint8_t>> loopback;
    // What a client's KeepAlive took in, read at its next Service.
    std::deque<std::vector<uint8_t>> held;
    size_t heldBytes = 0;
    size_t maxHeldBytes = kMaxHeldBytes;
    size_t maxWaitingBytes = kMaxWaitingBytes;
    size_t maxBacklogBytes = kMaxBacklogBytes;
    uint32_t maxBacklogMs = kMaxBacklogMs;
    size_t maxMessageBytes = kMaxMessageBytes;
};

} // namespace GAME
