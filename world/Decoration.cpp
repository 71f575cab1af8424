#include "world/Decoration.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(Decoration, Actor);

Decoration::Decoration()
{
    SetPhysicsType(0);
}

Decoration::~Decoration() = default;

void Decoration::UpdateSelf(int32_t elapsedMs)
{
    const float step = static_cast<float>(elapsedMs) * 0.001f;
    fadeAmount = std::clamp(faded ? fadeAmount + step : fadeAmount - step, 0.0f, kMaxFade);
    Actor::UpdateSelf(elapsedMs);
}

} // namespace GAME
