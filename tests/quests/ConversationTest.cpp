#include "quests/Conversation.h"
#include "quests/NpcConversationManager.h"

#include "engine/EventHandler.h"
#include "engine/ObjectManager.h"
#include "engine/SingletonManager.h"
#include "engine/WorldVec3.h"
#include "game/GameEngine.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace GAME {
namespace {

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
};

using Lines = std::vector<std::pair<uint32_t, std::string>>;

TEST_F(Conversations, SpeakersComeByNumberAndLinesInOrder)
{
    Conversation conversation = Loaded();
    ASSERT_EQ(conversation.GetNumberOfConversationalists(), 2u);
    const uint32_t ids[] = {11, 22};
    conversation.SetConversationActors(ids);
    conversation.SetConversationActors(nullptr);
    std::vector<uint32_t> actors{7};
    conversation.GetConversationActors(actors);
    EXPECT_EQ(actors, (std::vector<uint32_t>{7, 11, 22}));
    // PlayOut also checks that the fourth call answers speaker 0 and no tag.
    EXPECT_EQ(PlayOut(conversation), (Lines{{22, "tagOne"}, {11, "tagTwo"}, {22, "tagThree"}}));
}

TEST_F(Conversations, ACopySpeaksWithItsOwnSpeakers)
{
    Conversation original = Loaded();
    Conversation copy = original;
    const uint32_t copyIds[] = {1, 2};
    copy.SetConversationActors(copyIds);
    Conversation assigned;
    assigned = copy;
    const uint32_t ids[] = {3, 4};
    original.SetConversationActors(ids);
    EXPECT_EQ(PlayOut(copy), (Lines{{2, "tagOne"}, {1, "tagTwo"}, {2, "tagThree"}}));
    EXPECT_EQ(PlayOut(assigned), (Lines{{2, "tagOne"}, {1, "tagTwo"}, {2, "tagThree"}}));
}

TEST_F(Conversations, BeginningStartsOverAndTellsTheWorld)
{
    Conversation conversation = Loaded();
    Conversation* heard = nullptr;
    struct Listener {
        Conversation** out;
        void On(const GameEvent_StartSidelineConversation& e) { *out = e.conversation; }
    } listener{&heard};
    EventHandler<Listener, GameEvent_StartSidelineConversation> handler(
        "GameEvent_StartSidelineConversation", &Listener::On, &listener);
    PlayOut(conversation);
    conversation.OnBeginConverse();
    EXPECT_EQ(heard, &conversation);
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
    const uint32_t ids[] = {11, 22};
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
    const uint32_t ids[] = {11, 22};
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

TEST_F(Conversations, TheManagerLeavesTheEventManagerWhenDestroyed)
{
    const size_t before =
        EventManager::Instance().GetListenerCount("GameEvent_EnterBoundingVolume");
    SingletonManager::Instance().DestroyAll();
    EXPECT_EQ(EventManager::Instance().GetListenerCount("GameEvent_EnterBoundingVolume"),
              before - 1);
    EXPECT_NE(&NpcConversationManager::Get(), nullptr);
    EXPECT_EQ(SingletonManager::Instance().GetCount(), 1u);
}

TEST_F(Conversations, ShuttingTheLibraryDownDestroysTheManager)
{
    ASSERT_EQ(gGameEngine, nullptr);
    InitializeObjects();
    ShutdownObjects();
    EXPECT_EQ(SingletonManager::Instance().GetCount(), 0u);
    EXPECT_EQ(EventManager::Instance().GetListenerCount("GameEvent_ExitBoundingVolume"), 0u);
}

} // namespace
} // namespace GAME
