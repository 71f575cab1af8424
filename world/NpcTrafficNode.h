#pragma once

#include "world/BoundingVolume.h"

namespace GAME {

// A waypoint of the paths that townsfolk walk. Grown by the world objects subsystem; for now a
// class record that filters can test.
class NpcTrafficNode : public BoundingVolume {
    GAME_DECLARE_CLASS(NpcTrafficNode)

public:
    NpcTrafficNode() = default;
    ~NpcTrafficNode() override;
};

} // namespace GAME
