#pragma once

#include "ai/ControllerAIStateT.h"

namespace GAME {

class Character;
class ControllerAI;

// Current from construction until the first SetState. It only begins when a temporary state
// ends before any state was set, and then a living character dies.
class ControllerAIStatePreStart : public ControllerAIStateT<ControllerAI, Character> {
public:
    explicit ControllerAIStatePreStart(ControllerAI* controller);

    void OnBegin() override;
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}
};

} // namespace GAME
