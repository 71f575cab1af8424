#include "skills/SkillBuff_Contageous.h"

#include "characters/Character.h"
#include "core/Saturate.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "skills/SkillBuffTransfer.h"
#include "skills/SkillProfile.h"
#include "skills/SkillProfile_Modifiers.h"

#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillBuff_Contageous, SkillBuff_Debuf);

SkillBuff_Contageous::SkillBuff_Contageous()
{
    SetDisplayName("^bSkill Buff Contageous");
}

SkillBuff_Contageous::~SkillBuff_Contageous() = default;

void SkillBuff_Contageous::Install(Character* owner)
{
    SkillBuff_Debuf::Install(owner);
    const uint32_t level = GetCurrentLevel();
    contagionCountdown = GetSkillProfile().GetContagionInterval(level);
    spreadsLeft = GetSkillProfile().GetContagionMaxSpread(level);
    if (owner != nullptr)
        victimTeam = owner->GetTeam();
}

void SkillBuff_Contageous::Update(Character& owner, int32_t elapsedMs)
{
    SkillBuff_Debuf::Update(owner, elapsedMs);
    contagionCountdown = AddSaturating(contagionCountdown, -elapsedMs);
    // The active state's transition flag is this buff's leave to spread.
    if (skillActiveState.transition && contagionCountdown < 1)
        Spread(owner);
}

void SkillBuff_Contageous::Spread(Character& owner)
{
    const SkillProfile& profile = GetSkillProfile();
    const uint32_t level = GetCurrentLevel();
    contagionCountdown = profile.GetContagionInterval(level);
    const float radius = profile.GetContagionRadius(level);
    int32_t limit = profile.GetContagionLimit(level);

    std::vector<uint32_t> allies;
    if (radius > 0.0f)
        GameEngine::Get().GetTargetsInRadius(victimTeam, owner.GetCoords().GetPosition(), radius,
                                             allies, owner.GetObjectId(), true);
    if (allies.empty())
        return;

    SkillBuffTransfer request;
    request.buffName = GetObjectName();
    request.buffLevel = level;
    GetModifierInfo(0, request.modifierName1, request.modifierLevel1);
    GetModifierInfo(1, request.modifierName2, request.modifierLevel2);
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    request.timeToLive = SaturateToInt(static_cast<double>(data.GetActiveDuration()) * 1000.0);
    request.casterId = owner.GetObjectId();

    for (uint32_t id : allies) {
        // Once the last spread is used the pass ends, so a max spread of 1 infects exactly one.
        if (limit <= 0 || !skillActiveState.transition)
            break;
        Character* ally = ObjectManager::Instance().GetObject<Character>(id);
        if (ally == nullptr || ally->IsSkillBuffActive(GetObjectName()))
            continue;
        ally->ControllerAddSkillBuff(request, profile.GetQualifyingWeapons(),
                                     profile.GetQualifyingDualWeapons());
        --spreadsLeft;
        if (spreadsLeft < 1)
            skillActiveState.transition = false;
        --limit;
    }
}

} // namespace GAME
