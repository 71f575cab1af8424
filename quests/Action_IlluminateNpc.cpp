#include "quests/Action_IlluminateNpc.h"

#include "characters/Npc.h"
#include "engine/IOStream.h"

namespace GAME {

Action_IlluminateNpc::Action_IlluminateNpc(uint32_t id, Trigger* parent) : NpcAction(id, parent) {}

Action_IlluminateNpc::~Action_IlluminateNpc() = default;

void Action_IlluminateNpc::ApplyTo(Npc& target)
{
    target.SetDialogType(static_cast<Npc::DialogType>(type));
    target.Dialog_Illuminate(this);
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
    ListenForNpc();
    return read;
}

} // namespace GAME
