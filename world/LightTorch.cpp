#include "world/LightTorch.h"

#include "core/GradientNoise.h"
#include "core/RandomHelpers.h"
#include "engine/Engine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(LightTorch, Light);

LightTorch::~LightTorch() = default;

void LightTorch::InitialUpdate()
{
    Light::InitialUpdate();
    phase = RandomFloat(0.0f, 1000.0f);
}

void LightTorch::UpdateSelf(int32_t elapsedMs)
{
    Light::UpdateSelf(elapsedMs);
    const float t = static_cast<float>(gEngine->GetGameTime()) * 0.001f + phase;
    const float a = (Noise1D(3.1415927f + t) + 1.0f) * 0.5f;
    const float i = Noise1D(10.0f * t) * 0.25f + a + 0.5f;
    SetColor(Color(i, 0.5f * i, 0.16f * i, 1.0f));
}

} // namespace GAME
