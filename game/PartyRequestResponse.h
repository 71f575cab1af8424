#pragma once

#include <cstdint>

namespace GAME {

// A player's answer to the local player's party invitation.
struct PartyRequestResponse {
    uint32_t playerId = 0;
    bool accepted = false;
};

} // namespace GAME
