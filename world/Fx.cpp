#include "world/Fx.h"

#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/World.h"
#include "world/EditorPicking.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Fx, Entity);

Fx::~Fx() = default;

void Fx::Load(const LoadTable& table)
{
    Entity::Load(table);
    disturbanceRadius = table.GetFloat("disturbanceRadius", 0.0f);
}

WorldCoords Fx::GetMyRegionCoords() const
{
    return parent != nullptr ? parent->GetCoords() : GetCoords();
}

WorldCoords Fx::GetMyWorldCoords() const
{
    return GetMyRegionCoords();
}

void Fx::AnimationCallback(int32_t /*kind*/, const Name& name)
{
    static const Name displaceGrass = Name::Create("DisplaceGrass");
    if (name != displaceGrass)
        return;
    if (World* world = gEngine->GetWorld())
        world->CreateDisturbance(GetCoords().GetPosition(), disturbanceRadius, 5.0f, 0);
}

void Fx::GetIntersection(const Ray& ray, Intersection& out, int32_t surface) const
{
    PickEditorSphere(GetCoords().GetRegionCoords().origin, 1.0f, ray, out, surface);
}

} // namespace GAME
