#include "skills/Skill_BuffRadius.h"

#include "characters/Bonus.h"
#include "characters/Character.h"
#include "core/PlayStats.h"
#include "core/Saturate.h"
#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillSelfBuffShield.h"
#include "skills/SkillServicesBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_BuffRadius, SkillActivated);

Skill_BuffRadius::Skill_BuffRadius()
{
    SetPrimary(false);
    SetSecondary(true);
    SetRepeatable(false);
    SetCooldownAtEnd(false);
}

Skill_BuffRadius::~Skill_BuffRadius() = default;

void Skill_BuffRadius::Load(const LoadTable& table)
{
    buffSkillName = table.GetString("buffSkillName", "");
    NormalizeFileNameLower(buffSkillName);
    const LoadTable* buff = LoadResourcesFrom(buffSkillName);
    if (buff == nullptr) {
        // Without the buff's numbers the aura has nothing to give: it keeps the null profile.
        gEngine->Log(Engine::LogData, "Skill (%s) has no buff record (%s)", GetObjectName().c_str(),
                     buffSkillName.c_str());
        buffSkillName.clear();
        return;
    }
    debuff = buff->GetBool("debufSkill", false);
}

bool Skill_BuffRadius::SendTargetsAround(Character& owner, SkillServicesBase& services,
                                         bool initial, std::vector<uint32_t>& targets)
{
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    GameEngine& engine = GameEngine::Get();
    targets.clear();
    engine.GetTargetsInRadius(owner.GetTeam(), owner.GetCoords().GetPosition(),
                              data.GetTargetRadius(), targets, 0, !debuff);
    if (targets.empty())
        return false;
    services.ClearHitIteration();
    services.SendTargetResult(GetObjectId(), targets, owner.GetCoords(),
                              static_cast<uint32_t>(engine.GetRandomSeed()), 0, initial);
    return true;
}

void Skill_BuffRadius::EndAura(bool notifyUI)
{
    toggledOn = false;
    SendActiveState(false);
    if (notifyUI)
        NotifyUIOnDeactivate();
}

void Skill_BuffRadius::ActivateNow(Character& owner, const Name& /*callback*/, uint32_t targetId,
                                   const WorldVec3& point)
{
    SkillServicesBase* services = HasManager() ? GetManager()->GetSkillServices() : nullptr;
    if (services == nullptr || buffSkillName.empty())
        return;
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    toggledOn = true;
    totalTime = SaturateToInt(static_cast<double>(data.GetActiveDuration()) * 1000.0);
    remainingTime = totalTime;
    pulseCountdown = pulseInterval;
    SendActiveState(true);
    NotifyUIOnActivate();
    std::vector<uint32_t> targets;
    SendTargetsAround(owner, *services, true, targets);
    PrimaryActivateSecondarySkills(owner, targetId, targets, point);
}

void Skill_BuffRadius::UpdateSkillController(SkillServicesBase* /*services*/, int32_t elapsedMs)
{
    if (!toggledOn)
        return;
    remainingTime = SaturateToInt(static_cast<double>(remainingTime) - elapsedMs);
    if (remainingTime <= 0 || !QualifyingWeapon())
        EndAura(false);
}

void Skill_BuffRadius::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivatedBuffSelf::Update(owner, elapsedMs);
    if (SkillServicesBase* services = HasManager() ? GetManager()->GetSkillServices() : nullptr) {
        UpdateSkillController(services, elapsedMs);
        if (toggledOn) {
            pulseCountdown = SaturateToInt(static_cast<double>(pulseCountdown) - elapsedMs);
            if (pulseCountdown < 1) {
                pulseCountdown = pulseInterval;
                std::vector<uint32_t> targets;
                SendTargetsAround(owner, *services, false, targets);
            }
        }
    }
    if (GetActiveState().active)
        ApplyActiveCosts(owner, elapsedMs);
}

bool Skill_BuffRadius::IsTrackable(uint32_t /*level*/) const
{
    return toggledOn;
}

bool Skill_BuffRadius::HasIconDisplay(uint32_t /*level*/) const
{
    return debuff && toggledOn;
}

bool Skill_BuffRadius::TrackableTimed(uint32_t /*level*/) const
{
    return true;
}

int32_t Skill_BuffRadius::TrackableRemainingTime(uint32_t /*level*/) const
{
    return remainingTime;
}

int32_t Skill_BuffRadius::TrackableTotalTime(uint32_t /*level*/) const
{
    return totalTime;
}

void Skill_BuffRadius::CollectPassiveCharAttributes(CharAttributeAccumulator& acc) const
{
    // The benefits reach others through the installed buffs; the caster bears only the penalty.
    if (GetActiveState().active)
        GetSkillProfile().GetCharAttributesPenalty(acc, GetCurrentLevel());
}

void Skill_BuffRadius::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                    const WorldCoords& origin, uint32_t /*seed*/,
                                    uint32_t /*weaponId*/, bool initial)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (initial) {
        const uint32_t level = GetCurrentLevel();
        const SkillProfile& data = GetSkillProfile();
        Bonus bonus;
        bonus.lifePoints = data.GetLifeBonus(level);
        bonus.manaPoints = data.GetManaBonus(level);
        bonus.effectName = data.GetBonusEffectName();
        for (const uint32_t id : targets) {
            Character* target = objects.GetObject<Character>(id);
            if (target != nullptr && !debuff)
                target->TakeBonus(bonus, false, PlayStatsLife_Unknown);
        }
        // Once for the result, not once per target: each run already covers the whole list.
        ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
        return;
    }
    for (const uint32_t id : targets) {
        if (Character* target = objects.GetObject<Character>(id))
            ApplyBuffOnTarget(owner, *target, buffSkillName, buffTimeToLive);
    }
}

void Skill_BuffRadius::StopSkill(Character& /*owner*/)
{
    if (IsControllingSkill() && toggledOn)
        EndAura(true);
}

void Skill_BuffRadius::ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                                           bool fromSave)
{
    SkillActivatedBuffSelf::ReceiveActiveUpdate(owner, state, fromSave);
    if (owner == nullptr)
        return;
    if (!fromSave) {
        ApplyCost(state.active);
        PlayActivatedSounds(owner->GetCoords().GetPosition(), state.active);
        if (state.active)
            CreateTargetFx(owner->GetCoords());
    }
    ApplyActivatedVisualEffects(*owner, state.active);
    if (HasManager())
        GetManager()->SetSpeedUpdateNeeded();
}

} // namespace GAME
