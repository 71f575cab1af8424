#include "skills/Skill_PassiveOnLifeBuffSelf.h"

#include "characters/CharAttributeType.h"
#include "characters/Character.h"
#include "core/Saturate.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_PassiveOnLifeBuffSelf, Skill);

void Skill_PassiveOnLifeBuffSelf::Update(Character& owner, int32_t elapsedMs)
{
    Skill::Update(owner, elapsedMs);
    if (!IsControllingSkill())
        return;
    const float monitor = GetSkillProfile().GetLifeMonitorPercent(GetCurrentLevel());
    const float maxLife = owner.GetTotalCharAttribute(CharAttribute_Life);
    // Without a maximum the share means nothing: a dead or unset owner neither triggers nor
    // counts as restored.
    const bool known = maxLife > 0.0f;
    const float lifePercent = known ? owner.GetCurrentLife() / maxLife * 100.0f : 0.0f;
    if (!triggered) {
        if (known && lifePercent <= monitor && IsSkillEnabled()) {
            triggered = true;
            lifeRestored = false;
            SendActiveState(true);
            totalActiveTime = SkillSelfBuffShield::GetActiveTime(*this);
            remainingActiveTime = totalActiveTime;
        }
        return;
    }
    if (known && lifePercent > monitor)
        lifeRestored = true;
    if (!lifeRestored)
        return;
    remainingActiveTime = SaturateToInt(static_cast<double>(remainingActiveTime) - elapsedMs);
    if (remainingActiveTime < 1) {
        triggered = false;
        SendActiveState(false);
    }
}

void Skill_PassiveOnLifeBuffSelf::StopSkill(Character& /*owner*/)
{
    if (!IsControllingSkill() || !triggered)
        return;
    triggered = false;
    lifeRestored = false;
    remainingActiveTime = 0;
    SendActiveState(false);
}

void Skill_PassiveOnLifeBuffSelf::ReceiveActiveUpdate(Character* owner,
                                                      const SkillActiveState& state, bool force)
{
    Skill::ReceiveActiveUpdate(owner, state, force);
    if (owner == nullptr)
        return;
    if (!force && state.active)
        CreateTargetFx(owner->GetCoords());
    ApplySwitch(*owner, state.active, force);
    if (GetManager() != nullptr)
        GetManager()->SetSpeedUpdateNeeded();
}

bool Skill_PassiveOnLifeBuffSelf::IsTrackable(uint32_t /*level*/) const
{
    return triggered;
}

bool Skill_PassiveOnLifeBuffSelf::TrackableTimed(uint32_t /*level*/) const
{
    return true;
}

int32_t Skill_PassiveOnLifeBuffSelf::TrackableRemainingTime(uint32_t /*level*/) const
{
    return lifeRestored ? remainingActiveTime : 1;
}

int32_t Skill_PassiveOnLifeBuffSelf::TrackableTotalTime(uint32_t /*level*/) const
{
    return lifeRestored ? totalActiveTime : 1;
}

} // namespace GAME
