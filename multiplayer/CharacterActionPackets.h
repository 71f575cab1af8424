#pragma once

#include "engine/CharacterActionPacket.h"
#include "engine/Name.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "multiplayer/PacketFields.h"

#include <cstdint>
#include <vector>

namespace GAME {

enum AnimationSet_Type : int32_t;

// The packets that carry a character's actions to the other machines, one per action class.
// Each lists its own fields once, in wire order, in `VisitFields`, the acting character's id
// first; the pre-move block that follows them is the base's.

// The field visitors of the plain packets, plus the one field kind only actions carry: a
// `Name`, which travels as its raw words and is left out of the description.
class ActionFieldWriter : public PacketFieldWriter {
public:
    explicit ActionFieldWriter(NetPacketOutBuffer& out) : PacketFieldWriter(out), out(out) {}
    void RawName(const Name& name) { out.AddRaw(name); }

private:
    NetPacketOutBuffer& out;
};

class ActionFieldReader : public PacketFieldReader {
public:
    explicit ActionFieldReader(NetPacketInBuffer& in) : PacketFieldReader(in), in(in) {}
    void RawName(Name& name) { in.RemoveRaw(name); }

private:
    NetPacketInBuffer& in;
};

class ActionFieldDescriber : public PacketFieldDescriber {
public:
    using PacketFieldDescriber::PacketFieldDescriber;
    void RawName(const Name& /*name*/) {}
};

template <typename Derived> class ActionPacket : public CharacterActionPacket {
public:
    explicit ActionPacket(uint32_t type) : CharacterActionPacket(type) {}

    void Serialize(NetPacketOutBuffer& out) const override
    {
        ActionFieldWriter writer(out);
        Derived::VisitFields(writer, static_cast<const Derived&>(*this));
    }

    void Deserialize(NetPacketInBuffer& in) override
    {
        ActionFieldReader reader(in);
        Derived::VisitFields(reader, static_cast<Derived&>(*this));
    }

    std::string GetPacketDescription(bool withType) const override
    {
        NetPacketDescriber describer(*this, withType);
        ActionFieldDescriber fields(describer);
        Derived::VisitFields(fields, static_cast<const Derived&>(*this));
        return describer.GetDescription();
    }
};

// The four packets of an action that carries nothing but its character.
template <typename Derived> class OwnerOnlyActionPacket : public ActionPacket<Derived> {
public:
    explicit OwnerOnlyActionPacket(uint32_t type) : ActionPacket<Derived>(type) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field(Derived::kOwnerLabel, p.ownerId);
    }
};

class IdleActionPacket : public ActionPacket<IdleActionPacket> {
public:
    IdleActionPacket() : ActionPacket(63) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Entity ID: ", p.ownerId);
        v.Hidden(p.location);
    }

    WorldVec3 location;
};

class LongIdleActionPacket : public ActionPacket<LongIdleActionPacket> {
public:
    LongIdleActionPacket() : ActionPacket(64) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Entity ID: ", p.ownerId);
        v.Hidden(p.location);
    }

    WorldVec3 location;
};

class MoveToPacket : public ActionPacket<MoveToPacket> {
public:
    MoveToPacket() : ActionPacket(65) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Entity ID: ", p.ownerId);
        v.Field("Target ID: ", p.targetId);
        v.Field("Start Location: ", p.startLocation);
        v.Field("World Location: ", p.worldLocation);
        v.Field("Skill Number: ", p.skillNumber);
        v.Field("Speed: ", p.speed);
    }

    bool IsOfWorld(const World& world) const override;

    uint32_t targetId = 0;
    WorldVec3 startLocation;
    WorldVec3 worldLocation;
    uint32_t skillNumber = 0;
    // The action's value; the name is the one the wire has always used.
    float speed = 0.0f;
};

class WalkPacket : public ActionPacket<WalkPacket> {
public:
    WalkPacket() : ActionPacket(66) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Entity ID: ", p.ownerId);
        v.Field("Target ID: ", p.targetId);
        v.Field("Start Location: ", p.startLocation);
        v.Field("World Location: ", p.worldLocation);
    }

    bool IsOfWorld(const World& world) const override;

    uint32_t targetId = 0;
    WorldVec3 startLocation;
    WorldVec3 worldLocation;
};

class PickUpItemPacket : public ActionPacket<PickUpItemPacket> {
public:
    PickUpItemPacket() : ActionPacket(67) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Entity ID: ", p.ownerId);
        v.Field("Item ID: ", p.itemId);
        v.Hidden(p.location);
    }

    uint32_t itemId = 0;
    WorldVec3 location;
};

class UseItemPacket : public ActionPacket<UseItemPacket> {
public:
    UseItemPacket() : ActionPacket(68) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Entity ID: ", p.ownerId);
        v.Field("Item ID: ", p.itemId);
        v.Hidden(p.location);
    }

    uint32_t itemId = 0;
    WorldVec3 location;
};

class AttackPacket : public ActionPacket<AttackPacket> {
public:
    AttackPacket() : ActionPacket(69) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Attacker ID: ", p.ownerId);
        v.Field("Defender ID: ", p.defenderId);
        v.Field("Location: ", p.location);
        v.Field("Skill Number: ", p.skillNumber);
        v.Field("Seed: ", p.seed);
        v.Hidden(p.targetLocation);
    }

    uint32_t defenderId = 0;
    // Where the attacker stands; the point attacked is the target location.
    WorldVec3 location;
    uint32_t skillNumber = 0;
    // The action's last value.
    uint32_t seed = 0;
    WorldVec3 targetLocation;
};

class TakeStunPacket : public OwnerOnlyActionPacket<TakeStunPacket> {
public:
    static constexpr const char* kOwnerLabel = "Parent ID: ";
    TakeStunPacket() : OwnerOnlyActionPacket(70) {}
};

class ImmobilizePacket : public OwnerOnlyActionPacket<ImmobilizePacket> {
public:
    static constexpr const char* kOwnerLabel = "Parent ID: ";
    ImmobilizePacket() : OwnerOnlyActionPacket(71) {}
};

class TakeTrapPacket : public OwnerOnlyActionPacket<TakeTrapPacket> {
public:
    static constexpr const char* kOwnerLabel = "Parent ID: ";
    TakeTrapPacket() : OwnerOnlyActionPacket(72) {}
};

class DiePacket : public ActionPacket<DiePacket> {
public:
    DiePacket() : ActionPacket(73) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Entity ID: ", p.ownerId);
        v.Records(p.deathHandlerIds, kPacketWordBytes,
                  [](auto& each, auto& id) { each.Field("Death Handler Id: ", id); });
    }

    std::vector<uint32_t> deathHandlerIds;
};

class ChatActionPacket : public ActionPacket<ChatActionPacket> {
public:
    ChatActionPacket() : ActionPacket(74) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Entity ID: ", p.ownerId);
        v.Field("Target ID: ", p.targetId);
    }

    uint32_t targetId = 0;
};

class PlayAnimationActionPacket : public ActionPacket<PlayAnimationActionPacket> {
public:
    PlayAnimationActionPacket() : ActionPacket(75) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Entity ID: ", p.ownerId);
        v.Field("Animation Type: ", p.animationType);
        v.RawName(p.animationName);
        v.Field("Speed Modifier: ", p.speedModifier);
        v.Field("Loop: ", p.loop);
        v.Field("Iteration: ", p.iteration);
    }

    AnimationSet_Type animationType = static_cast<AnimationSet_Type>(0);
    // The action does not send its name, so this one travels as it was made.
    Name animationName = Name::noName;
    float speedModifier = 0.0f;
    bool loop = false;
    // The action's last value.
    uint32_t iteration = 0;
};

class EngageNpcPacket : public ActionPacket<EngageNpcPacket> {
public:
    EngageNpcPacket() : ActionPacket(76) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Entity ID: ", p.ownerId);
        v.Field("Target ID: ", p.targetId);
    }

    uint32_t targetId = 0;
};

class SpawnActionPacket : public OwnerOnlyActionPacket<SpawnActionPacket> {
public:
    static constexpr const char* kOwnerLabel = "Entity ID: ";
    SpawnActionPacket() : OwnerOnlyActionPacket(77) {}
};

class RespawnPacket : public ActionPacket<RespawnPacket> {
public:
    RespawnPacket() : ActionPacket(78) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Entity ID: ", p.ownerId);
        v.Field("RespawnCoords: ", p.respawnCoords);
    }

    WorldCoords respawnCoords;
};

} // namespace GAME
