#pragma once

#include "combat/CombatAttributeRegion.h"
#include "combat/DefenseAttribute.h"

namespace GAME {

class DefenseAttributeStore;

// The protection of an armour piece for the body region it covers, part of which the game's
// absorption percent soaks up. An item's prefix and suffix add flat protection of their own.
class DefenseAttribute_BaseProtectionAbsorption : public DefenseAttribute {
public:
    DefenseAttribute_BaseProtectionAbsorption()
        : DefenseAttribute(CombatAttributeType_Unknown, nullptr)
    {}

    // Loads the armour's protection into the store, then rolls the affix amounts.
    static void Create_BaseAbsorptionProtection(DefenseAttributeStore& store,
                                                const LoadTable& record, const LoadTable* prefix,
                                                const LoadTable* suffix, float jitter,
                                                CombatAttributeRegion region);

    // Armour always protects, so loading never fails, whatever the record holds.
    bool LoadFromTable(const LoadTable& record, bool keepEmpty) override;
    bool LoadFromTable(const LoadTable& record, const LoadTable* prefix, const LoadTable* suffix,
                       bool keepEmpty);
    void SetRegion(CombatAttributeRegion value) { region = value; }

    void CreateText(uint32_t level, Lines& first, Lines& second) const override;
    void CreateNextText(uint32_t level, uint32_t nextLevel, Lines& first,
                        Lines& second) const override;
    // No chance is rolled: armour always takes part.
    void AddToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                          bool skipChance) const override;
    // Only the affix amounts vary from item to item; only the armour's own list scales.
    void ScaleAttribute(float percent) override;
    void AddJitter(float percent, RandomUniform* generator) override;
    void GetCostInfo(CostInfo_DefenseAttributes& info) const override;
    std::unique_ptr<DefenseAttribute> Clone() const override;

    float GetProtection(uint32_t level) const { return AtLevel(protection, level); }

protected:
    DefenseAttribute_BaseProtectionAbsorption(const DefenseAttribute_BaseProtectionAbsorption&) =
        default;

private:
    float GetTotalProtection(uint32_t level) const;

    float absorption = 0.0f; // percent
    std::vector<float> protection;
    CombatAttributeRegion region = CombatAttributeRegion_FullyProtected;
    float prefixProtection = 0.0f;
    float suffixProtection = 0.0f;
};

} // namespace GAME
