#include "ai/ControllerNpcStateWander.h"

#include "core/RandomHelpers.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/Region.h"
#include "engine/UniqueIdMap.h"
#include "engine/World.h"
#include "world/NpcWanderPoint.h"

#include <vector>

namespace GAME {

namespace {

constexpr float kWanderReachTolerance = 0.5f;
constexpr int32_t kMinAttractionCheck = 1000; // ms
constexpr int32_t kMaxAttractionCheck = 5000; // ms

} // namespace

void ControllerNpcStateWander::OnBegin()
{
    const Npc* self = GetCharacter();
    ControllerNpc2* controller = GetController();
    if (self != nullptr && self->CanWalk() && !controller->GetWanderPoints().empty()) {
        const int32_t closest = GetClosest(controller->GetWanderPoints());
        if (closest >= 0) {
            controller->SetCurrentWanderPoint(static_cast<uint32_t>(closest));
            if (MoveToCurrentWanderPoint()) {
                attraction = 0;
                attractionCheckTime = kFirstAttractionCheck;
                return;
            }
        }
    }
    SwitchTo("Idle");
}

void ControllerNpcStateWander::OnUpdate(int32_t elapsedMs)
{
    if (attraction != 0)
        return;
    attractionCheckTime = AddSaturating(attractionCheckTime, -elapsedMs);
    if (attractionCheckTime >= 0)
        return;
    attraction = FindAttraction();
    if (attraction != 0)
        WalkUpTo(attraction);
    attractionCheckTime = RandomInt(kMinAttractionCheck, kMaxAttractionCheck);
}

void ControllerNpcStateWander::WalkUpTo(uint32_t attractorId)
{
    Npc* self = GetCharacter();
    Npc* attractor = FindNpc(attractorId);
    if (self == nullptr || attractor == nullptr)
        return;
    WorldVec3 slot;
    attractor->RequestDefenseSlot(slot, self->GetObjectId(), false);
    if (slot.HasRegion() && self->CanMoveTo(slot, kWanderReachTolerance))
        WalkTo(slot, attractorId);
}

void ControllerNpcStateWander::EndOfPathReached()
{
    if (attraction != 0)
        SwitchTo("WatchAttraction", attraction);
    else
        MoveToNextWanderPoint();
}

bool ControllerNpcStateWander::MoveToCurrentWanderPoint()
{
    Npc* self = GetCharacter();
    const ControllerNpc2* controller = GetController();
    const std::vector<UniqueId>& points = controller->GetWanderPoints();
    if (self == nullptr || points.empty())
        return false;
    const size_t count = points.size();
    const size_t start = controller->GetCurrentWanderPoint() % count;
    const NpcWanderPoint* point = nullptr;
    for (size_t step = 0; step < count && point == nullptr; ++step)
        point = DynamicCast<NpcWanderPoint>(UniqueIdMap::GetEntity(points[(start + step) % count]));
    if (point == nullptr)
        return false;
    WorldVec3 target = point->GetCoords().GetPosition();
    if (!target.HasRegion())
        return false;
    const float radius = point->GetRadius();
    const float x = RandomFloat(-radius, radius);
    const float z = RandomFloat(-radius, radius);
    target.TranslateToFloor(Vec3(x, 0.0f, z));
    if (!self->CanMoveTo(target, kWanderReachTolerance))
        return false;
    WalkTo(target, 0);
    return true;
}

void ControllerNpcStateWander::MoveToNextWanderPoint()
{
    ControllerNpc2* controller = GetController();
    const size_t count = controller->GetWanderPoints().size();
    if (count == 0) {
        SwitchTo("Idle");
        return;
    }
    controller->SetCurrentWanderPoint(
        static_cast<uint32_t>((controller->GetCurrentWanderPoint() % count + 1) % count));
    if (!MoveToCurrentWanderPoint())
        SwitchTo("Idle");
}

uint32_t ControllerNpcStateWander::FindAttraction()
{
    const Npc* self = GetCharacter();
    World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    if (self == nullptr || world == nullptr || !self->CanBeAttracted())
        return 0;
    const uint32_t region = self->GetCoords().GetRegionId();
    Vec3 home;
    if (!self->GetSpawnPoint().GetPosition().GetPositionInRegion(region, home, world))
        return 0;
    std::vector<Entity*> near;
    world->GetEntitiesInSphere(near, world->GetRegionById(region), home, kAttractionRadius,
                               Npc::classInfo);
    for (Entity* entity : near) {
        const Npc* npc = DynamicCast<Npc>(entity);
        if (npc != nullptr && npc->IsNpcAttractor())
            return npc->GetObjectId();
    }
    return 0;
}

} // namespace GAME
