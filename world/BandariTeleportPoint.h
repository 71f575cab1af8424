#pragma once

#include "engine/Actor.h"

namespace GAME {

// Where a Bandari may reappear when it jumps away. Only the editor shows it.
class BandariTeleportPoint : public Actor {
    GAME_DECLARE_CLASS(BandariTeleportPoint)

public:
    BandariTeleportPoint();
    ~BandariTeleportPoint() override;

    void InitialUpdate() override;

    static constexpr int32_t kEditorFilterType = 7;
};

} // namespace GAME
