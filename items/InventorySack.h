#pragma once

#include "engine/Rect.h"
#include "engine/Vec2.h"

#include <cstdint>
#include <map>
#include <vector>

namespace GAME {

class ControllerPlayer;
class Item;

// One grid of a bag. Items lie in it as pixel rectangles sized from their bitmap; a rectangle at
// (-1, -1) is an item held but not yet placed.
class InventorySack {
public:
    struct Cell {
        int32_t x = 0;
        int32_t y = 0;
    };

    // Beyond this a grid is a damaged record, and searching it would never end.
    static constexpr uint32_t kMaxCells = 256;

    // A downsizing screen shrinks the cells with it.
    InventorySack();
    virtual ~InventorySack() = default;

    // Whole cells of the pixel size; a negative size gives no cells.
    void SetDims(int32_t pixelWidth, int32_t pixelHeight);
    uint32_t GetWidth() const { return width; }
    uint32_t GetHeight() const { return height; }
    float GetCellWidth() const { return cellWidth; }
    float GetCellHeight() const { return cellHeight; }
    Vec2 GridToPixels(const Vec2& cell) const { return {cell.x * cellWidth, cell.y * cellHeight}; }
    // (-1, -1) when a cell has no size.
    Vec2 PixelsToGrid(const Vec2& pixels) const;

    // The room the item takes: its bitmap, never less than one cell, scaled as the screen is.
    // False without a bitmap.
    bool GetFootprint(const Item* item, float& w, float& h) const;
    // Inside the grid, snapped down to a cell.
    void AlignRect(Rect& rect) const;
    // The cell holding the point; past every cell, the one after the last row.
    Rect GetRectUnderPoint(const Vec2& point) const;
    // The lowest id whose rectangle holds the point; 0 when none.
    uint32_t GetItemUnderPoint(const Vec2& point) const;
    uint32_t GetFirstItem() const { return inventory.empty() ? 0 : inventory.begin()->first; }
    // What a drop of the item at the point would cover, and where it would land. Nothing is
    // written for an item without a bitmap.
    void GetConflicts(const Vec2& point, const Item* item, std::vector<Rect>& conflicts,
                      Rect& placed) const;
    // Places the items held unplaced; one that finds no room leaves the sack (false).
    bool ArrangeUnpositionedItems();
    // The first free place's top-left, or (-1, -1) and nothing added.
    Vec2 AddItemAndReturnPoint(Item* item);
    void RemoveAllItems() { inventory.clear(); }
    // Every item leaves the owner's inventory through the controller; the sack empties.
    void TakeAllItems(ControllerPlayer* controller);
    // Every item goes back to the controller's player; the sack empties.
    void GiveAllItems(ControllerPlayer* controller);
    // Fresh copies of every item go to the local main player; the copies replaced are destroyed
    // once the new ones are asked for. Without a main player nothing happens.
    void DeleteAndCreateAllItemsFor(ControllerPlayer* controller);
    bool IsSpaceForItem(const Item* item) const;
    // With findPosition, the first free place from the top-left row by row, or false; without
    // it, the item is held unplaced. An item already in the sack keeps its place.
    bool AddItem(Item* item, bool findPosition);
    // At a pixel position, no overlap test; false only without a bitmap. Unless quiet the item
    // is heard landing.
    bool AddItem(const Vec2& position, Item* item, bool quiet);
    // At a cell, as a save keeps it. An item without a bitmap still takes its one cell, so a
    // restored item is never lost from the bag.
    void AddItem(uint32_t id, const Cell& cell);
    bool RemoveItem(uint32_t id) { return inventory.erase(id) != 0; }
    bool HasItem(uint32_t id) const { return inventory.count(id) != 0; }
    // Ascending ids, the order the save writes them.
    const std::map<uint32_t, Rect>& GetInventory() const { return inventory; }

    bool IsItemAddedWhileNotTheCurrentlySelectedInventoryTab() const
    {
        return itemAddedWhileNotSelected;
    }
    void SetItemAddedWhileNotTheCurrentlySelectedInventoryTab(bool flag)
    {
        itemAddedWhileNotSelected = flag;
    }

protected:
    bool IsConflict(const Rect& rect) const;
    bool FindNextPosition(const Item* item, Rect& out) const;

private:
    bool itemAddedWhileNotSelected = false;
    float cellWidth = 32.0f;
    float cellHeight = 32.0f;
    uint32_t width = 12;
    uint32_t height = 5;
    std::map<uint32_t, Rect> inventory;
};

} // namespace GAME
