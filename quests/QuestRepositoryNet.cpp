// Quest news between machines. Every machine runs its own copy of every quest; what one of them
// sees (a kill, a conversation, a spawn pool filled) goes to the others as a few words. The
// receiver sorts each sender into one of three: itself (an echo, mostly ignored), an ally (a
// party member, or a player no longer in the game, whose news advances the local quest as if
// seen here) and a stranger (an in-game player outside the party, whose exclusive success makes
// the local quest unsolvable). Kill news received is satisfied without notification, so no
// machine reports the same kill twice.
//
// Ids in a message come from outside: each must name a condition of the class the message is
// about before it is acted on.
#include "quests/QuestRepository.h"

#include "engine/Engine.h"
#include "engine/Trigger.h"
#include "engine/TriggerCondition.h"
#include "game/GameEngine.h"
#include "multiplayer/PartyManager.h"
#include "multiplayer/PlayerManagerClient.h"
#include "quests/Quest.h"
#include "quests/QuestConditions.h"

namespace GAME {

namespace {

uint32_t Me()
{
    return gGameEngine != nullptr ? gGameEngine->GetPlayerId() : 0;
}

bool IsInGame(uint32_t player)
{
    const PlayerManagerClient* players =
        gGameEngine != nullptr ? gGameEngine->GetPlayerManagerClient() : nullptr;
    return players != nullptr && players->IsPlayerInGame(player);
}

bool InMyParty(uint32_t player)
{
    const PartyManager* parties = gGameEngine != nullptr ? gGameEngine->GetPartyManager() : nullptr;
    return parties != nullptr && parties->AreInPartyTogether(Me(), player);
}

bool IsServerOrSingle()
{
    return gGameEngine == nullptr || gGameEngine->IsServerOrSingle();
}

bool NotYetSatisfied(TriggerCondition& condition)
{
    bool flag = true;
    return !condition.IsSatisfied(flag);
}

// A received kill satisfies the condition it names, when that is of the message's kind and not
// yet met; without notification, so the news is not reported again.
template <typename Condition>
void SatisfyKill(const QuestNetMsg& message, TriggerCondition* condition)
{
    auto* kill = dynamic_cast<Condition*>(condition);
    if (kill == nullptr || !NotYetSatisfied(*kill))
        return;
    const auto& words = static_cast<const QuestNetMsg_Kill&>(message);
    kill->Satisfy(words.killer, words.victim, false);
}

} // namespace

void QuestRepository::SendNetMsg(const QuestNetMsg* message, uint32_t target)
{
    if (message == nullptr)
        return;
    if (message->type == QuestNetMsg::ConditionSatisfied)
        RegisterConditionSatisfied(ConditionId::FromWord(message->conditionId));
    // Alone, the news would only come back from this machine, which ignores its own.
    if (!gEngine->IsNetworkEnabled())
        return;
    std::vector<uint32_t> words;
    message->WriteWords(words);
    if (gGameEngine != nullptr)
        gGameEngine->SendQuestPacket(words, target, false);
}

void QuestRepository::SendDelayedNetMsg(const QuestNetMsg* message, uint32_t target)
{
    if (message == nullptr || message->type > QuestNetMsg::RequestClientData)
        return;
    delayedMessages.emplace_back(message->Clone(), target);
}

void QuestRepository::RecvNetMsg(const std::vector<uint32_t>& words)
{
    if (words.empty())
        return;
    std::unique_ptr<QuestNetMsg> message = QuestNetMsg::Create(words[0]);
    if (message != nullptr && message->ReadWords(words) != 0)
        RecvNetMsg(message.get());
}

void QuestRepository::RecvNetMsg(const QuestNetMsg* message)
{
    if (message == nullptr)
        return;
    TriggerCondition* condition = nullptr;
    if (message->conditionId != QuestNetMsg::kNoCondition) {
        condition = FindConditionById(message->conditionId);
        if (condition == nullptr)
            return;
    }
    const uint32_t sender = message->sender;
    const bool fromMe = sender == Me();
    if (fromMe || !IsInGame(sender) || InMyParty(sender))
        HandleAllyMessage(*message, condition, fromMe);
    else
        HandleStrangerMessage(*message, condition);
}

void QuestRepository::HandleAllyMessage(const QuestNetMsg& message, TriggerCondition* condition,
                                        bool fromMe)
{
    switch (message.type) {
    case QuestNetMsg::ConditionSatisfied:
        // A party member's success is already ours; only a player who left is recorded.
        if (!fromMe && condition != nullptr && !IsInGame(message.sender)) {
            RegisterConditionSatisfied(ConditionId::FromWord(message.conditionId));
            DetectUnsolvableQuests(false);
        }
        break;
    case QuestNetMsg::KillCreature:
        SatisfyKill<Condition_KillCreature>(message, condition);
        break;
    case QuestNetMsg::KillAllCreaturesFromProxy:
        if (auto* kill = dynamic_cast<Condition_KillAllCreaturesFromProxy*>(condition);
            kill != nullptr && NotYetSatisfied(*kill))
            kill->Satisfy(static_cast<const QuestNetMsg_KillAllCreaturesFromProxy&>(message).count,
                          false);
        break;
    case QuestNetMsg::ConversationStart:
        if (auto* talk = dynamic_cast<Condition_ConversationStart*>(condition);
            talk != nullptr && !fromMe)
            talk->Satisfy(Me(), false, true);
        break;
    case QuestNetMsg::KillCreatureHerd:
        SatisfyKill<Condition_KillCreatureHerd>(message, condition);
        break;
    case QuestNetMsg::ProxySpawn:
        if (!fromMe)
            OnGenericEntityInitialUpdate_Net(static_cast<const QuestNetMsg_ProxySpawn&>(message));
        break;
    case QuestNetMsg::RequestClientData:
        if (!fromMe && IsServerOrSingle()) {
            SendConditionSet(message.sender);
            SendProxySpawnList(message.sender);
        }
        break;
    default:
        break;
    }
}

void QuestRepository::HandleStrangerMessage(const QuestNetMsg& message, TriggerCondition* condition)
{
    uint32_t exclusive = 0;
    switch (message.type) {
    case QuestNetMsg::ConditionSatisfied:
        if (condition != nullptr) {
            RegisterConditionSatisfied(ConditionId::FromWord(message.conditionId));
            DetectUnsolvableQuests(false);
        }
        return;
    case QuestNetMsg::KillCreature:
        if (dynamic_cast<Condition_KillCreature*>(condition) != nullptr)
            exclusive = static_cast<const QuestNetMsg_Kill&>(message).exclusive;
        break;
    case QuestNetMsg::KillAllCreaturesFromProxy:
        if (dynamic_cast<Condition_KillAllCreaturesFromProxy*>(condition) != nullptr)
            exclusive =
                static_cast<const QuestNetMsg_KillAllCreaturesFromProxy&>(message).exclusive;
        break;
    case QuestNetMsg::KillCreatureHerd:
        if (dynamic_cast<Condition_KillCreatureHerd*>(condition) != nullptr)
            exclusive = static_cast<const QuestNetMsg_Kill&>(message).exclusive;
        break;
    case QuestNetMsg::ProxySpawn:
    case QuestNetMsg::RequestClientData:
        HandleAllyMessage(message, condition, false);
        return;
    default:
        return;
    }
    if (exclusive != 0)
        GetQuestByIndex(message.conditionId >> 24)->SetUnsolvable();
}

void QuestRepository::SendConditionSet(uint32_t target)
{
    std::vector<uint32_t> words;
    words.reserve(satisfiedConditions.size());
    for (const ConditionId& id : satisfiedConditions)
        words.push_back(id.ToWord());
    if (gGameEngine != nullptr)
        gGameEngine->SendQuestPacket(words, target, true);
}

void QuestRepository::RecvConditionSet(const std::vector<uint32_t>& words)
{
    std::set<ConditionId> received;
    for (uint32_t word : words)
        received.insert(ConditionId::FromWord(word));
    RecvConditionSet(received);
}

void QuestRepository::SendProxySpawnList(uint32_t target)
{
    for (const QuestNetMsg_ProxySpawn& spawn : proxySpawns)
        SendNetMsg(&spawn, target);
}

void QuestRepository::RequestClientData()
{
    const QuestNetMsg request(QuestNetMsg::RequestClientData, QuestNetMsg::kNoCondition, Me());
    SendNetMsg(&request, 0);
}

} // namespace GAME
