#include "engine/Engine.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "multiplayer/PlayerManagerServer.h"

#include "tests/multiplayer/MockNetworkInterface.h"
#include "tests/support/GameEngineFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace GAME {
namespace {

using ::testing::_;
using ::testing::InSequence;
using ::testing::NiceMock;
using ::testing::SizeIs;
using ::testing::StrictMock;

PlayerNetBasicInfo Player(uint32_t id)
{
    PlayerNetBasicInfo player;
    player.playerId = id;
    return player;
}

// A server's player list greets newcomers through the hub, so the module runs beside one.
class ServerServices : public GAME::Test::GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        module.SetNetworkInterfaceSlot(&slot);
    }

    NiceMock<GAME::Test::MockNetworkInterface> first;
    NiceMock<GAME::Test::MockNetworkInterface> second;
    GameEngineNetworkInterface* slot = &first;
    GameEngineServerServicesModule module;
};

TEST_F(ServerServices, SendsTheBalanceLevelOnceThroughTheInterfaceCurrentAtTheTime)
{
    EXPECT_CALL(first, GameBalanceUpdate(_)).Times(0); // no players at normal difficulty
    module.Update(16);
    ::testing::Mock::VerifyAndClearExpectations(&first);

    gEngine->GetGameInfo().SetDifficulty(1);
    module.GetPlayerManager()->HandleNewPlayer(Player(0x10000001));
    module.GetPlayerManager()->HandleNewPlayer(Player(0x20000001));

    EXPECT_CALL(first, GameBalanceUpdate(8)).Times(1);
    EXPECT_CALL(second, GameBalanceUpdate(_)).Times(0);
    module.Update(16);
    module.Update(16);

    // A change of role reaches the module through the slot, without telling it.
    slot = &second;
    module.GetPlayerManager()->HandleNewPlayer(Player(0x30000001));
    EXPECT_CALL(second, GameBalanceUpdate(9)).Times(1);
    module.Update(16);
    module.Update(16);
    EXPECT_EQ(module.GetBalanceLevel(), 9);
}

TEST_F(ServerServices, PlayerListFollowsThreeHeartbeatsAndAFullUpdateAfterTheFirstFour)
{
    module.GetPlayerManager()->HandleNewPlayer(Player(0x10000001));
    StrictMock<GAME::Test::MockNetworkInterface> strict;
    slot = &strict;
    {
        InSequence order;
        EXPECT_CALL(strict, StoC_AllPlayersHeartbeat(SizeIs(1))).Times(4);
        EXPECT_CALL(strict, StoC_AllPlayersUpdate(SizeIs(1)));
        EXPECT_CALL(strict, StoC_AllPlayersHeartbeat(SizeIs(1))).Times(3);
        EXPECT_CALL(strict, StoC_AllPlayersUpdate(SizeIs(1)));
    }
    PlayerManagerServer& players = *module.GetPlayerManager();
    players.Update(PlayerManagerServer::kUpdateIntervalMs); // not yet: the wait must be exceeded
    players.Update(1);
    for (int frame = 0; frame < 8; ++frame)
        players.Update(1200);
}

} // namespace
} // namespace GAME
