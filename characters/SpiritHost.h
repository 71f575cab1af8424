#pragma once

#include "characters/Monster.h"

namespace GAME {

// A statue a spirit wakes; its level state remembers that it woke, so it does not sit again.
class SpiritHost : public Monster {
    GAME_DECLARE_CLASS(SpiritHost)

public:
    SpiritHost() = default;
    ~SpiritHost() override;

    // The monster's level state, then 1 when animated, else 0.
    void SaveState(BinaryWriter& writer) const override;
    // A missing word leaves it dormant; any non-zero word wakes it.
    bool RestoreState(BinaryReader& reader) override;

    bool IsAnimated() const { return animated; }
    void SetAnimated(bool value) { animated = value; }

private:
    bool animated = false;
};

} // namespace GAME
