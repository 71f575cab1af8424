#include "ai/ControllerNpcHerder.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerNpcHerder, ControllerAI);

} // namespace GAME
