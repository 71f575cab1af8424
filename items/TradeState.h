#pragma once

#include <cstdint>

namespace GAME {

// One side of a trade: the gold offered and whether that side has confirmed.
class TradeState {
public:
    // Nothing offered, nothing confirmed.
    void Clear();

    void SetFinalized(bool value) { finalized = value; }
    bool GetFinalized() const { return finalized; }
    void SetGoldAmount(uint32_t amount) { goldAmount = amount; }
    uint32_t GetGoldAmount() const { return goldAmount; }

private:
    bool finalized = false;
    uint32_t goldAmount = 0;
};

} // namespace GAME
