#include "ai/ControllerOrmenos.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerOrmenos, ControllerMonster);

ControllerOrmenos::~ControllerOrmenos() = default;

} // namespace GAME
