#include "engine/FilterFunction.h"
#include "engine/Vec2.h"
#include "items/ItemReplicaInfo.h"
#include "items/TradeManager.h"
#include "multiplayer/GameEngineClientServicesModule.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "quests/QuestRepository.h"
#include "tests/support/MarketFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

struct Cast {
    uint32_t merchant = 0;
    uint32_t hero = 0;
    uint32_t partner = 0;
};

using I = GameEngineNetworkInterface;

struct Row {
    const char* name;
    bool felt; // false: the open trade or the unstocked market has nothing to change
    std::function<void(I&, const Cast&)> call;
};

// The trade, quest and market operations, aimed at the objects that can feel them.
const std::vector<Row>& Rows()
{
    static const std::vector<Row> rows = {
        {"TradeInitiate", false, [](I& i, const Cast& c) { i.TradeInitiate(c.partner, c.hero); }},
        {"TradeCancel", true, [](I& i, const Cast& c) { i.TradeCancel(c.partner, c.hero); }},
        {"TradeFinalize", true, [](I& i, const Cast& c) { i.TradeFinalize(c.partner, c.hero); }},
        {"TradeAddItem", true,
         [](I& i, const Cast& c) {
             ItemReplicaInfo item;
             item.id = 91;
             item.baseName = "Records/Items/Ring1.dbr";
             item.seed = 5;
             i.TradeAddItem(c.partner, c.hero, Vec2(1.0f, 2.0f), item);
         }},
        {"TradeRemoveItem", false,
         [](I& i, const Cast& c) { i.TradeRemoveItem(c.partner, c.hero, 91); }},
        {"TradeSetGoldAmount", true,
         [](I& i, const Cast& c) { i.TradeSetGoldAmount(c.partner, c.hero, 25); }},
        {"HandleQuestMessagePacket", true,
         [](I& i, const Cast& c) {
             i.HandleQuestMessagePacket(c.partner, true, {2, 7, 9}, 0);
         }},
        {"S2C_MarketUpdate", true,
         [](I& i, const Cast& c) { i.S2C_MarketUpdate(c.merchant, "Smith", 2, 37, {1}); }},
        {"S2C_MarketPurchaseConfirmation", false,
         [](I& i, const Cast& c) { i.S2C_MarketPurchaseConfirmation(c.merchant, 0, c.hero); }},
        {"S2C_MarketPurchaseDenied", false,
         [](I& i, const Cast& c) {
             i.S2C_MarketPurchaseDenied(c.merchant, 0, c.hero, MarketItemStatus_Sold);
         }},
        {"S2C_MarketItemStatusUpdate", false,
         [](I& i, const Cast& c) {
             i.S2C_MarketItemStatusUpdate(c.merchant, 1, MarketItemStatus_PurchasePending);
         }},
        {"C2S_MarketPurchaseRequest", true,
         [](I& i, const Cast& c) { i.C2S_MarketPurchaseRequest(c.merchant, 1, 4242, 0, c.hero); }},
        {"C2S_MarketSellBack", true,
         [](I& i, const Cast& c) { i.C2S_MarketSellBack(c.merchant, 1, 4242, 0, c.hero); }},
        {"C2S_MarketUpdateRequest", true,
         [](I& i, const Cast& c) { i.C2S_MarketUpdateRequest(c.merchant); }},
    };
    return rows;
}

class Everything final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity*) const override { return true; }
};

// A machine is started afresh for each side of a crossing, so the one that receives holds only
// what the packet did to it.
class NetworkInterfaceEffects : public MarketFixture {
protected:
    Cast Restart()
    {
        std::vector<Entity*> entities;
        TheWorld().GetEntities(entities, Everything());
        for (Entity* entity : entities)
            TheWorld().RemoveEntity(entity);
        ObjectManager::Instance().DestroyAllObjects();
        ShutdownObjects();
        InitializeObjects();
        // The quest book outlives the library; a fresh machine starts with none.
        QuestRepository::Get().Reset();
        Game().GetRandomGen().Seed(kSeed);
        Cast cast;
        cast.merchant = NewMerchant()->GetObjectId();
        cast.partner = NewHero()->GetObjectId();
        cast.hero = NewRichHero()->GetObjectId();
        // A trade stands open between the two heroes, so each trade message has work to do.
        Game().GetTradeManager()->HandleInitiateTradeOutbound(cast.partner, true);
        Game().GetTradeManager()->HandleInitiateTradeInbound(cast.partner);
        Game().CreateMarketClient(cast.merchant);
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
        return cast;
    }

    // What the operations of these rows leave behind on this machine.
    std::string Effect(const Cast& cast)
    {
        std::ostringstream out;
        const TradeManager& trades = *Game().GetTradeManager();
        out << "trade " << trades.GetIsTradeActive() << ' ' << trades.GetTradePartner() << ' '
            << trades.GetPendingInvite() << ' ' << trades.GetHisTradeState().GetGoldAmount() << ' '
            << trades.GetHisTradeState().GetFinalized() << ' '
            << (trades.GetHisTradeState().GetInventorySack().GetFirstItem() != 0) << '/';
        const QuestRepository& quests = QuestRepository::Get();
        out << "quests " << quests.GetSatisfiedConditions().size() << ' '
            << quests.GetNumDelayedMessages() << '/';
        if (const MarketClient* market = Game().GetClientServices()->GetMarketClient(cast.merchant))
            out << "client " << market->GetMarketName() << ' ' << market->GetBracket() << ' '
                << market->GetSeed() << ' ' << market->GetSoldEntries().size() << ' '
                << market->GetBoughtItems().size() << '/';
        auto* servers = dynamic_cast<GameEngineServerServicesModule*>(Game().GetServerServices());
        out << "servers " << (servers != nullptr ? servers->GetMarketServerCount() : 0);
        return out.str();
    }
};

TEST_F(NetworkInterfaceEffects, ASentOperationDoesOnTheReceiverWhatSinglePlayerDoesAtOnce)
{
    for (const Row& row : Rows()) {
        Cast cast = Restart();
        const std::string before = Effect(cast);
        row.call(*Game().GetNetworkInterface(), cast);
        const std::string alone = Effect(cast);
        EXPECT_EQ(alone != before, row.felt) << row.name;
        for (bool server : {true, false}) {
            SCOPED_TRACE(std::string(row.name) + (server ? " from a server" : " from a client"));
            cast = Restart();
            server ? Game().SetAsNetworkServer() : Game().SetAsNetworkClient();
            row.call(*Game().GetNetworkInterface(), cast);
            EXPECT_EQ(Effect(cast), before);
            auto sent = gEngine->GetNetworkConnectionManager().TakeSentPackets();
            ASSERT_EQ(sent.size(), 1u);

            cast = Restart();
            std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(sent.front().bytes);
            ASSERT_NE(packet, nullptr);
            ASSERT_TRUE(
                InboundPacketDispatcher::Dispatch(*packet, *Game().GetInboundNetworkInterface()));
            EXPECT_EQ(Effect(cast), alone);
        }
    }
}

using MarketFrames = MarketFixture;

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
