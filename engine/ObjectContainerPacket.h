#pragma once

#include "engine/NetPacket.h"
#include "engine/SmartObjectId.h"
#include "engine/WorldCoords.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Entity;

// The base of packets that carry one object whole: the record it was made from, its id and where
// it stands, then the record the object writes of itself. The receiver makes the object first and
// then hands it the record, so the record's bytes are kept as they came until then.
class ObjectContainerPacket : public NetPacket {
public:
    ObjectContainerPacket(uint32_t type, uint32_t containerKind)
        : NetPacket(type), containerKind(containerKind)
    {}
    ObjectContainerPacket(const ObjectContainerPacket&) = default;
    ObjectContainerPacket& operator=(const ObjectContainerPacket&) = default;
    ~ObjectContainerPacket() override;

    // What kind of object the container holds; the derived packet chooses it.
    uint32_t GetContainerKind() const { return containerKind; }

    // The record name, id and coords of the entity the id names, then its replication record;
    // an id that names no entity carries an empty name, default coords and no record.
    uint32_t PrepareOutBuffer() override;
    // Takes name, id and coords and keeps the rest for ReadObjectRecord.
    void CopyInbound(const uint8_t* data, int length) override;
    // Hands the kept record to the entity made from it. False unless the entity took exactly
    // the bytes kept; IsInboundComplete then says the same.
    bool ReadObjectRecord(Entity& entity);
    const std::vector<uint8_t>& GetObjectRecord() const { return objectRecord; }

    std::string recordName;
    SmartObjectId objectId;
    WorldCoords coords;

private:
    uint32_t containerKind = 0;
    std::vector<uint8_t> objectRecord;
};

} // namespace GAME
