#include "engine/Engine.h"
#include "multiplayer/GameEngineOutboundInterface.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/PlayerManagerServer.h"

#include "tests/support/GameEngineFixture.h"
#include "tests/support/PlayerListRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME {
namespace {

PlayerNetBasicInfo Player(uint32_t id)
{
    return GAME::Test::ListedPlayer(id, L"");
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

    GameEngineOutboundInterface wire;
    GameEngineNetworkInterface* slot = &wire;
    GameEngineServerServicesModule module;
};

TEST_F(ServerServices, SendsTheBalanceLevelOnceThroughTheInterfaceCurrentAtTheTime)
{
    module.Update(16);
    EXPECT_TRUE(TakeSent<GameBalanceUpdatePacket>().empty()) << "no players at normal difficulty";

    gEngine->GetGameInfo().SetDifficulty(1);
    module.GetPlayerManager()->HandleNewPlayer(Player(0x10000001));
    module.GetPlayerManager()->HandleNewPlayer(Player(0x20000001));
    module.Update(16);
    module.Update(16);
    const auto sent = TakeSent<GameBalanceUpdatePacket>();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0]->level, 8);

    // A change of role reaches the module through the slot, without telling it: here the level
    // is carried out at home and nothing goes on the wire.
    slot = Game().GetInboundNetworkInterface();
    module.GetPlayerManager()->HandleNewPlayer(Player(0x30000001));
    module.Update(16);
    module.Update(16);
    EXPECT_TRUE(TakeSent<GameBalanceUpdatePacket>().empty());
    EXPECT_EQ(Game().GetBalanceDifficulty(), 9);
    EXPECT_EQ(module.GetBalanceLevel(), 9);
}

TEST_F(ServerServices, PlayerListFollowsThreeHeartbeatsAndAFullUpdateAfterTheFirstFour)
{
    module.GetPlayerManager()->HandleNewPlayer(Player(0x10000001));
    TakeSent<NetPacket>();
    PlayerManagerServer& players = *module.GetPlayerManager();
    players.Update(PlayerManagerServer::kUpdateIntervalMs); // not yet: the wait must be exceeded
    players.Update(1);
    for (int frame = 0; frame < 8; ++frame)
        players.Update(1200);
    std::string order;
    for (const auto& packet : TakeSent<NetPacket>()) {
        if (const auto* beat = dynamic_cast<const AllPlayersHeartbeatPacket*>(packet.get()))
            order += beat->players.size() == 1 ? 'h' : '?';
        else if (const auto* all = dynamic_cast<const AllPlayersBasicInfoPacket*>(packet.get()))
            order += all->players.size() == 1 ? 'U' : '?';
        else
            order += 'x';
    }
    EXPECT_EQ(order, "hhhhUhhhU");
}

} // namespace
} // namespace GAME
