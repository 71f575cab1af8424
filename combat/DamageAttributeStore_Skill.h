#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class CombatAttributeAccumulator;
class LoadTable;

// The offensive damage and damage modifiers of one record of its own: a skill's or an
// attribute pack's. No damage attribute kind exists yet, so a record loads none: the store
// adds nothing to an attack and writes no text, as any store without attributes does.
class DamageAttributeStore_Skill {
public:
    DamageAttributeStore_Skill() = default;
    virtual ~DamageAttributeStore_Skill() = default;
    DamageAttributeStore_Skill(const DamageAttributeStore_Skill&) = delete;
    DamageAttributeStore_Skill& operator=(const DamageAttributeStore_Skill&) = delete;

    virtual void CreateText(std::vector<std::wstring>& first, std::vector<std::wstring>& second,
                            std::vector<std::wstring>& third, uint32_t level) const;
    virtual void AddDamageToAccumulator(CombatAttributeAccumulator& accumulator,
                                        uint32_t level) const;
    virtual void AddModifierToAccumulator(CombatAttributeAccumulator& accumulator,
                                          uint32_t level) const;
    virtual void Load(const LoadTable& record);
};

} // namespace GAME
