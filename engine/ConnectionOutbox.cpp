#include "engine/ConnectionOutbox.h"

#include "engine/ConnectionManager.h"
#include "engine/NetPacket.h"

#include <enet/time.h>

#include <algorithm>
#include <utility>

namespace GAME {

namespace {
// How many keys of states gone may outnumber the letters waiting before they are forgotten.
constexpr size_t kStaleStates = 256;
} // namespace

bool ConnectionOutbox::Queue(ENetPacket& packet, const NetPacket& message, uint64_t nowMs)
{
    const uint32_t type = message.GetType();
    const ConnectionManager::PacketRule& rule = ConnectionManager::GetPacketRule(type);
    const uint32_t subject = rule.state && rule.subject != nullptr ? rule.subject(message) : 0;
    // A state about no one (no id read) replaces nothing.
    const bool state = rule.state && (rule.subject == nullptr || subject != 0);
    return Post(&packet, type, state, subject, nowMs);
}

bool ConnectionOutbox::Post(ENetPacket* packet, uint32_t type, bool state, uint32_t subject,
                            uint64_t nowMs)
{
    ++packet->referenceCount;
    bytes += packet->dataLength;
    bool replaced = false;
    if (state) {
        auto [at, fresh] =
            states.try_emplace(uint64_t(type) << 32 | subject, first + letters.size());
        replaced = !fresh && at->second >= first && letters[at->second - first].packet != nullptr;
        if (replaced)
            Drop(letters[at->second - first].packet);
        at->second = first + letters.size();
        // Each key forgotten was made by one post, and at least half of those walked go: a post
        // costs a constant on the whole.
        if (states.size() > 2 * letters.size() + kStaleStates)
            std::erase_if(states, [this](const auto& latest) { return latest.second < first; });
    }
    letters.push_back({packet, nowMs});
    Trim();
    return replaced;
}

size_t ConnectionOutbox::Hand(ENetPeer& peer, bool all)
{
    size_t handed = 0;
    Trim();
    while (!letters.empty() && (all || (holds < kLinkCommands && unsent < kLinkBytes))) {
        size_t count = 0;
        ENetPacket* packet = Bundle(peer, count);
        if (packet == nullptr)
            break;
        holds += Commands(peer, *packet);
        unsent += packet->dataLength;
        handed += enet_peer_send(&peer, 0, packet) == 0 ? count : 0;
        if (--packet->referenceCount == 0)
            enet_packet_destroy(packet);
        Trim();
    }
    return handed;
}

// A lone message goes as it is, its packet shared with every peer it goes to; a bundle is the
// bundle's header and its messages one after another, each with its own header. The caller holds
// a reference to what is answered.
ENetPacket* ConnectionOutbox::Bundle(const ENetPeer& peer, size_t& count)
{
    const size_t most = peer.mtu > 64 ? peer.mtu - 64 : 0;
    size_t length = NetPacketHeader::kSize;
    size_t letter = 0;
    for (; letter < letters.size(); ++letter) {
        const ENetPacket* packet = letters[letter].packet;
        if (packet == nullptr)
            continue;
        if (count > 0 && length + packet->dataLength > most)
            break;
        length += packet->dataLength;
        ++count;
    }
    if (count == 1) {
        ENetPacket* alone = letters.front().packet;
        ++alone->referenceCount;
        Drop(letters.front().packet);
        return alone;
    }
    ENetPacket* bundle = enet_packet_create(nullptr, length, ENET_PACKET_FLAG_RELIABLE);
    if (bundle == nullptr)
        return nullptr;
    ++bundle->referenceCount;
    const uint32_t words[] = {ConnectionManager::kBundleType,
                              uint32_t(length - NetPacketHeader::kSize)};
    uint8_t* at = bundle->data;
    for (const uint32_t word : words)
        for (int shift = 0; shift < 32; shift += 8)
            *at++ = uint8_t(word >> shift);
    for (size_t taken = 0; taken < letter; ++taken) {
        ENetPacket*& packet = letters[taken].packet;
        if (packet == nullptr)
            continue;
        at = std::copy_n(packet->data, packet->dataLength, at);
        Drop(packet);
    }
    return bundle;
}

void ConnectionOutbox::Recount(ENetPeer& peer)
{
    holds = 0;
    unsent = 0;
    for (ENetListIterator at = enet_list_begin(&peer.outgoingCommands);
         at != enet_list_end(&peer.outgoingCommands) && holds < kLinkCommands &&
         unsent < kLinkBytes;
         at = enet_list_next(at)) {
        unsent += reinterpret_cast<const ENetOutgoingCommand*>(at)->fragmentLength;
        ++holds;
    }
}

uint64_t ConnectionOutbox::OldestMs(uint64_t nowMs)
{
    if (!ageFromMs)
        ageFromMs = nowMs;
    Trim();
    if (letters.empty())
        return 0;
    return nowMs - std::min(nowMs, std::max(letters.front().postedMs, *ageFromMs));
}

// Behind a queue every round trip is longer than the last until the window is halved, and a
// resend sent before its acknowledgement could come joins the queue it waits in: a narrowed
// link waits at least two mean round trips.
uint32_t ConnectionOutbox::ResendMs(const ENetPeer& peer) const
{
    const uint32_t measured = peer.roundTripTime + 4 * peer.roundTripTimeVariance;
    return std::clamp<uint32_t>(window != 0 ? std::max(measured, 2 * peer.roundTripTime) : measured,
                                kMinResendMs, kMaxResendMs);
}

void ConnectionOutbox::Tend(ENetPeer& peer, uint64_t nowMs)
{
    BoundResends(peer);
    Pace(peer, nowMs);
}

// A queue in the path shows as a round trip that grows with what is in flight, and as losses
// once it overflows: the window is halved, down to kLeastWindow, and opens again by kWindowStep
// a look once no queue stands, so that a link narrowed keeps about what its queue holds in
// flight. A slow machine lengthens the round trip too but loses nothing (what it leaves
// unacknowledged past the resend wait while it stalls is no loss), and a lossy link loses with no
// queue standing: neither is narrowed. The least round trip is the link's own since its
// handshake: a standing queue hides it from any recent look.
void ConnectionOutbox::Pace(ENetPeer& peer, uint64_t nowMs)
{
    if (peer.state != ENET_PEER_STATE_CONNECTED)
        return;
    if (!paced) {
        paced = true;
        pacedMs = tendedMs = nowMs;
        sentSeen = peer.packetsSent;
        lostSeen = peer.packetsLost;
    }
    if (peer.roundTripTime != 0 && (leastRttMs == 0 || peer.roundTripTime < leastRttMs))
        leastRttMs = peer.roundTripTime;
    const uint64_t silent = ENET_TIME_DIFFERENCE(peer.host->serviceTime, peer.lastReceiveTime);
    stalledMs = std::max({stalledMs, silent, nowMs - std::min(nowMs, tendedMs)});
    tendedMs = nowMs;
    if (nowMs - pacedMs >= kPaceMs) {
        pacedMs = nowMs;
        const bool steady = std::max(stalledMs, lastStalledMs) + leastRttMs <= ResendMs(peer);
        lastStalledMs = std::exchange(stalledMs, 0);
        // ENet starts both counts afresh every few seconds.
        const enet_uint32 sent = peer.packetsSent - (peer.packetsSent >= sentSeen ? sentSeen : 0);
        const enet_uint32 lost = peer.packetsLost - (peer.packetsLost >= lostSeen ? lostSeen : 0);
        sentSeen = peer.packetsSent;
        lostSeen = peer.packetsLost;
        if (steady)
            JudgeLoss(peer, sent, lost);
        const bool queued = peer.roundTripTime > kQueuedFactor * leastRttMs + kQueuedSlackMs;
        if (queued && steady && lost * kLossShare > sent)
            window = std::max(kLeastWindow, (window != 0 ? window : OpenWindow(peer)) / 2);
        else if (window != 0 && !queued)
            window = window + kWindowStep < OpenWindow(peer) ? window + kWindowStep : 0;
    }
    // ENet's window is its throttle's share of the window the two ends agreed on, which ENet may
    // agree again at any service: the throttle is what is set, at every look.
    const enet_uint32 scale = ENET_PEER_PACKET_THROTTLE_SCALE;
    const enet_uint32 open = OpenShare() * scale;
    peer.packetThrottleLimit =
        window == 0 ? open
                    : std::clamp<enet_uint32>(
                          window * scale / std::max<enet_uint32>(peer.windowSize, 1), 1, open);
    peer.packetThrottle = peer.packetThrottleLimit;
}

// A link that keeps losing one in kLossyShare of what it sends while its round trip stays near
// its least loses by its nature, not at an overflowing queue, and half its window waits on
// resends: it may keep kOpenShare windows in flight. A busy machine's late answers look like
// losses for a moment, a lossy link's last.
void ConnectionOutbox::JudgeLoss(const ENetPeer& peer, enet_uint32 sent, enet_uint32 lost)
{
    if (lossy || peer.roundTripTime > kLossyFactor * leastRttMs + kQueuedSlackMs)
        return;
    clearSent += sent;
    clearLost += lost;
    if (clearSent < kLossySample)
        return;
    lossySamples = clearLost * kLossyShare > clearSent ? lossySamples + 1 : 0;
    lossy = lossySamples >= kLossySamples;
    clearSent = clearLost = 0;
}

// ENet keeps what it sent in the order it sent it, a resend at the end again; ENet looks for one
// due only at the peer's next timeout, set when it last sent one with its doubled wait. Walked
// from the newest back to the last one seen (those sent within the same millisecond again).
void ConnectionOutbox::BoundResends(ENetPeer& peer)
{
    ENetList& sent = peer.sentReliableCommands;
    const enet_uint32 wait = ResendMs(peer);
    const bool all = !bounded;
    const enet_uint32 since = boundSince;
    for (ENetListIterator at = enet_list_previous(enet_list_end(&sent)); at != enet_list_end(&sent);
         at = enet_list_previous(at)) {
        auto* command = reinterpret_cast<ENetOutgoingCommand*>(at);
        if (!all && ENET_TIME_LESS(command->sentTime, since))
            break;
        // The newest comes first.
        if (at == enet_list_previous(enet_list_end(&sent)))
            boundSince = command->sentTime;
        bounded = true;
        command->roundTripTimeout = std::min<enet_uint32>(command->roundTripTimeout, wait);
        const enet_uint32 due = command->sentTime + command->roundTripTimeout;
        if (ENET_TIME_LESS(due, peer.nextTimeout))
            peer.nextTimeout = due;
    }
}

// Its messages were not sent again, and what its peers sent waits in its socket.
void ConnectionOutbox::ForgiveStop(ENetPeer& peer, enet_uint32 stopMs)
{
    peer.lastReceiveTime += stopMs;
    if (peer.earliestTimeout != 0)
        peer.earliestTimeout += stopMs;
    for (ENetListIterator at = enet_list_begin(&peer.sentReliableCommands);
         at != enet_list_end(&peer.sentReliableCommands); at = enet_list_next(at))
        reinterpret_cast<ENetOutgoingCommand*>(at)->sentTime += stopMs;
    boundSince += stopMs;
}

// ENet's throttle, on a lossy slow link, shrinks what may be in flight to one datagram a round
// trip: an honest peer's messages then queue behind it and later arrive all at once, which the
// server must take for a flood. Once linked, the throttle never closes of itself (the pace alone
// narrows it); what is lost is sent again. Not before: the handshake's answer must echo the
// settings the request carried.
void ConnectionOutbox::KeepThrottleOpen(ENetPeer* peer)
{
    peer->packetThrottle = peer->packetThrottleLimit;
    peer->packetThrottleDeceleration = 0;
}

void ConnectionOutbox::Clear()
{
    for (Letter& letter : letters)
        if (letter.packet != nullptr)
            Drop(letter.packet);
    letters.clear();
    states.clear();
    holds = unsent = 0;
    bounded = false;
    ageFromMs.reset();
    leastRttMs = sentSeen = lostSeen = clearSent = clearLost = lossySamples = 0;
    lossy = false;
    paced = false;
    pacedMs = tendedMs = stalledMs = lastStalledMs = 0;
    window = 0;
}

size_t ConnectionOutbox::Commands(const ENetPeer& peer, const ENetPacket& packet)
{
    const size_t fragment = peer.mtu > 64 ? peer.mtu - 64 : 1;
    return packet.dataLength / fragment + 1;
}

void ConnectionOutbox::Drop(ENetPacket*& packet)
{
    bytes -= packet->dataLength;
    if (--packet->referenceCount == 0)
        enet_packet_destroy(packet);
    packet = nullptr;
}

void ConnectionOutbox::Trim()
{
    while (!letters.empty() && letters.front().packet == nullptr) {
        letters.pop_front();
        ++first;
    }
}

} // namespace GAME
