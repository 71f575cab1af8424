#include "skills/Skill_BuffSelfToggled.h"

#include "characters/Bonus.h"
#include "characters/Character.h"
#include "core/PlayStats.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/Skill_PassiveShield.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_BuffSelfToggled, SkillActivated);

Skill_BuffSelfToggled::Skill_BuffSelfToggled()
{
    SetPrimary(false);
    SetSecondary(true);
    SetRepeatable(false);
}

Skill_BuffSelfToggled::~Skill_BuffSelfToggled()
{
    ReleaseFilter();
}

void Skill_BuffSelfToggled::Install(Character* owner)
{
    if (owner == nullptr)
        return;
    // A second install on another owner must not leave the first one holding this filter.
    if (filterOwnerId != 0 && filterOwnerId != owner->GetObjectId())
        ReleaseFilter();
    owner->RemoveCombatFilter(this);
    owner->AddCombatFilter(this);
    filterOwnerId = owner->GetObjectId();
}

void Skill_BuffSelfToggled::UnInstall(Character* owner)
{
    SkillActivatedBuffSelf::UnInstall(owner);
    ReleaseFilter();
}

void Skill_BuffSelfToggled::ReleaseFilter()
{
    if (filterOwnerId == 0)
        return;
    if (auto* owner = ObjectManager::Instance().GetObject<Character>(filterOwnerId))
        owner->RemoveCombatFilter(this);
    filterOwnerId = 0;
}

void Skill_BuffSelfToggled::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivatedBuffSelf::Update(owner, elapsedMs);
    if (GetActiveState().active)
        ApplyActiveCosts(owner, elapsedMs);
}

bool Skill_BuffSelfToggled::IsTrackable(uint32_t /*level*/) const
{
    return toggledOn;
}

void Skill_BuffSelfToggled::ActivateNow(Character& /*owner*/, const Name& /*callback*/,
                                        uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    SwitchByUse(toggledOn);
}

void Skill_BuffSelfToggled::StopSkill(Character& /*owner*/)
{
    if (IsControllingSkill() && toggledOn) {
        toggledOn = false;
        SendActiveState(false);
        NotifyUIOnDeactivate();
    }
    suppressed = false;
}

void Skill_BuffSelfToggled::ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                                                bool restoring)
{
    SkillActivatedBuffSelf::ReceiveActiveUpdate(owner, state, restoring);
    const bool active = state.active;
    if (owner != nullptr) {
        const WorldVec3 position = owner->GetCoords().GetPosition();
        // A restored switch was paid for when it was made.
        if (!restoring) {
            ApplyCost(active);
            PlayActivatedSounds(position, active);
            if (active) {
                CreateTargetFx(owner->GetCoords());
                const uint32_t level = GetCurrentLevel();
                const SkillProfile& profile = GetSkillProfile();
                Bonus bonus;
                bonus.lifePoints = profile.GetLifeBonus(level);
                bonus.manaPoints = profile.GetManaBonus(level);
                bonus.effectName = profile.GetBonusEffectName();
                owner->TakeBonus(bonus, false, PlayStatsLife_Unknown);
                const uint32_t self = owner->GetObjectId();
                ActivateSecondarySkills(*owner, self, std::vector<uint32_t>{self}, position);
            }
        }
        ApplyActivatedVisualEffects(*owner, active);
    }
    if (SkillManagerBase* manager = GetManager())
        manager->SetSpeedUpdateNeeded();
    InitializeBuff();
}

void Skill_BuffSelfToggled::InitializeBuff()
{
    if (GetActiveState().active) {
        const uint32_t level = GetCurrentLevel();
        absorption = GetSkillProfile().GetDamageAbsorption(level);
        absorptionTotal = absorption;
        absorptionPercent = GetSkillProfile().GetDamageAbsorptionPercent(level);
    } else {
        absorption = 0.0f;
        absorptionTotal = 0.0f;
        absorptionPercent = 0.0f;
    }
}

float Skill_BuffSelfToggled::ModifyDamage(float damage, CombatAttributeType type)
{
    // Off, the values are zero and the damage passes whole.
    return Skill_PassiveShield::FilterDamage(GetSkillProfile(), damage, type, absorption,
                                             absorptionPercent);
}

bool Skill_BuffSelfToggled::ProvidesInvulnerability(const std::vector<std::string>& /*races*/) const
{
    return false;
}

} // namespace GAME
