#include "ai/ControllerOrmenos.h"

#include "ai/ControllerOrmenosStateAttack.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerOrmenos, ControllerMonster);

ControllerOrmenos::~ControllerOrmenos() = default;

void ControllerOrmenos::RegisterStates()
{
    ControllerMonster::RegisterStates();
    AddState("Attack", new ControllerOrmenosStateAttack(this));
}

} // namespace GAME
