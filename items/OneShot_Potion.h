#pragma once

#include "items/OneShot.h"

namespace GAME {

// A potion; potions of one kind stack.
class OneShot_Potion : public OneShot {
    GAME_DECLARE_CLASS(OneShot_Potion)

public:
    OneShot_Potion() = default;
    ~OneShot_Potion() override;
};

} // namespace GAME
