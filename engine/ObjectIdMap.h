#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace GAME {

class Object;

// Object id to object: open addressing with linear probing in a power-of-two table, so that a
// look-up among a hundred thousand objects touches one or two cache lines. Id 0 marks a free
// slot (it is never a valid id).
//
// Ids are handed out in sequence, so the live ones mostly form one recent run: beside the table,
// an array of as many slots, indexed by the id's low bits, finds those without hashing or
// probing. The table stays the authority (and keeps its visiting order); an id whose slot is
// held by another is found in the table alone. Both grow with the live count, never with the
// ids' size.
class ObjectIdMap {
public:
    Object* Find(uint32_t id) const
    {
        if (!direct.empty()) {
            const Slot& slot = direct[id & (direct.size() - 1)];
            if (slot.id == id)
                return slot.object;
        }
        // A miss (an id already destroyed) need not probe while every id has its own slot.
        return tableOnly == 0 ? nullptr : FindInTable(id);
    }
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
    Object* FindInTable(uint32_t id) const;
    void Grow();
    // False when the id is found in the table alone.
    bool PlaceDirect(uint32_t id, Object* object);

    std::vector<Slot> slots;
    std::vector<Slot> direct;
    size_t count = 0;
    size_t tableOnly = 0;
    uint32_t shift = 0;
};

} // namespace GAME
