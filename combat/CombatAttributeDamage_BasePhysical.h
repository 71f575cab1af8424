#pragma once

#include "combat/CombatAttribute.h"

namespace GAME {

// A weapon's physical damage with its pierce part. Processing splits the pierce ratio off the
// physical damage; the physical part then meets the defender's armour (protection and the share
// of it that absorbs) while the pierce part passes armour untouched.
class CombatAttributeDamage_BasePhysical : public CombatAttribute {
public:
    CombatAttributeDamage_BasePhysical(CombatAttributeType type, float physical, float pierceRatio,
                                       bool useEquations)
        : CombatAttribute(type), physical(physical), pierceRatio(pierceRatio),
          useEquations(useEquations)
    {}

    std::unique_ptr<CombatAttribute> Clone() const override;
    CombatAttributeType GetType() const override { return CombatAttributeType_PhysicalPierce; }
    void Process(const Character& attacker, float scalePercent, float flat, float percentReduction,
                 float absoluteReduction) override;
    float ProcessBluntDamageModifier(float factor) override;
    void Execute(Character& defender) override;
    void GetTotalDamage(float& absolute, float& overTime) override;
    void ModifyAbsoluteDamage(CombatAttributeType modType, float amount) override;
    void ReduceAbsoluteDamage(CombatAttributeType reduceType, float percent) override;
    void DamageReductionByShield(const Character& defender, float shieldDefense,
                                 float shieldAbsorption) override;
    void ScaleDamage(float percent) override;

    float GetPhysical() const { return physical; }
    float GetPierce() const { return pierce; }
    float GetPierceRatio() const { return pierceRatio; }
    float GetAbsorbed() const { return absorbed; }
    float GetProtection() const { return protection; }

protected:
    CombatAttributeDamage_BasePhysical(const CombatAttributeDamage_BasePhysical&) = default;

private:
    float physical;
    float pierceRatio; // percent
    float pierce = 0.0f;
    float absorbed = 0.0f;
    float protection = 0.0f;
    // Nothing raises it, so the armour formula always sees 0; copies keep it all the same.
    float protectionBonus = 0.0f;
    float physicalModifier = 0.0f;    // percent
    float pierceRatioModifier = 0.0f; // percent
    float pierceModifier = 0.0f;      // percent
    bool useEquations;
};

} // namespace GAME
