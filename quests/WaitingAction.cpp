#include "quests/WaitingAction.h"

#include "core/GameEvents.h"
#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/IOStream.h"
#include "engine/NetworkIndex.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "quests/QuestNetMsg.h"
#include "quests/QuestRepository.h"
#include "world/Proxy.h"

namespace GAME {

void WaitingAction::Fire(uint32_t /*targetId*/, bool reFire)
{
    if (!AcceptFire(reFire))
        return;
    isPendingFire = true;
    Apply();
}

uint32_t WaitingAction::LocalPlayerId()
{
    return gGameEngine != nullptr ? gGameEngine->GetPlayerId() : 0;
}

bool WaitingAction::IsClient()
{
    return gEngine->IsNetworkEnabled() && gGameEngine != nullptr &&
           !gGameEngine->IsServerOrSingle();
}

int WaitingAction::Difficulty()
{
    return gGameEngine != nullptr ? static_cast<int>(gGameEngine->GetGameDifficulty()) : 0;
}

bool WaitingAction::StreamFlag(IOStream* stream, bool& flag)
{
    return stream->StreamBool("isPendingFire", flag);
}

void WaitingAction::ListenForCreatures(const std::string& name)
{
    QuestRepository::Get().AddCreatureInitialUpdate(name, this);
    ListenForEntities(name);
}

void WaitingAction::ListenForEntities(const std::string& name)
{
    QuestRepository::Get().AddGenericEntityInitialUpdate(name, this);
}

void WaitingAction::TryIfPending()
{
    if (isPendingFire)
        Apply();
}

bool NameMatches(const std::string& name, const std::string& announced)
{
    return !name.empty() && FileNameEquals(name, announced);
}

bool NamedCreatures::TakeCreature(const std::string& name, const std::string& announced,
                                  uint32_t id)
{
    if (!NameMatches(name, announced))
        return false;
    ids.push_back(id);
    return true;
}

bool NamedCreatures::TakeProxy(const std::string& name, const GameEvent_GenericEntity& event)
{
    if (!NameMatches(name, event.objectName))
        return false;
    if (const Proxy* proxy = ObjectManager::Instance().GetObject<Proxy>(event.objectId))
        proxy->GetPrimaryObjects(ids);
    return true;
}

bool NamedCreatures::TakeNet(const std::string& name, const QuestNetMsg_ProxySpawn& message)
{
    if (!NameMatches(name, NetworkIndexToString(message.nameIndex)))
        return false;
    ids = message.primaryObjects;
    return true;
}

void CreatureListAction::OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& event)
{
    if (creatures.TakeCreature(npc, event.objectName, event.objectId))
        TryIfPending();
}

void CreatureListAction::OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event)
{
    if (creatures.TakeProxy(npc, event))
        TryIfPending();
}

void CreatureListAction::OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message)
{
    if (creatures.TakeNet(npc, message))
        TryIfPending();
}

bool CreatureListAction::StreamNpc(IOStream* stream)
{
    const bool read = stream->StreamString("npc", npc);
    ListenForCreatures(npc);
    return read;
}

} // namespace GAME
