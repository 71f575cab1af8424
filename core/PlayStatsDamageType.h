#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace GAME {

// The names of the combat attribute types, indexed by type number (0 to 45). Combat prints its
// types from this same table rather than keeping a second copy, so the two never drift apart.
// Entry 10 keeps its nine trailing blanks: saved reports were always printed that way.
inline constexpr size_t kCombatAttributeTypeNameCount = 46;
extern const char* const gCombatAttributeTypeNames[kCombatAttributeTypeNameCount];

// The table's name for a type number, or "Unknown" for a number outside it (combat tallies run
// one past the table, and numbers also arrive from saves and packets).
const char* GetCombatAttributeTypeName(int32_t type);

// What kind of damage a tally is about: a combat attribute type, or one of the damage sources
// that have no attribute type of their own.
struct PlayStatsDamageType {
    enum Kind : int32_t {
        KindCombatAttribute = 1,
        KindRetaliation = 2,
        KindReflection = 3,
        KindRacialBonus = 4,
        KindBuffRadius = 5,
        KindBuffAttackRadius = 6,
        KindBuffSelf = 7,
    };

    int32_t kind = 0;
    // The combat attribute type for kind 1; unused by the other kinds.
    int32_t detail = 0;

    bool operator<(const PlayStatsDamageType& other) const
    {
        return kind != other.kind ? kind < other.kind : detail < other.detail;
    }
    bool operator==(const PlayStatsDamageType& other) const = default;

    // "<kind name>::<detail name>", such as "CombatAttributeType::CombatAttributeType_Fire".
    std::string ToString() const;
};

} // namespace GAME
