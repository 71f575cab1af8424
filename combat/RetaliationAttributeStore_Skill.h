#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class CombatAttributeAccumulator;
class LoadTable;

// The damage and damage modifiers that one record of its own (a skill's or an attribute pack's)
// strikes back with. No retaliation attribute kind exists yet, so a record loads none: the store
// adds nothing and writes no text, as any store without attributes does.
class RetaliationAttributeStore_Skill {
public:
    RetaliationAttributeStore_Skill() = default;
    virtual ~RetaliationAttributeStore_Skill() = default;
    RetaliationAttributeStore_Skill(const RetaliationAttributeStore_Skill&) = delete;
    RetaliationAttributeStore_Skill& operator=(const RetaliationAttributeStore_Skill&) = delete;

    virtual void CreateText(std::vector<std::wstring>& first, std::vector<std::wstring>& second,
                            std::vector<std::wstring>& third, uint32_t level) const;
    virtual void AddDamageToAccumulator(CombatAttributeAccumulator& accumulator,
                                        uint32_t level) const;
    virtual void AddModifierToAccumulator(CombatAttributeAccumulator& accumulator,
                                          uint32_t level) const;
    virtual void Load(const LoadTable& record);
};

} // namespace GAME
