#pragma once

#include "combat/CombatAttributeRegion.h"
#include "combat/CombatAttributeType.h"
#include "combat/DurationDamageManager.h"
#include "core/DesignerEquation_Algebra.h"
#include "core/EquationInterface.h"
#include "engine/WorldCoords.h"
#include "items/EquipLocations.h"
#include "items/EquipManager.h"
#include "items/EquipManager_HandState.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class Character;
class LoadTable;
struct PlayStatsDamageType;

enum CombatManager_State : int32_t {
    CombatManager_State_Idle = 0,
    CombatManager_State_UnderAttack = 1,
};

// The combat side of one character: its equipment, what it takes over time, the hit regions
// and designer formulas of its combat record, and the one road by which combat takes its life.
// A damage or defense formula the record lacks (or that fails to parse) lets the value through
// unchanged.
class CombatManager : public EquationInterface<float> {
public:
    // How long after a hit the character still counts as under attack.
    static constexpr int32_t kCombatTimeMs = 8000;
    // A chance to hit below this can miss.
    static constexpr float kLowChanceToHitThreshold = 99.0f;
    static constexpr size_t kNumDamageBands = 6;

    CombatManager() = default;
    virtual ~CombatManager() = default;
    CombatManager(const CombatManager&) = delete;
    CombatManager& operator=(const CombatManager&) = delete;

    bool GetDesignerVariable(const char* name, float& value) override;

    void AssignParent(Character* character);
    void PreLoad(bool flag) { equipment.PreLoad(flag); }
    // The character's own record: the equipment's keys and the hand and foot hits.
    void Load(const LoadTable& table);
    // The combat record; loading again replaces what an earlier record gave.
    void LoadRecord(const std::string& recordName);

    CombatManager_State GetCombatState() const { return combatState; }
    uint32_t GetAttackerId() const { return attackerId; }
    void SetAttacker(uint32_t id);

    // False when a defense swallowed the whole damage; a damage of 0 or less does nothing.
    bool ApplyDamage(float damage, const PlayStatsDamageType& statsType,
                     CombatAttributeType damageType);
    void ApplyLifeLeech(float percent) { lifeLeechPercent += percent; }
    float GetLifeLeechPercent() const { return lifeLeechPercent; }

    void GetHandHitDamage(float& minimum, float& maximum) const;
    // The region's weight as loaded; 0 for a region the record did not list.
    float GetRegionChance(CombatAttributeRegion region) const;

    float DesignerCalculatePhysicalDamage(float damage);
    float DesignerCalculatePierceDamage(float damage);
    float DesignerCalculateElementalDamage(float damage);
    float DesignerCalculateElementalDurationDamage(float damage);
    float DesignerCalculatePhysicalDamageDefense(float damage, float protection, float absorbed,
                                                 float bonus);
    float DesignerCalculateShieldBlockDamageReduction(float damage, float shieldDefense,
                                                      float shieldAbsorption);

    EquipManager& GetEquipManager() { return equipment; }
    const EquipManager& GetEquipManager() const { return equipment; }
    const std::vector<EquipManagerContainer>& GetAttachedItems() const
    {
        return equipment.GetAttachedItems();
    }
    void AttachItemAction(uint32_t itemId, EquipLocations location)
    {
        equipment.AttachItemAction(itemId, location);
    }
    void DetachItemAction(uint32_t itemId) { equipment.DetachItemAction(itemId); }
    WorldCoords GetAttachCoords(EquipLocations location) const
    {
        return equipment.GetAttachCoords(location);
    }
    EquipManager_HandState GetHandState() const { return equipment.GetHandState(); }

    DurationDamageManager& GetDurationDamageMgr() { return durationDamage; }

private:
    // The formula inputs, in the order of their variables.
    enum Input {
        Input_PhysicalDamage,
        Input_PierceDamage,
        Input_ElementalDamage,
        Input_SumProtection,
        Input_SumAbsorption,
        Input_Bonus,
        Input_OffensiveAbility,
        Input_OffensiveAbilityModifier,
        Input_DefensiveAbility,
        Input_DefensiveAbilityModifier,
        Input_ProbabilityToHit,
        Input_BlockChance,
        Input_BlockChanceModifier,
        Input_ShieldDefense,
        Input_ShieldAbsorption,
        Input_Damage,
        Input_Count
    };
    enum Formula {
        Formula_PhysicalDamage,
        Formula_PierceDamage,
        Formula_ElementalDamage,
        Formula_ElementalDurationDamage,
        Formula_PhysicalDefenseDamageLessOrEqual, // damage does not exceed protection
        Formula_PhysicalDefenseDamageGreater,
        Formula_OffensiveAbility,
        Formula_DefensiveAbility,
        Formula_ProbabilityToHit,
        Formula_MeleeBlock,
        Formula_ProjectileBlock,
        Formula_ShieldReductionDamageGreater, // damage exceeds the shield's defense
        Formula_ShieldReductionDamageLessOrEqual,
        Formula_NormalProbabilityToHit,
        Formula_Count
    };
    struct RegionChance {
        CombatAttributeRegion region;
        uint32_t chance;
    };
    struct DamageBand {
        float threshold = 0.0f;
        float damageModifier = 0.0f;
    };

    // The formula's value, or `fallback` when the record gave none.
    float Evaluate(Formula formula, float fallback) const;

    Character* parent = nullptr;
    DurationDamageManager durationDamage;
    EquipManager equipment;
    float handHitDamageMin = 0.0f;
    float handHitDamageMax = 0.0f;
    float footHitDamageMin = 0.0f;
    float footHitDamageMax = 0.0f;
    CombatManager_State combatState = CombatManager_State_Idle;
    uint32_t attackerId = 0;
    float lifeLeechPercent = 0.0f;
    std::vector<RegionChance> regionTable;
    uint32_t regionTotal = 0;
    std::array<float, Input_Count> inputs{};
    std::array<std::unique_ptr<DesignerEquation_Algebra>, Formula_Count> formulas;
    std::array<DamageBand, kNumDamageBands> damageBands{};
    // What is left of the attack's absolute racial defense; it soaks damage until used up.
    float racialBonusDefenseAbsolute = 0.0f;
};

} // namespace GAME
