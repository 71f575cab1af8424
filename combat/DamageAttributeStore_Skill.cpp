#include "combat/DamageAttributeStore_Skill.h"

namespace GAME {

void DamageAttributeStore_Skill::CreateText(std::vector<std::wstring>& /*first*/,
                                            std::vector<std::wstring>& /*second*/,
                                            std::vector<std::wstring>& /*third*/,
                                            uint32_t /*level*/) const
{}

void DamageAttributeStore_Skill::AddDamageToAccumulator(CombatAttributeAccumulator& /*accumulator*/,
                                                        uint32_t /*level*/) const
{}

void DamageAttributeStore_Skill::AddModifierToAccumulator(
    CombatAttributeAccumulator& /*accumulator*/, uint32_t /*level*/) const
{}

void DamageAttributeStore_Skill::Load(const LoadTable& /*record*/) {}

} // namespace GAME
