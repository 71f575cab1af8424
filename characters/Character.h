#pragma once

#include "characters/CharAttributeType.h"
#include "characters/Team.h"
#include "combat/CombatAttributeType.h"
#include "engine/Actor.h"
#include "engine/WorldCoords.h"

#include <array>
#include <cstdint>
#include <memory>

namespace GAME {

class CombatManager;
class DurationDamageManager;
class PlayStats;
struct PlayStatsDamageType;

enum Character_LifeState : int32_t {
    LifeState_Unknown = 0,
    LifeState_Initializing = 1,
    LifeState_Alive = 2,
    LifeState_Dying = 3,
    LifeState_Dead = 4,
    LifeState_Respawning = 5
};

// The base of every creature. Grown by the characters subsystem; for now what teams, filters,
// the game engine and combat ask of it. Levels, points, the experience reward, life, mana and
// attribute totals are plain values with setters until the experience control and the bio
// exist; teleporting only moves the coordinates. The influences of combat (taunt, fear,
// confusion, skill cooldown) reach nobody until controllers and skills exist.
class Character : public Actor {
    GAME_DECLARE_CLASS(Character)

public:
    Character();
    ~Character() override;

    bool ShouldServerSpawn() const override { return true; }

    Team GetTeam() const { return team; }
    virtual void SetTeam(const Team& newTeam) { team = newTeam; }

    virtual void SetLifeState(Character_LifeState state) { lifeState = state; }
    virtual Character_LifeState GetLifeState() const { return lifeState; }
    // Unknown counts as alive: a character not yet set up is not a corpse.
    virtual bool IsAlive() const;

    bool IsTeleporting() const { return teleporting; }
    void SetTeleporting(bool value) { teleporting = value; }
    virtual void TeleportToLocation(const WorldCoords& coords);

    uint32_t GetCharLevel() const { return charLevel; }
    void SetCharLevel(uint32_t level) { charLevel = level; }
    uint32_t GetExperiencePoints() const { return experiencePoints; }
    void SetExperiencePoints(uint32_t points) { experiencePoints = points; }
    uint32_t GetModifierPoints() const { return modifierPoints; }
    void SetModifierPoints(uint32_t points) { modifierPoints = points; }
    uint32_t GetSkillPoints() const { return skillPoints; }
    void SetSkillPoints(uint32_t points) { skillPoints = points; }
    // What killing this character is worth.
    uint32_t GetExperienceReward() const { return experienceReward; }
    void SetExperienceReward(uint32_t points) { experienceReward = points; }

    // Combat, forwarded to the combat manager.
    CombatManager& GetCombatManager() const { return *combatManager; }
    DurationDamageManager& GetDurationDamageMgr() const;
    bool ApplyDamage(float damage, const PlayStatsDamageType& statsType,
                     CombatAttributeType damageType) const;
    float DesignerCalculatePhysicalDamage(float damage) const;
    float DesignerCalculatePierceDamage(float damage) const;
    float DesignerCalculateElementalDamage(float damage) const;
    float DesignerCalculateElementalDurationDamage(float damage) const;
    float DesignerCalculatePhysicalDamageDefense(float damage, float protection, float absorbed,
                                                 float bonus) const;
    float DesignerCalculateShieldBlockDamageReduction(float damage, float shieldDefense,
                                                      float shieldAbsorption) const;
    void CombatAddLifeLeechDamage(float percent);
    virtual void CombatAddCooldownDamage(int32_t /*milliseconds*/) {}
    virtual void CombatExertInfluenceTaunt(float /*amount*/) {}
    virtual void CombatExertInfluenceFear(int32_t /*milliseconds*/) {}
    virtual void CombatExertInfluenceConfusion(int32_t /*milliseconds*/) {}
    // Makes this character follow the caster for a while; a plain character follows nobody.
    virtual void JoinMe(uint32_t /*casterId*/, int32_t /*milliseconds*/, bool /*converted*/) {}
    // How high a resistance may be processed; 0 means no cap.
    virtual float GetDefenseAttributeCap() const { return 0.0f; }
    // Plays the absorption effect of a damage type once per attack; no effects are loaded yet.
    virtual void FireAbsEffect(CombatAttributeType /*damageType*/) {}
    bool IsInvincible() const { return invincible; }
    void SetInvincible(bool value) { invincible = value; }

    PlayStats& GetPlayStats() const { return *playStats; }
    float GetCurrentLife() const { return currentLife; }
    void SetCurrentLife(float value) { currentLife = value; }
    float GetCurrentMana() const { return currentMana; }
    void SetCurrentMana(float value) { currentMana = value; }
    void SubtractLife(float amount, const PlayStatsDamageType& statsType);
    void SubtractMana(float amount);
    float GetTotalCharAttribute(CharAttributeType type) const;
    void SetTotalCharAttribute(CharAttributeType type, float value);

private:
    static constexpr size_t kCharAttributeTotals = 64;

    std::unique_ptr<CombatManager> combatManager;
    std::unique_ptr<PlayStats> playStats;
    float currentLife = 0.0f;
    float currentMana = 0.0f;
    std::array<float, kCharAttributeTotals> charAttributeTotals{};
    bool invincible = false;
    Team team;
    Character_LifeState lifeState = LifeState_Alive;
    bool teleporting = false;
    uint32_t charLevel = 0;
    uint32_t experiencePoints = 0;
    uint32_t modifierPoints = 0;
    uint32_t skillPoints = 0;
    uint32_t experienceReward = 0;
};

} // namespace GAME
