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
    // Gives the requester a free place of the ring at `radius` round the owner, or one taken
    // from a holder of the same size that stands farther from it. `position` has no region when
    // no place is given.
    void RequestSlot(WorldVec3& position, uint32_t requester, float radius, bool skipReachTest);
    // Frees the first slot held by that character; one holding none changes nothing.
    void ReleaseSlot(uint32_t id);

    // A candidate place: its index and its squared distance from the requester.
    struct SlotDistance {
        uint32_t index = 0;
        float distanceSquared = 0.0f;
    };
    static bool CompareSlotDistance(const SlotDistance& first, const SlotDistance& second)
    {
        return first.distanceSquared < second.distanceSquared;
    }

    uint32_t GetNumSlots() const { return static_cast<uint32_t>(occupants.size()); }
    // The character holding the slot; 0 for a free slot or an index past the ring.
    uint32_t GetSlotHolder(uint32_t index) const;

private:
    void CalculateSlotPositions(float newRadius);
    WorldVec3 CalculateSlotPosition(uint32_t index, float newRadius) const;

    Character* owner;
    std::vector<uint32_t> occupants;
    std::vector<WorldVec3> positions;
    WorldVec3 centre;
    // 0 until the positions are worked out for a radius.
    float radius = 0.0f;
};

} // namespace GAME
