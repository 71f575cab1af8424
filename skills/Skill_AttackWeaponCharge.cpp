#include "skills/Skill_AttackWeaponCharge.h"

#include "engine/ObjectManager.h"
#include "skills/Skill_MeleeModifier.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackWeaponCharge, Skill_AttackWeapon);

Skill_AttackWeaponCharge::Skill_AttackWeaponCharge()
{
    SetUseDefaultWhenOutOfMana(false);
}

Skill_AttackWeaponCharge::~Skill_AttackWeaponCharge() = default;

void Skill_AttackWeaponCharge::ActivateNow(Character& owner, const Name& callback,
                                           uint32_t targetId, const WorldVec3& point)
{
    Skill_AttackWeapon::ActivateNow(owner, callback, targetId, point);
    if (!GetWarmUpWasActive())
        return;
    const ObjectManager& objects = ObjectManager::Instance();
    for (const uint32_t id : GetModifiers()) {
        if (auto* modifier = objects.GetObject<Skill_MeleeModifier>(id))
            modifier->ActivateModifierAttack(owner, targetId, point);
    }
}

} // namespace GAME
