#pragma once

#include "host/scenarios/TwoMachines.h"

namespace GAME::Test {

// The host's two machines in one process serve the tests as they are.
using GAME::TwoMachines;

} // namespace GAME::Test
