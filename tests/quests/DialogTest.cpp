#include "quests/Dialog.h"
#include "quests/MerchantDialogPak.h"
#include "quests/NpcDialogPak.h"

#include "engine/LocalizationManager.h"
#include "engine/SoundManager.h"
#include "engine/VoidCallbackFunctor.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <tuple>
#include <vector>

namespace GAME {
namespace {

class DialogTest : public GAME::Test::EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        SoundManager::Instance().Reset();
    }

    // A pak made from its record; a record that fails to load fails the test and gives an
    // empty pak, so that the test goes on without a null.
    template <typename Pak> std::unique_ptr<Pak> SpawnFrom(std::initializer_list<std::string> lines)
    {
        database.WriteRecord("Records/Dialog/Test.dbr", lines);
        std::unique_ptr<Pak> pak(Pak::Spawn("Records/Dialog/Test.dbr"));
        if (!pak) {
            ADD_FAILURE() << "the pak record did not load";
            pak.reset(Pak::Spawn());
        }
        return pak;
    }

    std::vector<int> calls;
    VoidCallbackFunctor callback{[this](int value) { calls.push_back(value); }};
};

TEST_F(DialogTest, SilentLineStaysUpFiveSecondsEachTimeItIsSaid)
{
    Dialog line;
    line.SetTextTag("tagHello");
    // A sound of unknown length is shown as a silent line too.
    line.SetAudioFile("Sounds/unknown.wav");
    for (size_t round = 1; round <= 2; ++round) {
        line.Speak(&callback);
        EXPECT_FALSE(line.IsSpeaking());
        EXPECT_TRUE(line.HasBeenPlayed());
        line.Update(4999);
        EXPECT_EQ(calls.size(), round - 1);
        line.Update(1);
        line.Update(1000);
        EXPECT_EQ(calls, std::vector<int>(round, 0));
    }
}

TEST_F(DialogTest, SpokenLinePlaysTwoDimensionalSoundOfKindTwoUntilItEnds)
{
    SoundManager& sounds = SoundManager::Instance();
    sounds.SetFileLength("Sounds/hello.wav", 1200);
    Dialog line;
    line.SetAudioFile("Sounds/hello.wav");
    line.SetVolume(0.5f);
    line.Speak(&callback);
    ASSERT_TRUE(line.IsSpeaking());
    EXPECT_EQ(line.GetPlaybackTime(), 1200);
    const SoundManager::Request& play = sounds.GetRequests().back();
    EXPECT_EQ(std::tie(play.type, play.file, play.kind, play.flag),
              std::make_tuple(SoundManager::Play2DRequest, "Sounds/hello.wav", 2, true));
    EXPECT_FLOAT_EQ(play.volume, 0.5f);

    line.Speak(&callback); // nothing while speaking
    line.SetVolumeFade(0.5f);
    EXPECT_FLOAT_EQ(sounds.GetRequests().back().volume, 0.25f);

    sounds.Update(1199);
    line.Update(1199);
    EXPECT_TRUE(calls.empty());
    sounds.Update(1);
    line.Update(1);
    EXPECT_FALSE(line.IsSpeaking());
    EXPECT_EQ(calls, std::vector<int>{0});
}

TEST_F(DialogTest, StopFadesTheSoundOutAndCompletes)
{
    SoundManager& sounds = SoundManager::Instance();
    sounds.SetFileLength("Sounds/long.wav", 9000);
    Dialog line;
    line.SetAudioFile("Sounds/long.wav");
    line.Speak(&callback);
    line.Stop();
    const SoundManager::Request& fade = sounds.GetRequests().back();
    EXPECT_EQ(std::tie(fade.type, fade.fadeMs, fade.fadeTarget, fade.flag),
              std::make_tuple(SoundManager::FadeRequest, 100, 0, false));
    EXPECT_FALSE(line.IsSpeaking());
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(DialogTest, ResetMakesTheLineFreshAndTextGoesThroughSimpleStringFormat)
{
    LocalizationManager& texts = LocalizationManager::Instance();
    texts.Clear();
    texts.AddText("SimpleStringFormat", L"<%s>");
    texts.AddText("tagHello", L"Hello there");
    Dialog line;
    line.SetTextTag("tagHello");
    line.Speak(nullptr);
    line.Update(6000);
    line.Reset();
    EXPECT_FALSE(line.HasBeenPlayed());
    EXPECT_EQ(line.GetSilentTimeLeft(), 5000);
    EXPECT_EQ(line.GetText(), L"<Hello there>");
    texts.Clear();
}

TEST_F(DialogTest, NpcPakWithoutIrritationLineNeverCountsRoundTripsAndShowsItsFirstLine)
{
    auto pak = SpawnFrom<NpcDialogPak>({"dialogTextTag1 = tag1", "irritationRoundTrips = 3"});
    EXPECT_EQ(pak->GetIrritationRoundTrips(), -1);
    // Keys left out read as 0 here, where a merchant keeps its reset distance of 10.
    EXPECT_EQ(std::make_tuple(pak->GetShortGreetingTime(), pak->GetResetDistance()),
              std::make_tuple(0, 0.0f));
    EXPECT_EQ(pak->GetPrimaryDialog()->GetTextTag(), "tag1");
}

TEST_F(DialogTest, NpcPakWithOnlyADefaultLineSaysItEveryTime)
{
    auto pak = SpawnFrom<NpcDialogPak>({"defaultDialogTextTag = tagDefault"});
    for (size_t round = 1; round <= 3; ++round) {
        pak->Speak(&callback);
        EXPECT_EQ(pak->GetCurrentDialog(), pak->GetPrimaryDialog());
        pak->Speak(&callback); // a line is current: nothing
        pak->Update(5000);
        EXPECT_EQ(calls.size(), round);
        EXPECT_EQ(pak->GetCurrentDialog(), nullptr);
    }
    EXPECT_TRUE(pak->IsInUse());
    pak->ResetRoundTrips();
    EXPECT_FALSE(pak->IsInUse());
    EXPECT_FALSE(pak->GetPrimaryDialog()->HasBeenPlayed());
}

TEST_F(DialogTest, NpcPakResetAllDialogsFreshensEveryLine)
{
    auto pak =
        SpawnFrom<NpcDialogPak>({"defaultDialogTextTag = tagDefault", "dialogTextTag1 = tag1",
                                 "irritationDialogTextTag = tagGo", "irritationRoundTrips = 1"});
    pak->Speak(&callback);
    pak->Stop();
    EXPECT_EQ(calls.size(), 1u);
    pak->GetOtherDialog(0)->SetHasBeenPlayed(true);
    pak->ResetRoundTrips();
    // Other lines exist, so the primary line stays said.
    EXPECT_TRUE(pak->GetPrimaryDialog()->HasBeenPlayed());
    pak->ResetAllDialogs();
    EXPECT_FALSE(pak->GetPrimaryDialog()->HasBeenPlayed());
    EXPECT_FALSE(pak->GetOtherDialog(0)->HasBeenPlayed());
    EXPECT_EQ(pak->GetRoundTripsLeft(), 1);
}

TEST_F(DialogTest, AMissingPakRecordIsNoPakAndMerchantLinesTakeTheirNumberedSlot)
{
    EXPECT_EQ(NpcDialogPak::Spawn("Records/Dialog/Missing.dbr"), nullptr);
    EXPECT_EQ(MerchantDialogPak::Spawn("Records/Dialog/Missing.dbr"), nullptr);
    auto pak = SpawnFrom<MerchantDialogPak>(
        {"longDialogTextTag2 = tagLong2", "goodbyeDialogTextTag1 = tagBye1"});
    EXPECT_EQ(pak->GetLongDialog(0), nullptr);
    EXPECT_EQ(pak->GetLongDialog(1)->GetTextTag(), "tagLong2");
    EXPECT_EQ(pak->GetGoodbyeDialog(5), nullptr);
    EXPECT_FLOAT_EQ(pak->GetResetDistance(), 10.0f);
}

TEST_F(DialogTest, MerchantGreetingWithoutGreetingLineUsesLongLines)
{
    auto pak = SpawnFrom<MerchantDialogPak>({"longDialogTextTag3 = tagLong3"});
    pak->SetSelectionKind(MerchantDialogPak::SelectGreeting);
    pak->Speak(&callback);
    EXPECT_EQ(pak->GetCurrentDialog(), pak->GetLongDialog(2));
}

TEST_F(DialogTest, MerchantSaysEachLineOfAKindOnceBeforeAnyRepeats)
{
    auto pak = SpawnFrom<MerchantDialogPak>(
        {"goodbyeDialogTextTag1 = tagBye1", "goodbyeDialogTextTag4 = tagBye4"});
    pak->SetSelectionKind(MerchantDialogPak::SelectGoodbye);
    std::set<Dialog*> said;
    for (int i = 0; i < 2; ++i) {
        pak->Speak(&callback);
        said.insert(pak->GetCurrentDialog());
        pak->Update(5000);
    }
    EXPECT_EQ(said, (std::set<Dialog*>{pak->GetGoodbyeDialog(0), pak->GetGoodbyeDialog(3)}));
    // All said: the kind starts over.
    pak->Speak(&callback);
    EXPECT_NE(pak->GetCurrentDialog(), nullptr);
}

TEST_F(DialogTest, MerchantSpeakingCutsOffTheCurrentLineAndUnknownKindSaysNothing)
{
    auto pak = SpawnFrom<MerchantDialogPak>(
        {"globalDialogTextTag1 = tagGreet", "shortDialogTextTag1 = tagShort"});
    pak->Speak(&callback);
    EXPECT_EQ(pak->GetCurrentDialog(), pak->GetPrimaryDialog());
    pak->SetSelectionKind(MerchantDialogPak::SelectShort);
    pak->Speak(&callback);
    EXPECT_EQ(calls.size(), 1u);
    EXPECT_EQ(pak->GetCurrentDialog(), pak->GetShortDialog(0));
    pak->SetSelectionKind(7);
    pak->Speak(nullptr);
    EXPECT_EQ(calls.size(), 2u);
    EXPECT_EQ(pak->GetCurrentDialog(), nullptr);
    pak->ResetRoundTrips();
    EXPECT_FALSE(pak->IsInUse());
}

} // namespace
} // namespace GAME
