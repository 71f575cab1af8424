#include "ai/ControllerPlayerStateMoveTo.h"

#include "engine/Path.h"

#include <cmath>

namespace GAME {

Vec3 ControllerPlayerStateMoveTo::HorizontalDirection(const WorldVec3& from, const WorldVec3& to)
{
    Vec3 target;
    if (!to.GetPositionInRegion(from.GetRegionId(), target))
        return Vec3();
    Vec3 direction = target - from.GetRegionPosition();
    direction.y = 0.0f;
    if (direction.LengthSquared() <= 0.0f)
        return Vec3();
    return direction.Unit();
}

void ControllerPlayerStateMoveTo::OnBegin()
{
    const WorldVec3 destination = GetPointOfInterest();
    MoveTo(destination, 0, 0);
    Player* player = GetCharacter();
    heading =
        player != nullptr ? HorizontalDirection(player->GetPathPosition(), destination) : Vec3();
    nextDestination = WorldVec3();
}

void ControllerPlayerStateMoveTo::OnUpdate(int32_t /*elapsedMs*/)
{
    Player* player = GetCharacter();
    const Path* path = player != nullptr ? player->GetPath() : nullptr;
    if (path == nullptr) {
        SetState("Idle", ControllerAIStateData());
        return;
    }
    if (nextDestination.HasRegion() && path->GetLength() < kRemainingPathForNext) {
        const WorldVec3 next = nextDestination;
        nextDestination = WorldVec3();
        DefaultRequestMoveAction(false, false, next);
    }
}

void ControllerPlayerStateMoveTo::RequestMoveAction(bool flagA, bool flagB, const WorldVec3& point)
{
    Player* player = GetCharacter();
    if (player == nullptr)
        return;
    const Vec3 direction = HorizontalDirection(player->GetPathPosition(), point);
    static const float kCosine = std::cos(kSameHeadingDegrees * 3.14159265358979f / 180.0f);
    if (Dot(direction, heading) > kCosine)
        nextDestination = point;
    else
        DefaultRequestMoveAction(flagA, flagB, point);
}

} // namespace GAME
