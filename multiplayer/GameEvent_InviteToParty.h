#pragma once

#include "engine/GameEvent.h"

#include <cstdint>

namespace GAME {

// "GameEvent_InviteToParty": someone asked the local player to join his party.
class GameEvent_InviteToParty : public GameEvent {
public:
    uint32_t inviterId = 0;
};

} // namespace GAME
