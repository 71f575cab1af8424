#include "items/TradeManager.h"

#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

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
        const SoundPak* sound = objects.GetObject<SoundPak>(soundId);
        ASSERT_NE(sound, nullptr);
        EXPECT_EQ(sound->GetObjectName(), kInviteSound);
        EXPECT_TRUE(sound->GetPlayRequests().empty());
    }
    EXPECT_EQ(objects.GetObject(soundId), nullptr);
}

TEST_F(TradeManagerTest, StartsIdleEvenWithoutItsSound)
{
    TradeManager trade;
    EXPECT_EQ(trade.GetInviteSoundId(), 0u);
    // Nobody has asked, so a frame changes nothing.
    trade.Update();
    EXPECT_TRUE(trade.AbleToTrade());
    EXPECT_FALSE(trade.GetIsTradeActive());

    trade.OpenTradeWindow();
    EXPECT_FALSE(trade.AbleToTrade());
    trade.CleanUp();
    EXPECT_FALSE(trade.GetIsTradeActive());
    EXPECT_TRUE(trade.AbleToTrade());
}

} // namespace
} // namespace GAME::Test
