#pragma once

#include "characters/NpcMerchant.h"
#include "characters/Player.h"
#include "core/RandomUniform.h"
#include "game/GameEngine.h"
#include "items/MarketClient.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/items/BagFixture.h"

#include <string>

namespace GAME::Test {

// A town merchant whose market lists three axes (150 each) and two rings (40) in the first level
// bracket, a static ring and a health potion (20), with a 10% mark-up and 50% depreciation; and
// a rich hero, the main player, with his bag.
class MarketFixture : public BagFixture {
protected:
    static constexpr const char* kMerchant = "Records/Creatures/Npc/Merchant.dbr";
    static constexpr const char* kMarket = "Records/Market/Town.dbr";
    static constexpr const char* kAxes = "Records/Loot/Axes.dbr";
    static constexpr const char* kRings = "Records/Loot/Rings.dbr";
    static constexpr const char* kGoods = "Records/Loot/Goods.dbr";
    static constexpr uint32_t kSeed = 4242;
    static constexpr uint32_t kMoney = 10000;

    void SetUp() override
    {
        BagFixture::SetUp();
        Potion(kHeal20, "OneShot_PotionHealth", "itemCost = 20");
        database.WriteRecord("Records/Game/ItemCost.dbr",
                             {"weaponCostEquation = 150", "jewelryCostEquation = 40"});
        Items("Axe", "WeaponMelee_Axe", 4);
        Items("Ring", "ArmorJewelry_Ring", 3);
        Table(kAxes, "Axe", 4);
        Table(kRings, "Ring", 3);
        Table(kGoods, "Ring", 1);
        database.WriteRecord(
            kMarket, {"marketRefreshTimeMin = 60000", "marketRefreshTimeMax = 60000",
                      "marketPlayerLevel = 10;20;30", "marketNumAxeMin = 3", "marketNumAxeMax = 3",
                      std::string("marketAxeTable1 = ") + kAxes, "marketNumRingMin = 2",
                      "marketNumRingMax = 2", std::string("marketRingTable1 = ") + kRings,
                      "marketNumStaticMin = 1", "marketNumStaticMax = 1",
                      std::string("marketStaticTable1 = ") + kGoods,
                      std::string("marketHealthPotion = ") + kHeal20, "marketCostAdjustment = 10",
                      "marketDepreciation = 50"});
        Game().GetRandomGen().Seed(kSeed);
    }

    static std::string ItemRecord(const char* kind, int number)
    {
        return std::string("Records/Items/") + kind + std::to_string(number) + ".dbr";
    }

    // Records kind1..kindN; an axe costs 150 and a ring 40.
    void Items(const char* kind, const char* className, int count)
    {
        for (int i = 1; i <= count; ++i)
            database.WriteRecord(ItemRecord(kind, i),
                                 {std::string("Class = ") + className, "bitmap = item.tex"});
    }

    // A loot table of kind1..kindN, equally likely.
    void Table(const char* record, const char* kind, int count)
    {
        std::string text = "Class = LootItemTable_FixedWeight\n";
        for (int i = 1; i <= count; ++i) {
            text += "lootName" + std::to_string(i) + " = " + ItemRecord(kind, i) + "\n";
            text += "lootWeight" + std::to_string(i) + " = 1\n";
        }
        database.WriteFile(record, text);
    }

    NpcMerchant* NewMerchant()
    {
        return Spawn<NpcMerchant>(kMerchant,
                                  {std::string("marketFileName = ") + kMarket,
                                   "merchantType = Mage", "merchantTypeTag = tagMageMerchant"});
    }

    Player* NewRichHero()
    {
        Player* hero = NewHero();
        hero->AddMoney(kMoney);
        Game().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
        return hero;
    }

    // Frames until the merchant's stock stands (the request, the refresh, one item a frame).
    MarketClient& OpenedMarket(const NpcMerchant& merchant)
    {
        MarketClient* market = Game().GetMarketClient(merchant.GetObjectId());
        for (int frame = 0; frame < 3 || (market->GetQueuedItemCount() != 0 && frame < 100);
             ++frame)
            Game().Update(1);
        return *market;
    }
};

} // namespace GAME::Test
