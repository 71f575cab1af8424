#pragma once

#include "items/OneShot.h"

#include <cstdint>

namespace GAME {

// A potion; potions of one kind stack.
class OneShot_Potion : public OneShot {
    GAME_DECLARE_CLASS(OneShot_Potion)

public:
    OneShot_Potion() = default;
    ~OneShot_Potion() override;

    // Notes the main player's first potion, then the sound, one off the stack and the bonus.
    void Use(Character* character) override;

    // Count - n, or 0 when n is not below the count.
    uint32_t RemoveFromStack(uint32_t n);
    void SetStackCount(uint32_t n) { stackCount = n; }
    // Potions hidden behind this one: 0 is a single potion.
    uint32_t GetNumberInStack() const { return stackCount; }

private:
    uint32_t stackCount = 0;
};

} // namespace GAME
