#include "skills/Skill.h"

#include "engine/LoadTable.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillServicesBase.h"

#include <algorithm>

#include <new>

#include <iterator>

namespace GAME {

GAME_IMPLEMENT_ABSTRACT_CLASS(Skill, Object);

Skill::~Skill() = default;

void Skill::Load(const LoadTable& table)
{
    LoadResources(table);
}

void Skill::LoadResources(const LoadTable& table)
{
    static const char* const kProfiles[] = {"Melee", "Short", "Moderate", "Long", "Maximum"};
    const std::string profile = table.GetString("distanceProfile", "");
    // A text naming no profile keeps the one the skill has.
    for (size_t index = 0; index < std::size(kProfiles); ++index) {
        if (profile == kProfiles[index])
            rangeProfile = static_cast<int32_t>(index);
    }
}

uint32_t Skill::GetCurrentLevel() const
{
    if (skillState.skillLevel == 0)
        return 0;
    const uint64_t level = static_cast<uint64_t>(skillState.skillLevel) + augmentedLevel;
    return static_cast<uint32_t>(std::min<uint64_t>(level, UINT32_MAX));
}

void Skill::SetSkillLevel(uint32_t level)
{
    skillState.skillLevel = level;
    if (skillManager != nullptr) {
        if (level >= 1 && !tempSkill)
            skillManager->AddToActiveList(this);
        if (skillManager->IsMonsterSkill())
            skillState.enabled = true;
    }
    PreLoadResources();
}

void Skill::IncrementSkillLevel(uint32_t amount)
{
    const uint64_t raised = static_cast<uint64_t>(skillState.skillLevel) + amount;
    const auto level = static_cast<uint32_t>(std::min<uint64_t>(raised, UINT32_MAX));
    if (level == skillState.skillLevel)
        return;
    SetSkillLevel(level);
    SendStateUpdate();
}

void Skill::IncrementAugmentedSkillLevel(uint32_t amount)
{
    augmentedLevel = static_cast<uint32_t>(
        std::min<uint64_t>(static_cast<uint64_t>(augmentedLevel) + amount, UINT32_MAX));
}

void Skill::DecrementAugmentedSkillLevel(uint32_t amount)
{
    augmentedLevel = amount >= augmentedLevel ? 0 : augmentedLevel - amount;
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

float Skill::GetRange() const
{
    const GameEngine& engine = GameEngine::Get();
    switch (rangeProfile) {
    case RangeProfile_Melee:
        return engine.GetMeleeRange();
    case RangeProfile_Short:
        return engine.GetShortRange();
    case RangeProfile_Moderate:
        return engine.GetModerateRange();
    case RangeProfile_Long:
        return engine.GetLongRange();
    case RangeProfile_Maximum:
        return engine.GetMaximumRange();
    default:
        return 1.0f;
    }
}

} // namespace GAME
