#pragma once

#include "skills/SkillManagerBase.h"

#include <array>

namespace GAME::Test {

// A skill owner without a character: answers with the values a test sets and records the mana
// it was charged. No services, so skills on it do not control anything.
class StubSkillOwner : public SkillManagerBase {
public:
    float mana = 0.0f;
    float manaSubtracted = 0.0f;
    int32_t handState = 0;
    Weapon_Type rightType = static_cast<Weapon_Type>(0);
    Weapon_Type leftType = static_cast<Weapon_Type>(0);
    uint32_t rightWeapon = 0;
    uint32_t leftWeapon = 0;
    float offensiveAbility = 0.0f;
    std::array<float, kSkillAttributeTypeCount> skillAttributes{};

    SkillServicesBase* GetSkillServices() const override { return nullptr; }
    Character* GetParent() const override { return nullptr; }
    bool IsMonsterSkill() const override { return false; }
    int32_t GetHandState() const override { return handState; }
    bool IsRangedWeapon() const override { return false; }
    int32_t GetWeaponRangeProfile() const override { return 0; }
    void GetWeaponTypes(Weapon_Type& right, Weapon_Type& left) const override
    {
        right = rightType;
        left = leftType;
    }
    void SubtractMana(float amount) override { manaSubtracted += amount; }
    void SubtractLife(float, const PlayStatsDamageType&) override {}
    float GetCurrentMana() const override { return mana; }
    uint32_t GetRightHandWeapon() const override { return rightWeapon; }
    uint32_t GetLeftHandWeapon() const override { return leftWeapon; }
    float GetTotalSkillAttribute(SkillAttributeType type) const override
    {
        return type < skillAttributes.size() ? skillAttributes[type] : 0.0f;
    }
    void CollectAvailableOffensiveDamageAttributes(uint32_t,
                                                   CombatAttributeAccumulator&) const override
    {}
    void CollectAvailableOffensiveModifierAttributes(CombatAttributeAccumulator&) const override {}
    float CalculateOffensiveAbility(float bonus) const override { return offensiveAbility + bonus; }
    void ForceSpeedUpdate() override {}
    void SetSpeedUpdateNeeded() override {}
    void RefreshCooldown() override {}
    float GetAttackSpeed() const override { return 0.0f; }
    float GetSpellCastSpeed() const override { return 0.0f; }
    void AddToActiveList(Skill*) override {}
    void RemoveFromActiveList(Skill*) override {}
    uint32_t SelectWeaponPoolSkill(RandomUniform&) override { return 0; }
    uint32_t GetDefaultWPSkillId() const override { return 0; }
    void PushPetInitialize(Character*) override {}
    void PopPetInitialize(Character*) override {}
    void AddWeaponEnchantment(uint32_t, const std::string&) override {}
    void RemoveWeaponEnchantment(uint32_t) override {}
    void AddCharFxPak(uint32_t, const std::vector<std::string>&) override {}
    void RemoveCharFxPak(uint32_t) override {}
};

} // namespace GAME::Test
