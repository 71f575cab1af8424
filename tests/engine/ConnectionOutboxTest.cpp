#include "engine/ConnectionOutbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace GAME {
namespace {

constexpr enet_uint32 kOpen = ENET_PEER_PACKET_THROTTLE_SCALE;

// An empty list as ENet makes one, its sentinel its own neighbour both ways.
void Empty(ENetList& list)
{
    list.sentinel.next = list.sentinel.previous = &list.sentinel;
}

// The window a link's pace sets, frame by frame, from ENet's own figures for a made-up link:
// its round trip, what it sent and sent again, what flies.
class OutboxPace : public ::testing::Test {
protected:
    OutboxPace()
    {
        peer.host = &host;
        peer.state = ENET_PEER_STATE_CONNECTED;
        peer.windowSize = 64 * 1024;
        peer.packetThrottle = peer.packetThrottleLimit = kOpen;
        Empty(peer.sentReliableCommands);
        Empty(peer.outgoingCommands);
    }
    ~OutboxPace() override { outbox.Clear(); }

    // `ms` of 33 ms frames, each sending `sent` commands of which `lost` went again, at a round
    // trip of `rttMs` (a quarter of it its deviation); the widest throttle seen.
    enet_uint32 Run(uint64_t ms, enet_uint32 rttMs, enet_uint32 sent, enet_uint32 lost)
    {
        enet_uint32 widest = 0;
        for (const uint64_t end = nowMs + ms; nowMs < end; nowMs += 33) {
            host.serviceTime = peer.lastReceiveTime = enet_uint32(nowMs);
            peer.roundTripTime = rttMs;
            peer.roundTripTimeVariance = rttMs / 4;
            peer.packetsSent += sent;
            peer.packetsLost += lost;
            outbox.Tend(peer, nowMs);
            widest = std::max(widest, peer.packetThrottleLimit);
        }
        return widest;
    }

    ENetHost host{};
    ENetPeer peer{};
    ConnectionOutbox outbox;
    uint64_t nowMs = 1000;
};

// A link that loses a third of what it sends with its round trip near its least loses by its
// nature: it may keep twice the agreed window in flight.
TEST_F(OutboxPace, ALinkLosingWithNoQueueStandingKeepsTwoWindows)
{
    EXPECT_EQ(Run(5000, 400, 10, 3), 2 * kOpen);
    EXPECT_EQ(peer.packetThrottle, 2 * kOpen);
}

// A link that loses only once much is in flight and its round trip has grown loses at a queue:
// it is narrowed, and once the queue drains it opens again to the agreed window, no further.
TEST_F(OutboxPace, ALinkLosingAtAnOverflowingQueueIsNarrowedAndNeverWidened)
{
    EXPECT_EQ(Run(5000, 20, 10, 0), kOpen);
    Run(2000, 600, 10, 3);
    EXPECT_EQ(peer.packetThrottleLimit, kOpen / 4);
    EXPECT_EQ(Run(20000, 20, 10, 0), kOpen);
    EXPECT_EQ(peer.packetThrottleLimit, kOpen);
}

// Losses while this machine stalls are no evidence either way.
TEST_F(OutboxPace, LossesWhileStalledDoNotWidenTheWindow)
{
    for (int stall = 0; stall < 40; ++stall) {
        Run(300, 400, 10, 3);
        nowMs += 3000;
    }
    EXPECT_EQ(peer.packetThrottleLimit, kOpen);
}

} // namespace
} // namespace GAME
