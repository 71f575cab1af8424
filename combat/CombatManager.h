#pragma once

#include "characters/CharAttributeType.h"
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

class Bonus;
class Character;
class CharacterBio;
class CombatAttributeAccumulator;
class CombatFilter;
class LoadTable;
class ParametersCombat;
class RandomUniform;
class SkillManager;
struct PlayStatsDamageType;

enum CombatManager_State : int32_t {
    CombatManager_State_Idle = 0,
    CombatManager_State_UnderAttack = 1,
};

// The combat side of one character: its equipment, what it takes over time, the hit regions
// and designer formulas of its combat record, and the one road by which combat takes its life.
// A damage or defense formula the record lacks (or that fails to parse) lets the value through
// unchanged.
class CombatManager : public EquationInterface<float>, public DesignerSlots<float> {
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
    uint32_t ResolveDesignerSlot(const char* name) const override;
    float ReadDesignerSlot(uint32_t slot) override;
    const float* DesignerSlotAddress(uint32_t slot) const override;

    void AssignParent(Character* character);
    void PreLoad(bool flag) { equipment.PreLoad(flag); }
    // The character's own record: the equipment's keys and the hand and foot hits.
    void Load(const LoadTable& table);
    // The combat record; loading again replaces what an earlier record gave.
    void LoadRecord(const std::string& recordName);

    // The bio is not used; the signature matches the character's own update.
    void Update(int32_t milliseconds, CharacterBio& bio);
    void ImDying();
    void ImDead() {}

    CombatManager_State GetCombatState() const { return combatState; }
    int32_t GetRemainingCombatTime() const { return remainingCombatTime; }
    int32_t GetShieldRecoveryTimeLeft() const { return shieldRecoveryTimeLeft; }
    uint32_t GetAttackerId() const { return attackerId; }
    void SetAttacker(uint32_t id);

    // True when the attack landed; false also when there is no living defender.
    bool TakeAttack(ParametersCombat& parameters, SkillManager& skills, CharacterBio& bio);
    // False when racial defense or a combat filter swallowed the whole damage; a damage of 0 or
    // less does nothing.
    bool ApplyDamage(float damage, const PlayStatsDamageType& statsType,
                     CombatAttributeType damageType);
    void ApplyLifeLeech(float percent) { lifeLeechPercent += percent; }
    float GetLifeLeechPercent() const { return lifeLeechPercent; }

    // Filters are not owned; their owners remove them before they go.
    void AddCombatFilter(CombatFilter* filter);
    void RemoveCombatFilter(CombatFilter* filter);
    const std::vector<CombatFilter*>& GetCombatFilters() const { return filters; }

    void GetHandHitDamage(float& minimum, float& maximum) const;
    // Rolls a bare-hand hit on the accumulator's generator.
    void GetHandHitDamage(CombatAttributeAccumulator& accumulator) const;
    CombatAttributeRegion PickRegion(RandomUniform& generator) const;
    // The region's weight as loaded; 0 for a region the record did not list.
    float GetRegionChance(CombatAttributeRegion region) const;

    // What the damage over time currently does to the character's speeds and abilities.
    float GetRunSpeed(float speed) const;
    float GetAttackSpeed(float speed) const;
    float ContributeSpellCastSpeed(float speed) const;
    float ContributeOffensiveAbility(float ability) const;
    float ContributeDefensiveAbility(float ability) const;
    float ContributeOffensiveReduction() const;
    float ContributeDefensiveReduction() const;
    float ContributeFumbleDamage() const;
    float ContributeProjectileFumbleDamage() const;
    float ContributeTotalDamageReductionPercent() const;
    float ContributeTotalDamageReductionAbsolute() const;
    float ContributeTotalResistanceReductionPercent() const;
    float ContributeTotalResistanceReductionAbsolute() const;

    float DesignerCalculatePhysicalDamage(float damage);
    float DesignerCalculatePierceDamage(float damage);
    float DesignerCalculateElementalDamage(float damage);
    float DesignerCalculateElementalDurationDamage(float damage);
    float DesignerCalculatePhysicalDamageDefense(float damage, float protection, float absorbed,
                                                 float bonus);
    float DesignerCalculateShieldBlockDamageReduction(float damage, float shieldDefense,
                                                      float shieldAbsorption);
    float DesignerCalculateOffensiveAbility(float bonus);
    float DesignerCalculateDefensiveAbility(float bonus);
    float DesignerCalculateProbabilityToHit(float offensiveAbility, float defensiveAbility);
    // True when the shield blocks; draws one roll whatever the chance.
    bool DesignerCalculateMeleeBlockChance(float blockChance, float blockModifier,
                                           float probabilityToHit, RandomUniform& generator);
    bool DesignerCalculateProjectileBlockChance(float blockChance, float blockModifier,
                                                float probabilityToHit, RandomUniform& generator);
    // The hit's damage modifier: 0 is a miss, above 1.0 a critical hit.
    float CalculateDamageModifier(float probabilityToHit, float roll);

    void ForceSpeedUpdate();
    bool IsPoisoned() const;
    void GiveBonus(const Bonus& bonus, uint32_t characterId);

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
    uint32_t GetRightHandWeapon() const;
    uint32_t GetLeftHandWeapon() const;

    DurationDamageManager& GetDurationDamageMgr() { return durationDamage; }

protected:
    void Retaliation(ParametersCombat& parameters, SkillManager& skills);
    void ReflectCombatDamage(ParametersCombat& reflected, uint32_t attackerId);

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
    // Designer variable slots past the formula inputs: the character's own numbers.
    enum CharacterSlot : uint32_t {
        Slot_CharacterLevel = Input_Count,
        Slot_Strength,
        Slot_Dexterity,
        Slot_Intelligence,
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
    bool CalculateBlock(Formula formula, const char* kind, float blockChance, float blockModifier,
                        float probabilityToHit, RandomUniform& generator);
    float ParentAttribute(CharAttributeType type) const;
    bool CanIDodgeAttack(RandomUniform& generator);
    bool CanIDeflectProjectile(RandomUniform& generator);

    Character* parent = nullptr;
    DurationDamageManager durationDamage;
    EquipManager equipment;
    float handHitDamageMin = 0.0f;
    float handHitDamageMax = 0.0f;
    float footHitDamageMin = 0.0f;
    float footHitDamageMax = 0.0f;
    CombatManager_State combatState = CombatManager_State_Idle;
    int32_t combatTime = kCombatTimeMs;
    int32_t remainingCombatTime = 0;
    uint32_t attackerId = 0;
    float lifeLeechPercent = 0.0f;
    std::vector<RegionChance> regionTable;
    uint32_t regionTotal = 0;
    std::array<float, Input_Count> inputs{};
    std::array<std::unique_ptr<DesignerEquation_Algebra>, Formula_Count> formulas;
    float lowChanceToHitThreshold = kLowChanceToHitThreshold;
    std::array<DamageBand, kNumDamageBands> damageBands{};
    std::vector<CombatFilter*> filters;
    float racialBonusDefensePercent = 0.0f;
    // What is left of the attack's absolute racial defense; it soaks damage until used up.
    float racialBonusDefenseAbsolute = 0.0f;
    int32_t shieldRecoveryTimeLeft = 0;
};

} // namespace GAME
