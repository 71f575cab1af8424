#pragma once

#include "ai/ControllerMonsterHidden.h"
#include "ai/ControllerMonsterState.h"

#include <cstdint>

namespace GAME {

// The hidden monster's start: it lies in wait until a foe comes close, plays its spawn, then
// taunts itself at that foe and pursues it.
class ControllerMonsterStateHidden : public ControllerMonsterStateBase {
public:
    explicit ControllerMonsterStateHidden(ControllerMonsterHidden* controller)
        : ControllerMonsterStateBase(controller), hidden(controller)
    {}

    void OnBegin() override;
    void OnUpdate(int32_t elapsedMs) override;
    void HandleEvent(const Name& event) override;
    uint32_t GetTarget() const { return target; }

private:
    // The closest foe round the spawn point within the view distance; 0 for none.
    uint32_t FindClosestFoe();

    ControllerMonsterHidden* hidden;
    uint32_t target = 0;
};

} // namespace GAME
