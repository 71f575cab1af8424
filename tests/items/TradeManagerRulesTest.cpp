#include "items/TradeManager.h"

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "core/DialogManager.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "items/Item.h"
#include "items/PlayerInventoryCtrl.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/TradePackets.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/TrimMust.h"
#include "tests/support/TwoMachines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

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
        ItemReplicaInfo info;
        info.baseName = kGem;
        gem = Item::CreateItem(info)->GetObjectId();
        me->GiveItemToCharacter(ObjectManager::Instance().GetObject<Item>(gem));
    }

    void TearDown() override
    {
        GameEngineFixture::TearDown();
        gEngine->SetNetworkMode(false, false);
    }

    Player* NewPlayer()
    {
        ObjectManager& objects = ObjectManager::Instance();
        auto* player = objects.CreateObjectFromFile<Player>(kHero);
        auto* controller = static_cast<ControllerPlayer*>(objects.CreateObject("ControllerPlayer"));
        controller->AttachParent(player->GetObjectId());
        player->SetControllerId(controller->GetObjectId());
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
        ItemReplicaInfo info;
        info.baseName = record;
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
        bool active;
        bool fromPartner;
        bool counts;
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

constexpr const char* kInviteSound = "Records/Sounds/Soundpak/UI/PartyInviteMessagePak.dbr";

class TradeManagerTest : public EngineFixture {};

TEST_F(TradeManagerTest, OwnsTheInviteSoundOfItsRecord)
{
    database.WriteRecord(kInviteSound, {"Class = SoundPak", "soundFiles = invite.wav"});
    ObjectManager& objects = ObjectManager::Instance();
    uint32_t soundId = 0;
    {
        TradeManager trade;
        soundId = trade.GetInviteSoundId();
        const SoundPak* sound = Must(objects.GetObject<SoundPak>(soundId));
        EXPECT_EQ(sound->GetObjectName(), kInviteSound);
    }
    EXPECT_EQ(objects.GetObject(soundId), nullptr);
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
