#pragma once

#include "skills/SkillActivatedSpell.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Monster;

// Summons monsters that fight for the caster. The controlling machine picks the places and ids
// and sends one spawn message; every machine makes the same pets from it. The skill keeps the
// ids of its living pets, oldest first.
class Skill_SpawnPet : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_SpawnPet)

public:
    Skill_SpawnPet();
    ~Skill_SpawnPet() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    void SkillSpawnObject(Character& owner, const WorldCoords& origin, uint32_t targetId,
                          const std::vector<WorldCoords>& coords, const std::vector<uint32_t>& ids,
                          uint32_t seed) override;
    void StopSkill(Character& owner) override;
    bool GetValidTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                        bool aroundSelf, float radius) override;
    void PreLoadResources() override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    // ---- slots added after the base's, in order ----
    virtual void SpawnPet(Character& caster, const WorldCoords& where, uint32_t id, uint32_t seed);
    virtual void ReleasePets(Character& caster);
    virtual void ReleaseOnePet(Character& caster);
    // Drops the caster's own place from the points; where the caster stays.
    virtual WorldCoords GetNewCasterCoords(Character& caster, std::vector<WorldVec3>& points);
    virtual void SetCasterCoords(Character& /*caster*/, const WorldCoords& /*coords*/) {}
    virtual float GetExtentsMultiplier() const { return 1.5f; }
    virtual bool SwapCasterWithPet() const { return false; }
    virtual bool ShouldJoinWithParent() const { return true; }
    virtual uint32_t GetNumPets(Character& caster);
    virtual const std::string& GetSpawnObject(uint32_t index) const;
    virtual void PostPetSpawned(Character& /*caster*/, Monster* /*pet*/) {}

    const std::vector<uint32_t>& GetPets() const { return pets; }

protected:
    // What one message may carry: the pets of one cast at the current level.
    uint32_t GetBurstCount() const;

    std::vector<uint32_t> pets;
};

} // namespace GAME
