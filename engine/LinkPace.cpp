#include "engine/LinkPace.h"

#include <algorithm>
#include <utility>

namespace GAME {

void LinkPace::Look(uint64_t nowMs, uint32_t roundTripMs, uint32_t deviationMs, uint64_t delivered,
                    bool held, bool resent)
{
    roundTripMs = std::max<uint32_t>(roundTripMs, 1);
    if (!started) {
        started = true;
        roundMs = spanMs = nowMs;
        roundDelivered = delivered;
        least = leastBefore = roundTripMs;
        return;
    }
    if (nowMs - spanMs >= kLeastSpanMs) {
        leastBefore = least;
        least = roundTripMs;
        spanMs = nowMs;
    }
    least = std::min(least, roundTripMs);
    heldInRound = heldInRound || held;
    resentInRound = resentInRound || resent;
    const uint64_t elapsed = nowMs - roundMs;
    if (elapsed < std::max(roundTripMs, kMinRoundMs))
        return;
    const uint64_t leastMs = std::min(least, leastBefore);
    // What the link delivers in its least round trip.
    const uint64_t pipe = (delivered - roundDelivered) * leastMs / elapsed;
    const uint64_t slack =
        std::max<uint64_t>({2 * leastMs, kQueueSlackMs, uint64_t(kQueueDeviations) * deviationMs});
    if (resentInRound) {
        resentMs = nowMs;
        resentOnce = true;
    }
    // A stretched round trip is a queue building only while what the link delivers no longer
    // grows with the window, or it sent something again lately; a queue that makes it send
    // again overflows. A busy machine's slow frames stretch a round trip and lose nothing.
    const bool stretched = roundTripMs > leastMs + slack;
    const bool growing = pipe > lastPipe + lastPipe / 8;
    const bool wasHigh = std::exchange(high, stretched && resentInRound);
    const bool building =
        stretched && (!growing || (resentOnce && nowMs - resentMs < kResentMemoryMs));
    lastPipe = pipe;
    if (high && wasHigh)
        window = std::max({kMinWindow, window - window / 4, std::min(window, size_t(2 * pipe))});
    else if (heldInRound && !building)
        window = std::min(kMaxWindow, std::max(window + window / 4, size_t(2 * pipe)));
    roundMs = nowMs;
    roundDelivered = delivered;
    heldInRound = resentInRound = false;
}

} // namespace GAME
