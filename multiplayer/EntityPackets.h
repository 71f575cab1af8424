#pragma once

#include "engine/WorldCoords.h"
#include "multiplayer/PacketFields.h"

#include <cstdint>
#include <string>

namespace GAME {

// Objects that one machine creates or destroys on every machine: items, entities and the
// players' teleport portals.

class CreateItemPacket : public FieldPacket<CreateItemPacket> {
public:
    CreateItemPacket() : FieldPacket(32) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Character ID: ", p.characterId);
        v.Field("Coords: ", p.coords);
        v.Field("Item ID: ", p.itemId);
        v.FileName("Item Name: ", p.baseRecord);
        v.FileName("Prefix: ", p.prefixRecord);
        v.FileName("PostFix: ", p.suffixRecord);
        v.FileName("Relic: ", p.relicRecord);
        v.FileName("Relic Bonus: ", p.relicBonusRecord);
        v.Field("Seed: ", p.seed);
        v.Field("Var1: ", p.variation);
    }

    uint32_t characterId = 0;
    WorldCoords coords;
    // The item record, field by field; a record the item lacks travels as an empty name.
    uint32_t itemId = 0;
    std::string baseRecord;
    std::string prefixRecord;
    std::string suffixRecord;
    std::string relicRecord;
    std::string relicBonusRecord;
    uint32_t seed = 0;
    uint32_t variation = 0;
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
