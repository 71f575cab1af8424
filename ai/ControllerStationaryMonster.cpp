#include "ai/ControllerStationaryMonster.h"

#include "ai/ControllerMonsterStateAttack.h"
#include "ai/ControllerMonsterStateConfused.h"
#include "ai/ControllerMonsterStateDead.h"
#include "ai/ControllerMonsterStateDying.h"
#include "ai/ControllerMonsterStateParalyze.h"
#include "ai/ControllerMonsterStateStartup.h"
#include "ai/ControllerMonsterStateStunned.h"
#include "ai/ControllerStationaryMonsterState.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerStationaryMonster, ControllerMonster);

void ControllerStationaryMonster::RegisterStates()
{
    AddState("Startup", new ControllerMonsterStateStartup(this));
    AddState("Idle", new ControllerStationaryMonsterStateIdle(this));
    AddState("Pursue", new ControllerStationaryMonsterStatePursue(this));
    AddState("Attack", new ControllerMonsterStateAttack(this));
    AddState("Flee", new ControllerStationaryMonsterStateNoMove(this));
    AddState("Return", new ControllerStationaryMonsterStateNoMove(this));
    AddState("Dying", new ControllerMonsterStateDying(this));
    AddState("Dead", new ControllerMonsterStateDead(this));
    AddState("Stunned", new ControllerMonsterStateStunned(this));
    AddState("FollowLeader", new ControllerStationaryMonsterStateNoMove(this));
    AddState("DefendLeader", new ControllerStationaryMonsterStateNoMove(this));
    AddState("Move", new ControllerStationaryMonsterStateNoMove(this));
    AddState("Paralyze", new ControllerMonsterStateParalyze(this));
    AddState("Confused", new ControllerMonsterStateConfused(this));
}

} // namespace GAME
