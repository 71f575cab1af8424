#pragma once

#include "skills/Skill_Passive.h"

namespace GAME {

// Opens a group of skills: the skills listed after it belong to it. Its levels are only ever
// bought, never taken back one by one nor raised by items.
class Skill_Mastery : public Skill_Passive {
    GAME_DECLARE_CLASS(Skill_Mastery)

public:
    Skill_Mastery() = default;
    ~Skill_Mastery() override;

    void Load(const LoadTable& table) override;
    bool DecrementSkillLevel() override;
    void IncrementAugmentedSkillLevel(uint32_t amount) override;
    void DecrementAugmentedSkillLevel(uint32_t amount) override;
    bool IsSkillTheMasterySkill() const override { return true; }
    // The record's "MasteryEnumeration": 0 spirit ... 7 warfare.
    uint32_t GetEnumeration() const { return enumeration; }

private:
    uint32_t enumeration = 0;
};

} // namespace GAME
