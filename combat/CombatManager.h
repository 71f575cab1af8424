#pragma once

#include "combat/CombatAttributeType.h"
#include "combat/DurationDamageManager.h"

#include <cstdint>

namespace GAME {

class Character;
struct PlayStatsDamageType;

// The combat state of one character: who hit it last, what it takes over time, and the one road
// by which combat takes its life. So far without a combat record: every designer formula is
// absent, so damage passes the formulas unchanged, as it does for a character without one.
class CombatManager {
public:
    CombatManager() = default;
    virtual ~CombatManager() = default;
    CombatManager(const CombatManager&) = delete;
    CombatManager& operator=(const CombatManager&) = delete;

    void AssignParent(Character* character);
    uint32_t GetAttackerId() const { return attackerId; }
    void SetAttacker(uint32_t id);

    // False when a defense swallowed the whole damage; a damage of 0 or less does nothing.
    bool ApplyDamage(float damage, const PlayStatsDamageType& statsType,
                     CombatAttributeType damageType);
    void ApplyLifeLeech(float percent) { lifeLeechPercent += percent; }
    float GetLifeLeechPercent() const { return lifeLeechPercent; }

    float DesignerCalculatePhysicalDamage(float damage) { return damage; }
    float DesignerCalculatePierceDamage(float damage) { return damage; }
    float DesignerCalculateElementalDamage(float damage) { return damage; }
    float DesignerCalculateElementalDurationDamage(float damage) { return damage; }
    float DesignerCalculatePhysicalDamageDefense(float damage, float protection, float absorbed,
                                                 float bonus);
    float DesignerCalculateShieldBlockDamageReduction(float damage, float shieldDefense,
                                                      float shieldAbsorption);

    DurationDamageManager& GetDurationDamageMgr() { return durationDamage; }

private:
    Character* parent = nullptr;
    DurationDamageManager durationDamage;
    uint32_t attackerId = 0;
    float lifeLeechPercent = 0.0f;
    // What is left of the attack's absolute racial defense; it soaks damage until used up.
    float racialBonusDefenseAbsolute = 0.0f;
};

} // namespace GAME
