#pragma once

#include "engine/Rect.h"
#include "engine/Vec2.h"

#include <cstdint>
#include <map>

namespace GAME {

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

    InventorySack() = default;
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

    // The room the item takes: its bitmap, never less than one cell. False without a bitmap.
    bool GetFootprint(const Item* item, float& w, float& h) const;
    bool IsSpaceForItem(const Item* item) const;
    // With findPosition, the first free place from the top-left row by row, or false; without
    // it, the item is held unplaced. An item already in the sack keeps its place.
    bool AddItem(Item* item, bool findPosition);
    // At a pixel position, no overlap test; false only without a bitmap.
    bool AddItem(const Vec2& position, Item* item, bool quiet);
    // At a cell, as a save keeps it. An item without a bitmap still takes its one cell, so a
    // restored item is never lost from the bag.
    void AddItem(uint32_t id, const Cell& cell);
    bool RemoveItem(uint32_t id) { return inventory.erase(id) != 0; }
    bool HasItem(uint32_t id) const { return inventory.count(id) != 0; }
    // Ascending ids, the order the save writes them.
    const std::map<uint32_t, Rect>& GetInventory() const { return inventory; }

    bool IsItemAddedWhileNotSelected() const { return itemAddedWhileNotSelected; }
    void SetItemAddedWhileNotSelected(bool flag) { itemAddedWhileNotSelected = flag; }

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
