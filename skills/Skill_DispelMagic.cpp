#include "skills/Skill_DispelMagic.h"

#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_DispelMagic, SkillActivated);

Skill_DispelMagic::Skill_DispelMagic()
{
    SetPrimary(false);
    SetSecondary(true);
    SetRepeatable(false);
    // Foes and friends alike.
    SetTargetType(static_cast<SkillTargetType>(4));
}

Skill_DispelMagic::~Skill_DispelMagic() = default;

bool Skill_DispelMagic::GetValidTarget(const Character& owner, uint32_t& target,
                                       const WorldVec3& point, bool aroundSelf, float radius)
{
    return GetValidDeliveryTarget(owner, target, point, aroundSelf, radius);
}

void Skill_DispelMagic::ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                                    const WorldVec3& point)
{
    DeliverToTarget(owner, callback, targetId, point);
}

void Skill_DispelMagic::CreateProjectile(Character& owner, const WorldCoords& origin,
                                         uint32_t targetId, const WorldVec3& point,
                                         uint32_t /*weaponId*/, uint32_t projectileId,
                                         uint32_t seed)
{
    CreateTimedProjectile(owner, origin, targetId, point, projectileId, seed);
}

void Skill_DispelMagic::TargetInformation(const ProjectileInfo& info, const WorldCoords& origin,
                                          const std::vector<uint32_t>& targets)
{
    SendProjectileTargets(info, origin, targets);
}

void Skill_DispelMagic::TargetFriendInformation(const ProjectileInfo& info,
                                                const WorldCoords& origin,
                                                const std::vector<uint32_t>& targets)
{
    SendProjectileTargets(info, origin, targets);
}

void Skill_DispelMagic::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                     const WorldCoords& origin, uint32_t seed,
                                     uint32_t /*weaponId*/, bool /*melee*/)
{
    if (!targets.empty()) {
        RandomUniform random;
        random.Seed(seed);
        const TeamManager* teams = GameEngine::Get().GetTeamManager();
        for (uint32_t id : targets) {
            Character* target = ObjectManager::Instance().GetObject<Character>(id);
            if (target == nullptr)
                continue;
            if (teams != nullptr && teams->IsFriend(owner.GetTeam(), target->GetTeam())) {
                target->DispelSkillDeBuffs();
                CreateTargetFx(target->GetCoords());
                continue;
            }
            target->DispelSkillBuffs();
            ApplySpellHit(owner, *target, origin, random, Name());
        }
    }
    ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
}

} // namespace GAME
