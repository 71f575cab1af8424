#include "skills/SkillActivated.h"

#include "characters/Character.h"
#include "combat/ParametersCombat.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "game/GameEngine.h"
#include "items/Weapon.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillProfile_Modifiers.h"
#include "skills/SkillServicesBase.h"

#include <algorithm>

namespace GAME {

namespace {

// A kept melee target must stand this close; the cone searches reach a little further.
constexpr float kMeleeKeepRange = 2.5f;
constexpr float kMeleeConeRange = 3.0f;
constexpr float kLoneConeAngle = 10.0f;
constexpr float kLoneConeRange = 2.5f;
constexpr float kExtraShotRadius = 1.0f;
constexpr float kRadiusKeepRange = 20.0f;
// 20 squared: an area aimed further away finds no area targets.
constexpr float kRadiusReachSquared = 400.0f;

SkillServicesBase* ServicesOfManager(const SkillManagerBase* manager)
{
    return manager != nullptr ? manager->GetSkillServices() : nullptr;
}

float SquaredDistance(const WorldVec3& a, const WorldVec3& b)
{
    const World* world = gEngine->GetWorld();
    return world != nullptr ? world->GetDistanceSquared(a, b) : 0.0f;
}

uint32_t NextSeed()
{
    return static_cast<uint32_t>(GameEngine::Get().GetRandomSeed());
}

} // namespace

bool SkillActivated::ExecuteMeleeAttack(Character& owner, uint32_t targetId,
                                        const WorldVec3& /*point*/, uint32_t weaponId)
{
    SkillServicesBase* services = ServicesOfManager(skillManager);
    if (services == nullptr)
        return false;

    SkillProfile_Modifiers modifiers;
    GetSkillModifierData(modifiers);
    const float angle = modifiers.GetTargetAngle();
    // A negative number would cut the list to a negative size: it counts as no limit.
    const size_t number = static_cast<size_t>(std::max(modifiers.GetTargetNumber(), 0));

    const uint32_t kept =
        targetId != 0 && IsTargetInRange(owner, targetId, kMeleeKeepRange) ? targetId : 0;
    const GameEngine& engine = GameEngine::Get();
    const WorldVec3 apex = owner.GetCoords().GetPosition();
    const Vec3& facing = owner.GetCoords().GetRegionCoords().forward;

    std::vector<uint32_t> targets;
    if (angle != 0.0f) {
        if (number == 1 && kept != 0) {
            targets.push_back(kept);
        } else {
            engine.GetTargetsInCone(owner.GetTeam(), apex, facing, angle, kMeleeConeRange, targets,
                                    kept, false);
            if (number != 0 && targets.size() >= number) {
                targets.resize(kept != 0 ? number - 1 : number);
                if (kept != 0)
                    targets.push_back(kept);
            } else if (kept != 0) {
                targets.push_back(kept);
            }
        }
    } else if (kept != 0) {
        targets.push_back(kept);
    } else {
        engine.GetTargetsInCone(owner.GetTeam(), apex, facing, kLoneConeAngle, kLoneConeRange,
                                targets, 0, false);
        if (targets.size() > 1)
            targets.erase(targets.begin() + 1, targets.end());
    }

    if (targets.empty())
        return false;
    services->SendTargetResult(GetObjectId(), targets, owner.GetCoords(), NextSeed(), weaponId,
                               true);
    return true;
}

bool SkillActivated::ExecuteRangedAttack(Character& owner, const WorldCoords& origin,
                                         uint32_t targetId, const WorldVec3& point,
                                         uint32_t weaponId)
{
    SkillServicesBase* services = ServicesOfManager(skillManager);
    if (services == nullptr)
        return false;

    GameEngine& engine = GameEngine::Get();
    const uint32_t shots = GetSkillProfile().GetNumberOfProjectiles();
    std::vector<uint32_t> targets;
    if (shots > 1) {
        engine.GetTargetsInRadius(owner.GetTeam(), point, kExtraShotRadius, targets, targetId,
                                  false);
        if (targets.size() > shots - 1)
            targets.resize(shots - 1);
    }
    targets.push_back(targetId);

    // Scatter grows with the distance to the point, up to 2 units.
    const float spread =
        std::min(SquaredDistance(owner.GetCoords().GetPosition(), point) * 0.01f, 2.0f);
    RandomUniform& random = engine.GetRandomGen();
    size_t next = 0;
    for (uint32_t shot = 0; shot < shots; ++shot) {
        const uint32_t target = next < targets.size() ? targets[next++] : 0;
        WorldVec3 aim = point;
        if (const auto* character = ObjectManager::Instance().GetObject<Character>(target)) {
            aim = character->GetCoords().GetPosition();
        } else if (shot > 0) {
            const float x = random.FGenerate(-spread, spread);
            const float z = random.FGenerate(-spread, spread);
            const float y = random.FGenerate(-0.8f, 0.0f);
            aim.TranslateInRegion(Vec3(x, y, z));
        }
        // Only the first projectile charges mana and cooldown.
        if (shot > 0)
            services->ClearHitIteration();
        services->SendCreateProjectile(GetObjectId(), origin, target, aim, NextSeed(), weaponId);
    }
    return true;
}

bool SkillActivated::ExecuteRadiusAttack(Character& owner, uint32_t targetId,
                                         const WorldVec3& point)
{
    SkillServicesBase* services = ServicesOfManager(skillManager);
    if (services == nullptr)
        return false;

    const uint32_t kept =
        targetId != 0 && IsTargetInRange(owner, targetId, kRadiusKeepRange) ? targetId : 0;
    SkillProfile_Modifiers modifiers;
    GetSkillModifierData(modifiers);
    std::vector<uint32_t> targets;
    if (modifiers.GetTargetRadius() > 0.0f &&
        SquaredDistance(owner.GetCoords().GetPosition(), point) < kRadiusReachSquared)
        GameEngine::Get().GetTargetsInRadius(owner.GetTeam(), point, modifiers.GetTargetRadius(),
                                             targets, kept, false);
    if (kept != 0)
        targets.push_back(kept);
    if (targets.empty())
        return false;
    services->SendTargetResult(GetObjectId(), targets, owner.GetCoords(), NextSeed(), 0, false);
    return true;
}

void SkillActivated::ApplyDamage(Character& owner, const std::vector<uint32_t>& targets,
                                 const WorldCoords& origin, uint32_t seed,
                                 ParametersCombatStyle style, bool collectEquipment,
                                 uint32_t weaponId, float share, bool hitSoundOnce)
{
    // One generator per result, seeded once, so every machine rolls the same numbers.
    RandomUniform random;
    random.Seed(seed);
    bool hitSoundPlayed = !hitSoundOnce;
    ObjectManager& objects = ObjectManager::Instance();
    for (uint32_t id : targets) {
        Character* target = objects.GetObject<Character>(id);
        if (target == nullptr)
            continue;
        ParametersCombat parameters(random);
        CollectCombatParameters(owner, target, style, collectEquipment, weaponId, parameters,
                                share);
        InitRagDollData(parameters.ragDoll, origin, target->GetCoords());
        CreateTargetFx(target->GetCoords());
        if (!target->TakeAttack(parameters) || hitSoundPlayed)
            continue;
        hitSoundPlayed = true;
        if (const Weapon* weapon = objects.GetObject<Weapon>(weaponId))
            weapon->PlayHitSound(owner.GetCoords().GetPosition());
        else
            owner.PlayAttackSound();
    }
}

void SkillActivated::ApplyDirectDamage(Character& owner, const std::vector<uint32_t>& targets,
                                       const WorldCoords& origin, uint32_t seed)
{
    // Style 0 is none of the named styles: a direct attack.
    ApplyDamage(owner, targets, origin, seed, static_cast<ParametersCombatStyle>(0), false, 0, 0.0f,
                false);
}

void SkillActivated::ApplyRangedDamage(Character& owner, const std::vector<uint32_t>& targets,
                                       const WorldCoords& origin, uint32_t seed, uint32_t weaponId)
{
    ApplyDamage(owner, targets, origin, seed, ParametersCombatStyle_Projectile, true, weaponId,
                0.0f, false);
}

void SkillActivated::ApplyMeleeDamage(Character& owner, const std::vector<uint32_t>& targets,
                                      const WorldCoords& origin, uint32_t seed, uint32_t weaponId)
{
    PlayHitSound(owner.GetCoords().GetPosition());
    ApplyDamage(owner, targets, origin, seed, ParametersCombatStyle_Probability, true, weaponId,
                0.0f, true);
}

void SkillActivated::ApplyMeleeDamageInherent(Character& owner,
                                              const std::vector<uint32_t>& targets,
                                              const WorldCoords& origin, uint32_t seed)
{
    PlayHitSound(owner.GetCoords().GetPosition());
    // Whole percents: three targets share 33 each.
    const float share =
        targets.size() >= 2 ? static_cast<float>(100 / static_cast<int32_t>(targets.size())) : 0.0f;
    ApplyDamage(owner, targets, origin, seed, ParametersCombatStyle_Probability, false, 0, share,
                false);
}

} // namespace GAME
