#include "items/CursorHandlerItemMove.h"

#include "ai/ControllerPlayer.h"
#include "engine/Engine.h"
#include "engine/GraphicsCanvas.h"
#include "engine/GraphicsEngine.h"
#include "engine/GraphicsTexture.h"
#include "engine/ObjectManager.h"
#include "engine/Options.h"
#include "game/GameEngine.h"
#include "items/EquipmentCtrl.h"
#include "items/Item.h"
#include "items/MarketQuickSale.h"
#include "items/PlayerInventoryCtrl.h"
#include "items/TradeManager.h"

namespace GAME {

namespace {

constexpr int32_t kFocusedSack = -1;
constexpr int kQuickSaleOption = 0;

Vec2 Centre(const Rect& rect)
{
    return {rect.x + rect.width * 0.5f, rect.y + rect.height * 0.5f};
}

} // namespace

void CursorHandlerItemMove::SetId(uint32_t id)
{
    itemId = id;
    hiddenPotions.clear();
    if (PlayerInventoryCtrl* inventory = GetInventoryCtrl(); inventory != nullptr && id != 0)
        inventory->RemoveItem(id, hiddenPotions);
}

void CursorHandlerItemMove::SetEquipId(EquipmentCtrlLocation /*location*/, uint32_t id)
{
    itemId = id;
    hiddenPotions.clear();
    if (EquipmentCtrl* equipment = GetEquipmentCtrl())
        equipment->RemoveItem(id);
}

bool CursorHandlerItemMove::PrimaryInventoryActivate()
{
    PlayerInventoryCtrl* inventory = GetInventoryCtrl();
    if (inventory == nullptr || itemId == 0)
        return false;
    std::vector<Rect> conflicts;
    Rect placed;
    inventory->GetConflicts(relativePosition, itemId, conflicts, placed, kFocusedSack);
    if (conflicts.size() >= 2)
        return false;
    const uint32_t carried = itemId;
    std::vector<uint32_t> carriedHidden = std::move(hiddenPotions);
    const Vec2 under = conflicts.empty() ? relativePosition : Centre(conflicts.front());
    SetId(conflicts.empty() ? 0 : inventory->GetItemUnderPoint(under, kFocusedSack));
    const Vec2 at{placed.x, placed.y};
    if (!carriedHidden.empty())
        inventory->AddStackedItem(at, carried, carriedHidden, kFocusedSack);
    else
        inventory->AddItem(at, carried, kFocusedSack);
    return true;
}

void CursorHandlerItemMove::GetInventoryHighlights(std::vector<Rect>& placeRects,
                                                   std::vector<Rect>& conflictRects,
                                                   std::vector<Rect>& blockedRects,
                                                   uint32_t& itemUnder) const
{
    itemUnder = 0;
    const PlayerInventoryCtrl* inventory = GetInventoryCtrl();
    if (inventory == nullptr)
        return;
    std::vector<Rect> conflicts;
    Rect placed;
    inventory->GetConflicts(relativePosition, itemId, conflicts, placed, kFocusedSack);
    if (conflicts.size() < 2) {
        conflictRects.insert(conflictRects.end(), conflicts.begin(), conflicts.end());
        placeRects.push_back(placed);
    } else {
        blockedRects.insert(blockedRects.end(), conflicts.begin(), conflicts.end());
    }
    itemUnder = inventory->GetItemUnderPoint(relativePosition, kFocusedSack);
}

bool CursorHandlerItemMove::SecondaryInventoryActivate()
{
    if (marketId != 0)
        QuickSale();
    else
        Cancel();
    return true;
}

bool CursorHandlerItemMove::IsEquipConflict(EquipmentCtrlLocation location, bool& reserved) const
{
    const EquipmentCtrl* equipment = GetEquipmentCtrl();
    return equipment == nullptr || !equipment->CanItemBePlaced(location, itemId, reserved);
}

bool CursorHandlerItemMove::PrimaryEquipActivate(EquipmentCtrlLocation location)
{
    bool reserved = false;
    EquipmentCtrl* equipment = GetEquipmentCtrl();
    if (equipment == nullptr || !equipment->CanItemBePlaced(location, itemId, reserved))
        return false;
    equipment->PlaceItem(location, itemId);
    hiddenPotions.clear();
    return true;
}

bool CursorHandlerItemMove::SecondaryEquipActivate(EquipmentCtrlLocation location)
{
    return marketId == 0 ? PrimaryEquipActivate(location) : QuickSale();
}

bool CursorHandlerItemMove::QuickSale()
{
    return marketId != 0 && gEngine->GetOptions().GetBool(kQuickSaleOption) && Sell();
}

bool CursorHandlerItemMove::Sell()
{
    ControllerPlayer* controller = GetPlayerCtrl();
    if (itemId == 0 || gGameEngine == nullptr || controller == nullptr ||
        !SellCarriedItemsToMarket(marketId, itemId, hiddenPotions, *controller))
        return false;
    itemId = 0;
    return true;
}

bool CursorHandlerItemMove::PrimaryMarketActivate()
{
    if (Sell())
        return true;
    Cancel();
    return false;
}

bool CursorHandlerItemMove::PrimaryTradeActivate()
{
    TradeManager* trades = gGameEngine != nullptr ? gGameEngine->GetTradeManager() : nullptr;
    if (trades == nullptr || itemId == 0 || !trades->HandleAddItemOutbound({0.0f, 0.0f}, itemId)) {
        Cancel();
        return false;
    }
    itemId = 0;
    while (!hiddenPotions.empty()) {
        if (!trades->HandleAddItemOutbound({0.0f, 0.0f}, hiddenPotions.back())) {
            // What the window refuses goes back to the bag, the first refused one first.
            itemId = hiddenPotions.back();
            hiddenPotions.pop_back();
            Cancel();
            return true;
        }
        hiddenPotions.pop_back();
    }
    return true;
}

bool CursorHandlerItemMove::ActivateWorld()
{
    if (ControllerPlayer* controller = GetPlayerCtrl()) {
        controller->SendDropItemRandom(itemId);
        for (uint32_t potion : hiddenPotions)
            controller->SendDropItemRandom(potion);
    }
    itemId = 0;
    hiddenPotions.clear();
    return true;
}

bool CursorHandlerItemMove::Cancel()
{
    ControllerPlayer* controller = GetPlayerCtrl();
    if (controller == nullptr)
        return false;
    if (itemId != 0) {
        if (!controller->GiveItemToPlayer(itemId))
            return false;
        itemId = 0;
    }
    while (!hiddenPotions.empty()) {
        if (!controller->GiveItemToPlayer(hiddenPotions.front()))
            return false;
        hiddenPotions.erase(hiddenPotions.begin());
    }
    return true;
}

void CursorHandlerItemMove::Render(GraphicsCanvas& canvas)
{
    const Item* item = ObjectManager::Instance().GetObject<Item>(itemId);
    const GraphicsTexture* bitmap = item != nullptr ? item->GetBitmap() : nullptr;
    if (bitmap == nullptr)
        return;
    Rect size{0.0f, 0.0f, static_cast<float>(bitmap->GetWidth()),
              static_cast<float>(bitmap->GetHeight())};
    GraphicsEngine& graphics = GraphicsEngine::Instance();
    if (graphics.IsDownsizing())
        graphics.GetResAdjRect(Rect(size), size);
    canvas.RenderTexture({displayPosition.x - size.width / 2, displayPosition.y - size.height / 2,
                          size.width, size.height},
                         bitmap->GetName(), Color(1.0f, 1.0f, 1.0f, 1.0f));
}

} // namespace GAME
