#pragma once

#include "characters/Character.h"
#include "characters/Team.h"
#include "combat/DurationDamageReplication.h"
#include "engine/WorldVec3.h"
#include "skills/SkillManager.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class NetPacketInBuffer;
class NetPacketOutBuffer;

// What a monster sends of itself when it is spawned on a client, in wire order. The loot
// travels only while the monster lives, the last three fields only while it moves.
struct MonsterReplicationRecord {
    Character_LifeState lifeState = LifeState_Unknown;
    float currentLife = 0.0f;
    float currentMana = 0.0f;
    bool tainted = false;
    Team team{};
    uint32_t leaderId = 0;
    bool visible = true;
    std::vector<DurationDamageReplication> durationDamage{};
    std::vector<FixedDurationDamageReplication> fixedDurationDamage{};
    std::vector<SkillManager::_SkillReplica> skills{};
    std::vector<SkillManager::_SkillBuffReplica> skillBuffs{};
    bool alive = false;
    Character::LootStruct loot{};
    std::string proxyParent{};
    uint32_t proxyNumSiblings = 0;
    Character_ActionState actionState = ActionState_Unknown;
    bool moving = false;
    WorldVec3 pathTarget{};
    uint32_t attackTargetId = 0;
    uint32_t attackExtraValue = 0;

    void Write(NetPacketOutBuffer& out) const;
    // False when the bytes run out, a count or length lies, or a state is out of range; the
    // record is then of no use.
    bool Read(NetPacketInBuffer& in);

    // The states a record may carry; anything else is refused.
    static bool IsValidLifeState(uint32_t value);
    static bool IsValidActionState(uint32_t value);
};

} // namespace GAME
