#pragma once

#include "items/CursorHandler.h"

#include <cstdint>

namespace GAME {

class GraphicsTexture;
class Item;
class ItemRelic;

// Sets a relic onto another relic or into a piece of equipment. Setting it into equipment is for
// good, so the player confirms first; the target waits for the answer.
class CursorHandlerRelicCombine : public CursorHandler {
public:
    CursorHandlerRelicCombine();
    ~CursorHandlerRelicCombine() override;

    bool IsHotSlotOption() const override { return false; }
    bool CanDropOnInventory() const override { return true; }
    bool CanDropOnEquipment() const override { return true; }
    bool CanDropOnTrade() const override { return false; }
    bool CanDropOnMarket() const override { return false; }
    // Takes the player's answer to the confirmation.
    void Update() override;
    bool IsComplete() const override { return relicId == 0; }
    bool ActivateWorld() override;
    bool Cancel() override;
    // Refused while a target waits for confirmation.
    bool Escape() override;
    int32_t GetGameCursorType() const override { return 7; }
    void SetId(uint32_t id) override;
    uint32_t GetId() const override { return relicId; }
    void GetInventoryHighlights(std::vector<Rect>& placeRects, std::vector<Rect>& conflictRects,
                                std::vector<Rect>& blockedRects,
                                uint32_t& itemUnder) const override;
    bool PrimaryInventoryActivate() override;
    bool SecondaryInventoryActivate() override { return PrimaryInventoryActivate(); }
    void SetEquipId(EquipmentCtrlLocation location, uint32_t id) override;
    bool IsEquipConflict(EquipmentCtrlLocation location, bool& reserved) const override;
    bool PrimaryEquipActivate(EquipmentCtrlLocation location) override;
    bool SecondaryEquipActivate(EquipmentCtrlLocation location) override
    {
        return PrimaryEquipActivate(location);
    }

    uint32_t GetWaitingTarget() const { return targetId; }

private:
    void Carry(uint32_t id);
    // The relic onto the target: at once, or after the confirmation dialog.
    bool UseOn(uint32_t target);
    void UseRelic();
    uint32_t GetEquipTarget(EquipmentCtrlLocation location) const;
    uint32_t GetInventoryTarget() const;

    uint32_t relicId = 0;
    uint32_t targetId = 0;
    GraphicsTexture* bitmap = nullptr;
};

} // namespace GAME
