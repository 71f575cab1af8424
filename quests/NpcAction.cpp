#include "quests/NpcAction.h"

#include "characters/Npc.h"
#include "core/GameEvents.h"
#include "engine/ObjectManager.h"
#include "quests/QuestRepository.h"

namespace GAME {

void NpcAction::Fire(uint32_t /*targetId*/, bool /*reFire*/)
{
    isPendingFire = true;
    Apply();
}

void NpcAction::OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& event)
{
    npcId = event.objectId;
    if (isPendingFire)
        Apply();
}

void NpcAction::Apply()
{
    Npc* target = npcId != 0 ? ObjectManager::Instance().GetObject<Npc>(npcId) : nullptr;
    if (target == nullptr)
        return;
    ApplyTo(*target);
    isPendingFire = false;
}

void NpcAction::ListenForNpc()
{
    QuestRepository::Get().AddCreatureInitialUpdate(npc, this);
}

} // namespace GAME
