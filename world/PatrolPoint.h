#pragma once

#include "engine/Actor.h"

namespace GAME {

// One stop of a monster's patrol route. So far its class record, which the editor's patrol
// groups accept.
class PatrolPoint : public Actor {
    GAME_DECLARE_CLASS(PatrolPoint)

public:
    PatrolPoint() = default;
    ~PatrolPoint() override;
};

} // namespace GAME
