#pragma once

#include "items/TradeState.h"

#include <cstdint>

namespace GAME {

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
    bool IsInitiating() const { return initiating; }
    const TradeState& GetMyTradeState() const { return myTradeState; }
    const TradeState& GetHisTradeState() const { return hisTradeState; }
    void OpenTradeWindow() { tradeActive = true; }
    void CloseTradeWindow() { tradeActive = false; }

    // The sound played when another player asks to trade; 0 when its record made none.
    uint32_t GetInviteSoundId() const { return inviteSoundId; }

private:
    uint32_t inviteSoundId = 0;
    TradeState myTradeState;
    TradeState hisTradeState;
    bool initiating = false;
    bool tradeActive = false;
    uint32_t tradePartner = 0;
    uint32_t pendingInvite = 0;
};

} // namespace GAME
