#include "items/MarketServer.h"
#include "multiplayer/GameEngineClientServicesModule.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "tests/support/MarketFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

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

} // namespace
} // namespace GAME::Test
