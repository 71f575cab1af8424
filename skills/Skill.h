#pragma once

#include "characters/CharacterRagDoll.h"
#include "engine/Name.h"
#include "engine/Object.h"
#include "items/Weapon_Type.h"
#include "skills/SkillActiveState.h"
#include "skills/SkillState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class CharAttributeAccumulator;
class Character;
class CombatAttributeAccumulator;
class LoadTable;
class ParametersCombat;
class ProjectileBase;
class ProjectileInfo;
class Prop;
class SkillManagerBase;
class SkillAttributeAccumulator;
class SkillProfile;
class SkillProfile_Modifiers;
class SoundPak;
class WorldCoords;
class WorldVec3;
struct GameTextLine;
struct RacialBonus_Damage;
struct RacialBonus_Defense;
enum AnimationSet_Type : int32_t;
enum ParametersCombatStyle : int32_t;
enum SkillAttributeType : uint32_t;
enum class GameTextClass : int32_t;

// The base of every skill object: identity, level, state, timers and the handles of what it
// created. The numbers and texts of a level live in the shared profile.
class Skill : public Object {
    GAME_DECLARE_CLASS(Skill)

public:
    // How far the skill reaches, as the record's "distanceProfile" names it.
    enum RangeProfile : int32_t {
        RangeProfile_Melee = 0,
        RangeProfile_Short = 1,
        RangeProfile_Moderate = 2,
        RangeProfile_Long = 3,
        RangeProfile_Maximum = 4
    };
    using Skill_RangeProfile = RangeProfile;

    // Why the last availability test said no. 3 is never used.
    enum Skill_UseQuery : int32_t {
        UseQuery_Usable = 0,
        UseQuery_CoolingDown = 1,
        UseQuery_NotEnoughMana = 2,
        UseQuery_WeaponNotQualifying = 4,
        UseQuery_LevelZero = 5,
        UseQuery_NoTelekinesisObject = 6
    };

    enum Skill_Type : int32_t { SkillType_Normal = 0, SkillType_UseAtOnce = 1 };

    Skill();
    Skill(const Skill&) = delete;
    Skill& operator=(const Skill&) = delete;

    // ---- virtual slots, in table order ----
    void Load(const LoadTable& table) override;
    ~Skill() override;
    virtual void Install(Character* /*owner*/) {}
    // Takes off the owner whatever the skill attached to it.
    virtual void UnInstall(Character* owner);
    virtual void IncrementSkillLevel(uint32_t amount);
    // Joins the active list unless kept off it; a monster's skill is enabled at once.
    virtual void SetSkillLevel(uint32_t level);
    virtual bool DecrementSkillLevel();
    virtual void IncrementAugmentedSkillLevel(uint32_t amount);
    // Stops at 0.
    virtual void DecrementAugmentedSkillLevel(uint32_t amount);
    virtual void SkillLevelChange() {}
    virtual void LoadResources(const LoadTable& table);
    void PreLoad(bool flag) override;
    virtual void Update(Character& owner, int32_t elapsedMs);
    virtual std::wstring CreateUISkillName() const;
    virtual void CreateUISkillName(GameTextClass style, std::vector<GameTextLine>& lines) const;
    virtual void CreateUISkillHeading(std::vector<GameTextLine>& lines) const;
    virtual void CreateUINameText(GameTextClass style, std::vector<GameTextLine>& lines) const;
    virtual void CreateUIParameterText(std::vector<GameTextLine>& lines) const;
    virtual void CreateUINextParameterText(std::vector<GameTextLine>& lines) const;
    virtual void CreateUISpecializedText(GameTextClass style,
                                         std::vector<GameTextLine>& lines) const;
    virtual void CreateUINextSpecializedText(std::vector<GameTextLine>& lines) const;
    virtual void CreateUIModifierText(GameTextClass style, std::vector<GameTextLine>& lines) const;
    virtual void CreateUINextModifierText(std::vector<GameTextLine>& lines) const;
    virtual void CreateUIShortSummaryText(GameTextClass style,
                                          std::vector<GameTextLine>& lines) const;
    // The owner was hit (or missed); an armed on-hit skill may answer.
    virtual void OnHitActivation(Character& /*owner*/, const ParametersCombat& /*parameters*/) {}
    // 0 while the skill is not learnt; augments count only on a learnt skill.
    virtual uint32_t GetCurrentLevel() const;
    virtual uint32_t GetChanceWeight(bool /*includeDisabled*/) const { return 0; }
    virtual bool IsSkillOnHitActive() const { return false; }
    virtual bool IsTrackable(uint32_t /*level*/) const { return false; }
    virtual bool IsTempTrackable(uint32_t /*level*/) const { return false; }
    virtual bool HasIconDisplay(uint32_t level) const { return IsTrackable(level); }
    virtual bool TrackableTimed(uint32_t /*level*/) const { return false; }
    virtual int32_t TrackableRemainingTime(uint32_t /*level*/) const { return 1; }
    virtual int32_t TrackableTotalTime(uint32_t /*level*/) const { return 1; }
    virtual int32_t GetRangeProfile() const { return rangeProfile; }
    virtual void EndCooldown();
    virtual void ReplaceCooldownTime(float ms);
    // Disruption lengthens the cooldown of a skill that allows it.
    virtual void ApplyDisruptionCooldownTime(float ms);
    virtual bool SetAvailability(bool ignoreMana, bool ignoreCooldown);
    virtual float GetTotalSkillAttribute(SkillAttributeType type) const;
    virtual void GetSkillModifierData(SkillProfile_Modifiers& data) const;
    virtual void AddProjectileModifier(ProjectileBase* projectile) const;
    virtual void PlaySwipeSound(const WorldVec3& position);
    virtual void PlayHitSound(const WorldVec3& position);
    // Slots kept on coordinates: the manager's animation callbacks pass the owner's coords.
    virtual void PlaySkillSound1(const WorldCoords& where);
    virtual void PlaySkillSound2(const WorldCoords& where);
    virtual void PlayWeaponSwipeSound(Character& owner, const Name& callback);
    virtual void ParticleEffect1(Character& owner, bool on);
    virtual void ParticleEffect2(Character& owner, bool on);
    virtual void ParticleEffect3(Character& owner, bool on);
    virtual void WarmUpEffect(Character& owner, bool on);
    virtual void CreateTargetFx(const WorldCoords& where);
    virtual void CreateEndBuffOtherFx(const WorldCoords& where);
    virtual void CreateEndBuffSelfFx(const WorldCoords& where);
    virtual void CollectLocalOffensiveDamageAttributes(CombatAttributeAccumulator& acc) const;
    virtual void CollectLocalOffensiveModifierAttributes(CombatAttributeAccumulator& acc) const;
    virtual void CollectLocalRacialBonusDamage(const std::vector<std::string>& races,
                                               RacialBonus_Damage& damage) const;
    // What a passive skill adds to its owner's attributes.
    virtual void CollectPassiveCharAttributes(CharAttributeAccumulator& /*acc*/) const {}
    virtual void CollectPassiveSkillAttributes(SkillAttributeAccumulator& /*acc*/) const {}
    virtual void CollectPassiveOffensiveDamageAttributes(CombatAttributeAccumulator& /*acc*/) const
    {}
    virtual void
    CollectPassiveOffensiveModifierAttributes(CombatAttributeAccumulator& /*acc*/) const
    {}
    virtual void CollectPassiveRetaliationAttributes(CombatAttributeAccumulator& /*acc*/) const {}
    virtual void CollectPassiveDefenseAttributes(CombatAttributeAccumulator& /*acc*/) const {}
    virtual void CollectPassiveRacialBonusDamage(const std::vector<std::string>& /*races*/,
                                                 RacialBonus_Damage& /*damage*/) const
    {}
    virtual void CollectPassiveRacialBonusDefense(const std::vector<std::string>& /*races*/,
                                                  RacialBonus_Defense& /*defense*/) const
    {}
    virtual void TargetInformation(const ProjectileInfo& /*info*/, const WorldCoords& /*origin*/,
                                   const std::vector<uint32_t>& /*targets*/)
    {}
    virtual void TargetFriendInformation(const ProjectileInfo& /*info*/,
                                         const WorldCoords& /*origin*/,
                                         const std::vector<uint32_t>& /*targets*/)
    {}
    virtual void TargetResult(Character& /*owner*/, const std::vector<uint32_t>& /*targets*/,
                              const WorldCoords& /*origin*/, uint32_t /*seed*/,
                              uint32_t /*weaponId*/, bool /*melee*/)
    {}
    virtual void CreateProjectile(Character& /*owner*/, const WorldCoords& /*origin*/,
                                  uint32_t /*targetId*/, const WorldVec3& /*point*/,
                                  uint32_t /*weaponId*/, uint32_t /*projectileId*/,
                                  uint32_t /*seed*/)
    {}
    virtual void SkillSpawnObject(Character& /*owner*/, const WorldCoords& /*origin*/,
                                  uint32_t /*targetId*/, const std::vector<WorldCoords>& /*coords*/,
                                  const std::vector<uint32_t>& /*ids*/, uint32_t /*seed*/)
    {}
    virtual void Cancel(Character& owner);
    virtual void StopSkill(Character& /*owner*/) {}
    virtual void DispellSelfBuff(Character& /*owner*/) {}
    virtual bool IsRepeatable() const { return repeatable; }
    virtual bool GetValidTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                                bool aroundSelf, float radius);
    virtual bool IsTargetInRange(const Character& owner, uint32_t target, float range) const;
    virtual void CollectCombatParameters(const Character& attacker, Character* defender,
                                         ParametersCombatStyle style, bool collectEquipment,
                                         uint32_t weaponId, ParametersCombat& parameters,
                                         float damagePercent);
    virtual bool ShouldMonsterSkillBeInterruptedWhilePursuing() const { return true; }
    virtual void ReceiveStateUpdate(const SkillState& state, bool force);
    // The owner may be null when a save restores the state.
    virtual void ReceiveActiveUpdate(Character* /*owner*/, const SkillActiveState& state,
                                     bool /*fromSave*/)
    {
        skillActiveState = state;
    }
    virtual bool IsValidTarget(uint32_t /*target*/) const { return true; }
    virtual bool GetWarmUpWasActive() const { return false; }
    virtual void InitRagDollData(CharacterRagDoll::EffectData& data, const WorldCoords& from,
                                 const WorldCoords& to) const;
    // After every level change.
    virtual void PreLoadResources() {}
    virtual void PreLoadPet();

    // ---- kept virtual: the manager and the UI ask these, some kinds answer otherwise ----
    // Mana and cooldown of one use.
    virtual void SubtractManaCost();
    virtual void StartCooldown();
    virtual bool AllowDualWieldWeapons() const;
    // The mastery kind answers true; every other skill spends regular points.
    virtual bool IsSkillTheMasterySkill() const { return false; }
    virtual uint32_t GetMasteryId() const { return masteryId; }
    virtual uint32_t GetMasteryLevel() const;
    virtual uint32_t GetMasteryLevelRequirement() const;
    virtual std::string GetDisplayNameTag() const;
    virtual std::wstring GetBaseNameText() const;
    // Record names of the skills this one needs learnt first.
    virtual std::vector<std::string> GetSkillDependancy() const;
    virtual int32_t GetReason() const { return reason; }
    virtual bool IsDefaultSkill() const { return defaultSkill; }
    // Whether the player must set the skill up before it can be used.
    virtual bool NeedsConfiguration() const { return false; }

    // ---- levels and state ----
    uint32_t GetSkillLevel() const { return skillState.skillLevel; }
    bool IsSkillEnabled() const { return skillState.enabled && skillState.skillLevel > 0; }
    uint32_t GetAugmentedLevel() const { return augmentedLevel; }
    bool IsAugmented() const { return augmentedLevel > 0; }
    uint32_t GetMaxLevel() const;
    uint32_t GetUltimateLevel() const;
    std::string GetBaseDescriptionTag() const;
    bool IsPetDisplayable() const;
    const Name& GetResourceName() const { return resourceName; }
    // The engine's null profile while none is loaded, so every getter answers.
    const SkillProfile& GetSkillProfile() const;
    void LoadOriginalSkillResource(const LoadTable& table) const;
    // Takes its numbers from another record (a buff or debuff the skill casts): that record
    // becomes the resource. Null, with nothing loaded, when the record is unnamed, missing or
    // empty; the caller says which.
    const LoadTable* LoadResourcesFrom(const std::string& record);
    int32_t GetSkillType() const { return skillType; }
    bool IsPrimary() const { return isPrimary; }
    bool IsSecondary() const { return isSecondary; }
    // This machine controls the owner when the manager has services.
    bool IsControllingSkill() const;
    void SendStateUpdate() const;
    void SendActiveStateUpdate() const;
    // A switch this machine decided (sub level 0); nothing where it does not control the owner.
    void SendActiveState(bool active, bool transition = false) const;
    const SkillState& GetSkillState() const { return skillState; }
    const SkillActiveState& GetSkillActiveState() const { return skillActiveState; }
    const SkillActiveState& GetActiveState() const { return skillActiveState; }
    void SetManager(SkillManagerBase* manager) { skillManager = manager; }
    SkillManagerBase* GetManager() const { return skillManager; }
    bool HasManager() const { return skillManager != nullptr; }
    bool IsItemSkill() const { return itemSkill; }
    // Kept off the active list (buffs, their modifiers, item skills); sets the item flag too.
    void SetAsTempSkill()
    {
        tempSkill = true;
        itemSkill = true;
    }
    bool IsTempSkill() const { return tempSkill; }
    void SetAsItemSkill() { itemSkill = true; }
    void SetItemSkill(bool isItemSkill) { itemSkill = isItemSkill; }
    void SetIgnoreMana(bool ignore) { ignoreMana = ignore; }
    bool ShouldWpUseParentResources() const { return wpUsesParentResources; }
    // Reads the flags of the last availability test.
    bool UseDefaultWhenUnavailable() const;
    bool IsBaseSkillEnabled() const;
    std::wstring GetBaseNamesText() const;

    // Grouping: the mastery this skill belongs to, what it modifies, what modifies it.
    void AddMastery(uint32_t id);
    void AddBaseSkill(uint32_t id);
    void AddModifier(uint32_t id);
    void AddSecondarySkill(uint32_t id);
    const std::vector<uint32_t>& GetModifiers() const { return modifiers; }
    const std::vector<uint32_t>& GetSecondarySkills() const { return secondarySkills; }
    const std::vector<uint32_t>& GetBaseSkills() const { return baseSkills; }
    Prop* GetProp1() const { return prop1; }
    Prop* GetProp2() const { return prop2; }

    // ---- animation ----
    WorldCoords GetCoordsFromCallback(const Character& owner, const Name& callback) const;
    bool StartSpecialAnimation(Character& owner, float speed, bool loop);
    bool StartNormalAnimation(Character& owner, AnimationSet_Type type, const Name& name,
                              float speed, bool loop, uint32_t repeatCount);
    void CaptureAnimationRagDollInfo(const Character& owner);

    // ---- costs, cooldown, range, targets ----
    float GetManaCost() const;
    float GetCooldownCompletion() const;
    int32_t GetCooldownRemaining() const { return cooldownRemaining; }
    int32_t GetCooldownTotal() const { return cooldownTotal; }
    // The game's distance for the range profile; 1.0 for a profile it has none for.
    float GetRange() const;
    // Melee skills need a place of the target's attack ring.
    bool NeedsAttackSlot() const { return rangeProfile == RangeProfile_Melee; }
    bool QualifyingWeapon() const;
    bool QualifyingHandState() const;
    bool IsQualifyingWeapons(Weapon_Type right, Weapon_Type left,
                             const std::vector<Weapon_Type>& allowed) const;
    bool GetValidMeleeTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                             bool aroundSelf, float radius);
    bool GetValidRangedTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                              bool aroundSelf, float radius);
    bool GetValidFriendTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                              bool aroundSelf, float radius, bool includeSelf);
    void AddModifierCharAttributes(CharAttributeAccumulator& acc) const;
    void AddModifierSkillAttributes(SkillAttributeAccumulator& acc) const;
    void AddModifierOffensiveDamageAttributes(CombatAttributeAccumulator& acc) const;
    void AddModifierOffensiveModifierAttributes(CombatAttributeAccumulator& acc) const;
    void AddModifierRetaliationAttributes(CombatAttributeAccumulator& acc) const;
    void AddModifierDefenseAttributes(CombatAttributeAccumulator& acc) const;
    void AddModifierRacialBonusDamage(const std::vector<std::string>& races,
                                      RacialBonus_Damage& damage) const;
    void AddModifierRacialBonusDefense(const std::vector<std::string>& races,
                                       RacialBonus_Defense& defense) const;
    void GetModifierInfo(size_t index, std::string& name, uint32_t& level) const;
    void PrimaryActivateSecondarySkills(Character& owner, uint32_t target,
                                        const std::vector<uint32_t>& ids, const WorldVec3& point);
    void ActivateSecondarySkills(Character& owner, uint32_t target,
                                 const std::vector<uint32_t>& ids, const WorldVec3& point);
    void PrimaryStopSecondarySkills(Character& owner);

    // ---- sounds, effects, text ----
    void LoadSounds();
    void PlayWarmUpSound(const WorldVec3& position);
    void PlayActivateSound(const WorldVec3& position);
    void PlayDeactivateSound(const WorldVec3& position);
    void PlayCastSound(const WorldVec3& position);
    void PlayUnCastSound(const WorldVec3& position);
    void PlayCastSounds(const WorldVec3& position, bool on);
    void PlayActivatedSounds(const WorldVec3& position, bool on);
    std::string GetBuffSelfCharFxPakName() const;
    std::string GetBuffOtherCharFxPakName() const;
    void CreateUIPetText(Character* pet, uint32_t level, GameTextClass style,
                         std::vector<GameTextLine>& lines) const;

    // Tell the host's user interface that the skill went on or off.
    void NotifyUIOnActivate() const;
    void NotifyUIOnDeactivate() const;

protected:
    void AddSkillLevel(int32_t amount);
    void SubtractSkillLevel(int32_t amount);
    float GetCooldownTime() const;
    float GetPetExtents() const;
    void ApplyCastVisualEffects(Character& owner, bool on);
    void ApplyActivatedVisualEffects(Character& owner, bool on);
    void ApplyActiveWorldVisualEffects(Character& owner, bool on);
    void ApplyBuffSelfEffects(Character& owner, bool on);
    void ApplyBuffOtherEffects(Character& owner, bool on);

    // Flags the kinds' constructors set.
    void SetSkillType(int32_t type) { skillType = type; }
    void SetRepeatable(bool value) { repeatable = value; }
    void SetUseDefaultWhenOutOfMana(bool value) { useDefaultWhenOutOfMana = value; }
    void SetUseDefaultWhenCoolingDown(bool value) { useDefaultWhenCoolingDown = value; }
    void SetDisruptable(bool value) { disruptable = value; }
    bool IsDisruptable() const { return disruptable; }
    void SetWpUsesParentResources(bool value) { wpUsesParentResources = value; }
    void SetDefaultSkill(bool value) { defaultSkill = value; }
    void SetPrimary(bool value) { isPrimary = value; }
    void SetSecondary(bool value) { isSecondary = value; }
    void SetReason(int32_t value) { reason = value; }

    // -- costs and targets --
public:
    // keepGiven: a given target of 0 is checked, not searched for.
    bool GetValidMeleeTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                             bool aroundSelf, float radius, bool keepGiven);

protected:
    // -- end costs and targets --

    // -- effects and text --
    // The char-fx packs and weapon enchantment a buff puts on (or takes off) its owner.
    void ApplyBuffEffects(bool on, const std::string& ownPak);
    void AddStoreLines(uint32_t level, uint32_t nextLevel, bool withSkillStore, GameTextClass style,
                       std::vector<GameTextLine>& lines) const;
    // -- end effects and text --

    // 1. owner
    SkillManagerBase* skillManager = nullptr;
    // 2.-3.
    Name resourceName;
    const SkillProfile* profile = nullptr;
    // 4.-6.
    int32_t skillType = SkillType_Normal;
    bool isPrimary = false;
    bool isSecondary = false;
    int32_t reason = UseQuery_Usable;
    // 7.
    bool repeatable = true;
    bool notEnoughMana = false;
    bool coolingDown = false;
    bool weaponNotQualifying = false;
    bool handStateNotQualifying = false;
    // 8.-10.
    int32_t rangeProfile = RangeProfile_Melee;
    SkillState skillState;
    SkillActiveState skillActiveState;
    // 11. owned
    SoundPak* skillSound1 = nullptr;
    SoundPak* skillSound2 = nullptr;
    // 12.
    bool useDefaultWhenOutOfMana = false;
    bool useDefaultWhenCoolingDown = false;
    bool disruptable = false;
    bool wpUsesParentResources = true;
    bool defaultSkill = false;
    // 13.-14.
    uint32_t masteryId = 0;
    std::vector<uint32_t> modifiers;
    std::vector<uint32_t> secondarySkills;
    std::vector<uint32_t> baseSkills;
    // 15.-17. milliseconds
    int32_t cooldownRemaining = 0;
    int32_t cooldownTotal = 0;
    bool ignoreMana = false;
    uint32_t augmentedLevel = 0;
    // 18. owned: warm-up, swipe, hit, activate, deactivate, cast, un-cast
    SoundPak* warmUpSound = nullptr;
    SoundPak* swipeSound = nullptr;
    SoundPak* hitSound = nullptr;
    SoundPak* activateSound = nullptr;
    SoundPak* deactivateSound = nullptr;
    SoundPak* castSound = nullptr;
    SoundPak* unCastSound = nullptr;
    // 19. effects attached to the owner; 0 = none
    uint32_t particleEffect1 = 0;
    uint32_t particleEffect2 = 0;
    uint32_t particleEffect3 = 0;
    uint32_t warmUpEffect = 0;
    // 20. owned
    Prop* prop1 = nullptr;
    Prop* prop2 = nullptr;
    // 21. captured from the last animation
    std::string ragDollEffectType;
    std::string ragDollDirection;
    std::string ragDollPush;
    std::string ragDollElevation;
    // 22.
    uint32_t activeWorldEffect = 0;
    uint32_t castAura = 0;
    uint32_t activeAura = 0;
    // 23.
    std::string endBuffOtherEffectName;
    // 24.
    bool tempSkill = false;
    bool itemSkill = false;
    // 25. owned
    Character* pet = nullptr;
    Character* nextLevelPet = nullptr;
};

} // namespace GAME
