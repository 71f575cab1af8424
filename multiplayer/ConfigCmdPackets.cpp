#include "multiplayer/ConfigCmdPackets.h"

#include "engine/ConnectionManager.h"

namespace GAME {

namespace {
[[maybe_unused]] const bool configCmdPacketsRegistered = [] {
    ConnectionManager::RegisterPacketClass<AttachItemConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<DetachItemConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<ReleasePetConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<DropItemConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<DropItemFromEquipLocConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<UseItemConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<UseRelicConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<PickupItemConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<CreateRemoveSkillBuffConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<SkillTargetResultConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<IncBaseStrengthConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<IncBaseDexterityConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<IncBaseIntelligenceConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<IncBaseLifeConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<IncBaseManaConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<ReleaseTrapConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<ReleaseStunConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<ReleaseImmobilizeConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<CreateProjectileConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<SpawnObjectConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<SkillStateUpdateConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<SkillActiveStateUpdateConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<RemoveInventoryItemConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<FixedItemStateChangeConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<FixedItemTargetConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<FixedItemSkillTargetConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<StrategicMovementTargetConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<PlaySoundConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<RequestAllyAttackConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<RequestAllyMoveConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<ShowCharacterConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<StartStopDamageEffectConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<ActivateSkillConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<QuestMoveCompletedConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<QuestAnimationCompletedConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<DisableTyphonSkillEffectsConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<SetCausesAngerConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<SetInvincibleConfigCmdPacket>();
    ConnectionManager::RegisterPacketClass<SetTeamConfigCmdPacket>();
    return true;
}();
} // namespace

} // namespace GAME
