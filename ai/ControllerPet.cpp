#include "ai/ControllerPet.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerPet, ControllerMonster);

} // namespace GAME
