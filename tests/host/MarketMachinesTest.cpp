#include "characters/Player.h"
#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "host/scenarios/MarketReport.h"
#include "host/scenarios/ReplayMachine.h"
#include "items/MarketClient.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/MarketPackets.h"
#include "tests/host/HostRun.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace GAME::Test {
namespace {

using Bytes = ReplayMachine::Bytes;
constexpr uint32_t kServerHero = MarketReport::kHeroId;
constexpr uint32_t kBuyerA = MarketReport::kHeroId + 1;
constexpr uint32_t kBuyerB = MarketReport::kHeroId + 2;

// A server and two clients of the sample village trader, each a machine of its own.
class MarketMachines : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        ObjectManager::Instance().GetDatabase().SetRoot(SampleDatabase());
    }

    ReplayMachine::Step Stage(uint32_t heroId)
    {
        return [this, heroId] {
            GameEngine::Get().GetRandomGen().Seed(7);
            return MarketReport::Stage(err, heroId);
        };
    }

    // What the market shows on the machine, slot by slot.
    static std::vector<MarketItemStatus> Statuses()
    {
        std::vector<MarketItemStatus> statuses;
        for (const MarketStockEntry& entry : MarketReport::Market()->GetStockEntries())
            statuses.push_back(entry.status);
        return statuses;
    }

    // Frames until the stock stands, and its key.
    std::string Stock(ReplayMachine& machine)
    {
        std::string stock;
        EXPECT_TRUE(machine.Act(machine.Frames(MarketReport::kStockFrames, 100), sent, err,
                                [&] { stock = MarketReport::StockKey(*MarketReport::Market()); }));
        return stock;
    }

    std::ostringstream err;
    std::vector<Bytes> sent;
    ReplayMachine server{false, Stage(kServerHero)};
    ReplayMachine buyerA{true, Stage(kBuyerA)};
    ReplayMachine buyerB{true, Stage(kBuyerB)};
};

TEST_F(MarketMachines, ClientsRebuildTheServersStockAndTheFirstBuyerWins)
{
    const std::string serverStock = Stock(server);
    const std::vector<Bytes> update = ReplayMachine::OfClass<MarketS2CUpdatePacket>(sent);
    ASSERT_EQ(update.size(), 1u);
    const uint32_t seed = ReplayMachine::Decoded<MarketS2CUpdatePacket>(update)[0]->seed;
    ASSERT_FALSE(serverStock.empty());

    std::vector<Bytes> requests;
    const auto buySlot0 = [] {
        MarketClient& market = *MarketReport::Market();
        return market.PlayerPurchaseRequest(market.GetStockEntries().front().itemId);
    };
    for (ReplayMachine* buyer : {&buyerA, &buyerB}) {
        ASSERT_TRUE(buyer->Receive(update, sent, err));
        EXPECT_EQ(Stock(*buyer), serverStock);
        ASSERT_TRUE(buyer->Act(buySlot0, sent, err));
        for (const Bytes& request : ReplayMachine::OfClass<MarketC2SPurchaseRequestPacket>(sent))
            requests.push_back(request);
    }
    ASSERT_TRUE(buyerB.Act(
        [seed] {
            GameEngine::Get().GetNetworkInterface()->C2S_MarketPurchaseRequest(
                MarketReport::kMerchantId, 1, seed + 1, 1, kBuyerB);
            return true;
        },
        sent, err));
    requests.push_back(sent.at(0));

    ASSERT_TRUE(server.Receive(requests, sent, err));
    const auto confirmed = ReplayMachine::Decoded<MarketS2CPurchaseConfirmationPacket>(sent);
    const auto denied = ReplayMachine::Decoded<MarketS2CPurchaseDeniedPacket>(sent);
    ASSERT_EQ(confirmed.size(), 1u);
    EXPECT_EQ(confirmed[0]->buyerId, kBuyerA);
    ASSERT_EQ(denied.size(), 2u);
    EXPECT_EQ(denied[0]->buyerId, kBuyerB);
    EXPECT_EQ(denied[0]->status, MarketItemStatus_Sold);
    EXPECT_EQ(denied[1]->itemIndex, 1u);
    EXPECT_EQ(denied[1]->status, MarketItemStatus(0));

    // The answers reach both buyers; A sells his axe back, and slot 0 is free everywhere.
    const std::vector<Bytes> answers = sent;
    uint32_t moneyA = 0;
    ASSERT_TRUE(buyerA.Receive(answers, sent, err, [&] {
        moneyA = GameEngine::Get().GetMainPlayer()->GetCurrentMoney();
    }));
    EXPECT_LT(moneyA, MarketReport::kGold);
    // The copy bought is made where the server says: here it comes straight back.
    ASSERT_TRUE(buyerA.Receive(ReplayMachine::OfClass<CreateItemPacket>(sent), sent, err));
    ASSERT_TRUE(buyerB.Receive(answers, sent, err));
    ASSERT_TRUE(buyerA.Act(
        [] {
            MarketClient& market = *MarketReport::Market();
            return market.PlayerSaleRequest(
                market.GetBoughtCopy(market.GetStockEntries().front().itemId), false);
        },
        sent, err));
    ASSERT_TRUE(server.Receive(ReplayMachine::OfClass<MarketC2SSellBackPacket>(sent), sent, err));
    const std::vector<Bytes> freed = sent;
    ASSERT_EQ(ReplayMachine::Decoded<MarketS2CStatusUpdatePacket>(freed).size(), 1u);
    for (ReplayMachine* buyer : {&buyerA, &buyerB}) {
        std::vector<MarketItemStatus> statuses;
        ASSERT_TRUE(buyer->Receive(freed, sent, err, [&] { statuses = Statuses(); }));
        EXPECT_EQ(statuses.at(0), MarketItemStatus_Available);
    }
    EXPECT_EQ(err.str(), "");
}

} // namespace
} // namespace GAME::Test
