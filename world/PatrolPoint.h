#pragma once

#include "engine/Actor.h"

namespace GAME {

// One stop of a monster's patrol route; seen only in the editor.
class PatrolPoint : public Actor {
    GAME_DECLARE_CLASS(PatrolPoint)

public:
    PatrolPoint();
    ~PatrolPoint() override;

    void InitialUpdate() override;
};

} // namespace GAME
