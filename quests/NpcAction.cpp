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
    if (npcId != 0 && ApplyToObject(npcId))
        isPendingFire = false;
}

bool NpcAction::ApplyToObject(uint32_t objectId)
{
    Npc* target = ObjectManager::Instance().GetObject<Npc>(objectId);
    if (target == nullptr)
        return false;
    ApplyTo(*target);
    return true;
}

void NpcAction::ListenForNpc()
{
    QuestRepository::Get().AddCreatureInitialUpdate(npc, this);
}

} // namespace GAME
