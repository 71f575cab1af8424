#include "skills/Skill_GiveBonus.h"

#include "characters/Bonus.h"
#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "skills/SkillWorldQueries.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_GiveBonus, SkillActivated);

Skill_GiveBonus::Skill_GiveBonus()
{
    SetPrimary(false);
    SetSecondary(true);
    SetRepeatable(false);
    SetSkillType(SkillType_Normal);
}

Skill_GiveBonus::~Skill_GiveBonus() = default;

bool Skill_GiveBonus::GetValidTarget(const Character& owner, uint32_t& target,
                                     const WorldVec3& point, bool aroundSelf, float radius)
{
    return GetValidDeliveryTarget(owner, target, point, aroundSelf, radius);
}

void Skill_GiveBonus::ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                                  const WorldVec3& point)
{
    DeliverToTarget(owner, callback, targetId, point);
}

void Skill_GiveBonus::CreateProjectile(Character& owner, const WorldCoords& origin,
                                       uint32_t targetId, const WorldVec3& point,
                                       uint32_t /*weaponId*/, uint32_t projectileId, uint32_t seed)
{
    CreateTimedProjectile(owner, origin, targetId, point, projectileId, seed);
}

void Skill_GiveBonus::TargetInformation(const ProjectileInfo& info, const WorldCoords& origin,
                                        const std::vector<uint32_t>& targets)
{
    SendProjectileTargets(info, origin, targets);
}

void Skill_GiveBonus::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                   const WorldCoords& origin, uint32_t /*seed*/,
                                   uint32_t /*weaponId*/, bool /*melee*/)
{
    if (targets.empty())
        return;
    PlayHitSound(owner.GetCoords().GetPosition());
    const Bonus bonus = LevelBonus(*this);
    for (uint32_t id : targets) {
        if (Character* target = ObjectManager::Instance().GetObject<Character>(id)) {
            CreateTargetFx(target->GetCoords());
            target->TakeBonus(bonus, false, PlayStatsLife_Unknown);
        }
    }
    ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
}

} // namespace GAME
