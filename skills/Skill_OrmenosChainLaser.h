#pragma once

#include "engine/Name.h"
#include "skills/SkillActivatedSpell.h"

#include <array>
#include <cstdint>

namespace GAME {

class ChainLaserBeam;

// Burns the chains of a chained giant nearby with three beams that grow, then fade; then the
// caster, when it is the sickle boss, loses its sickle.
class Skill_OrmenosChainLaser : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_OrmenosChainLaser)

public:
    static constexpr size_t kNumBeams = 3;
    static constexpr float kChainRange = 20.0f;

    Skill_OrmenosChainLaser();
    ~Skill_OrmenosChainLaser() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void Update(Character& owner, int32_t elapsedMs) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;
    bool ShouldMonsterSkillBeInterruptedWhilePursuing() const override { return false; }
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    ChainLaserBeam* GetBeam(size_t index) const;
    float GetBeamProgress(size_t index) const { return beamProgress[index]; }
    bool IsBeamDone(size_t index) const { return beamDone[index]; }
    bool IsExplodePending() const { return explodePending; }

private:
    float beamVelocity = 1.0f;
    std::array<uint32_t, kNumBeams> beams{};
    std::array<float, kNumBeams> beamProgress{};
    // A beam never made counts as done.
    std::array<bool, kNumBeams> beamDone{true, true, true};
    bool beamsActive = false;
    std::array<Name, kNumBeams> targetAttachPoints;
    Name casterAttachPoint;
    uint32_t targetId = 0;
    bool explodePending = false;
};

} // namespace GAME
