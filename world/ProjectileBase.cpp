#include "world/ProjectileBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ProjectileBase, Actor);

ProjectileBase::ProjectileBase() = default;

ProjectileBase::~ProjectileBase() = default;

void ProjectileBase::LoadInfo(const ProjectileInfo& newInfo, uint32_t seed)
{
    info = newInfo;
    randomGen.Seed(seed);
}

void ProjectileBase::AddProjectileModifier(const ProjectileModifierStruct& modifier)
{
    modifierCopies.push_back(modifier);
    modifiers.push_back(std::make_unique<ModifierRecord>(ModifierRecord{modifier, {}}));
    ModifierRecord* record = modifiers.back().get();

    const bool explodes = modifier.explosionRadius > 0.0f;
    if (!modifier.fragmentsName.empty()) {
        fragmentList.push_back(record);
        // Another skill's fragments only fragment: its explosion and path checks belong to
        // whichever projectile that skill launched itself.
        if (modifier.ownerSkillId != info.skillId)
            return;
    }
    if (explodes)
        explosionList.push_back(record);
    pathList.push_back(record);
}

float ProjectileBase::GetPiercingModifier(uint32_t skillId) const
{
    float total = 0.0f;
    for (const ProjectileModifierStruct& modifier : modifierCopies) {
        if (modifier.ownerSkillId == skillId)
            total += modifier.piercingChance;
    }
    return total;
}

} // namespace GAME
