#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/RandomUniform.h"
#include "engine/Actor.h"
#include "engine/WorldVec3.h"
#include "world/ProjectileInfo.h"

namespace GAME {

class LoadTable;
class SoundPak;

// Everything the projectile kinds share: the record's numbers and sounds, the launch
// description and the modifiers that skills attach (explosion, fragments, piercing). Flight
// comes with the kinds.
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

    ProjectileBase();
    ~ProjectileBase() override;
    ProjectileBase(const ProjectileBase&) = delete;
    ProjectileBase& operator=(const ProjectileBase&) = delete;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    bool OccludesPathing() const override { return false; }

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

    // Out of the world and destroyed on the first call; later calls do nothing.
    void DeleteProjectile();
    bool IsDeleted() const { return deleted; }
    bool IsMaster() const { return master; }
    float GetVelocity() const { return velocity; }
    float GetNotificationRadius() const { return notificationRadius; }
    const std::string& GetWeaponTrailName() const { return weaponTrailName; }
    const WorldVec3& GetLastPosition() const { return lastPosition; }
    SoundPak* GetSwipeSound() const { return swipeSound; }

    const ProjectileInfo& GetInfo() const { return info; }
    // Sum of the piercing chances the given skill attached; 0 when it attached none.
    float GetPiercingModifier(uint32_t skillId) const;

    // Read access for the flight checks and for tests.
    size_t GetModifierCount() const { return modifiers.size(); }
    const std::vector<ProjectileModifierStruct>& GetModifierCopies() const
    {
        return modifierCopies;
    }
    size_t GetPathModifierCount() const { return pathList.size(); }
    size_t GetExplosionModifierCount() const { return explosionList.size(); }
    size_t GetFragmentModifierCount() const { return fragmentList.size(); }

private:
    // A modifier plus the targets it has already reported, so each is reported once.
    struct ModifierRecord {
        ProjectileModifierStruct modifier;
        std::vector<uint32_t> knownTargets;
    };

    void DestroySounds();

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
    float notificationRadius = 10.0f;
};

} // namespace GAME
