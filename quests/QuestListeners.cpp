#include "quests/QuestListeners.h"

#include "quests/QuestRepository.h"

namespace GAME {

CreatureDeathListener::~CreatureDeathListener()
{
    if (QuestRepository* repository = QuestRepository::GetIfExists())
        repository->ForgetListener(this);
}

CreatureInitialUpdateListener::~CreatureInitialUpdateListener()
{
    if (QuestRepository* repository = QuestRepository::GetIfExists())
        repository->ForgetListener(this);
}

GenericEntityInitialUpdateListener::~GenericEntityInitialUpdateListener()
{
    if (QuestRepository* repository = QuestRepository::GetIfExists())
        repository->ForgetListener(this);
}

} // namespace GAME
