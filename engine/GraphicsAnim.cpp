#include "engine/GraphicsAnim.h"

#include "engine/SkeletalPose.h"

#include <algorithm>
#include <cmath>

namespace GAME {

GraphicsAnim::GraphicsAnim(const std::string& name, int32_t length, int32_t frameRate, float speed)
    : name(name), length(length), frameRate(frameRate), speed(speed)
{}

double GraphicsAnim::GetDurationMs() const
{
    if (length <= 0 || frameRate <= 0)
        return 0.0;
    return double(length) * 1000.0 / double(frameRate);
}

bool GraphicsAnim::AddEvent(float timeMs, const Name& name, int32_t kind)
{
    if (std::isnan(timeMs))
        return false;
    const auto after =
        std::upper_bound(events.begin(), events.end(), timeMs,
                         [](float time, const Event& event) { return time < event.timeMs; });
    events.insert(after, Event{timeMs, name, kind});
    return true;
}

bool GraphicsAnim::GetFramePose(int32_t frame, SkeletalPose& pose) const
{
    if (frame < 0 || frame >= length)
        return false;
    pose.animation = this;
    pose.frame = frame;
    return true;
}

} // namespace GAME
