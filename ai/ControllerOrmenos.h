#pragma once

#include "ai/ControllerMonster.h"

namespace GAME {

// The controller of the sickle boss. So far only its class record; its attack comes later.
class ControllerOrmenos : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerOrmenos)

public:
    ControllerOrmenos() = default;
    ~ControllerOrmenos() override;
};

} // namespace GAME
