#pragma once

#include "engine/WorldCoords.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/PacketFields.h"

#include <cstdint>
#include <string>

namespace GAME {

// Objects that one machine creates or destroys on every machine: items, entities and the
// players' teleport portals.

// The item's record travels inline, base name included: the receiver has no item yet to take
// the base from.
class CreateItemPacket : public FieldPacket<CreateItemPacket> {
public:
    CreateItemPacket() : FieldPacket(32) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Character ID: ", p.characterId);
        v.Field("Coords: ", p.coords);
        v.Field("Item ID: ", p.item.id);
        v.FileName("Item Name: ", p.item.baseName);
        v.FileName("Prefix: ", p.item.prefixName);
        v.FileName("PostFix: ", p.item.suffixName);
        v.FileName("Relic: ", p.item.relicName);
        v.FileName("Relic Bonus: ", p.item.relicBonus);
        v.Field("Seed: ", p.item.seed);
        v.Field("Var1: ", p.item.var1);
    }

    uint32_t characterId = 0;
    WorldCoords coords;
    // A record the item lacks travels as an empty name.
    ItemReplicaInfo item;
};

class CreateEntityPacket : public FieldPacket<CreateEntityPacket> {
public:
    CreateEntityPacket() : FieldPacket(33) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Coords: ", p.coords);
        v.FileName("Name: ", p.recordName);
        v.Field("ObjectId: ", p.objectId);
    }

    uint32_t objectId = 0;
    WorldCoords coords;
    std::string recordName;
};

class CreateItemTeleportPacket : public FieldPacket<CreateItemTeleportPacket> {
public:
    CreateItemTeleportPacket() : FieldPacket(44) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Coords: ", p.coords);
        v.Field("Owner: ", p.ownerId);
        v.Field("ObjectId: ", p.objectId);
        v.Raw("SectorTag: ", p.sectorTag);
    }

    uint32_t objectId = 0;
    WorldCoords coords;
    uint32_t ownerId = 0;
    std::string sectorTag;
};

class DestroyItemTeleportPacket : public FieldPacket<DestroyItemTeleportPacket> {
public:
    DestroyItemTeleportPacket() : FieldPacket(45) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("ObjectId: ", p.objectId);
    }

    uint32_t objectId = 0;
};

// A character placed somewhere at once (a teleport), from the machine that moved it.
class UpdatePositionPacket : public FieldPacket<UpdatePositionPacket> {
public:
    UpdatePositionPacket() : FieldPacket(106) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Originator ID: ", p.originatorId);
        v.Field("Entity ID: ", p.entityId);
        v.Hidden(p.coords);
    }

    int32_t originatorId = 0;
    uint32_t entityId = 0;
    WorldCoords coords;
};

} // namespace GAME
