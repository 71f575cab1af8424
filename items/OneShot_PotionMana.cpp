#include "items/OneShot_PotionMana.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(OneShot_PotionMana, OneShot_Potion);

OneShot_PotionMana::OneShot_PotionMana()
{
    playStatsType = PlayStatsLife_Potion;
}

OneShot_PotionMana::~OneShot_PotionMana() = default;

} // namespace GAME
