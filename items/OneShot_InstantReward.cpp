#include "items/OneShot_InstantReward.h"

#include "characters/Character.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(OneShot_InstantReward, OneShot);

OneShot_InstantReward::~OneShot_InstantReward() = default;

void OneShot_InstantReward::Use(Character* character)
{
    if (character == nullptr)
        return;
    OneShot::Use(character);
    character->TakeBonus(bonus, true, playStatsType);
}

} // namespace GAME
