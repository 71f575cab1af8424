#pragma once

#include "engine/NetPacket.h"
#include "engine/SmartObjectId.h"

#include <cstdint>
#include <vector>

namespace GAME {

class Entity;

// The base of packets that carry one object whole: its id, then the record the object writes of
// itself. The receiver makes the object first and then hands it the record, so the record's
// bytes are kept as they came until then.
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

    // The id, then the record of the entity it names; an id that names no entity carries none.
    uint32_t PrepareOutBuffer() override;
    // Takes the id and keeps the rest for ReadObjectRecord.
    void CopyInbound(const uint8_t* data, int length) override;
    // Hands the kept record to the entity made from it. False unless the entity took exactly
    // the bytes kept; IsInboundComplete then says the same.
    bool ReadObjectRecord(Entity& entity);
    const std::vector<uint8_t>& GetObjectRecord() const { return objectRecord; }

    SmartObjectId objectId;

private:
    uint32_t containerKind = 0;
    std::vector<uint8_t> objectRecord;
};

} // namespace GAME
