#include "quests/MerchantDialogPak.h"

#include "engine/VoidCallbackFunctor.h"
#include "quests/Dialog.h"
#include "tests/support/EngineFixture.h"

#include <memory>
#include <set>

namespace GAME {
namespace {

class MerchantDialogPakTest : public GAME::Test::EngineFixture {
protected:
    std::unique_ptr<MerchantDialogPak> SpawnFrom(std::initializer_list<std::string> lines)
    {
        database.WriteRecord("Records/Dialog/Merchant.dbr", lines);
        return std::unique_ptr<MerchantDialogPak>(
            MerchantDialogPak::Spawn("Records/Dialog/Merchant.dbr"));
    }

    int completions = 0;
    VoidCallbackFunctor callback{[this](int) { ++completions; }};
};

TEST_F(MerchantDialogPakTest, LoadsLinesIntoTheirKindsSlotByNumber)
{
    EXPECT_EQ(MerchantDialogPak::Spawn("Records/Dialog/Missing.dbr"), nullptr);
    auto pak = SpawnFrom({"globalDialogTextTag1 = tagGreet", "globalDialogSoundVolume1 = 0.7",
                          "longDialogTextTag2 = tagLong2", "shortDialogSoundFile5 = Sounds/s5.wav",
                          "goodbyeDialogTextTag1 = tagBye1", "shortGreetingTimerTime = 20"});
    ASSERT_NE(pak, nullptr);
    ASSERT_NE(pak->GetPrimaryDialog(), nullptr);
    EXPECT_EQ(pak->GetPrimaryDialog()->GetTextTag(), "tagGreet");
    EXPECT_FLOAT_EQ(pak->GetPrimaryDialog()->GetVolume(), 0.7f);
    EXPECT_EQ(pak->GetLongDialog(0), nullptr);
    EXPECT_EQ(pak->GetLongDialog(1)->GetTextTag(), "tagLong2");
    EXPECT_EQ(pak->GetShortDialog(4)->GetAudioFile(), "Sounds/s5.wav");
    EXPECT_EQ(pak->GetGoodbyeDialog(0)->GetTextTag(), "tagBye1");
    EXPECT_EQ(pak->GetGoodbyeDialog(5), nullptr);
    EXPECT_EQ(pak->GetShortGreetingTime(), 20);
    EXPECT_FLOAT_EQ(pak->GetResetDistance(), 10.0f);
    EXPECT_EQ(pak->GetPlaybackTime(), 0);
}

TEST_F(MerchantDialogPakTest, GreetingWithoutGreetingLineUsesLongLines)
{
    auto pak = SpawnFrom({"longDialogTextTag3 = tagLong3"});
    ASSERT_NE(pak, nullptr);
    pak->SetSelectionKind(MerchantDialogPak::SelectGreeting);
    pak->Speak(&callback);
    EXPECT_EQ(pak->GetCurrentDialog(), pak->GetLongDialog(2));
    EXPECT_TRUE(pak->IsInUse());
}

TEST_F(MerchantDialogPakTest, EachLineOfAKindIsSaidOnceBeforeAnyRepeats)
{
    auto pak = SpawnFrom({"goodbyeDialogTextTag1 = tagBye1", "goodbyeDialogTextTag4 = tagBye4"});
    ASSERT_NE(pak, nullptr);
    pak->SetSelectionKind(MerchantDialogPak::SelectGoodbye);
    std::set<Dialog*> said;
    for (int i = 0; i < 2; ++i) {
        pak->Speak(&callback);
        said.insert(pak->GetCurrentDialog());
        pak->Update(5000);
    }
    EXPECT_EQ(said, (std::set<Dialog*>{pak->GetGoodbyeDialog(0), pak->GetGoodbyeDialog(3)}));
    EXPECT_EQ(completions, 2);
    // All said: the kind starts over.
    pak->Speak(&callback);
    EXPECT_NE(pak->GetCurrentDialog(), nullptr);
}

TEST_F(MerchantDialogPakTest, SpeakingCutsOffTheCurrentLineAndUnknownKindSaysNothing)
{
    auto pak = SpawnFrom({"globalDialogTextTag1 = tagGreet", "shortDialogTextTag1 = tagShort"});
    ASSERT_NE(pak, nullptr);
    pak->Speak(&callback);
    EXPECT_EQ(pak->GetCurrentDialog(), pak->GetPrimaryDialog());
    pak->SetSelectionKind(MerchantDialogPak::SelectShort);
    pak->Speak(&callback);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(pak->GetCurrentDialog(), pak->GetShortDialog(0));
    pak->SetSelectionKind(7);
    pak->Speak(nullptr);
    EXPECT_EQ(completions, 2);
    EXPECT_EQ(pak->GetCurrentDialog(), nullptr);
    pak->ResetRoundTrips();
    EXPECT_FALSE(pak->IsInUse());
}

} // namespace
} // namespace GAME
