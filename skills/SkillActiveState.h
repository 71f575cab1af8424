#pragma once

#include <array>
#include <cstdint>

namespace GAME {
class BinaryReader;
class BinaryWriter;
} // namespace GAME

namespace GAME {

// The running part of a skill.
struct SkillActiveState {
    SkillActiveState() = default;
    SkillActiveState(int subLevel, bool active, bool transition)
        : subLevel(subLevel), active(active), transition(transition)
    {}

    int32_t subLevel = 0;
    bool active = false;
    bool transition = false;

    // Sub level little-endian, the two flags as 0 or 1, two zero bytes.
    std::array<uint8_t, 8> ToRaw() const;
    // Any non-zero flag byte reads as true.
    static SkillActiveState FromRaw(const std::array<uint8_t, 8>& bytes);

    // The level-state form: the level as a 32-bit word, then each flag as a 32-bit word.
    void SaveState(BinaryWriter& writer) const;
    // False, with this left as it was, when the words run out.
    bool RestoreState(BinaryReader& reader);
};

} // namespace GAME
