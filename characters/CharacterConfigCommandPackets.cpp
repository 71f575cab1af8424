#include "characters/CharacterConfigCommands.h"

#include "combat/CombatAttributeType.h"
#include "engine/ActorConfigCommand.h"
#include "engine/NetPacket.h"
#include "engine/NetworkShim.h"
#include "items/EquipLocations.h"
#include "multiplayer/ConfigCmdPackets.h"

#include <memory>

namespace GAME {

std::unique_ptr<NetPacket> AttachItemConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<AttachItemConfigCmdPacket>();
    packet->actorId = actorId;
    packet->itemId = itemId;
    packet->equipLocation = location;
    return packet;
}

std::unique_ptr<NetPacket> DetachItemConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<DetachItemConfigCmdPacket>();
    packet->actorId = actorId;
    packet->itemId = itemId;
    return packet;
}

std::unique_ptr<NetPacket> ReleasePetConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<ReleasePetConfigCmdPacket>();
    packet->actorId = actorId;
    packet->petId = petId;
    return packet;
}

std::unique_ptr<NetPacket> DropItemConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<DropItemConfigCmdPacket>();
    packet->actorId = actorId;
    packet->itemId = itemId;
    packet->x = x;
    packet->z = z;
    return packet;
}

std::unique_ptr<NetPacket> DropItemFromEquipLocationConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<DropItemFromEquipLocConfigCmdPacket>();
    packet->actorId = actorId;
    packet->itemId = itemId;
    packet->equipLocation = location;
    packet->toss = toss;
    return packet;
}

std::unique_ptr<NetPacket> UseItemConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<UseItemConfigCmdPacket>();
    packet->actorId = actorId;
    packet->itemId = itemId;
    packet->destroy = destroy;
    return packet;
}

std::unique_ptr<NetPacket> UseRelicConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<UseRelicConfigCmdPacket>();
    packet->actorId = actorId;
    packet->relicId = relicId;
    packet->itemId = itemId;
    return packet;
}

std::unique_ptr<NetPacket> CharPickUpConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<PickupItemConfigCmdPacket>();
    packet->actorId = actorId;
    packet->item = itemId;
    return packet;
}

std::unique_ptr<NetPacket> CreateRemoveSkillBuffConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<CreateRemoveSkillBuffConfigCmdPacket>();
    packet->actorId = actorId;
    packet->skillId = skillId;
    packet->skillName = skillName;
    packet->level = level;
    packet->modName1 = modName1;
    packet->modLevel1 = modLevel1;
    packet->modName2 = modName2;
    packet->modLevel2 = modLevel2;
    packet->timeToLive = timeToLive;
    packet->casterId = casterId;
    return packet;
}

std::unique_ptr<NetPacket> SkillTargetResultConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<SkillTargetResultConfigCmdPacket>();
    packet->actorId = actorId;
    packet->skillNumber = skillNumber;
    packet->targets = targets;
    packet->origin = origin;
    packet->seed = seed;
    packet->weaponId = weaponId;
    packet->useWeapon = useWeapon;
    packet->hitIteration = hitIteration;
    return packet;
}

std::unique_ptr<NetPacket> IncrementBaseStrengthConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<IncBaseStrengthConfigCmdPacket>();
    packet->actorId = actorId;
    return packet;
}

std::unique_ptr<NetPacket> IncrementBaseDexterityConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<IncBaseDexterityConfigCmdPacket>();
    packet->actorId = actorId;
    return packet;
}

std::unique_ptr<NetPacket> IncrementBaseIntelligenceConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<IncBaseIntelligenceConfigCmdPacket>();
    packet->actorId = actorId;
    return packet;
}

std::unique_ptr<NetPacket> IncrementBaseLifeConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<IncBaseLifeConfigCmdPacket>();
    packet->actorId = actorId;
    packet->increment = amount;
    return packet;
}

std::unique_ptr<NetPacket> IncrementBaseManaConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<IncBaseManaConfigCmdPacket>();
    packet->actorId = actorId;
    packet->increment = amount;
    return packet;
}

std::unique_ptr<NetPacket> ReleaseTrapConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<ReleaseTrapConfigCmdPacket>();
    packet->actorId = actorId;
    return packet;
}

std::unique_ptr<NetPacket> ReleaseStunConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<ReleaseStunConfigCmdPacket>();
    packet->actorId = actorId;
    return packet;
}

std::unique_ptr<NetPacket> ReleaseImmobilizeConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<ReleaseImmobilizeConfigCmdPacket>();
    packet->actorId = actorId;
    return packet;
}

std::unique_ptr<NetPacket> CreateProjectileConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<CreateProjectileConfigCmdPacket>();
    packet->actorId = actorId;
    packet->skillNumber = skillNumber;
    packet->projectileId = projectileId;
    packet->origin = origin;
    packet->target = targetId;
    packet->point = point;
    packet->weaponId = weaponId;
    packet->seed = seed;
    packet->hitIteration = hitIteration;
    return packet;
}

std::unique_ptr<NetPacket> SpawnObjectConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<SpawnObjectConfigCmdPacket>();
    packet->actorId = actorId;
    packet->skillNumber = skillNumber;
    packet->origin = origin;
    packet->targetId = targetId;
    packet->spawnCoords = spawnCoords;
    packet->spawnIds = spawnIds;
    packet->lastValue = lastValue;
    return packet;
}

std::unique_ptr<NetPacket> SkillStateUpdateConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<SkillStateUpdateConfigCmdPacket>();
    packet->actorId = actorId;
    packet->skillNumber = skillId;
    packet->state = state;
    return packet;
}

std::unique_ptr<NetPacket> SkillActiveStateUpdateConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<SkillActiveStateUpdateConfigCmdPacket>();
    packet->actorId = actorId;
    packet->skillNumber = skillId;
    packet->state = state;
    return packet;
}

std::unique_ptr<NetPacket> RemoveInventoryItemConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<RemoveInventoryItemConfigCmdPacket>();
    packet->actorId = actorId;
    packet->itemId = itemId;
    return packet;
}

std::unique_ptr<NetPacket> PlaySoundConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<PlaySoundConfigCmdPacket>();
    packet->actorId = actorId;
    packet->soundIndex = soundIndex;
    return packet;
}

std::unique_ptr<NetPacket> RequestAllyAttackConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<RequestAllyAttackConfigCmdPacket>();
    packet->actorId = actorId;
    packet->requester = requester;
    packet->targetId = targetId;
    return packet;
}

std::unique_ptr<NetPacket> RequestAllyMoveConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<RequestAllyMoveConfigCmdPacket>();
    packet->actorId = actorId;
    packet->requester = requester;
    packet->point = point;
    return packet;
}

std::unique_ptr<NetPacket> ShowCharacterConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<ShowCharacterConfigCmdPacket>();
    packet->actorId = actorId;
    packet->visible = visible;
    return packet;
}

std::unique_ptr<NetPacket> StartStopDamageEffectConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<StartStopDamageEffectConfigCmdPacket>();
    packet->actorId = actorId;
    packet->start = start;
    packet->type = type;
    return packet;
}

std::unique_ptr<NetPacket> ActivateSkillConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<ActivateSkillConfigCmdPacket>();
    packet->actorId = actorId;
    packet->skillIndex = skillId;
    packet->target = targetId;
    packet->point = point;
    return packet;
}

std::unique_ptr<NetPacket> QuestMoveCompletedConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<QuestMoveCompletedConfigCmdPacket>();
    packet->actorId = actorId;
    return packet;
}

std::unique_ptr<NetPacket> QuestAnimationCompletedConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<QuestAnimationCompletedConfigCmdPacket>();
    packet->actorId = actorId;
    return packet;
}

std::unique_ptr<NetPacket> DisableTyphonSkillEffectsConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<DisableTyphonSkillEffectsConfigCmdPacket>();
    packet->actorId = actorId;
    return packet;
}

std::unique_ptr<NetPacket> SetCausesAngerConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<SetCausesAngerConfigCmdPacket>();
    packet->actorId = actorId;
    packet->causesAnger = causesAnger;
    return packet;
}

std::unique_ptr<NetPacket> SetInvincibleConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<SetInvincibleConfigCmdPacket>();
    packet->actorId = actorId;
    packet->invincible = invincible;
    return packet;
}

std::unique_ptr<NetPacket> SetTeamConfigCmd::GetNetPacket() const
{
    auto packet = std::make_unique<SetTeamConfigCmdPacket>();
    packet->actorId = actorId;
    packet->team = team;
    return packet;
}

namespace {

// One overload per packet: the command it carries, built back through its constructor.
std::unique_ptr<ActorConfigCommand> Rebuild(const AttachItemConfigCmdPacket& p)
{
    return std::make_unique<AttachItemConfigCmd>(p.actorId.GetId(), p.itemId,
                                                 static_cast<EquipLocations>(p.equipLocation));
}

std::unique_ptr<ActorConfigCommand> Rebuild(const DetachItemConfigCmdPacket& p)
{
    return std::make_unique<DetachItemConfigCmd>(p.actorId.GetId(), p.itemId);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const ReleasePetConfigCmdPacket& p)
{
    return std::make_unique<ReleasePetConfigCmd>(p.actorId.GetId(), p.petId);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const DropItemConfigCmdPacket& p)
{
    return std::make_unique<DropItemConfigCmd>(p.actorId.GetId(), p.itemId, p.x, p.z);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const DropItemFromEquipLocConfigCmdPacket& p)
{
    return std::make_unique<DropItemFromEquipLocationConfigCmd>(
        p.actorId.GetId(), p.itemId, static_cast<EquipLocations>(p.equipLocation), p.toss);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const UseItemConfigCmdPacket& p)
{
    return std::make_unique<UseItemConfigCmd>(p.actorId.GetId(), p.itemId, p.destroy);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const UseRelicConfigCmdPacket& p)
{
    return std::make_unique<UseRelicConfigCmd>(p.actorId.GetId(), p.relicId, p.itemId);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const PickupItemConfigCmdPacket& p)
{
    return std::make_unique<CharPickUpConfigCmd>(p.actorId.GetId(), p.item.GetId());
}

std::unique_ptr<ActorConfigCommand> Rebuild(const CreateRemoveSkillBuffConfigCmdPacket& p)
{
    return std::make_unique<CreateRemoveSkillBuffConfigCmd>(
        p.actorId.GetId(), p.skillId, p.skillName, p.level, p.modName1, p.modLevel1, p.modName2,
        p.modLevel2, p.timeToLive, p.casterId);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const SkillTargetResultConfigCmdPacket& p)
{
    return std::make_unique<SkillTargetResultConfigCmd>(p.actorId.GetId(), p.skillNumber, p.targets,
                                                        p.origin, p.seed, p.weaponId, p.useWeapon,
                                                        p.hitIteration);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const IncBaseStrengthConfigCmdPacket& p)
{
    return std::make_unique<IncrementBaseStrengthConfigCmd>(p.actorId.GetId());
}

std::unique_ptr<ActorConfigCommand> Rebuild(const IncBaseDexterityConfigCmdPacket& p)
{
    return std::make_unique<IncrementBaseDexterityConfigCmd>(p.actorId.GetId());
}

std::unique_ptr<ActorConfigCommand> Rebuild(const IncBaseIntelligenceConfigCmdPacket& p)
{
    return std::make_unique<IncrementBaseIntelligenceConfigCmd>(p.actorId.GetId());
}

std::unique_ptr<ActorConfigCommand> Rebuild(const IncBaseLifeConfigCmdPacket& p)
{
    return std::make_unique<IncrementBaseLifeConfigCmd>(p.actorId.GetId(), p.increment);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const IncBaseManaConfigCmdPacket& p)
{
    return std::make_unique<IncrementBaseManaConfigCmd>(p.actorId.GetId(), p.increment);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const ReleaseTrapConfigCmdPacket& p)
{
    return std::make_unique<ReleaseTrapConfigCmd>(p.actorId.GetId());
}

std::unique_ptr<ActorConfigCommand> Rebuild(const ReleaseStunConfigCmdPacket& p)
{
    return std::make_unique<ReleaseStunConfigCmd>(p.actorId.GetId());
}

std::unique_ptr<ActorConfigCommand> Rebuild(const ReleaseImmobilizeConfigCmdPacket& p)
{
    return std::make_unique<ReleaseImmobilizeConfigCmd>(p.actorId.GetId());
}

std::unique_ptr<ActorConfigCommand> Rebuild(const CreateProjectileConfigCmdPacket& p)
{
    return std::make_unique<CreateProjectileConfigCmd>(p.actorId.GetId(), p.skillNumber,
                                                       p.projectileId, p.origin, p.target.GetId(),
                                                       p.point, p.weaponId, p.seed, p.hitIteration);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const SpawnObjectConfigCmdPacket& p)
{
    return std::make_unique<SpawnObjectConfigCmd>(p.actorId.GetId(), p.skillNumber, p.origin,
                                                  p.targetId, p.spawnCoords, p.spawnIds,
                                                  p.lastValue);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const SkillStateUpdateConfigCmdPacket& p)
{
    return std::make_unique<SkillStateUpdateConfigCmd>(p.actorId.GetId(), p.skillNumber, p.state);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const SkillActiveStateUpdateConfigCmdPacket& p)
{
    return std::make_unique<SkillActiveStateUpdateConfigCmd>(p.actorId.GetId(), p.skillNumber,
                                                             p.state);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const RemoveInventoryItemConfigCmdPacket& p)
{
    return std::make_unique<RemoveInventoryItemConfigCmd>(p.actorId.GetId(), p.itemId);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const PlaySoundConfigCmdPacket& p)
{
    return std::make_unique<PlaySoundConfigCmd>(p.actorId.GetId(), p.soundIndex);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const RequestAllyAttackConfigCmdPacket& p)
{
    return std::make_unique<RequestAllyAttackConfigCmd>(p.actorId.GetId(), p.requester.GetId(),
                                                        p.targetId);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const RequestAllyMoveConfigCmdPacket& p)
{
    return std::make_unique<RequestAllyMoveConfigCmd>(p.actorId.GetId(), p.requester.GetId(),
                                                      p.point);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const ShowCharacterConfigCmdPacket& p)
{
    return std::make_unique<ShowCharacterConfigCmd>(p.actorId.GetId(), p.visible);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const StartStopDamageEffectConfigCmdPacket& p)
{
    return std::make_unique<StartStopDamageEffectConfigCmd>(
        p.actorId.GetId(), p.start, static_cast<CombatAttributeType>(p.type));
}

std::unique_ptr<ActorConfigCommand> Rebuild(const ActivateSkillConfigCmdPacket& p)
{
    return std::make_unique<ActivateSkillConfigCmd>(p.actorId.GetId(), p.skillIndex,
                                                    p.target.GetId(), p.point);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const QuestMoveCompletedConfigCmdPacket& p)
{
    return std::make_unique<QuestMoveCompletedConfigCmd>(p.actorId.GetId());
}

std::unique_ptr<ActorConfigCommand> Rebuild(const QuestAnimationCompletedConfigCmdPacket& p)
{
    return std::make_unique<QuestAnimationCompletedConfigCmd>(p.actorId.GetId());
}

std::unique_ptr<ActorConfigCommand> Rebuild(const DisableTyphonSkillEffectsConfigCmdPacket& p)
{
    return std::make_unique<DisableTyphonSkillEffectsConfigCmd>(p.actorId.GetId());
}

std::unique_ptr<ActorConfigCommand> Rebuild(const SetCausesAngerConfigCmdPacket& p)
{
    return std::make_unique<SetCausesAngerConfigCmd>(p.actorId.GetId(), p.causesAnger);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const SetInvincibleConfigCmdPacket& p)
{
    return std::make_unique<SetInvincibleConfigCmd>(p.actorId.GetId(), p.invincible);
}

std::unique_ptr<ActorConfigCommand> Rebuild(const SetTeamConfigCmdPacket& p)
{
    return std::make_unique<SetTeamConfigCmd>(p.actorId.GetId(), p.team);
}

template <typename Packet> void Register()
{
    NetworkShim::RegisterCommand<Packet, Rebuild>();
}

[[maybe_unused]] const bool characterConfigCommandPacketsRegistered = [] {
    Register<AttachItemConfigCmdPacket>();
    Register<DetachItemConfigCmdPacket>();
    Register<ReleasePetConfigCmdPacket>();
    Register<DropItemConfigCmdPacket>();
    Register<DropItemFromEquipLocConfigCmdPacket>();
    Register<UseItemConfigCmdPacket>();
    Register<UseRelicConfigCmdPacket>();
    Register<PickupItemConfigCmdPacket>();
    Register<CreateRemoveSkillBuffConfigCmdPacket>();
    Register<SkillTargetResultConfigCmdPacket>();
    Register<IncBaseStrengthConfigCmdPacket>();
    Register<IncBaseDexterityConfigCmdPacket>();
    Register<IncBaseIntelligenceConfigCmdPacket>();
    Register<IncBaseLifeConfigCmdPacket>();
    Register<IncBaseManaConfigCmdPacket>();
    Register<ReleaseTrapConfigCmdPacket>();
    Register<ReleaseStunConfigCmdPacket>();
    Register<ReleaseImmobilizeConfigCmdPacket>();
    Register<CreateProjectileConfigCmdPacket>();
    Register<SpawnObjectConfigCmdPacket>();
    Register<SkillStateUpdateConfigCmdPacket>();
    Register<SkillActiveStateUpdateConfigCmdPacket>();
    Register<RemoveInventoryItemConfigCmdPacket>();
    Register<PlaySoundConfigCmdPacket>();
    Register<RequestAllyAttackConfigCmdPacket>();
    Register<RequestAllyMoveConfigCmdPacket>();
    Register<ShowCharacterConfigCmdPacket>();
    Register<StartStopDamageEffectConfigCmdPacket>();
    Register<ActivateSkillConfigCmdPacket>();
    Register<QuestMoveCompletedConfigCmdPacket>();
    Register<QuestAnimationCompletedConfigCmdPacket>();
    Register<DisableTyphonSkillEffectsConfigCmdPacket>();
    Register<SetCausesAngerConfigCmdPacket>();
    Register<SetInvincibleConfigCmdPacket>();
    Register<SetTeamConfigCmdPacket>();
    return true;
}();

} // namespace

} // namespace GAME
