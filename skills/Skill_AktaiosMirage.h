#pragma once

#include "skills/Skill_SpawnPet.h"

#include <string>

namespace GAME {

// The caster trades places with one of its copies, which carry its name, and nearby foes lose
// track of it.
class Skill_AktaiosMirage : public Skill_SpawnPet {
    GAME_DECLARE_CLASS(Skill_AktaiosMirage)

public:
    static constexpr float kConfusionRange = 50.0f;

    Skill_AktaiosMirage() = default;
    ~Skill_AktaiosMirage() override;

    void Load(const LoadTable& table) override;
    bool SetAvailability(bool ignoreMana, bool ignoreCooldown) override;
    void SkillSpawnObject(Character& owner, const WorldCoords& origin, uint32_t targetId,
                          const std::vector<WorldCoords>& coords, const std::vector<uint32_t>& ids,
                          uint32_t seed) override;
    WorldCoords GetNewCasterCoords(Character& caster, std::vector<WorldVec3>& points) override;
    void SetCasterCoords(Character& caster, const WorldCoords& coords) override;
    float GetExtentsMultiplier() const override { return 2.0f; }
    bool SwapCasterWithPet() const override { return true; }
    void PostPetSpawned(Character& caster, Monster* pet) override;

private:
    std::string casterHintEffect;
};

} // namespace GAME
