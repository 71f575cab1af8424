#include "characters/Monster.h"

#include "characters/MonsterReplicationRecord.h"
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "engine/Engine.h"

namespace GAME {

void Monster::SaveState(BinaryWriter& writer) const
{
    Actor::SaveState(writer);
    writer.WriteUInt32(static_cast<uint32_t>(lifeState));
    writer.WriteUInt16(lootState.seed);
    writer.WriteUInt16(lootState.levelArgument);
    writer.WriteUInt32(leaderId);
    writer.WriteString(proxyParent);
    writer.WriteUInt32(proxyNumSiblings);
    dropPerPartyMemberItem.WriteLevelState(writer);
    writer.WriteBool(poppedOut);
}

bool Monster::RestoreState(BinaryReader& reader)
{
    SetRestoredFromLevelState(true);
    Actor::RestoreState(reader);
    uint32_t life = 0;
    if (reader.ReadUInt32(life)) {
        if (!MonsterReplicationRecord::IsValidLifeState(life)) {
            gEngine->Log(Engine::LogData,
                         "Monster::RestoreState: life state %u of (%u) out of range; refused", life,
                         GetObjectId());
            return false;
        }
        SetLifeState(static_cast<Character_LifeState>(life));
        RestoreLifeState();
    }
    uint16_t seed = 0;
    uint16_t levelArgument = 0;
    // Fresh loot only from a seed that was really read: a stopped reader leaves what loaded.
    if (reader.ReadUInt16(seed) && reader.ReadUInt16(levelArgument) && lifeState != LifeState_Dead)
        LoadLootFromSeed(seed, levelArgument);
    uint32_t restoredLeader = 0;
    if (reader.ReadUInt32(restoredLeader) && restoredLeader != 0 && IsAlive())
        JoinMe(restoredLeader, -1, false);
    reader.ReadString(proxyParent);
    reader.ReadUInt32(proxyNumSiblings);
    dropPerPartyMemberItem.ReadLevelState(reader);
    reader.ReadBool(poppedOut);
    if (reader.HasFailed())
        gEngine->Log(Engine::LogData,
                     "Monster::RestoreState: level state of (%u) cut short at byte %zu; the rest "
                     "keeps its loaded values",
                     GetObjectId(), reader.GetPosition());
    return true;
}

} // namespace GAME
