#pragma once

#include "skills/Skill_AttackProjectileAreaEffect.h"

#include <string>
#include <vector>

namespace GAME {

// Drops its projectiles from above the caster or a nearby drop zone; a telekinetic object
// falls, and the idle ones around the caster explode.
class Skill_DropProjectileTelekinesis : public Skill_AttackProjectileAreaEffect {
    GAME_DECLARE_CLASS(Skill_DropProjectileTelekinesis)

public:
    static constexpr size_t kMaxProjectileNames = 5;

    Skill_DropProjectileTelekinesis() = default;
    ~Skill_DropProjectileTelekinesis() override;

    void Load(const LoadTable& table) override;

    float GetDropOffset() const { return dropOffset; }
    float GetDropHeight() const { return dropHeight; }
    float GetDropHeightDeviation() const { return dropHeightDeviation; }
    const std::vector<std::string>& GetSkillProjectileNames() const { return projectileNames; }

protected:
    WorldCoords GetLaunchPoint(Character& owner, const Name& callback) override;
    bool DoSpecialProjectileGo(Character& owner, ProjectileBase* projectile) override;
    std::string GetSpecialProjectileName(uint32_t projectileId) const override;
    int32_t GetNumProjectiles() const override { return numProjectiles; }

private:
    float dropOffset = 10.0f;
    float dropHeight = 14.0f;
    float dropHeightDeviation = 20.0f;
    int32_t numProjectiles = 3;
    std::vector<std::string> projectileNames;
};

} // namespace GAME
