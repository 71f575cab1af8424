#include "engine/LinkPace.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace GAME {
namespace {

// A link of `rate` bytes a second and `baseMs` round trip, looked at every 10 ms with what the
// window lets through: a window past the pipe queues, and the queue adds to the round trip.
struct Link {
    LinkPace pace;
    uint64_t nowMs = 0;
    uint64_t delivered = 0;
    uint32_t largestRoundTrip = 0;

    void Run(uint64_t rate, uint32_t baseMs, uint64_t forMs)
    {
        for (const uint64_t until = nowMs + forMs; nowMs < until;) {
            nowMs += 10;
            const uint64_t pipe = rate * baseMs / 1000;
            const uint64_t queued = pace.Window() > pipe ? pace.Window() - pipe : 0;
            const auto roundTrip = uint32_t(baseMs + queued * 1000 / rate);
            largestRoundTrip = std::max(largestRoundTrip, roundTrip);
            delivered += std::min<uint64_t>(rate * 10 / 1000, pace.Window() * 10 / roundTrip);
            pace.Look(nowMs, roundTrip, 5, delivered, true, queued > 0);
        }
    }
};

// A slow link's window keeps its queue under a router's 32 KiB (500 ms at its rate); once the
// link is fast, the window opens to the whole of ENet's.
TEST(LinkPace, ASlowLinkQueuesLittleAndAFastOneOpensTheWindow)
{
    Link link;
    link.Run(64 * 1024, 40, 5000);
    link.largestRoundTrip = 0;
    link.Run(64 * 1024, 40, 5000);
    EXPECT_LT(link.largestRoundTrip, 40u + 480);
    EXPECT_LT(link.pace.Window(), 32u * 1024);
    link.Run(64 * 1024 * 1024, 40, 2000);
    EXPECT_EQ(link.pace.Window(), LinkPace::kMaxWindow);
}

// Loss does not raise the round trip, and a jittery link's swings by its deviation are no queue:
// a lossy link whose acknowledgements come slowly, its window always full, is never starved.
TEST(LinkPace, ALossyJitteryLinkThatDeliversLittleKeepsItsWindowOpen)
{
    LinkPace pace;
    uint64_t delivered = 0;
    size_t smallest = LinkPace::kMaxWindow;
    for (uint64_t nowMs = 0; nowMs < 20000; nowMs += 20) {
        delivered += 100;
        const uint64_t swing = nowMs / 300 % 7;
        pace.Look(nowMs, uint32_t(220 + swing * 50), 100, delivered, true, true);
        if (nowMs >= 5000)
            smallest = std::min(smallest, pace.Window());
    }
    EXPECT_EQ(smallest, LinkPace::kMaxWindow);
}

} // namespace
} // namespace GAME
