#pragma once

#include <cstdint>

namespace GAME {

class GraphicsAnim;

// A skeleton's pose. No bones are kept here: the pose remembers which animation and frame it
// was taken from, which is all a caller can observe without a renderer.
struct SkeletalPose {
    const GraphicsAnim* animation = nullptr;
    int32_t frame = -1;
};

} // namespace GAME
