#pragma once

#include "ai/ControllerMonster.h"

namespace GAME {

// The chained giant's scene: it stands invulnerable in its chains until a quest has it play its
// breaking animation, then waits for the quest to send it to the portal, and reports back when
// the animation and the walk end. It thinks with these five states only.
class ControllerTyphonChained : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerTyphonChained)

public:
    ControllerTyphonChained() = default;
    ~ControllerTyphonChained() override;

    // The scene starts at once: none of the monster's own start-up.
    void InitialUpdate() override;

protected:
    void RegisterStates() override;
};

} // namespace GAME
