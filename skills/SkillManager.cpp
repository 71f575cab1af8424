#include "skills/SkillManager.h"

#include "characters/Character.h"
#include "combat/CombatManager.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/Weapon.h"
#include "skills/Skill.h"
#include "skills/SkillBuff.h"
#include "skills/SkillServicesBase.h"

#include <algorithm>

namespace GAME {

SkillManager::SkillManager() = default;

SkillManager::~SkillManager()
{
    ObjectManager& objects = ObjectManager::Instance();
    // When every object goes at once the skills may already be gone: only a skill the manager
    // still knows under its id is destroyed here, the rest are in its queue already.
    for (size_t i = 0; i < learnedSkills.size(); ++i) {
        if (objects.GetObject(learnedSkillIds[i]) != learnedSkills[i])
            continue;
        learnedSkills[i]->SetManager(nullptr);
        objects.DestroyObjectEx(learnedSkills[i], "Project/Game/SkillManager", __LINE__);
    }
    // Item skills likewise, found by id: one already queued is neither touched nor queued again,
    // and none is left pointing at the manager once it is gone.
    for (const auto& [grantingId, skillId] : itemSkillMap) {
        Skill* skill = objects.GetObject<Skill>(skillId);
        if (skill == nullptr)
            continue;
        skill->SetManager(nullptr);
        objects.DestroyObjectEx(skill, "Project/Game/SkillManager", __LINE__);
    }
    DestroyAllBuffs();
}

void SkillManager::Initialize(CombatManager* combatManager, Character* parent)
{
    this->combatManager = combatManager;
    this->parent = parent;
}

const char* SkillManager::GetParentName() const
{
    return parent != nullptr ? parent->GetObjectName().c_str() : "(no character)";
}

void SkillManager::ReadLevels(const LoadTable& table, const char* key,
                              std::vector<uint32_t>& out) const
{
    std::vector<int32_t> values;
    table.GetIntList(key, values);
    out.clear();
    out.reserve(values.size());
    for (int32_t value : values) {
        if (value < 0)
            gEngine->Log(Engine::LogData, "SkillManager: %s of %s holds %d, read as 0", key,
                         GetParentName(), value);
        out.push_back(static_cast<uint32_t>(std::max(value, 0)));
    }
}

void SkillManager::Load(const LoadTable& table)
{
    ReadLevels(table, "masteryIncrementLevel", masteryIncrementLevels);
    ReadLevels(table, "reclamationPointTiers", reclamationPointTiers);
    ReadLevels(table, "reclamationPointCosts", reclamationPointCosts);
    // A tier without its cost (or a cost without its tier) would be read past the end.
    const size_t pairs = std::min(reclamationPointTiers.size(), reclamationPointCosts.size());
    if (reclamationPointTiers.size() != reclamationPointCosts.size()) {
        gEngine->Log(Engine::LogData,
                     "SkillManager: %s has %zu reclamationPointTiers but %zu "
                     "reclamationPointCosts; keeping %zu",
                     GetParentName(), reclamationPointTiers.size(), reclamationPointCosts.size(),
                     pairs);
        reclamationPointTiers.resize(pairs);
        reclamationPointCosts.resize(pairs);
    }
}

void SkillManager::PreLoad(bool flag)
{
    if (gGameEngine != nullptr)
        skillAttributes.SetSeed(static_cast<uint32_t>(gGameEngine->GetRandomSeed()));
    for (Skill* skill : learnedSkills)
        skill->PreLoad(flag);
    for (Skill* skill : itemSkills) {
        if (skill->GetCurrentLevel() != 0)
            skill->PreLoad(flag);
    }
}

template <typename Visit> void SkillManager::ForEachPassiveSkill(Visit visit) const
{
    for (const Skill* skill : activeSkills) {
        if (skill->GetCurrentLevel() != 0)
            visit(*skill);
    }
    // A buff adds only while active, which it tests itself.
    for (const auto& [key, entry] : skillBuffs)
        visit(static_cast<const Skill&>(*entry.buff));
    for (const Skill* skill : itemSkills) {
        if (skill->GetCurrentLevel() != 0)
            visit(*skill);
    }
}

void SkillManager::GetCharAttributes(CharAttributeAccumulator& accumulator) const
{
    ForEachPassiveSkill(
        [&](const Skill& skill) { skill.CollectPassiveCharAttributes(accumulator); });
}

void SkillManager::GetSkillAttributes(SkillAttributeAccumulator& accumulator) const
{
    ForEachPassiveSkill(
        [&](const Skill& skill) { skill.CollectPassiveSkillAttributes(accumulator); });
}

void SkillManager::GetOffensiveDamageAttributes(CombatAttributeAccumulator& accumulator) const
{
    ForEachPassiveSkill(
        [&](const Skill& skill) { skill.CollectPassiveOffensiveDamageAttributes(accumulator); });
}

void SkillManager::GetOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator) const
{
    ForEachPassiveSkill(
        [&](const Skill& skill) { skill.CollectPassiveOffensiveModifierAttributes(accumulator); });
}

void SkillManager::CollectAvailableSkillAttributes(SkillAttributeAccumulator& accumulator) const
{
    if (parent != nullptr) {
        parent->GetEquipSkillAttributes(accumulator);
        parent->ContributeItemSetSkillAttributes(accumulator);
        parent->ContributeGameBalanceSkillAttributes(accumulator);
    }
    GetSkillAttributes(accumulator);
}

void SkillManager::CollectAvailableOffensiveDamageAttributes(
    uint32_t weaponId, CombatAttributeAccumulator& accumulator) const
{
    if (parent != nullptr) {
        parent->GetEquipArmorDamageAttributes(accumulator);
        parent->ContributeItemSetOffensiveDamageAttributes(accumulator);
        parent->ContributeGameBalanceOffensiveDamageAttributes(accumulator);
    }
    GetOffensiveDamageAttributes(accumulator);
    if (weaponId != 0) {
        if (const auto* weapon = ObjectManager::Instance().GetObject<Weapon>(weaponId))
            weapon->GetOffensiveDamageAttributes(accumulator);
    } else if (combatManager != nullptr) {
        combatManager->GetHandHitDamage(accumulator);
    }
}

void SkillManager::CollectAvailableOffensiveModifierAttributes(
    CombatAttributeAccumulator& accumulator) const
{
    if (parent != nullptr) {
        parent->GetEquipOffensiveModifierAttributes(accumulator);
        parent->ContributeItemSetOffensiveModifierAttributes(accumulator);
        parent->ContributeGameBalanceOffensiveModifierAttributes(accumulator);
    }
    GetOffensiveModifierAttributes(accumulator);
}

void SkillManager::GetRetaliationAttributes(CombatAttributeAccumulator& accumulator) const
{
    ForEachPassiveSkill(
        [&](const Skill& skill) { skill.CollectPassiveRetaliationAttributes(accumulator); });
}

void SkillManager::GetDefenseAttributes(CombatAttributeAccumulator& accumulator) const
{
    ForEachPassiveSkill(
        [&](const Skill& skill) { skill.CollectPassiveDefenseAttributes(accumulator); });
}

void SkillManager::ContributeRacialBonusDefense(const std::vector<std::string>& races,
                                                RacialBonus_Defense& defense) const
{
    ForEachPassiveSkill(
        [&](const Skill& skill) { skill.CollectPassiveRacialBonusDefense(races, defense); });
}

void SkillManager::ContributeRacialBonusDamage(const std::vector<std::string>& races,
                                               RacialBonus_Damage& damage) const
{
    ForEachPassiveSkill(
        [&](const Skill& skill) { skill.CollectPassiveRacialBonusDamage(races, damage); });
}

uint32_t SkillManager::GetSkillIdFromReference(uint32_t reference) const
{
    if (reference < learnedSkills.size() && learnedSkills[reference] != nullptr)
        return learnedSkills[reference]->GetObjectId();
    const uint32_t index = reference - kItemReferenceBase;
    if (index < itemSkills.size() && itemSkills[index] != nullptr)
        return itemSkills[index]->GetObjectId();
    return 0;
}

uint32_t SkillManager::GetSkillReferenceNumber(uint32_t skillId) const
{
    if (skillId == 0)
        return 0xFFFFFFFFu;
    for (size_t index = 0; index < learnedSkills.size(); ++index) {
        if (learnedSkills[index] != nullptr && learnedSkills[index]->GetObjectId() == skillId)
            return static_cast<uint32_t>(index);
    }
    for (size_t index = 0; index < itemSkills.size(); ++index) {
        if (itemSkills[index] != nullptr && itemSkills[index]->GetObjectId() == skillId)
            return kItemReferenceBase + static_cast<uint32_t>(index);
    }
    return 0xFFFFFFFFu;
}

bool SkillManager::HoldsSkill(uint32_t skillId) const
{
    if (skillId == 0)
        return false;
    for (const std::vector<Skill*>* list : {&learnedSkills, &activeSkills, &itemSkills}) {
        for (const Skill* skill : *list) {
            if (skill != nullptr && skill->GetObjectId() == skillId)
                return true;
        }
    }
    return false;
}

bool SkillManager::IsSpeedUpdateNeeded() const
{
    const bool needed = speedUpdateNeeded;
    speedUpdateNeeded = false;
    return needed;
}

} // namespace GAME

namespace GAME {

bool SkillManager::HoldsCommandSkill(uint32_t skillId, const char* command) const
{
    if (HoldsSkill(skillId))
        return true;
    gEngine->Log(Engine::LogRuntime,
                 "SkillManager: %s of %s names skill %u, which it does not hold", command,
                 GetParentName(), skillId);
    return false;
}

// The services send the reference number, so every machine finds the same skill.
Skill* SkillManager::FindCommandSkill(uint32_t skillNumber, const char* command) const
{
    Skill* skill = FindSkill(GetSkillIdFromReference(skillNumber));
    if (skill == nullptr)
        gEngine->Log(Engine::LogRuntime,
                     "SkillManager: %s of %s names skill %u, which it does not hold", command,
                     GetParentName(), skillNumber);
    return skill;
}

} // namespace GAME
