#pragma once

#include <array>
#include <cstdint>

namespace GAME {
class BinaryReader;
class BinaryWriter;
} // namespace GAME

namespace GAME {

// The persistent part of a skill: its level and whether it may be used.
struct SkillState {
    uint32_t skillLevel = 0;
    bool enabled = false;

    // Level little-endian, the flag as 0 or 1, three zero bytes.
    std::array<uint8_t, 8> ToRaw() const;
    // Any non-zero flag byte reads as true, so a peer's byte never lands in a bool as is.
    static SkillState FromRaw(const std::array<uint8_t, 8>& bytes);

    // The level-state form: the level as a 32-bit word, then each flag as a 32-bit word.
    void SaveState(BinaryWriter& writer) const;
    // False, with this left as it was, when the words run out.
    bool RestoreState(BinaryReader& reader);
};

} // namespace GAME
