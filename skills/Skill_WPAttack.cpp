#include "skills/Skill_WPAttack.h"

#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "skills/SkillActivatedWeaponPool.h"
#include "skills/SkillAttributeAccumulator.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_WPAttack, SkillActivated);

Skill_WPAttack::Skill_WPAttack()
{
    SetDisplayName("^bBasic Weapon Attack");
}

Skill_WPAttack::~Skill_WPAttack() = default;

uint32_t Skill_WPAttack::GetChanceWeight(bool includeDisabled) const
{
    if (!IsSkillEnabled() && !includeDisabled)
        return 0;
    return GetSkillProfile().GetChanceWeight(GetCurrentLevel());
}

bool Skill_WPAttack::SetAvailability(bool /*ignoreMana*/, bool /*ignoreCooldown*/)
{
    return SkillActivatedWeapon::SetAvailability(true, true);
}

SkillActivatedWeaponPool* Skill_WPAttack::GetParentPool() const
{
    if (parentSkillId == 0)
        return nullptr;
    return ObjectManager::Instance().GetObject<SkillActivatedWeaponPool>(parentSkillId);
}

Skill* Skill_WPAttack::GetResourceParent() const
{
    if (parentSkillId == 0 || parentSkillId == GetObjectId())
        return nullptr;
    Skill* parent = ObjectManager::Instance().GetObject<Skill>(parentSkillId);
    return parent != nullptr && parent->ShouldWpUseParentResources() ? parent : nullptr;
}

float Skill_WPAttack::GetTotalSkillAttribute(SkillAttributeType type) const
{
    float total = SkillActivatedWeapon::GetTotalSkillAttribute(type);
    if (const Skill* parent = GetResourceParent()) {
        // Only the pool's own numbers: the owner's total is in the attack's already and would
        // count twice through the pool's answer.
        SkillAttributeAccumulator accumulator;
        accumulator.SetSeed(static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()));
        parent->GetSkillProfile().GetSkillAttributes(accumulator, parent->GetCurrentLevel());
        parent->AddModifierSkillAttributes(accumulator);
        total += accumulator.GetValue(type);
    }
    return total;
}

void Skill_WPAttack::GetSkillModifierData(SkillProfile_Modifiers& data) const
{
    SkillActivatedWeapon::GetSkillModifierData(data);
    if (const Skill* parent = GetResourceParent())
        parent->GetSkillModifierData(data);
}

void Skill_WPAttack::AddProjectileModifier(ProjectileBase* projectile) const
{
    SkillActivatedWeapon::AddProjectileModifier(projectile);
    if (const Skill* parent = GetResourceParent())
        parent->AddProjectileModifier(projectile);
}

void Skill_WPAttack::PlaySwipeSound(const WorldVec3& position)
{
    SkillActivatedWeapon::PlaySwipeSound(position);
    if (Skill* parent = GetResourceParent())
        parent->PlaySwipeSound(position);
}

void Skill_WPAttack::PlayHitSound(const WorldVec3& position)
{
    SkillActivatedWeapon::PlayHitSound(position);
    if (Skill* parent = GetResourceParent())
        parent->PlayHitSound(position);
}

void Skill_WPAttack::CreateTargetFx(const WorldCoords& where)
{
    SkillActivatedWeapon::CreateTargetFx(where);
    if (Skill* parent = GetResourceParent())
        parent->CreateTargetFx(where);
}

void Skill_WPAttack::CollectLocalOffensiveDamageAttributes(CombatAttributeAccumulator& acc) const
{
    SkillActivatedWeapon::CollectLocalOffensiveDamageAttributes(acc);
    if (const Skill* parent = GetResourceParent())
        parent->CollectLocalOffensiveDamageAttributes(acc);
}

void Skill_WPAttack::CollectLocalOffensiveModifierAttributes(CombatAttributeAccumulator& acc) const
{
    SkillActivatedWeapon::CollectLocalOffensiveModifierAttributes(acc);
    if (const Skill* parent = GetResourceParent())
        parent->CollectLocalOffensiveModifierAttributes(acc);
}

bool Skill_WPAttack::ExecuteWeaponHit(SkillActivated& skill, Character& owner, const Name& callback,
                                      uint32_t targetId, const WorldVec3& point)
{
    const SkillManagerBase* manager = skill.GetManager();
    if (manager == nullptr)
        return false;
    static const Name rightHandHit = Name::Create("RightHandHit");
    static const Name leftHandHit = Name::Create("LeftHandHit");
    uint32_t weaponId = 0;
    if (callback == rightHandHit)
        weaponId = manager->GetRightHandWeapon();
    else if (callback == leftHandHit)
        weaponId = manager->GetLeftHandWeapon();
    if (manager->IsRangedWeapon()) {
        // Launched from the hand, facing as the owner faces.
        WorldCoords origin = owner.GetCoords();
        origin.SetPosition(skill.GetCoordsFromCallback(owner, callback).GetPosition());
        return skill.ExecuteRangedAttack(owner, origin, targetId, point, weaponId);
    }
    return skill.ExecuteMeleeAttack(owner, targetId, point, weaponId);
}

} // namespace GAME
