#include "quests/QuestLocation.h"

#include "core/GameEvents.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(QuestLocation, Actor);

QuestLocation::QuestLocation()
{
    SetPhysicsType(0);
}

QuestLocation::~QuestLocation()
{
    Announce("GameEvent_GenericEntityDestroy");
}

void QuestLocation::Load(const LoadTable& table)
{
    // The editor shows it as a sphere, whatever the record names.
    SetMesh("System/Meshes/Sphere.msh");
    Actor::Load(table);
    Announce("GameEvent_GenericEntitySpawn");
}

void QuestLocation::InitialUpdate()
{
    Actor::InitialUpdate();
    SetVisibility(gEngine->IsLevelEditor());
    Announce("GameEvent_GenericEntityInitialUpdate");
}

void QuestLocation::Announce(const char* eventName)
{
    GameEvent_GenericEntity event;
    event.objectId = GetObjectId();
    event.objectName = GetObjectName();
    EventManager::Instance().Send(eventName, event);
}

} // namespace GAME
