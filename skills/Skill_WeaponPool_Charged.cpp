#include "skills/Skill_WeaponPool_Charged.h"

#include "core/Saturate.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillServicesBase.h"

#include <algorithm>

namespace GAME {

Skill_WeaponPool_Charged::Skill_WeaponPool_Charged()
{
    SetUseDefaultWhenOutOfMana(true);
    SetUseDefaultWhenCoolingDown(true);
}

Skill_WeaponPool_Charged::~Skill_WeaponPool_Charged() = default;

bool Skill_WeaponPool_Charged::IsTrackable(uint32_t /*level*/) const
{
    return charge > 0;
}

int32_t Skill_WeaponPool_Charged::TrackableRemainingTime(uint32_t /*level*/) const
{
    return static_cast<int32_t>(std::min<uint32_t>(charge, INT32_MAX));
}

int32_t Skill_WeaponPool_Charged::TrackableTotalTime(uint32_t /*level*/) const
{
    return static_cast<int32_t>(std::min<uint32_t>(GetMaxCharge(), INT32_MAX));
}

uint32_t Skill_WeaponPool_Charged::GetReplicatedCharge() const
{
    return static_cast<uint32_t>(ClampedState(skillActiveState).subLevel);
}

uint32_t Skill_WeaponPool_Charged::GetMaxCharge() const
{
    return GetSkillProfile().GetMaxChargeLevel(GetCurrentLevel());
}

int32_t Skill_WeaponPool_Charged::ChargeDurationAt(uint32_t level) const
{
    return SaturateToInt(GetSkillProfile().GetChargeDuration(level));
}

bool Skill_WeaponPool_Charged::HoldsCharge() const
{
    if (IsSkillEnabled())
        return true;
    const int32_t why = GetReason();
    return GetCurrentLevel() > 0 && (why == UseQuery_CoolingDown || why == UseQuery_NotEnoughMana);
}

void Skill_WeaponPool_Charged::SendCharge() const
{
    SkillServicesBase* services = skillManager ? skillManager->GetSkillServices() : nullptr;
    if (services == nullptr)
        return;
    SkillActiveState state = skillActiveState;
    state.subLevel = static_cast<int32_t>(std::min<uint32_t>(charge, INT32_MAX));
    services->SendSkillActiveUpdate(GetObjectId(), state);
}

SkillActiveState Skill_WeaponPool_Charged::ClampedState(const SkillActiveState& state) const
{
    SkillActiveState clamped = state;
    const int64_t most = std::min<int64_t>(GetMaxCharge(), INT32_MAX);
    clamped.subLevel = static_cast<int32_t>(std::clamp<int64_t>(state.subLevel, 0, most));
    return clamped;
}

void Skill_WeaponPool_Charged::AdoptCharge(const SkillActiveState& state, bool initial)
{
    // Without this a restored charge would hold its bonuses while the timer, counting the
    // machine's own charge of 0, never took them down.
    if (!initial)
        return;
    charge = static_cast<uint32_t>(state.subLevel);
    chargeTimer = ChargeDurationAt(charge);
}

} // namespace GAME
