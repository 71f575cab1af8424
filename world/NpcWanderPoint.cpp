#include "world/NpcWanderPoint.h"

#include "engine/EditorFilter.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "world/EditorPicking.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(NpcWanderPoint, Actor);

namespace {
constexpr int32_t kWanderPointFilterType = 6;
} // namespace

NpcWanderPoint::NpcWanderPoint()
{
    SetVisibility(false);
}

NpcWanderPoint::~NpcWanderPoint()
{
    if (gEngine->IsLevelEditor())
        EditorFilter::Instance().RemoveFilterObject(GetObjectId());
}

void NpcWanderPoint::Load(const LoadTable& table)
{
    Actor::Load(table);
    radius = table.GetFloat("radius", 1.0f);
}

void NpcWanderPoint::InitialUpdate()
{
    Actor::InitialUpdate();
    if (!gEngine->IsLevelEditor())
        return;
    SetScale(radius);
    EditorFilter::Instance().AddFilterObject(GetObjectId(), kWanderPointFilterType);
}

void NpcWanderPoint::GetIntersection(const Ray& ray, Intersection& out, int32_t surface) const
{
    PickEditorSphere(GetCoords().GetRegionCoords().origin, radius, ray, out, surface);
}

} // namespace GAME
