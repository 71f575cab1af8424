#include "skills/Skill_ProjectileModifier.h"

#include "characters/Character.h"
#include "combat/ParametersCombat.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillServicesBase.h"
#include "world/ProjectileInfo.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_ProjectileModifier, Skill_Modifier);

Skill_ProjectileModifier::~Skill_ProjectileModifier() = default;

void Skill_ProjectileModifier::CreateImpactFx(const WorldCoords& where)
{
    const std::string& name = GetSkillProfile().GetProjModImpactFxPakName(GetCurrentLevel());
    if (name.empty())
        return;
    ObjectManager& objects = ObjectManager::Instance();
    auto* effect = objects.CreateObjectFromFile<Entity>(name);
    if (effect == nullptr)
        return;
    WorldCoords placed = where;
    placed.ClearRotation();
    World* world = gEngine->GetWorld();
    // An effect the world will not take would be nobody's.
    if (world == nullptr || !world->AddEntity(effect, placed, false))
        objects.DestroyObjectEx(effect, "Project/Game/Skill_ProjectileModifier", __LINE__);
}

void Skill_ProjectileModifier::TargetInformation(const ProjectileInfo& info,
                                                 const WorldCoords& where,
                                                 const std::vector<uint32_t>& targets)
{
    SkillServicesBase* services = GetManager() ? GetManager()->GetSkillServices() : nullptr;
    if (services != nullptr &&
        ObjectManager::Instance().GetObject<Character>(info.ownerId) != nullptr) {
        // The base skill's hit already paid for this one.
        services->ClearHitIteration();
        services->SendTargetResult(GetObjectId(), targets, info.launchCoords,
                                   static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()),
                                   info.weaponId, false);
    }
    CreateImpactFx(where);
}

void Skill_ProjectileModifier::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                            const WorldCoords& origin, uint32_t seed,
                                            uint32_t sourceId, bool /*melee*/)
{
    AttackTargets(owner, targets, seed, ParametersCombatStyle_Projectile, sourceId, &origin);
}

} // namespace GAME
