#include "items/OneShot_PotionHealth.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(OneShot_PotionHealth, OneShot_Potion);

OneShot_PotionHealth::OneShot_PotionHealth()
{
    playStatsType = PlayStatsLife_Potion;
}

OneShot_PotionHealth::~OneShot_PotionHealth() = default;

} // namespace GAME
