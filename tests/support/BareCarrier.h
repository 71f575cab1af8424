#pragma once

#include "engine/NetPacket.h"

#include <cstdint>
#include <string>

namespace GAME::Test {

// A packet with no fields of its own: its buffers carry whatever a record writes into them.
class BareCarrier : public NetPacket {
public:
    BareCarrier() : NetPacket(1) {}
    uint32_t PrepareOutBuffer() override { return 0; }
    void CopyInbound(const uint8_t*, int) override {}
    std::string GetPacketDescription(bool) const override { return std::string(); }
};

} // namespace GAME::Test
