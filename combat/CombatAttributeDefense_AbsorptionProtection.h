#pragma once

#include "combat/CombatAttribute.h"

namespace GAME {

// One armour piece: protection against physical damage on its body region, part of which the
// absorption percent soaks up. Pieces never merge, so each keeps its own region.
class CombatAttributeDefense_AbsorptionProtection : public CombatAttribute {
public:
    CombatAttributeDefense_AbsorptionProtection(float absorption, float protection,
                                                CombatAttributeRegion region)
        : CombatAttribute(CombatAttributeType_AbsorptionProtection), absorption(absorption),
          protection(protection), region(region)
    {}

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Process(const Character& who, float scalePercent, float flat, float percentReduction,
                 float absoluteReduction) override;
    void Execute(CombatAttribute* target, CombatAttributeRegion hitRegion) override;
    void ModifyAbsoluteDefense(CombatAttributeType modType, float amount) override;
    void GetTotalDefense(float& absolute, float& overTime) const override;

    float GetAbsorption() const { return absorption; }
    float GetProtection() const { return protection; }

protected:
    CombatAttributeDefense_AbsorptionProtection(
        const CombatAttributeDefense_AbsorptionProtection&) = default;

private:
    float absorption; // percent
    float protection;
    float absorptionModifier = 0.0f; // percent
    float protectionModifier = 0.0f; // percent
    CombatAttributeRegion region;
};

} // namespace GAME
