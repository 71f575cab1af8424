#pragma once

#include "ai/ControllerAI.h"

namespace GAME {

// Drives an animal of a herd after the first: it stands where it was placed.
class ControllerNpcHerdAnimal : public ControllerAI {
    GAME_DECLARE_CLASS(ControllerNpcHerdAnimal)

public:
    ControllerNpcHerdAnimal() = default;
    ~ControllerNpcHerdAnimal() override = default;

protected:
    void RegisterStates() override;
    void RegisterTemporaryStates() override;
    void InitializeStates() override;
};

} // namespace GAME
