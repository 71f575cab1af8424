#pragma once

#include "ai/ControllerPlayerState.h"

#include <cstdint>

namespace GAME {

// Walking to the object of the state data; the walk ends when the object is no longer of the
// kind the state works on, and arriving hands over to the state that acts on it.
class ControllerPlayerStateMoveToActorBase : public ControllerPlayerState {
public:
    explicit ControllerPlayerStateMoveToActorBase(ControllerPlayer* controller)
        : ControllerPlayerState(controller)
    {}
    ~ControllerPlayerStateMoveToActorBase() override = default;

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void EndOfPathReached() override;

protected:
    virtual bool IsTargetValid(uint32_t id) const = 0;
    // The state entered on arrival, given the object of the walk.
    virtual void Arrived(uint32_t id) = 0;
};

} // namespace GAME
