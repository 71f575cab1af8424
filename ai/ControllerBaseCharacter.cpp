#include "ai/ControllerBaseCharacter.h"

#include "characters/Character.h"
#include "characters/CharacterActionHandler.h"
#include "characters/IdleAction.h"
#include "characters/Player.h"
#include "characters/RespawnAction.h"
#include "engine/CharacterAction.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"

#include <cstdio>
#include <limits>

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerBaseCharacter, Controller);

ControllerBaseCharacter::ControllerBaseCharacter()
{
    timer.Reset();
}

ControllerBaseCharacter::~ControllerBaseCharacter() = default;

Character* ControllerBaseCharacter::GetCharacter() const
{
    return ObjectManager::Instance().GetObject<Character>(GetParentId());
}

void ControllerBaseCharacter::InitialUpdate()
{
    idleWhenFree = true;
}

void ControllerBaseCharacter::Update(int32_t elapsedMs)
{
    if (needsInitialUpdate) {
        InitialUpdate();
        needsInitialUpdate = false;
    }
    timer.Update();
    CharacterHandlerUpdate(elapsedMs);

    const Character* character = GetCharacter();
    if (character != nullptr && gEngine->IsCharacterDataLogEnabled() &&
        character->DoDebugRender()) {
        DebugRender();
        FlushDebugRender();
    }
}

void ControllerBaseCharacter::HandleAction(CharacterAction* action)
{
    if (action != nullptr && gEngine->IsNetworkEnabled() && action->SupportsNetwork())
        NetworkShim::SendAction(*action);
    LocalHandleAction(action);
}

void ControllerBaseCharacter::LocalHandleAction(CharacterAction* action)
{
    std::unique_ptr<CharacterAction> owned(action);
    if (owned == nullptr)
        return;
    Character* character = GetCharacter();
    if (character == nullptr) {
        gEngine->Log(Engine::LogData,
                     "ControllerBaseCharacter: Can't execute action because parent does not "
                     "exist.");
        return;
    }

    switch (CheckAction(owned->GetType())) {
    case CharacterActionPermission_Allow:
        if (std::unique_ptr<CharacterAction> pending(GetPendingAction()); pending != nullptr)
            pending->PendingActionAborted();
        SetQueuedAction(nullptr);
        ExecuteWithPreAction(*character, std::move(owned));
        break;
    case CharacterActionPermission_AskController:
        SetQueuedAction(owned.release());
        break;
    default:
        break; // refused: deleted on leaving
    }
}

void ControllerBaseCharacter::ExecuteWithPreAction(Character& character,
                                                   std::unique_ptr<CharacterAction> action)
{
    CharacterActionHandler* handler = character.GetActionHandler();
    if (handler == nullptr)
        return;
    if (std::unique_ptr<CharacterAction> preAction = action->GetPreAction(); preAction != nullptr) {
        SetPendingAction(action.release());
        handler->Execute(std::move(preAction));
    } else {
        handler->Execute(std::move(action));
    }
}

CharacterActionPermission ControllerBaseCharacter::CheckAction(CharacterActionType type)
{
    Character* character = GetCharacter();
    if (character == nullptr)
        return CharacterActionPermission_Refuse;

    if (DynamicCast<Player>(character) == nullptr) {
        const Character_LifeState lifeState = character->GetLifeState();
        if (lifeState == LifeState_Dying && type == CharacterActionType_Attack)
            return CharacterActionPermission_Allow;
        if (type != CharacterActionType_Respawn &&
            (lifeState == LifeState_Dead || character->GetActionState() == ActionState_Dying))
            return CharacterActionPermission_Refuse;
        return CharacterActionPermission_Allow;
    }

    const CharacterActionHandler* handler = character->GetActionHandler();
    if (handler == nullptr || !handler->IsActive())
        return CharacterActionPermission_Allow;
    return GameEngine::Get().CheckPlayerAction(type, handler->GetActionType());
}

void ControllerBaseCharacter::CharacterHandlerUpdate(int32_t /*elapsedMs*/)
{
    Character* character = GetCharacter();
    if (character == nullptr)
        return;
    CharacterActionHandler* handler = character->GetActionHandler();
    if (handler == nullptr || handler->IsActive())
        return;

    if (pendingAction != nullptr)
        handler->Execute(std::move(pendingAction));
    else if (queuedAction != nullptr)
        ExecuteWithPreAction(*character, std::move(queuedAction));
    else if (idleWhenFree)
        handler->Execute(std::make_unique<IdleAction>(GetParentId()));
}

void ControllerBaseCharacter::RespawnMe()
{
    Character* character = GetCharacter();
    if (character == nullptr)
        return;
    character->SetLifeState(LifeState_Respawning);
    HandleAction(new RespawnAction(GetParentId(), character->GetSpawnPoint()));
}

void ControllerBaseCharacter::SetPendingAction(CharacterAction* action)
{
    pendingAction.reset(action);
}

void ControllerBaseCharacter::SetQueuedAction(CharacterAction* action)
{
    queuedAction.reset(action);
}

CharacterAction* ControllerBaseCharacter::GetPendingAction()
{
    return pendingAction.release();
}

CharacterAction* ControllerBaseCharacter::GetQueuedAction()
{
    return queuedAction.release();
}

uint32_t ControllerBaseCharacter::FindClosestActor(const WorldVec3& from,
                                                   const std::vector<uint32_t>& ids)
{
    uint32_t closest = 0;
    float closestDistance = std::numeric_limits<float>::infinity();
    for (const uint32_t id : ids) {
        const Entity* entity = ObjectManager::Instance().GetObject<Entity>(id);
        if (entity == nullptr)
            continue;
        const WorldVec3 position = entity->GetCoords().GetPosition();
        Vec3 offset;
        const float distance = from.GetPositionInRegion(position.GetRegionId(), offset)
                                   ? (offset - position.GetRegionPosition()).LengthSquared()
                                   : std::numeric_limits<float>::infinity();
        // An entity the distance cannot be measured to still beats having none.
        if (closest == 0 || distance < closestDistance) {
            closest = id;
            closestDistance = distance;
        }
    }
    return closest;
}

void ControllerBaseCharacter::DebugRender()
{
    Character* character = GetCharacter();
    if (character == nullptr)
        return;
    char line[160];
    std::snprintf(line, sizeof line, "Object Id: %u", GetParentId());
    PushDebugRenderText(line);
    const WorldVec3 position = character->GetPathPosition();
    const Vec3& local = position.GetRegionPosition();
    std::snprintf(line, sizeof line, "Position: %u (%.2f, %.2f, %.2f)", position.GetRegionId(),
                  static_cast<double>(local.x), static_cast<double>(local.y),
                  static_cast<double>(local.z));
    PushDebugRenderText(line);
    std::vector<std::string> actions;
    GetActionsAsStrings(actions);
    for (const std::string& text : actions)
        PushDebugRenderText(text);
}

void ControllerBaseCharacter::PushDebugRenderText(const std::string& text)
{
    debugText.push_back(text);
}

void ControllerBaseCharacter::FlushDebugRender()
{
    // The engine's debug drawing has no text yet; the lines live until here.
    debugText.clear();
}

void ControllerBaseCharacter::GetActionsAsStrings(std::vector<std::string>& lines) const
{
    const Character* character = GetCharacter();
    if (character != nullptr && character->GetActionHandler() != nullptr)
        lines.push_back(character->GetActionHandler()->GetActionAsString());
    lines.push_back("Pending Action: " +
                    (pendingAction != nullptr ? pendingAction->ToString() : "(none)"));
    lines.push_back("Queued Action: " +
                    (queuedAction != nullptr ? queuedAction->ToString() : "(none)"));
}

} // namespace GAME
