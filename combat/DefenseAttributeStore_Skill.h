#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class CombatAttributeAccumulator;
class LoadTable;

// The defenses that one record of its own grants: a skill's or an attribute pack's. No defense
// attribute kind exists yet, so a record loads none: the store adds nothing to an attack and
// writes no text, as any store without attributes does.
class DefenseAttributeStore_Skill {
public:
    DefenseAttributeStore_Skill() = default;
    virtual ~DefenseAttributeStore_Skill() = default;
    DefenseAttributeStore_Skill(const DefenseAttributeStore_Skill&) = delete;
    DefenseAttributeStore_Skill& operator=(const DefenseAttributeStore_Skill&) = delete;

    virtual void CreateText(std::vector<std::wstring>& first, std::vector<std::wstring>& second,
                            uint32_t level) const;
    virtual void AddToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level) const;
    virtual void Load(const LoadTable& record);
};

} // namespace GAME
