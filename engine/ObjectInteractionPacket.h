#pragma once

#include "engine/NetPacket.h"

#include <cstdint>

namespace GAME {

// The base of packets that name objects of the game: config commands and character actions.
// Ids travel as plain words here, so nothing has to be resolved before such a packet is used
// and the plain packet's answers to CheckObjects and FinishObjectProcessing hold.
class ObjectInteractionPacket : public NetPacket {
public:
    explicit ObjectInteractionPacket(uint32_t type) : NetPacket(type) {}
    ObjectInteractionPacket(const ObjectInteractionPacket&) = default;
    ObjectInteractionPacket& operator=(const ObjectInteractionPacket&) = default;
    ~ObjectInteractionPacket() override;
};

} // namespace GAME
