#include "skills/SkillManager.h"

#include "characters/CharFxPak.h"
#include "characters/Character.h"
#include "combat/CombatManager.h"
#include "engine/ObjectManager.h"
#include "items/Weapon.h"
#include "skills/Skill.h"

#include <algorithm>

namespace GAME {

int32_t SkillManager::GetHandState() const
{
    return combatManager != nullptr ? static_cast<int32_t>(combatManager->GetHandState()) : 0;
}

void SkillManager::GetWeaponTypes(Weapon_Type& right, Weapon_Type& left) const
{
    right = rightWeaponType;
    left = leftWeaponType;
}

void SkillManager::SubtractMana(float amount)
{
    if (parent != nullptr)
        parent->SubtractMana(amount);
}

void SkillManager::SubtractLife(float amount, const PlayStatsDamageType& statsType)
{
    if (parent != nullptr)
        parent->SubtractLife(amount, statsType);
}

float SkillManager::GetCurrentMana() const
{
    return parent != nullptr ? parent->GetCurrentMana() : 0.0f;
}

uint32_t SkillManager::GetRightHandWeapon() const
{
    return combatManager != nullptr ? combatManager->GetRightHandWeapon() : 0;
}

uint32_t SkillManager::GetLeftHandWeapon() const
{
    return combatManager != nullptr ? combatManager->GetLeftHandWeapon() : 0;
}

float SkillManager::GetTotalSkillAttribute(SkillAttributeType type) const
{
    return skillAttributes.GetValue(type);
}

float SkillManager::CalculateOffensiveAbility(float bonus) const
{
    return parent != nullptr ? parent->DesignerCalculateOffensiveAbility(bonus) : 0.0f;
}

void SkillManager::ForceSpeedUpdate()
{
    if (parent != nullptr)
        parent->ForceSpeedUpdate();
}

float SkillManager::GetAttackSpeed() const
{
    return parent != nullptr ? parent->GetAttackSpeed() : 0.0f;
}

float SkillManager::GetSpellCastSpeed() const
{
    return parent != nullptr ? parent->GetSpellCastSpeed() : 0.0f;
}

void SkillManager::RefreshCooldown()
{
    for (Skill* skill : activeSkills)
        skill->EndCooldown();
    for (Skill* skill : itemSkills)
        skill->EndCooldown();
}

void SkillManager::AddToActiveList(Skill* skill)
{
    if (skill == nullptr ||
        std::find(activeSkills.begin(), activeSkills.end(), skill) != activeSkills.end())
        return;
    activeSkills.push_back(skill);
    skill->Install(parent);
}

void SkillManager::RemoveFromActiveList(Skill* skill)
{
    const auto found = std::find(activeSkills.begin(), activeSkills.end(), skill);
    if (found == activeSkills.end())
        return;
    activeSkills.erase(found);
    skill->UnInstall(parent);
}

void SkillManager::PushPetInitialize(Character* pet)
{
    if (pet != nullptr)
        pendingPets.push_back(pet->GetObjectId());
}

void SkillManager::PopPetInitialize(Character* pet)
{
    if (pet == nullptr)
        return;
    const auto found = std::find(pendingPets.begin(), pendingPets.end(), pet->GetObjectId());
    if (found != pendingPets.end())
        pendingPets.erase(found);
}

void SkillManager::InitializePendingPets()
{
    // Taken first: a pet's first update may queue another.
    std::vector<uint32_t> pets;
    pets.swap(pendingPets);
    for (uint32_t id : pets) {
        if (Character* pet = ObjectManager::Instance().GetObject<Character>(id)) {
            pet->PreLoad(true);
            pet->InitialUpdate();
        }
    }
}

void SkillManager::AddWeaponEnchantment(uint32_t ownerId, const std::string& name)
{
    weaponEnchantments.emplace_back(ownerId, name);
    if (parent != nullptr)
        parent->SetWeaponEnchantment(name);
}

void SkillManager::RemoveWeaponEnchantment(uint32_t ownerId)
{
    weaponEnchantments.remove_if([&](const auto& entry) { return entry.first == ownerId; });
    if (parent != nullptr)
        parent->SetWeaponEnchantment(weaponEnchantments.empty() ? std::string()
                                                                : weaponEnchantments.back().second);
}

void SkillManager::AddCharFxPak(uint32_t ownerId, const std::vector<std::string>& names)
{
    charFxPaks.emplace_front(ownerId, names);
    ResetCurrentCharFxPaks();
}

void SkillManager::RemoveCharFxPak(uint32_t ownerId)
{
    charFxPaks.remove_if([&](const auto& entry) { return entry.first == ownerId; });
    if (ownerId == charFxPakOwner)
        ResetCurrentCharFxPaks();
}

void SkillManager::ClearCurrentCharFxPaks()
{
    charFxPakOwner = 0;
    for (CharFxPak* pak : showingCharFxPaks) {
        pak->Enable(false);
        pak->UnLoad();
        delete pak;
    }
    showingCharFxPaks.clear();
}

void SkillManager::ResetCurrentCharFxPaks()
{
    ClearCurrentCharFxPaks();
    if (charFxPaks.empty())
        return;
    const auto& [owner, names] = charFxPaks.front();
    for (const std::string& name : names) {
        if (name.empty())
            continue;
        auto* pak = new CharFxPak();
        pak->LoadFromDatabase(name);
        pak->SetParent(parent != nullptr ? parent->GetObjectId() : 0);
        pak->PreLoad();
        pak->InitializeFxPak();
        pak->Enable(true);
        showingCharFxPaks.push_back(pak);
        charFxPakOwner = owner;
    }
}

void SkillManager::CollectWeaponTypes()
{
    rightWeaponType = Weapon_Type_Weapon;
    leftWeaponType = Weapon_Type_Weapon;
    ObjectManager& objects = ObjectManager::Instance();
    if (const Weapon* weapon = objects.GetObject<Weapon>(GetRightHandWeapon()))
        rightWeaponType = weapon->GetWeaponType();
    if (const Weapon* weapon = objects.GetObject<Weapon>(GetLeftHandWeapon()))
        leftWeaponType = weapon->GetWeaponType();
}

void SkillManager::IncrementSkill(uint32_t skillId, uint32_t amount)
{
    if (Skill* skill = FindSkill(skillId))
        skill->IncrementSkillLevel(amount);
}

} // namespace GAME
