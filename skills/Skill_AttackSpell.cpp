#include "skills/Skill_AttackSpell.h"

#include "characters/Character.h"
#include "combat/ParametersCombat.h"
#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
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

void Skill_AttackSpell::ApplySpellHits(Character& owner, const std::vector<uint32_t>& targets,
                                       const WorldCoords& origin, uint32_t seed,
                                       const Name& fxAttachPoint)
{
    if (targets.empty())
        return;
    RandomUniform random;
    random.Seed(seed);
    const SkillProfile& data = GetSkillProfile();
    ObjectManager& objects = ObjectManager::Instance();
    for (uint32_t id : targets) {
        Character* target = objects.GetObject<Character>(id);
        if (target == nullptr)
            continue;
        ParametersCombat parameters(random);
        // Style 0: resolved as a direct attack, without dodge or deflect rolls.
        CollectCombatParameters(owner, target, static_cast<ParametersCombatStyle>(0), false, 0,
                                parameters, 0.0f);
        InitRagDollData(parameters.ragDoll, origin, target->GetCoords());
        CreateTargetFx(fxAttachPoint.IsEmpty() ? target->GetCoords()
                                               : target->GetAttachedCoords(fxAttachPoint));
        target->TakeAttack(parameters);
        PlayHitSound(target->GetCoords().GetPosition());
        if (!data.GetSpellAuraName().empty())
            target->AddAura(data.GetSpellAuraName(), false,
                            static_cast<int32_t>(data.GetSpellAuraDuration(GetCurrentLevel())));
    }
}

void Skill_AttackSpell::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                     const WorldCoords& origin, uint32_t seed,
                                     uint32_t /*weaponId*/, bool /*melee*/)
{
    ApplySpellHits(owner, targets, origin, seed, Name());
    ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
}

} // namespace GAME
