#include "combat/DefenseAttributeStore_Skill.h"

namespace GAME {

void DefenseAttributeStore_Skill::CreateText(std::vector<std::wstring>& /*first*/,
                                             std::vector<std::wstring>& /*second*/,
                                             uint32_t /*level*/) const
{}

void DefenseAttributeStore_Skill::AddToAccumulator(CombatAttributeAccumulator& /*accumulator*/,
                                                   uint32_t /*level*/) const
{}

void DefenseAttributeStore_Skill::Load(const LoadTable& /*record*/) {}

} // namespace GAME
