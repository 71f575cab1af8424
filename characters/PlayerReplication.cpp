#include "characters/CharacterBio.h"
#include "characters/CharacterBioReplicaInfo.h"
#include "characters/CharacterMovementManager.h"
#include "characters/Player.h"
#include "characters/PlayerReplicationRecord.h"
#include "combat/DurationDamageManager.h"
#include "engine/Engine.h"
#include "engine/NetPacketInBuffer.h"
#include "multiplayer/PlayerNetBasicInfo.h"

namespace GAME {

void Player::WriteReplicationData(NetPacketOutBuffer& out)
{
    PlayerReplicationRecord record;
    record.playerName = playerName;
    record.coords = GetCoords();
    CharacterBioReplicaInfo bioStats;
    GetCharacterBio().GetCurrentBioStats(bioStats);
    record.currentLife = static_cast<float>(bioStats.currentLife);
    record.currentMana = static_cast<float>(bioStats.currentMana);
    record.tainted = bioStats.tainted != 0;
    record.baseLife = static_cast<float>(bioStats.baseLife);
    record.baseMana = static_cast<float>(bioStats.baseMana);
    record.baseStrength = static_cast<float>(bioStats.baseStrength);
    record.baseDexterity = static_cast<float>(bioStats.baseDexterity);
    record.baseIntelligence = static_cast<float>(bioStats.baseIntelligence);
    record.team = GetTeam();
    GetDurationDamageMgr().GetDamageReplica(record.durationDamage);
    GetDurationDamageMgr().GetFixedDamageReplica(record.fixedDurationDamage);
    GetSkillManager().GetSkillReplica(record.skills);
    GetSkillManager().GetSkillBuffReplica(record.skillBuffs);
    GetInventoryReplica(record.inventory);
    experienceLevelControl.GetCurrentStats(record.characterLevel, record.experiencePoints);
    record.money = GetCurrentMoney();
    record.playerTexture = playerTexture;
    record.actionState = GetActionState();
    record.moving = IsMoving();
    if (record.moving) {
        WorldVec3 attackPoint;
        GetCurrentAttackTarget(record.attackTargetId, attackPoint, record.attackTargetSkillId);
        if (const CharacterMovementManager* movement = GetMovementManager())
            record.pathTarget = movement->GetPathTarget();
    }
    record.Write(out);
}

void Player::ReadReplicationData(NetPacketInBuffer& in)
{
    replicationRecord = std::make_unique<PlayerReplicationRecord>();
    if (replicationRecord->Read(in))
        return;
    // Half a record would give the copy a mix of the sender's values and its own.
    replicationRecord.reset();
    gEngine->Log(Engine::LogData, "Player replication record of %s cut short; discarded",
                 GetPlayerNameInChar().c_str());
}

void Player::ApplyReplicationData()
{
    if (!replicationRecord) {
        gEngine->Log(Engine::LogData, "Player replication applied without a record read");
        return;
    }
    const std::unique_ptr<PlayerReplicationRecord> record = std::move(replicationRecord);
    SetPlayerName(record->playerName);
    SetSpawnPoint(record->coords);
    CharacterBioReplicaInfo bioStats;
    bioStats.currentLife = CharacterBioReplicaInfo::ToWholeNumber(record->currentLife);
    bioStats.currentMana = CharacterBioReplicaInfo::ToWholeNumber(record->currentMana);
    bioStats.tainted = record->tainted ? 1 : 0;
    bioStats.baseLife = CharacterBioReplicaInfo::ToWholeNumber(record->baseLife);
    bioStats.baseMana = CharacterBioReplicaInfo::ToWholeNumber(record->baseMana);
    bioStats.baseStrength = CharacterBioReplicaInfo::ToWholeNumber(record->baseStrength);
    bioStats.baseDexterity = CharacterBioReplicaInfo::ToWholeNumber(record->baseDexterity);
    bioStats.baseIntelligence = CharacterBioReplicaInfo::ToWholeNumber(record->baseIntelligence);
    GetCharacterBio().RestoreCurrentBioStats(bioStats, true);
    SetTeam(record->team);
    GetDurationDamageMgr().SetDamageReplica(record->durationDamage);
    GetDurationDamageMgr().SetFixedDamageReplica(record->fixedDurationDamage);
    GetSkillManager().SetSkillReplica(record->skills);
    GetSkillManager().SetSkillBuffReplica(record->skillBuffs);
    SetInventoryReplica(record->inventory);
    experienceLevelControl.SetCurrentStats(record->characterLevel, record->experiencePoints);
    currentMoney = record->money;
    playerTexture = record->playerTexture;
    ResetPlayerTexture();
    SetInitialStateInfo(record->actionState, record->pathTarget, record->attackTargetId,
                        record->attackTargetSkillId);
}

void Player::GetPlayerNetHeartbeatInfo(PlayerNetHeartbeatInfo& info) const
{
    info.playerId = GetObjectId();
    info.health = GetCurrentLife();
    info.maxHealth = GetCharacterBio().GetAttribute(CharAttribute_Life);
    info.mana = GetCurrentMana();
    info.maxMana = GetCharacterBio().GetAttribute(CharAttribute_Mana);
    info.level = GetCharLevel();
    info.partyId = static_cast<int32_t>(GetPartyId());
    info.classTag = GetClassTag();
    info.position = GetCoords().GetPosition();
    // Characters keep no list of active status skills yet; the heartbeat carries none.
    info.activeStatusSkills.clear();
}

void Player::GetPlayerNetBasicInfo(PlayerNetBasicInfo& info) const
{
    GetPlayerNetHeartbeatInfo(info);
    info.name = playerName;
    info.isMale = GetGender() == Gender_Male;
    info.playerId = GetObjectId();
}

} // namespace GAME
