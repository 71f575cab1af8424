#include "items/OneShot_Sack.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(OneShot_Sack, OneShot);

OneShot_Sack::~OneShot_Sack() = default;

void OneShot_Sack::Use(Character* character)
{
    UseWithBonus(character);
}

} // namespace GAME
