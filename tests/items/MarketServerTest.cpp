#include "items/MarketServer.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "multiplayer/MarketPackets.h"
#include "tests/support/MarketFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

using ::testing::ElementsAre;

class MarketServerTest : public MarketFixture {
protected:
    void SetUp() override
    {
        MarketFixture::SetUp();
        Game().SetAsNetworkServer();
        merchant = NewMerchant();
        market = Game().GetServerServices()->GetMarketServer(merchant->GetObjectId());
        Game().Update(1);
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
    }

    template <class Packet> std::unique_ptr<Packet> OnlySent()
    {
        auto sent = TakeSent<Packet>();
        EXPECT_EQ(sent.size(), 1u);
        return sent.empty() ? nullptr : std::move(sent.front());
    }

    NpcMerchant* merchant = nullptr;
    MarketServer* market = nullptr;
};

TEST_F(MarketServerTest, BracketsFollowTheThresholds)
{
    ASSERT_NE(market, nullptr);
    const struct {
        uint32_t level;
        uint32_t bracket;
    } rows[] = {{25, 3}, {31, 4}, {10, 1}, {0, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.level);
        EXPECT_EQ(market->GetLevelBracket(row.level), row.bracket);
    }
    MarketServer bare(nullptr, 0);
    EXPECT_EQ(bare.GetLevelBracket(99), 1u);
    EXPECT_EQ(market->GetBracket(), 1u);
}

TEST_F(MarketServerTest, OneSlotGoesToTheFirstBuyerAndStaleRequestsAreDenied)
{
    const uint32_t seed = market->GetSeed();
    market->OnPurchaseRequest(1, seed, 4, 7);
    auto confirmed = OnlySent<MarketS2CPurchaseConfirmationPacket>();
    EXPECT_EQ(confirmed->buyerId, 7u);
    const struct {
        uint32_t seed;
        uint32_t slot;
        MarketItemStatus status;
    } denials[] = {{seed, 4, MarketItemStatus_Sold},
                   {seed + 1, 5, MarketItemStatus(0)},
                   {seed, 600, MarketItemStatus(0)}};
    for (const auto& row : denials) {
        SCOPED_TRACE(row.slot);
        market->OnPurchaseRequest(1, row.seed, row.slot, 8);
        auto denied = OnlySent<MarketS2CPurchaseDeniedPacket>();
        EXPECT_EQ(denied->itemIndex, row.slot);
        EXPECT_EQ(denied->status, row.status);
    }
    // Slots up to the one bought are stored as available.
    EXPECT_EQ(market->GetStoredSlotCount(), 5u);
    market->OnUpdateRequest();
    EXPECT_THAT(OnlySent<MarketS2CUpdatePacket>()->soldIndices, ElementsAre(4u));

    market->OnSellBack(1, seed, 3, 7);
    market->OnSellBack(1, seed, 599, 7);
    EXPECT_TRUE(TakeSent<MarketS2CStatusUpdatePacket>().empty());
    market->OnSellBack(1, seed, 4, 7);
    EXPECT_EQ(OnlySent<MarketS2CStatusUpdatePacket>()->status, MarketItemStatus_Available);
    EXPECT_EQ(market->GetSlotStatus(4), MarketItemStatus_Available);
}

TEST_F(MarketServerTest, ATalkingMerchantHoldsTheRefreshBackUnlessItIsForced)
{
    const uint32_t seed = market->GetSeed();
    merchant->AddSocialTarget(99);
    Game().Update(120000);
    EXPECT_EQ(market->GetSeed(), seed);
    Game().ForceMarketRefresh(0);
    Game().Update(1);
    EXPECT_NE(market->GetSeed(), seed);
    EXPECT_FALSE(market->IsRefreshPending());

    // A range of one seed cannot give another: the refresh takes it anyway.
    Game().SetRandomSeedRange(5, 5);
    for (int refresh = 0; refresh < 2; ++refresh) {
        Game().ForceMarketRefresh(merchant->GetObjectId());
        Game().Update(1);
        EXPECT_EQ(market->GetSeed(), 5u);
    }
}

TEST_F(MarketServerTest, BrokenRecordsLoadWithSafeDefaults)
{
    database.WriteRecord("Records/Market/Broken.dbr",
                         {"marketRefreshTimeMin = 1e30", "marketRefreshTimeMax = -1e30",
                          "marketPlayerLevelEquationFile = Records/Market/Equation.dbr"});
    database.WriteRecord("Records/Market/Equation.dbr", {"playerLevelEquation = 3 +* ("});
    MarketServer broken(Game().GetServerServices(), 0);
    broken.SetMarketName("Records/Market/Broken.dbr");
    broken.Load();
    EXPECT_EQ(log.Count(1, "-=- Market Equation load failure : playerLevelEquation"), 1u);
    broken.Update(INT32_MIN);
    EXPECT_EQ(broken.GetBracket(), 1u);
    EXPECT_FALSE(broken.IsRefreshPending());
}

} // namespace
} // namespace GAME::Test
