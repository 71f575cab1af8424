#pragma once

#include "characters/Character.h"

#include <cstdint>

namespace GAME {

// A monster. Grown by the characters subsystem; for now a class record that filters and look-ups
// can test, and the leader it serves (the master of a pet or summon), set directly until
// joining exists.
class Monster : public Character {
    GAME_DECLARE_CLASS(Monster)

public:
    Monster() = default;
    ~Monster() override;

    // The game settings' "monsterDefenseCap" at the current difficulty.
    float GetDefenseAttributeCap() const override;

    // 0 when the monster serves nobody.
    uint32_t GetLeader() const { return leaderId; }
    void SetLeader(uint32_t id) { leaderId = id; }

private:
    uint32_t leaderId = 0;
};

} // namespace GAME
