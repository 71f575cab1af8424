#pragma once

#include "skills/Skill.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// Whom a used-on-demand skill is aimed at; the plain class names none.
enum SkillTargetType : int32_t {
    SkillTargetType_None = 0,
    SkillTargetType_Self = 1,
    SkillTargetType_Enemy = 2,
    SkillTargetType_Ally = 3
};

// A skill used on demand: its animation's callbacks drive it.
class SkillActivated : public Skill {
    GAME_DECLARE_CLASS(SkillActivated)

public:
    SkillActivated();
    ~SkillActivated() override;

    void LoadResources(const LoadTable& table) override;

    // ---- slots added after the base's, in order ----
    virtual float GetRunSpeedAcceleration() const { return 0.0f; }
    // Whether the use began.
    virtual bool StartAction(Character& /*owner*/, uint32_t /*targetId*/,
                             const WorldVec3& /*point*/, uint32_t /*seed*/)
    {
        return false;
    }
    virtual void SwipeAction(Character& /*owner*/, const Name& /*callback*/, uint32_t /*targetId*/,
                             const WorldVec3& /*point*/)
    {}
    virtual void HitAction(Character& /*owner*/, const Name& /*callback*/, uint32_t /*targetId*/,
                           const WorldVec3& /*point*/)
    {}
    // Whether the use is over.
    virtual bool EndAction(Character& /*owner*/) { return true; }
    virtual bool WarmUpStart() { return false; }
    virtual void WarmUpEnd() {}
    virtual void CameraShake();
    virtual SkillTargetType GetTargetType() const { return targetType; }
    virtual void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                             const WorldVec3& point);
    // The three executions decide on the controlling machine only; true when something was sent.
    virtual bool ExecuteRangedAttack(Character& owner, const WorldCoords& origin, uint32_t targetId,
                                     const WorldVec3& point, uint32_t weaponId);
    virtual bool ExecuteMeleeAttack(Character& owner, uint32_t targetId, const WorldVec3& point,
                                    uint32_t weaponId);
    virtual bool ExecuteRadiusAttack(Character& owner, uint32_t targetId, const WorldVec3& point);
    // Every machine applies a result alike: one generator seeded once per result.
    virtual void ApplyRangedDamage(Character& owner, const std::vector<uint32_t>& targets,
                                   const WorldCoords& origin, uint32_t seed, uint32_t weaponId);
    virtual void ApplyMeleeDamage(Character& owner, const std::vector<uint32_t>& targets,
                                  const WorldCoords& origin, uint32_t seed, uint32_t weaponId);
    virtual void ApplyMeleeDamageInherent(Character& owner, const std::vector<uint32_t>& targets,
                                          const WorldCoords& origin, uint32_t seed);
    virtual std::string GetProjectileName() const;

    // The kind's own name, as the designers' tools show it; empty for a kind that names none.
    const char* GetDisplayName() const { return displayName; }
    float GetCameraShakeDuration() const { return cameraShakeDurationSecs; }
    float GetCameraShakeAmplitude() const { return cameraShakeAmplitude; }

    // -- projectiles and buffs --
    // Spawns the projectile a create-projectile command names (every machine).
    void CreateProjectile(Character& owner, const WorldCoords& origin, uint32_t targetId,
                          const WorldVec3& point, uint32_t weaponId, uint32_t projectileId,
                          uint32_t seed) override;
    void ApplyBuffOnTarget(Character& caster, Character& target, std::string& buffName,
                           int32_t timeToLive);

protected:
    // What the weapon, spell and pool layers do when their projectile reports targets.
    void SendProjectileTargets(const ProjectileInfo& info, const WorldCoords& origin,
                               const std::vector<uint32_t>& targets);
    // A dispel or a bonus: with a projectile record it is thrown from the callback's point,
    // else a character within 20.0 gets the result at once. Controlling machine only.
    void DeliverToTarget(Character& owner, const Name& callback, uint32_t targetId,
                         const WorldVec3& point);
    // One target result at a living character, from the caster's place, on the controlling
    // machine; a range above 0 must hold too.
    void SendResultAtTarget(Character& owner, uint32_t targetId, float range);
    // Such a skill needs no target when it throws; else a character, or a friend found near.
    bool GetValidDeliveryTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                                bool aroundSelf, float radius);
    // The projectile of such a skill, carrying the level's active duration.
    void CreateTimedProjectile(Character& owner, const WorldCoords& origin, uint32_t targetId,
                               const WorldVec3& point, uint32_t projectileId, uint32_t seed);
    // The casting layers' start: the special animation, else the normal one of the type, at
    // the spell-cast speed; false for a disabled skill.
    bool StartCastAnimation(Character& owner, AnimationSet_Type type);
    // The spell applies its results through the same per-target steps as the weapons.
    friend class SkillActivatedSpell;

public:
    // -- end projectiles and buffs --

protected:
    void SetTargetType(SkillTargetType type) { targetType = type; }
    void SetDisplayName(const char* name) { displayName = name; }
    // A direct blow from the skill's own numbers to each target, without avoidance rolls and
    // without the owner's equipment.
    void ApplyDirectDamage(Character& owner, const std::vector<uint32_t>& targets,
                           const WorldCoords& origin, uint32_t seed);

private:
    // Shared by the damage application: style, equipment flag, weapon, share, hit sound.
    void ApplyDamage(Character& owner, const std::vector<uint32_t>& targets,
                     const WorldCoords& origin, uint32_t seed, ParametersCombatStyle style,
                     bool collectEquipment, uint32_t weaponId, float share, bool hitSoundOnce);

    const char* displayName = "";
    SkillTargetType targetType = SkillTargetType_None;
    float cameraShakeDurationSecs = 0.0f;
    float cameraShakeAmplitude = 0.0f;
};

} // namespace GAME
