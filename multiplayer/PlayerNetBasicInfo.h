#pragma once

#include "multiplayer/PlayerNetHeartbeatInfo.h"

#include <string>

namespace GAME {

// A player as the player lists show him: the heartbeat part, his name and gender.
struct PlayerNetBasicInfo : PlayerNetHeartbeatInfo {
    PlayerNetBasicInfo() = default;
    PlayerNetBasicInfo(const PlayerNetBasicInfo&) = default;
    PlayerNetBasicInfo& operator=(const PlayerNetBasicInfo&) = default;
    virtual ~PlayerNetBasicInfo() = default;

    // A heartbeat refreshes the player's state; name and gender stay.
    PlayerNetBasicInfo& operator=(const PlayerNetHeartbeatInfo& heartbeat)
    {
        PlayerNetHeartbeatInfo::operator=(heartbeat);
        return *this;
    }

    std::wstring name;
    bool isMale = false;
};

} // namespace GAME
