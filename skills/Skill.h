#pragma once

#include "engine/Object.h"
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
class Prop;
class SkillManagerBase;
class SkillAttributeAccumulator;
class WorldCoords;
class WorldVec3;
class Name;
struct GameTextLine;
struct RacialBonus_Damage;
struct RacialBonus_Defense;

// The base of every skill object. So far only what a character's skill manager asks of its
// skills; the skill kinds fill it in. A skill that does not answer a question adds nothing and
// reacts to nothing, which is what the defaults here do.
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

    void Load(const LoadTable& table) override;
    ~Skill() override;

    // Put on the character when the skill joins the active list, taken off when it leaves.
    virtual void Install(Character* /*owner*/) {}
    virtual void UnInstall(Character* /*owner*/) {}
    // Raises the level within the maximum and tells the other machines.
    virtual void IncrementSkillLevel(uint32_t amount);
    // Joins the active list unless kept off it; a monster's skill is enabled at once.
    virtual void SetSkillLevel(uint32_t level);
    virtual void IncrementAugmentedSkillLevel(uint32_t amount);
    // Stops at 0.
    virtual void DecrementAugmentedSkillLevel(uint32_t amount);
    virtual void LoadResources(const LoadTable& table);
    void PreLoad(bool /*flag*/) override {}
    virtual void Update(Character& /*owner*/, int32_t /*elapsedMs*/) {}
    // The owner was hit (or missed); an armed on-hit skill may answer.
    virtual void OnHitActivation(Character& /*owner*/, const ParametersCombat& /*parameters*/) {}
    // 0 while the skill is not learnt; augments count only on a learnt skill.
    virtual uint32_t GetCurrentLevel() const;
    virtual uint32_t GetChanceWeight(bool /*includeDisabled*/) const { return 0; }
    virtual bool IsSkillOnHitActive() const { return false; }
    virtual int32_t GetRangeProfile() const { return rangeProfile; }
    virtual void EndCooldown() {}
    // Disruption lengthens the cooldown of a skill that allows it.
    virtual void ApplyDisruptionCooldownTime(float /*time*/) {}
    virtual void PlaySkillSound1(const WorldCoords& /*where*/) {}
    virtual void PlaySkillSound2(const WorldCoords& /*where*/) {}
    virtual void ParticleEffect1(Character& /*owner*/, bool /*on*/) {}
    virtual void ParticleEffect2(Character& /*owner*/, bool /*on*/) {}
    virtual void ParticleEffect3(Character& /*owner*/, bool /*on*/) {}
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
    virtual void CollectPassiveRacialBonusDefense(const std::vector<std::string>& /*races*/,
                                                  RacialBonus_Defense& /*defense*/) const
    {}
    virtual void CollectPassiveRacialBonusDamage(const std::vector<std::string>& /*races*/,
                                                 RacialBonus_Damage& /*damage*/) const
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
    virtual void Cancel(Character& /*owner*/) {}
    virtual void StopSkill(Character& /*owner*/) {}
    virtual void DispellSelfBuff(Character& /*owner*/) {}
    // Mana and cooldown of one use; the skill base fills these in.
    virtual void SubtractManaCost() {}
    virtual void StartCooldown() {}
    virtual bool AllowDualWieldWeapons() const { return false; }
    // After every level change.
    virtual void PreLoadResources() {}

    // The learned level and the running state, as the owner's machine decided them.
    uint32_t GetSkillLevel() const { return skillState.skillLevel; }
    bool IsSkillEnabled() const { return skillState.enabled && skillState.skillLevel > 0; }
    uint32_t GetAugmentedLevel() const { return augmentedLevel; }
    bool IsAugmented() const { return augmentedLevel > 0; }
    // This machine controls the owner when the manager has services.
    bool IsControllingSkill() const;
    void SendStateUpdate() const;
    void SendActiveStateUpdate() const;
    const SkillState& GetSkillState() const { return skillState; }
    const SkillActiveState& GetSkillActiveState() const { return skillActiveState; }
    virtual void ReceiveStateUpdate(const SkillState& state, bool /*fromSave*/)
    {
        skillState = state;
    }
    virtual void ReceiveActiveUpdate(Character* /*owner*/, const SkillActiveState& state,
                                     bool /*fromSave*/)
    {
        skillActiveState = state;
    }
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
    // Grouping: the mastery this skill belongs to, what it modifies, what modifies it.
    void AddMastery(uint32_t id) { masteryId = id; }
    void AddBaseSkill(uint32_t id) { baseSkills.push_back(id); }
    void AddModifier(uint32_t id) { modifiers.push_back(id); }
    void AddSecondarySkill(uint32_t id) { secondarySkills.push_back(id); }
    const std::vector<uint32_t>& GetModifiers() const { return modifiers; }
    const std::vector<uint32_t>& GetSecondarySkills() const { return secondarySkills; }
    const std::vector<uint32_t>& GetBaseSkills() const { return baseSkills; }
    // Null until props are loaded.
    Prop* GetProp1() const { return nullptr; }
    Prop* GetProp2() const { return nullptr; }
    // The mastery kind answers true; every other skill spends regular points.
    virtual bool IsSkillTheMasterySkill() const { return false; }
    void SetItemSkill(bool isItemSkill) { itemSkill = isItemSkill; }

    // What the skill window and tool-tips show. The skill kinds fill these in; a plain skill
    // has no lines, no mastery, no dependencies and is always ready.
    virtual void CreateUISkillHeading(std::vector<GameTextLine>& /*lines*/) const {}
    virtual void CreateUIParameterText(std::vector<GameTextLine>& /*lines*/) const {}
    virtual void CreateUINextParameterText(std::vector<GameTextLine>& /*lines*/) const {}
    virtual std::string GetDisplayNameTag() const { return std::string(); }
    virtual std::wstring GetBaseNameText() const { return std::wstring(); }
    // Record names of the skills this one needs learnt first.
    virtual std::vector<std::string> GetSkillDependancy() const { return {}; }
    virtual uint32_t GetMasteryId() const { return masteryId; }
    virtual uint32_t GetMasteryLevel() const { return 0; }
    virtual uint32_t GetMasteryLevelRequirement() const { return 0; }
    // 1 cooling down, 2 short of mana, 4 needs configuring; anything else usable.
    virtual int32_t GetReason() const { return 0; }
    virtual bool IsDefaultSkill() const { return false; }
    // Whether the player must set the skill up before it can be used.
    virtual bool NeedsConfiguration() const { return false; }

    // The game's distance for the range profile; 1.0 for a profile it has none for.
    float GetRange() const;
    // Melee skills need a place of the target's attack ring.
    bool NeedsAttackSlot() const { return rangeProfile == RangeProfile_Melee; }

private:
    int32_t rangeProfile = RangeProfile_Melee;
    SkillState skillState;
    SkillActiveState skillActiveState;
    // Not owned: the manager owns the skill.
    SkillManagerBase* skillManager = nullptr;
    uint32_t masteryId = 0;
    std::vector<uint32_t> modifiers;
    std::vector<uint32_t> secondarySkills;
    std::vector<uint32_t> baseSkills;
    uint32_t augmentedLevel = 0;
    bool tempSkill = false;
    bool itemSkill = false;
};

} // namespace GAME
