#include "ai/ControllerAktaios.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerAktaios, ControllerMonster);

} // namespace GAME
