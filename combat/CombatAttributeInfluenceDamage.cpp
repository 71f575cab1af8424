#include "combat/CombatAttributeInfluenceDamage.h"

#include "characters/Character.h"
#include "core/Saturate.h"
#include "engine/ObjectManager.h"

namespace GAME {

void CombatAttributeInfluenceDamage::GetTotalDamage(float& /*absolute*/, float& /*overTime*/) {}

// Saturated: a huge rolled duration must not wrap into a negative one.
int32_t CombatAttributeInfluenceDamage::GetMilliseconds() const
{
    return SaturateToInt(static_cast<double>(value * 1000.0f));
}

std::unique_ptr<CombatAttribute> CombatAttributeInfluenceDamage_Taunt::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeInfluenceDamage_Taunt(*this));
}

void CombatAttributeInfluenceDamage_Taunt::Execute(Character& defender)
{
    if (value > 0.0f)
        defender.CombatExertInfluenceTaunt(value);
}

std::unique_ptr<CombatAttribute> CombatAttributeInfluenceDamage_Convert::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeInfluenceDamage_Convert(*this));
}

void CombatAttributeInfluenceDamage_Convert::Process(const Character& who, float scalePercent,
                                                     float flat, float percentReduction,
                                                     float absoluteReduction)
{
    CombatAttributeAbsDamage::Process(who, scalePercent, flat, percentReduction, absoluteReduction);
    casterId = who.GetObjectId();
}

// A caster more than five levels below the defender, or one gone by now, converts nobody.
void CombatAttributeInfluenceDamage_Convert::Execute(Character& defender)
{
    if (value <= 0.0f)
        return;
    const Character* caster = ObjectManager::Instance().GetObject<Character>(casterId);
    if (!caster || caster->GetCharLevel() + 5u < defender.GetCharLevel())
        return;
    defender.JoinMe(casterId, GetMilliseconds(), true);
}

std::unique_ptr<CombatAttribute> CombatAttributeInfluenceDamage_Fear::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeInfluenceDamage_Fear(*this));
}

void CombatAttributeInfluenceDamage_Fear::Execute(Character& defender)
{
    if (value > 0.0f)
        defender.CombatExertInfluenceFear(GetMilliseconds());
}

std::unique_ptr<CombatAttribute> CombatAttributeInfluenceDamage_Confusion::Clone() const
{
    return std::unique_ptr<CombatAttribute>(new CombatAttributeInfluenceDamage_Confusion(*this));
}

void CombatAttributeInfluenceDamage_Confusion::Execute(Character& defender)
{
    if (value > 0.0f)
        defender.CombatExertInfluenceConfusion(GetMilliseconds());
}

} // namespace GAME
