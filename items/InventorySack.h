#pragma once

#include <cstdint>
#include <map>

namespace GAME {

// One grid of the player's bag. For now it only remembers which item lies in which cell; sizes
// and the search for a free place come with the items work.
class InventorySack {
public:
    struct Cell {
        int32_t x = 0;
        int32_t y = 0;
    };

    InventorySack() = default;
    virtual ~InventorySack() = default;

    // Places the item at a grid cell; an item already in the sack moves there.
    void AddItem(uint32_t id, const Cell& cell) { items[id] = cell; }
    bool RemoveItem(uint32_t id) { return items.erase(id) != 0; }
    bool HasItem(uint32_t id) const { return items.count(id) != 0; }
    // Ascending ids, the order the save writes them.
    const std::map<uint32_t, Cell>& GetItems() const { return items; }

    bool IsItemAddedWhileNotSelected() const { return itemAddedWhileNotSelected; }
    void SetItemAddedWhileNotSelected(bool flag) { itemAddedWhileNotSelected = flag; }

private:
    std::map<uint32_t, Cell> items;
    bool itemAddedWhileNotSelected = false;
};

} // namespace GAME
