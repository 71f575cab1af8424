// The character's state queries, the restoring of a saved state, destruction and the quest
// events.
#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "characters/CharacterActionHandler.h"
#include "characters/MoveToAction.h"
#include "characters/WalkAction.h"
#include "core/GameEvents.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/World.h"

#include <memory>
#include <new>

namespace GAME {

namespace {

void SendNameEvent(const char* eventName, const std::string& objectName)
{
    GameEvent_GenericEntity event;
    event.objectName = objectName;
    EventManager::Instance().Send(eventName, event);
}

} // namespace

bool Character::IsHiding() const
{
    return !GetVisibility() || hiddenFromCombat || lifeState == LifeState_Unknown;
}

void Character::StopRespawn()
{
    SetLifeState(LifeState_Alive);
}

void Character::SetInitialStateInfo(Character_ActionState state, const WorldVec3& point,
                                    uint32_t targetId, uint32_t skillId)
{
    initialActionState = state;
    initialPoint = point;
    initialTargetId = targetId;
    initialSkillId = skillId;
}

void Character::RestoreLifeState()
{
    if (lifeState == LifeState_Dying || lifeState == LifeState_Dead) {
        StopAnimations();
        if (!GetStayVisibleWhenDead())
            SetVisibility(false);
        gEngine->GetPhysicsEngine().RemoveEntityFromSimulation(this);
        DisableCreateAttachements();
        return;
    }
    const WorldVec3 position = GetCoords().GetPosition();
    if (initialActionState == ActionState_Move) {
        if (actionHandler != nullptr)
            actionHandler->Execute(std::unique_ptr<CharacterAction>(new (std::nothrow) MoveToAction(
                GetObjectId(), position, initialPoint, initialTargetId,
                skillManager.GetSkillReferenceNumber(initialSkillId), 1.0f)));
    } else if (initialActionState == ActionState_Walk) {
        if (actionHandler != nullptr)
            actionHandler->Execute(std::unique_ptr<CharacterAction>(new (std::nothrow) WalkAction(
                GetObjectId(), position, initialPoint, initialTargetId)));
    } else if (currentAnimationSet != nullptr) {
        currentAnimationSet->PlayAnimation(*this, AnimationSet_AttackIdle, Name::noName, 1.0f,
                                           true);
    }
    initialActionState = ActionState_Unknown;
}

void Character::SetActionHandler(CharacterActionHandler* handler)
{
    actionHandler.reset(handler);
}

void Character::SetExtentsLarge()
{
    pathingSize = PathingSize_Large;
    SetSizeValue(GetSizeValue() + 1.0f);
}

void Character::SetExtentsSmall()
{
    pathingSize = PathingSize_Small;
    SetSizeValue(GetSizeValue() - 1.0f);
}

void Character::DumpPlayStats()
{
    playStats.Dump();
}

void Character::OnDestroy()
{
    Actor::OnDestroy();
    inventory.DestroyAllObjects();
}

void Character::DestroyMe()
{
    if (World* world = gEngine->GetWorld())
        world->RemoveEntity(this);
    ObjectManager::Instance().DestroyObjectEx(this, "Project/Game/Character", __LINE__);
}

void Character::SendQuestMoveCompletedEvent() const
{
    SendNameEvent("GameEvent_MoveCompleted", GetObjectName());
}

void Character::SendQuestAnimationCompletedEvent() const
{
    SendNameEvent("GameEvent_AnimationCompleted", GetObjectName());
}

} // namespace GAME
