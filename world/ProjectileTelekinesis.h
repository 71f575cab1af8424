#pragma once

#include "world/ProjectileBase.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// A thrown object that lies in the level between uses: dropped from its launch point, claimed
// by a caster who lifts it, thrown at a target, and gone once it explodes.
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
    bool OccludesPathing() const override { return true; }
    void UpdateSelf(int32_t elapsedMs) override;
    WorldCoords GetFlightCoords() const override;
    // Thrown at the info's target character, else at its point.
    void ProjectileGo() override;
    void CollisionCallback(const CollisionData& data) override;
    virtual void ProjectileFall();
    // Claimed by a caster: whoever claimed it moves it until it is thrown or released.
    virtual void ProjectileCome(uint32_t caster);
    virtual void ProjectileStop(bool flag);
    virtual bool IsInUse() const { return state != State_Idle; }
    // A claimed object drops back to lying in the level.
    void Release();
    bool IsIdle() const { return state == State_Idle; }
    void Explode(bool withSound);
    void MoveToTarget(const WorldVec3& aim);
    void FindAndProcessTargets(bool flying);

    int32_t GetState() const { return state; }
    uint32_t GetCasterId() const { return casterId; }

private:
    static constexpr float kSpin = 8.0f;
    static constexpr int32_t kAllowance = 15000;

    void CreateExplosionEffect();
    void Land();

    int32_t state = State_Idle;
    uint32_t casterId = 0;
    int32_t allowanceCountdown = 0;
    WorldCoords returnStartCoords;
    bool initialImpactPlayed = false;
    std::string initialImpactSound;
    std::vector<uint32_t> knownTargets;
    bool explodeOnFirstImpact = false;
};

} // namespace GAME
