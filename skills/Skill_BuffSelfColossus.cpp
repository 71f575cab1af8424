#include "skills/Skill_BuffSelfColossus.h"

#include "characters/Character.h"
#include "skills/SkillProfile.h"

#include <cmath>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_BuffSelfColossus, Skill_BuffSelfDuration);

Skill_BuffSelfColossus::Skill_BuffSelfColossus() = default;

Skill_BuffSelfColossus::~Skill_BuffSelfColossus() = default;

void Skill_BuffSelfColossus::Update(Character& owner, int32_t elapsedMs)
{
    Skill_BuffSelfDuration::Update(owner, elapsedMs);
    suppressed = scaling;
    if (scaling)
        Scale(owner, elapsedMs, false);
}

void Skill_BuffSelfColossus::ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                                                 bool restoring)
{
    Skill_BuffSelfDuration::ReceiveActiveUpdate(owner, state, restoring);
    if (owner == nullptr)
        return;
    const SkillProfile& profile = GetSkillProfile();
    scaling = true;
    scaleTime = profile.GetActorScaleTime();
    targetScale = state.active ? profile.GetActorScale() : owner->GetBaseScale();
    scaleDelta = std::fabs(targetScale - owner->GetCurrentScale());
    if (restoring)
        Scale(*owner, 0, true);
    // Nothing is fed from the switch until the size is reached, not only from the next frame.
    suppressed = scaling;
}

void Skill_BuffSelfColossus::Scale(Character& owner, int32_t ms, bool immediate)
{
    if (immediate) {
        scaleTime = 0;
        scaling = false;
        owner.SetScale(targetScale);
        return;
    }
    const float current = owner.GetCurrentScale();
    // In floating point: whole-number steps would stay 0 for every frame shorter than the
    // scale time. No scale time covers the whole change at once.
    const double step = scaleTime > 0 ? static_cast<double>(ms) / scaleTime * scaleDelta
                                      : static_cast<double>(scaleDelta);
    if (current < targetScale) {
        const double next = current + step;
        if (next < targetScale) {
            owner.SetScale(static_cast<float>(next));
            return;
        }
        scaling = false;
        owner.SetExtentsLarge();
        owner.SetScale(targetScale);
    } else if (current > targetScale) {
        const double next = current - step;
        if (next > targetScale) {
            owner.SetScale(static_cast<float>(next));
            return;
        }
        scaling = false;
        owner.SetExtentsSmall();
        owner.SetScale(targetScale);
    } else {
        scaling = false;
    }
}

} // namespace GAME
