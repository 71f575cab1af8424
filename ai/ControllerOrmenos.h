#pragma once

#include "ai/ControllerMonster.h"

namespace GAME {

// The controller of the sickle boss: a monster whose attack waits for its telekinesis to finish.
class ControllerOrmenos : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerOrmenos)

public:
    ControllerOrmenos() = default;
    ~ControllerOrmenos() override;

protected:
    void RegisterStates() override;
};

} // namespace GAME
