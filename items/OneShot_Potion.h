#pragma once

#include "items/OneShot.h"

#include <cstdint>

namespace GAME {

// A potion; potions of one kind stack. The stack count is the number of potions hidden behind
// this one, so a stack holds count + 1.
class OneShot_Potion : public OneShot {
    GAME_DECLARE_CLASS(OneShot_Potion)

public:
    static constexpr uint32_t kDefaultStackLimit = 10;

    OneShot_Potion();
    ~OneShot_Potion() override;

    // Notes the main player's first potion, then the sound, one off the stack and the bonus.
    void Use(Character* character) override;
    // A right click drinks or applies it.
    std::unique_ptr<CursorHandler>
    CreateSecondaryCursorHandler(const Character* character) override;

    // The game's "potionStackLimit", read at every call so a changed database counts at once;
    // never below 1.
    static uint32_t GetStackLimit();
    // Count + n, at most the limit.
    uint32_t AddToStack(uint32_t n);
    // Count - n, or 0 when n is not below the count.
    uint32_t RemoveFromStack(uint32_t n);
    void SetStackCount(uint32_t n) { stackCount = n; }
    uint32_t GetNumberInStack() const { return stackCount; }
    // The stack holds the limit of potions.
    bool IsStackFull() const;

    // With forStack, the price of the whole stack.
    uint32_t GetItemCost(bool forStack) const override;
    // The number on the icon, when more than one.
    void GetUIBitmapText(std::wstring& text) const override;

private:
    uint32_t stackCount = 0;
};

} // namespace GAME
