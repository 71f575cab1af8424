#include "skills/SkillManager.h"

#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/GameInfo.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "skills/Skill.h"
#include "skills/SkillBuff.h"
#include "skills/SkillOnDeath.h"
#include "skills/SkillSecondary.h"
#include "skills/SkillServices_Character.h"
#include "skills/Skill_Mastery.h"
#include "skills/Skill_Modifier.h"
#include "skills/Skill_WPAttack.h"

#include <algorithm>
#include <array>
#include <string>

namespace GAME {

namespace {

// Records are named either way round on the platform the saves come from. Names share their
// long folder prefix, so the ends are compared first; only ASCII letters fold.
bool SameRecordName(const std::string& left, const std::string& right)
{
    auto fold = [](char c) {
        if (c == '\\')
            return '/';
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (left.size() != right.size())
        return false;
    // Most names arrive spelt as loaded; a plain compare settles those at once.
    if (left == right)
        return true;
    return std::equal(left.rbegin(), left.rend(), right.rbegin(),
                      [&](char a, char b) { return a == b || fold(a) == fold(b); });
}

// Equal for names SameRecordName calls equal, so it can stand in front of it. Names share
// their folder prefix, so the length and the last characters tell them apart.
uint64_t FoldedNameHash(const std::string& name)
{
    static const std::array<uint8_t, 256> folded = [] {
        std::array<uint8_t, 256> table{};
        for (size_t c = 0; c < table.size(); ++c)
            table[c] = static_cast<uint8_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        table['\\'] = '/';
        return table;
    }();
    constexpr size_t kTail = 12;
    uint64_t hash = name.size();
    for (size_t i = name.size() > kTail ? name.size() - kTail : 0; i < name.size(); ++i)
        hash = hash * 131 + folded[static_cast<uint8_t>(name[i])];
    return hash;
}

uint32_t FindSkillByName(const std::vector<Skill*>& skills, const std::string& name)
{
    if (name.empty())
        return 0;
    for (const Skill* skill : skills) {
        if (skill != nullptr && SameRecordName(skill->GetObjectName(), name))
            return skill->GetObjectId();
    }
    return 0;
}

} // namespace

void SkillManager::LoadSkills(const LoadTable& table, uint32_t count)
{
    // The record numbers its keys 1 to 31.
    if (count == 0 || count >= 32)
        return;
    // The engine's game info holds the difficulty the hub reports; asked directly so a
    // manager loads without the hub.
    const auto difficulty = static_cast<size_t>(gEngine->GetGameInfo().GetDifficulty());
    uint32_t masteryId = 0;
    uint32_t baseSkillId = 0;
    for (uint32_t i = 1; i <= count; ++i) {
        const std::string number = std::to_string(i);
        const std::string name = table.GetString(("skillName" + number).c_str(), "");
        if (name.empty())
            continue;
        const std::string levelKey = "skillLevel" + number;
        const int32_t level = table.GetIntAt(levelKey.c_str(), difficulty, 0);
        if (level < 0)
            gEngine->Log(Engine::LogData, "SkillManager: %s of %s holds %d, read as 0",
                         levelKey.c_str(), GetParentName(), level);
        CreateAndLoadSkill(name, static_cast<uint32_t>(std::max(level, 0)), masteryId, baseSkillId);
    }
}

void SkillManager::LoadSkills(const std::string& record, uint32_t count)
{
    if (record.empty())
        return;
    ObjectManager& objects = ObjectManager::Instance();
    if (!objects.LoadTableFile(record))
        return;
    LoadSkills(objects.GetLoadTable(record), count);
}

Skill* SkillManager::AddLearnedSkill(const std::string& record, uint32_t level)
{
    Skill* skill = ObjectManager::Instance().CreateObjectFromFile<Skill>(record);
    if (skill == nullptr)
        return nullptr;
    skill->SetManager(this);
    learnedSkills.push_back(skill);
    learnedSkillIds.push_back(skill->GetObjectId());
    uiSkillList.push_back(skill->GetObjectId());
    skill->SetSkillLevel(level);
    return skill;
}

// Records list a mastery, then its skills, each followed by its modifiers and secondaries.
void SkillManager::CreateAndLoadSkill(const std::string& name, uint32_t level, uint32_t& masteryId,
                                      uint32_t& baseSkillId)
{
    uint32_t id = FindSkillId(name);
    Skill* skill = nullptr;
    if (id == 0) {
        skill = AddLearnedSkill(name, level);
        if (skill == nullptr) {
            gEngine->Log(Engine::LogData, "SkillManager::Unable to create skill (%s) (%s)",
                         name.c_str(), GetParentName());
            return;
        }
        id = skill->GetObjectId();
    } else {
        skill = FindSkill(id);
        if (DynamicCast<Skill_Modifier>(skill) == nullptr) {
            gEngine->Log(Engine::LogData,
                         "SkillManager::Tried to create duplicate non-modifier skill (%s)",
                         name.c_str());
            return;
        }
    }
    Skill* base = FindSkill(baseSkillId);
    if (DynamicCast<Skill_Mastery>(skill) != nullptr) {
        masteryId = id;
        baseSkillId = 0;
    } else if (DynamicCast<Skill_Modifier>(skill) != nullptr) {
        skill->AddMastery(masteryId);
        skill->AddBaseSkill(baseSkillId);
        if (base != nullptr)
            base->AddModifier(id);
    } else if (DynamicCast<SkillSecondary>(skill) != nullptr) {
        skill->AddMastery(masteryId);
        skill->AddBaseSkill(baseSkillId);
        if (base != nullptr)
            base->AddSecondarySkill(id);
        baseSkillId = id;
    } else {
        if (DynamicCast<Skill_WPAttack>(skill) != nullptr)
            weaponPoolAttacks.push_back(skill);
        skill->AddMastery(masteryId);
        baseSkillId = id;
        if (DynamicCast<SkillOnDeath>(skill) != nullptr)
            onDeathSkills.push_back(skill);
    }
}

uint32_t SkillManager::LoadDefaultSkills()
{
    ObjectManager& objects = ObjectManager::Instance();
    if (auto* pool = objects.CreateObjectFromFile<Skill_WPAttack>(
            "Records/Skills/Default/DefaultWPBasicAttack.dbr")) {
        pool->SetManager(this);
        defaultWPSkillId = pool->GetObjectId();
        learnedSkills.push_back(pool);
        learnedSkillIds.push_back(pool->GetObjectId());
        uiSkillList.push_back(pool->GetObjectId());
        pool->SetSkillLevel(1);
        defaultWPChanceWeight = pool->GetChanceWeight(true);
    }
    Skill* skill = AddLearnedSkill("Records/Skills/Default/DefaultWeaponAttack.dbr", 1);
    if (skill == nullptr)
        return 0;
    defaultSkillId = skill->GetObjectId();
    return defaultSkillId;
}

void SkillManager::AddItemSkill(uint32_t grantingId, uint32_t level)
{
    const auto mapped = itemSkillMap.find(grantingId);
    if (mapped != itemSkillMap.end()) {
        if (Skill* skill = FindSkill(mapped->second))
            skill->SetSkillLevel(level);
        return;
    }
    ObjectManager& objects = ObjectManager::Instance();
    const Object* granting = objects.GetObject(grantingId);
    if (granting == nullptr)
        return;
    Skill* skill = objects.CreateObjectFromFile<Skill>(granting->GetObjectName());
    if (skill == nullptr) {
        gEngine->Log(Engine::LogData, "SkillManager::Unable to create skill (%s) (%s)",
                     granting->GetObjectName().c_str(), GetParentName());
        return;
    }
    skill->SetAsItemSkill();
    skill->SetAsTempSkill();
    skill->SetManager(this);
    skill->SetSkillLevel(level);
    itemSkills.push_back(skill);
    itemSkillMap.emplace(grantingId, skill->GetObjectId());
    uiSkillList.push_back(skill->GetObjectId());
}

void SkillManager::RemoveItemSkill(uint32_t grantingId)
{
    const auto mapped = itemSkillMap.find(grantingId);
    if (mapped == itemSkillMap.end())
        return;
    if (Skill* skill = FindSkill(mapped->second))
        skill->SetSkillLevel(0);
}

uint32_t SkillManager::FindSkillId(const std::string& name) const
{
    if (const uint32_t id = FindSkillByName(learnedSkills, name))
        return id;
    // Then the buffs cast on the character.
    const SkillBuff* buff = GetSkillBuff(name);
    return buff != nullptr ? buff->GetObjectId() : 0;
}

uint32_t SkillManager::FindItemSkillId(const std::string& name) const
{
    return FindSkillByName(itemSkills, name);
}

void SkillManager::FindReplicaSkills(const std::vector<_SkillReplica>& replicas,
                                     std::vector<Skill*>& found) const
{
    // A replica names every learned skill, so name by name the search would be quadratic in
    // string comparisons; hashes narrow it to one comparison each, first match kept.
    std::vector<uint64_t> hashes;
    hashes.reserve(learnedSkills.size());
    for (const Skill* skill : learnedSkills)
        hashes.push_back(skill != nullptr ? FoldedNameHash(skill->GetObjectName()) : 0);
    found.assign(replicas.size(), nullptr);
    for (size_t r = 0; r < replicas.size(); ++r) {
        const std::string& name = replicas[r].skillName;
        if (name.empty())
            continue;
        const uint64_t hash = FoldedNameHash(name);
        for (size_t i = 0; i < learnedSkills.size(); ++i) {
            Skill* skill = learnedSkills[i];
            if (hashes[i] == hash && skill != nullptr &&
                SameRecordName(skill->GetObjectName(), name)) {
                found[r] = skill;
                break;
            }
        }
    }
}

Skill* SkillManager::FindSkill(uint32_t skillId) const
{
    if (skillId == 0)
        return nullptr;
    for (const std::vector<Skill*>* list : {&learnedSkills, &itemSkills}) {
        for (Skill* skill : *list) {
            if (skill != nullptr && skill->GetObjectId() == skillId)
                return skill;
        }
    }
    return nullptr;
}

bool SkillManager::IsSkillValidForUse(uint32_t skillId, bool itemSkillAlwaysValid) const
{
    const Skill* skill = FindSkill(skillId);
    if (skill == nullptr)
        return false;
    const bool itemSkill = skill->IsItemSkill() || std::find(itemSkills.begin(), itemSkills.end(),
                                                             skill) != itemSkills.end();
    if (itemSkill && itemSkillAlwaysValid)
        return true;
    return skill->GetSkillLevel() != 0;
}

uint32_t SkillManager::SumActiveSkillLevels(bool masteries) const
{
    uint64_t sum = 0;
    for (const Skill* skill : activeSkills) {
        if (skill == nullptr || skill->IsSkillTheMasterySkill() != masteries)
            continue;
        const uint32_t id = skill->GetObjectId();
        if (id == defaultSkillId || id == defaultWPSkillId)
            continue;
        sum = std::min<uint64_t>(sum + skill->GetSkillLevel(), UINT32_MAX);
    }
    return static_cast<uint32_t>(sum);
}

void SkillManager::SetAsControllingManager()
{
    if (skillServices != nullptr)
        return;
    skillServices = std::make_unique<SkillServices_Character>();
    skillServices->SetParent(parent);
}

} // namespace GAME
