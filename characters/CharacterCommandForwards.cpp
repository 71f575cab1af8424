#include "ai/ControllerAI.h"
#include "characters/Character.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "skills/Skill.h"
#include "skills/SkillActiveState.h"
#include "skills/SkillManager.h"
#include "skills/SkillState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {
namespace {

ControllerAI* GetAIController(uint32_t controllerId)
{
    return ObjectManager::Instance().GetObject<ControllerAI>(controllerId);
}

} // namespace

void Character::CreateRemoveSkillBuff(uint32_t skillId, const std::string& skillName,
                                      uint32_t level, const std::string& modName1,
                                      uint32_t modLevel1, const std::string& modName2,
                                      uint32_t modLevel2, int32_t timeToLive, uint32_t casterId)
{
    bio.BioIsTainted();
    skillManager.CreateRemoveSkillBuff(skillId, skillName, level, modName1, modLevel1, modName2,
                                       modLevel2, timeToLive, casterId, false);
}

void Character::SkillTargetResult(uint32_t skillNumber, const std::vector<uint32_t>& targets,
                                  const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                                  bool useWeapon, int32_t hitIteration)
{
    skillManager.SkillTargetResult(skillNumber, targets, origin, seed, weaponId, useWeapon,
                                   hitIteration);
}

void Character::CreateProjectile(uint32_t skillNumber, uint32_t projectileId,
                                 const WorldCoords& origin, uint32_t targetId,
                                 const WorldVec3& point, uint32_t weaponId, uint32_t seed,
                                 int32_t hitIteration)
{
    skillManager.CreateProjectile(skillNumber, projectileId, origin, targetId, point, weaponId,
                                  seed, hitIteration);
}

void Character::SkillSpawnObject(uint32_t skillNumber, const WorldCoords& origin, uint32_t targetId,
                                 const std::vector<WorldCoords>& spawnCoords,
                                 const std::vector<uint32_t>& spawnIds, uint32_t lastValue)
{
    skillManager.SkillSpawnObject(skillNumber, origin, targetId, spawnCoords, spawnIds, lastValue);
}

void Character::SkillStateUpdateCommand(uint32_t skillId, const SkillState& state)
{
    skillManager.SkillStateUpdateCommand(skillId, state);
}

void Character::SkillActiveStateUpdateCommand(uint32_t skillId, const SkillActiveState& state)
{
    skillManager.SkillActiveStateUpdateCommand(skillId, state);
}

// Only an activated skill can be set off from outside, and there are none yet; finding the
// skill is all there is to do until then.
void Character::ActivateSkill(uint32_t skillReference, const Name& /*name*/, uint32_t /*targetId*/,
                              const WorldVec3& /*point*/)
{
    skillManager.GetSkillIdFromReference(skillReference);
}

void Character::GoIdle()
{
    if (ControllerAI* controller = GetAIController(controllerId))
        controller->GoToIdleState();
}

void Character::RequestAttack(uint32_t targetId, uint32_t skillId)
{
    if (ControllerAI* controller = GetAIController(controllerId))
        controller->RequestAttack(targetId, skillId);
}

void Character::RequestMove(uint32_t id, const WorldVec3& point)
{
    if (ControllerAI* controller = GetAIController(controllerId))
        controller->RequestMove(id, point);
}

void Character::QuestCommandMove(uint32_t id, const WorldVec3& point, bool flag)
{
    if (ControllerAI* controller = GetAIController(controllerId))
        controller->QuestCommandMove(id, point, flag);
}

void Character::QuestCommandWalk(uint32_t id, const WorldVec3& point, bool flag)
{
    if (!CanWalk())
        return;
    if (ControllerAI* controller = GetAIController(controllerId))
        controller->QuestCommandWalk(id, point, flag);
}

void Character::QuestCommandPlayAnimation(AnimationSet_Type type, bool flag1, bool flag2)
{
    if (ControllerAI* controller = GetAIController(controllerId))
        controller->QuestCommandPlayAnimation(type, flag1, flag2);
}

void Character::QuestCommandUseSkill(const std::string& skillName, uint32_t id, bool flag)
{
    if (ControllerAI* controller = GetAIController(controllerId))
        controller->QuestCommandUseSkill(skillManager.FindSkillId(skillName), id, flag);
}

} // namespace GAME

// Buffs and augments.

namespace GAME {

bool Character::IsSkillBuffActive(const std::string& buffName) const
{
    return skillManager.IsSkillBuffActive(buffName);
}

void Character::DispelSkillBuffs()
{
    skillManager.DispelSkillBuffs();
}

void Character::DispelSkillDeBuffs()
{
    skillManager.DispelSkillDeBuffs();
}

void Character::SetAllSkillLevelAugment(uint32_t amount, const std::string& exceptName)
{
    skillManager.SetAllSkillAugment(amount, exceptName);
}

void Character::RemoveAllSkillLevelAugment(uint32_t amount, const std::string& exceptName)
{
    skillManager.RemoveAllSkillAugment(amount, exceptName);
}

void Character::SetSkillLevelAugment(const std::string& name, uint32_t amount)
{
    skillManager.SetSkillLevelAugment(name, amount);
}

void Character::RemoveSkillLevelAugment(const std::string& name, uint32_t amount)
{
    skillManager.RemoveSkillLevelAugment(name, amount);
}

void Character::SetMasteryLevelAugment(const std::string& masteryName, uint32_t amount)
{
    skillManager.SetMasteryAugment(masteryName, amount);
}

void Character::RemoveMasteryLevelAugment(const std::string& masteryName, uint32_t amount)
{
    skillManager.RemoveMasteryAugment(masteryName, amount);
}

void Character::GetActiveStatusSkills(std::vector<std::string>& names) const
{
    ObjectManager& objects = ObjectManager::Instance();
    for (const std::vector<uint32_t>* list :
         {&skillManager.GetUISkillList(), &skillManager.GetUITempSkillList()}) {
        for (uint32_t id : *list) {
            const Skill* skill = objects.GetObject<Skill>(id);
            if (skill != nullptr && (skill->HasIconDisplay(id) || skill->IsTempTrackable(id)))
                names.push_back(skill->GetObjectName());
        }
    }
}

} // namespace GAME
