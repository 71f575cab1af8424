#include "tests/support/HeardEvents.h"
#include "tests/support/MarketFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

using NpcMerchantTest = MarketFixture;

TEST_F(NpcMerchantTest, HasAMarketClientExactlyWhileInALevel)
{
    NpcMerchant* merchant = NewMerchant();
    const uint32_t id = merchant->GetObjectId();
    ASSERT_NE(Game().GetMarketClient(id), nullptr);
    TheWorld().RemoveEntity(merchant);
    EXPECT_EQ(Game().GetMarketClient(id), nullptr);
    TheWorld().AddEntity(merchant, kPlace, false);
    EXPECT_NE(Game().GetMarketClient(id), nullptr);
    ObjectManager::Instance().DestroyObjectEx(merchant, "test", 1);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(Game().GetMarketClient(id), nullptr);
}

TEST_F(NpcMerchantTest, ReadsItsMarketByDifficultyAndItsKindWithUnknownKindsGeneric)
{
    gEngine->GetGameInfo().SetDifficulty(1);
    auto* merchant = Spawn<NpcMerchant>(
        kMerchant, {"marketFileName = Normal.dbr;Epic.dbr", "merchantType = Melee"});
    EXPECT_EQ(merchant->GetMarketName(), "Epic.dbr");
    EXPECT_EQ(merchant->GetMerchantType(), MarketMerchantType_Melee);
    auto* other = Spawn<NpcMerchant>("Records/Creatures/Npc/Other.dbr", {"merchantType = Wizard"});
    EXPECT_EQ(other->GetMarketName(), "");
    EXPECT_EQ(other->GetMerchantType(), MarketMerchantType_Generic);
}

TEST_F(NpcMerchantTest, AnInteractionOpensTheMarketAndHoldsTheMerchantInTalk)
{
    NpcMerchant* merchant = NewMerchant();
    Heard<GameEvent_ActivateNPCMarket> heard("GameEvent_ActivateNPCMarket");
    merchant->OnPlayerInteract(77, false, false);
    ASSERT_EQ(heard.events.size(), 1u);
    EXPECT_EQ(heard.events[0].merchantId, merchant->GetObjectId());
    EXPECT_TRUE(merchant->IsChatting());
    merchant->UpdateSelf(1);
    EXPECT_TRUE(merchant->IsChattingLatched());
}

} // namespace
} // namespace GAME::Test
