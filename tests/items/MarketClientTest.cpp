#include "core/DialogManager.h"

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "engine/GraphicsEngine.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"
#include "items/MarketClient.h"
#include "items/MarketMisc.h"
#include "items/MarketQuickSale.h"
#include "items/MarketServer.h"
#include "items/MarketWeapon.h"
#include "items/PlayerInventoryCtrl.h"
#include "items/TradeManager.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/TradePackets.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/MarketFixture.h"
#include "tests/support/Must.h"
#include "tests/support/PlayerController.h"
#include "tests/support/Replica.h"
#include "tests/support/TwoMachines.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

class MarketClientTest : public MarketFixture {
protected:
    void SetUp() override
    {
        MarketFixture::SetUp();
        merchant = NewMerchant();
        hero = NewRichHero();
    }

    MarketClient& Market() { return OpenedMarket(*merchant); }
    uint32_t Money() const { return hero->GetCurrentMoney(); }

    std::wstring TopDialog()
    {
        DialogManager& dialogs = Game().GetDialogManager();
        if (dialogs.GetNumDialog() == 0)
            return L"";
        const std::wstring text = dialogs.PeekTopDialog().text;
        dialogs.RemoveTopDialog();
        return text;
    }

    NpcMerchant* merchant = nullptr;
    Player* hero = nullptr;
};

TEST_F(MarketClientTest, StockIsListedWithMarkedUpPricesInItsSacks)
{
    MarketClient& market = Market();
    ASSERT_EQ(market.GetStockEntries().size(), 5u);
    EXPECT_EQ(market.GetStaticEntries().size(), 2u);
    for (const MarketStockEntry& entry : market.GetStockEntries()) {
        const auto* item = Must(ObjectManager::Instance().GetObject<Item>(entry.itemId));
        EXPECT_EQ(entry.cost, item->GetItemCost(false) + item->GetItemCost(false) / 10);
    }
    // Three axes in the melee sack; rings, the potion and the static good in the general one.
    EXPECT_EQ(market.GetInventorySack(Market_MeleeWeapons)->GetInventory().size(), 3u);
    EXPECT_EQ(market.GetInventorySack(Market_General)->GetInventory().size(), 4u);
}

TEST_F(MarketClientTest, ASaleBackBeforeClosingRefundsThePriceAndLaterItDepreciates)
{
    MarketClient& market = Market();
    const MarketStockEntry axe = market.GetStockEntries().front();
    ASSERT_TRUE(market.PlayerPurchaseRequest(axe.itemId));
    EXPECT_EQ(Money(), kMoney - axe.cost);
    const uint32_t copy = market.GetBoughtCopy(axe.itemId);
    ASSERT_TRUE(market.PlayerSaleRequest(copy, false));
    EXPECT_EQ(Money(), kMoney);
    EXPECT_EQ(market.GetItemStatus(axe.itemId), MarketItemStatus_Available);

    ASSERT_TRUE(market.PlayerPurchaseRequest(axe.itemId));
    const uint32_t second = market.GetBoughtCopy(axe.itemId);
    market.Close();
    Market_TypeEnum type = Market_MeleeWeapons;
    market.Open(type, Vec2());
    const uint32_t worth = ObjectManager::Instance().GetObject<Item>(second)->GetItemCost(false);
    EXPECT_EQ(market.GetSalePrice(second), worth - worth / 2);
    ASSERT_TRUE(market.PlayerSaleRequest(second, true));
    EXPECT_EQ(market.GetSoldEntries().size(), 1u);
    EXPECT_EQ(market.GetItemStatus(axe.itemId), MarketItemStatus_Sold);
}

TEST_F(MarketClientTest, RefusalsAreShownToTheBuyerOnly)
{
    MarketClient& market = Market();
    const MarketStockEntry& ring = market.GetStockEntries().back();
    market.S2C_MarketPurchaseDenied(ring.slot, hero->GetObjectId() + 1, MarketItemStatus_Sold);
    EXPECT_EQ(TopDialog(), L"");
    EXPECT_EQ(ring.status, MarketItemStatus_Sold);
    market.S2C_MarketPurchaseDenied(ring.slot, hero->GetObjectId(), MarketItemStatus_Sold);
    EXPECT_NE(TopDialog().find(L"tagMarketError03"), std::wstring::npos);
    EXPECT_FALSE(market.PlayerPurchaseRequest(ring.itemId));
    EXPECT_NE(TopDialog().find(L"tagMarketError03"), std::wstring::npos);

    hero->SubtractMoney(kMoney);
    EXPECT_FALSE(market.PlayerPurchaseRequest(market.GetStockEntries().front().itemId));
    EXPECT_NE(TopDialog().find(L"tagMarketError01"), std::wstring::npos);
    EXPECT_FALSE(market.PlayerSaleRequest(ring.itemId + 1000, false));
    EXPECT_NE(TopDialog().find(L"tagMarketError04"), std::wstring::npos);
}

TEST_F(MarketClientTest, TheCursorsQuickSaleSellsAPotionWithItsHiddenPotions)
{
    Market();
    std::vector<uint32_t> potions;
    for (uint32_t seed = 1; seed <= 4; ++seed)
        potions.push_back(PickUp(*hero, kHeal20, seed));
    std::vector<uint32_t> hidden;
    const uint32_t visible = Bag(*hero).GetInventoryInSack(0).begin()->first;
    ASSERT_TRUE(Bag(*hero).RemoveItem(visible, hidden));
    ASSERT_EQ(hidden.size(), 3u);

    ASSERT_TRUE(SellCarriedItemsToMarket(merchant->GetObjectId(), visible, hidden,
                                         *hero->GetControllerPlayer()));
    EXPECT_TRUE(hidden.empty());
    EXPECT_EQ(Money(), kMoney + 4 * 10);
    EXPECT_FALSE(hero->GetInventory().IsItemInInventory(potions.back()));
}

// A full sack of sales makes room from its oldest sale; a sale too big for the empty sack
// still pays and keeps nothing.
TEST_F(MarketClientTest, TheSoldSackMakesRoomAndNeverLoopsOrLosesTheSale)
{
    GraphicsEngine::Instance().DescribeTexture("wide.tex", 256, 300);
    GraphicsEngine::Instance().DescribeTexture("huge.tex", 300, 500);
    database.WriteRecord("Records/Items/Wide.dbr",
                         {"Class = ArmorJewelry_Ring", "bitmap = wide.tex"});
    database.WriteRecord("Records/Items/Huge.dbr",
                         {"Class = ArmorJewelry_Ring", "bitmap = huge.tex"});
    MarketClient& market = Market();
    const InventorySack& sold = *market.GetInventorySack(MarketClient::kSoldSackType);
    struct Row {
        const char* record;
        size_t kept;
    } rows[] = {{"Records/Items/Wide.dbr", 1},
                {"Records/Items/Wide.dbr", 1},
                {"Records/Items/Huge.dbr", 0}};
    uint32_t money = Money();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.record);
        const uint32_t id = Item::CreateItem(Replica(row.record))->GetObjectId();
        ASSERT_TRUE(market.PlayerSaleRequest(id, true));
        money += 20;
        EXPECT_EQ(Money(), money);
        EXPECT_EQ(sold.GetInventory().size(), row.kept);
    }
}

TEST_F(MarketClientTest, ARebuildDropsWhatTheOldStockStillHadQueued)
{
    MarketClient& market = *Game().GetMarketClient(merchant->GetObjectId());
    market.S2C_MarketUpdate(kMarket, 1, 11, {});
    const size_t queued = market.GetQueuedItemCount();
    market.S2C_MarketUpdate(kMarket, 1, 12, {2});
    EXPECT_EQ(market.GetQueuedItemCount(), queued);
    for (int frame = 0; frame < 10; ++frame)
        market.Update(0);
    ASSERT_EQ(market.GetStockEntries().size(), 5u);
    EXPECT_EQ(market.GetStockEntries()[2].status, MarketItemStatus_Sold);
}

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
        uint32_t level, bracket;
    } rows[] = {{25, 3}, {31, 4}, {10, 1}};
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
        uint32_t seed, slot;
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

LoadTable Record(const std::string& text)
{
    LoadTable table;
    table.Parse(text, "Records/Market/Test.dbr");
    return table;
}

using MarketMiniMartTest = MarketFixture;

TEST_F(MarketMiniMartTest, EveryCategoryDrawsItsCountEvenWithoutATable)
{
    struct Row {
        std::unique_ptr<MarketMiniMart> category;
        std::string tableKey;
    };
    Row rows[] = {{std::make_unique<MarketWeapon_Axe>(), "marketAxeTable2"},
                  {std::make_unique<MarketMisc_Static>(), "marketStaticTable2"},
                  {std::make_unique<MarketWeapon_Used2>(), ""}};
    for (Row& row : rows) {
        SCOPED_TRACE(row.tableKey);
        const LoadTable record = Record(row.tableKey.empty() ? "" : row.tableKey + " = T.dbr\n");
        EXPECT_EQ(row.category->GetTableName(record, 2), row.tableKey.empty() ? "" : "T.dbr");
        RandomUniform rng;
        rng.Seed(7);
        RandomUniform once = rng;
        once.IGenerate(0, 0);
        row.category->Refresh(Record(""), 2, rng);
        EXPECT_EQ(rng.GetState(), once.GetState());
    }
}

TEST_F(MarketMiniMartTest, RepeatedItemsAreTriedFiveTimesAndHugeCountsAreCapped)
{
    Table("Records/Loot/OneAxe.dbr", "Axe", 1);
    MarketClient market(nullptr, 1);
    MarketWeapon_Axe axes;
    axes.SetMarket(&market);
    RandomUniform rng;
    rng.Seed(3);
    axes.Refresh(Record("marketNumAxeMin = 3\nmarketNumAxeMax = 3\n"
                        "marketAxeTable1 = Records/Loot/OneAxe.dbr\n"),
                 1, rng);
    EXPECT_EQ(market.GetQueuedItemCount(), 1u);

    axes.Refresh(Record("marketNumAxeMin = 2000000000\nmarketNumAxeMax = 2000000000\n"
                        "marketAxeTable1 = Records/Loot/OneAxe.dbr\n"),
                 1, rng);
    EXPECT_EQ(market.GetQueuedItemCount(), 2u);
    EXPECT_EQ(log.Count(1, "Market category 6 of Records/Market/Test.dbr asks for 2000000000 "
                           "items; 600 are listed"),
              1u);
}

constexpr const char* kHero = "Records/Rules/Hero.dbr";
constexpr const char* kGem = "Records/Rules/Gem.dbr";
constexpr const char* kGhost = "Records/Rules/Ghost.dbr";

// The local player trading as a server, what he sends kept by the transport.
class TradeManagerRulesTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(kHero, {"Class = Player"});
        database.WriteRecord(kGem, {"Class = ArmorProtective_Head", "strengthRequirement = 999",
                                    "bitmap = Gem.tex"});
        // No picture: no window has room for it.
        database.WriteRecord(kGhost, {"Class = ArmorProtective_Head"});
        gEngine->SetNetworkMode(true, false);
        Start();
        Game().SetAsNetworkServer();
        me = NewPlayer();
        partner = NewPlayer()->GetObjectId();
        stranger = NewPlayer()->GetObjectId();
        Game().GetPlayerManagerClient()->SetMainPlayer(me->GetObjectId());
        me->AddMoney(100);
        gem = Item::CreateItem(Replica(kGem))->GetObjectId();
        me->GiveItemToCharacter(ObjectManager::Instance().GetObject<Item>(gem));
    }

    void TearDown() override
    {
        GameEngineFixture::TearDown();
        gEngine->SetNetworkMode(false, false);
    }

    Player* NewPlayer()
    {
        auto* player = ObjectManager::Instance().CreateObjectFromFile<Player>(kHero);
        AttachPlayerController(*player);
        return player;
    }

    TradeManager& Trades() { return *Game().GetTradeManager(); }

    void Activate()
    {
        Trades().HandleInitiateTradeOutbound(partner, true);
        Trades().HandleInitiateTradeInbound(partner);
        ASSERT_TRUE(Trades().GetIsTradeActive());
    }

    static ItemReplicaInfo Offered(const char* record, uint32_t id)
    {
        ItemReplicaInfo info = Replica(record);
        info.id = id;
        return info;
    }

    Player* me = nullptr;
    uint32_t partner = 0;
    uint32_t stranger = 0;
    uint32_t gem = 0;
};

TEST_F(TradeManagerRulesTest, OnlyThePartnerOfAnActiveTradeChangesHisOffer)
{
    struct Row {
        bool active, fromPartner, counts;
    };
    for (const Row row :
         {Row{true, true, true}, Row{true, false, false}, Row{false, true, false}}) {
        SCOPED_TRACE(std::to_string(row.active) + std::to_string(row.fromPartner));
        Trades().CleanUp();
        if (row.active)
            Activate();
        const uint32_t from = row.fromPartner ? partner : stranger;
        Trades().HandleAddItemInbound(from, {1.0f, 0.0f}, Offered(kGem, 0x0F000001));
        Trades().HandleSetGoldAmountInbound(from, 70);
        Trades().HandleFinalizeTradeInbound(from);
        const TradeState& his = Trades().GetHisTradeState();
        EXPECT_EQ(his.GetInventorySack().GetInventory().size(), row.counts ? 1u : 0u);
        EXPECT_EQ(his.GetGoldAmount(), row.counts ? 70u : 0u);
        EXPECT_EQ(his.GetFinalized(), row.counts);
        Trades().HandleRemoveItemInbound(from, 0x0F000001);
        EXPECT_TRUE(his.GetInventorySack().GetInventory().empty());
    }
}

TEST_F(TradeManagerRulesTest, AReceivedItemTheWindowCannotHoldIsDestroyed)
{
    Activate();
    const size_t objects = ObjectManager::Instance().GetObjectCount();
    Trades().HandleAddItemInbound(partner, {0.0f, 0.0f}, Offered(kGhost, 0x0F000002));
    Trades().HandleAddItemInbound(partner, {0.0f, 0.0f}, Offered("Records/Rules/None.dbr", 3));
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objects);
    EXPECT_TRUE(Trades().GetHisTradeState().GetInventorySack().GetInventory().empty());
}

TEST_F(TradeManagerRulesTest, GoldOfferedIsClampedToThePurse)
{
    Activate();
    Trades().HandleSetGoldAmountOutbound(1000);
    EXPECT_EQ(Trades().GetMyTradeState().GetGoldAmount(), 100u);
    const auto sent = TakeSent<TradeSetGoldPacket>();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0]->goldAmount, 100u);
}

TEST_F(TradeManagerRulesTest, AnOfferTakenBackReturnsTheOriginalAndTheCopyGoes)
{
    Activate();
    PlayerInventoryCtrl& bag = me->GetControllerPlayer()->GetInventoryCtrl();
    ASSERT_TRUE(Trades().HandleAddItemOutbound({0.0f, 0.0f}, gem));
    EXPECT_FALSE(bag.GetSack(-1)->HasItem(gem)) << "out of the bag while offered";
    EXPECT_TRUE(me->GetInventory().IsItemInInventory(gem));
    const uint32_t copy = Trades().GetMyTradeState().GetInventorySack().GetFirstItem();
    EXPECT_NE(copy, gem);
    EXPECT_FALSE(Trades().HandleRemoveItemOutbound(gem)) << "the window holds the copy";
    ASSERT_TRUE(Trades().HandleRemoveItemOutbound(copy));
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObject(copy), nullptr);
    EXPECT_TRUE(bag.GetSack(-1)->HasItem(gem));
    const auto removed = TakeSent<TradeRemoveItemPacket>();
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0]->itemId, copy);
}

TEST_F(TradeManagerRulesTest, ABusyPlayerRefusesAndACancelFromAStrangerIsIgnored)
{
    Activate();
    TakeSent<TradeCancelPacket>();
    Trades().HandleInitiateTradeInbound(stranger);
    const auto refused = TakeSent<TradeCancelPacket>();
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0]->receiver, stranger);
    Trades().HandleCancelTradeInbound(stranger);
    EXPECT_TRUE(Trades().GetIsTradeActive());
    Trades().HandleCancelTradeInbound(partner);
    EXPECT_FALSE(Trades().GetIsTradeActive());
}

constexpr uint32_t kHeroA = 0x401; // on the server
constexpr uint32_t kHeroB = 0x402; // on the client
constexpr const char* kGemA = "Records/Trade/GemA.dbr";
constexpr const char* kGemB = "Records/Trade/GemB.dbr";

TradeManager& Trades()
{
    return *gGameEngine->GetTradeManager();
}

// The record names of what the player holds, in his inventory's order.
std::vector<std::string> Holdings(uint32_t playerId)
{
    std::vector<std::string> names;
    auto* player = ObjectManager::Instance().GetObject<Player>(playerId);
    for (uint32_t id : player->GetInventory().GetInventoryItems())
        names.push_back(ObjectManager::Instance().GetObject<Item>(id)->GetObjectName());
    return names;
}

// Offers the player's first items of the record.
void Offer(const char* record, int count)
{
    auto* player = gGameEngine->GetMainPlayer();
    std::vector<uint32_t> ids = player->GetInventory().GetInventoryItems();
    for (uint32_t id : ids) {
        if (count > 0 && ObjectManager::Instance().GetObject<Item>(id)->GetObjectName() == record &&
            Trades().HandleAddItemOutbound({0.0f, 0.0f}, id))
            --count;
    }
}

class TradeTwoMachinesTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord(kHero, {"Class = Player"});
        // Too heavy to wear, so they go into the bag.
        for (const char* gem : {kGemA, kGemB})
            database.WriteRecord(gem, {"Class = ArmorProtective_Head", "strengthRequirement = 999",
                                       "bitmap = Gem.tex"});
    }

    void TearDown() override
    {
        gEngine->SetNetworkMode(false, false);
        EngineFixture::TearDown();
    }

    // Both heroes on both machines, each with five gems and gold: A 500, B 300.
    static void Stage(bool client)
    {
        ObjectManager& objects = ObjectManager::Instance();
        for (uint32_t hero : {kHeroA, kHeroB}) {
            auto* player = objects.CreateObjectFromFile<Player>(kHero, hero);
            gEngine->GetWorld()->AddEntity(player, WorldCoords(1, Coords()), false);
            AttachPlayerController(*player);
            player->AddMoney(hero == kHeroA ? 500 : 300);
            for (uint32_t i = 0; i < 5; ++i) {
                ItemReplicaInfo info = Replica(hero == kHeroA ? kGemA : kGemB, i);
                info.id = hero * 0x100 + i;
                player->GiveItemToCharacter(Item::CreateItem(info));
            }
        }
        gGameEngine->GetPlayerManagerClient()->SetMainPlayer(client ? kHeroB : kHeroA);
    }

    // A invites B, who is asked once, answers and then takes the step.
    void Invite(
        bool yes, const TwoMachines::Step& then = [] {})
    {
        machines.Act(false, [] { Trades().HandleInitiateTradeOutbound(kHeroB, true); });
        machines.Act(true, [yes, then] {
            DialogManager& dialogs = gGameEngine->GetDialogManager();
            EXPECT_EQ(dialogs.GetNumDialog(), 1u);
            dialogs.AddResponse({DialogManager::PartyTradeInvitation, yes});
            Trades().Update();
            then();
        });
    }

    TwoMachines machines{Stage, 17, kHeroA, kHeroB};
};

TEST_F(TradeTwoMachinesTest, BothConfirmAndTheServerHoldsEachPlayersNewPossessions)
{
    Invite(true);
    machines.Act(false, [] {
        ASSERT_TRUE(Trades().GetIsTradeActive());
        Offer(kGemA, 2);
        Trades().HandleSetGoldAmountOutbound(100);
        Trades().HandleFinalizeTradeOutbound();
    });
    machines.Act(true, [] {
        ASSERT_TRUE(Trades().GetHisTradeState().GetFinalized());
        Offer(kGemB, 1);
        EXPECT_FALSE(Trades().GetHisTradeState().GetFinalized()) << "a new offer clears his flag";
        Trades().HandleSetGoldAmountOutbound(50);
        Trades().HandleFinalizeTradeOutbound();
        EXPECT_TRUE(Trades().GetIsTradeActive()) << "A has to confirm again";
    });
    machines.Act(false, [] {
        Trades().HandleFinalizeTradeOutbound();
        EXPECT_FALSE(Trades().GetIsTradeActive()) << "both confirmed: exchanged and closed";
    });
    machines.Act(true, [] { EXPECT_FALSE(Trades().GetIsTradeActive()); });
    machines.Look(false, [] {
        const std::vector<std::string> a = Holdings(kHeroA), b = Holdings(kHeroB);
        EXPECT_EQ(std::count(a.begin(), a.end(), kGemA), 3);
        EXPECT_EQ(std::count(a.begin(), a.end(), kGemB), 1);
        EXPECT_EQ(std::count(b.begin(), b.end(), kGemB), 4);
        EXPECT_EQ(std::count(b.begin(), b.end(), kGemA), 2);
        const auto money = [](uint32_t id) {
            return ObjectManager::Instance().GetObject<Player>(id)->GetCurrentMoney();
        };
        EXPECT_EQ(money(kHeroA), 450u);
        EXPECT_EQ(money(kHeroB), 350u);
    });
}

TEST_F(TradeTwoMachinesTest, TwoPlayersAskingEachOtherAtOnceBothTrade)
{
    machines.ActBoth([] { Trades().HandleInitiateTradeOutbound(kHeroB, true); },
                     [] { Trades().HandleInitiateTradeOutbound(kHeroA, true); });
    for (bool client : {false, true}) {
        machines.Look(client, [client] {
            EXPECT_TRUE(Trades().GetIsTradeActive());
            EXPECT_EQ(Trades().GetTradePartner(), client ? kHeroA : kHeroB);
            EXPECT_EQ(gGameEngine->GetDialogManager().GetNumDialog(), 0u);
        });
    }
}

TEST_F(TradeTwoMachinesTest, ADeclinedInvitationCancelsTheInvitersTrade)
{
    Invite(false, [] { EXPECT_TRUE(Trades().AbleToTrade()); });
    machines.Look(false, [] {
        EXPECT_FALSE(Trades().IsInitiating());
        EXPECT_FALSE(Trades().GetIsTradeActive());
    });
}

TEST_F(TradeTwoMachinesTest, ACancelGivesTheOfferBackAndTheCopiesGo)
{
    Invite(true);
    machines.Act(false, [] {
        Offer(kGemA, 2);
        const size_t objects = ObjectManager::Instance().GetObjectCount();
        // An offered item is out of the bag, but still the player's; it cannot go twice.
        const uint32_t offered = Trades().GetMyTradeState().GetStandsFor(
            Trades().GetMyTradeState().GetInventorySack().GetFirstItem());
        EXPECT_TRUE(gGameEngine->GetMainPlayer()->GetInventory().IsItemInInventory(offered));
        EXPECT_FALSE(Trades().HandleAddItemOutbound({0.0f, 0.0f}, offered));
        Trades().HandleCancelTradeOutbound(kHeroB);
        EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objects - 2);
        EXPECT_EQ(Holdings(kHeroA).size(), 5u);
    });
    machines.Act(true, [] {
        EXPECT_FALSE(Trades().GetIsTradeActive());
        EXPECT_TRUE(Trades().GetHisTradeState().GetInventorySack().GetInventory().empty());
    });
}

} // namespace
} // namespace GAME::Test
