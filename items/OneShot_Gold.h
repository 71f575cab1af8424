#pragma once

#include "items/OneShot.h"

#include <string>

namespace GAME {

// A pile of gold. The amount rides in the record's var1, where the gold generator puts it, so
// every machine that makes the pile from the record counts the same gold.
class OneShot_Gold : public OneShot {
    GAME_DECLARE_CLASS(OneShot_Gold)

public:
    OneShot_Gold() = default;
    ~OneShot_Gold() override;

    // Bonus gold and value both become the truncated amount.
    void SetGoldValue(float value);
    uint32_t GetGoldValue() const { return goldValue; }
    // The stored value, re-applied from the record.
    void InitializeItem() override;
    // The sound; the local player's pick-up goes to whoever keeps the gold.
    void Use(Character* character) override;
    std::wstring GetGameDescription(bool flag) const override;

private:
    uint32_t goldValue = 0;
};

} // namespace GAME
