#include "skills/SkillActivatedSpell.h"

#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "combat/ParametersCombat.h"
#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "skills/SkillProfile.h"
#include "world/ProjectileBase.h"

namespace GAME {

namespace {
constexpr const char* kSkillActivatedSpellSource = "Project/Game/SkillActivatedSpell";
} // namespace

SkillActivatedSpell::SkillActivatedSpell()
{
    SetTargetType(SkillTargetType_Enemy);
}

SkillActivatedSpell::~SkillActivatedSpell()
{
    DestroyTemplateProjectile();
}

void SkillActivatedSpell::DestroyTemplateProjectile()
{
    ObjectManager::Instance().DestroyObjectEx(templateProjectile, kSkillActivatedSpellSource,
                                              __LINE__);
    templateProjectile = nullptr;
}

void SkillActivatedSpell::PreLoadResources()
{
    SkillActivated::PreLoadResources();
    DestroyTemplateProjectile();
    const std::string name = GetProjectileName();
    if (!name.empty())
        templateProjectile = ObjectManager::Instance().CreateObjectFromFile<ProjectileBase>(name);
}

void SkillActivatedSpell::PreLoad(bool flag)
{
    SkillActivated::PreLoad(flag);
    if (templateProjectile != nullptr)
        templateProjectile->PreLoad(flag);
}

bool SkillActivatedSpell::GetValidTarget(const Character& owner, uint32_t& target,
                                         const WorldVec3& point, bool aroundSelf, float radius)
{
    if (GetSkillProfile().GetProjectileTargetGroundOnly() ||
        GetSkillType() == SkillType_UseAtOnce) {
        target = 0;
        return true;
    }
    return GetValidRangedTarget(owner, target, point, aroundSelf, radius);
}

void SkillActivatedSpell::TargetInformation(const ProjectileInfo& info, const WorldCoords& origin,
                                            const std::vector<uint32_t>& targets)
{
    SendProjectileTargets(info, origin, targets);
}

void SkillActivatedSpell::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                       const WorldCoords& origin, uint32_t seed, uint32_t weaponId,
                                       bool /*melee*/)
{
    if (targets.empty())
        return;
    const bool allDamages = GetSkillProfile().ProjectileUsesAllDamages();
    // A spell using every damage collects its own as if it were the weapon.
    const uint32_t source = allDamages && weaponId == 0 ? GetObjectId() : weaponId;
    ApplyDamage(owner, targets, origin, seed, ParametersCombatStyle_Projectile, allDamages, source,
                0.0f, false);
    ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
}

bool SkillActivatedSpell::StartAction(Character& owner, uint32_t /*targetId*/,
                                      const WorldVec3& /*point*/, uint32_t /*seed*/)
{
    return StartCastAnimation(owner, AnimationSet_SpellCast);
}

void SkillActivatedSpell::SwipeAction(Character& owner, const Name& /*callback*/,
                                      uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    PlaySwipeSound(owner.GetCoords().GetPosition());
}

void SkillActivatedSpell::HitAction(Character& owner, const Name& callback, uint32_t targetId,
                                    const WorldVec3& point)
{
    ActivateNow(owner, callback, targetId, point);
}

void SkillActivatedSpell::ApplySpellHits(Character& owner, const std::vector<uint32_t>& targets,
                                         const WorldCoords& origin, uint32_t seed,
                                         const Name& fxAttachPoint)
{
    if (targets.empty())
        return;
    RandomUniform random;
    random.Seed(seed);
    ObjectManager& objects = ObjectManager::Instance();
    for (uint32_t id : targets) {
        if (Character* target = objects.GetObject<Character>(id))
            ApplySpellHit(owner, *target, origin, random, fxAttachPoint);
    }
}

void SkillActivatedSpell::ApplySpellHit(Character& owner, Character& target,
                                        const WorldCoords& origin, RandomUniform& random,
                                        const Name& fxAttachPoint)
{
    const SkillProfile& data = GetSkillProfile();
    ParametersCombat parameters(random);
    // Style 0: resolved as a direct attack, without dodge or deflect rolls.
    CollectCombatParameters(owner, &target, static_cast<ParametersCombatStyle>(0), false, 0,
                            parameters, 0.0f);
    InitRagDollData(parameters.ragDoll, origin, target.GetCoords());
    CreateTargetFx(fxAttachPoint.IsEmpty() ? target.GetCoords()
                                           : target.GetAttachedCoords(fxAttachPoint));
    target.TakeAttack(parameters);
    PlayHitSound(target.GetCoords().GetPosition());
    if (!data.GetSpellAuraName().empty())
        target.AddAura(data.GetSpellAuraName(), false,
                       static_cast<int32_t>(data.GetSpellAuraDuration(GetCurrentLevel())));
}

void SkillActivatedSpell::ApplyFauxHit(Character& owner, Character& target, RandomUniform& random)
{
    ParametersCombat parameters(random);
    parameters.attackerId = owner.GetObjectId();
    CreateTargetFx(target.GetCoords());
    target.TakeAttack(parameters);
    PlayHitSound(target.GetCoords().GetPosition());
}

} // namespace GAME
