#include "engine/ConnectionManager.h"
#include "items/MarketServer.h"
#include "multiplayer/GameEngineClientServicesModule.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/support/MarketFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

using MarketFrames = MarketFixture;
using MarketServicesTest = MarketFixture;

TEST_F(MarketServicesTest, MarketsAreMadeOnlyForMerchants)
{
    NpcMerchant* merchant = NewMerchant();
    Player* hero = NewRichHero();
    GameEngineClientServicesModule& clients = *Game().GetClientServices();
    MarketClient* first = clients.GetMarketClient(merchant->GetObjectId());
    clients.CreateMarketClient(merchant->GetObjectId());
    EXPECT_EQ(clients.GetMarketClient(merchant->GetObjectId()), first);

    auto& servers = static_cast<GameEngineServerServicesModule&>(*Game().GetServerServices());
    GameEngineNetworkInterface& inbound = *Game().GetInboundNetworkInterface();
    inbound.C2S_MarketPurchaseRequest(hero->GetObjectId(), 0, 0, 0, hero->GetObjectId());
    inbound.C2S_MarketUpdateRequest(12345);
    EXPECT_EQ(servers.GetMarketServerCount(), 0u);

    inbound.C2S_MarketUpdateRequest(merchant->GetObjectId());
    ASSERT_EQ(servers.GetMarketServerCount(), 1u);
    MarketServer* market = servers.GetMarketServer(merchant->GetObjectId());
    Game().Update(1);
    EXPECT_FALSE(market->IsRefreshPending());
    Game().ForceMarketRefresh(merchant->GetObjectId() + 1);
    EXPECT_FALSE(market->IsRefreshPending());
    Game().ForceMarketRefresh(0);
    EXPECT_TRUE(market->IsRefreshPending());
}

TEST_F(MarketServicesTest, AClientServesNoMarket)
{
    NpcMerchant* merchant = NewMerchant();
    Game().SetAsNetworkClient();
    GameEngineNetworkInterface& inbound = *Game().GetInboundNetworkInterface();
    inbound.C2S_MarketPurchaseRequest(merchant->GetObjectId(), 1, 1, 0, 5);
    inbound.C2S_MarketSellBack(merchant->GetObjectId(), 1, 1, 0, 5);
    inbound.C2S_MarketUpdateRequest(merchant->GetObjectId());
    EXPECT_EQ(Game().GetServerServices()->GetMarketServer(merchant->GetObjectId()), nullptr);
    EXPECT_TRUE(gEngine->GetNetworkConnectionManager().TakeSentPackets().empty());
}

// The market requests (by market id) and the heartbeats and balance levels ('h', 'b') sent
// since the last look, in order.
std::string SentOrder(const std::vector<std::unique_ptr<NetPacket>>& sent)
{
    std::string order;
    for (const auto& packet : sent) {
        if (const auto* asked = dynamic_cast<const MarketC2SUpdateRequestPacket*>(packet.get()))
            order += std::to_string(asked->marketId) + ' ';
        else if (dynamic_cast<const SinglePlayerHeartbeatPacket*>(packet.get()) != nullptr)
            order += 'h';
        else if (dynamic_cast<const GameBalanceUpdatePacket*>(packet.get()) != nullptr)
            order += 'b';
        else if (dynamic_cast<const MarketS2CUpdatePacket*>(packet.get()) != nullptr)
            order += 'u';
    }
    return order;
}

TEST_F(MarketFrames, AClientAsksItsMarketsInIdOrderBeforeItsHeartbeat)
{
    const uint32_t first = NewMerchant()->GetObjectId();
    const uint32_t second = NewMerchant()->GetObjectId();
    NewRichHero();
    Game().SetAsNetworkClient();
    Game().CreateMarketClient(second);
    Game().CreateMarketClient(first);
    TakeSent<NetPacket>();
    Game().Update(PlayerManagerClient::kHeartbeatIntervalMs + 1);
    EXPECT_EQ(SentOrder(TakeSent<NetPacket>()),
              std::to_string(first) + ' ' + std::to_string(second) + " h");
}

TEST_F(MarketFrames, AServerSendsTheBalanceLevelBeforeItsMarketsRefresh)
{
    const uint32_t merchant = NewMerchant()->GetObjectId();
    NewRichHero();
    Game().SetAsNetworkServer();
    Game().GetInboundNetworkInterface()->C2S_MarketUpdateRequest(merchant);
    Game().ForceMarketRefresh(0);
    gEngine->GetGameInfo().SetDifficulty(1);
    TakeSent<NetPacket>();
    Game().Update(1);
    // The server's own market client then asks as every client does.
    EXPECT_EQ(SentOrder(TakeSent<NetPacket>()), "bu" + std::to_string(merchant) + ' ');
}

} // namespace
} // namespace GAME::Test
