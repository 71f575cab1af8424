#pragma once

#include "skills/Skill_AttackProjectile.h"

#include <cstdint>
#include <vector>

namespace GAME {

// A projectile whose impact spawns pets around the hit instead of damaging.
class Skill_AttackProjectileSpawnPet : public Skill_AttackProjectile {
    GAME_DECLARE_CLASS(Skill_AttackProjectileSpawnPet)

public:
    Skill_AttackProjectileSpawnPet() = default;
    ~Skill_AttackProjectileSpawnPet() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    void TargetInformation(const ProjectileInfo& info, const WorldCoords& origin,
                           const std::vector<uint32_t>& targets) override;
    void SkillSpawnObject(Character& owner, const WorldCoords& origin, uint32_t targetId,
                          const std::vector<WorldCoords>& coords, const std::vector<uint32_t>& ids,
                          uint32_t seed) override;
    void StopSkill(Character& owner) override;
    void PreLoadResources() override;

    // Oldest first.
    const std::vector<uint32_t>& GetPets() const { return pets; }

protected:
    virtual void SpawnPet(Character& owner, const WorldCoords& where, uint32_t id, uint32_t seed);
    virtual void ReleaseOnePet();
    virtual void ReleasePets();

private:
    // Pets one impact spawns: 0 counting as 1.
    uint32_t GetBurstCount() const;

    std::vector<uint32_t> pets;
};

} // namespace GAME
