#pragma once

#include "items/Item.h"

namespace GAME {

// An item a quest asks for. The player walks a long way for one where an ordinary item out of
// easy reach is left lying; the quest behaviour comes with the quests work.
class QuestItem : public Item {
    GAME_DECLARE_CLASS(QuestItem)

public:
    QuestItem() = default;
    ~QuestItem() override = default;
};

} // namespace GAME
