#pragma once

#include <cstdint>
#include <vector>

namespace GAME {

// One bag cell shared by potions of a kind: the visible potion that lies in the sack and the
// potions hidden behind it. The visible potion's stack count always tells how many hide.
class PotionStack {
public:
    explicit PotionStack(uint32_t visible);
    PotionStack(uint32_t visible, const std::vector<uint32_t>& hidden);
    virtual ~PotionStack() = default;
    PotionStack(const PotionStack&) = default;
    PotionStack& operator=(const PotionStack&) = default;

    uint32_t GetVisiblePotion() const { return visiblePotion; }
    uint32_t GetNumberInStack() const { return static_cast<uint32_t>(hidden.size()); }
    uint32_t GetTotalPotions() const { return GetNumberInStack() + 1; }
    void PushStack(uint32_t id);
    // The last hidden potion; 0 when none hides.
    uint32_t PopStack();
    // A stack whose visible potion is gone takes nothing more.
    bool IsStackFull() const;
    void GetPotions(uint32_t& visible, std::vector<uint32_t>& out) const;

private:
    void UpdateStackCount() const;

    uint32_t visiblePotion;
    std::vector<uint32_t> hidden;
};

} // namespace GAME
