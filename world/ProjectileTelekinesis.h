#pragma once

#include "engine/DynamicObstacle.h"
#include "world/ProjectileBase.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace GAME {

// A thrown object that lies in the level between uses: thrown at a target, dropped from above,
// called back by a caster, and in the way of walkers while it lies still.
class ProjectileTelekinesis : public ProjectileBase {
    GAME_DECLARE_CLASS(ProjectileTelekinesis)

public:
    enum State : int32_t {
        State_Idle = 0,
        State_Coming = 1,
        State_Flying = 2,
        State_Falling = 3,
        State_Exploded = 4,
        State_Removed = 5
    };

    ProjectileTelekinesis() = default;
    ~ProjectileTelekinesis() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    bool OccludesPathing() const override { return true; }
    void ProjectileGo() override;
    void UpdateSelf(int32_t elapsedMs) override;
    void CollisionCallback(const CollisionData& data) override;
    WorldCoords GetFlightCoords() const override;
    virtual void ProjectileFall();
    // The caster drives the way back; this only marks it.
    virtual void ProjectileCome(uint32_t caster);
    virtual void ProjectileStop(bool flag);
    virtual bool IsInUse() const { return state != State_Idle; }
    void Release();
    bool IsIdle() const { return state == State_Idle; }
    void Explode(bool withSound);

    int32_t GetState() const { return state; }
    uint32_t GetCasterId() const { return casterId; }
    bool IsPathObstacle() const { return !pathObstacles.empty(); }
    bool ExplodesOnFirstImpact() const { return explodeOnFirstImpact; }
    // For whoever flies the object back to its caster.
    float GetReturnSpeed() const { return returnSpeed; }
    int32_t GetAllowanceCountdown() const { return allowanceCountdown; }
    const WorldCoords& GetReturnStartCoords() const { return returnStartCoords; }

private:
    void MoveToTarget(const WorldVec3& aim);
    void FindAndProcessTargets(bool flying);
    void CreateExplosionEffect();
    void CreatePathObstacle();
    void RemovePathObstacle();
    void UpdatePathObstacle();
    // The flight effect and launch animation every start of a move shares.
    void BeginMove(int32_t newState);

    float returnSpeed = 2.0f;
    int32_t timeAllowance = 15000; // ms
    int32_t state = State_Idle;
    uint32_t casterId = 0;
    int32_t allowanceCountdown = 0; // ms
    WorldCoords returnStartCoords;
    bool initialImpactPlayed = false;
    // Owned through the object manager; null when the record names none.
    SoundPak* initialImpactSound = nullptr;
    std::vector<uint32_t> knownTargets;
    std::vector<std::unique_ptr<DynamicObstacle>> pathObstacles;
    bool explodeOnFirstImpact = false;
};

} // namespace GAME
