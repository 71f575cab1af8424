#pragma once

#include "items/Weapon_Type.h"
#include "skills/SkillAttributeType.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Character;
class CombatAttributeAccumulator;
class RandomUniform;
class Skill;
class SkillServicesBase;
struct PlayStatsDamageType;

// What a skill may ask of its owner. Skills hold this and never the concrete manager, so a
// test owner can stand in for a character.
class SkillManagerBase {
public:
    virtual ~SkillManagerBase() = default;
    virtual SkillServicesBase* GetSkillServices() const = 0;
    virtual Character* GetParent() const = 0;
    virtual bool IsMonsterSkill() const = 0;
    virtual int32_t GetHandState() const = 0;
    virtual bool IsRangedWeapon() const = 0;
    virtual int32_t GetWeaponRangeProfile() const = 0;
    virtual void GetWeaponTypes(Weapon_Type& right, Weapon_Type& left) const = 0;
    virtual void SubtractMana(float amount) = 0;
    virtual void SubtractLife(float amount, const PlayStatsDamageType& statsType) = 0;
    virtual float GetCurrentMana() const = 0;
    virtual uint32_t GetRightHandWeapon() const = 0;
    virtual uint32_t GetLeftHandWeapon() const = 0;
    virtual float GetTotalSkillAttribute(SkillAttributeType type) const = 0;
    virtual void
    CollectAvailableOffensiveDamageAttributes(uint32_t weaponId,
                                              CombatAttributeAccumulator& accumulator) const = 0;
    virtual void
    CollectAvailableOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator) const = 0;
    virtual float CalculateOffensiveAbility(float bonus) const = 0;
    virtual void ForceSpeedUpdate() = 0;
    virtual void SetSpeedUpdateNeeded() = 0;
    virtual void RefreshCooldown() = 0;
    virtual float GetAttackSpeed() const = 0;
    virtual float GetSpellCastSpeed() const = 0;
    virtual void AddToActiveList(Skill* skill) = 0;
    virtual void RemoveFromActiveList(Skill* skill) = 0;
    virtual uint32_t SelectWeaponPoolSkill(RandomUniform& random) = 0;
    virtual uint32_t GetDefaultWPSkillId() const = 0;
    virtual void PushPetInitialize(Character* pet) = 0;
    virtual void PopPetInitialize(Character* pet) = 0;
    virtual void AddWeaponEnchantment(uint32_t ownerId, const std::string& name) = 0;
    virtual void RemoveWeaponEnchantment(uint32_t ownerId) = 0;
    virtual void AddCharFxPak(uint32_t ownerId, const std::vector<std::string>& names) = 0;
    virtual void RemoveCharFxPak(uint32_t ownerId) = 0;

protected:
    SkillManagerBase() = default;
    SkillManagerBase(const SkillManagerBase&) = default;
    SkillManagerBase& operator=(const SkillManagerBase&) = default;
};

} // namespace GAME
