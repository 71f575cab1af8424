#include "ai/ControllerMonster.h"
#include "ai/ControllerMonsterStateAttack.h"
#include "ai/ControllerMonsterStateConfused.h"
#include "ai/ControllerMonsterStateDead.h"
#include "ai/ControllerMonsterStateDefendLeader.h"
#include "ai/ControllerMonsterStateDodgeAttack.h"
#include "ai/ControllerMonsterStateDying.h"
#include "ai/ControllerMonsterStateEmoteBeforePursue.h"
#include "ai/ControllerMonsterStateFlee.h"
#include "ai/ControllerMonsterStateFollowLeader.h"
#include "ai/ControllerMonsterStateIdle.h"
#include "ai/ControllerMonsterStateImmobile.h"
#include "ai/ControllerMonsterStateMove.h"
#include "ai/ControllerMonsterStateNavigateObstacle.h"
#include "ai/ControllerMonsterStatePanic.h"
#include "ai/ControllerMonsterStateParalyze.h"
#include "ai/ControllerMonsterStatePatrol.h"
#include "ai/ControllerMonsterStatePursue.h"
#include "ai/ControllerMonsterStateQuestMove.h"
#include "ai/ControllerMonsterStateQuestPlayAnimation.h"
#include "ai/ControllerMonsterStateQuestUseSkill.h"
#include "ai/ControllerMonsterStateQuestWalk.h"
#include "ai/ControllerMonsterStateRepositionForAttack.h"
#include "ai/ControllerMonsterStateReturnFast.h"
#include "ai/ControllerMonsterStateRoam.h"
#include "ai/ControllerMonsterStateScared.h"
#include "ai/ControllerMonsterStateStartup.h"
#include "ai/ControllerMonsterStateStunned.h"
#include "ai/ControllerMonsterStateTrapped.h"
#include "ai/ControllerMonsterStateTrappedAttack.h"
#include "ai/ControllerMonsterStateWaitToAttack.h"
#include "ai/ControllerMonsterStateWander.h"
#include "ai/ControllerMonsterStateWanderPause.h"

namespace GAME {

void ControllerMonster::RegisterStates()
{
    AddState("Startup", new ControllerMonsterStateStartup(this));
    AddState("Idle", new ControllerMonsterStateIdle(this));
    AddState("Pursue", new ControllerMonsterStatePursue(this));
    AddState("EmoteBeforePursue", new ControllerMonsterStateEmoteBeforePursue(this));
    AddState("Attack", new ControllerMonsterStateAttack(this));
    AddState("RepositionForAttack", new ControllerMonsterStateRepositionForAttack(this));
    AddState("Flee", new ControllerMonsterStateFlee(this));
    AddState("Roam", new ControllerMonsterStateRoam(this));
    AddState("Wander", new ControllerMonsterStateWander(this));
    AddState("WanderPause", new ControllerMonsterStateWanderPause(this));
    AddState("Return", new ControllerMonsterStateReturnFast(this));
    AddState("Dying", new ControllerMonsterStateDying(this));
    AddState("Dead", new ControllerMonsterStateDead(this));
    AddState("FollowLeader", new ControllerMonsterStateFollowLeader(this));
    AddState("DefendLeader", new ControllerMonsterStateDefendLeader(this));
    AddState("NavigateObstacle", new ControllerMonsterStateNavigateObstacle(this));
    AddState("Move", new ControllerMonsterStateMove(this));
    AddState("DodgeAttack", new ControllerMonsterStateDodgeAttack(this));
    AddState("Panic", new ControllerMonsterStatePanic(this));
    AddState("Paralyze", new ControllerMonsterStateParalyze(this));
    AddState("Confused", new ControllerMonsterStateConfused(this));
    AddState("Immobile", new ControllerMonsterStateImmobile(this));
    AddState("Trapped", new ControllerMonsterStateTrapped(this));
    AddState("TrappedAttack", new ControllerMonsterStateTrappedAttack(this));
    AddState("Stunned", new ControllerMonsterStateStunned(this));
    AddState("Scared", new ControllerMonsterStateScared(this));
    AddState("Patrol", new ControllerMonsterStatePatrol(this));
    AddState("WaitToAttack", new ControllerMonsterStateWaitToAttack(this));
    AddState("QuestMove", new ControllerMonsterStateQuestMove(this));
    AddState("QuestWalk", new ControllerMonsterStateQuestWalk(this));
    AddState("QuestPlayAnimation", new ControllerMonsterStateQuestPlayAnimation(this));
    AddState("QuestUseSkill", new ControllerMonsterStateQuestUseSkill(this));
}

} // namespace GAME
