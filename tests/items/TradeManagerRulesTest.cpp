#include "items/TradeManager.h"

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "items/Item.h"
#include "items/PlayerInventoryCtrl.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/TradePackets.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/TrimMust.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace GAME::Test
