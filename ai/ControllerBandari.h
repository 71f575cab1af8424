#pragma once

#include "ai/ControllerMonster.h"
#include "core/UniqueId.h"

#include <cstdint>
#include <vector>

namespace GAME {

class InstanceGroup;

// The boss that jumps away as its life falls: below each of n fractions of its starting life
// (n points: n/(n+1), (n-1)/(n+1) ...) it leaps to the next point of its "Bandari Teleport
// Points" group and sends that point's "Terracotta Warriors" marching. Until the leap lands
// (`Teleported`) it makes no other.
class ControllerBandari : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerBandari)

public:
    ControllerBandari() = default;
    ~ControllerBandari() override;

    void PostParentAttached() override;
    void InitialUpdate() override;
    void Update(int32_t elapsedMs) override;
    void Teleported(const WorldCoords& coords) override;
    bool ClosestEnemyFoundOverride(uint32_t enemyId, float distance) override;
    bool ShouldAlwaysLookForClosestEnemy() override { return true; }

    const std::vector<UniqueId>& GetTeleportPoints() const { return teleportPoints; }
    int32_t GetNextTeleport() const { return nextTeleport; }
    bool CanTeleport() const { return canTeleport; }
    float GetStartLife() const { return startLife; }

private:
    bool HasPointLeft() const { return nextTeleport < static_cast<int32_t>(teleportPoints.size()); }
    bool LifeBelowThreshold() const;
    bool Jump();
    // Every warrior of the group, placed or made by a proxy of the group, starts marching.
    static void SendWarriors(const InstanceGroup& warriors);

    std::vector<UniqueId> teleportPoints;
    int32_t nextTeleport = 0;
    bool canTeleport = true;
    float startLife = 0.0f;
};

} // namespace GAME
