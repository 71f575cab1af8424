#pragma once

#include "characters/Team.h"
#include "combat/CombatAttributeType.h"
#include "engine/ActorConfigCommand.h"
#include "engine/NetPacket.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "items/EquipLocations.h"
#include "skills/SkillActiveState.h"
#include "skills/SkillState.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

// Changes every machine of a game makes alike: each runs here, then travels as its packet and is
// rebuilt from it on the other side. Item and pet ids a peer names are checked before use.

class AttachItemConfigCmd : public ActorConfigCommand {
public:
    AttachItemConfigCmd(uint32_t actorId, uint32_t itemId, EquipLocations location);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t itemId;
    EquipLocations location;
};

class DetachItemConfigCmd : public ActorConfigCommand {
public:
    DetachItemConfigCmd(uint32_t actorId, uint32_t itemId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t itemId;
};

class ReleasePetConfigCmd : public ActorConfigCommand {
public:
    ReleasePetConfigCmd(uint32_t actorId, uint32_t petId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t petId;
};

class DropItemConfigCmd : public ActorConfigCommand {
public:
    DropItemConfigCmd(uint32_t actorId, uint32_t itemId, float x, float z);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t itemId;
    float x;
    float z;
};

class DropItemFromEquipLocationConfigCmd : public ActorConfigCommand {
public:
    DropItemFromEquipLocationConfigCmd(uint32_t actorId, uint32_t itemId, EquipLocations location,
                                       bool toss);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t itemId;
    EquipLocations location;
    bool toss;
};

class UseItemConfigCmd : public ActorConfigCommand {
public:
    UseItemConfigCmd(uint32_t actorId, uint32_t itemId, bool destroy);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t itemId;
    bool destroy;
};

class UseRelicConfigCmd : public ActorConfigCommand {
public:
    UseRelicConfigCmd(uint32_t actorId, uint32_t relicId, uint32_t itemId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t relicId;
    uint32_t itemId;
};

class CharPickUpConfigCmd : public ActorConfigCommand {
public:
    CharPickUpConfigCmd(uint32_t actorId, uint32_t itemId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t itemId;
};

class CreateRemoveSkillBuffConfigCmd : public ActorConfigCommand {
public:
    CreateRemoveSkillBuffConfigCmd(uint32_t actorId, uint32_t skillId, const std::string& skillName,
                                   uint32_t level, const std::string& modName1, uint32_t modLevel1,
                                   const std::string& modName2, uint32_t modLevel2,
                                   int32_t timeToLive, uint32_t casterId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t skillId;
    std::string skillName;
    uint32_t level;
    std::string modName1;
    uint32_t modLevel1;
    std::string modName2;
    uint32_t modLevel2;
    int32_t timeToLive;
    uint32_t casterId;
};

class SkillTargetResultConfigCmd : public ActorConfigCommand {
public:
    SkillTargetResultConfigCmd(uint32_t actorId, uint32_t skillNumber,
                               const std::vector<uint32_t>& targets, const WorldCoords& origin,
                               uint32_t seed, uint32_t weaponId, bool useWeapon,
                               int32_t hitIteration);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t skillNumber;
    std::vector<uint32_t> targets;
    WorldCoords origin;
    uint32_t seed;
    uint32_t weaponId;
    bool useWeapon;
    int32_t hitIteration;
};

class IncrementBaseStrengthConfigCmd : public ActorConfigCommand {
public:
    explicit IncrementBaseStrengthConfigCmd(uint32_t actorId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
};

class IncrementBaseDexterityConfigCmd : public ActorConfigCommand {
public:
    explicit IncrementBaseDexterityConfigCmd(uint32_t actorId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
};

class IncrementBaseIntelligenceConfigCmd : public ActorConfigCommand {
public:
    explicit IncrementBaseIntelligenceConfigCmd(uint32_t actorId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
};

class IncrementBaseLifeConfigCmd : public ActorConfigCommand {
public:
    explicit IncrementBaseLifeConfigCmd(uint32_t actorId, int32_t amount = 0);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    int32_t amount;
};

class IncrementBaseManaConfigCmd : public ActorConfigCommand {
public:
    explicit IncrementBaseManaConfigCmd(uint32_t actorId, int32_t amount = 0);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    int32_t amount;
};

class ReleaseTrapConfigCmd : public ActorConfigCommand {
public:
    explicit ReleaseTrapConfigCmd(uint32_t actorId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
};

class ReleaseStunConfigCmd : public ActorConfigCommand {
public:
    explicit ReleaseStunConfigCmd(uint32_t actorId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
};

class ReleaseImmobilizeConfigCmd : public ActorConfigCommand {
public:
    explicit ReleaseImmobilizeConfigCmd(uint32_t actorId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
};

class CreateProjectileConfigCmd : public ActorConfigCommand {
public:
    CreateProjectileConfigCmd(uint32_t actorId, uint32_t skillNumber, uint32_t projectileId,
                              const WorldCoords& origin, uint32_t targetId, const WorldVec3& point,
                              uint32_t weaponId, uint32_t seed, int32_t hitIteration);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t skillNumber;
    uint32_t projectileId;
    WorldCoords origin;
    uint32_t targetId;
    WorldVec3 point;
    uint32_t weaponId;
    uint32_t seed;
    int32_t hitIteration;
};

class SpawnObjectConfigCmd : public ActorConfigCommand {
public:
    SpawnObjectConfigCmd(uint32_t actorId, uint32_t skillNumber, const WorldCoords& origin,
                         uint32_t targetId, const std::vector<WorldCoords>& spawnCoords,
                         const std::vector<uint32_t>& spawnIds, uint32_t lastValue);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t skillNumber;
    WorldCoords origin;
    uint32_t targetId;
    std::vector<WorldCoords> spawnCoords;
    std::vector<uint32_t> spawnIds;
    uint32_t lastValue;
};

class SkillStateUpdateConfigCmd : public ActorConfigCommand {
public:
    SkillStateUpdateConfigCmd(uint32_t actorId, uint32_t skillId, const SkillState& state);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t skillId;
    SkillState state;
};

class SkillActiveStateUpdateConfigCmd : public ActorConfigCommand {
public:
    SkillActiveStateUpdateConfigCmd(uint32_t actorId, uint32_t skillId,
                                    const SkillActiveState& state);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t skillId;
    SkillActiveState state;
};

class RemoveInventoryItemConfigCmd : public ActorConfigCommand {
public:
    RemoveInventoryItemConfigCmd(uint32_t actorId, uint32_t itemId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t itemId;
};

class PlaySoundConfigCmd : public ActorConfigCommand {
public:
    PlaySoundConfigCmd(uint32_t actorId, uint32_t soundIndex);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t soundIndex;
};

class RequestAllyAttackConfigCmd : public ActorConfigCommand {
public:
    RequestAllyAttackConfigCmd(uint32_t actorId, uint32_t requester, uint32_t targetId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t requester;
    uint32_t targetId;
};

class RequestAllyMoveConfigCmd : public ActorConfigCommand {
public:
    RequestAllyMoveConfigCmd(uint32_t actorId, uint32_t requester, const WorldVec3& point);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t requester;
    WorldVec3 point;
};

class ShowCharacterConfigCmd : public ActorConfigCommand {
public:
    ShowCharacterConfigCmd(uint32_t actorId, bool visible);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    bool visible;
};

class StartStopDamageEffectConfigCmd : public ActorConfigCommand {
public:
    StartStopDamageEffectConfigCmd(uint32_t actorId, bool start, CombatAttributeType type);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    bool start;
    CombatAttributeType type;
};

class ActivateSkillConfigCmd : public ActorConfigCommand {
public:
    ActivateSkillConfigCmd(uint32_t actorId, uint32_t skillId, uint32_t targetId,
                           const WorldVec3& point);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    uint32_t skillId;
    uint32_t targetId;
    WorldVec3 point;
};

class QuestMoveCompletedConfigCmd : public ActorConfigCommand {
public:
    explicit QuestMoveCompletedConfigCmd(uint32_t actorId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
};

class QuestAnimationCompletedConfigCmd : public ActorConfigCommand {
public:
    explicit QuestAnimationCompletedConfigCmd(uint32_t actorId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
};

class DisableTyphonSkillEffectsConfigCmd : public ActorConfigCommand {
public:
    explicit DisableTyphonSkillEffectsConfigCmd(uint32_t actorId);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
};

class SetCausesAngerConfigCmd : public ActorConfigCommand {
public:
    SetCausesAngerConfigCmd(uint32_t actorId, bool causesAnger);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    bool causesAnger;
};

class SetInvincibleConfigCmd : public ActorConfigCommand {
public:
    SetInvincibleConfigCmd(uint32_t actorId, bool invincible);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    bool invincible;
};

class SetTeamConfigCmd : public ActorConfigCommand {
public:
    SetTeamConfigCmd(uint32_t actorId, const Team& team);
    void Execute() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;

private:
    Team team;
};
} // namespace GAME
