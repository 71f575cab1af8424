// How game events reach quest listeners. Conditions and actions register while their
// properties are read, under a record name normalised as every record path is (lower case,
// backslashes), and the handlers below look the event's name up the same way. A death is the
// one event with two keys: the creature's own record first, and only when nobody waits for that,
// the proxy that placed the monster, so a kill counted by record is never counted twice.
//
// Every listener leaves the maps when it goes (the listener interfaces' destructors), and a
// quest or trigger going takes its entries and held actions with it, so the editor may delete
// any of them between events. Handlers walk a copy of the list, since a listener may go while
// it is told.
#include "quests/QuestRepository.h"

#include "characters/Monster.h"
#include "core/StringHelpers.h"
#include "engine/NetworkIndex.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "engine/TriggerAction.h"
#include "game/GameEngine.h"
#include "quests/Quest.h"
#include "quests/QuestConditions.h"
#include "quests/QuestListeners.h"
#include "world/Proxy.h"

#include <algorithm>
#include <array>

namespace GAME {

namespace {

template <typename Map, typename Listener>
void AddListener(Map& map, const std::string& record, Listener* listener)
{
    std::vector<Listener*>& list = map[NormalizeFileName(record)];
    if (listener != nullptr && std::find(list.begin(), list.end(), listener) == list.end())
        list.push_back(listener);
}

template <typename Map, typename Listener> void RemoveListener(Map& map, const Listener* listener)
{
    for (auto& [key, list] : map)
        list.erase(std::remove(list.begin(), list.end(), listener), list.end());
}

// The listeners under the key, or null. The key is normalised into a buffer kept for the game
// thread: every death asks, and most ask in vain.
template <typename Listener>
const std::vector<Listener*>*
FindListeners(const std::unordered_map<std::string, std::vector<Listener*>>& map,
              const std::string& record)
{
    thread_local std::string key;
    key.assign(record);
    NormalizeFileNameLower(key);
    auto found = map.find(key);
    return found != map.end() ? &found->second : nullptr;
}

// A copy of the listeners under the key, empty when there are none.
template <typename Listener>
std::vector<Listener*>
ListenersOf(const std::unordered_map<std::string, std::vector<Listener*>>& map,
            const std::string& record)
{
    const std::vector<Listener*>* found = FindListeners(map, record);
    return found != nullptr ? *found : std::vector<Listener*>();
}

// Tells a copy of the list, kept on the stack when it is short.
template <typename Listener, typename Tell>
void TellEach(const std::vector<Listener*>& listeners, const Tell& tell)
{
    constexpr size_t kInline = 8;
    if (listeners.size() > kInline) {
        for (Listener* listener : std::vector<Listener*>(listeners))
            tell(listener);
        return;
    }
    std::array<Listener*, kInline> copy{};
    std::copy(listeners.begin(), listeners.end(), copy.begin());
    for (size_t i = 0; i < listeners.size(); ++i)
        tell(copy[i]);
}

} // namespace

void QuestRepository::AddConversationStart(const std::string& personRecord,
                                           Condition_ConversationStart* listener)
{
    AddListener(conversationListeners, personRecord, listener);
}

void QuestRepository::AddEnterBoundingVolume(const std::string& volumeName,
                                             Condition_EnterVolume* listener)
{
    AddListener(enterVolumeListeners, volumeName, listener);
}

void QuestRepository::AddCompleteQuestNow(const Name& quest, Quest* listener)
{
    std::vector<Quest*>& list = completeNowListeners[quest];
    if (listener != nullptr && std::find(list.begin(), list.end(), listener) == list.end())
        list.push_back(listener);
}

void QuestRepository::AddCreatureInitialUpdate(const std::string& record,
                                               CreatureInitialUpdateListener* listener)
{
    AddListener(creatureInitialUpdateListeners, record, listener);
}

void QuestRepository::AddGenericEntityInitialUpdate(const std::string& record,
                                                    GenericEntityInitialUpdateListener* listener)
{
    AddListener(entityInitialUpdateListeners, record, listener);
}

void QuestRepository::AddCreatureDeath(const std::string& record, CreatureDeathListener* listener)
{
    AddListener(creatureDeathListeners, record, listener);
}

void QuestRepository::ForgetListener(const CreatureDeathListener* listener)
{
    RemoveListener(creatureDeathListeners, listener);
}

void QuestRepository::ForgetListener(const CreatureInitialUpdateListener* listener)
{
    RemoveListener(creatureInitialUpdateListeners, listener);
}

void QuestRepository::ForgetListener(const GenericEntityInitialUpdateListener* listener)
{
    RemoveListener(entityInitialUpdateListeners, listener);
}

void QuestRepository::ForgetListener(const Condition_ConversationStart* listener)
{
    RemoveListener(conversationListeners, listener);
}

void QuestRepository::ForgetListener(const Condition_EnterVolume* listener)
{
    RemoveListener(enterVolumeListeners, listener);
}

void QuestRepository::ForgetQuest(const Quest* quest)
{
    RemoveListener(completeNowListeners, quest);
}

void QuestRepository::ForgetTrigger(const Trigger* trigger)
{
    activeTriggers.erase(std::remove(activeTriggers.begin(), activeTriggers.end(), trigger),
                         activeTriggers.end());
    delayedActions.erase(
        std::remove_if(delayedActions.begin(), delayedActions.end(),
                       [trigger](const auto& held) { return held.first->GetParent() == trigger; }),
        delayedActions.end());
}

void QuestRepository::OnConversationBegin(const GameEvent_GenericEntity& event)
{
    for (Condition_ConversationStart* listener :
         ListenersOf(conversationListeners, event.objectName))
        listener->OnConversationBegin(event);
}

void QuestRepository::OnEnterBoundingVolume(const GameEvent_EnterBoundingVolume& event)
{
    const Object* volume = ObjectManager::Instance().GetObject<Object>(event.volumeId);
    if (volume == nullptr)
        return;
    for (Condition_EnterVolume* listener :
         ListenersOf(enterVolumeListeners, volume->GetObjectName()))
        listener->OnEnterBoundingVolume(event);
}

void QuestRepository::OnCompleteQuestNow(const GameEvent_CompleteQuestNow& event)
{
    auto found = completeNowListeners.find(Name::Create(NormalizeFileName(event.questFile)));
    if (found == completeNowListeners.end())
        return;
    const std::vector<Quest*> listeners = found->second;
    for (Quest* quest : listeners)
        quest->OnCompleteQuestNow(event);
}

void QuestRepository::OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& event)
{
    for (CreatureInitialUpdateListener* listener :
         ListenersOf(creatureInitialUpdateListeners, event.objectName))
        listener->OnCreatureInitialUpdate(event);
}

void QuestRepository::OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event)
{
    const std::vector<GenericEntityInitialUpdateListener*> listeners =
        ListenersOf(entityInitialUpdateListeners, event.objectName);
    for (GenericEntityInitialUpdateListener* listener : listeners)
        listener->OnGenericEntityInitialUpdate(event);
    if (!listeners.empty())
        AnnounceProxySpawn(event);
}

void QuestRepository::AnnounceProxySpawn(const GameEvent_GenericEntity& event)
{
    const Proxy* proxy = ObjectManager::Instance().GetObject<Proxy>(event.objectId);
    if (proxy == nullptr || (gGameEngine != nullptr && !gGameEngine->IsServerOrSingle()))
        return;
    QuestNetMsg_ProxySpawn message;
    message.sender = gGameEngine != nullptr ? gGameEngine->GetPlayerId() : 0;
    message.nameIndex = StringToNetworkIndex(event.objectName);
    message.proxyId = proxy->GetObjectId();
    proxy->GetPrimaryObjects(message.primaryObjects);
    proxy->GetAccessoryObjects(message.accessoryObjects);
    SendNetMsg(&message, 0);
    proxySpawns.push_back(std::move(message));
}

void QuestRepository::OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& message)
{
    const std::string name = NetworkIndexToString(message.nameIndex);
    if (name.empty())
        return;
    for (GenericEntityInitialUpdateListener* listener :
         ListenersOf(entityInitialUpdateListeners, name))
        listener->OnGenericEntityInitialUpdate_Net(message);
}

void QuestRepository::OnCreatureDeath(const GameEvent_CreatureDeath& event)
{
    const std::vector<CreatureDeathListener*>* listeners =
        FindListeners(creatureDeathListeners, event.name);
    if (listeners == nullptr || listeners->empty()) {
        const Monster* monster = ObjectManager::Instance().GetObject<Monster>(event.victimId);
        if (monster == nullptr || monster->GetProxyParent().empty())
            return;
        listeners = FindListeners(creatureDeathListeners, monster->GetProxyParent());
        if (listeners == nullptr)
            return;
    }
    TellEach(*listeners,
             [&event](CreatureDeathListener* listener) { listener->OnCreatureDeath(event); });
}

void QuestRepository::OnReward(const GameEvent_Reward& event)
{
    if (!event.simulated)
        rewards.push_back(event.reward);
}

} // namespace GAME
