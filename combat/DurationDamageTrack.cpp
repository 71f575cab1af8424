#include "combat/DurationDamageTrack.h"

#include "core/Helpers.h"
#include "core/Saturate.h"
#include "engine/Engine.h"

#include <algorithm>
#include <cmath>

namespace GAME {

void DurationDamageTrack::AddDamage(const DurationDamageInfo& info)
{
    AddToTicks(info.amount * 0.1f, info.length);
}

// The tick count is taken in double precision: 0.7 s as a float is 0.69999999 and makes 6 ticks.
// It is capped before it becomes an integer, which a huge duration would overflow; not a number
// passes the cap and makes none.
void DurationDamageTrack::AddToTicks(float perTick, float seconds)
{
    const double ticks = Min(static_cast<double>(kMaxTicks), static_cast<double>(seconds) * 10.0);
    const int32_t count = SaturateToInt(ticks);
    if (count <= 0)
        return;
    const auto end = static_cast<size_t>(count);
    if (pendingTicks.size() < end)
        pendingTicks.resize(end, 0.0f);
    for (size_t i = 0; i < end; ++i)
        pendingTicks[i] += perTick;
}

float DurationDamageTrack::GetDamage() const
{
    const size_t due = Min(static_cast<size_t>(ticksDue), activeTicks.size());
    float sum = 0.0f;
    for (size_t i = 0; i < due; ++i)
        sum += activeTicks[i];
    return sum;
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

void DurationDamageTrack::AdvanceTime(int32_t elapsed)
{
    const int32_t gathered = AddSaturating(elapsedMs, elapsed);
    if (gathered <= kTickMs) {
        ticksDue = 0;
        elapsedMs = gathered;
    } else {
        ticksDue = gathered / kTickMs;
        elapsedMs = gathered % kTickMs;
    }
}

void DurationDamageTrack::ConsumeDueTicks()
{
    const size_t due = Min(static_cast<size_t>(ticksDue), activeTicks.size());
    activeTicks.erase(activeTicks.begin(), activeTicks.begin() + static_cast<ptrdiff_t>(due));
}

bool DurationDamageTrack::IsAcceptableRun(float amount, float length)
{
    return std::isfinite(amount) && length >= 0.0f && length <= static_cast<float>(kMaxTicks);
}

bool DurationDamageTrack::AppendTicks(float amount, float length)
{
    if (!IsAcceptableRun(amount, length))
        return false;
    const size_t room = static_cast<size_t>(kMaxTicks) - Min(activeTicks.size(), size_t(kMaxTicks));
    const size_t count = Min(static_cast<size_t>(length), room);
    activeTicks.insert(activeTicks.end(), count, amount);
    return true;
}

template <typename Visit> void DurationDamageTrack::ForEachRun(Visit visit) const
{
    float value = 0.0f;
    float sum = 0.0f;
    size_t count = 0;
    for (const float tick : activeTicks) {
        if (tick != value) {
            visit(value, count, sum);
            value = tick;
            sum = 0.0f;
            count = 0;
        }
        sum += tick;
        ++count;
    }
    visit(value, count, sum);
}

std::vector<DurationDamageInfo> DurationDamageTrack::GetReplicaRuns() const
{
    std::vector<DurationDamageInfo> runs;
    ForEachRun([&runs](float value, size_t count, float) {
        if (value > 0.0f)
            runs.push_back({value, static_cast<float>(count)});
    });
    return runs;
}

void DurationDamageTrack::Dump() const
{
    if (activeTicks.empty())
        return;
    gEngine->Log(Engine::LogInfo, "^bAttacker (0x%08x)  Damage Type (%d)", attackerId,
                 static_cast<int>(damageType));
    ForEachRun([](float, size_t count, float sum) {
        const float milliseconds = static_cast<float>(kTickMs) * static_cast<float>(count);
        if (sum > 0.0f)
            gEngine->Log(Engine::LogInfo, "^g   Damage(%f)  Duration (%f) Seconds", sum,
                         milliseconds * 0.001f);
    });
}

void FixedDurationDamageTrack::AddDamage(const DurationDamageInfo& info)
{
    AddToTicks(info.amount, info.length);
}

float FixedDurationDamageTrack::GetDamage() const
{
    return GetActiveTicks().empty() ? 0.0f : GetActiveTicks().front();
}

} // namespace GAME
