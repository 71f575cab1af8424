#include "skills/SkillManager.h"

#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/Skill.h"
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
        if (objects.GetObject(learnedSkillIds[i]) == learnedSkills[i])
            objects.DestroyObjectEx(learnedSkills[i], "Project/Game/SkillManager", __LINE__);
    }
    for (Skill* skill : itemSkills)
        objects.DestroyObjectEx(skill, "Project/Game/SkillManager", __LINE__);
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

// By index: an answering skill may install another one, which lands at the back.
void SkillManager::UnderAttack(const ParametersCombat& parameters)
{
    if (parent == nullptr)
        return;
    for (size_t i = 0; i < activeSkills.size(); ++i) {
        if (activeSkills[i]->IsSkillOnHitActive())
            activeSkills[i]->OnHitActivation(*parent, parameters);
    }
    for (size_t i = 0; i < itemSkills.size(); ++i) {
        if (itemSkills[i]->GetCurrentLevel() != 0)
            itemSkills[i]->OnHitActivation(*parent, parameters);
    }
}

void SkillManager::ApplyCooldownDamage(float seconds)
{
    for (Skill* skill : activeSkills)
        skill->ApplyDisruptionCooldownTime(seconds);
    for (Skill* skill : itemSkills)
        skill->ApplyDisruptionCooldownTime(seconds);
}

uint32_t SkillManager::GetSkillIdFromReference(uint32_t reference) const
{
    if (reference >= learnedSkills.size() || learnedSkills[reference] == nullptr)
        return 0;
    return learnedSkills[reference]->GetObjectId();
}

uint32_t SkillManager::GetSkillReferenceNumber(uint32_t skillId) const
{
    for (size_t index = 0; index < learnedSkills.size(); ++index) {
        if (skillId != 0 && learnedSkills[index] != nullptr &&
            learnedSkills[index]->GetObjectId() == skillId)
            return static_cast<uint32_t>(index);
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

bool SkillManager::StartSkill(uint32_t skillId, uint32_t /*targetId*/, const WorldVec3& /*point*/,
                              uint32_t /*lastValue*/)
{
    return HoldsSkill(skillId);
}

bool SkillManager::HandleSkillAnimationCallback(const Name& name, uint32_t /*skillId*/,
                                                uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    static const Name end = Name::Create("End");
    return name == end;
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

void SkillManager::CreateRemoveSkillBuff(uint32_t skillId, const std::string& /*skillName*/,
                                         uint32_t /*level*/, const std::string& /*modName1*/,
                                         uint32_t /*modLevel1*/, const std::string& /*modName2*/,
                                         uint32_t /*modLevel2*/, int32_t /*timeToLive*/,
                                         uint32_t /*casterId*/, bool /*flag*/)
{
    HoldsCommandSkill(skillId, "CreateRemoveSkillBuff");
}

void SkillManager::SkillTargetResult(uint32_t skillNumber, const std::vector<uint32_t>& /*targets*/,
                                     const WorldCoords& /*origin*/, uint32_t /*seed*/,
                                     uint32_t /*weaponId*/, bool /*useWeapon*/,
                                     int32_t /*hitIteration*/)
{
    HoldsCommandSkill(GetSkillIdFromReference(skillNumber), "SkillTargetResult");
}

void SkillManager::CreateProjectile(uint32_t skillNumber, uint32_t /*projectileId*/,
                                    const WorldCoords& /*origin*/, uint32_t /*targetId*/,
                                    const WorldVec3& /*point*/, uint32_t /*weaponId*/,
                                    uint32_t /*seed*/, int32_t /*hitIteration*/)
{
    HoldsCommandSkill(GetSkillIdFromReference(skillNumber), "CreateProjectile");
}

void SkillManager::SkillSpawnObject(uint32_t skillNumber, const WorldCoords& /*origin*/,
                                    uint32_t /*targetId*/,
                                    const std::vector<WorldCoords>& /*spawnCoords*/,
                                    const std::vector<uint32_t>& /*spawnIds*/,
                                    uint32_t /*lastValue*/)
{
    HoldsCommandSkill(GetSkillIdFromReference(skillNumber), "SkillSpawnObject");
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

void SkillManager::SkillStateUpdateCommand(uint32_t skillNumber, const SkillState& state)
{
    if (Skill* skill = FindCommandSkill(skillNumber, "SkillStateUpdateCommand"))
        skill->ReceiveStateUpdate(state, false);
}

void SkillManager::SkillActiveStateUpdateCommand(uint32_t skillNumber,
                                                 const SkillActiveState& state)
{
    if (Skill* skill = FindCommandSkill(skillNumber, "SkillActiveStateUpdateCommand"))
        skill->ReceiveActiveUpdate(parent, state, false);
}

} // namespace GAME
