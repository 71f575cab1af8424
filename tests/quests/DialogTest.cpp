#include "quests/Dialog.h"
#include "quests/MerchantDialogPak.h"
#include "quests/NpcDialogPak.h"

#include "engine/LocalizationManager.h"
#include "engine/SoundManager.h"
#include "engine/VoidCallbackFunctor.h"
#include "tests/support/EngineFixture.h"

#include <memory>
#include <set>
#include <tuple>
#include <vector>

namespace GAME {
namespace {

// The fields of a sound request a line sets, to compare in one piece.
auto Fields(const SoundManager::Request& request)
{
    return std::make_tuple(request.type, request.file, request.kind, request.flag, request.fadeMs,
                           request.fadeTarget);
}

class DialogTest : public GAME::Test::EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        SoundManager::Instance().Reset();
    }
    void TearDown() override
    {
        SoundManager::Instance().Reset();
        EngineFixture::TearDown();
    }

    // A pak made from its record, owned by the test.
    template <typename Pak> std::unique_ptr<Pak> SpawnFrom(std::initializer_list<std::string> lines)
    {
        database.WriteRecord("Records/Dialog/Test.dbr", lines);
        return std::unique_ptr<Pak>(Pak::Spawn("Records/Dialog/Test.dbr"));
    }

    std::vector<int> calls;
    VoidCallbackFunctor callback{[this](int value) { calls.push_back(value); }};
};

TEST_F(DialogTest, SilentLineStaysUpFiveSecondsAndCompletesOnce)
{
    Dialog line;
    line.SetTextTag("tagHello");
    line.Speak(&callback);
    EXPECT_FALSE(line.IsSpeaking());
    EXPECT_TRUE(line.HasBeenPlayed());
    EXPECT_EQ(line.GetPlaybackTime(), -1);
    line.Update(4999);
    EXPECT_TRUE(calls.empty());
    line.Update(1);
    line.Update(1000);
    EXPECT_EQ(calls, std::vector<int>{0});

    // Said again, it stays up as long as the first time.
    line.Speak(&callback);
    line.Update(4999);
    EXPECT_EQ(calls.size(), 1u);
    line.Update(1);
    EXPECT_EQ(calls.size(), 2u);
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
    EXPECT_EQ(Fields(play), Fields({SoundManager::Play2DRequest, "Sounds/hello.wav", 0, 2, true}));
    EXPECT_FLOAT_EQ(play.volume, 0.5f);

    line.Speak(&callback); // nothing while speaking
    line.SetVolumeFade(0.5f);
    EXPECT_FLOAT_EQ(line.GetVolume(), 0.25f);
    EXPECT_FLOAT_EQ(sounds.GetRequests().back().volume, 0.25f);

    sounds.Update(1199);
    line.Update(1199);
    EXPECT_TRUE(calls.empty());
    sounds.Update(1);
    line.Update(1);
    EXPECT_FALSE(line.IsSpeaking());
    EXPECT_EQ(calls, std::vector<int>{0});
}

TEST_F(DialogTest, SoundOfUnknownLengthIsShownAsSilentLine)
{
    Dialog line;
    line.SetAudioFile("Sounds/unknown.wav");
    line.Speak(&callback);
    EXPECT_FALSE(line.IsSpeaking());
    line.Update(5000);
    EXPECT_EQ(calls.size(), 1u);
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
    EXPECT_EQ(line.GetPlaybackTime(), -1);
    EXPECT_EQ(line.GetSilentTimeLeft(), 5000);
    EXPECT_EQ(line.GetText(), L"<Hello there>");
    texts.Clear();
}

TEST_F(DialogTest, NpcPakSpawnFailsForMissingRecordAndEmptyPakHasDefaults)
{
    EXPECT_EQ(NpcDialogPak::Spawn("Records/Dialog/Missing.dbr"), nullptr);
    std::unique_ptr<NpcDialogPak> pak(NpcDialogPak::Spawn());
    EXPECT_EQ(pak->GetPrimaryDialog(), nullptr);
    EXPECT_EQ(pak->GetShortGreetingTime(), 10);
    EXPECT_FLOAT_EQ(pak->GetResetDistance(), 10.0f);
    EXPECT_EQ(pak->GetPlaybackTime(), -1);
    EXPECT_EQ(pak->GetText(), L"");
}

TEST_F(DialogTest, NpcPakLoadsEveryKeyAndOnlyFourNumberedLines)
{
    auto pak = SpawnFrom<NpcDialogPak>(
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
    EXPECT_EQ(std::make_tuple(pak->GetIrritationRoundTrips(), pak->GetRoundTripsLeft(),
                              pak->GetShortGreetingTime()),
              std::make_tuple(2, 2, 30));
    EXPECT_FLOAT_EQ(pak->GetResetDistance(), 12.5f);
}

TEST_F(DialogTest, NpcPakWithoutIrritationLineNeverCountsRoundTrips)
{
    auto pak = SpawnFrom<NpcDialogPak>({"dialogTextTag1 = tag1", "irritationRoundTrips = 3"});
    ASSERT_NE(pak, nullptr);
    EXPECT_EQ(pak->GetIrritationRoundTrips(), -1);
    EXPECT_EQ(pak->GetShortGreetingTime(), 0);
    EXPECT_FLOAT_EQ(pak->GetResetDistance(), 0.0f);
    // With no default line the first line read is the one shown first.
    EXPECT_EQ(pak->GetPrimaryDialog()->GetTextTag(), "tag1");
}

TEST_F(DialogTest, NpcPakWithOnlyADefaultLineSaysItEveryTime)
{
    auto pak = SpawnFrom<NpcDialogPak>({"defaultDialogTextTag = tagDefault"});
    ASSERT_NE(pak, nullptr);
    EXPECT_FALSE(pak->IsInUse());
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
    ASSERT_NE(pak, nullptr);
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
    EXPECT_FALSE(pak->IsIrritated());
    EXPECT_EQ(pak->GetRoundTripsLeft(), 1);
}

TEST_F(DialogTest, MerchantPakLoadsLinesIntoTheirKindsSlotByNumber)
{
    EXPECT_EQ(MerchantDialogPak::Spawn("Records/Dialog/Missing.dbr"), nullptr);
    auto pak = SpawnFrom<MerchantDialogPak>(
        {"globalDialogTextTag1 = tagGreet", "globalDialogSoundVolume1 = 0.7",
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
    EXPECT_EQ(std::make_tuple(pak->GetShortGreetingTime(), pak->GetPlaybackTime()),
              std::make_tuple(20, 0));
    EXPECT_FLOAT_EQ(pak->GetResetDistance(), 10.0f);
}

TEST_F(DialogTest, MerchantGreetingWithoutGreetingLineUsesLongLines)
{
    auto pak = SpawnFrom<MerchantDialogPak>({"longDialogTextTag3 = tagLong3"});
    ASSERT_NE(pak, nullptr);
    pak->SetSelectionKind(MerchantDialogPak::SelectGreeting);
    pak->Speak(&callback);
    EXPECT_EQ(pak->GetCurrentDialog(), pak->GetLongDialog(2));
    EXPECT_TRUE(pak->IsInUse());
}

TEST_F(DialogTest, MerchantSaysEachLineOfAKindOnceBeforeAnyRepeats)
{
    auto pak = SpawnFrom<MerchantDialogPak>(
        {"goodbyeDialogTextTag1 = tagBye1", "goodbyeDialogTextTag4 = tagBye4"});
    ASSERT_NE(pak, nullptr);
    pak->SetSelectionKind(MerchantDialogPak::SelectGoodbye);
    std::set<Dialog*> said;
    for (int i = 0; i < 2; ++i) {
        pak->Speak(&callback);
        said.insert(pak->GetCurrentDialog());
        pak->Update(5000);
    }
    EXPECT_EQ(said, (std::set<Dialog*>{pak->GetGoodbyeDialog(0), pak->GetGoodbyeDialog(3)}));
    EXPECT_EQ(calls.size(), 2u);
    // All said: the kind starts over.
    pak->Speak(&callback);
    EXPECT_NE(pak->GetCurrentDialog(), nullptr);
}

TEST_F(DialogTest, MerchantSpeakingCutsOffTheCurrentLineAndUnknownKindSaysNothing)
{
    auto pak = SpawnFrom<MerchantDialogPak>(
        {"globalDialogTextTag1 = tagGreet", "shortDialogTextTag1 = tagShort"});
    ASSERT_NE(pak, nullptr);
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
