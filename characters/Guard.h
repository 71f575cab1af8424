#pragma once

#include "characters/Monster.h"

namespace GAME {

// A monster that fights on the players' side and cannot be killed.
class Guard : public Monster {
    GAME_DECLARE_CLASS(Guard)

public:
    Guard() = default;
    ~Guard() override;

    void Load(const LoadTable& table) override;
};

} // namespace GAME
