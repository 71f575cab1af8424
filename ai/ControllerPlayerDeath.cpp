#include "ai/ControllerPlayer.h"

#include "ai/ControllerPlayerStateDoStrategicMovement.h"
#include "ai/ControllerPlayerStateDying.h"
#include "ai/ControllerPlayerStateIdle.h"
#include "ai/ControllerPlayerStateImmobilized.h"
#include "ai/ControllerPlayerStateLongIdle.h"
#include "ai/ControllerPlayerStateMoveTo.h"
#include "ai/ControllerPlayerStateMoveToFixedItem.h"
#include "ai/ControllerPlayerStateMoveToItem.h"
#include "ai/ControllerPlayerStateMoveToNpc.h"
#include "ai/ControllerPlayerStateMoveToStrategicMovement.h"
#include "ai/ControllerPlayerStateMoveToUseSkill.h"
#include "ai/ControllerPlayerStatePickupItem.h"
#include "ai/ControllerPlayerStateRespawning.h"
#include "ai/ControllerPlayerStateStartup.h"
#include "ai/ControllerPlayerStateStunned.h"
#include "ai/ControllerPlayerStateTalkToNpc.h"
#include "ai/ControllerPlayerStateTrapped.h"
#include "ai/ControllerPlayerStateUseFixedItem.h"
#include "ai/ControllerPlayerStateUseSkill.h"
#include "ai/ControllerPlayerStateUseSkillWhileTrapped.h"
#include "characters/Player.h"
#include "core/Saturate.h"
#include "engine/WorldCoords.h"
#include "game/ActivityManager.h"
#include "game/GameEngine.h"
#include "game/RespawnActivity.h"

namespace GAME {

void ControllerPlayer::RegisterStates()
{
    AddState("Startup", new ControllerPlayerStateStartup(this));
    AddState("Idle", new ControllerPlayerStateIdle(this));
    AddState("LongIdle", new ControllerPlayerStateLongIdle(this));
    AddState("MoveTo", new ControllerPlayerStateMoveTo(this));
    AddState("MoveToNpc", new ControllerPlayerStateMoveToNpc(this));
    AddState("TalkToNpc", new ControllerPlayerStateTalkToNpc(this));
    AddState("MoveToItem", new ControllerPlayerStateMoveToItem(this));
    AddState("PickupItem", new ControllerPlayerStatePickupItem(this));
    AddState("MoveToFixedItem", new ControllerPlayerStateMoveToFixedItem(this));
    AddState("UseFixedItem", new ControllerPlayerStateUseFixedItem(this));
    AddState("MoveToUseSkill", new ControllerPlayerStateMoveToUseSkill(this));
    AddState("UseSkill", new ControllerPlayerStateUseSkill(this));
    AddState("MoveToStrategicMovement", new ControllerPlayerStateMoveToStrategicMovement(this));
    AddState("DoStrategicMovement", new ControllerPlayerStateDoStrategicMovement(this));
    AddState("Dying", new ControllerPlayerStateDying(this));
    AddState("Dead", new ControllerPlayerStateDying(this));
    AddState("Immobilized", new ControllerPlayerStateImmobilized(this));
    AddState("Stunned", new ControllerPlayerStateStunned(this));
    AddState("Trapped", new ControllerPlayerStateTrapped(this));
    AddState("UseSkillWhileTrapped", new ControllerPlayerStateUseSkillWhileTrapped(this));
    AddState("Respawning", new ControllerPlayerStateRespawning(this));
}

void ControllerPlayer::InitializeStates()
{
    const Character* character = GetCharacter();
    SetState(character != nullptr && character->IsAlive() ? "Startup" : "Dead",
             ControllerAIStateData());
}

void ControllerPlayer::CharacterIsDying()
{
    ControllerAI::CharacterIsDying();
    SetState("Dying", ControllerAIStateData());
}

void ControllerPlayer::CharacterIsDead()
{
    ControllerAI::CharacterIsDead();
    GameEngine& engine = GameEngine::Get();
    engine.DestroyFixedItemTeleport(engine.GetPlayerId());
    // The record's delay holds the respawn back from the moment of death.
    deathCountdown = deathDelay;
}

void ControllerPlayer::DeathUpdate(int32_t elapsedMs)
{
    Player* player = DynamicCast<Player>(GetCharacter());
    if (player == nullptr || player->GetLifeState() != LifeState_Dead)
        return;
    if (respawnActivity == 0)
        respawnActivity = GameEngine::Get().StartRespawnForLocalPlayer(
            player->GetClosestRespawnPoint().GetPosition());
    deathCountdown = AddSaturating(deathCountdown, -elapsedMs);
    const auto* activity =
        dynamic_cast<RespawnActivity*>(ActivityManager::Get().GetActivity(respawnActivity));
    if (activity != nullptr && (!activity->IsRespawnComplete() || deathCountdown > 0))
        return;
    RespawnMe();
    respawnActivity = 0;
}

void ControllerPlayer::RespawnMe()
{
    if (Character* character = GetCharacter())
        character->SetLifeState(LifeState_Respawning);
    SetState("Respawning", ControllerAIStateData());
}

} // namespace GAME
