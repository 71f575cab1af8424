#include "ai/ControllerAlly.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerAlly, ControllerMonster);

} // namespace GAME
