// Quests command creatures by name. The creatures a name stands for become known one by one as
// they set themselves up, or all at once when their spawn pool announces itself (on a client,
// through the server's news of that pool), so an action usually fires before its creatures
// exist and waits, pending, for the announcement that lets it act.
//
// Where the game logic runs the command goes straight to the character; a network client
// cannot move, animate or arm the server's creatures itself, so it asks the server through the
// game engine's quest-command requests, and the server carries the command out for everyone.
// Spawning and disabling a pool are decisions of the logic machine alone: a client only stops
// waiting.
#include "quests/CreatureCommandActions.h"

#include "ai/ControllerAI.h"
#include "ai/ControllerCombat.h"
#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "core/GameEvents.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/IOStream.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "quests/QuestLocation.h"
#include "quests/QuestNetMsg.h"
#include "quests/TriggerMarkup.h"
#include "world/Proxy.h"

namespace GAME {

namespace {

template <typename T> T* FindObject(uint32_t id)
{
    return id != 0 ? ObjectManager::Instance().GetObject<T>(id) : nullptr;
}

// The character's controller as that kind, or null.
template <typename T> T* ControllerAs(const Character& character)
{
    return FindObject<T>(character.GetControllerId());
}

std::string Choice(bool yes, const char* ifYes, const char* ifNo)
{
    return std::string("{B") + (yes ? ifYes : ifNo) + "}";
}

} // namespace

const std::string& Action_TaskCreatureToLocation::GetDescription()
{
    description = "Task " + TriggerMarkup::Record(creature) + " To " +
                  TriggerMarkup::Record(location) + " and " +
                  Choice(fight, " Fight", " Don't Fight");
    return description;
}

bool Action_TaskCreatureToLocation::SerializeChildProperties(IOStream* stream)
{
    const bool read =
        stream->StreamString("creature", creature) && stream->StreamString("location", location) &&
        stream->StreamBool("fight", fight) && stream->StreamBool("canReFire", canReFire);
    ListenForCreatures(creature);
    ListenForCreatures(location);
    return read;
}

void Action_TaskCreatureToLocation::OnCreatureInitialUpdate(
    const GameEvent_CreatureInitialUpdate& event)
{
    creatures.TakeCreature(creature, event.objectName, event.objectId);
    if (NameMatches(location, event.objectName))
        locationId = event.objectId;
    TryIfPending();
}

void Action_TaskCreatureToLocation::OnGenericEntityInitialUpdate(
    const GameEvent_GenericEntity& event)
{
    creatures.TakeProxy(creature, event);
    if (NameMatches(location, event.objectName))
        locationId = event.objectId;
    TryIfPending();
}

void Action_TaskCreatureToLocation::OnGenericEntityInitialUpdate_Net(
    const QuestNetMsg_ProxySpawn& message)
{
    creatures.TakeNet(creature, message);
    TryIfPending();
}

void Action_TaskCreatureToLocation::Apply()
{
    if (creatures.ids.empty() && creature.empty() && LocalPlayerId() != 0)
        creatures.ids.push_back(LocalPlayerId());
    if (creatures.ids.empty())
        return;
    const uint32_t destinationId = location.empty() ? LocalPlayerId() : locationId;
    const Entity* destination = FindObject<Entity>(destinationId);
    if (destination == nullptr)
        return;
    const WorldVec3 point = destination->GetCoords().GetPosition();
    const bool client = IsClient();
    for (uint32_t id : creatures.ids) {
        Character* character = FindObject<Character>(id);
        if (character == nullptr)
            continue;
        if (client)
            gGameEngine->QuestCommandMove(id, locationId, point, fight);
        else
            character->QuestCommandMove(locationId, point, fight);
    }
    isPendingFire = false;
}

const std::string& Action_SpawnEntityAtLocation::GetDescription()
{
    description =
        "Spawn " + TriggerMarkup::Record(entity) + " At " + TriggerMarkup::Record(location);
    return description;
}

bool Action_SpawnEntityAtLocation::SerializeChildProperties(IOStream* stream)
{
    const bool read =
        stream->StreamString("entity", entity) && stream->StreamString("location", location);
    ListenForEntities(location);
    return read;
}

void Action_SpawnEntityAtLocation::OnGenericEntityInitialUpdate(
    const GameEvent_GenericEntity& event)
{
    if (!NameMatches(location, event.objectName))
        return;
    locationId = event.objectId;
    TryIfPending();
}

void Action_SpawnEntityAtLocation::OnGenericEntityInitialUpdate_Net(
    const QuestNetMsg_ProxySpawn& message)
{
    locationId = message.proxyId;
    TryIfPending();
}

void Action_SpawnEntityAtLocation::Apply()
{
    const QuestLocation* place = FindObject<QuestLocation>(locationId);
    if (entity.empty() || place == nullptr)
        return;
    if (gGameEngine != nullptr && gGameEngine->IsServerOrSingle())
        gGameEngine->CreateEntity(place->GetCoords(), entity,
                                  ObjectManager::Instance().CreateObjectID());
    isPendingFire = false;
}

Action_KillCreature::Action_KillCreature(uint32_t id, Trigger* parent)
    : WaitingAction(id, parent),
      spawnListener("GameEvent_CreatureSpawn", &Action_KillCreature::OnCreatureSpawn, this)
{}

const std::string& Action_KillCreature::GetDescription()
{
    description = "Kill Creature " + TriggerMarkup::Record(creatureRecord);
    return description;
}

bool Action_KillCreature::SerializeChildProperties(IOStream* stream)
{
    const bool read = stream->StreamString("creatureRecord", creatureRecord) &&
                      stream->StreamBool("canReFire", canReFire);
    ListenForEntities(creatureRecord);
    return read;
}

void Action_KillCreature::OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event)
{
    creatures.TakeProxy(creatureRecord, event);
    TryIfPending();
}

void Action_KillCreature::OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message)
{
    creatures.TakeNet(creatureRecord, message);
    TryIfPending();
}

void Action_KillCreature::OnCreatureSpawn(const GameEvent_CreatureSpawn& event)
{
    creatures.TakeCreature(creatureRecord, event.objectName, event.objectId);
    TryIfPending();
}

void Action_KillCreature::Apply()
{
    for (uint32_t id : creatures.ids) {
        const Character* character = FindObject<Character>(id);
        ControllerCombat* controller =
            character != nullptr ? ControllerAs<ControllerCombat>(*character) : nullptr;
        if (controller == nullptr)
            continue;
        controller->KillMe();
        isPendingFire = false;
    }
}

void Action_SetCharacterInvincible::Fire(uint32_t targetId, bool reFire)
{
    if (!AcceptFire(reFire))
        return;
    if (npc.empty())
        creatures.ids.push_back(LocalPlayerId());
    WaitingAction::Fire(targetId, reFire);
}

const std::string& Action_SetCharacterInvincible::GetDescription()
{
    description = "Make " + TriggerMarkup::Record(npc) + " invincible";
    return description;
}

bool Action_SetCharacterInvincible::SerializeChildProperties(IOStream* stream)
{
    const bool read = StreamNpc(stream) && stream->StreamBool("invincible", invincible) &&
                      stream->StreamBool("canReFire", canReFire);
    return read;
}

void Action_SetCharacterInvincible::Apply()
{
    for (uint32_t id : creatures.ids) {
        const Character* character = FindObject<Character>(id);
        ControllerAI* controller =
            character != nullptr ? ControllerAs<ControllerAI>(*character) : nullptr;
        if (controller == nullptr || controller->GetParentId() == 0)
            continue;
        controller->SetInvincible(invincible);
        isPendingFire = false;
    }
}

const std::string& Action_NpcPlayAnimation::GetDescription()
{
    description = "Npc " + TriggerMarkup::Record(npc) + " play animation {B" +
                  AnimationSet::GetAnimTypeAsText(static_cast<AnimationSet_Type>(animation)) +
                  "} and " +
                  Choice(allowInterruptions, "Allow Interruptions", "Don't Allow Interruptions");
    return description;
}

bool Action_NpcPlayAnimation::SerializeChildProperties(IOStream* stream)
{
    return StreamNpc(stream) && stream->StreamInt("animation", animation) &&
           stream->StreamBool("allowInterruptions", allowInterruptions) &&
           stream->StreamBool("looping", looping);
}

void Action_NpcPlayAnimation::Apply()
{
    if (creatures.ids.empty())
        return;
    const bool client = IsClient();
    const auto type = static_cast<AnimationSet_Type>(animation);
    for (uint32_t id : creatures.ids) {
        Character* character = FindObject<Character>(id);
        if (character == nullptr)
            continue;
        if (client)
            gGameEngine->QuestCommandPlayAnimation(id, static_cast<uint32_t>(animation), looping,
                                                   allowInterruptions);
        else
            character->QuestCommandPlayAnimation(type, looping, allowInterruptions);
    }
    isPendingFire = false;
}

const std::string& Action_DisableProxy::GetDescription()
{
    description = "Disable proxy " + TriggerMarkup::Record(proxy);
    return description;
}

bool Action_DisableProxy::SerializeChildProperties(IOStream* stream)
{
    const bool read = stream->StreamString("proxy", proxy);
    ListenForEntities(proxy);
    return read;
}

void Action_DisableProxy::OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event)
{
    if (!NameMatches(proxy, event.objectName))
        return;
    proxyId = event.objectId;
    TryIfPending();
}

void Action_DisableProxy::OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message)
{
    proxyId = message.proxyId;
    TryIfPending();
}

void Action_DisableProxy::Apply()
{
    Proxy* pool = FindObject<Proxy>(proxyId);
    if (pool == nullptr)
        return;
    const bool client = gEngine->IsNetworkEnabled() && !gEngine->IsNetworkServer();
    if (!client)
        pool->Disable();
    isPendingFire = false;
}

void Action_FireSkill::Fire(uint32_t targetId, bool reFire)
{
    if (source.empty())
        sources.ids.push_back(LocalPlayerId());
    if (target.empty())
        targets.ids.push_back(LocalPlayerId());
    WaitingAction::Fire(targetId, reFire);
}

const std::string& Action_FireSkill::GetDescription()
{
    description = "Fire Skill " + TriggerMarkup::Record(skill) + " from " +
                  TriggerMarkup::Record(source) + " to " + TriggerMarkup::Record(target) + " and " +
                  Choice(allowInterruptions, "Allow Interruptions", "Don't Allow Interruptions");
    return description;
}

bool Action_FireSkill::SerializeChildProperties(IOStream* stream)
{
    const bool read = stream->StreamString("skill", skill) &&
                      stream->StreamString("source", source) &&
                      stream->StreamString("target", target) &&
                      stream->StreamBool("allowInterruptions", allowInterruptions);
    ListenForCreatures(source);
    ListenForCreatures(target);
    return read;
}

void Action_FireSkill::OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& event)
{
    const bool asSource = sources.TakeCreature(source, event.objectName, event.objectId);
    if (targets.TakeCreature(target, event.objectName, event.objectId) || asSource)
        TryIfPending();
}

void Action_FireSkill::OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event)
{
    const bool asSource = sources.TakeProxy(source, event);
    if (targets.TakeProxy(target, event) || asSource)
        TryIfPending();
}

void Action_FireSkill::OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message)
{
    const bool asSource = sources.TakeNet(source, message);
    if (targets.TakeNet(target, message) || asSource)
        TryIfPending();
}

void Action_FireSkill::Apply()
{
    if (sources.ids.empty() || targets.ids.empty())
        return;
    const bool client = IsClient();
    for (uint32_t sourceId : sources.ids) {
        Character* character = FindObject<Character>(sourceId);
        if (character == nullptr)
            continue;
        for (uint32_t targetId : targets.ids) {
            if (client)
                gGameEngine->QuestCommandUseSkill(sourceId, skill, targetId, allowInterruptions);
            else
                character->QuestCommandUseSkill(skill, targetId, allowInterruptions);
        }
    }
    isPendingFire = false;
}

} // namespace GAME
