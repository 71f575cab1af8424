#pragma once

#include "engine/GameEvent.h"
#include "quests/QuestRewardEntry.h"

namespace GAME {

// "GameEvent_Reward": a quest reward was announced. A simulated one replays a reward of a
// loaded game for the listeners' sake and must not be recorded again.
class GameEvent_Reward : public GameEvent {
public:
    bool simulated = false;
    QuestRewardEntry reward;
};

} // namespace GAME
