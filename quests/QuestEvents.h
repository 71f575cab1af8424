#pragma once

#include "engine/GameEvent.h"
#include "engine/Name.h"

#include <cstdint>
#include <string>

namespace GAME {

// "GameEvent_InheritQuest" and "GameEvent_QuestUnsolvable": which quest.
class GameEvent_QuestHandle : public GameEvent {
public:
    Name handle;
};

// "GameEvent_UpdateMapMarker": a quest action moves the quest's map marker.
class GameEvent_UpdateMapMarker : public GameEvent {
public:
    Name handle;
    std::string first;
    std::string second;
    bool flag1 = false;
    bool flag2 = false;
    bool flag3 = false;
};

// "GameEvent_UpdateDialogTab": a quest action names the journal's dialog tab.
class GameEvent_UpdateDialogTab : public GameEvent {
public:
    Name handle;
    std::string text;
};

// "GameEvent_CompleteQuestNow": completes the quest of that file at once; the flags go on to
// `GameEvent_QuestComplete`.
class GameEvent_CompleteQuestNow : public GameEvent {
public:
    std::string questFile;
    bool flagA = false;
    bool flagB = false;
};

// "GameEvent_ShowTextBanner": a line of text shown across the screen for a while.
class GameEvent_ShowTextBanner : public GameEvent {
public:
    std::wstring text;
    float x = 0.0f;
    float y = 0.0f;
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float alpha = 1.0f;
    float fadeInMs = 0.0f;
    float fadeOutMs = 0.0f;
    float durationMs = 0.0f;
};

// "GameEvent_UpdateJournal": a quest's journal entry, with what the quest pays at the current
// difficulty.
class GameEvent_UpdateJournal : public GameEvent {
public:
    Name handle;
    int32_t region = 1;
    std::string locationTag;
    std::string titleTag;
    std::string fullTextTag;
    std::string rewardItemTag;
    int32_t rewardGold = 0;
    int32_t rewardExperience = 0;
    int32_t rewardSkillPoints = 0;
    int32_t rewardAttributePoints = 0;
    bool doComplete = false;
    bool playSound = true;
};

} // namespace GAME
