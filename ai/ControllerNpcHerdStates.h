#pragma once

#include "ai/ControllerAIStateT.h"
#include "ai/ControllerNpcHerdAnimal.h"
#include "ai/ControllerNpcHerder.h"
#include "characters/Character.h"

#include <cstdint>

namespace GAME {

// The herder re-decides whenever an animation or walk cycle ends: catch up with the last
// animal, or stand.
class ControllerNpcStateDirectHerd : public ControllerAIStateT<ControllerNpcHerder, Character> {
public:
    using ControllerAIStateT<ControllerNpcHerder, Character>::ControllerAIStateT;

    void OnBegin() override { _CheckHerdPositioning(); }
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}
    void HandleEvent(const Name& event) override;

private:
    void _CheckHerdPositioning();
};

// The animals stand where they were placed.
class ControllerNpcAnimalStateFollowHerd
    : public ControllerAIStateT<ControllerNpcHerdAnimal, Character> {
public:
    using ControllerAIStateT<ControllerNpcHerdAnimal, Character>::ControllerAIStateT;

    void OnBegin() override {}
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}
};

// A fidget in front of the standing: over when its animation ends.
class ControllerNpcAnimalStateWiggle
    : public ControllerAIStateT<ControllerNpcHerdAnimal, Character> {
public:
    using ControllerAIStateT<ControllerNpcHerdAnimal, Character>::ControllerAIStateT;

    void OnBegin() override { Idle(); }
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}
    void HandleEvent(const Name& event) override;
};

} // namespace GAME
