#include "items/TradeManager.h"

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "core/DialogManager.h"
#include "items/Item.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TwoMachines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr uint32_t kHeroA = 0x401; // on the server
constexpr uint32_t kHeroB = 0x402; // on the client
constexpr const char* kHero = "Records/Trade/Hero.dbr";
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
            auto* controller =
                static_cast<ControllerPlayer*>(objects.CreateObject("ControllerPlayer"));
            controller->AttachParent(hero);
            player->SetControllerId(controller->GetObjectId());
            player->AddMoney(hero == kHeroA ? 500 : 300);
            for (uint32_t i = 0; i < 5; ++i) {
                ItemReplicaInfo info;
                info.baseName = hero == kHeroA ? kGemA : kGemB;
                info.id = hero * 0x100 + i;
                info.seed = i;
                player->GiveItemToCharacter(Item::CreateItem(info));
            }
        }
        gGameEngine->GetPlayerManagerClient()->SetMainPlayer(client ? kHeroB : kHeroA);
    }

    static void AnswerInvitation(bool yes)
    {
        gGameEngine->GetDialogManager().AddResponse({DialogManager::PartyTradeInvitation, yes});
        Trades().Update();
    }

    TwoMachines machines{Stage, 17, kHeroA, kHeroB};
};

TEST_F(TradeTwoMachinesTest, BothConfirmAndTheServerHoldsEachPlayersNewPossessions)
{
    machines.Act(false, [] { Trades().HandleInitiateTradeOutbound(kHeroB, true); });
    machines.Act(true, [] {
        EXPECT_EQ(gGameEngine->GetDialogManager().GetNumDialog(), 1u);
        AnswerInvitation(true);
    });
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
        EXPECT_EQ(a.size() + b.size(), 10u) << "nothing made, nothing lost";
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
    machines.Act(false, [] { Trades().HandleInitiateTradeOutbound(kHeroB, true); });
    machines.Act(true, [] {
        AnswerInvitation(false);
        EXPECT_TRUE(Trades().AbleToTrade());
    });
    machines.Look(false, [] {
        EXPECT_FALSE(Trades().IsInitiating());
        EXPECT_FALSE(Trades().GetIsTradeActive());
    });
}

TEST_F(TradeTwoMachinesTest, ACancelGivesTheOfferBackAndTheCopiesGo)
{
    machines.Act(false, [] { Trades().HandleInitiateTradeOutbound(kHeroB, true); });
    machines.Act(true, [] { AnswerInvitation(true); });
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
