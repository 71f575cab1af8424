#include "skills/SkillSelfBuffShield.h"

#include "characters/Bonus.h"
#include "characters/Character.h"
#include "core/PlayStats.h"
#include "core/Saturate.h"
#include "engine/ObjectManager.h"
#include "skills/Skill.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillServicesBase.h"
#include "skills/Skill_PassiveShield.h"

namespace GAME {

void SkillSelfBuffShield::SwitchOn(const Skill& skill, Character& owner, CombatFilter& filter)
{
    const uint32_t level = skill.GetCurrentLevel();
    const SkillProfile& profile = skill.GetSkillProfile();
    Bonus bonus;
    bonus.lifePoints = profile.GetLifeBonus(level);
    bonus.manaPoints = profile.GetManaBonus(level);
    bonus.effectName = profile.GetBonusEffectName();
    owner.TakeBonus(bonus, false, PlayStatsLife_Unknown);
    absorption = profile.GetDamageAbsorption(level);
    absorptionPercent = profile.GetDamageAbsorptionPercent(level);
    owner.AddCombatFilter(&filter);
    ownerId = owner.GetObjectId();
}

void SkillSelfBuffShield::SwitchOff(Character& owner, CombatFilter& filter)
{
    absorption = 0.0f;
    absorptionPercent = 0.0f;
    owner.RemoveCombatFilter(&filter);
    Release(filter);
}

void SkillSelfBuffShield::Release(CombatFilter& filter)
{
    if (ownerId == 0)
        return;
    if (auto* owner = ObjectManager::Instance().GetObject<Character>(ownerId))
        owner->RemoveCombatFilter(&filter);
    ownerId = 0;
}

float SkillSelfBuffShield::Filter(const Skill& skill, float damage, CombatAttributeType type) const
{
    if (!skill.GetActiveState().active)
        return damage;
    return Skill_PassiveShield::FilterDamage(skill.GetSkillProfile(), damage, type, absorption,
                                             absorptionPercent);
}

int32_t SkillSelfBuffShield::GetActiveTime(const Skill& skill)
{
    SkillProfile_Modifiers data;
    skill.GetSkillModifierData(data);
    return SaturateToInt(static_cast<double>(data.GetActiveDuration()) * 1000.0);
}

} // namespace GAME
