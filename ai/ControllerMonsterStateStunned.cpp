#include "ai/ControllerMonsterStateStunned.h"

namespace GAME {

void ControllerMonsterStateStunned::EndStun()
{
    SwitchTo("Return");
}

} // namespace GAME
