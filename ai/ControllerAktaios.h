#pragma once

#include "ai/ControllerMonster.h"

namespace GAME {

class LoadTable;

// The boss of that name thinks as a monster with the settings it was built with: its record
// is not read.
class ControllerAktaios : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerAktaios)

public:
    ControllerAktaios() = default;
    ~ControllerAktaios() override = default;

    void Load(const LoadTable& /*table*/) override {}
};

} // namespace GAME
