#include "characters/MonsterReplicationRecord.h"

#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"

#include <array>

namespace GAME {

namespace {

std::array<uint8_t, 2> ToRaw(uint16_t word)
{
    return {static_cast<uint8_t>(word & 0xFF), static_cast<uint8_t>(word >> 8)};
}

uint16_t FromRaw(const std::array<uint8_t, 2>& bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

bool ReadLoot(NetPacketInBuffer& in, Character::LootStruct& loot)
{
    std::array<uint8_t, 2> seed{};
    std::array<uint8_t, 2> levelArgument{};
    if (!in.RemoveRaw(seed) || !in.RemoveRaw(levelArgument))
        return false;
    loot.seed = FromRaw(seed);
    loot.levelArgument = FromRaw(levelArgument);
    for (uint32_t& id : loot.itemIds)
        if (!in.RemoveUInt(id))
            return false;
    return true;
}

template <typename State>
bool ReadState(NetPacketInBuffer& in, State& state, bool (*valid)(uint32_t))
{
    uint32_t word = 0;
    if (!in.RemoveUInt(word) || !valid(word))
        return false;
    state = static_cast<State>(word);
    return true;
}

} // namespace

bool MonsterReplicationRecord::IsValidLifeState(uint32_t value)
{
    return value <= LifeState_Respawning;
}

bool MonsterReplicationRecord::IsValidActionState(uint32_t value)
{
    // 2 has no name: no sender writes it.
    return value <= ActionState_Dying && value != 2;
}

void MonsterReplicationRecord::Write(NetPacketOutBuffer& out) const
{
    out.AddUInt(lifeState);
    out.AddUInt(currentLife);
    out.AddUInt(currentMana);
    out.Add(tainted);
    out.AddRaw(team.ToRaw());
    out.AddUInt(leaderId);
    out.AddUInt(uint32_t{0});
    out.AddUInt(uint32_t{0});
    out.Add(visible);
    DurationDamageReplication::WriteList(out, durationDamage);
    FixedDurationDamageReplication::WriteList(out, fixedDurationDamage);
    SkillManager::WriteReplicaLists(out, skills, skillBuffs);
    out.Add(alive);
    if (alive) {
        out.AddRaw(ToRaw(loot.seed));
        out.AddRaw(ToRaw(loot.levelArgument));
        for (uint32_t id : loot.itemIds)
            out.AddUInt(id);
    }
    out.AddFileName(proxyParent);
    out.AddUInt(proxyNumSiblings);
    out.AddUInt(actionState);
    out.Add(moving);
    if (!moving)
        return;
    out.Add(pathTarget);
    out.AddUInt(attackTargetId);
    out.AddUInt(attackExtraValue);
}

bool MonsterReplicationRecord::Read(NetPacketInBuffer& in)
{
    std::array<uint8_t, 12> teamBytes{};
    uint32_t reserved = 0;
    bool read = ReadState(in, lifeState, &IsValidLifeState) && in.RemoveUInt(currentLife) &&
                in.RemoveUInt(currentMana) && in.Remove(tainted) && in.RemoveRaw(teamBytes) &&
                in.RemoveUInt(leaderId) && in.RemoveUInt(reserved) && in.RemoveUInt(reserved) &&
                in.Remove(visible) && DurationDamageReplication::ReadList(in, durationDamage) &&
                FixedDurationDamageReplication::ReadList(in, fixedDurationDamage);
    if (!read)
        return false;
    team = Team::FromRaw(teamBytes);
    read = SkillManager::ReadReplicaLists(in, skills, skillBuffs) && in.Remove(alive);
    if (!read)
        return false;
    if (alive && !ReadLoot(in, loot))
        return false;
    read = in.Remove(proxyParent) && in.RemoveUInt(proxyNumSiblings) &&
           ReadState(in, actionState, &IsValidActionState) && in.Remove(moving);
    if (!read)
        return false;
    if (moving)
        read = in.Remove(pathTarget) && in.RemoveUInt(attackTargetId) &&
               in.RemoveUInt(attackExtraValue);
    return read && !in.HasFailed();
}

} // namespace GAME
