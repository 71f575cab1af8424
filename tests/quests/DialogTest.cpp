#include "quests/Dialog.h"

#include "engine/EventManager.h"
#include "engine/ObjectManager.h"
#include "engine/SingletonManager.h"
#include "engine/SoundManager.h"
#include "engine/VoidCallbackFunctor.h"
#include "engine/WorldVec3.h"
#include "game/GameEngine.h"
#include "quests/Conversation.h"
#include "quests/MerchantDialogPak.h"
#include "quests/NpcConversationManager.h"
#include "quests/NpcDialogPak.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/HeardEvents.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <utility>
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

TEST_F(DialogTest, SpokenLineCompletesWhenItsSoundEndsOrAtOnceWhenStopped)
{
    SoundManager& sounds = SoundManager::Instance();
    sounds.SetFileLength("Sounds/hello.wav", 1200);
    Dialog line;
    line.SetAudioFile("Sounds/hello.wav");
    line.Speak(&callback);
    ASSERT_TRUE(line.IsSpeaking());
    EXPECT_EQ(line.GetPlaybackTime(), 1200);
    line.Speak(&callback); // nothing while speaking

    sounds.Update(1199);
    line.Update(1199);
    EXPECT_TRUE(calls.empty());
    sounds.Update(1);
    line.Update(1);
    EXPECT_FALSE(line.IsSpeaking());
    EXPECT_EQ(calls, std::vector<int>{0});

    line.Speak(&callback);
    ASSERT_TRUE(line.IsSpeaking());
    line.Stop();
    EXPECT_FALSE(line.IsSpeaking());
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(DialogTest, NpcPakWithoutIrritationLineNeverCountsRoundTripsAndShowsItsFirstLine)
{
    auto pak = SpawnFrom<NpcDialogPak>({"dialogTextTag1 = tag1", "irritationRoundTrips = 3"});
    EXPECT_EQ(pak->GetIrritationRoundTrips(), -1);
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

constexpr const char* kElder = "Records/Dialog/Elder.dbr";

class NpcDialogPakTalk : public Test::EngineFixture {
protected:
    std::unique_ptr<NpcDialogPak> Elder(int irritationRoundTrips)
    {
        database.WriteRecord(
            kElder, {"defaultDialogTextTag = tagVillageElderGreeting", "dialogTextTag1 = tagA",
                     "dialogTextTag2 = tagB", "dialogTextTag3 = tagC", "dialogTextTag5 = tagNever",
                     "irritationDialogTextTag = tagVillageElderIrritated",
                     "irritationRoundTrips = " + std::to_string(irritationRoundTrips)});
        std::srand(59);
        return std::unique_ptr<NpcDialogPak>(NpcDialogPak::Spawn(kElder));
    }
    // One talk to the end: the tag said, or empty when the pack said nothing.
    std::string Talk(NpcDialogPak& pak)
    {
        pak.Speak(&callback);
        const Dialog* line = static_cast<const Dialog*>(pak.GetCurrentDialog());
        const std::string tag = line != nullptr ? line->GetTextTag() : "";
        pak.Update(Dialog::kSilentTime);
        return tag;
    }

    int completions = 0;
    VoidCallbackFunctor callback{[this](int value) { completions += value == 0 ? 1 : 100; }};
};

TEST_F(NpcDialogPakTalk, ElderGreetsSaysEachLineOncePerRoundThenStaysIrritated)
{
    auto pak = Elder(2);
    ASSERT_NE(pak, nullptr);
    EXPECT_EQ(Talk(*pak), "tagVillageElderGreeting");
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        std::multiset<std::string> said;
        for (int talk = 0; talk < 3; ++talk)
            said.insert(Talk(*pak));
        EXPECT_EQ(said, (std::multiset<std::string>{"tagA", "tagB", "tagC"}));
        EXPECT_FALSE(pak->IsIrritated());
    }
    for (int talk = 8; talk <= 11; ++talk) {
        EXPECT_EQ(Talk(*pak), "tagVillageElderIrritated") << "talk " << talk;
        EXPECT_TRUE(pak->IsIrritated());
    }
    EXPECT_EQ(completions, 11);

    pak->ResetRoundTrips();
    EXPECT_FALSE(pak->IsIrritated());
    const std::set<std::string> lines{"tagA", "tagB", "tagC"};
    EXPECT_EQ(lines.count(Talk(*pak)), 1u);
}

TEST_F(NpcDialogPakTalk, WithoutRoundTripsTheIrritationLineNeverComes)
{
    auto pak = Elder(-1);
    ASSERT_NE(pak, nullptr);
    for (int talk = 1; talk <= 30; ++talk) {
        const std::string tag = Talk(*pak);
        EXPECT_NE(tag, "tagVillageElderIrritated") << "talk " << talk;
        EXPECT_NE(tag, "tagNever");
    }
    EXPECT_FALSE(pak->IsIrritated());
}

TEST_F(NpcDialogPakTalk, LinesFallBackToWhatThePackHas)
{
    // Without other lines the irritation line answers, with or without a greeting first.
    const std::vector<std::pair<const char*, std::vector<std::string>>> rows = {
        {"defaultDialogTextTag = tagHi\nirritationDialogTextTag = tagGo\n",
         {"tagHi", "tagGo", "tagGo"}},
        {"irritationDialogTextTag = tagGo\n", {"tagGo", "tagGo"}},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].first);
        const std::string path = "Records/Dialog/Row" + std::to_string(i) + ".dbr";
        database.WriteFile(path, rows[i].first);
        std::unique_ptr<NpcDialogPak> pak(NpcDialogPak::Spawn(path));
        ASSERT_NE(pak, nullptr);
        for (const std::string& expected : rows[i].second)
            EXPECT_EQ(Talk(*pak), expected);
    }
    std::unique_ptr<NpcDialogPak> empty(NpcDialogPak::Spawn());
    EXPECT_EQ(Talk(*empty), "");
}

TEST_F(NpcDialogPakTalk, ACompletionThatSpeaksAgainKeepsTheRunningCallbackAlive)
{
    auto pak = Elder(2);
    int lines = 0;
    VoidCallbackFunctor again;
    again = VoidCallbackFunctor([&](int) {
        if (++lines < 5)
            pak->Speak(&again);
    });
    pak->Speak(&again);
    for (int frame = 0; frame < 10; ++frame)
        pak->Update(Dialog::kSilentTime);
    EXPECT_EQ(lines, 5);
    EXPECT_EQ(pak->GetCurrentDialog(), nullptr);
}

constexpr const char* kTalk = "Records/Conversations/Talk.dbr";
constexpr const char* kPak = "Records/Conversations/Pak.dbr";

class Conversations : public Test::EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord(
            kTalk, {"dialogTag1 = tagOne", "dialogSpeaker1 = 2", "dialogTag2 = tagTwo",
                    "dialogSpeaker2 = 1", "dialogTag3 = tagThree", "dialogSpeaker3 = 2",
                    "dialogTag4 = tagNobody", "dialogSpeaker4 = 0",
                    "dialogTag5 = ", "dialogSpeaker5 = 1", "dialogTag6 = tagFifth",
                    "dialogSpeaker6 = 5", "dialogTag21 = tagLate", "dialogSpeaker21 = 1"});
        database.WriteRecord(kPak, {std::string("allConversations = ") + kTalk +
                                    ";Records/Conversations/Missing.dbr;" + kPak});
    }
    void TearDown() override
    {
        SingletonManager::Instance().DestroyAll();
        EngineFixture::TearDown();
    }
    Conversation Loaded()
    {
        Conversation conversation;
        ObjectManager::Instance().LoadTableFile(kTalk);
        conversation.Load(ObjectManager::Instance().GetLoadTable(kTalk));
        return conversation;
    }
    // Every line to the end, as (speaker, tag).
    static std::vector<std::pair<uint32_t, std::string>> PlayOut(Conversation& conversation)
    {
        std::vector<std::pair<uint32_t, std::string>> lines;
        uint32_t speaker = 0;
        std::string tag;
        while (conversation.GetNextSpeakerAndSpeech(speaker, tag))
            lines.emplace_back(speaker, tag);
        EXPECT_EQ(speaker, 0u);
        EXPECT_EQ(tag, "");
        return lines;
    }

    NpcConversationManager& manager = NpcConversationManager::Get();
    const uint32_t ids[2] = {11, 22};
};

using Lines = std::vector<std::pair<uint32_t, std::string>>;

TEST_F(Conversations, SpeakersComeByNumberAndLinesInOrderAgainFromEachBeginning)
{
    Conversation conversation = Loaded();
    ASSERT_EQ(conversation.GetNumberOfConversationalists(), 2u);
    conversation.SetConversationActors(ids);
    conversation.SetConversationActors(nullptr);
    std::vector<uint32_t> actors{7};
    conversation.GetConversationActors(actors);
    EXPECT_EQ(actors, (std::vector<uint32_t>{7, 11, 22}));
    // PlayOut also checks that the fourth call answers speaker 0 and no tag.
    EXPECT_EQ(PlayOut(conversation), (Lines{{22, "tagOne"}, {11, "tagTwo"}, {22, "tagThree"}}));

    // A beginning starts over and tells the world.
    GAME::Test::Heard<GameEvent_StartSidelineConversation> begun(
        "GameEvent_StartSidelineConversation");
    conversation.OnBeginConverse();
    ASSERT_EQ(begun.events.size(), 1u);
    EXPECT_EQ(begun.events[0].conversation, &conversation);
    EXPECT_EQ(PlayOut(conversation).size(), 3u);
}

TEST_F(Conversations, APackLoadsOnceAndNpcsMoveBetweenFreeAndBusy)
{
    manager._EnableConversationPak("");
    manager._EnableConversationPak(kPak);
    manager._EnableConversationPak(kPak);
    ASSERT_EQ(manager.GetPakCount(), 1u);
    // The missing record is left out; the pack naming itself gives a conversation of no lines.
    ASSERT_EQ(manager.GetAvailableConversations().size(), 2u);
    Conversation* talk = manager.GetAvailableConversations().front();

    for (const uint32_t npc : {11u, 22u, 33u, 11u})
        manager._MakeEnabled(npc);
    manager.OnStartConversation(talk, ids, WorldVec3());
    EXPECT_EQ(manager.GetAvailableNpcs(), (std::vector<uint32_t>{33}));
    EXPECT_EQ(manager.GetBusyNpcs(), (std::vector<uint32_t>{11, 22}));
    EXPECT_EQ(manager.GetBusyConversations(), (std::vector<Conversation*>{talk}));
    manager._MakeDisabled(22);
    talk->OnEndConverse();
    EXPECT_EQ(manager.GetAvailableNpcs(), (std::vector<uint32_t>{33, 11}));
    EXPECT_TRUE(manager.GetBusyNpcs().empty());
    EXPECT_EQ(manager.GetAvailableConversations().back(), talk);
    EXPECT_EQ(manager.GetAvailableConversations().size(), 2u);

    // No ids: the speakers keep theirs.
    manager.OnStartConversation(talk, nullptr, WorldVec3());
    EXPECT_EQ(manager.GetBusyNpcs(), (std::vector<uint32_t>{11, 22}));
}

TEST_F(Conversations, DisablingARunningPackLetsItFinishThenDisablesItOnce)
{
    manager._EnableConversationPak(kPak);
    Conversation* talk = manager.GetAvailableConversations().front();
    manager.OnStartConversation(talk, ids, WorldVec3());
    manager._DisableConversationPak(kPak);
    EXPECT_TRUE(talk->IsPendingDisable());
    EXPECT_EQ(manager.GetBusyConversations(), (std::vector<Conversation*>{talk}));
    EXPECT_EQ(manager.GetDisabledConversations().size(), 2u);

    talk->OnEndConverse();
    talk->OnEndConverse();
    EXPECT_FALSE(talk->IsPendingDisable());
    EXPECT_TRUE(manager.GetBusyConversations().empty());
    EXPECT_TRUE(manager.GetAvailableConversations().empty());
    EXPECT_EQ(manager.GetDisabledConversations().size(), 2u);

    manager._EnableCollisionConversationPak(kPak);
    EXPECT_TRUE(manager.GetDisabledConversations().empty());
    EXPECT_EQ(manager.GetAvailableConversations().size(), 2u);
    EXPECT_EQ(manager.GetPakCount(), 1u);
}

TEST_F(Conversations, ARunningConversationEnabledAgainReturnsOnlyWhenItEnds)
{
    manager._EnableConversationPak(kPak);
    Conversation* talk = manager.GetAvailableConversations().front();
    manager.OnStartConversation(talk, nullptr, WorldVec3());
    manager._DisableConversationPak(kPak);
    manager._EnableConversationPak(kPak);
    EXPECT_FALSE(talk->IsPendingDisable());
    EXPECT_EQ(manager.GetAvailableConversations().size(), 1u);
    manager.OnEndConversation(talk);
    EXPECT_EQ(manager.GetAvailableConversations().size(), 2u);
    EXPECT_EQ(manager.GetAvailableConversations().back(), talk);
}

TEST_F(Conversations, TheManagerLeavesTheEventManagerWhenDestroyedAndWhenTheLibraryShutsDown)
{
    const size_t before =
        EventManager::Instance().GetListenerCount("GameEvent_EnterBoundingVolume");
    SingletonManager::Instance().DestroyAll();
    EXPECT_EQ(EventManager::Instance().GetListenerCount("GameEvent_EnterBoundingVolume"),
              before - 1);
    NpcConversationManager::Get();
    EXPECT_EQ(SingletonManager::Instance().GetCount(), 1u);

    ASSERT_EQ(gGameEngine, nullptr);
    InitializeObjects();
    ShutdownObjects();
    EXPECT_EQ(SingletonManager::Instance().GetCount(), 0u);
    EXPECT_EQ(EventManager::Instance().GetListenerCount("GameEvent_ExitBoundingVolume"), 0u);
}

} // namespace
} // namespace GAME
