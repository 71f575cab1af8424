#include "ai/ControllerNpcHerdAnimal.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerNpcHerdAnimal, ControllerAI);

} // namespace GAME
