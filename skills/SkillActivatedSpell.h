#pragma once

#include "skills/SkillActivated.h"

namespace GAME {

class RandomUniform;

// The common base of the casts; most launch the projectile their record names.
class SkillActivatedSpell : public SkillActivated {
public:
    SkillActivatedSpell();
    ~SkillActivatedSpell() override;

    // Rebuilds the template projectile after a level change.
    void PreLoadResources() override;
    void PreLoad(bool flag) override;
    bool GetValidTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                        bool aroundSelf, float radius) override;
    void TargetInformation(const ProjectileInfo& info, const WorldCoords& origin,
                           const std::vector<uint32_t>& targets) override;
    void TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                      bool melee) override;

    bool StartAction(Character& owner, uint32_t targetId, const WorldVec3& point,
                     uint32_t seed) override;
    void SwipeAction(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;
    void HitAction(Character& owner, const Name& callback, uint32_t targetId,
                   const WorldVec3& point) override;

    ProjectileBase* GetTemplateProjectile() const { return templateProjectile; }

protected:
    // The per-target hits of a result, without the secondary skills: each a direct blow, its
    // effect at the attach point (the body when none is named), the hit sound and the aura.
    void ApplySpellHits(Character& owner, const std::vector<uint32_t>& targets,
                        const WorldCoords& origin, uint32_t seed, const Name& fxAttachPoint);
    void ApplySpellHit(Character& owner, Character& target, const WorldCoords& origin,
                       RandomUniform& random, const Name& fxAttachPoint);
    // An attack that carries nothing but the attacker: the target only reacts.
    void ApplyFauxHit(Character& owner, Character& target, RandomUniform& random);

private:
    void DestroyTemplateProjectile();

    // Owned through the object manager.
    ProjectileBase* templateProjectile = nullptr;
};

} // namespace GAME
