#include "skills/SkillManager.h"

#include "characters/Character.h"
#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "skills/Skill.h"
#include "skills/SkillBuff.h"
#include "skills/SkillOnDeath.h"
#include "skills/Skill_Modifier.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace GAME {

namespace {

// Levels travel as unsigned numbers; the active state holds a signed one.
SkillActiveState ActiveAt(uint32_t level)
{
    return SkillActiveState{static_cast<int32_t>(std::min<uint32_t>(level, INT32_MAX)), true, true};
}

std::string BuffKey(const std::string& name)
{
    std::string key = name;
    NormalizeFileNameLower(key);
    return key;
}

// Ids of a list taken before a walk: a skill the walk destroys or drops is not visited.
std::vector<uint32_t> SkillIdsOf(const std::vector<Skill*>& skills)
{
    std::vector<uint32_t> ids;
    ids.reserve(skills.size());
    for (const Skill* skill : skills) {
        if (skill != nullptr)
            ids.push_back(skill->GetObjectId());
    }
    return ids;
}

} // namespace

template <typename Visit> void SkillManager::WalkBuffs(Visit visit)
{
    std::vector<std::pair<std::string, uint32_t>> keys;
    keys.reserve(skillBuffs.size());
    for (const auto& [key, entry] : skillBuffs)
        keys.emplace_back(key, entry.buffId);
    ++buffWalkDepth;
    for (const auto& [key, id] : keys) {
        const auto found = skillBuffs.find(key);
        if (found != skillBuffs.end() && found->second.buffId == id)
            visit(*found->second.buff);
    }
    EndBuffWalk();
}

void SkillManager::EndBuffWalk()
{
    // Buffs removed during the walk lived until here: the walk may still have been inside one.
    if (--buffWalkDepth > 0)
        return;
    std::vector<BuffEntry> doomed;
    doomed.swap(doomedBuffs);
    for (const BuffEntry& entry : doomed)
        DestroyBuffEntry(entry);
}

template <typename Visit> void SkillManager::ForEachBuff(Visit visit) const
{
    for (const auto& [key, entry] : skillBuffs)
        visit(*entry.buff);
}

bool SkillManager::IsSkillBuffActive(const std::string& buffName) const
{
    return skillBuffs.find(BuffKey(buffName)) != skillBuffs.end();
}

SkillBuff* SkillManager::GetSkillBuff(const std::string& buffName) const
{
    const auto found = skillBuffs.find(BuffKey(buffName));
    return found != skillBuffs.end() ? found->second.buff : nullptr;
}

void SkillManager::ReceiveBuffStates(Skill& skill, const SkillState& state,
                                     const SkillActiveState& active, bool flag)
{
    skill.ReceiveStateUpdate(state, true);
    skill.ReceiveActiveUpdate(parent, active, flag);
}

void SkillManager::DestroyBuffEntry(const BuffEntry& entry)
{
    ObjectManager& objects = ObjectManager::Instance();
    const std::pair<Skill*, uint32_t> parts[] = {{entry.buff, entry.buffId},
                                                 {entry.modifier1, entry.modifier1Id},
                                                 {entry.modifier2, entry.modifier2Id}};
    for (const auto& [skill, id] : parts) {
        // One already destroyed elsewhere (every object going at once) is not queued again.
        if (skill == nullptr || objects.GetObject(id) != skill)
            continue;
        skill->SetManager(nullptr);
        objects.DestroyObjectEx(skill, "Project/Game/SkillManager", __LINE__);
    }
}

void SkillManager::RemoveBuffEntry(const std::string& key, bool flag, bool uninstall)
{
    const auto found = skillBuffs.find(key);
    if (found == skillBuffs.end())
        return;
    const BuffEntry entry = found->second;
    skillBuffs.erase(found);
    const SkillState state{0, false};
    const SkillActiveState active{0, false, false};
    ReceiveBuffStates(*entry.buff, state, active, flag);
    if (uninstall)
        entry.buff->UnInstall(parent);
    for (Skill_Modifier* modifier : {entry.modifier1, entry.modifier2}) {
        if (modifier != nullptr)
            ReceiveBuffStates(*modifier, state, active, flag);
    }
    if (buffWalkDepth > 0)
        doomedBuffs.push_back(entry);
    else
        DestroyBuffEntry(entry);
}

void SkillManager::RebuildUITempSkillList()
{
    uiTempSkillList.clear();
    for (const auto& [key, entry] : skillBuffs)
        uiTempSkillList.push_back(entry.buffId);
}

void SkillManager::CreateRemoveSkillBuff(uint32_t /*skillId*/, const std::string& skillName,
                                         uint32_t level, const std::string& modName1,
                                         uint32_t modLevel1, const std::string& modName2,
                                         uint32_t modLevel2, int32_t timeToLive, uint32_t casterId,
                                         bool flag)
{
    const std::string key = BuffKey(skillName);
    if (level == 0) {
        RemoveBuffEntry(key, flag, true);
    } else if (parent != nullptr && parent->IsAlive()) {
        const auto found = skillBuffs.find(key);
        if (found != skillBuffs.end()) {
            const BuffEntry& entry = found->second;
            if (entry.buff->GetCurrentLevel() != level)
                ReceiveBuffStates(*entry.buff, SkillState{level, true}, ActiveAt(level), flag);
            entry.buff->SetTimeToLive(timeToLive);
            for (Skill_Modifier* modifier : {entry.modifier1, entry.modifier2}) {
                if (modifier == nullptr)
                    continue;
                const uint32_t own = modifier->GetSkillLevel();
                ReceiveBuffStates(*modifier, SkillState{own, true}, ActiveAt(own), flag);
            }
            return;
        }
        _SkillBuffReplica replica;
        replica.buff = {skillName, SkillState{level, true}, ActiveAt(level)};
        if (!modName1.empty())
            replica.modifier1 = {modName1, SkillState{modLevel1, true}, ActiveAt(modLevel1)};
        if (!modName2.empty())
            replica.modifier2 = {modName2, SkillState{modLevel2, true}, ActiveAt(modLevel2)};
        replica.timeToLive = timeToLive;
        replica.casterId = casterId;
        CreateSkillBuff(replica, false);
    }
    RebuildUITempSkillList();
}

void SkillManager::CreateSkillBuff(const _SkillBuffReplica& replica, bool flag)
{
    // Entered under the normalised name, so a later removal or refresh finds it however the
    // sender spelt it.
    const std::string key = BuffKey(replica.buff.skillName);
    if (skillBuffs.find(key) != skillBuffs.end()) {
        gEngine->Log(Engine::LogRuntime, "SkillManager: %s already holds buff (%s); skipped",
                     GetParentName(), replica.buff.skillName.c_str());
        return;
    }
    ObjectManager& objects = ObjectManager::Instance();
    auto* buff = objects.CreateObjectFromFile<SkillBuff>(replica.buff.skillName);
    if (buff == nullptr)
        return;
    buff->SetManager(this);
    buff->SetAsTempSkill();
    ReceiveBuffStates(*buff, replica.buff.skillState, replica.buff.skillActiveState, flag);
    buff->SetCasterId(replica.casterId);

    BuffEntry entry;
    entry.buff = buff;
    entry.buffId = buff->GetObjectId();
    const std::pair<const _SkillReplica*, std::pair<Skill_Modifier**, uint32_t*>> modifiers[] = {
        {&replica.modifier1, {&entry.modifier1, &entry.modifier1Id}},
        {&replica.modifier2, {&entry.modifier2, &entry.modifier2Id}}};
    for (const auto& [source, target] : modifiers) {
        if (source->skillName.empty())
            continue;
        auto* modifier = objects.CreateObjectFromFile<Skill_Modifier>(source->skillName);
        if (modifier == nullptr)
            continue;
        modifier->SetManager(this);
        modifier->SetAsTempSkill();
        ReceiveBuffStates(*modifier, source->skillState, source->skillActiveState, flag);
        buff->AddModifier(modifier->GetObjectId());
        *target.first = modifier;
        *target.second = modifier->GetObjectId();
    }
    buff->SetTimeToLive(replica.timeToLive);
    skillBuffs.emplace(key, entry);
    buff->Install(parent);
}

void SkillManager::UpdateBuffs(int32_t elapsedMs)
{
    if (parent == nullptr)
        return;
    WalkBuffs([&](SkillBuff& buff) { buff.Update(*parent, elapsedMs); });
}

void SkillManager::DispelSkillBuffs()
{
    if (parent == nullptr)
        return;
    WalkBuffs([&](SkillBuff& buff) { buff.DispelBuff(*parent); });
    ObjectManager& objects = ObjectManager::Instance();
    for (const std::vector<Skill*>* list : {&activeSkills, &itemSkills}) {
        for (uint32_t id : SkillIdsOf(*list)) {
            if (Skill* skill = objects.GetObject<Skill>(id))
                skill->DispellSelfBuff(*parent);
        }
    }
}

void SkillManager::DispelSkillDeBuffs()
{
    if (parent == nullptr)
        return;
    WalkBuffs([&](SkillBuff& buff) { buff.DispelDeBuff(*parent); });
}

void SkillManager::UnderAttack(const ParametersCombat& parameters)
{
    if (parent == nullptr)
        return;
    ObjectManager& objects = ObjectManager::Instance();
    ++buffWalkDepth;
    for (uint32_t id : SkillIdsOf(activeSkills)) {
        Skill* skill = objects.GetObject<Skill>(id);
        if (skill != nullptr && skill->IsSkillOnHitActive())
            skill->OnHitActivation(*parent, parameters);
    }
    for (uint32_t id : SkillIdsOf(itemSkills)) {
        Skill* skill = objects.GetObject<Skill>(id);
        if (skill != nullptr && skill->GetCurrentLevel() != 0)
            skill->OnHitActivation(*parent, parameters);
    }
    EndBuffWalk();
}

void SkillManager::ApplyCooldownDamage(float seconds)
{
    for (Skill* skill : activeSkills)
        skill->ApplyDisruptionCooldownTime(seconds);
    ForEachBuff([&](SkillBuff& buff) { buff.ApplyDisruptionCooldownTime(seconds); });
    for (Skill* skill : itemSkills)
        skill->ApplyDisruptionCooldownTime(seconds);
}

void SkillManager::ImDead()
{
    if (parent == nullptr)
        return;
    ObjectManager& objects = ObjectManager::Instance();
    for (uint32_t id : SkillIdsOf(activeSkills)) {
        if (Skill* skill = objects.GetObject<Skill>(id))
            skill->StopSkill(*parent);
    }
    ++buffWalkDepth;
    std::vector<std::string> keys;
    keys.reserve(skillBuffs.size());
    for (const auto& [key, entry] : skillBuffs)
        keys.push_back(key);
    for (const std::string& key : keys)
        RemoveBuffEntry(key, false, true);
    skillBuffs.clear();
    EndBuffWalk();
    RebuildUITempSkillList();
    for (uint32_t id : SkillIdsOf(onDeathSkills)) {
        if (auto* skill = objects.GetObject<SkillOnDeath>(id))
            skill->ActivateOnDeathNow(*parent);
    }
    for (uint32_t id : SkillIdsOf(itemSkills)) {
        Skill* skill = objects.GetObject<Skill>(id);
        if (skill == nullptr)
            continue;
        skill->StopSkill(*parent);
        if (auto* onDeath = DynamicCast<SkillOnDeath>(skill))
            onDeath->ActivateOnDeathNow(*parent);
    }
}

void SkillManager::DestroyAllBuffs()
{
    for (const auto& [key, entry] : skillBuffs)
        DestroyBuffEntry(entry);
    skillBuffs.clear();
    for (const BuffEntry& entry : doomedBuffs)
        DestroyBuffEntry(entry);
    doomedBuffs.clear();
    uiTempSkillList.clear();
}

void SkillManager::GetSkillBuffReplica(std::vector<_SkillBuffReplica>& replicas) const
{
    for (const auto& [key, entry] : skillBuffs) {
        _SkillBuffReplica replica;
        replica.buff = {entry.buff->GetObjectName(), entry.buff->GetSkillState(),
                        entry.buff->GetSkillActiveState()};
        replica.casterId = entry.buff->GetCasterId();
        if (entry.modifier1 != nullptr)
            replica.modifier1 = {entry.modifier1->GetObjectName(), entry.modifier1->GetSkillState(),
                                 entry.modifier1->GetSkillActiveState()};
        if (entry.modifier2 != nullptr)
            replica.modifier2 = {entry.modifier2->GetObjectName(), entry.modifier2->GetSkillState(),
                                 entry.modifier2->GetSkillActiveState()};
        replicas.push_back(std::move(replica));
    }
}

void SkillManager::SetSkillBuffReplica(const std::vector<_SkillBuffReplica>& replicas)
{
    for (const _SkillBuffReplica& replica : replicas)
        CreateSkillBuff(replica, true);
    RebuildUITempSkillList();
}

// Augments.

void SkillManager::SetAllSkillAugment(uint32_t amount, const std::string& exceptName)
{
    for (Skill* skill : learnedSkills) {
        if (skill != nullptr && skill->GetObjectName() != exceptName)
            skill->IncrementAugmentedSkillLevel(amount);
    }
}

void SkillManager::RemoveAllSkillAugment(uint32_t amount, const std::string& exceptName)
{
    for (Skill* skill : learnedSkills) {
        if (skill != nullptr && skill->GetObjectName() != exceptName)
            skill->DecrementAugmentedSkillLevel(amount);
    }
}

void SkillManager::SetMasteryAugment(const std::string& masteryName, uint32_t amount)
{
    const uint32_t masteryId = FindSkillId(masteryName);
    if (masteryId == 0)
        return;
    for (Skill* skill : learnedSkills) {
        if (skill != nullptr &&
            (skill->GetObjectId() == masteryId || skill->GetMasteryId() == masteryId))
            skill->IncrementAugmentedSkillLevel(amount);
    }
}

void SkillManager::RemoveMasteryAugment(const std::string& masteryName, uint32_t amount)
{
    const uint32_t masteryId = FindSkillId(masteryName);
    if (masteryId == 0)
        return;
    for (Skill* skill : learnedSkills) {
        if (skill != nullptr &&
            (skill->GetObjectId() == masteryId || skill->GetMasteryId() == masteryId))
            skill->DecrementAugmentedSkillLevel(amount);
    }
}

void SkillManager::SetSkillLevelAugment(const std::string& name, uint32_t amount)
{
    if (Skill* skill = FindSkill(FindSkillId(name)))
        skill->IncrementAugmentedSkillLevel(amount);
}

void SkillManager::RemoveSkillLevelAugment(const std::string& name, uint32_t amount)
{
    if (Skill* skill = FindSkill(FindSkillId(name)))
        skill->DecrementAugmentedSkillLevel(amount);
}

} // namespace GAME
