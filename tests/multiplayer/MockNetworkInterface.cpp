#include "tests/multiplayer/MockNetworkInterface.h"

namespace GAME::Test {

MockNetworkInterface::MockNetworkInterface() = default;
MockNetworkInterface::~MockNetworkInterface() = default;

} // namespace GAME::Test
