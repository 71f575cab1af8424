#include "quests/Action_UpdateNPCDialog.h"

#include "characters/Npc.h"
#include "engine/IOStream.h"

namespace GAME {

Action_UpdateNPCDialog::Action_UpdateNPCDialog(uint32_t id, Trigger* parent) : NpcAction(id, parent)
{}

Action_UpdateNPCDialog::~Action_UpdateNPCDialog() = default;

void Action_UpdateNPCDialog::ApplyTo(Npc& target)
{
    target.Dialog_ReplaceStatic(dialogFile.c_str(), this, noPrimaryDialog);
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
    ListenForNpc();
    return read;
}

} // namespace GAME
