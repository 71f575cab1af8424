#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "characters/AnimationEntry.h"
#include "core/RandomUniform.h"
#include "engine/Actor.h"
#include "engine/Vec3.h"
#include "engine/WorldVec3.h"
#include "world/ProjectileInfo.h"
#include "world/SpecialFX.h"

namespace GAME {

class Character;
class CollisionData;
class EffectEntity;
class LoadTable;
class Name;
class SoundPak;
class WeaponTrail;

// Everything the projectile kinds share: the record's numbers, sounds and effects, the launch
// description, the modifiers that skills attach (explosion, fragments, piercing), straight
// flight and the target checks along the path. The kinds combine these into their flight.
class ProjectileBase : public Actor {
    GAME_DECLARE_CLASS(ProjectileBase)

public:
    // One modifier a skill attaches to a projectile it (or another skill) launched.
    struct ProjectileModifierStruct {
        uint32_t ownerSkillId = 0;
        float explosionRadius = 0.0f;
        std::string fragmentsName;
        int32_t fragmentsMin = 0;
        int32_t fragmentsMax = 0;
        float piercingChance = 0.0f; // percent
    };

    enum AnimationState : int32_t {
        AnimationState_None = 0,
        AnimationState_Launching = 1,
        AnimationState_Flying = 2
    };

    // The engine's physics flight type.
    static constexpr int32_t kPhysicsTypeFlight = 2;

    ProjectileBase();
    ~ProjectileBase() override;
    ProjectileBase(const ProjectileBase&) = delete;
    ProjectileBase& operator=(const ProjectileBase&) = delete;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    bool OccludesPathing() const override { return false; }
    void UpdateSelf(int32_t elapsedMs) override;
    void AnimationCallback(int32_t kind, const Name& name) override;

    virtual float GetDistance() const { return distance; }
    // Both in milliseconds.
    virtual float GetHitTime() const { return static_cast<float>(hitTimeToLive); }
    virtual float GetMissTime() const { return static_cast<float>(missTimeToLive); }
    // Degrees, kept within [10, 80].
    virtual float GetLaunchAngle() const;
    // Copies the launch description and seeds the generator every machine shares.
    virtual void LoadInfo(const ProjectileInfo& info, uint32_t seed);
    virtual void AddProjectileModifier(const ProjectileModifierStruct& modifier);
    // The kinds start their flight; here only the path check's start is set.
    virtual void ProjectileGo();
    virtual void SetMaster(bool value) { master = value; }
    // The swipe follows the projectile once played.
    virtual void PlaySwipeSound(const WorldVec3& position);
    virtual WorldCoords GetFlightCoords() const;
    // Warns the owner's foes nearby that something is coming at them.
    virtual void NotifyMonsters();

    // Scenery stops a projectile; characters are only ever hit by the target checks.
    virtual bool CanCollide(const Entity* other) const;
    // Launch speed of an arc from `from` through `to` at the angle (radians), under gravity 9.8.
    static float CalculateLaunchSpeed(const WorldCoords& from, const WorldVec3& to, float angle);
    void CollisionCallback(const CollisionData& data) override;

    // Out of the world and destroyed on the first call; later calls do nothing.
    void DeleteProjectile();
    bool IsDeleted() const { return deleted; }
    bool IsMaster() const { return master; }
    float GetVelocity() const { return velocity; }
    float GetNotificationRadius() const { return notificationRadius; }
    const std::string& GetWeaponTrailName() const { return weaponTrailName; }
    const WorldVec3& GetLastPosition() const { return lastPosition; }
    SoundPak* GetSwipeSound() const { return swipeSound; }
    const std::string& GetImpactFxName() const { return impactFxName; }
    const std::string& GetExplodingImpactFxName() const { return explodingImpactFxName; }
    int32_t GetAnimationState() const { return animationState; }

    void EnableWeaponTrail();
    void DisableWeaponTrail();
    int32_t GetTrailCount() const { return trailCount; }
    // Null when that trail is absent.
    WeaponTrail* GetWeaponTrail(int32_t index) const;
    SpecialFX& GetFlightFx() { return flightFx; }

    const ProjectileInfo& GetInfo() const { return info; }
    // Where a projectile aims at the character: its "Target" point.
    static WorldVec3 GetHitPoint(const Character& character);
    // Of the ids still naming a character, the one nearest the point (extents subtracted);
    // 0 when none.
    static uint32_t FindClosestTarget(const std::vector<uint32_t>& ids, const WorldVec3& point);
    // Sum of the piercing chances the given skill attached; 0 when it attached none.
    float GetPiercingModifier(uint32_t skillId) const;
    // Every path, explosion and fragment modifier will treat these as already reported.
    void SetFilteredTargets(const std::vector<uint32_t>& targets);

    void PlayHitSound(const WorldVec3& position);
    void PlayExplodingHitSound(const WorldVec3& position);
    void PlayBounceSound(const WorldVec3& position);
    void PlayDestructSound(const WorldVec3& position);
    void CreateImpactFx();
    void CreateExploadingImpactFx();

    // The flight the physics engine carries out: world units per second.
    void SetVelocity(const Vec3& value) { flightVelocity = value; }
    const Vec3& GetFlightVelocity() const { return flightVelocity; }
    void SetGravityEnabled(bool value) { gravityEnabled = value; }
    bool IsGravityEnabled() const { return gravityEnabled; }

    // Read access for the flight checks and for tests.
    size_t GetModifierCount() const { return modifiers.size(); }
    const std::vector<ProjectileModifierStruct>& GetModifierCopies() const
    {
        return modifierCopies;
    }
    size_t GetPathModifierCount() const { return pathList.size(); }
    size_t GetExplosionModifierCount() const { return explosionList.size(); }
    size_t GetFragmentModifierCount() const { return fragmentList.size(); }

protected:
    // Straight at the point, with the launch's speed bonus.
    void MoveStraightLine(const WorldVec3& point);
    // Straight along the current facing.
    void MoveStraightLine();
    // A ballistic arc at the target, the angle in radians; spun for show when asked.
    void MoveTrajectory(const WorldVec3& target, float angle, bool spin);
    // The launch animation, or the flight one at once when there is none.
    void StartLaunchAnimation();
    // The flying kinds' common start: the base's, into the world at the launch coordinates,
    // and the aim: the target character's hit point (or its position), else the target point,
    // raised by 1.0 when asked.
    WorldVec3 BeginFlight(bool raisePointTarget, bool aimAtHitPoint);
    // ...and their common end: the flight effect and the launch animation.
    void EndFlightStart();
    // Straight at the aim; along the launch facing when a point target lies within reach.
    void AimStraight(const WorldVec3& aim, float threshold);
    // One update's path hits, each with its explosion and fragments; true when they stop it.
    bool StrikeAlongPath();
    bool IsBeyondRange() const;
    // The owner's clumsiness may knock the launch off course.
    void ApplyFumbleDamage();
    void GetTargetsAlongPath(std::vector<uint32_t>& out, bool firstOnly);
    // The found ids not yet known are added to both `known` and `out`.
    static void FilterAndAddKnownTargets(const std::vector<uint32_t>& found,
                                         std::vector<uint32_t>& known, std::vector<uint32_t>& out,
                                         bool firstOnly);
    void ProcessPathTargets(bool firstOnly, std::vector<uint32_t>& out);
    // True when any modifier explodes.
    bool ProcessExplosion(bool all, WorldCoords& at);
    void ProcessFragmentation(uint32_t hitTargetId, WorldCoords& at);
    RandomUniform& GetRandomGen() { return randomGen; }
    ProjectileInfo& EditInfo() { return info; }
    void SetLastPosition(const WorldVec3& position) { lastPosition = position; }
    // Physics type 2, simulated again after any earlier rest.
    void StartPhysicsFlight();
    // The world's coordinates are set for the projectile, when there is a world.
    void PlaceInWorld(const WorldCoords& coords);

private:
    // A modifier plus the targets it has already reported, so each is reported once.
    struct ModifierRecord {
        ProjectileModifierStruct modifier;
        std::vector<uint32_t> knownTargets;
    };

    void DestroySounds();
    void DestroyImpactFx();
    void ReportTargets(uint32_t skillId, const WorldCoords& at,
                       const std::vector<uint32_t>& targets) const;
    void SpawnImpactFx(const std::string& name);
    // What the engine's physics would do for a projectile in flight.
    void AdvanceFlight(int32_t elapsedMs);
    void SwitchWeaponTrails();
    void DestroyWeaponTrails();
    int32_t CountWeaponTrails() const;
    Character* GetOwner() const;

    float velocity = 0.0f;
    float distance = 0.0f;
    bool master = false;
    // Owned through the object manager; null when the record names none.
    SoundPak* hitSound = nullptr;
    SoundPak* explodingHitSound = nullptr;
    SoundPak* swipeSound = nullptr;
    SoundPak* bounceSound = nullptr;
    SoundPak* destructSound = nullptr;
    int32_t hitTimeToLive = 0;  // ms
    int32_t missTimeToLive = 0; // ms
    float launchAngle = 0.0f;   // degrees
    int32_t animationState = AnimationState_None;
    std::string impactFxName;
    std::string explodingImpactFxName;
    // Owned through the object manager; null when the record names none.
    EffectEntity* impactFx = nullptr;
    EffectEntity* explodingImpactFx = nullptr;
    ProjectileInfo info;
    bool deleted = false;
    WorldVec3 lastPosition;
    RandomUniform randomGen;
    std::vector<std::unique_ptr<ModifierRecord>> modifiers;
    std::vector<ModifierRecord*> pathList;
    std::vector<ModifierRecord*> explosionList;
    std::vector<ModifierRecord*> fragmentList;
    std::vector<ProjectileModifierStruct> modifierCopies;
    std::string weaponTrailName;
    // Held by id: the object manager owns them.
    uint32_t weaponTrailIds[2] = {0, 0};
    int32_t trailRefreshPending = 1;
    int32_t trailCount = 0;
    SpecialFX flightFx;
    AnimationEntry launchAnimation;
    AnimationEntry flightAnimation;
    int32_t notificationCountdown = 0; // ms
    int32_t notificationInterval = 200;
    float notificationRadius = 10.0f;
    Vec3 flightVelocity;
    bool gravityEnabled = false;
};

} // namespace GAME
