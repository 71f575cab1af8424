#pragma once

#include "items/OneShot_Potion.h"

namespace GAME {

// A potion that restores mana.
class OneShot_PotionMana : public OneShot_Potion {
    GAME_DECLARE_CLASS(OneShot_PotionMana)

public:
    OneShot_PotionMana();
    ~OneShot_PotionMana() override;
};

} // namespace GAME
