#include "skills/SkillManager.h"

#include "characters/Character.h"
#include "core/PlayStats.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "skills/Skill.h"
#include "skills/SkillActivated.h"
#include "skills/SkillServicesBase.h"
#include "world/Prop.h"

#include <unordered_set>
#include <vector>

namespace GAME {

namespace {

enum class Callback {
    Other,
    End,
    Swipe,
    SkillSound1,
    SkillSound2,
    Prop1Add,
    Prop1Hide,
    Prop1Remove,
    Prop2Add,
    Prop2Hide,
    Prop2Remove,
    PS1Start,
    PS1End,
    PS2Start,
    PS2End,
    PS3Start,
    PS3End,
    Hit
};

Callback ClassifyCallback(const Name& name)
{
    struct Entry {
        Name name;
        Callback callback;
    };
    static const std::vector<Entry> table = [] {
        const std::pair<const char*, Callback> texts[] = {
            {"End", Callback::End},
            {"Swipe", Callback::Swipe},
            {"SwipeRight", Callback::Swipe},
            {"SwipeLeft", Callback::Swipe},
            {"SwipeBoth", Callback::Swipe},
            {"SkillSound1", Callback::SkillSound1},
            {"SkillSound2", Callback::SkillSound2},
            {"SkillPropAdd", Callback::Prop1Add},
            {"SkillProp1Add", Callback::Prop1Add},
            {"SkillPropHide", Callback::Prop1Hide},
            {"SkillProp1Hide", Callback::Prop1Hide},
            {"SkillPropRemove", Callback::Prop1Remove},
            {"SkillProp1Remove", Callback::Prop1Remove},
            {"SkillProp2Add", Callback::Prop2Add},
            {"SkillProp2Hide", Callback::Prop2Hide},
            {"SkillProp2Remove", Callback::Prop2Remove},
            {"PS1Start", Callback::PS1Start},
            {"PS1End", Callback::PS1End},
            {"PS2Start", Callback::PS2Start},
            {"PS2End", Callback::PS2End},
            {"PS3Start", Callback::PS3Start},
            {"PS3End", Callback::PS3End},
            {"Hit", Callback::Hit},
            {"RightHandHit", Callback::Hit},
            {"LeftHandHit", Callback::Hit},
            {"FootHit", Callback::Hit},
            {"SpecialHit01", Callback::Hit},
            {"SpecialHit02", Callback::Hit},
            {"SpecialHit03", Callback::Hit},
            {"SpecialHit04", Callback::Hit},
        };
        std::vector<Entry> entries;
        for (const auto& [text, callback] : texts)
            entries.push_back({Name::Create(text), callback});
        return entries;
    }();
    for (const Entry& entry : table) {
        if (entry.name == name)
            return entry.callback;
    }
    return Callback::Other;
}

void TakePropOff(Character& character, Prop* prop)
{
    if (prop == nullptr)
        return;
    character.RemoveEquipmentProp(prop->GetObjectId());
    prop->SetVisibility(true);
}

void HideProp(Prop* prop)
{
    if (prop != nullptr)
        prop->SetVisibility(false);
}

} // namespace

void SkillManager::Update(int32_t elapsedMs)
{
    InitializePendingPets();
    skillAttributes.Clear();
    CollectAvailableSkillAttributes(skillAttributes);
    CollectWeaponTypes();
    // Hand states 3 and 5 hold a ranged weapon.
    const int32_t handState = GetHandState();
    rangedWeapon = handState == 3 || handState == 5;
    weaponRangeProfile = rangedWeapon ? 3 : 0;

    if (parent == nullptr)
        return;
    bool dualWield = false;
    const std::vector<Skill*> active = activeSkills;
    for (Skill* skill : active) {
        skill->Update(*parent, elapsedMs);
        dualWield = skill->AllowDualWieldWeapons() || dualWield;
    }
    if (dualWield != dualWieldAllowed) {
        dualWieldAllowed = dualWield;
        parent->AllowDualWieldWeapons(dualWield);
    }
    UpdateBuffs(elapsedMs);
    const std::vector<Skill*> items = itemSkills;
    for (Skill* skill : items)
        skill->Update(*parent, elapsedMs);
}

bool SkillManager::StartSkill(uint32_t reference, uint32_t targetId, const WorldVec3& point,
                              uint32_t seed) const
{
    auto* skill = DynamicCast<SkillActivated>(FindSkill(GetSkillIdFromReference(reference)));
    if (skill == nullptr || parent == nullptr || !skill->IsSkillEnabled())
        return false;
    // A hero who cannot attack asks again every frame: told as a count, not a line a try.
    if (!skill->StartAction(*parent, targetId, point, seed)) {
        gEngine->LogCounted(Engine::LogRuntime,
                            "Animation failed to start in SkillManager::StartSkill - %s %s",
                            parent->GetObjectName().c_str(), skill->GetObjectName().c_str());
        return false;
    }
    if (skillServices != nullptr)
        skillServices->ClearHitIteration();
    parent->GetPlayStats().SkillUsed(skill->GetObjectName());
    return true;
}

bool SkillManager::HandleSkillAnimationCallback(const Name& name, uint32_t reference,
                                                uint32_t targetId, const WorldVec3& point)
{
    auto* skill = DynamicCast<SkillActivated>(FindSkill(GetSkillIdFromReference(reference)));
    if (skill == nullptr || parent == nullptr)
        return false;
    Character& character = *parent;
    const Callback callback = ClassifyCallback(name);
    switch (callback) {
    case Callback::End:
        return skill->EndAction(character);
    case Callback::Swipe:
        skill->SwipeAction(character, name, targetId, point);
        break;
    case Callback::SkillSound1:
        skill->PlaySkillSound1(character.GetCoords());
        break;
    case Callback::SkillSound2:
        skill->PlaySkillSound2(character.GetCoords());
        break;
    case Callback::Prop1Add:
        character.AddEquipmentProp(skill->GetProp1());
        break;
    case Callback::Prop1Hide:
        HideProp(skill->GetProp1());
        break;
    case Callback::Prop1Remove:
        TakePropOff(character, skill->GetProp1());
        break;
    case Callback::Prop2Add:
        character.AddEquipmentProp(skill->GetProp2());
        break;
    case Callback::Prop2Hide:
        HideProp(skill->GetProp2());
        break;
    case Callback::Prop2Remove:
        TakePropOff(character, skill->GetProp2());
        break;
    case Callback::PS1Start:
    case Callback::PS1End:
        skill->ParticleEffect1(character, callback == Callback::PS1Start);
        break;
    case Callback::PS2Start:
    case Callback::PS2End:
        skill->ParticleEffect2(character, callback == Callback::PS2Start);
        break;
    case Callback::PS3Start:
    case Callback::PS3End:
        skill->ParticleEffect3(character, callback == Callback::PS3Start);
        break;
    case Callback::Hit:
        if (skillServices != nullptr)
            skillServices->IncHitIteration();
        skill->HitAction(character, name, targetId, point);
        break;
    case Callback::Other:
        break;
    }
    return false;
}

void SkillManager::CancelSkillAction(uint32_t reference)
{
    Skill* skill = FindSkill(GetSkillIdFromReference(reference));
    if (skill == nullptr || parent == nullptr)
        return;
    skill->ParticleEffect1(*parent, false);
    skill->ParticleEffect2(*parent, false);
    skill->ParticleEffect3(*parent, false);
    TakePropOff(*parent, skill->GetProp1());
    TakePropOff(*parent, skill->GetProp2());
    skill->Cancel(*parent);
}

bool SkillManager::SkillWarmUp(uint32_t reference, bool end)
{
    auto* skill = DynamicCast<SkillActivated>(FindSkill(GetSkillIdFromReference(reference)));
    if (skill == nullptr)
        return false;
    if (end) {
        skill->WarmUpEnd();
        return false;
    }
    return skill->WarmUpStart();
}

void SkillManager::SkillTargetResult(uint32_t reference, const std::vector<uint32_t>& targets,
                                     const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                                     bool melee, int32_t hitIteration)
{
    const uint32_t skillId = GetSkillIdFromReference(reference);
    if (!HoldsCommandSkill(skillId, "SkillTargetResult") || parent == nullptr)
        return;
    Skill* skill = FindSkill(skillId);
    // A result lists each target its attack reached once; a peer's list naming one over and over
    // would have it take as many attacks, and this machine work through every one.
    std::vector<uint32_t> reached;
    reached.reserve(targets.size());
    std::unordered_set<uint32_t> seen;
    for (const uint32_t target : targets)
        if (seen.insert(target).second)
            reached.push_back(target);
    skill->TargetResult(*parent, reached, origin, seed, weaponId, melee);
    // Only the use's first hit that finds a target pays.
    if (hitIteration == 1 && !targets.empty()) {
        skill->SubtractManaCost();
        skill->StartCooldown();
    }
}

void SkillManager::CreateProjectile(uint32_t reference, uint32_t projectileId,
                                    const WorldCoords& origin, uint32_t targetId,
                                    const WorldVec3& point, uint32_t weaponId, uint32_t seed,
                                    int32_t hitIteration)
{
    const uint32_t skillId = GetSkillIdFromReference(reference);
    if (!HoldsCommandSkill(skillId, "CreateProjectile") || parent == nullptr)
        return;
    Skill* skill = FindSkill(skillId);
    if (hitIteration == 1) {
        skill->SubtractManaCost();
        skill->StartCooldown();
    }
    skill->CreateProjectile(*parent, origin, targetId, point, weaponId, projectileId, seed);
}

void SkillManager::SkillSpawnObject(uint32_t reference, const WorldCoords& origin, uint32_t value,
                                    const std::vector<WorldCoords>& spawnCoords,
                                    const std::vector<uint32_t>& spawnIds, uint32_t seed)
{
    const uint32_t skillId = GetSkillIdFromReference(reference);
    if (!HoldsCommandSkill(skillId, "SkillSpawnObject") || parent == nullptr)
        return;
    FindSkill(skillId)->SkillSpawnObject(*parent, origin, value, spawnCoords, spawnIds, seed);
}

void SkillManager::SkillStateUpdateCommand(uint32_t reference, const SkillState& state)
{
    if (Skill* skill = FindCommandSkill(reference, "SkillStateUpdateCommand"))
        skill->ReceiveStateUpdate(state, false);
}

void SkillManager::SkillActiveStateUpdateCommand(uint32_t reference, const SkillActiveState& state)
{
    if (Skill* skill = FindCommandSkill(reference, "SkillActiveStateUpdateCommand"))
        skill->ReceiveActiveUpdate(parent, state, false);
}

} // namespace GAME
