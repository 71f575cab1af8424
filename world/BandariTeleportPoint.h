#pragma once

#include "engine/Actor.h"

namespace GAME {

// Where a Bandari may reappear when it teleports away from its attacker. So far its class
// record, which the editor's Bandari teleport groups accept.
class BandariTeleportPoint : public Actor {
    GAME_DECLARE_CLASS(BandariTeleportPoint)

public:
    BandariTeleportPoint() = default;
    ~BandariTeleportPoint() override;
};

} // namespace GAME
