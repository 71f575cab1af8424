#pragma once

#include "items/InventorySack.h"

#include <cstdint>
#include <map>

namespace GAME {

class ControllerPlayer;
class Item;

// One side of a trade: the items offered, the gold offered and whether that side has confirmed.
// The sack holds copies made for the trade window; each stands for another item: on the local
// side the original, which stays in the player's inventory (in no sack) while offered, on the
// partner's side the id the partner gave his own copy.
class TradeState {
public:
    TradeState() = default;
    ~TradeState();
    TradeState(const TradeState&) = delete;
    TradeState& operator=(const TradeState&) = delete;

    // Nothing offered, nothing confirmed; the copies left in the sack are destroyed.
    void Clear();

    void SetFinalized(bool value) { finalized = value; }
    bool GetFinalized() const { return finalized; }
    void SetGoldAmount(uint32_t amount) { goldAmount = amount; }
    uint32_t GetGoldAmount() const { return goldAmount; }
    InventorySack& GetInventorySack() { return sack; }
    const InventorySack& GetInventorySack() const { return sack; }

    // Remembers what the copy in the sack stands for.
    void SetStandsFor(uint32_t copyId, uint32_t otherId) { standsFor[copyId] = otherId; }
    // What the copy stands for; 0 when it is not in the sack.
    uint32_t GetStandsFor(uint32_t copyId) const;
    // The copy standing for the id; 0 when none does.
    uint32_t FindCopyOf(uint32_t otherId) const;
    // The copy leaves the sack and is destroyed; returns what it stood for (0 when it was not in
    // the sack).
    uint32_t RemoveItem(uint32_t copyId);
    // A cancel: the originals go back to the player's bag, the copies are destroyed.
    void ReturnItems(ControllerPlayer* controller);
    // The exchange: the originals leave the player on every machine, the copies are destroyed.
    void RemoveItems(ControllerPlayer* controller);
    // The exchange: the partner's items are made afresh for the local player.
    void DeleteAndCreateItemsForPlayer(ControllerPlayer* controller);

private:
    // Every copy leaves the sack and is destroyed, each original handed to `each` first.
    template <typename Each> void TakeCopies(Each&& each);

    InventorySack sack;
    bool finalized = false;
    uint32_t goldAmount = 0;
    std::map<uint32_t, uint32_t> standsFor;
};

} // namespace GAME
