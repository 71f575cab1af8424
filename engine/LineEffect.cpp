#include "engine/LineEffect.h"

#include "core/Saturate.h"

#include <algorithm>
#include <utility>

namespace GAME {

GAME_IMPLEMENT_CLASS(LineEffect, Entity);

LineEffect::~LineEffect() = default;

void LineEffect::UpdateSelf(int32_t elapsedMs)
{
    Entity::UpdateSelf(elapsedMs);
    if (paused)
        return;
    elapsedTime = AddSaturating(elapsedTime, elapsedMs);
    // Pausing at the target holds the line there until its owner lets it go; a released line
    // runs on to its end.
    if (pauseAtTarget && GetTravelPercentage() >= 1.0f) {
        paused = true;
        pauseAtTarget = false;
    }
}

float LineEffect::GetTravelPercentage() const
{
    if (revealTime <= 0)
        return 1.0f;
    return std::clamp(static_cast<float>(elapsedTime) / static_cast<float>(revealTime), 0.0f, 1.0f);
}

size_t LineEffect::AddPointList(std::vector<Vec3> points)
{
    pointLists.push_back(std::move(points));
    return pointLists.size() - 1;
}

const std::vector<Vec3>& LineEffect::GetPointList(size_t index) const
{
    static const std::vector<Vec3> kNone;
    return index < pointLists.size() ? pointLists[index] : kNone;
}

std::vector<Vec3>* LineEffect::GetMutablePointList(size_t index)
{
    return index < pointLists.size() ? &pointLists[index] : nullptr;
}

} // namespace GAME
