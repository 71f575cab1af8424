#pragma once

#include "engine/NetPacket.h"

#include <cstdint>
#include <vector>

namespace GAME::Test {

// The fields a packet wrote, without its header.
inline std::vector<uint8_t> BodyOf(const NetPacket& packet)
{
    return {packet.GetOutBuffer() + NetPacketHeader::kSize,
            packet.GetOutBuffer() + packet.GetOutBufferSize()};
}

// A whole message's fields, after its header, read into the packet.
inline void ReadBody(NetPacket& packet, const std::vector<uint8_t>& message)
{
    packet.CopyInbound(message.data() + NetPacketHeader::kSize,
                       static_cast<int>(message.size() - NetPacketHeader::kSize));
}

} // namespace GAME::Test
