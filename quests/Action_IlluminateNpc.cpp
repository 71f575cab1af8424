#include "quests/Action_IlluminateNpc.h"

#include "characters/Npc.h"
#include "core/GameEvents.h"
#include "engine/IOStream.h"
#include "engine/ObjectManager.h"
#include "quests/QuestRepository.h"

namespace GAME {

Action_IlluminateNpc::Action_IlluminateNpc(uint32_t id, Trigger* parent) : TriggerAction(id, parent)
{}

Action_IlluminateNpc::~Action_IlluminateNpc() = default;

void Action_IlluminateNpc::Fire(uint32_t /*targetId*/, bool /*reFire*/)
{
    isPendingFire = true;
    Apply();
}

void Action_IlluminateNpc::Apply()
{
    if (npcId == 0)
        return;
    Npc* target = ObjectManager::Instance().GetObject<Npc>(npcId);
    if (target == nullptr)
        return;
    target->SetDialogType(static_cast<Npc::DialogType>(type));
    target->Dialog_Illuminate(this);
    isPendingFire = false;
}

const std::string& Action_IlluminateNpc::GetDescription()
{
    const char* kind = "[empty]";
    if (type == 1)
        kind = " Primary ";
    else if (type == 2)
        kind = " Secondary ";
    else if (type == 3)
        kind = " Tertiary ";
    description = "Illuminate {B" + DescribeName(npc) + "} as {B" + kind + "}";
    return description;
}

bool Action_IlluminateNpc::StreamChildProperties(IOStream* stream)
{
    return stream->StreamBool("isPendingFire", isPendingFire) &&
           stream->StreamBool("isDeluminate", isDeluminate);
}

bool Action_IlluminateNpc::SerializeChildProperties(IOStream* stream)
{
    const bool read = stream->StreamString("npc", npc) && stream->StreamInt("type", type);
    QuestRepository::Get().AddCreatureInitialUpdate(npc, this);
    return read;
}

void Action_IlluminateNpc::OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& event)
{
    npcId = event.objectId;
    if (isPendingFire)
        Apply();
}

} // namespace GAME
