#include "characters/PlayerReplicationRecord.h"

#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"

namespace GAME {

namespace {

bool ReadFloats(NetPacketInBuffer& in, std::initializer_list<float*> values)
{
    for (float* value : values)
        if (!in.RemoveUInt(*value))
            return false;
    return true;
}

} // namespace

void PlayerReplicationRecord::Write(NetPacketOutBuffer& out) const
{
    out.Add(playerName);
    out.Add(coords);
    out.AddUInt(currentLife);
    out.AddUInt(currentMana);
    out.Add(tainted);
    for (float value : {baseLife, baseMana, baseStrength, baseDexterity, baseIntelligence})
        out.AddUInt(value);
    out.AddRaw(team.ToRaw());
    out.AddUInt(characterLevel);
    out.AddUInt(experiencePoints);
    out.AddUInt(money);
    out.Add(playerTexture);
    DurationDamageReplication::WriteList(out, durationDamage);
    FixedDurationDamageReplication::WriteList(out, fixedDurationDamage);
    SkillManager::WriteReplicaLists(out, skills, skillBuffs);
    out.AddUInt(static_cast<uint32_t>(inventory.size()));
    for (const InventoryReplica& entry : inventory) {
        out.AddUInt(entry.location);
        out.AddFileName(entry.item.baseName);
        entry.item.WriteReplicationData(out);
    }
    out.AddUInt(actionState);
    out.Add(moving);
    if (!moving)
        return;
    out.Add(pathTarget);
    out.AddUInt(attackTargetId);
    out.AddUInt(attackTargetSkillId);
}

bool PlayerReplicationRecord::Read(NetPacketInBuffer& in)
{
    std::array<uint8_t, 12> teamBytes{};
    bool read =
        in.Remove(playerName) && in.Remove(coords) &&
        ReadFloats(in, {&currentLife, &currentMana}) && in.Remove(tainted) &&
        ReadFloats(in, {&baseLife, &baseMana, &baseStrength, &baseDexterity, &baseIntelligence}) &&
        in.RemoveRaw(teamBytes) && in.RemoveUInt(characterLevel) &&
        in.RemoveUInt(experiencePoints) && in.RemoveUInt(money) && in.Remove(playerTexture) &&
        DurationDamageReplication::ReadList(in, durationDamage) &&
        FixedDurationDamageReplication::ReadList(in, fixedDurationDamage);
    if (!read)
        return false;
    team = Team::FromRaw(teamBytes);
    read = SkillManager::ReadReplicaLists(in, skills, skillBuffs) &&
           in.RemoveList(inventory, kMinimumItemBytes,
                         [&](InventoryReplica& entry) {
                             return in.RemoveUInt(entry.location) &&
                                    in.Remove(entry.item.baseName) &&
                                    entry.item.ReadReplicationData(in);
                         }) &&
           in.RemoveUInt(actionState) && in.Remove(moving);
    if (!read)
        return false;
    if (moving)
        read = in.Remove(pathTarget) && in.RemoveUInt(attackTargetId) &&
               in.RemoveUInt(attackTargetSkillId);
    return read && !in.HasFailed();
}

} // namespace GAME
