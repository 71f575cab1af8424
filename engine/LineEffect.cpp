#include "engine/LineEffect.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(LineEffect, Entity);

LineEffect::~LineEffect() = default;

void LineEffect::UpdateSelf(int32_t elapsedMs)
{
    Entity::UpdateSelf(elapsedMs);
    elapsedTime += elapsedMs;
}

float LineEffect::GetTravelPercentage() const
{
    if (revealTime <= 0)
        return 1.0f;
    return std::clamp(static_cast<float>(elapsedTime) / static_cast<float>(revealTime), 0.0f, 1.0f);
}

} // namespace GAME
