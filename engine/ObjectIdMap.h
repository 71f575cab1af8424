#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace GAME {

class Object;

// Object id to object: open addressing with linear probing in a power-of-two table, so that a
// look-up among a hundred thousand objects touches one or two cache lines. Id 0 marks a free
// slot (it is never a valid id).
class ObjectIdMap {
public:
    Object* Find(uint32_t id) const;
    // False when the id is 0 or already present.
    bool Insert(uint32_t id, Object* object);
    // The object removed, or null.
    Object* Erase(uint32_t id);
    void Clear();

    size_t Size() const { return count; }
    bool Contains(uint32_t id) const { return Find(id) != nullptr; }

    template <typename Visit> void ForEach(Visit visit) const
    {
        for (const Slot& slot : slots) {
            if (slot.id != 0)
                visit(slot.id, slot.object);
        }
    }

private:
    struct Slot {
        uint32_t id = 0;
        Object* object = nullptr;
    };

    size_t IndexOf(uint32_t id) const
    {
        // Fibonacci hashing spreads sequential ids and host bits alike.
        return static_cast<size_t>((id * 2654435769u) >> (32 - shift));
    }
    void Grow();

    std::vector<Slot> slots;
    size_t count = 0;
    uint32_t shift = 0;
};

} // namespace GAME
