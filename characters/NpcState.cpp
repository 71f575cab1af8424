#include "characters/Npc.h"

#include "characters/Player.h"
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "engine/Engine.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "quests/Action_IlluminateNpc.h"
#include "quests/Action_UpdateNPCDialog.h"
#include "quests/QuestRepository.h"

#include <array>

namespace GAME {

namespace {

constexpr uint32_t kNoAction = 0xFFFFFFFFu;
constexpr const char* kAnchor01 = "Records/Effects/ObjectEffects/Anchor01.dbr";

template <typename ActionType> ActionType* FindAction(uint32_t id)
{
    if (id == kNoAction)
        return nullptr;
    return dynamic_cast<ActionType*>(QuestRepository::Get().FindActionById(id));
}

} // namespace

// What the local player remembers of this NPC.

void Npc::SetPlayerNpcDialog(Action_UpdateNPCDialog* action)
{
    if (Player* player = GetLocalPlayer())
        player->AddNpcDialog({GetObjectName(), action != nullptr ? action->GetId() : kNoAction});
}

void Npc::SetPlayerNpcIllumination(Action_IlluminateNpc* action)
{
    if (Player* player = GetLocalPlayer())
        player->AddNpcIllumination(
            {GetObjectName(), action != nullptr ? action->GetId() : kNoAction});
}

void Npc::SetBoatMaster(bool /*flag*/, const std::string& text, int32_t x, int32_t y, int32_t z)
{
    if (Player* player = GetLocalPlayer())
        player->AddBoatMaster({GetObjectName(), text, x, y, z});
}

bool Npc::IsBoatMasterForLocalPlayer() const
{
    const Player* player = GetLocalPlayer();
    return player != nullptr && player->IsBoatMaster(GetObjectName());
}

void Npc::RestorePlayerInteractionState()
{
    const Player* player = GetLocalPlayer();
    if (player == nullptr)
        return;
    NpcIlluminationData illumination;
    illuminateAction = nullptr;
    if (player->GetNpcIllumination(GetObjectName(), illumination)) {
        illuminateAction = FindAction<Action_IlluminateNpc>(illumination.actionId);
        if (illuminateAction != nullptr)
            illuminateAction->Fire(0, false);
    }
    NpcDialogData dialog;
    updateDialogAction = nullptr;
    if (player->GetNpcDialog(GetObjectName(), dialog)) {
        updateDialogAction = FindAction<Action_UpdateNPCDialog>(dialog.actionId);
        if (updateDialogAction != nullptr)
            updateDialogAction->Fire(0, false);
    }
    if (player->IsBoatMaster(GetObjectName()))
        AttachPunctuation(kAnchor01);
}

// Level state.

void Npc::SaveState(BinaryWriter& writer) const
{
    Character::SaveState(writer);
    writer.WriteBool(saveStateWanted);
    writer.WriteUInt32(static_cast<uint32_t>(dialogType));
    writer.WriteUInt32(static_cast<uint32_t>(dialogTimer));
}

bool Npc::RestoreState(BinaryReader& reader)
{
    if (!Character::RestoreState(reader))
        return false;
    // A short state keeps what it did not reach: the reader fails every read after the first.
    reader.ReadBool(saveStateWanted);
    uint32_t type = static_cast<uint32_t>(dialogType);
    reader.ReadUInt32(type);
    dialogType = static_cast<DialogType>(type);
    RestorePlayerInteractionState();
    reader.ReadInt32(dialogTimer);
    if (reader.HasFailed())
        gEngine->Log(Engine::LogData, "Npc::RestoreState: the level state of %s ends early.",
                     GetObjectName().c_str());
    return true;
}

// Replication.

void Npc::WriteReplicationData(NetPacketOutBuffer& out)
{
    Character::WriteReplicationData(out);
    const std::array<uint8_t, 2> seed{static_cast<uint8_t>(lootState.seed & 0xFFu),
                                      static_cast<uint8_t>(lootState.seed >> 8)};
    out.AddRaw(seed);
    for (uint32_t id : lootState.itemIds)
        out.AddUInt(id);
}

void Npc::ReadReplicationData(NetPacketInBuffer& in)
{
    Character::ReadReplicationData(in);
    replicationPending = false;
    std::array<uint8_t, 2> seed{};
    LootStruct loot;
    if (!in.RemoveRaw(seed))
        return;
    for (uint32_t& id : loot.itemIds) {
        if (!in.RemoveUInt(id))
            return;
    }
    loot.seed = static_cast<uint16_t>(seed[0] | (seed[1] << 8));
    replicatedLoot = loot;
    replicationPending = true;
}

void Npc::ApplyReplicationData()
{
    Character::ApplyReplicationData();
    if (!replicationPending)
        return;
    replicationPending = false;
    LoadLootFromStruct(replicatedLoot);
}

} // namespace GAME
