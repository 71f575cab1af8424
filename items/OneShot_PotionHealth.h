#pragma once

#include "items/OneShot_Potion.h"

namespace GAME {

// A potion that restores life.
class OneShot_PotionHealth : public OneShot_Potion {
    GAME_DECLARE_CLASS(OneShot_PotionHealth)

public:
    OneShot_PotionHealth();
    ~OneShot_PotionHealth() override;
};

} // namespace GAME
