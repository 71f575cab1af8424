#include "skills/SkillSecondary_BuffRadius.h"

#include "characters/Bonus.h"
#include "characters/Character.h"
#include "core/StringHelpers.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillSecondary_BuffRadius, SkillSecondary);

SkillSecondary_BuffRadius::SkillSecondary_BuffRadius()
{
    SetDisplayClassText("^bSecondary Buff Other in Radius");
}

SkillSecondary_BuffRadius::~SkillSecondary_BuffRadius() = default;

void SkillSecondary_BuffRadius::Load(const LoadTable& table)
{
    SkillSecondary::Load(table);
    // The secondary works with the numbers of the buff it hands out.
    buffSkillName = NormalizeFileName(table.GetString("buffSkillName", ""));
    LoadResourcesFrom(buffSkillName);
}

void SkillSecondary_BuffRadius::Pulse(Character& owner, bool bonus)
{
    SkillServicesBase* services = ServicesOf(*this);
    if (services == nullptr)
        return;
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    std::vector<uint32_t> friends;
    GameEngine::Get().GetTargetsInRadius(owner, point, data.GetTargetRadius(), friends, 0, true);
    if (!friends.empty())
        services->SendTargetResult(GetObjectId(), friends, WorldCoords(point),
                                   static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0,
                                   bonus);
}

void SkillSecondary_BuffRadius::PrimaryActivateNow(Character& owner, uint32_t target,
                                                   const std::vector<uint32_t>& targets,
                                                   const WorldVec3& at)
{
    SkillSecondary::PrimaryActivateNow(owner, target, targets, at);
    if (!IsSkillEnabled() || ServicesOf(*this) == nullptr)
        return;
    SetActive(true);
    pulseCountdown = pulseInterval;
    point = at;
    SendActiveState(true);
    NotifyUIOnActivate();
    Pulse(owner, true);
}

void SkillSecondary_BuffRadius::Update(Character& owner, int32_t elapsedMs)
{
    SkillSecondary::Update(owner, elapsedMs);
    if (!IsActive() || ServicesOf(*this) == nullptr)
        return;
    pulseCountdown -= elapsedMs;
    if (pulseCountdown >= 1)
        return;
    pulseCountdown = pulseInterval;
    Pulse(owner, false);
}

void SkillSecondary_BuffRadius::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                             const WorldCoords& origin, uint32_t /*seed*/,
                                             uint32_t /*weaponId*/, bool bonus)
{
    const Bonus levelBonus = LevelBonus(*this);
    for (uint32_t id : targets) {
        Character* target = ObjectManager::Instance().GetObject<Character>(id);
        if (target == nullptr)
            continue;
        if (bonus)
            target->TakeBonus(levelBonus, false, PlayStatsLife_Unknown);
        else
            SendBuffTransfer(*this, owner, *target, buffSkillName, buffTimeToLive);
    }
    if (bonus)
        ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
}

bool SkillSecondary_BuffRadius::Deactivate()
{
    if (!IsActive())
        return false;
    SetActive(false);
    SendActiveState(false);
    return true;
}

void SkillSecondary_BuffRadius::PrimaryStop(Character& owner)
{
    SkillSecondary::PrimaryStop(owner);
    Deactivate();
}

void SkillSecondary_BuffRadius::StopSkill(Character& /*owner*/)
{
    if (Deactivate())
        NotifyUIOnDeactivate();
}

void SkillSecondary_BuffRadius::ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                                                    bool fromSave)
{
    SkillSecondary::ReceiveActiveUpdate(owner, state, fromSave);
    if (owner == nullptr)
        return;
    if (state.active) {
        PlayActivatedSounds(owner->GetCoords().GetPosition(), true);
        CreateTargetFx(owner->GetCoords());
    }
    ApplyActiveWorldVisualEffects(*owner, state.active);
    if (SkillManagerBase* manager = GetManager())
        manager->SetSpeedUpdateNeeded();
}

} // namespace GAME
