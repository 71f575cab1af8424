#include "skills/Skill_OnHitAttackRadius.h"

#include "characters/Character.h"
#include "combat/ParametersCombat.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"
#include "world/RadiusMagic.h"

#include <algorithm>
#include <limits>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_OnHitAttackRadius, SkillActivated);

namespace {

float RadiusDistance(const WorldVec3& a, const WorldVec3& b)
{
    if (const World* world = gEngine->GetWorld())
        return world->GetDistance(a, b);
    return (a.GetRegionPosition() - b.GetRegionPosition()).Length();
}
} // namespace

Skill_OnHitAttackRadius::Skill_OnHitAttackRadius()
{
    SetPrimary(false);
    SetSecondary(true);
    SetRepeatable(false);
    // Arming pays the mana; disarming starts the cooldown.
    SetCooldownAtEnd(true);
}

Skill_OnHitAttackRadius::~Skill_OnHitAttackRadius() = default;

void Skill_OnHitAttackRadius::ActivateNow(Character& /*owner*/, const Name& /*callback*/,
                                          uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    SwitchByUse(armed);
}

void Skill_OnHitAttackRadius::OnHitActivation(Character& owner,
                                              const ParametersCombat& /*parameters*/)
{
    if (!IsControllingSkill() || !armed || !pendingTargets.empty())
        return;
    const uint32_t level = GetCurrentLevel();
    float chance = GetSkillProfile().GetActivationChance(level);
    const float roll = GameEngine::Get().GetRandomGen().FGenerate(0.1f, 100.0f);
    if (onHitCooldown > 0)
        chance = 0.0f;
    if (roll > chance)
        return;
    waveElapsed = 0;
    waveTime = SaturateToInt(static_cast<double>(GetSkillProfile().GetRadiusTime(level)));
    waveCentre = owner.GetCoords().GetPosition();
    onHitCooldown = SaturateToInt(static_cast<double>(GetCooldownTime()));
    SkillProfile_Modifiers data;
    GetSkillModifierData(data);
    pendingTargets.clear();
    GameEngine::Get().GetTargetsInRadius(owner.GetTeam(), waveCentre, data.GetTargetRadius(),
                                         pendingTargets, 0, false);
    SendActiveState(true, true);
}

void Skill_OnHitAttackRadius::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivatedBuffSelf::Update(owner, elapsedMs);
    SkillManagerBase* manager = GetManager();
    SkillServicesBase* services = manager ? manager->GetSkillServices() : nullptr;
    if (services == nullptr)
        return;
    if (onHitCooldown > 0)
        onHitCooldown = SaturateToInt(static_cast<double>(onHitCooldown) - elapsedMs);
    if (!pendingTargets.empty()) {
        waveElapsed = SaturateToInt(static_cast<double>(waveElapsed) + elapsedMs);
        SkillProfile_Modifiers data;
        GetSkillModifierData(data);
        const float radius = data.GetTargetRadius();
        // A wave with no travel time covers its whole radius at once.
        const float front = waveTime > 0
                                ? static_cast<float>(waveElapsed) / static_cast<float>(waveTime)
                                : std::numeric_limits<float>::infinity();
        std::vector<uint32_t> hits;
        ObjectManager& objects = ObjectManager::Instance();
        auto keep = pendingTargets.begin();
        for (uint32_t id : pendingTargets) {
            const Character* target = objects.GetObject<Character>(id);
            if (target == nullptr)
                continue;
            if (RadiusDistance(target->GetCoords().GetPosition(), waveCentre) <= front)
                hits.push_back(id);
            else
                *keep++ = id;
        }
        pendingTargets.erase(keep, pendingTargets.end());
        // Once the front has passed the radius, whoever outran it is out of reach; otherwise
        // the wave, and the skill with it, would never settle.
        if (front > radius)
            pendingTargets.clear();
        if (!hits.empty()) {
            services->ClearHitIteration();
            services->SendTargetResult(GetObjectId(), hits, WorldCoords(waveCentre),
                                       static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0,
                                       false);
        }
    }
    if (skillActiveState.active)
        ApplyActiveCosts(owner, elapsedMs);
}

void Skill_OnHitAttackRadius::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                           const WorldCoords& origin, uint32_t seed,
                                           uint32_t /*weaponId*/, bool /*melee*/)
{
    ApplyDirectDamage(owner, targets, origin, seed);
    ActivateSecondarySkills(owner, 0, targets, origin.GetPosition());
}

void Skill_OnHitAttackRadius::StopSkill(Character& /*owner*/)
{
    if (!IsControllingSkill() || !armed)
        return;
    armed = false;
    SendActiveState(false);
    NotifyUIOnDeactivate();
}

void Skill_OnHitAttackRadius::ReceiveActiveUpdate(Character* owner, const SkillActiveState& state,
                                                  bool fromSave)
{
    SkillActivatedBuffSelf::ReceiveActiveUpdate(owner, state, fromSave);
    if (owner == nullptr)
        return;
    const uint32_t level = GetCurrentLevel();
    if (state.transition) {
        if (!fromSave)
            PlayHitSound(owner->GetCoords().GetPosition());
        SkillProfile_Modifiers data;
        GetSkillModifierData(data);
        CreateVisualEffect(
            owner->GetCoords(), data.GetTargetRadius(),
            SaturateToInt(static_cast<double>(GetSkillProfile().GetRadiusTime(level))));
        return;
    }
    if (!fromSave) {
        ApplyCost(state.active);
        PlayActivatedSounds(owner->GetCoords().GetPosition(), state.active);
    }
    ApplyActivatedVisualEffects(*owner, state.active);
}

void Skill_OnHitAttackRadius::CreateVisualEffect(const WorldCoords& where, float radius,
                                                 int32_t time)
{
    World* world = gEngine->GetWorld();
    if (world == nullptr)
        return;
    ObjectManager& objects = ObjectManager::Instance();
    WorldCoords at = where;
    at.ClearRotation();
    const std::string& magicName = GetSkillProfile().GetRadiusMagicName();
    if (!magicName.empty()) {
        if (auto* magic = objects.CreateObjectFromFile<RadiusMagic>(magicName)) {
            magic->SetEffect(radius, static_cast<float>(time));
            WorldCoords raised = at;
            raised.SetPosition(
                WorldVec3(at.GetRegionId(), at.GetPosition().GetRegionPosition() + Vec3(0, 1, 0)));
            magic->SetPhysicsType(0);
            if (!world->AddEntity(magic, raised, false))
                objects.DestroyObjectEx(magic, "Project/Game/Skill", __LINE__);
        }
    }
    const std::string& effectName = GetSkillProfile().GetRadiusEffectName();
    if (effectName.empty())
        return;
    if (auto* effect = objects.CreateObjectFromFile<Entity>(effectName)) {
        if (!world->AddEntity(effect, at, false))
            objects.DestroyObjectEx(effect, "Project/Game/Skill", __LINE__);
    }
}

} // namespace GAME
