#include "quests/QuestItem.h"

#include "core/RTTI_ClassInfo.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(QuestItem, Item);

} // namespace GAME
