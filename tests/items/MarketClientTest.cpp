#include "core/DialogManager.h"

#include "core/GameTextLine.h"
#include "engine/GraphicsEngine.h"
#include "items/MarketArmor.h"
#include "items/MarketClient.h"
#include "items/MarketMisc.h"
#include "items/MarketQuickSale.h"
#include "items/MarketServer.h"
#include "items/MarketWeapon.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "multiplayer/MarketPackets.h"
#include "tests/support/MarketFixture.h"
#include "tests/support/TrimMust.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

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
    Market_TypeEnum type = Market_Armor;
    Game().OpenMarket(merchant->GetObjectId(), type, Vec2(1.0f, 2.0f));
    EXPECT_EQ(type, Market_General);
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

TEST_F(MarketClientTest, TextsNameTheDealOnOffer)
{
    MarketClient& market = Market();
    const MarketStockEntry& axe = market.GetStockEntries().front();
    const auto text = [](auto&& make) {
        std::vector<GameTextLine> lines;
        make(lines);
        return lines.size() == 1 ? lines[0].text : L"";
    };
    const uint32_t owned = PickUp(*hero, kHeal20);
    const struct {
        std::wstring text;
        const wchar_t* tag;
    } rows[] = {
        {text([&](auto& l) { market.CreateUIPlayerBuyText(axe.itemId, l); }),
         L"MarketCostAffordable"},
        {text([&](auto& l) { market.CreateUIPlayerSellText(owned, l); }), L"MarketValue"},
        {text([&](auto& l) { market.CreateUIPlayerSellText(owned + 999, l); }),
         L"CanNotBeSoldHere"},
    };
    for (const auto& row : rows)
        EXPECT_NE(row.text.find(row.tag), std::wstring::npos) << row.tag;
    market.S2C_MarketItemStatusUpdate(axe.slot, MarketItemStatus_Sold);
    EXPECT_NE(text([&](auto& l) { market.CreateUIPlayerBuyText(axe.itemId, l); }).find(L"Sold"),
              std::wstring::npos);
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
        ItemReplicaInfo info;
        info.baseName = row.record;
        const uint32_t id = Item::CreateItem(info)->GetObjectId();
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
        uint32_t level;
        uint32_t bracket;
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
        Market_TypeEnum type;
    };
    Row rows[] = {
        {std::make_unique<MarketWeapon_Axe>(), "marketAxeTable2", Market_Axe},
        {std::make_unique<MarketArmor_BodyArmor>(), "marketBodyArmorTable2", Market_BodyArmor},
        {std::make_unique<MarketMisc_Static>(), "marketStaticTable2", Market_UsedAndStaticMisc},
        {std::make_unique<MarketWeapon_Used2>(), "", Market_UsedWeaponsOther}};
    for (Row& row : rows) {
        SCOPED_TRACE(row.tableKey);
        const LoadTable record = Record(row.tableKey.empty() ? "" : row.tableKey + " = T.dbr\n");
        EXPECT_EQ(row.category->GetTableName(record, 2), row.tableKey.empty() ? "" : "T.dbr");
        EXPECT_EQ(row.category->GetMarketType(), row.type);
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

} // namespace
} // namespace GAME::Test
