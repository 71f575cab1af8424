#include "items/OneShot.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(OneShot, Item);

OneShot::~OneShot() = default;

} // namespace GAME
