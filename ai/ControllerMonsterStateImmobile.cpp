#include "ai/ControllerMonsterStateImmobile.h"

namespace GAME {

void ControllerMonsterStateImmobile::EndImmobilize()
{
    SwitchTo("Return");
}

} // namespace GAME
