#include "characters/Character.h"

#include "combat/CombatManager.h"
#include "core/PlayStats.h"
#include "engine/Engine.h"
#include "engine/World.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Character, Actor);

Character::Character()
    : combatManager(std::make_unique<CombatManager>()), playStats(std::make_unique<PlayStats>())
{
    combatManager->AssignParent(this);
}

Character::~Character() = default;

DurationDamageManager& Character::GetDurationDamageMgr() const
{
    return combatManager->GetDurationDamageMgr();
}

bool Character::ApplyDamage(float damage, const PlayStatsDamageType& statsType,
                            CombatAttributeType damageType) const
{
    return combatManager->ApplyDamage(damage, statsType, damageType);
}

float Character::DesignerCalculatePhysicalDamage(float damage) const
{
    return combatManager->DesignerCalculatePhysicalDamage(damage);
}

float Character::DesignerCalculatePierceDamage(float damage) const
{
    return combatManager->DesignerCalculatePierceDamage(damage);
}

float Character::DesignerCalculateElementalDamage(float damage) const
{
    return combatManager->DesignerCalculateElementalDamage(damage);
}

float Character::DesignerCalculateElementalDurationDamage(float damage) const
{
    return combatManager->DesignerCalculateElementalDurationDamage(damage);
}

float Character::DesignerCalculatePhysicalDamageDefense(float damage, float protection,
                                                        float absorbed, float bonus) const
{
    return combatManager->DesignerCalculatePhysicalDamageDefense(damage, protection, absorbed,
                                                                 bonus);
}

float Character::DesignerCalculateShieldBlockDamageReduction(float damage, float shieldDefense,
                                                             float shieldAbsorption) const
{
    return combatManager->DesignerCalculateShieldBlockDamageReduction(damage, shieldDefense,
                                                                      shieldAbsorption);
}

void Character::CombatAddLifeLeechDamage(float percent)
{
    combatManager->ApplyLifeLeech(percent);
}

void Character::SubtractLife(float amount, const PlayStatsDamageType& statsType)
{
    currentLife -= amount;
    playStats->TallyDamageReceived(amount, statsType);
}

void Character::SubtractMana(float amount)
{
    currentMana -= amount;
    playStats->UseMana(amount);
}

// Types from outside (records, packets) may lie past the table.
float Character::GetTotalCharAttribute(CharAttributeType type) const
{
    return type < charAttributeTotals.size() ? charAttributeTotals[type] : 0.0f;
}

void Character::SetTotalCharAttribute(CharAttributeType type, float value)
{
    if (type < charAttributeTotals.size())
        charAttributeTotals[type] = value;
}

bool Character::IsAlive() const
{
    return lifeState == LifeState_Alive || lifeState == LifeState_Unknown;
}

void Character::TeleportToLocation(const WorldCoords& coords)
{
    if (World* world = gEngine->GetWorld())
        world->SetCoords(this, coords);
}

} // namespace GAME
