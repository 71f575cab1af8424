#include "engine/NetPacket.h"

namespace GAME {

NetPacket::NetPacket(uint32_t type)
{
    header.type = type;
}

NetPacket::~NetPacket() = default;

} // namespace GAME
