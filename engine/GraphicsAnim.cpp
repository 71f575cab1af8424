#include "engine/GraphicsAnim.h"

#include "engine/SkeletalPose.h"

namespace GAME {

GraphicsAnim::GraphicsAnim(const std::string& name, int32_t length, int32_t frameRate, float speed)
    : name(name), length(length), frameRate(frameRate), speed(speed)
{}

bool GraphicsAnim::GetFramePose(int32_t frame, SkeletalPose& pose) const
{
    if (frame < 0 || frame >= length)
        return false;
    pose.animation = this;
    pose.frame = frame;
    return true;
}

} // namespace GAME
