#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/RandomUniform.h"
#include "engine/Actor.h"
#include "world/ProjectileInfo.h"

namespace GAME {

// Everything the projectile kinds share. So far: the class record, the launch description and
// the modifiers that skills attach (explosion, fragments, piercing). Flight comes with the kinds.
class ProjectileBase : public Actor {
    GAME_DECLARE_CLASS(ProjectileBase)

public:
    // One modifier a skill attaches to a projectile it (or another skill) launched.
    struct ProjectileModifierStruct {
        uint32_t ownerSkillId = 0;
        float explosionRadius = 0.0f;
        std::string fragmentsName;
        int32_t fragmentsMin = 0;
        int32_t fragmentsMax = 0;
        float piercingChance = 0.0f; // percent
    };

    ProjectileBase();
    ~ProjectileBase() override;
    ProjectileBase(const ProjectileBase&) = delete;
    ProjectileBase& operator=(const ProjectileBase&) = delete;

    // Copies the launch description and seeds the generator every machine shares.
    virtual void LoadInfo(const ProjectileInfo& info, uint32_t seed);
    virtual void AddProjectileModifier(const ProjectileModifierStruct& modifier);

    const ProjectileInfo& GetInfo() const { return info; }
    // Sum of the piercing chances the given skill attached; 0 when it attached none.
    float GetPiercingModifier(uint32_t skillId) const;

    // Read access for the flight checks and for tests.
    size_t GetModifierCount() const { return modifiers.size(); }
    const std::vector<ProjectileModifierStruct>& GetModifierCopies() const
    {
        return modifierCopies;
    }
    size_t GetPathModifierCount() const { return pathList.size(); }
    size_t GetExplosionModifierCount() const { return explosionList.size(); }
    size_t GetFragmentModifierCount() const { return fragmentList.size(); }

private:
    // A modifier plus the targets it has already reported, so each is reported once.
    struct ModifierRecord {
        ProjectileModifierStruct modifier;
        std::vector<uint32_t> knownTargets;
    };

    ProjectileInfo info;
    RandomUniform randomGen;
    std::vector<std::unique_ptr<ModifierRecord>> modifiers;
    std::vector<ModifierRecord*> pathList;
    std::vector<ModifierRecord*> explosionList;
    std::vector<ModifierRecord*> fragmentList;
    std::vector<ProjectileModifierStruct> modifierCopies;
};

} // namespace GAME
