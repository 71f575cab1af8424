#pragma once

#include <enet/enet.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <unordered_map>

namespace GAME {

class NetPacket;

// What waits for one peer's link beyond what ENet holds for it, in order, how much ENet keeps in
// flight (a link whose path queues is narrowed to about what its queue holds) and how what ENet
// holds is resent. ENet walks the whole of a peer's unsent queue at every send while the peer's
// window is full, so that a slow or lossy peer's backlog would cost its server each frame in
// proportion to its length: ENet is handed only as much as kLinkCommands, the rest waits here,
// where a later state replaces an earlier one instead of joining it. A message kept here holds a
// reference to its packet, which every peer it goes to shares.
//
// Each packet ENet keeps in flight costs its server a step at every acknowledgement (ENet walks
// the peer's list of them to find the one answered), and a lossy link keeps its window full: a
// frame's messages to a peer leave together at the frame's flush, as few bundles as fit a
// datagram each (ConnectionManager::kBundleType), a lone message as its shared packet.
class ConnectionOutbox {
public:
    static constexpr size_t kLinkCommands = 512;
    // What ENet may hold unsent, so that what waits is seen here, its age and its states.
    static constexpr size_t kLinkBytes = 64 * 1024;
    // A message unacknowledged goes out again once the link's measured round trip (ENet's mean
    // and four deviations) has passed, within these bounds, however often it went unanswered:
    // ENet doubles the wait each time, and on a lossy link an unlucky message would soon back
    // off past any timeout.
    static constexpr uint32_t kMinResendMs = 50;
    static constexpr uint32_t kMaxResendMs = 2000;
    // A link whose round trip stands at over kQueuedFactor times its least and kQueuedSlackMs
    // has a queue in its path; one that then loses one in kLossShare of what it sends, looked at
    // every kPaceMs, overflows it. Such a link's window is narrowed, to kLeastWindow at the
    // least, and opens by kWindowStep a look while no queue stands.
    static constexpr uint32_t kQueuedFactor = 4;
    static constexpr uint32_t kQueuedSlackMs = 50;
    static constexpr uint32_t kLossShare = 50;
    static constexpr uint64_t kPaceMs = 250;
    static constexpr uint32_t kLeastWindow = 16 * 1024;
    static constexpr uint32_t kWindowStep = 2 * 1024;
    // A link that loses one in kLossyShare of kLossySample sent, kLossySamples times running,
    // while its round trip stands at most kLossyFactor times its least and kQueuedSlackMs may
    // keep kOpenShare times the window the two ends agreed on in flight: ENet agrees on 64 KiB at
    // most, and a lossy link, half of whose window waits on resends, needs twice that to keep up
    // with what a crowd's server sends each player. A queue in its path narrows it as any other.
    static constexpr uint32_t kLossyFactor = 2;
    static constexpr uint32_t kLossyShare = 4;
    static constexpr uint32_t kLossySample = 256;
    static constexpr uint32_t kLossySamples = 2;
    static constexpr uint32_t kOpenShare = 2;

    ConnectionOutbox() = default;
    ConnectionOutbox(const ConnectionOutbox&) = delete;
    ConnectionOutbox& operator=(const ConnectionOutbox&) = delete;
    ~ConnectionOutbox() { Clear(); }
    size_t Bytes() const { return bytes; }
    // Posts the packet, `message` encoded, for the next hand; true when it replaced a state still
    // waiting.
    bool Queue(ENetPacket& packet, const NetPacket& message, uint64_t nowMs);
    // Queues the packet for the peer at `nowMs` of the session's clock; true when it replaced a
    // state of the same type and subject still waiting.
    bool Post(ENetPacket* packet, uint32_t type, bool state, uint32_t subject, uint64_t nowMs);
    // Hands the peer the oldest, bundled, while its link holds fewer than kLinkCommands and
    // kLinkBytes unsent (all of them when `all`); how many messages it took.
    size_t Hand(ENetPeer& peer, bool all = false);
    // What the peer's link holds unsent, counted afresh (up to its bounds): ENet sends
    // between two counts, so what is counted in between only grows.
    void Recount(ENetPeer& peer);
    // How long the oldest message still here has waited, at `nowMs`; 0 when none waits. What
    // was posted before the first ask ages from then: a peer is asked once it plays, and what
    // waited while it loaded its world was the load's to wait for.
    uint64_t OldestMs(uint64_t nowMs);
    // A frame's look at the link, at `nowMs` of the session's clock: its resends and its window.
    void Tend(ENetPeer& peer, uint64_t nowMs);
    // The link's resend wait, from its measured round trip.
    uint32_t ResendMs(const ENetPeer& peer) const;
    // What ENet timed while this machine did not run (`stopMs`) is no one's wait.
    void ForgiveStop(ENetPeer& peer, enet_uint32 stopMs);
    static void KeepThrottleOpen(ENetPeer* peer);
    void Clear();

private:
    struct Letter {
        ENetPacket* packet = nullptr;
        uint64_t postedMs = 0;
    };
    // Bounds the wait before a resend of what ENet sent since the last look: the work is what
    // the peer's window let out since, not all it has in flight.
    void BoundResends(ENetPeer& peer);
    // Narrows the window of a link whose path queues and overflows, and opens it again once
    // the queue has drained.
    void Pace(ENetPeer& peer, uint64_t nowMs);
    // Counts a steady look's sends and losses towards whether the link loses by its nature.
    void JudgeLoss(const ENetPeer& peer, enet_uint32 sent, enet_uint32 lost);
    uint32_t OpenShare() const { return lossy ? kOpenShare : 1; }
    enet_uint32 OpenWindow(const ENetPeer& peer) const { return OpenShare() * peer.windowSize; }
    // The commands a packet takes: its fragments.
    static size_t Commands(const ENetPeer& peer, const ENetPacket& packet);
    // The front letter with those behind it that fit one datagram with it, as one packet;
    // `count` says how many messages it carries.
    ENetPacket* Bundle(const ENetPeer& peer, size_t& count);
    void Drop(ENetPacket*& packet);
    // Letters replaced at the front go at once, so that the front is the oldest still waiting.
    void Trim();

    std::deque<Letter> letters;
    // Where the latest of each state (its type above its subject) stands, counted from the
    // first letter ever posted. A key whose letter has left stays until the map outgrows what
    // waits, so that a subject gone for good costs nothing for long.
    std::unordered_map<uint64_t, uint64_t> states;
    uint64_t first = 0;
    size_t bytes = 0;
    size_t holds = 0;
    size_t unsent = 0;
    // Letters age from the first ask on.
    std::optional<uint64_t> ageFromMs;
    // ENet's time of the latest send the resend bound has seen.
    enet_uint32 boundSince = 0;
    bool bounded = false;
    // The pace: the link's least round trip since it was made, ENet's counts of sends and
    // resends at the last look, and the window, 0 while it is the one the ends agreed on.
    bool paced = false;
    enet_uint32 leastRttMs = 0;
    enet_uint32 sentSeen = 0;
    enet_uint32 lostSeen = 0;
    uint64_t pacedMs = 0;
    enet_uint32 window = 0;
    // What was sent and lost in the looks with no queue standing (neither machine stalled) since
    // the last sample, and how many samples running lost their share.
    enet_uint32 clearSent = 0;
    enet_uint32 clearLost = 0;
    enet_uint32 lossySamples = 0;
    bool lossy = false;
    // The longest either machine stalled in this look and the last: the peer silent, or this
    // machine not here.
    uint64_t tendedMs = 0;
    uint64_t stalledMs = 0;
    uint64_t lastStalledMs = 0;
};

} // namespace GAME
