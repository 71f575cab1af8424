#include "game/GameActivity.h"

namespace GAME {

// Out of line so that the virtual table has one home, in the library.
GameActivity::~GameActivity() = default;

} // namespace GAME
