#pragma once

#include "engine/GameEvent.h"
#include "engine/Name.h"

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

} // namespace GAME
