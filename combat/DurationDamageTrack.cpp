#include "combat/DurationDamageTrack.h"

#include "core/Saturate.h"

#include <algorithm>

namespace GAME {

void DurationDamageTrack::AddDamage(const DurationDamageInfo& info)
{
    AddToTicks(info.amount * 0.1f, info.length);
}

// The tick count is taken in double precision: 0.7 s as a float is 0.69999999 and makes 6 ticks.
void DurationDamageTrack::AddToTicks(float perTick, float seconds)
{
    const int32_t ticks = SaturateToInt(static_cast<double>(seconds) * 10.0);
    if (ticks <= 0)
        return;
    const auto count = static_cast<size_t>(ticks);
    if (pendingTicks.size() < count)
        pendingTicks.resize(count, 0.0f);
    for (size_t i = 0; i < count; ++i)
        pendingTicks[i] += perTick;
}

void DurationDamageTrack::CommitPending()
{
    if (activeTicks.empty()) {
        activeTicks = pendingTicks;
    } else {
        if (activeTicks.size() < pendingTicks.size())
            activeTicks.resize(pendingTicks.size(), 0.0f);
        for (size_t i = 0; i < pendingTicks.size(); ++i)
            activeTicks[i] = std::max(activeTicks[i], pendingTicks[i]);
    }
    pendingTicks.clear();
}

void FixedDurationDamageTrack::AddDamage(const DurationDamageInfo& info)
{
    AddToTicks(info.amount, info.length);
}

float FixedDurationDamageTrack::GetLevel() const
{
    return GetActiveTicks().empty() ? 0.0f : GetActiveTicks().front();
}

} // namespace GAME
