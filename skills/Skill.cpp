#include "skills/Skill.h"

#include "characters/Character.h"
#include "core/StringHelpers.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "game/GameEngine.h"
#include "game/GameUIInterface.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillServicesBase.h"
#include "world/Prop.h"

#include <iterator>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill, Object);

Skill::Skill() = default;

Skill::~Skill()
{
    ObjectManager& objects = ObjectManager::Instance();
    Object* const owned[] = {warmUpSound, swipeSound,  hitSound,    activateSound, deactivateSound,
                             castSound,   unCastSound, skillSound1, skillSound2,   prop1,
                             prop2,       pet,         nextLevelPet};
    for (Object* object : owned) {
        if (object != nullptr)
            objects.DestroyObjectEx(object, "Project/Game/Skill", __LINE__);
    }
}

void Skill::Load(const LoadTable& table)
{
    resourceName = Name::Create(NormalizeFileName(GetObjectName()));
    LoadResources(table);
}

void Skill::LoadResources(const LoadTable& table)
{
    // Without the game's hub (tools, bare tests) the skill answers from the empty profile.
    if (gGameEngine != nullptr)
        profile = gGameEngine->LoadSkillResource(resourceName, table);

    static const char* const kProfiles[] = {"Melee", "Short", "Moderate", "Long", "Maximum"};
    const std::string text = table.GetString("distanceProfile", "");
    // A text naming no profile keeps the one the skill has.
    for (size_t index = 0; index < std::size(kProfiles); ++index) {
        if (text == kProfiles[index])
            rangeProfile = static_cast<int32_t>(index);
    }

    LoadSounds();

    ObjectManager& objects = ObjectManager::Instance();
    const SkillProfile& data = GetSkillProfile();
    if (!data.GetPropName1().empty() && prop1 == nullptr)
        prop1 = objects.CreateObjectFromFile<Prop>(data.GetPropName1());
    if (!data.GetPropName2().empty() && prop2 == nullptr)
        prop2 = objects.CreateObjectFromFile<Prop>(data.GetPropName2());
}

void Skill::LoadOriginalSkillResource(const LoadTable& table) const
{
    if (gGameEngine != nullptr)
        gGameEngine->LoadSkillResource(Name::Create(NormalizeFileName(GetObjectName())), table);
}

const LoadTable* Skill::LoadResourcesFrom(const std::string& record)
{
    const LoadTable* table =
        record.empty() ? nullptr : ObjectManager::Instance().GetDatabase().FindLoadTable(record);
    if (table == nullptr || table->GetKeyCount() == 0)
        return nullptr;
    resourceName = Name::Create(NormalizeFileName(record));
    LoadResources(*table);
    LoadOriginalSkillResource(*table);
    return table;
}

const SkillProfile& Skill::GetSkillProfile() const
{
    if (profile != nullptr)
        return *profile;
    if (gGameEngine != nullptr && gGameEngine->GetNullSkillResource() != nullptr)
        return *gGameEngine->GetNullSkillResource();
    // Tools that run skills without the game's hub still get an all-zero answer.
    static const SkillProfile empty;
    return empty;
}

uint32_t Skill::GetMaxLevel() const
{
    return GetSkillProfile().GetMaxLevel();
}

uint32_t Skill::GetUltimateLevel() const
{
    return GetSkillProfile().GetUltimateLevel();
}

uint32_t Skill::GetMasteryLevelRequirement() const
{
    return GetSkillProfile().GetMasteryLevelRequirement();
}

std::string Skill::GetDisplayNameTag() const
{
    return GetSkillProfile().GetDisplayNameTag();
}

std::string Skill::GetBaseDescriptionTag() const
{
    return GetSkillProfile().GetBaseDescriptionTag();
}

std::vector<std::string> Skill::GetSkillDependancy() const
{
    return GetSkillProfile().GetSkillDependancy();
}

bool Skill::IsPetDisplayable() const
{
    return GetSkillProfile().GetPetDisplayable();
}

void Skill::UnInstall(Character*)
{
    if (skillManager == nullptr)
        return;
    skillManager->RemoveWeaponEnchantment(GetObjectId());
    skillManager->RemoveCharFxPak(GetObjectId());
}

void Skill::AddMastery(uint32_t id)
{
    if (id != 0)
        masteryId = id;
}

void Skill::AddBaseSkill(uint32_t id)
{
    if (id != 0)
        baseSkills.push_back(id);
}

void Skill::AddModifier(uint32_t id)
{
    if (id != 0)
        modifiers.push_back(id);
}

void Skill::AddSecondarySkill(uint32_t id)
{
    if (id != 0)
        secondarySkills.push_back(id);
}

uint32_t Skill::GetMasteryLevel() const
{
    const Skill* mastery = ObjectManager::Instance().GetObject<Skill>(masteryId);
    return mastery != nullptr ? mastery->GetSkillLevel() : 0;
}

bool Skill::IsBaseSkillEnabled() const
{
    if (baseSkills.empty())
        return true;
    const ObjectManager& objects = ObjectManager::Instance();
    for (uint32_t id : baseSkills) {
        const Skill* base = objects.GetObject<Skill>(id);
        if (base != nullptr && base->GetCurrentLevel() > 0)
            return true;
    }
    return false;
}

std::wstring Skill::GetBaseNameText() const
{
    if (baseSkills.empty())
        return std::wstring();
    const Skill* base = ObjectManager::Instance().GetObject<Skill>(baseSkills.front());
    if (base == nullptr)
        return std::wstring();
    return LocalizationManager::Instance().Format(base->GetDisplayNameTag());
}

std::wstring Skill::GetBaseNamesText() const
{
    const ObjectManager& objects = ObjectManager::Instance();
    const LocalizationManager& texts = LocalizationManager::Instance();
    std::wstring text;
    for (uint32_t id : baseSkills) {
        const Skill* base = objects.GetObject<Skill>(id);
        if (base == nullptr)
            continue;
        text += texts.Format("SkillBaseNamesFormat", texts.Format(base->GetDisplayNameTag()));
    }
    return text;
}

bool Skill::IsControllingSkill() const
{
    return skillManager != nullptr && skillManager->GetSkillServices() != nullptr;
}

void Skill::SendStateUpdate() const
{
    if (SkillServicesBase* services = skillManager ? skillManager->GetSkillServices() : nullptr)
        services->SendSkillStateUpdate(GetObjectId(), skillState);
}

void Skill::SendActiveStateUpdate() const
{
    if (SkillServicesBase* services = skillManager ? skillManager->GetSkillServices() : nullptr)
        services->SendSkillActiveUpdate(GetObjectId(), skillActiveState);
}

void Skill::SendActiveState(bool active, bool transition) const
{
    if (SkillServicesBase* services = skillManager ? skillManager->GetSkillServices() : nullptr)
        services->SendSkillActiveUpdate(GetObjectId(), SkillActiveState(0, active, transition));
}

void Skill::NotifyUIOnActivate() const
{
    if (GameUIInterface* ui = GameEngine::Get().GetUI())
        ui->SkillActivated(GetObjectId());
}

void Skill::NotifyUIOnDeactivate() const
{
    if (GameUIInterface* ui = GameEngine::Get().GetUI())
        ui->SkillDeactivated(GetObjectId());
}

} // namespace GAME
