#include "world/RadiusMagic.h"

#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(RadiusMagic, Decoration);

RadiusMagic::~RadiusMagic() = default;

void RadiusMagic::SetEffect(float radius, float expansionTime)
{
    effect.radius = radius;
    effect.expansionTime = expansionTime;
    endRadius = 2.0f * radius;
}

void RadiusMagic::SetEffect(const RadiusEffect& value)
{
    effect = value;
    endRadius = 2.0f * value.radius;
}

float RadiusMagic::GetCurrentRadius() const
{
    // A ring of no expansion time stands at its end radius from the start.
    if (effect.expansionTime <= 0.0f)
        return endRadius;
    return static_cast<float>(elapsed) / effect.expansionTime;
}

void RadiusMagic::UpdateSelf(int32_t elapsedMs)
{
    Decoration::UpdateSelf(elapsedMs);
    elapsed = AddSaturating(elapsed, elapsedMs);
    const bool passed = effect.expansionTime <= 0.0f || GetCurrentRadius() > endRadius;
    if (!passed)
        return;
    World* world = gEngine->GetWorld();
    if (IsInWorld() && world != nullptr)
        world->RemoveEntity(this);
    ObjectManager::Instance().DestroyObjectEx(this, "Project/Game/RadiusMagic", __LINE__);
}

bool RadiusMagic::GetShaderParam(const std::string& name, float& value) const
{
    if (name != "radius")
        return false;
    value = GetCurrentRadius();
    return true;
}

bool RadiusMagic::GetShaderParamFloat4(const std::string& name, float (&value)[4]) const
{
    if (name != "strength")
        return false;
    const float t = endRadius != 0.0f ? GetCurrentRadius() / endRadius : 1.0f;
    const float s = (1.0f - t * t) * 0.03f;
    value[0] = s;
    value[1] = 0.0f;
    value[2] = 0.0f;
    value[3] = s;
    return true;
}

} // namespace GAME
