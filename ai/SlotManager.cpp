#include "ai/SlotManager.h"

#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/PathFinder.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace GAME {

SlotManager::SlotManager(Character* owner) : owner(owner) {}

void SlotManager::SetNumSlots(uint32_t count)
{
    if (count > kMaxSlots) {
        gEngine->Log(Engine::LogData, "SlotManager: %u slots asked for %s, keeping %u", count,
                     owner != nullptr ? owner->GetObjectName().c_str() : "(no owner)", kMaxSlots);
        count = kMaxSlots;
    }
    occupants.assign(count, 0);
    positions.assign(count, WorldVec3());
    radius = 0.0f;
}

void SlotManager::ReleaseSlot(uint32_t id)
{
    const auto held = std::find(occupants.begin(), occupants.end(), id);
    if (held != occupants.end())
        *held = 0;
}

namespace {
// Infinite across regions the world cannot relate, so such a slot sorts last.
float DistanceSquaredBetween(const WorldVec3& from, const WorldVec3& to)
{
    Vec3 position;
    if (!from.GetPositionInRegion(to.GetRegionId(), position))
        return std::numeric_limits<float>::infinity();
    return (position - to.GetRegionPosition()).LengthSquared();
}
} // namespace

void SlotManager::RequestSlot(WorldVec3& position, uint32_t requester, float newRadius,
                              bool skipReachTest)
{
    position = WorldVec3();
    Character* character = ObjectManager::Instance().GetObject<Character>(requester);
    if (character == nullptr || newRadius == 0.0f || owner == nullptr || occupants.empty())
        return;
    CalculateSlotPositions(newRadius);

    for (uint32_t& holder : occupants) {
        const Character* held = ObjectManager::Instance().GetObject<Character>(holder);
        if (holder == requester || held == nullptr || !held->IsAlive())
            holder = 0;
    }

    const WorldVec3 from = character->GetPathPosition();
    const int32_t size = character->GetSize();
    std::vector<SlotDistance> candidates;
    for (uint32_t index = 0; index < occupants.size(); ++index) {
        if (occupants[index] == 0)
            candidates.push_back({index, DistanceSquaredBetween(from, positions[index])});
    }
    std::sort(candidates.begin(), candidates.end(), CompareSlotDistance);
    for (const SlotDistance& candidate : candidates) {
        const WorldVec3& place = positions[candidate.index];
        if (!PathFinder::Instance().TestPointCollide(size, place) &&
            (skipReachTest || character->CanMoveTo(place, 0.5f))) {
            occupants[candidate.index] = requester;
            position = place;
            return;
        }
    }

    // No free place: take one from a holder of the same size that stands farther from it.
    candidates.clear();
    for (uint32_t index = 0; index < occupants.size(); ++index) {
        Character* holder = ObjectManager::Instance().GetObject<Character>(occupants[index]);
        if (holder == nullptr || holder->GetExtents() != character->GetExtents() ||
            PathFinder::Instance().TestPointCollide(size, positions[index]))
            continue;
        const float distance = DistanceSquaredBetween(from, positions[index]);
        if (distance < DistanceSquaredBetween(holder->GetPathPosition(), positions[index]))
            candidates.push_back({index, distance});
    }
    std::sort(candidates.begin(), candidates.end(), CompareSlotDistance);
    for (const SlotDistance& candidate : candidates) {
        const WorldVec3& place = positions[candidate.index];
        if (skipReachTest || character->CanMoveTo(place, 0.5f)) {
            Character* displaced =
                ObjectManager::Instance().GetObject<Character>(occupants[candidate.index]);
            occupants[candidate.index] = requester;
            position = place;
            if (displaced != nullptr)
                displaced->LostSlot();
            return;
        }
    }
}

void SlotManager::CalculateSlotPositions(float newRadius)
{
    const WorldVec3 ownerPosition = owner->GetPathPosition();
    if (newRadius == radius && ownerPosition == centre)
        return;
    radius = newRadius;
    centre = ownerPosition;
    for (uint32_t index = 0; index < positions.size(); ++index)
        positions[index] = CalculateSlotPosition(index, newRadius);
}

WorldVec3 SlotManager::CalculateSlotPosition(uint32_t index, float newRadius) const
{
    const uint32_t count = static_cast<uint32_t>(positions.size());
    if (index >= count)
        return WorldVec3();
    const float angle = 2.0f * 3.14159265f * static_cast<float>(index) / static_cast<float>(count);
    WorldVec3 place = centre;
    place.Translate(Vec3(std::cos(angle) * newRadius, 0.0f, std::sin(angle) * newRadius));
    return place;
}

uint32_t SlotManager::GetSlotHolder(uint32_t index) const
{
    return index < occupants.size() ? occupants[index] : 0;
}

} // namespace GAME
