#pragma once

#include "engine/Vec3.h"

namespace GAME {

// How a mover asks for its paths. The finder here answers every request with the shortest way,
// so it only keeps these for whoever wants to see what was asked.
struct PathGenerationParams {
    float values[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    Vec3 vector;
};

} // namespace GAME
