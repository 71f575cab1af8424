#include "items/InventorySack.h"

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"
#include "engine/GraphicsTexture.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"

#include <algorithm>
#include <cmath>

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

bool IsDownsizing()
{
    return GraphicsEngine::Instance().IsDownsizing();
}

} // namespace

InventorySack::InventorySack()
{
    if (!IsDownsizing())
        return;
    const GraphicsEngine& graphics = GraphicsEngine::Instance();
    cellHeight = std::floor(static_cast<float>(graphics.GetHeight()) * 0.0013020834f * 32.0f);
    cellWidth = std::floor(static_cast<float>(graphics.GetWidth()) * 0.0009765625f * 32.0f);
}

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
    if (IsDownsizing()) {
        Rect adjusted;
        GraphicsEngine::Instance().GetResAdjRect(Rect(0.0f, 0.0f, w, h), adjusted);
        w = adjusted.width;
        h = adjusted.height;
    }
    return true;
}

void InventorySack::AlignRect(Rect& rect) const
{
    const float pixelWidth = static_cast<float>(width) * cellWidth;
    const float pixelHeight = static_cast<float>(height) * cellHeight;
    rect.x = std::max(rect.x, 0.0f);
    rect.y = std::max(rect.y, 0.0f);
    if (rect.x + rect.width > pixelWidth)
        rect.x = pixelWidth - rect.width;
    if (rect.y + rect.height > pixelHeight)
        rect.y = pixelHeight - rect.height;
    // A sack without cell size has no grid to snap to.
    if (cellWidth > 0.0f)
        rect.x = std::trunc(rect.x / cellWidth) * cellWidth;
    if (cellHeight > 0.0f)
        rect.y = std::trunc(rect.y / cellHeight) * cellHeight;
}

Rect InventorySack::GetRectUnderPoint(const Vec2& point) const
{
    Rect cell(0.0f, 0.0f, cellWidth, cellHeight);
    for (uint32_t row = 0; row < height; ++row) {
        cell.y = static_cast<float>(row) * cellHeight;
        for (uint32_t column = 0; column < width; ++column) {
            cell.x = static_cast<float>(column) * cellWidth;
            if (cell.Contains(point))
                return cell;
        }
    }
    cell.x = 0.0f;
    cell.y = static_cast<float>(height) * cellHeight;
    return cell;
}

uint32_t InventorySack::GetItemUnderPoint(const Vec2& point) const
{
    for (const auto& [id, rect] : inventory) {
        if (rect.Contains(point))
            return id;
    }
    return 0;
}

void InventorySack::GetConflicts(const Vec2& point, const Item* item, std::vector<Rect>& conflicts,
                                 Rect& placed) const
{
    float w = 0.0f;
    float h = 0.0f;
    if (!GetFootprint(item, w, h))
        return;
    Rect rect(point.x - w / 2.0f + cellWidth / 2.0f, point.y - h / 2.0f + cellHeight / 2.0f, w, h);
    AlignRect(rect);
    placed = rect;
    for (const auto& entry : inventory) {
        if (Overlap(rect, entry.second))
            conflicts.push_back(entry.second);
    }
}

bool InventorySack::ArrangeUnpositionedItems()
{
    bool allPlaced = true;
    ObjectManager& objects = ObjectManager::Instance();
    for (auto entry = inventory.begin(); entry != inventory.end();) {
        const Item* item = objects.GetObject<Item>(entry->first);
        if (entry->second.x != -1.0f || entry->second.y != -1.0f || item == nullptr) {
            ++entry;
            continue;
        }
        Rect place;
        if (FindNextPosition(item, place)) {
            entry->second = place;
            ++entry;
        } else {
            entry = inventory.erase(entry);
            allPlaced = false;
        }
    }
    return allPlaced;
}

Vec2 InventorySack::AddItemAndReturnPoint(Item* item)
{
    Rect place;
    if (item == nullptr || !FindNextPosition(item, place))
        return {-1.0f, -1.0f};
    inventory.try_emplace(item->GetObjectId(), place);
    return {place.x, place.y};
}

void InventorySack::TakeAllItems(ControllerPlayer* controller)
{
    if (controller != nullptr) {
        for (const auto& entry : inventory)
            controller->SendRemoveItemFromInventory(entry.first);
    }
    inventory.clear();
}

void InventorySack::GiveAllItems(ControllerPlayer* controller)
{
    if (controller != nullptr) {
        for (const auto& entry : inventory)
            controller->GiveItemToPlayer(entry.first);
    }
    inventory.clear();
}

void InventorySack::DeleteAndCreateAllItemsFor(ControllerPlayer* /*controller*/)
{
    const Player* mainPlayer = gGameEngine != nullptr ? gGameEngine->GetMainPlayer() : nullptr;
    // With nobody to receive them the copies would be lost; the offer stays as it is.
    if (mainPlayer == nullptr)
        return;
    ObjectManager& objects = ObjectManager::Instance();
    std::vector<Item*> replaced;
    for (const auto& entry : inventory) {
        Item* item = objects.GetObject<Item>(entry.first);
        if (item == nullptr)
            continue;
        ItemReplicaInfo info;
        item->GetItemReplicaInfo(info);
        info.id = objects.CreateObjectID();
        gGameEngine->CreateItemForCharacter(gGameEngine->GetPlayerId(), mainPlayer->GetCoords(),
                                            info, nullptr);
        replaced.push_back(item);
    }
    inventory.clear();
    // The offer's copies belonged to nobody: left alone they would outlive the trade.
    for (Item* item : replaced)
        objects.DestroyObjectEx(item, "Project\\Game\\InventorySack", __LINE__);
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
        item->PlayDropSound();
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
