#include "engine/GraphicsMeshInstance.h"

#include "engine/GraphicsAnim.h"

#include <cmath>
#include <vector>

namespace GAME {

void GraphicsMeshInstance::PlayAnimation(GraphicsAnim* animation, bool loop, float speed,
                                         int32_t start)
{
    playing = animation;
    looping = loop;
    playSpeed = speed;
    timeMs = start;
}

OBBox GraphicsMeshInstance::GetHitBox(int32_t index) const
{
    if (index < 0 || index >= GetNumHitBoxes())
        return OBBox();
    return hitBoxes[static_cast<size_t>(index)];
}

ABBox GraphicsMeshInstance::GetRegionSpaceBoundingBox() const
{
    const OBBox placed(boundingBox.GetExtents(),
                       objectToRegion * Coords::FromTranslation(boundingBox.GetCenter()));
    return placed.GetAxisAlignedBox();
}

void GraphicsMeshInstance::Update(int32_t elapsedMs)
{
    if (playing == nullptr || elapsedMs <= 0)
        return;
    const double duration = playing->GetDurationMs();
    // A speed of 0 (a record without "speed") still plays at the animation's own pace: a mesh
    // effect that never reached its end would never go.
    const double speed = std::isfinite(playSpeed) && playSpeed > 0.0f ? playSpeed : 1.0;
    const double before = timeMs;
    timeMs += elapsedMs * speed;
    if (looping && duration > 0.0 && timeMs >= duration)
        timeMs = std::fmod(timeMs, duration);
    std::vector<Name> raised;
    for (const GraphicsAnim::Event& event : playing->GetEvents()) {
        if (event.timeMs >= before && event.timeMs < timeMs)
            raised.push_back(event.name);
    }
    const bool ended = !looping && timeMs >= duration;
    if (ended)
        playing = nullptr;
    if (!bound)
        return;
    Callback callback = bound;
    for (const Name& name : raised)
        callback(0, name);
    if (ended)
        callback(0, Name::Create("End"));
}

} // namespace GAME
