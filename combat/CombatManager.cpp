#include "combat/CombatManager.h"

#include "characters/Character.h"
#include "core/GameLog.h"
#include "core/Helpers.h"
#include "engine/Engine.h"
#include "game/GameEngine.h"

namespace GAME {

void CombatManager::AssignParent(Character* character)
{
    parent = character;
    durationDamage.AssignParents(character, this);
}

void CombatManager::SetAttacker(uint32_t id)
{
    attackerId = id;
    durationDamage.SetAttacker(id);
}

bool CombatManager::ApplyDamage(float damage, const PlayStatsDamageType& statsType,
                                CombatAttributeType damageType)
{
    if (damage <= 0.0f || !parent)
        return true;
    parent->FireAbsEffect(damageType);
    if (racialBonusDefenseAbsolute > 0.0f) {
        const float filtered = Min(racialBonusDefenseAbsolute, damage);
        gEngine->LogCategory(gLogCombat, 0, "^y  Racial Bonus Defense (%f) filtered (%f) damage\n",
                             racialBonusDefenseAbsolute, filtered);
        racialBonusDefenseAbsolute -= filtered;
        damage -= filtered;
        if (damage <= 0.0f)
            return false;
    }
    parent->SubtractLife(damage, statsType);
    gEngine->LogCategory(gLogCombat, 0, "^y    Damage %f to Defender 0x%x\n", damage,
                         parent->GetObjectId());
    GameEngine::Get().RegisterDamage(parent->GetObjectId(), attackerId, damage);
    return true;
}

// Without a combat record there is no armour formula: the damage passes as it is.
float CombatManager::DesignerCalculatePhysicalDamageDefense(float damage, float protection,
                                                            float absorbed, float bonus)
{
    if (protection <= 0.0f)
        return damage;
    const float absorption = absorbed / protection;
    gEngine->LogCategory(gLogCombat, 0, "    protection = %f\n", protection);
    gEngine->LogCategory(gLogCombat, 0, "    protectionAbsorption = %f\n", absorbed);
    gEngine->LogCategory(gLogCombat, 0, "    absorption = %f\n", absorption);
    gEngine->LogCategory(gLogCombat, 0, "    bonus = %f\n", bonus);
    gEngine->LogCategory(gLogCombat, 0, "    modified protection = %f\n",
                         protection * bonus + protection);
    gEngine->LogCategory(gLogCombat, 0, "    modified absorption = %f\n",
                         absorption * bonus + absorption);
    return Max(damage, 0.0f);
}

float CombatManager::DesignerCalculateShieldBlockDamageReduction(float damage,
                                                                 float /*shieldDefense*/,
                                                                 float /*shieldAbsorption*/)
{
    return damage;
}

} // namespace GAME
