#include "combat/RetaliationAttributeStore_Skill.h"

namespace GAME {

void RetaliationAttributeStore_Skill::CreateText(std::vector<std::wstring>& /*first*/,
                                                 std::vector<std::wstring>& /*second*/,
                                                 std::vector<std::wstring>& /*third*/,
                                                 uint32_t /*level*/) const
{}

void RetaliationAttributeStore_Skill::AddDamageToAccumulator(
    CombatAttributeAccumulator& /*accumulator*/, uint32_t /*level*/) const
{}

void RetaliationAttributeStore_Skill::AddModifierToAccumulator(
    CombatAttributeAccumulator& /*accumulator*/, uint32_t /*level*/) const
{}

void RetaliationAttributeStore_Skill::Load(const LoadTable& /*record*/) {}

} // namespace GAME
