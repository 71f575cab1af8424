#pragma once

#include "engine/ObjectInteractionPacket.h"
#include "engine/SmartObjectId.h"
#include "engine/WorldVec3.h"

#include <cstdint>

namespace GAME {

class NetPacketInBuffer;
class NetPacketOutBuffer;
class World;

// The base of the packets that carry one character action. The game class writes its own
// fields, the acting character's id first, in `Serialize`; the block of the move that has to
// run before the action follows them, written whether the action has one or not, so that
// every packet of a type has one layout.
//   pre-move block: flag (bool), point (position), target id (u32), skill id (u32), value (f32)
class CharacterActionPacket : public ObjectInteractionPacket {
public:
    explicit CharacterActionPacket(uint32_t type) : ObjectInteractionPacket(type) {}
    CharacterActionPacket(const CharacterActionPacket&) = default;
    CharacterActionPacket& operator=(const CharacterActionPacket&) = default;
    ~CharacterActionPacket() override;

    uint32_t PrepareOutBuffer() final;
    void CopyInbound(const uint8_t* data, int length) final;

    // Whether every place the action moves by (where a move starts and ends) lies in a region of
    // `world`: one that does not is a field that does not read back here, refused at receipt
    // rather than failing a frame at a time once the action runs.
    virtual bool IsOfWorld(const World& world) const;

    virtual void Serialize(NetPacketOutBuffer& out) const = 0;
    virtual void Deserialize(NetPacketInBuffer& in) = 0;

    // The acting character; every game class writes it as its first field.
    SmartObjectId ownerId;

    bool hasPreMoveData = false;
    WorldVec3 preMovePoint;
    uint32_t preMoveTargetId = 0;
    uint32_t preMoveSkillId = 0;
    float preMoveValue = 0.0f;
};

} // namespace GAME
