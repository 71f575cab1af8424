#include "skills/Skill_BuffSelfImmobilize.h"

#include "characters/Character.h"
#include "combat/DurationDamageManager.h"
#include "core/Saturate.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_BuffSelfImmobilize, Skill_BuffSelfDuration);

Skill_BuffSelfImmobilize::Skill_BuffSelfImmobilize()
{
    SetDisruptable(false);
}

Skill_BuffSelfImmobilize::~Skill_BuffSelfImmobilize() = default;

void Skill_BuffSelfImmobilize::Update(Character& owner, int32_t elapsedMs)
{
    Skill_BuffSelfDuration::Update(owner, elapsedMs);
    if (!GetActiveState().active)
        return;
    immobilizeCountdown = SaturateToInt(static_cast<double>(immobilizeCountdown) - elapsedMs);
    if (immobilizeCountdown < 1) {
        immobilizeCountdown = immobilizeInterval;
        DurationDamageManager& damage = owner.GetDurationDamageMgr();
        damage.AddFixedDamage(CombatAttributeType_Immobilize, 1.0f, immobilizeDuration);
        damage.EndAttack();
    }
}

} // namespace GAME
