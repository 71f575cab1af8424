#include "quests/Dialog.h"

#include "engine/LocalizationManager.h"
#include "engine/SoundManager.h"
#include "engine/VoidCallbackFunctor.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME {
namespace {

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { SoundManager::Instance().Reset(); }
    void TearDown() override { SoundManager::Instance().Reset(); }

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
    EXPECT_EQ(play.type, SoundManager::Play2DRequest);
    EXPECT_EQ(play.file, "Sounds/hello.wav");
    EXPECT_FLOAT_EQ(play.volume, 0.5f);
    EXPECT_EQ(play.kind, 2);
    EXPECT_TRUE(play.flag);

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
    EXPECT_EQ(fade.type, SoundManager::FadeRequest);
    EXPECT_EQ(fade.fadeMs, 100);
    EXPECT_EQ(fade.fadeTarget, 0);
    EXPECT_FALSE(fade.flag);
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

} // namespace
} // namespace GAME
