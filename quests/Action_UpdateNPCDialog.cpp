#include "quests/Action_UpdateNPCDialog.h"

#include "characters/Npc.h"
#include "core/GameEvents.h"
#include "engine/IOStream.h"
#include "engine/ObjectManager.h"
#include "quests/QuestRepository.h"

namespace GAME {

Action_UpdateNPCDialog::Action_UpdateNPCDialog(uint32_t id, Trigger* parent)
    : TriggerAction(id, parent)
{}

Action_UpdateNPCDialog::~Action_UpdateNPCDialog() = default;

void Action_UpdateNPCDialog::Fire(uint32_t /*targetId*/, bool /*reFire*/)
{
    isPendingFire = true;
    Apply();
}

void Action_UpdateNPCDialog::Apply()
{
    if (npcId == 0)
        return;
    Npc* target = ObjectManager::Instance().GetObject<Npc>(npcId);
    if (target == nullptr)
        return;
    target->Dialog_ReplaceStatic(dialogFile.c_str(), this, noPrimaryDialog);
    isPendingFire = false;
}

const std::string& Action_UpdateNPCDialog::GetDescription()
{
    description =
        "Update {B" + DescribeName(npc) + "}'s Dialog to {B" + DescribeName(dialogFile) + "}";
    return description;
}

bool Action_UpdateNPCDialog::StreamChildProperties(IOStream* stream)
{
    return stream->StreamBool("isPendingFire", isPendingFire) &&
           stream->StreamBool("noPrimaryDialog", noPrimaryDialog);
}

bool Action_UpdateNPCDialog::SerializeChildProperties(IOStream* stream)
{
    const bool read =
        stream->StreamString("npc", npc) && stream->StreamString("dialogFile", dialogFile);
    QuestRepository::Get().AddCreatureInitialUpdate(npc, this);
    return read;
}

void Action_UpdateNPCDialog::OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& event)
{
    npcId = event.objectId;
    if (isPendingFire)
        Apply();
}

} // namespace GAME
