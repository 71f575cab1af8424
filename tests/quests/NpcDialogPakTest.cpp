#include "quests/NpcDialogPak.h"

#include "engine/SoundManager.h"
#include "engine/VoidCallbackFunctor.h"
#include "quests/Dialog.h"
#include "tests/support/EngineFixture.h"

#include <memory>

namespace GAME {
namespace {

class NpcDialogPakTest : public GAME::Test::EngineFixture {
protected:
    std::unique_ptr<NpcDialogPak> SpawnFrom(std::initializer_list<std::string> lines)
    {
        database.WriteRecord("Records/Dialog/Test.dbr", lines);
        return std::unique_ptr<NpcDialogPak>(NpcDialogPak::Spawn("Records/Dialog/Test.dbr"));
    }

    int completions = 0;
    VoidCallbackFunctor callback{[this](int) { ++completions; }};
};

TEST_F(NpcDialogPakTest, SpawnFailsForMissingRecordAndEmptyPakHasDefaults)
{
    EXPECT_EQ(NpcDialogPak::Spawn("Records/Dialog/Missing.dbr"), nullptr);
    std::unique_ptr<NpcDialogPak> pak(NpcDialogPak::Spawn());
    EXPECT_EQ(pak->GetPrimaryDialog(), nullptr);
    EXPECT_EQ(pak->GetShortGreetingTime(), 10);
    EXPECT_FLOAT_EQ(pak->GetResetDistance(), 10.0f);
    EXPECT_EQ(pak->GetPlaybackTime(), -1);
    EXPECT_EQ(pak->GetText(), L"");
}

TEST_F(NpcDialogPakTest, LoadsEveryKeyAndOnlyFourNumberedLines)
{
    auto pak = SpawnFrom(
        {"defaultDialogTextTag = tagDefault", "defaultDialogSoundVolume = 0.8",
         "irritationDialogSoundFile = Sounds/go.wav", "irritationDialogVolume = 0.4",
         "irritationRoundTrips = 2", "dialogTextTag1 = tag1", "dialogSoundFile2 = Sounds/two.wav",
         "dialogSoundVolume2 = 0.6", "dialogTextTag4 = tag4", "dialogTextTag5 = tag5",
         "shortGreetingTimerTime = 30", "resetDistance = 12.5"});
    ASSERT_NE(pak, nullptr);
    ASSERT_NE(pak->GetPrimaryDialog(), nullptr);
    EXPECT_EQ(pak->GetPrimaryDialog()->GetTextTag(), "tagDefault");
    EXPECT_FLOAT_EQ(pak->GetPrimaryDialog()->GetVolume(), 0.8f);
    ASSERT_EQ(pak->GetOtherDialogCount(), 3u);
    EXPECT_EQ(pak->GetOtherDialog(0)->GetTextTag(), "tag1");
    EXPECT_EQ(pak->GetOtherDialog(1)->GetAudioFile(), "Sounds/two.wav");
    EXPECT_FLOAT_EQ(pak->GetOtherDialog(1)->GetBaseVolume(), 0.6f);
    EXPECT_EQ(pak->GetOtherDialog(2)->GetTextTag(), "tag4");
    ASSERT_NE(pak->GetIrritationDialog(), nullptr);
    EXPECT_FLOAT_EQ(pak->GetIrritationDialog()->GetVolume(), 0.4f);
    EXPECT_EQ(pak->GetIrritationRoundTrips(), 2);
    EXPECT_EQ(pak->GetRoundTripsLeft(), 2);
    EXPECT_EQ(pak->GetShortGreetingTime(), 30);
    EXPECT_FLOAT_EQ(pak->GetResetDistance(), 12.5f);
}

TEST_F(NpcDialogPakTest, WithoutIrritationLineRoundTripsNeverCount)
{
    auto pak = SpawnFrom({"dialogTextTag1 = tag1", "irritationRoundTrips = 3"});
    ASSERT_NE(pak, nullptr);
    EXPECT_EQ(pak->GetIrritationRoundTrips(), -1);
    EXPECT_EQ(pak->GetShortGreetingTime(), 0);
    EXPECT_FLOAT_EQ(pak->GetResetDistance(), 0.0f);
    // With no default line the first line read is the one shown first.
    EXPECT_EQ(pak->GetPrimaryDialog()->GetTextTag(), "tag1");
}

TEST_F(NpcDialogPakTest, OnlyDefaultLineIsSaidEveryTime)
{
    auto pak = SpawnFrom({"defaultDialogTextTag = tagDefault"});
    ASSERT_NE(pak, nullptr);
    EXPECT_FALSE(pak->IsInUse());
    for (int round = 1; round <= 3; ++round) {
        pak->Speak(&callback);
        EXPECT_EQ(pak->GetCurrentDialog(), pak->GetPrimaryDialog());
        pak->Speak(&callback); // a line is current: nothing
        pak->Update(5000);
        EXPECT_EQ(completions, round);
        EXPECT_EQ(pak->GetCurrentDialog(), nullptr);
    }
    EXPECT_TRUE(pak->IsInUse());
    pak->ResetRoundTrips();
    EXPECT_FALSE(pak->IsInUse());
    EXPECT_FALSE(pak->GetPrimaryDialog()->HasBeenPlayed());
}

TEST_F(NpcDialogPakTest, ResetAllDialogsFreshensEveryLine)
{
    auto pak = SpawnFrom({"defaultDialogTextTag = tagDefault", "dialogTextTag1 = tag1",
                          "irritationDialogTextTag = tagGo", "irritationRoundTrips = 1"});
    ASSERT_NE(pak, nullptr);
    pak->Speak(&callback);
    pak->Stop();
    EXPECT_EQ(completions, 1);
    pak->GetOtherDialog(0)->SetHasBeenPlayed(true);
    pak->ResetRoundTrips();
    // Other lines exist, so the primary line stays said.
    EXPECT_TRUE(pak->GetPrimaryDialog()->HasBeenPlayed());
    pak->ResetAllDialogs();
    EXPECT_FALSE(pak->GetPrimaryDialog()->HasBeenPlayed());
    EXPECT_FALSE(pak->GetOtherDialog(0)->HasBeenPlayed());
    EXPECT_FALSE(pak->IsIrritated());
    EXPECT_EQ(pak->GetRoundTripsLeft(), 1);
}

} // namespace
} // namespace GAME
