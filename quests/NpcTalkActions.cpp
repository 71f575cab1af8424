#include "quests/NpcTalkActions.h"

#include "characters/Npc.h"
#include "engine/Actor.h"
#include "engine/IOStream.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"

#include <cstdio>

namespace GAME {

void Action_TalkNPC::Fire(uint32_t /*targetId*/, bool /*reFire*/)
{
    Apply();
}

void Action_TalkNPC::ApplyTo(Npc& target)
{
    target.OnPlayerInteract(gGameEngine != nullptr ? gGameEngine->GetPlayerId() : 0, false, false);
}

const std::string& Action_TalkNPC::GetDescription()
{
    description = "Initiate Conversation with {B" + DescribeName(npc) + "}";
    return description;
}

bool Action_TalkNPC::SerializeChildProperties(IOStream* stream)
{
    const bool read = stream->StreamString("npc", npc);
    ListenForNpc();
    return read;
}

void Action_ClearNPCDialog::ApplyTo(Npc& target)
{
    target.Dialog_ReplaceStatic("", nullptr, false);
}

const std::string& Action_ClearNPCDialog::GetDescription()
{
    description = "Clear {B" + DescribeName(npc) + "}'s Dialog";
    return description;
}

bool Action_ClearNPCDialog::StreamChildProperties(IOStream* stream)
{
    return stream->StreamBool("isPendingFire", isPendingFire);
}

bool Action_ClearNPCDialog::SerializeChildProperties(IOStream* stream)
{
    const bool read = stream->StreamString("npc", npc);
    ListenForNpc();
    return read;
}

bool Action_BoatDialog::ApplyToObject(uint32_t objectId)
{
    return !npc.empty() && NpcAction::ApplyToObject(objectId);
}

void Action_BoatDialog::ApplyTo(Npc& target)
{
    target.SetBoatMaster(onOff, tag, x, y, z);
}

const std::string& Action_BoatDialog::GetDescription()
{
    char point[48];
    std::snprintf(point, sizeof point, "%d, %d, %d", x, y, z);
    description = "Boat Dialog {B" + DescribeName(npc) + "} with target {B" + point + "}";
    return description;
}

bool Action_BoatDialog::SerializeChildProperties(IOStream* stream)
{
    const bool read = stream->StreamString("npc", npc) && stream->StreamBool("onOff", onOff) &&
                      stream->StreamInt("x", x) && stream->StreamInt("y", y) &&
                      stream->StreamInt("z", z) && stream->StreamString("tag", tag);
    ListenForNpc();
    return read;
}

NpcVisibilityAction::NpcVisibilityAction(uint32_t id, Trigger* parent, bool visible)
    : NpcAction(id, parent), visible(visible)
{}

void NpcVisibilityAction::Fire(uint32_t targetId, bool reFire)
{
    if (reFire && !canReFire)
        return;
    NpcAction::Fire(targetId, reFire);
}

bool NpcVisibilityAction::ApplyToObject(uint32_t objectId)
{
    Actor* target = ObjectManager::Instance().GetObject<Actor>(objectId);
    if (target == nullptr)
        return false;
    target->SetVisibility(visible);
    return true;
}

void NpcVisibilityAction::ApplyTo(Npc& target)
{
    target.SetVisibility(visible);
}

bool NpcVisibilityAction::StreamChildProperties(IOStream* stream)
{
    return stream->StreamBool("isPendingFire", isPendingFire);
}

bool NpcVisibilityAction::SerializeChildProperties(IOStream* stream)
{
    const bool read =
        stream->StreamString("npc", npc) && stream->StreamBool("canReFire", canReFire);
    ListenForNpc();
    return read;
}

const std::string& Action_HideNpc::GetDescription()
{
    description = "Hide {B" + DescribeName(npc) + "}";
    return description;
}

const std::string& Action_ShowNpc::GetDescription()
{
    description = "Show {B" + DescribeName(npc) + "}";
    return description;
}

} // namespace GAME
