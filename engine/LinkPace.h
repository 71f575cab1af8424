#pragma once

#include <cstddef>
#include <cstdint>

namespace GAME {

// How much a server lets be on its way to one peer at a time: a window from the rate at which
// the peer acknowledges and the least round trip its link has shown, so that a slow link's
// bottleneck queues little and drops little. Once a round trip, the link is looked at. A round
// trip well above its least while what the link delivers no longer grows with the window is a
// queue building: the window stops growing. Stretched two looks running while the link also sends
// something again, the queue overflows: the window falls towards twice what the link delivered in
// the least round trip, by a quarter at most a look. A busy machine's slow frames and a jittery
// link stretch a round trip too, but lose nothing and still deliver more as the window grows.
// Otherwise, when the window held messages back, it grows by a quarter, or to twice what the
// link delivers in the least round trip. It starts small and grows a round trip at a time, so
// that the least round trip is one without a queue, and ENet's first guess of a round trip (half
// a second) is gone before it is large. Loss alone never shrinks it (what is lost is sent again),
// so a lossy link is not starved.
class LinkPace {
public:
    static constexpr size_t kMinWindow = 4 * 1024;
    static constexpr size_t kFirstWindow = 8 * 1024;
    // ENet's own window, which holds in any case.
    static constexpr size_t kMaxWindow = 64 * 1024;
    // The least round trip is the least of the last ten to twenty seconds: a link may change.
    static constexpr uint64_t kLeastSpanMs = 10000;
    // A round trip this far above the least, twice the least above it, and its mean deviation
    // this many times (as ENet's resend wait) above it, is a queue: a jittery link's round trip
    // swings widely without one.
    static constexpr uint32_t kQueueSlackMs = 80;
    static constexpr uint32_t kQueueDeviations = 4;
    static constexpr uint32_t kMinRoundMs = 10;
    // How long after a resend a stretched round trip still stops the window growing.
    static constexpr uint64_t kResentMemoryMs = 2000;

    // Looks at the link at `nowMs` of the session's clock: its mean round trip and that trip's
    // mean deviation, the bytes it has acknowledged in all, whether the window held anything
    // back and whether anything was sent again since the last look.
    void Look(uint64_t nowMs, uint32_t roundTripMs, uint32_t deviationMs, uint64_t delivered,
              bool held, bool resent);
    size_t Window() const { return window; }
    void Reset() { *this = LinkPace(); }

private:
    size_t window = kFirstWindow;
    bool started = false;
    // The last look found the round trip well above its least, and a resend.
    bool high = false;
    bool heldInRound = false;
    bool resentInRound = false;
    uint64_t roundMs = 0;
    // When the link last sent something again, if ever.
    uint64_t resentMs = 0;
    bool resentOnce = false;
    uint64_t roundDelivered = 0;
    // What the link delivered in its least round trip at the last look.
    uint64_t lastPipe = 0;
    // The least round trip of the span under way and of the one before it.
    uint32_t least = 0;
    uint32_t leastBefore = 0;
    uint64_t spanMs = 0;
};

} // namespace GAME
