#include "skills/SkillActivatedWeaponPool.h"

#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "skills/SkillManagerBase.h"
#include "skills/Skill_WPAttack.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillActivatedWeaponPool, SkillActivated);

SkillActivatedWeaponPool::SkillActivatedWeaponPool()
{
    SetTargetType(SkillTargetType_Enemy);
}

SkillActivatedWeaponPool::~SkillActivatedWeaponPool() = default;

Skill_WPAttack* SkillActivatedWeaponPool::GetCurrentAttack() const
{
    return ObjectManager::Instance().GetObject<Skill_WPAttack>(currentAttackId);
}

void SkillActivatedWeaponPool::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivated::Update(owner, elapsedMs);
    if (skillManager == nullptr)
        return;
    ranged = skillManager->IsRangedWeapon();
    rangeProfile = ranged ? skillManager->GetWeaponRangeProfile() : RangeProfile_Melee;
}

bool SkillActivatedWeaponPool::GetValidTarget(const Character& owner, uint32_t& target,
                                              const WorldVec3& point, bool aroundSelf, float radius)
{
    if (ranged)
        return GetValidRangedTarget(owner, target, point, aroundSelf, radius);
    return GetValidMeleeTarget(owner, target, point, aroundSelf, radius, false);
}

void SkillActivatedWeaponPool::PlaySkillSound1(const WorldCoords& where)
{
    if (Skill_WPAttack* attack = GetCurrentAttack())
        attack->PlaySkillSound1(where);
}

void SkillActivatedWeaponPool::PlaySkillSound2(const WorldCoords& where)
{
    if (Skill_WPAttack* attack = GetCurrentAttack())
        attack->PlaySkillSound2(where);
}

bool SkillActivatedWeaponPool::StartAction(Character& owner, uint32_t targetId,
                                           const WorldVec3& point, uint32_t seed)
{
    if (!IsSkillEnabled())
        return false;
    // Seeded alike on every machine, so all draw the same attack.
    RandomUniform random;
    random.Seed(seed);
    currentAttackId = skillManager != nullptr ? skillManager->SelectWeaponPoolSkill(random) : 0;
    Skill_WPAttack* attack = GetCurrentAttack();
    if (attack == nullptr)
        return false;
    attack->SetParentSkillId(GetObjectId());
    return attack->StartAction(owner, targetId, point, seed);
}

void SkillActivatedWeaponPool::SwipeAction(Character& owner, const Name& callback,
                                           uint32_t targetId, const WorldVec3& point)
{
    if (Skill_WPAttack* attack = GetCurrentAttack())
        attack->SwipeAction(owner, callback, targetId, point);
}

void SkillActivatedWeaponPool::HitAction(Character& owner, const Name& callback, uint32_t targetId,
                                         const WorldVec3& point)
{
    if (Skill_WPAttack* attack = GetCurrentAttack())
        attack->HitAction(owner, callback, targetId, point);
}

bool SkillActivatedWeaponPool::EndAction(Character& owner)
{
    if (Skill_WPAttack* attack = GetCurrentAttack())
        return attack->EndAction(owner);
    return true;
}

} // namespace GAME
