#include "items/OneShot_InstantReward.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(OneShot_InstantReward, OneShot);

OneShot_InstantReward::~OneShot_InstantReward() = default;

void OneShot_InstantReward::Use(Character* character)
{
    UseWithBonus(character);
}

} // namespace GAME
