#pragma once

#include <cstdint>

namespace GAME {

// What a skill attribute changes about its bearer's skills; 0 belongs to no attribute.
enum SkillAttributeType : uint32_t {
    SkillAttribute_None = 0,
    SkillAttribute_CooldownReduction = 1,
    SkillAttribute_ManaCostReduction = 2,
    SkillAttribute_ProjectileSpeedModifier = 3
};
constexpr uint32_t kSkillAttributeTypeCount = 4;

} // namespace GAME
