#pragma once

#include "engine/Vec2.h"
#include "items/TradeState.h"

#include <cstdint>

namespace GAME {

class ControllerPlayer;
class Player;
class ItemReplicaInfo;

// The local player's trading with one other player: both sides' offers, the invitation that
// waits for the local player's answer, and the partner once both agreed to trade.
class TradeManager {
public:
    TradeManager();
    ~TradeManager();
    TradeManager(const TradeManager&) = delete;
    TradeManager& operator=(const TradeManager&) = delete;

    // Once per frame: takes the local player's answer to a pending invitation.
    void Update();

    // No partner, no invitation, window closed, both offers empty.
    void CleanUp();

    bool AbleToTrade() const { return !tradeActive && pendingInvite == 0; }
    bool GetIsTradeActive() const { return tradeActive; }
    uint32_t GetTradePartner() const { return tradePartner; }
    uint32_t GetPendingInvite() const { return pendingInvite; }
    uint32_t GetInvitedPlayer() const { return invitedPlayer; }
    bool IsInitiating() const { return initiating; }
    const TradeState& GetMyTradeState() const { return myTradeState; }
    const TradeState& GetHisTradeState() const { return hisTradeState; }
    void OpenTradeWindow() { tradeActive = true; }
    void CloseTradeWindow() { tradeActive = false; }

    // The sound played when another player asks to trade; 0 when its record made none.
    uint32_t GetInviteSoundId() const { return inviteSoundId; }

    // From the partner's machine. Offers, removals, gold and confirmations count only while
    // the trade is active and only from the partner.
    void HandleInitiateTradeInbound(uint32_t from);
    void HandleCancelTradeInbound(uint32_t from);
    void HandleFinalizeTradeInbound(uint32_t from);
    void HandleAddItemInbound(uint32_t from, const Vec2& gridPosition,
                              const ItemReplicaInfo& replica);
    void HandleRemoveItemInbound(uint32_t from, uint32_t itemId);
    void HandleSetGoldAmountInbound(uint32_t from, uint32_t amount);

    // The local player's actions. Initiating false is the acceptance of an invitation.
    void HandleInitiateTradeOutbound(uint32_t other, bool initiating);
    void HandleCancelTradeOutbound(uint32_t partner);
    void HandleFinalizeTradeOutbound();
    // A copy of the item goes on the table; the original stays with the player until the
    // exchange. False when there is no trade, the player does not hold the item, it is offered
    // already or the window has no room.
    bool HandleAddItemOutbound(const Vec2& position, uint32_t itemId);
    // By the id of the copy on the table; false when it is not there.
    bool HandleRemoveItemOutbound(uint32_t itemId);
    // No more than the purse holds.
    void HandleSetGoldAmountOutbound(uint32_t amount);
    // The local offer goes back to the player's bag.
    void ReturnItems();

private:
    void Refuse(uint32_t from);
    void ResetFinalized();
    bool IsFromPartner(uint32_t from) const
    {
        return tradeActive && from != 0 && from == tradePartner;
    }
    void FinalizeTradeLocally();

    uint32_t inviteSoundId = 0;
    TradeState myTradeState;
    TradeState hisTradeState;
    bool initiating = false;
    bool tradeActive = false;
    uint32_t tradePartner = 0;
    uint32_t pendingInvite = 0;
    uint32_t invitedPlayer = 0;
};

} // namespace GAME
