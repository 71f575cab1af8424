#include "skills/Skill_AttackSpellTeleportSelf.h"

#include "characters/Character.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillServicesBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackSpellTeleportSelf, Skill_AttackSpell);

Skill_AttackSpellTeleportSelf::Skill_AttackSpellTeleportSelf()
{
    SetPrimary(false);
}

Skill_AttackSpellTeleportSelf::~Skill_AttackSpellTeleportSelf() = default;

void Skill_AttackSpellTeleportSelf::ActivateNow(Character& /*owner*/, const Name& /*callback*/,
                                                uint32_t /*targetId*/, const WorldVec3& point)
{
    SkillServicesBase* services =
        skillManager != nullptr ? skillManager->GetSkillServices() : nullptr;
    if (services == nullptr)
        return;
    WorldCoords coords(point);
    coords.ClearRotation();
    services->SendTargetResult(GetObjectId(), {}, coords,
                               static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0, false);
}

void Skill_AttackSpellTeleportSelf::TargetResult(Character& owner,
                                                 const std::vector<uint32_t>& targets,
                                                 const WorldCoords& origin, uint32_t seed,
                                                 uint32_t /*weaponId*/, bool /*melee*/)
{
    owner.TeleportToLocation(origin);
    PlayHitSound(owner.GetCoords().GetPosition());
    CreateTargetFx(owner.GetCoords());
    ApplySpellHits(owner, targets, origin, seed, Name());
    ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
}

} // namespace GAME
