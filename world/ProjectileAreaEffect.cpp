#include "world/ProjectileAreaEffect.h"

#include "characters/Character.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "skills/Skill.h"
#include "world/FxPak.h"

#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(ProjectileAreaEffect, ProjectileBase);

ProjectileAreaEffect::~ProjectileAreaEffect() = default;

void ProjectileAreaEffect::Load(const LoadTable& table)
{
    ProjectileBase::Load(table);
    areaEffectName = table.GetString("areaEffect", "");
}

void ProjectileAreaEffect::ProjectileGo()
{
    ProjectileBase::ProjectileGo();
    const ProjectileInfo& info = GetInfo();
    WorldCoords at = info.launchCoords;
    const Character* target = ObjectManager::Instance().GetObject<Character>(info.targetId);
    at.SetPosition(target != nullptr ? target->GetCoords().GetPosition() : info.targetPoint);
    World* world = gEngine->GetWorld();
    if (world != nullptr)
        world->AddEntity(this, at, true);
    SetVelocity(Vec3());
    // A record or launch asking for ages gets the longest life a countdown holds.
    lifeCountdown = SaturateToInt(static_cast<double>(info.duration) * 1000.0);
    pulseCountdown = lifeCountdown > pulseInterval ? pulseInterval : 0;
    GetFlightFx().StartFx();
    StartLaunchAnimation();
    state = State_Active;
    UpdateSelf(0);
    if (areaEffectName.empty() || world == nullptr)
        return;
    if (auto* pack = ObjectManager::Instance().CreateObjectFromFile<FxPak>(areaEffectName, 0, true))
        world->AddEntity(pack, at, true);
}

void ProjectileAreaEffect::PlaySwipeSound(const WorldVec3&)
{
    ProjectileBase::PlaySwipeSound(GetInfo().targetPoint);
}

void ProjectileAreaEffect::UpdateSelf(int32_t elapsedMs)
{
    ProjectileBase::UpdateSelf(elapsedMs);
    timer.Update();
    const int32_t elapsed = timer.GetElapsedTime();
    lifeCountdown = AddSaturating(lifeCountdown, -elapsed);
    pulseCountdown = AddSaturating(pulseCountdown, -elapsed);
    if (state != State_Active)
        return;
    // The end of life comes before a pulse due at the same moment.
    if (lifeCountdown < 1 && elapsedMs >= 1) {
        ProjectileStop();
        return;
    }
    if (pulseCountdown < 1) {
        pulseCountdown = pulseInterval;
        Pulse();
    }
}

void ProjectileAreaEffect::Pulse()
{
    WorldCoords at = GetCoords();
    ProcessExplosion(true, at);
    SetFilteredTargets({});
    ProcessFragmentation(0, at);
    if (gGameEngine == nullptr)
        return;
    const ProjectileInfo& info = GetInfo();
    for (const ProjectileModifierStruct& modifier : GetModifierCopies()) {
        if (!(modifier.explosionRadius > 0.0f))
            continue;
        std::vector<uint32_t> friends;
        gGameEngine->GetTargetsInRadius(info.team, at.GetPosition(), modifier.explosionRadius,
                                        friends, 0, true);
        if (friends.empty())
            continue;
        if (Skill* skill = ObjectManager::Instance().GetObject<Skill>(modifier.ownerSkillId))
            skill->TargetFriendInformation(info, at, friends);
    }
}

void ProjectileAreaEffect::ProjectileStop()
{
    GetFlightFx().StopFx();
    CreateImpactFx();
    PlayHitSound(GetCoords().GetPosition());
    state = State_Done;
    DeleteProjectile();
}

} // namespace GAME
