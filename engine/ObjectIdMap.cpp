#include "engine/ObjectIdMap.h"

namespace GAME {

Object* ObjectIdMap::FindInTable(uint32_t id) const
{
    if (id == 0 || slots.empty())
        return nullptr;
    const size_t mask = slots.size() - 1;
    for (size_t i = IndexOf(id);; i = (i + 1) & mask) {
        const Slot& slot = slots[i];
        if (slot.id == id)
            return slot.object;
        if (slot.id == 0)
            return nullptr;
    }
}

bool ObjectIdMap::Insert(uint32_t id, Object* object)
{
    if (id == 0)
        return false;
    // Keep the load at most one half so probe runs stay short.
    if ((count + 1) * 2 > slots.size())
        Grow();
    const size_t mask = slots.size() - 1;
    for (size_t i = IndexOf(id);; i = (i + 1) & mask) {
        Slot& slot = slots[i];
        if (slot.id == id)
            return false;
        if (slot.id == 0) {
            slot.id = id;
            slot.object = object;
            ++count;
            if (!PlaceDirect(id, object))
                ++tableOnly;
            return true;
        }
    }
}

Object* ObjectIdMap::Erase(uint32_t id)
{
    if (id == 0 || slots.empty())
        return nullptr;
    const size_t mask = slots.size() - 1;
    size_t hole = IndexOf(id);
    while (slots[hole].id != id) {
        if (slots[hole].id == 0)
            return nullptr;
        hole = (hole + 1) & mask;
    }
    Object* removed = slots[hole].object;
    Slot& own = direct[id & (direct.size() - 1)];
    if (own.id == id)
        own = Slot();
    else
        --tableOnly;
    // Backward-shift deletion: pull later members of the run into the hole so that no
    // tombstones are needed.
    for (size_t next = (hole + 1) & mask; slots[next].id != 0; next = (next + 1) & mask) {
        const size_t home = IndexOf(slots[next].id);
        const bool movable =
            hole <= next ? (home <= hole || home > next) : (home <= hole && home > next);
        if (movable) {
            slots[hole] = slots[next];
            hole = next;
        }
    }
    slots[hole] = Slot();
    --count;
    return removed;
}

bool ObjectIdMap::PlaceDirect(uint32_t id, Object* object)
{
    Slot& own = direct[id & (direct.size() - 1)];
    if (own.id == 0)
        own = Slot{id, object};
    return own.id == id;
}

void ObjectIdMap::Clear()
{
    slots.clear();
    direct.clear();
    tableOnly = 0;
    count = 0;
    shift = 0;
}

void ObjectIdMap::Grow()
{
    std::vector<Slot> old;
    old.swap(slots);
    shift = shift == 0 ? 6 : shift + 1;
    slots.assign(size_t(1) << shift, Slot());
    direct.assign(slots.size(), Slot());
    count = 0;
    // Recounted: an id left in the table alone may take a serial slot freed since.
    tableOnly = 0;
    for (const Slot& slot : old) {
        if (slot.id != 0)
            Insert(slot.id, slot.object);
    }
}

} // namespace GAME
