#pragma once

#include "engine/Rect.h"
#include "engine/Vec2.h"
#include "items/EquipmentCtrlLocation.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class ControllerPlayer;
class EquipmentCtrl;
class GraphicsCanvas;
class Player;
class PlayerInventoryCtrl;

// What the mouse cursor carries once the player picks something up: an item, a hot-slot option,
// a one-shot to use, a relic to set. It receives the clicks that follow (on the bag, an
// equipment slot, the trade or market window, the world) and decides what each one means.
class CursorHandler {
public:
    CursorHandler() = default;
    virtual ~CursorHandler();
    CursorHandler(const CursorHandler&) = delete;
    CursorHandler& operator=(const CursorHandler&) = delete;

    // Virtual operations in the order of their slots.
    virtual void DeleteThis() {}
    virtual void SetRelativePosition(const Vec2& position) { relativePosition = position; }
    virtual void SetDisplayPosition(const Vec2& position) { displayPosition = position; }
    virtual void PlayActivationSound();
    // Where the carried thing may go; the item mover answers false, then true four times.
    virtual bool IsHotSlotOption() const = 0;
    virtual bool CanDropOnInventory() const = 0;
    virtual bool CanDropOnEquipment() const = 0;
    virtual bool CanDropOnTrade() const = 0;
    virtual bool CanDropOnMarket() const = 0;
    virtual void Render(GraphicsCanvas& /*canvas*/) {}
    virtual void Update() {}
    virtual bool IsComplete() const = 0;
    virtual bool ActivateWorld() { return false; }
    virtual bool Cancel() { return true; }
    virtual bool Escape();
    virtual int32_t GetGameCursorType() const { return 1; }
    virtual void Refresh() {}
    virtual void SecondaryInitialize() {}
    virtual void SetId(uint32_t /*id*/) {}
    virtual void SetSecondaryId(uint32_t /*id*/) {}
    virtual uint32_t GetId() const { return 0; }
    virtual uint32_t GetSecondaryId() const { return 0; }
    virtual void GetInventoryHighlights(std::vector<Rect>& /*placeRects*/,
                                        std::vector<Rect>& /*conflictRects*/,
                                        std::vector<Rect>& /*blockedRects*/,
                                        uint32_t& itemUnder) const
    {
        itemUnder = 0;
    }
    virtual bool PrimaryInventoryActivate() { return false; }
    virtual bool SecondaryInventoryActivate() { return false; }
    virtual void SetEquipId(EquipmentCtrlLocation /*location*/, uint32_t /*id*/) {}
    // True when the carried thing cannot go into the slot.
    virtual bool IsEquipConflict(EquipmentCtrlLocation /*location*/, bool& /*reserved*/) const
    {
        return true;
    }
    virtual bool PrimaryEquipActivate(EquipmentCtrlLocation /*location*/) { return false; }
    virtual bool SecondaryEquipActivate(EquipmentCtrlLocation /*location*/) { return false; }
    virtual bool PrimaryTradeActivate() { return false; }
    virtual bool PrimaryMarketActivate() { return false; }
    virtual bool SecondaryMarketActivate() { return false; }

    void SetPlayer(const Player* value);
    // Null when the player is gone.
    Player* GetPlayer() const;
    void SetMarketId(uint32_t id) { marketId = id; }
    const Vec2& GetDisplayPosition() const { return displayPosition; }
    const Vec2& GetRelativePosition() const { return relativePosition; }
    uint32_t GetActivationSound() const { return activationSound; }

protected:
    // Null when the player is gone or driven by something else.
    ControllerPlayer* GetPlayerCtrl() const;
    PlayerInventoryCtrl* GetInventoryCtrl() const;
    EquipmentCtrl* GetEquipmentCtrl() const;
    // The handler owns the sound the record names; the old one goes.
    void LoadActivationSound(const std::string& record);

    Vec2 displayPosition;
    Vec2 relativePosition;
    uint32_t playerId = 0;
    uint32_t activationSound = 0;
    uint32_t marketId = 0;
};

} // namespace GAME
