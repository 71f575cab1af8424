#pragma once

#include "characters/Team.h"
#include "engine/ObjectInteractionPacket.h"
#include "engine/SmartObjectId.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "multiplayer/PacketFields.h"
#include "skills/SkillActiveState.h"
#include "skills/SkillState.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// The packets that carry actor config commands to the other machines, one per command. Each
// names the actor that carries the command out first, then the command's own fields in wire
// order. Plain words are zeroed here rather than left unset, so an unfilled packet still
// writes the same bytes every time.

// What every one of them holds: the actor, which the server's checks read whatever the command.
class ActorCommandPacket : public ObjectInteractionPacket {
public:
    explicit ActorCommandPacket(uint32_t type) : ObjectInteractionPacket(type) {}

    SmartObjectId actorId;
};

template <typename Derived>
class ConfigCmdPacket : public FieldPacket<Derived, ActorCommandPacket> {
public:
    explicit ConfigCmdPacket(uint32_t type) : FieldPacket<Derived, ActorCommandPacket>(type) {}
};

// The nine packets that carry nothing but the actor.
template <typename Derived> class ActorOnlyConfigCmdPacket : public ConfigCmdPacket<Derived> {
public:
    explicit ActorOnlyConfigCmdPacket(uint32_t type) : ConfigCmdPacket<Derived>(type) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
    }
};

// The three packets of the actor and one flag; `Derived::Flag` names the flag and
// `Derived::kFlagLabel` its label.
template <typename Derived> class ActorFlagConfigCmdPacket : public ConfigCmdPacket<Derived> {
public:
    explicit ActorFlagConfigCmdPacket(uint32_t type) : ConfigCmdPacket<Derived>(type) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field(Derived::kFlagLabel, Derived::Flag(p));
    }
};

class IncBaseStrengthConfigCmdPacket
    : public ActorOnlyConfigCmdPacket<IncBaseStrengthConfigCmdPacket> {
public:
    IncBaseStrengthConfigCmdPacket() : ActorOnlyConfigCmdPacket(89) {}
};

class IncBaseDexterityConfigCmdPacket
    : public ActorOnlyConfigCmdPacket<IncBaseDexterityConfigCmdPacket> {
public:
    IncBaseDexterityConfigCmdPacket() : ActorOnlyConfigCmdPacket(90) {}
};

class IncBaseIntelligenceConfigCmdPacket
    : public ActorOnlyConfigCmdPacket<IncBaseIntelligenceConfigCmdPacket> {
public:
    IncBaseIntelligenceConfigCmdPacket() : ActorOnlyConfigCmdPacket(91) {}
};

class ReleaseTrapConfigCmdPacket : public ActorOnlyConfigCmdPacket<ReleaseTrapConfigCmdPacket> {
public:
    ReleaseTrapConfigCmdPacket() : ActorOnlyConfigCmdPacket(94) {}
};

class ReleaseStunConfigCmdPacket : public ActorOnlyConfigCmdPacket<ReleaseStunConfigCmdPacket> {
public:
    ReleaseStunConfigCmdPacket() : ActorOnlyConfigCmdPacket(95) {}
};

class ReleaseImmobilizeConfigCmdPacket
    : public ActorOnlyConfigCmdPacket<ReleaseImmobilizeConfigCmdPacket> {
public:
    ReleaseImmobilizeConfigCmdPacket() : ActorOnlyConfigCmdPacket(96) {}
};

class QuestMoveCompletedConfigCmdPacket
    : public ActorOnlyConfigCmdPacket<QuestMoveCompletedConfigCmdPacket> {
public:
    QuestMoveCompletedConfigCmdPacket() : ActorOnlyConfigCmdPacket(121) {}
};

class QuestAnimationCompletedConfigCmdPacket
    : public ActorOnlyConfigCmdPacket<QuestAnimationCompletedConfigCmdPacket> {
public:
    QuestAnimationCompletedConfigCmdPacket() : ActorOnlyConfigCmdPacket(122) {}
};

class DisableTyphonSkillEffectsConfigCmdPacket
    : public ActorOnlyConfigCmdPacket<DisableTyphonSkillEffectsConfigCmdPacket> {
public:
    DisableTyphonSkillEffectsConfigCmdPacket() : ActorOnlyConfigCmdPacket(123) {}
};

class AttachItemConfigCmdPacket : public ConfigCmdPacket<AttachItemConfigCmdPacket> {
public:
    AttachItemConfigCmdPacket() : ConfigCmdPacket(79) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Item ID: ", p.itemId);
        v.Field("Equip Location: ", p.equipLocation);
    }

    uint32_t itemId = 0;
    int32_t equipLocation = 0;
};

class DetachItemConfigCmdPacket : public ConfigCmdPacket<DetachItemConfigCmdPacket> {
public:
    DetachItemConfigCmdPacket() : ConfigCmdPacket(80) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Item ID: ", p.itemId);
    }

    uint32_t itemId = 0;
};

class ReleasePetConfigCmdPacket : public ConfigCmdPacket<ReleasePetConfigCmdPacket> {
public:
    ReleasePetConfigCmdPacket() : ConfigCmdPacket(81) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Pet ID: ", p.petId);
    }

    uint32_t petId = 0;
};

class DropItemConfigCmdPacket : public ConfigCmdPacket<DropItemConfigCmdPacket> {
public:
    DropItemConfigCmdPacket() : ConfigCmdPacket(82) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Item ID: ", p.itemId);
        v.Field("X: ", p.x);
        v.Field("Z: ", p.z);
    }

    uint32_t itemId = 0;
    float x = 0.0f;
    float z = 0.0f;
};

class DropItemFromEquipLocConfigCmdPacket
    : public ConfigCmdPacket<DropItemFromEquipLocConfigCmdPacket> {
public:
    DropItemFromEquipLocConfigCmdPacket() : ConfigCmdPacket(83) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Item ID: ", p.itemId);
        v.Field("Equip Location: ", p.equipLocation);
        v.Field("Toss: ", p.toss);
    }

    uint32_t itemId = 0;
    int32_t equipLocation = 0;
    bool toss = false;
};

class UseItemConfigCmdPacket : public ConfigCmdPacket<UseItemConfigCmdPacket> {
public:
    UseItemConfigCmdPacket() : ConfigCmdPacket(84) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Item ID: ", p.itemId);
        v.Field("Destory: ", p.destroy); // sic: peers and logs know the label by this spelling
    }

    uint32_t itemId = 0;
    bool destroy = false;
};

class UseRelicConfigCmdPacket : public ConfigCmdPacket<UseRelicConfigCmdPacket> {
public:
    UseRelicConfigCmdPacket() : ConfigCmdPacket(85) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Relic ID: ", p.relicId);
        v.Field("Item ID: ", p.itemId);
    }

    uint32_t relicId = 0;
    uint32_t itemId = 0;
};

class PickupItemConfigCmdPacket : public ConfigCmdPacket<PickupItemConfigCmdPacket> {
public:
    PickupItemConfigCmdPacket() : ConfigCmdPacket(86) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Item ID: ", p.item);
    }

    SmartObjectId item;
};

class CreateRemoveSkillBuffConfigCmdPacket
    : public ConfigCmdPacket<CreateRemoveSkillBuffConfigCmdPacket> {
public:
    CreateRemoveSkillBuffConfigCmdPacket() : ConfigCmdPacket(87) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Skill ID: ", p.skillId);
        v.Field("Level: ", p.level);
        v.Field("Mod Level 1: ", p.modLevel1);
        v.Field("Mod Level 2: ", p.modLevel2);
        v.FileName("Skill Name: ", p.skillName);
        v.FileName("Mod Name 1: ", p.modName1);
        v.FileName("Mod Name 2: ", p.modName2);
        v.Field("Time To Live: ", p.timeToLive);
        v.Field("Caster ID: ", p.casterId);
    }

    uint32_t skillId = 0;
    uint32_t level = 0;
    uint32_t modLevel1 = 0;
    uint32_t modLevel2 = 0;
    std::string skillName;
    std::string modName1;
    std::string modName2;
    int32_t timeToLive = 0;
    uint32_t casterId = 0;
};

// The target list is declared before the origin but travels last. An empty list is "none":
// it travels as a plain u32 list, a count of 0.
class SkillTargetResultConfigCmdPacket : public ConfigCmdPacket<SkillTargetResultConfigCmdPacket> {
public:
    SkillTargetResultConfigCmdPacket() : ConfigCmdPacket(88) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Skill Number: ", p.skillNumber);
        v.Field("Seed: ", p.seed);
        v.Field("Weapon ID: ", p.weaponId);
        v.Field("Use weapon flag: ", p.useWeapon);
        v.Field("Origin Coords: ", p.origin);
        v.Field("Hit Iteration: ", p.hitIteration);
        v.WordList("Target IDs:", "Target ", p.targets);
    }

    uint32_t skillNumber = 0;
    uint32_t seed = 0;
    uint32_t weaponId = 0;
    bool useWeapon = false;
    std::vector<uint32_t> targets;
    WorldCoords origin;
    int32_t hitIteration = 0;
};

class IncBaseLifeConfigCmdPacket : public ConfigCmdPacket<IncBaseLifeConfigCmdPacket> {
public:
    IncBaseLifeConfigCmdPacket() : ConfigCmdPacket(92) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Increment Amount: ", p.increment);
    }

    int32_t increment = 0;
};

class IncBaseManaConfigCmdPacket : public ConfigCmdPacket<IncBaseManaConfigCmdPacket> {
public:
    IncBaseManaConfigCmdPacket() : ConfigCmdPacket(93) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Increment Amount: ", p.increment);
    }

    int32_t increment = 0;
};

class CreateProjectileConfigCmdPacket : public ConfigCmdPacket<CreateProjectileConfigCmdPacket> {
public:
    CreateProjectileConfigCmdPacket() : ConfigCmdPacket(97) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Skill Number: ", p.skillNumber);
        v.Field("Projectile ID: ", p.projectileId);
        v.Field("Weapon ID: ", p.weaponId);
        v.Field("Origin: ", p.origin);
        v.Field("Target ID: ", p.target);
        v.Field("Point: ", p.point);
        v.Field("Seed: ", p.seed);
        v.Field("Hit Iteration:", p.hitIteration); // no blank, as peers' logs have it
    }

    uint32_t skillNumber = 0;
    uint32_t projectileId = 0;
    uint32_t weaponId = 0;
    WorldCoords origin;
    SmartObjectId target; // 0: none
    WorldVec3 point;
    uint32_t seed = 0;
    int32_t hitIteration = 0;
};

class SpawnObjectConfigCmdPacket : public ConfigCmdPacket<SpawnObjectConfigCmdPacket> {
public:
    SpawnObjectConfigCmdPacket() : ConfigCmdPacket(98) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Skill Number: ", p.skillNumber);
        v.Field("Origin: ", p.origin);
        v.Field("Target Id: ", p.targetId);
        v.CoordsList("Spawn Coords:", "Coords ", p.spawnCoords);
        v.WordList("Spawn IDs:", "Id ", p.spawnIds);
        v.Hidden(p.lastValue);
    }

    uint32_t skillNumber = 0;
    WorldCoords origin;
    uint32_t targetId = 0;
    std::vector<WorldCoords> spawnCoords;
    std::vector<uint32_t> spawnIds;
    uint32_t lastValue = 0;
};

class SkillStateUpdateConfigCmdPacket : public ConfigCmdPacket<SkillStateUpdateConfigCmdPacket> {
public:
    SkillStateUpdateConfigCmdPacket() : ConfigCmdPacket(99) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Skill Number: ", p.skillNumber);
        v.RawRecord(p.state);
        v.Shown("Level: ", static_cast<int32_t>(p.state.skillLevel));
        v.Shown("Enabled: ", p.state.enabled);
    }

    uint32_t skillNumber = 0;
    SkillState state;
};

class SkillActiveStateUpdateConfigCmdPacket
    : public ConfigCmdPacket<SkillActiveStateUpdateConfigCmdPacket> {
public:
    SkillActiveStateUpdateConfigCmdPacket() : ConfigCmdPacket(100) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Skill Number: ", p.skillNumber);
        v.RawRecord(p.state);
        v.Shown("Sub Level: ", p.state.subLevel);
        v.Shown("Active: ", p.state.active);
        v.Shown("Transition: ", p.state.transition);
    }

    uint32_t skillNumber = 0;
    SkillActiveState state;
};

class RemoveInventoryItemConfigCmdPacket
    : public ConfigCmdPacket<RemoveInventoryItemConfigCmdPacket> {
public:
    RemoveInventoryItemConfigCmdPacket() : ConfigCmdPacket(101) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Item ID: ", p.itemId);
    }

    uint32_t itemId = 0;
};

// The labels are padded so that the values line up in a log.
class FixedItemStateChangeConfigCmdPacket
    : public ConfigCmdPacket<FixedItemStateChangeConfigCmdPacket> {
public:
    FixedItemStateChangeConfigCmdPacket() : ConfigCmdPacket(102) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("State:     ", p.state);
        v.Field("Target ID: ", p.target);
        v.Field("Do Sound:  ", p.doSound);
    }

    uint32_t state = 0;
    SmartObjectId target; // 0: none
    bool doSound = false;
};

// A fixed item's primary target and its further targets; `Derived::kListHeading` names the
// list in the description.
template <typename Derived>
class FixedItemTargetsConfigCmdPacket : public ConfigCmdPacket<Derived> {
public:
    explicit FixedItemTargetsConfigCmdPacket(uint32_t type) : ConfigCmdPacket<Derived>(type) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Primary Target ID: ", p.primaryTarget);
        v.WordList(Derived::kListHeading, "Target ", p.targets);
    }

    SmartObjectId primaryTarget;
    std::vector<uint32_t> targets;
};

class FixedItemTargetConfigCmdPacket
    : public FixedItemTargetsConfigCmdPacket<FixedItemTargetConfigCmdPacket> {
public:
    static constexpr const char* kListHeading = "Secondary Target IDs:";
    FixedItemTargetConfigCmdPacket() : FixedItemTargetsConfigCmdPacket(103) {}
};

class FixedItemSkillTargetConfigCmdPacket
    : public FixedItemTargetsConfigCmdPacket<FixedItemSkillTargetConfigCmdPacket> {
public:
    static constexpr const char* kListHeading = "Skill Target IDs:";
    FixedItemSkillTargetConfigCmdPacket() : FixedItemTargetsConfigCmdPacket(104) {}
};

class StrategicMovementTargetConfigCmdPacket
    : public ConfigCmdPacket<StrategicMovementTargetConfigCmdPacket> {
public:
    StrategicMovementTargetConfigCmdPacket() : ConfigCmdPacket(105) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.WordList("Target IDs:", "Target ", p.targets);
    }

    std::vector<uint32_t> targets;
};

class PlaySoundConfigCmdPacket : public ConfigCmdPacket<PlaySoundConfigCmdPacket> {
public:
    PlaySoundConfigCmdPacket() : ConfigCmdPacket(115) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Sound Index: ", p.soundIndex);
    }

    uint32_t soundIndex = 0;
};

class RequestAllyAttackConfigCmdPacket : public ConfigCmdPacket<RequestAllyAttackConfigCmdPacket> {
public:
    RequestAllyAttackConfigCmdPacket() : ConfigCmdPacket(116) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Requester ID: ", p.requester);
        v.Field("Target ID: ", p.targetId);
    }

    SmartObjectId requester;
    uint32_t targetId = 0;
};

class RequestAllyMoveConfigCmdPacket : public ConfigCmdPacket<RequestAllyMoveConfigCmdPacket> {
public:
    RequestAllyMoveConfigCmdPacket() : ConfigCmdPacket(117) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Requester ID: ", p.requester);
        v.Field("Target point: ", p.point);
    }

    SmartObjectId requester;
    WorldVec3 point;
};

class ShowCharacterConfigCmdPacket : public ActorFlagConfigCmdPacket<ShowCharacterConfigCmdPacket> {
public:
    ShowCharacterConfigCmdPacket() : ActorFlagConfigCmdPacket(118) {}
    static constexpr const char* kFlagLabel = "Visible: ";
    template <typename P> static auto& Flag(P& p) { return p.visible; }

    bool visible = false;
};

class StartStopDamageEffectConfigCmdPacket
    : public ConfigCmdPacket<StartStopDamageEffectConfigCmdPacket> {
public:
    StartStopDamageEffectConfigCmdPacket() : ConfigCmdPacket(119) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Start: ", p.start);
        v.Field("Type: ", p.type);
    }

    bool start = false;
    int32_t type = 0;
};

class ActivateSkillConfigCmdPacket : public ConfigCmdPacket<ActivateSkillConfigCmdPacket> {
public:
    ActivateSkillConfigCmdPacket() : ConfigCmdPacket(120) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.Field("Skill Index: ", p.skillIndex);
        v.Field("Target ID: ", p.target);
        v.Field("Target Point: ", p.point);
    }

    uint32_t skillIndex = 0;
    SmartObjectId target;
    WorldVec3 point;
};

class SetCausesAngerConfigCmdPacket
    : public ActorFlagConfigCmdPacket<SetCausesAngerConfigCmdPacket> {
public:
    SetCausesAngerConfigCmdPacket() : ActorFlagConfigCmdPacket(124) {}
    static constexpr const char* kFlagLabel = "CausesAnger: ";
    template <typename P> static auto& Flag(P& p) { return p.causesAnger; }

    bool causesAnger = false;
};

class SetInvincibleConfigCmdPacket : public ActorFlagConfigCmdPacket<SetInvincibleConfigCmdPacket> {
public:
    SetInvincibleConfigCmdPacket() : ActorFlagConfigCmdPacket(125) {}
    static constexpr const char* kFlagLabel = "Invincible: ";
    template <typename P> static auto& Flag(P& p) { return p.invincible; }

    bool invincible = false;
};

class SetTeamConfigCmdPacket : public ConfigCmdPacket<SetTeamConfigCmdPacket> {
public:
    SetTeamConfigCmdPacket() : ConfigCmdPacket(126) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Parent ID: ", p.actorId);
        v.RawRecord(p.team);
    }

    Team team;
};

} // namespace GAME
