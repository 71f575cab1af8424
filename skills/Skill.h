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
class SkillManager;
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

    virtual void LoadResources(const LoadTable& table);
    // The owner was hit (or missed); an armed on-hit skill may answer.
    virtual void OnHitActivation(Character& /*owner*/, const ParametersCombat& /*parameters*/) {}
    // 0 while the skill is not learnt.
    virtual uint32_t GetCurrentLevel() const = 0;
    virtual bool IsSkillOnHitActive() const { return false; }
    virtual int32_t GetRangeProfile() const { return rangeProfile; }
    // Disruption lengthens the cooldown of a skill that allows it.
    virtual void ApplyDisruptionCooldownTime(float /*time*/) {}
    // What a passive skill adds to its owner's attributes.
    virtual void CollectPassiveCharAttributes(CharAttributeAccumulator& accumulator) const = 0;
    virtual void CollectPassiveRetaliationAttributes(CombatAttributeAccumulator& /*acc*/) const {}
    virtual void CollectPassiveDefenseAttributes(CombatAttributeAccumulator& /*acc*/) const {}
    virtual void CollectPassiveRacialBonusDefense(const std::vector<std::string>& /*races*/,
                                                  RacialBonus_Defense& /*defense*/) const
    {}
    virtual void CollectPassiveRacialBonusDamage(const std::vector<std::string>& /*races*/,
                                                 RacialBonus_Damage& /*damage*/) const
    {}

    // The learned level and the running state, as the owner's machine decided them.
    virtual void SetSkillLevel(uint32_t level) { skillState.skillLevel = level; }
    uint32_t GetSkillLevel() const { return skillState.skillLevel; }
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
    void SetSkillManager(SkillManager* manager) { skillManager = manager; }
    SkillManager* GetSkillManager() const { return skillManager; }
    bool IsItemSkill() const { return itemSkill; }
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
    virtual uint32_t GetMasteryId() const { return 0; }
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
    SkillManager* skillManager = nullptr;
    bool itemSkill = false;
};

} // namespace GAME
