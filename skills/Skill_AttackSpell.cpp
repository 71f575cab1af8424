#include "skills/Skill_AttackSpell.h"

#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillServicesBase.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackSpell, SkillActivated);

Skill_AttackSpell::Skill_AttackSpell()
{
    SetPrimary(true);
    SetSecondary(true);
}

Skill_AttackSpell::~Skill_AttackSpell() = default;

void Skill_AttackSpell::ActivateNow(Character& owner, const Name& /*callback*/, uint32_t targetId,
                                    const WorldVec3& /*point*/)
{
    SkillServicesBase* services =
        skillManager != nullptr ? skillManager->GetSkillServices() : nullptr;
    if (ObjectManager::Instance().GetObject<Character>(targetId) == nullptr ||
        services == nullptr || !IsTargetInRange(owner, targetId, kRange))
        return;
    services->SendTargetResult(GetObjectId(), {targetId}, owner.GetCoords(),
                               static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0, false);
}

void Skill_AttackSpell::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                     const WorldCoords& origin, uint32_t seed,
                                     uint32_t /*weaponId*/, bool /*melee*/)
{
    ApplySpellHits(owner, targets, origin, seed, Name());
    ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
}

} // namespace GAME
