// The three kill conditions. A death reaches them through the repository's record map (or the
// proxy that placed the monster), and only on the logic machine, which alone registers them: a
// client learns of kills from the server's messages. The logic machine reports each kill to
// every machine before it judges it, so a stranger's exclusive kill still reaches the others,
// who make their own copy of the quest unsolvable; locally a stranger's kill counts for nothing.
#include "quests/QuestConditions.h"

#include "characters/Monster.h"
#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/IOStream.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "game/GameEngine.h"
#include "multiplayer/PartyManager.h"
#include "multiplayer/PlayerManagerClient.h"
#include "quests/QuestConditionRules.h"
#include "quests/QuestNetMsg.h"
#include "quests/QuestRepository.h"
#include "quests/TriggerMarkup.h"

namespace GAME {

namespace QuestConditionRules {

uint32_t Me()
{
    return gGameEngine != nullptr ? gGameEngine->GetPlayerId() : 0;
}

bool IsServerOrSingle()
{
    return gGameEngine == nullptr || gGameEngine->IsServerOrSingle();
}

bool IsDone(const TriggerCondition& condition)
{
    return condition.GetParent() != nullptr && condition.GetParent()->IsDone();
}

bool AndInto(bool& flag, bool holds, const TriggerCondition& condition)
{
    flag = flag && holds != condition.GetNegate();
    return flag;
}

void Satisfy(TriggerCondition& condition, uint32_t instigator, uint32_t secondId)
{
    condition.SetSatisfied(true);
    Trigger* trigger = condition.GetParent();
    if (trigger == nullptr)
        return;
    if (instigator != 0)
        trigger->SetInstigator(instigator);
    if (secondId != 0)
        trigger->SetSecondId(secondId);
    trigger->OnStatusChange(false);
}

bool ReportKill(const QuestNetMsg& message, uint32_t killer)
{
    if (!gEngine->IsNetworkEnabled() || gGameEngine == nullptr)
        return true;
    if (IsServerOrSingle())
        QuestRepository::Get().SendNetMsg(&message, 0);
    const PlayerManagerClient* players = gGameEngine->GetPlayerManagerClient();
    const PartyManager* parties = gGameEngine->GetPartyManager();
    const bool stranger = players != nullptr && players->IsPlayerInGame(killer) &&
                          (parties == nullptr || !parties->AreInPartyTogether(killer, Me()));
    return !stranger;
}

void AnnounceMet(const TriggerCondition& condition, bool notify)
{
    if (!notify || !IsServerOrSingle())
        return;
    const QuestNetMsg message(QuestNetMsg::ConditionSatisfied, condition.GetId(), Me());
    QuestRepository::Get().SendNetMsg(&message, 0);
}

} // namespace QuestConditionRules

namespace {

bool PropertyNames(const std::string& property, const std::string& name)
{
    return !property.empty() && FileNameEquals(property, name);
}

// Registers the death listener on the logic machine only: a client hears kills from the server.
template <typename Condition>
bool ReadRecordAndListen(IOStream* stream, const char* key, std::string& record,
                         Condition* condition)
{
    const bool read = stream->StreamString(key, record);
    if (QuestConditionRules::IsServerOrSingle())
        QuestRepository::Get().AddCreatureDeath(record, condition);
    return read;
}

// The kill rules of the two kinds that wait for a creature's record.
template <typename Condition>
void HearKill(Condition& condition, const std::string& record, uint32_t type,
              const GameEvent_CreatureDeath& event)
{
    if (QuestConditionRules::IsDone(condition) || !PropertyNames(record, event.name))
        return;
    QuestNetMsg_Kill message(type, condition.GetId(), event.killerId);
    message.killer = event.killerId;
    message.victim = event.victimId;
    message.exclusive = condition.GetExclusive() ? 1 : 0;
    if (QuestConditionRules::ReportKill(message, event.killerId) &&
        !QuestConditionRules::IsDone(condition))
        condition.Satisfy(event.killerId, event.victimId, true);
}

} // namespace

const std::string& Condition_KillCreature::GetDescription()
{
    description =
        TriggerMarkup::Not(GetNegate()) + "Kill Creature " + TriggerMarkup::Record(creatureRecord);
    return description;
}

bool Condition_KillCreature::SerializeChildProperties(IOStream* stream)
{
    return ReadRecordAndListen(stream, "creatureRecord", creatureRecord, this);
}

void Condition_KillCreature::OnCreatureDeath(const GameEvent_CreatureDeath& event)
{
    HearKill(*this, creatureRecord, QuestNetMsg::KillCreature, event);
}

void Condition_KillCreature::Satisfy(uint32_t killer, uint32_t victim, bool notify)
{
    SetSatisfied(true);
    QuestConditionRules::AnnounceMet(*this, notify);
    QuestConditionRules::Satisfy(*this, killer, victim);
}

const std::string& Condition_KillAllCreaturesFromProxy::GetDescription()
{
    description = TriggerMarkup::Not(GetNegate()) + "Kill All Creatures From Proxy " +
                  TriggerMarkup::Record(proxyRecord);
    return description;
}

bool Condition_KillAllCreaturesFromProxy::SerializeChildProperties(IOStream* stream)
{
    return ReadRecordAndListen(stream, "proxyRecord", proxyRecord, this);
}

void Condition_KillAllCreaturesFromProxy::OnCreatureDeath(const GameEvent_CreatureDeath& event)
{
    const Monster* monster = ObjectManager::Instance().GetObject<Monster>(event.victimId);
    if (QuestConditionRules::IsDone(*this) || monster == nullptr ||
        !PropertyNames(proxyRecord, monster->GetProxyParent()))
        return;
    const uint32_t siblings = monster->GetProxyNumSiblings();
    QuestNetMsg_KillAllCreaturesFromProxy message(QuestNetMsg::KillAllCreaturesFromProxy, GetId(),
                                                  event.killerId);
    message.count = siblings;
    message.exclusive = GetExclusive() ? 1 : 0;
    const bool allowed = QuestConditionRules::ReportKill(message, event.killerId);
    if (allowed && !QuestConditionRules::IsDone(*this))
        Satisfy(siblings, true);
}

void Condition_KillAllCreaturesFromProxy::Satisfy(uint32_t siblingCount, bool notify)
{
    ++killCount;
    if (int64_t(killCount) != int64_t(siblingCount))
        return;
    SetSatisfied(true);
    QuestConditionRules::AnnounceMet(*this, notify);
    QuestConditionRules::Satisfy(*this, 0);
}

const std::string& Condition_KillCreatureHerd::GetDescription()
{
    description = TriggerMarkup::Not(GetNegate()) + "Player Kills " +
                  TriggerMarkup::Text(IntToString(creatureCount) + " " +
                                      TriggerMarkup::RecordName(creatureRecord));
    return description;
}

void Condition_KillCreatureHerd::GetQuestInformation(std::vector<std::string>& lines)
{
    if (!questWindowDisplay.empty())
        lines.push_back(questWindowDisplay + " " + IntToString(killCount) + "/" +
                        IntToString(creatureCount));
}

bool Condition_KillCreatureHerd::SerializeChildProperties(IOStream* stream)
{
    const bool read = ReadRecordAndListen(stream, "creatureRecord", creatureRecord, this) &&
                      stream->StreamInt("creatureCount", creatureCount) &&
                      stream->StreamString("questWindowDisplay", questWindowDisplay);
    return read;
}

void Condition_KillCreatureHerd::OnCreatureDeath(const GameEvent_CreatureDeath& event)
{
    HearKill(*this, creatureRecord, QuestNetMsg::KillCreatureHerd, event);
}

void Condition_KillCreatureHerd::Satisfy(uint32_t killer, uint32_t victim, bool notify)
{
    if (killCount < INT32_MAX)
        ++killCount;
    if (killCount < creatureCount)
        return;
    SetSatisfied(true);
    QuestConditionRules::AnnounceMet(*this, notify);
    QuestConditionRules::Satisfy(*this, killer, victim);
}

} // namespace GAME
