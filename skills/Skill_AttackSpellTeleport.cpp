#include "skills/Skill_AttackSpellTeleport.h"

#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackSpellTeleport, Skill_AttackSpell);

Skill_AttackSpellTeleport::Skill_AttackSpellTeleport()
{
    SetPrimary(false);
}

Skill_AttackSpellTeleport::~Skill_AttackSpellTeleport() = default;

void Skill_AttackSpellTeleport::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                             const WorldCoords& origin, uint32_t seed,
                                             uint32_t weaponId, bool melee)
{
    if (targets.empty())
        return;
    if (Character* target = ObjectManager::Instance().GetObject<Character>(targets.front())) {
        const WorldCoords a = owner.GetCoords();
        const WorldCoords b = target->GetCoords();
        target->TeleportToLocation(a);
        owner.TeleportToLocation(b);
        PlayHitSound(owner.GetCoords().GetPosition());
        CreateTargetFx(owner.GetCoords());
    }
    Skill_AttackSpell::TargetResult(owner, targets, origin, seed, weaponId, melee);
    ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
}

} // namespace GAME
