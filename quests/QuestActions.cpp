#include "quests/QuestActions.h"

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "core/StringHelpers.h"
#include "engine/EventManager.h"
#include "engine/IOStream.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "engine/TriggerToken.h"
#include "game/GameEngine.h"
#include "quests/Quest.h"
#include "quests/QuestEvents.h"
#include "quests/QuestStep.h"
#include "quests/TriggerMarkup.h"

namespace GAME {

namespace {

ControllerPlayer* LocalPlayerController()
{
    const Player* player = gGameEngine != nullptr ? gGameEngine->GetMainPlayer() : nullptr;
    return player != nullptr
               ? ObjectManager::Instance().GetObject<ControllerPlayer>(player->GetControllerId())
               : nullptr;
}

} // namespace

void Action_BestowTriggerToken::Fire(uint32_t, bool)
{
    if (ControllerPlayer* controller = LocalPlayerController())
        controller->BestowToken(TriggerToken(tokenName));
}

const std::string& Action_BestowTriggerToken::GetDescription()
{
    description = "Give Token " + TriggerMarkup::Token(tokenName);
    return description;
}

void Action_RemoveTriggerToken::Fire(uint32_t, bool)
{
    if (ControllerPlayer* controller = LocalPlayerController())
        controller->RemoveToken(TriggerToken(tokenName));
}

const std::string& Action_RemoveTriggerToken::GetDescription()
{
    description = "Remove Token " + TriggerMarkup::Token(tokenName);
    return description;
}

bool QuestFileActionBase::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamString("questFile", questFile);
}

void Action_BestowQuest::Fire(uint32_t, bool)
{
    GameEvent_QuestHandle event;
    event.handle = Name::Create(questFile);
    EventManager::Instance().Send("GameEvent_InheritQuest", event);
}

const std::string& Action_BestowQuest::GetDescription()
{
    description = "Bestow Quest";
    return description;
}

void Action_CompleteQuestNow::Fire(uint32_t, bool reFire)
{
    GameEvent_CompleteQuestNow event;
    event.questFile = questFile;
    event.flagA = !reFire;
    event.flagB = !reFire;
    EventManager::Instance().Send("GameEvent_CompleteQuestNow", event);
}

const std::string& Action_CompleteQuestNow::GetDescription()
{
    description = "Complete Quest Now";
    return description;
}

void Action_UpdateJournalEntry::Fire(uint32_t, bool reFire)
{
    GameEvent_UpdateJournal event;
    if (const Quest* quest = Quest::OfTrigger(GetParent())) {
        const int d =
            gGameEngine != nullptr ? static_cast<int>(gGameEngine->GetGameDifficulty()) : 0;
        event.handle = quest->GetHandle();
        event.rewardItemTag = quest->GetRewardItemTag(d);
        event.rewardGold = quest->GetRewardGold(d);
        event.rewardExperience = quest->GetRewardXP(d);
        event.rewardSkillPoints = quest->GetRewardSkill();
        event.rewardAttributePoints = quest->GetRewardAttr();
    }
    event.region = region;
    event.locationTag = locationTag;
    event.titleTag = titleTag;
    event.fullTextTag = fullTextTag;
    event.doComplete = doComplete;
    event.playSound = doSound && !reFire;
    EventManager::Instance().Send("GameEvent_UpdateJournal", event);
}

const std::string& Action_UpdateJournalEntry::GetDescription()
{
    description = std::string("{B") + (doComplete ? "Complete" : "Add") +
                  "} Journal Entry in Region #" + TriggerMarkup::Text(IntToString(region));
    return description;
}

bool Action_UpdateJournalEntry::SerializeChildProperties(IOStream* stream)
{
    return StreamPlace(stream) && stream->StreamString("fullTextTag", fullTextTag) &&
           stream->StreamBool("doComplete", doComplete) && stream->StreamBool("doSound", doSound);
}

void Action_UpdateMapMarker::Fire(uint32_t, bool reFire)
{
    if (parent != nullptr)
        parent->UpdateContainerUI(descriptionTag, bulletPointTag, doComplete,
                                  doComplete && doSound && !reFire, !reFire);
}

const std::string& Action_UpdateMapMarker::GetDescription()
{
    description = "Update This Quest's Map Marker";
    return description;
}

bool Action_UpdateMapMarker::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamString("descriptionTag", descriptionTag) &&
           stream->StreamString("bulletPointTag", bulletPointTag) &&
           stream->StreamBool("doComplete", doComplete) && stream->StreamBool("doSound", doSound);
}

void Action_ClearMapMarker::Fire(uint32_t, bool reFire)
{
    if (parent != nullptr)
        parent->UpdateContainerUI("", "", false, doSound && !reFire, !reFire);
}

const std::string& Action_ClearMapMarker::GetDescription()
{
    description = "Clear This Quest's Map Marker";
    return description;
}

bool Action_ClearMapMarker::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamBool("doSound", doSound);
}

void Action_UpdateDialogTab::Fire(uint32_t, bool)
{
    if (parent != nullptr)
        parent->UpdateDialogTab(dialogPak);
}

const std::string& Action_UpdateDialogTab::GetDescription()
{
    description = "Update This Quest's Dialog Tab to " + TriggerMarkup::Record(dialogPak);
    return description;
}

bool Action_UpdateDialogTab::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamString("dialogPak", dialogPak);
}

void Action_SendTutorialEvent::Fire(uint32_t targetId, bool)
{
    const uint32_t me = gGameEngine != nullptr ? gGameEngine->GetPlayerId() : 0;
    if (targetId == 0)
        targetId = me;
    if (me != 0 && targetId == me)
        gGameEngine->UnlockTutorialPage(static_cast<uint32_t>(index), true);
}

const std::string& Action_SendTutorialEvent::GetDescription()
{
    description = "Send Index " + TriggerMarkup::Text(IntToString(index)) + " to tutorial system";
    return description;
}

bool Action_SendTutorialEvent::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamInt("index", index);
}

} // namespace GAME
