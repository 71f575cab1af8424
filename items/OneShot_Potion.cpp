#include "items/OneShot_Potion.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(OneShot_Potion, OneShot);

OneShot_Potion::~OneShot_Potion() = default;

} // namespace GAME
