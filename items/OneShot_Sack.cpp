#include "items/OneShot_Sack.h"

#include "characters/Character.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(OneShot_Sack, OneShot);

OneShot_Sack::~OneShot_Sack() = default;

void OneShot_Sack::Use(Character* character)
{
    if (character == nullptr)
        return;
    OneShot::Use(character);
    character->TakeBonus(bonus, true, playStatsType);
}

} // namespace GAME
