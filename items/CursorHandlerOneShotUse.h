#pragma once

#include "items/CursorHandler.h"

namespace GAME {

// A right click on a potion or a dye: the one-shot is used at once and nothing stays carried.
class CursorHandlerOneShotUse : public CursorHandler {
public:
    bool IsHotSlotOption() const override { return false; }
    bool CanDropOnInventory() const override { return false; }
    bool CanDropOnEquipment() const override { return false; }
    bool CanDropOnTrade() const override { return false; }
    bool CanDropOnMarket() const override { return false; }
    bool IsComplete() const override { return itemId == 0; }
    void SetId(uint32_t id) override { itemId = id; }
    uint32_t GetId() const override { return itemId; }
    void SecondaryInitialize() override;

private:
    uint32_t itemId = 0;
};

} // namespace GAME
