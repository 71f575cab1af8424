#pragma once

#include "items/CursorHandler.h"

#include <cstdint>
#include <vector>

namespace GAME {

// Moves an item, with the potions hidden behind it when it tops a stack. Complete once it
// carries nothing.
class CursorHandlerItemMove : public CursorHandler {
public:
    bool IsHotSlotOption() const override { return false; }
    bool CanDropOnInventory() const override { return true; }
    bool CanDropOnEquipment() const override { return true; }
    bool CanDropOnTrade() const override { return true; }
    bool CanDropOnMarket() const override { return true; }
    void Render(GraphicsCanvas& canvas) override;
    bool IsComplete() const override { return itemId == 0; }
    // Drops everything carried around the player.
    bool ActivateWorld() override;
    // Gives everything back, the item first; false as soon as something finds no room (it
    // stays carried).
    bool Cancel() override;
    // Takes the item out of the bag, its hidden potions with it.
    void SetId(uint32_t id) override;
    uint32_t GetId() const override { return itemId; }
    void GetInventoryHighlights(std::vector<Rect>& placeRects, std::vector<Rect>& conflictRects,
                                std::vector<Rect>& blockedRects,
                                uint32_t& itemUnder) const override;
    // A drop over two items or more is refused; over one, the two swap.
    bool PrimaryInventoryActivate() override;
    bool SecondaryInventoryActivate() override;
    // Takes the item out of the equipment.
    void SetEquipId(EquipmentCtrlLocation location, uint32_t id) override;
    bool IsEquipConflict(EquipmentCtrlLocation location, bool& reserved) const override;
    // The slot's item comes onto the cursor.
    bool PrimaryEquipActivate(EquipmentCtrlLocation location) override;
    bool SecondaryEquipActivate(EquipmentCtrlLocation location) override;
    bool PrimaryTradeActivate() override;
    bool PrimaryMarketActivate() override;
    bool SecondaryMarketActivate() override { return PrimaryMarketActivate(); }

    const std::vector<uint32_t>& GetHiddenPotions() const { return hiddenPotions; }

private:
    // The sale to the open market of the item and its hidden potions; false when refused.
    bool Sell();
    bool QuickSale();

    uint32_t itemId = 0;
    std::vector<uint32_t> hiddenPotions;
};

} // namespace GAME
