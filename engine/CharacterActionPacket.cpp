#include "engine/CharacterActionPacket.h"

#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"

namespace GAME {

CharacterActionPacket::~CharacterActionPacket() = default;

bool CharacterActionPacket::IsOfWorld(const World& /*world*/) const
{
    return true;
}

uint32_t CharacterActionPacket::PrepareOutBuffer()
{
    NetPacketOutBuffer out(*this);
    Serialize(out);
    out.Add(hasPreMoveData);
    out.Add(preMovePoint);
    out.AddUInt(preMoveTargetId);
    out.AddUInt(preMoveSkillId);
    out.AddUInt(preMoveValue);
    return out.Done();
}

void CharacterActionPacket::CopyInbound(const uint8_t* data, int length)
{
    NetPacketInBuffer in(*this, data, length);
    Deserialize(in);
    in.Remove(hasPreMoveData);
    in.Remove(preMovePoint);
    in.RemoveUInt(preMoveTargetId);
    in.RemoveUInt(preMoveSkillId);
    in.RemoveUInt(preMoveValue);
}

} // namespace GAME
