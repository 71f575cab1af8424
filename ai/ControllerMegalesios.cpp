#include "ai/ControllerMegalesios.h"

#include "ai/ControllerMegalesiosState.h"
#include "ai/ControllerMonsterStateDead.h"
#include "ai/ControllerMonsterStateDying.h"
#include "ai/ControllerMonsterStateIdle.h"
#include "ai/ControllerMonsterStateStartup.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerMegalesios, ControllerMonster);
GAME_IMPLEMENT_CLASS(ControllerMegalesiosConduit, ControllerMonster);

ControllerMegalesios::~ControllerMegalesios() = default;

void ControllerMegalesios::RegisterStates()
{
    ControllerMonster::RegisterStates();
    AddState("Startup", new ControllerMegalesiosStateStartup(this));
    AddState("LaunchBursts", new ControllerMegalesiosStateLaunchBursts(this));
    AddState("AttackConduit", new ControllerMegalesiosStateAttackConduit(this));
}

ControllerMegalesiosConduit::~ControllerMegalesiosConduit() = default;

void ControllerMegalesiosConduit::RegisterStates()
{
    AddState("Startup", new ControllerMonsterStateStartup(this));
    AddState("Idle", new ControllerMonsterStateIdle(this));
    AddState("Dying", new ControllerMonsterStateDying(this));
    AddState("Dead", new ControllerMonsterStateDead(this));
}

} // namespace GAME
