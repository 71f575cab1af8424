#include "core/GameLog.h"

namespace GAME {

uint32_t gLogCombat = 0;

} // namespace GAME
