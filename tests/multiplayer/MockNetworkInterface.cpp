#include "tests/multiplayer/MockNetworkInterface.h"

namespace GAME::Test {

MockNetworkInterface::MockNetworkInterface() = default;
MockNetworkInterface::~MockNetworkInterface() = default;

std::unique_ptr<MockNetworkInterface> MakeStrictMockNetworkInterface()
{
    return std::make_unique<::testing::StrictMock<MockNetworkInterface>>();
}

} // namespace GAME::Test
