#include "characters/Monster.h"

#include "characters/CharacterBioReplicaInfo.h"
#include "characters/CharacterMovementManager.h"
#include "characters/MonsterReplicationRecord.h"
#include "combat/DurationDamageManager.h"
#include "engine/Engine.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"

namespace GAME {

void Monster::WriteReplicationData(NetPacketOutBuffer& out)
{
    MonsterReplicationRecord record;
    record.lifeState = lifeState;
    CharacterBioReplicaInfo bioStats;
    bio.GetCurrentBioStats(bioStats);
    record.currentLife = static_cast<float>(bioStats.currentLife);
    record.currentMana = static_cast<float>(bioStats.currentMana);
    record.tainted = bioStats.tainted != 0;
    record.team = GetTeam();
    record.leaderId = leaderId;
    record.visible = GetVisibility();
    GetDurationDamageMgr().GetDamageReplica(record.durationDamage);
    GetDurationDamageMgr().GetFixedDamageReplica(record.fixedDurationDamage);
    skillManager.GetSkillReplica(record.skills);
    skillManager.GetSkillBuffReplica(record.skillBuffs);
    record.alive = IsAlive();
    if (record.alive)
        record.loot = lootState;
    record.proxyParent = proxyParent;
    record.proxyNumSiblings = proxyNumSiblings;
    record.actionState = actionState;
    record.moving = IsMoving();
    if (record.moving) {
        WorldVec3 attackPoint;
        GetCurrentAttackTarget(record.attackTargetId, attackPoint, record.attackExtraValue);
        if (const CharacterMovementManager* movement = GetMovementManager())
            record.pathTarget = movement->GetPathTarget();
    }
    record.Write(out);
}

void Monster::ReadReplicationData(NetPacketInBuffer& in)
{
    pendingReplicationData = std::make_unique<MonsterReplicationRecord>();
    if (pendingReplicationData->Read(in))
        return;
    // Half a record would give the copy a mix of the sender's values and its own.
    pendingReplicationData.reset();
    gEngine->Log(Engine::LogData, "Monster replication record of (%u) refused; discarded",
                 GetObjectId());
}

void Monster::ApplyReplicationData()
{
    if (!pendingReplicationData) {
        gEngine->Log(Engine::LogData,
                     "Monster::ApplyReplicationData: Attempt to Apply NULL replication data.");
        return;
    }
    const std::unique_ptr<MonsterReplicationRecord> record = std::move(pendingReplicationData);
    CharacterBioReplicaInfo bioStats;
    bio.GetCurrentBioStats(bioStats);
    bioStats.currentLife = CharacterBioReplicaInfo::ToWholeNumber(record->currentLife);
    bioStats.currentMana = CharacterBioReplicaInfo::ToWholeNumber(record->currentMana);
    bioStats.tainted = record->tainted ? 1 : 0;
    bio.RestoreCurrentBioStats(bioStats, false);
    SetTeam(record->team);
    SetLeader(record->leaderId);
    SetVisibility(record->visible);
    GetDurationDamageMgr().SetDamageReplica(record->durationDamage);
    GetDurationDamageMgr().SetFixedDamageReplica(record->fixedDurationDamage);
    skillManager.SetSkillReplica(record->skills);
    skillManager.SetSkillBuffReplica(record->skillBuffs);
    SetLifeState(record->lifeState);
    proxyParent = record->proxyParent;
    proxyNumSiblings = record->proxyNumSiblings;
    SetInitialStateInfo(record->actionState, record->pathTarget, record->attackTargetId,
                        record->attackExtraValue);
    if (record->alive)
        LoadLootFromStruct(record->loot);
}

} // namespace GAME
