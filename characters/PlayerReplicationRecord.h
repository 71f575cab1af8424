#pragma once

#include "characters/Character.h"
#include "characters/Team.h"
#include "combat/DurationDamageReplication.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "items/InventoryReplica.h"
#include "skills/SkillManager.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class NetPacketInBuffer;
class NetPacketOutBuffer;

// What a player sends of itself when it is spawned on another machine, in wire order. The last
// three fields travel only while the player moves.
struct PlayerReplicationRecord {
    // An item: its location, five names and two words.
    static constexpr size_t kMinimumItemBytes = 4 + 4 + 4 + 4 * 4 + 4 + 4;

    std::wstring playerName{};
    WorldCoords coords{};
    float currentLife = 0.0f;
    float currentMana = 0.0f;
    bool tainted = false;
    float baseLife = 0.0f;
    float baseMana = 0.0f;
    float baseStrength = 0.0f;
    float baseDexterity = 0.0f;
    float baseIntelligence = 0.0f;
    Team team{};
    uint32_t characterLevel = 0;
    uint32_t experiencePoints = 0;
    uint32_t money = 0;
    std::string playerTexture{};
    std::vector<DurationDamageReplication> durationDamage{};
    std::vector<FixedDurationDamageReplication> fixedDurationDamage{};
    std::vector<SkillManager::_SkillReplica> skills{};
    std::vector<SkillManager::_SkillBuffReplica> skillBuffs{};
    std::vector<InventoryReplica> inventory{};
    Character_ActionState actionState = ActionState_Unknown;
    bool moving = false;
    WorldVec3 pathTarget{};
    uint32_t attackTargetId = 0;
    uint32_t attackTargetSkillId = 0;

    void Write(NetPacketOutBuffer& out) const;
    // False when the bytes run out or a count or length lies; the record is then of no use.
    bool Read(NetPacketInBuffer& in);
};

} // namespace GAME
