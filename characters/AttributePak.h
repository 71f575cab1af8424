#pragma once

#include "characters/CharAttributeStore_Skill.h"
#include "combat/DamageAttributeStore_Skill.h"
#include "combat/DefenseAttributeStore_Skill.h"
#include "combat/RetaliationAttributeStore_Skill.h"
#include "core/GameTextLine.h"
#include "skills/SkillAttributeStore_Skill.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class CharAttributeAccumulator;
class CombatAttributeAccumulator;
class LoadTable;
class SkillAttributeAccumulator;

// One record read as a bundle of attribute stores of every kind: the game-balance bonuses of a
// whole class of characters, and the base of item sets. The level chooses each attribute's
// per-level value.
class AttributePak {
public:
    AttributePak() = default;
    virtual ~AttributePak() = default;
    // Each store copies its attributes deeply, so a copy outlives its source.
    AttributePak(const AttributePak&) = default;
    AttributePak& operator=(const AttributePak&) = default;

    // A record that cannot be loaded leaves the pack empty.
    virtual void LoadFromDatabase(const std::string& recordName);
    virtual void LoadFromTable(const LoadTable& table);
    virtual void GetCharAttributes(CharAttributeAccumulator& accumulator, uint32_t level) const;
    virtual void GetSkillAttributes(SkillAttributeAccumulator& accumulator, uint32_t level) const;
    virtual void GetOffensiveDamageAttributes(CombatAttributeAccumulator& accumulator,
                                              uint32_t level) const;
    virtual void GetOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator,
                                                uint32_t level) const;
    virtual void GetRetaliationAttributes(CombatAttributeAccumulator& accumulator,
                                          uint32_t level) const;
    virtual void GetDefenseAttributes(CombatAttributeAccumulator& accumulator,
                                      uint32_t level) const;
    virtual void GetUIDisplayText(uint32_t level, GameTextClass textClass,
                                  std::vector<GameTextLine>& lines) const;

    const std::string& GetRecordName() const { return recordName; }

protected:
    void SetRecordName(const std::string& name) { recordName = name; }

private:
    std::string recordName;
    CharAttributeStore_Skill charAttributes;
    SkillAttributeStore_Skill skillAttributes;
    DamageAttributeStore_Skill damageAttributes;
    RetaliationAttributeStore_Skill retaliationAttributes;
    DefenseAttributeStore_Skill defenseAttributes;
};

} // namespace GAME
