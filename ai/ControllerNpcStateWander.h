#pragma once

#include "ai/ControllerNpcState.h"

#include <cstdint>

namespace GAME {

// Strolls from wander point to wander point, looking out now and then for an attractor near
// home to walk up to and watch.
class ControllerNpcStateWander : public ControllerNpcStateBase {
public:
    static constexpr int32_t kFirstAttractionCheck = 10000; // ms
    static constexpr float kAttractionRadius = 5.0f;

    using ControllerNpcStateBase::ControllerNpcStateBase;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EndOfPathReached() override;
    void LostSlot() override { SwitchTo("Idle"); }

    // Walks to a spot round the first wander point from the current one on that still exists;
    // the current index stays where it was.
    bool MoveToCurrentWanderPoint();
    void MoveToNextWanderPoint();
    // The first attractor round the spawn point; 0 for none or while it may not be attracted.
    uint32_t FindAttraction();
    uint32_t GetAttraction() const { return attraction; }

private:
    void WalkUpTo(uint32_t attractorId);

    int32_t attractionCheckTime = 0; // ms
    uint32_t attraction = 0;
};

} // namespace GAME
