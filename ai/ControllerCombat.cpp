#include "ai/ControllerCombat.h"

#include "characters/Character.h"
#include "characters/DieAction.h"
#include "characters/Npc.h"
#include "combat/DeathManager.h"
#include "core/GameEvents.h"
#include "engine/EventManager.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerCombat, ControllerCharacter);

void ControllerCombat::Update(int32_t elapsedMs)
{
    ControllerCharacter::Update(elapsedMs);
    Character* character = GetCharacter();
    if (character == nullptr || !character->IsAlive() || character->IsInvincible())
        return;
    const float life = character->GetCurrentLife();
    character->PlayLowHealthSoundIfNeeded(life);
    if (life <= 0.0f)
        KillMe();
}

void ControllerCombat::KillMe()
{
    Character* character = GetCharacter();
    // The people of the towns cannot be killed this way.
    if (character == nullptr || !character->IsAlive() || DynamicCast<Npc>(character) != nullptr)
        return;
    character->SetLifeState(LifeState_Dying);
    HandleDieAction();
    GameEvent_GenericEntity event;
    event.objectId = GetParentId();
    EventManager::Instance().Send("GameEvent_CreatureStartDeath", event);
}

void ControllerCombat::HandleDieAction()
{
    const Character* character = GetCharacter();
    const DeathManager* deathManager =
        character != nullptr ? character->GetDeathManager() : nullptr;
    HandleAction(new DieAction(GetParentId(), deathManager != nullptr
                                                  ? deathManager->CreateObjectIds()
                                                  : std::vector<uint32_t>()));
}

} // namespace GAME
