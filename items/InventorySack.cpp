#include "items/InventorySack.h"

#include "engine/Engine.h"
#include "engine/GraphicsTexture.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"

#include <algorithm>

namespace GAME {

namespace {

uint32_t WholeCells(int32_t pixels, float cell)
{
    if (pixels <= 0 || cell <= 0.0f)
        return 0;
    const float cells = static_cast<float>(pixels) / cell;
    if (cells > static_cast<float>(InventorySack::kMaxCells)) {
        gEngine->Log(Engine::LogData, "Inventory sack of %d pixels cut to %u cells", pixels,
                     InventorySack::kMaxCells);
        return InventorySack::kMaxCells;
    }
    return static_cast<uint32_t>(cells);
}

bool Overlap(const Rect& a, const Rect& b)
{
    return !(b.x + b.width <= a.x || a.x + a.width <= b.x || b.y + b.height <= a.y ||
             a.y + a.height <= b.y);
}

} // namespace

void InventorySack::SetDims(int32_t pixelWidth, int32_t pixelHeight)
{
    width = WholeCells(pixelWidth, cellWidth);
    height = WholeCells(pixelHeight, cellHeight);
}

Vec2 InventorySack::PixelsToGrid(const Vec2& pixels) const
{
    if (cellWidth == 0.0f || cellHeight == 0.0f)
        return {-1.0f, -1.0f};
    return {pixels.x / cellWidth, pixels.y / cellHeight};
}

bool InventorySack::GetFootprint(const Item* item, float& w, float& h) const
{
    const GraphicsTexture* bitmap = item == nullptr ? nullptr : item->GetBitmap();
    if (bitmap == nullptr)
        return false;
    w = std::max(static_cast<float>(bitmap->GetWidth()), cellWidth);
    h = std::max(static_cast<float>(bitmap->GetHeight()), cellHeight);
    return true;
}

bool InventorySack::IsConflict(const Rect& rect) const
{
    return std::any_of(inventory.begin(), inventory.end(),
                       [&rect](const auto& entry) { return Overlap(rect, entry.second); });
}

bool InventorySack::FindNextPosition(const Item* item, Rect& out) const
{
    out.x = 0.0f;
    out.y = 0.0f;
    if (!GetFootprint(item, out.width, out.height))
        return false;
    const float pixelWidth = static_cast<float>(width) * cellWidth;
    const float pixelHeight = static_cast<float>(height) * cellHeight;
    for (uint32_t row = 0; row < height; ++row) {
        for (uint32_t column = 0; column < width; ++column) {
            if (out.x + out.width > pixelWidth)
                break;
            if (out.y + out.height > pixelHeight)
                return false;
            if (!IsConflict(out))
                return true;
            out.x += cellWidth;
        }
        out.x = 0.0f;
        out.y += cellHeight;
    }
    return false;
}

bool InventorySack::IsSpaceForItem(const Item* item) const
{
    Rect unused;
    return FindNextPosition(item, unused);
}

bool InventorySack::AddItem(Item* item, bool findPosition)
{
    if (item == nullptr)
        return false;
    Rect place(-1.0f, -1.0f, -1.0f, -1.0f);
    if (findPosition && !FindNextPosition(item, place))
        return false;
    inventory.try_emplace(item->GetObjectId(), place);
    return true;
}

bool InventorySack::AddItem(const Vec2& position, Item* item, bool quiet)
{
    Rect place(position.x, position.y, 0.0f, 0.0f);
    if (!GetFootprint(item, place.width, place.height))
        return false;
    if (!quiet)
        item->SetDropSoundToPlay();
    inventory.try_emplace(item->GetObjectId(), place);
    return true;
}

void InventorySack::AddItem(uint32_t id, const Cell& cell)
{
    const Vec2 position =
        GridToPixels(Vec2(static_cast<float>(cell.x), static_cast<float>(cell.y)));
    Rect place(position.x, position.y, cellWidth, cellHeight);
    GetFootprint(ObjectManager::Instance().GetObject<Item>(id), place.width, place.height);
    inventory[id] = place;
}

} // namespace GAME
