#pragma once

#include "engine/WorldVec3.h"

#include <cstdint>
#include <vector>

namespace GAME {

class Character;

// A ring of places round one character, handed out to the characters that converge on it:
// every character owns one for its attackers and one for its defenders.
class SlotManager {
public:
    // More places than this round one body only crowd the ring; a record asking for more (or a
    // negative count read as unsigned) gets this many.
    static constexpr uint32_t kMaxSlots = 64;

    explicit SlotManager(Character* owner);

    // Every slot is freed and the positions are worked out again at the next request.
    void SetNumSlots(uint32_t count);
    // Frees the first slot held by that character; one holding none changes nothing.
    void ReleaseSlot(uint32_t id);

    uint32_t GetNumSlots() const { return static_cast<uint32_t>(occupants.size()); }
    // The character holding the slot; 0 for a free slot or an index past the ring.
    uint32_t GetSlotHolder(uint32_t index) const;

private:
    Character* owner;
    std::vector<uint32_t> occupants;
    std::vector<WorldVec3> positions;
    WorldVec3 centre;
    // 0 until the positions are worked out for a radius.
    float radius = 0.0f;
};

} // namespace GAME
