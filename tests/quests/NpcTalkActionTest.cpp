#include "quests/NpcTalkActions.h"

#include "characters/BoatMasterData.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/ObjectManager.h"
#include "quests/Action_IlluminateNpc.h"
#include "quests/Action_UpdateNPCDialog.h"
#include "quests/Dialog.h"
#include "quests/DialogPak.h"
#include "quests/QuestRepository.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/HeardEvents.h"
#include "tests/support/QuestGameFixture.h"
#include "tests/support/TrimAnnounce.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>

namespace GAME {
namespace {

constexpr const char* kElder = "Records/Creatures/NPC/Village/VillageElder.dbr";

class NpcTalkActions : public Test::QuestGameFixture {
protected:
    void SetUp() override
    {
        QuestGameFixture::SetUp();
        player = MakeMainPlayer();
    }
    Npc* Announce(const std::string& name = kElder)
    {
        auto* npc = DynamicCast<Npc>(ObjectManager::Instance().CreateObject("Npc"));
        GAME::Test::Announce(name, npc->GetObjectId());
        return npc;
    }
    // The action after the quest state was saved and loaded and its trigger fired again.
    template <typename A> A* Reloaded()
    {
        ReloadQuestState();
        return static_cast<A*>(QuestRepository::Get().FindActionById(0));
    }

    Player* player = nullptr;
};

TEST_F(NpcTalkActions, NamesFlagsAndDescriptions)
{
    Action_TalkNPC talk(1, nullptr);
    Action_ClearNPCDialog clear(2, nullptr);
    Action_BoatDialog boat(3, nullptr);
    Action_HideNpc hide(4, nullptr);
    talk.SetNPC(kElder);
    clear.SetNPC("Records\\Npc\\Baker.dbr");
    boat.SetNPC("Records/Npc/Ferryman.dbr");
    boat.SetX(-12);
    boat.SetY(0);
    boat.SetZ(340);
    hide.SetNpc(kElder);
    struct Row {
        TriggerAction* action;
        const char* name;
        bool canReFire;
        bool canDelay;
        const char* description;
    };
    for (const Row& row : {
             Row{&talk, "Action_TalkNPC", false, false,
                 "Initiate Conversation with {BVillageElder}"},
             Row{&clear, "Action_ClearNPCDialog", true, true, "Clear {BBaker}'s Dialog"},
             Row{&boat, "Action_BoatDialog", true, true,
                 "Boat Dialog {BFerryman} with target {B-12, 0, 340}"},
             Row{&hide, "Action_HideNpc", true, false, "Hide {BVillageElder}"},
         }) {
        SCOPED_TRACE(row.name);
        EXPECT_STREQ(row.action->GetName(), row.name);
        EXPECT_EQ(row.action->CanReFire(), row.canReFire);
        EXPECT_EQ(row.action->CanDelay(), row.canDelay);
        EXPECT_EQ(row.action->GetDescription(), row.description);
    }
}

TEST_F(NpcTalkActions, TalkBeforeTheNpcAnnouncedItselfIsLost)
{
    GAME::Test::Heard<GameEvent_GenericEntity> talks("GameEvent_ConversationBegin");
    auto* talk =
        LoadAction<Action_TalkNPC>("Action_TalkNPC", [](Action_TalkNPC& a) { a.SetNPC(kElder); });
    talk->Fire(0, false);
    EXPECT_FALSE(talk->IsPendingFire());
    const Npc* elder = Announce();
    EXPECT_TRUE(talks.events.empty());
    EXPECT_EQ(talk->GetNpcId(), elder->GetObjectId());

    talk->Fire(0, false);
    ASSERT_EQ(talks.events.size(), 1u);
    EXPECT_EQ(talks.events[0].objectId, player->GetObjectId());
}

TEST_F(NpcTalkActions, BoatDialogCompletesOnAppearanceButNotAcrossAReload)
{
    // The reload first: the player keeps a ferryman once made.
    for (const bool reload : {true, false}) {
        SCOPED_TRACE(reload);
        auto* boat = LoadAction<Action_BoatDialog>("Action_BoatDialog", [](Action_BoatDialog& a) {
            a.SetNPC(kElder);
            a.SetTag("tagFerry");
            a.SetX(4);
        });
        boat->Fire(0, false);
        EXPECT_TRUE(boat->IsPendingFire());
        if (reload)
            boat = Reloaded<Action_BoatDialog>();
        const Npc* ferryman = Announce();
        BoatMasterData data;
        EXPECT_EQ(player->GetBoatMaster(ferryman->GetObjectName(), data), !reload);
        EXPECT_FALSE(boat->IsPendingFire());
        QuestRepository::Destroy();
    }
}

TEST_F(NpcTalkActions, HiddenAgainOnRestoreOnlyWhenAllowed)
{
    for (const bool canReFire : {true, false}) {
        SCOPED_TRACE(canReFire);
        auto* hide = LoadAction<Action_HideNpc>("Action_HideNpc", [&](Action_HideNpc& a) {
            a.SetNpc(kElder);
            a.SetCanReFire(canReFire);
        });
        Npc* elder = Announce();
        hide->GetParent()->Fire(true);
        EXPECT_FALSE(elder->GetVisibility());
        elder->SetVisibility(true);
        Reloaded<Action_HideNpc>();
        Npc* restored = Announce();
        EXPECT_EQ(restored->GetVisibility(), !canReFire);
        QuestRepository::Destroy();
    }
}

TEST_F(NpcTalkActions, ClearStaysPendingAcrossAReload)
{
    database.WriteRecord("Records/Dialog/Elder.dbr", {"defaultDialogTextTag = tagElder"});
    auto* clear = LoadAction<Action_ClearNPCDialog>(
        "Action_ClearNPCDialog", [](Action_ClearNPCDialog& a) { a.SetNPC(kElder); });
    clear->Fire(0, false);
    clear = Reloaded<Action_ClearNPCDialog>();
    ASSERT_TRUE(clear->IsPendingFire());
    Npc* elder = DynamicCast<Npc>(ObjectManager::Instance().CreateObject("Npc"));
    elder->Dialog_ReplaceStatic("Records/Dialog/Elder.dbr", nullptr, false);
    ASSERT_TRUE(elder->HasDialog());
    clear->SetNpcId(elder->GetObjectId());
    clear->Apply();
    EXPECT_FALSE(elder->HasDialog());
    EXPECT_FALSE(clear->IsPendingFire());
}

TEST_F(NpcTalkActions, EndedIlluminationIsNotMarkedAgainOnRestore)
{
    auto* mark = LoadAction<Action_IlluminateNpc>(
        "Action_IlluminateNpc", [](Action_IlluminateNpc& a) { a.SetNpc(kElder); });
    Npc* elder = Announce();
    mark->GetParent()->Fire(true);
    EXPECT_EQ(elder->GetIlluminateAction(), mark);
    elder->Dialog_Deluminate();
    EXPECT_TRUE(mark->IsDeluminate());

    Reloaded<Action_IlluminateNpc>();
    Npc* restored = Announce();
    EXPECT_EQ(restored->GetIlluminateAction(), nullptr);
    EXPECT_NE(restored->GetPunctuationRecord(), "Records/Effects/ObjectEffects/Exclaimation02.dbr");
}

TEST_F(NpcTalkActions, ANameSetAfterReadingIsNotListenedFor)
{
    auto* hide =
        LoadAction<Action_HideNpc>("Action_HideNpc", [](Action_HideNpc& a) { a.SetNpc(kElder); });
    hide->SetNpc("Records/Npc/Other.dbr");
    hide->Fire(0, false);
    const Npc* other = Announce("Records/Npc/Other.dbr");
    EXPECT_TRUE(other->GetVisibility());
    EXPECT_TRUE(hide->IsPendingFire());
    EXPECT_FALSE(Announce()->GetVisibility());
}

class NpcDialogActionTest : public GAME::Test::EngineFixture {
protected:
    // Reading properties registers the actions with the repository.
    void TearDown() override
    {
        QuestRepository::Destroy();
        EngineFixture::TearDown();
    }
    Npc* MakeNpc() { return DynamicCast<Npc>(ObjectManager::Instance().CreateObject("Npc")); }

    // Both actions' properties, then their state, each as its own key.
    template <typename Channel>
    static bool Stream(Action_UpdateNPCDialog& update, Action_IlluminateNpc& illuminate,
                       Channel* stream)
    {
        return update.SerializeChildProperties(stream) && update.StreamChildProperties(stream) &&
               illuminate.SerializeChildProperties(stream) &&
               illuminate.StreamChildProperties(stream);
    }
};

TEST_F(NpcDialogActionTest, DescriptionsShowBareNamesAndTheIlluminationKind)
{
    Action_UpdateNPCDialog update(1, nullptr);
    update.SetNPC("Records/Npc/Town\\Baker.dbr");
    EXPECT_EQ(update.GetDescription(), "Update {BBaker}'s Dialog to {B[empty]}");
    update.SetDialogFile("Records/Dialog/BakerQ2.dbr");
    EXPECT_EQ(update.GetDescription(), "Update {BBaker}'s Dialog to {BBakerQ2}");

    Action_IlluminateNpc illuminate(7, nullptr);
    EXPECT_EQ(illuminate.GetDescription(), "Illuminate {B[empty]} as {B Primary }");
    illuminate.SetNpc("Records/Npc/Baker.dbr");
    for (const auto& [type, kind] : {std::pair{2, "{B Secondary }"}, std::pair{3, "{B Tertiary }"},
                                     std::pair{4, "{B[empty]}"}}) {
        illuminate.SetType(type);
        EXPECT_EQ(illuminate.GetDescription(), std::string("Illuminate {BBaker} as ") + kind);
    }
}

TEST_F(NpcDialogActionTest, UpdateDialogWaitsForItsNpcThenHandsTheDialogOver)
{
    database.WriteRecord("Records/Dialog/Baker.dbr", {"defaultDialogTextTag = tagBaker"});
    Action_UpdateNPCDialog action(1, nullptr);
    action.SetDialogFile("Records/Dialog/Baker.dbr");
    action.SetNoPrimaryDialog(true);
    action.Fire(0, false);
    EXPECT_TRUE(action.IsPendingFire());
    action.SetNpcId(999999); // names nothing
    action.Apply();
    EXPECT_TRUE(action.IsPendingFire());

    Npc* npc = MakeNpc();
    action.SetNpcId(npc->GetObjectId());
    action.Apply();
    EXPECT_FALSE(action.IsPendingFire());
    ASSERT_TRUE(npc->HasDialog());
    EXPECT_TRUE(npc->GetDialogPak()->GetPrimaryDialog()->HasBeenPlayed());
}

TEST_F(NpcDialogActionTest, IlluminateSetsTheDialogTypeAndDeluminatedActionUnmarks)
{
    Npc* npc = MakeNpc();
    Action_IlluminateNpc action(2, nullptr);
    action.SetType(2);
    action.SetNpcId(npc->GetObjectId());
    action.Fire(0, false);
    EXPECT_FALSE(action.IsPendingFire());
    EXPECT_EQ(npc->GetDialogType(), Npc::DialogType_Question);
    EXPECT_EQ(npc->GetIlluminateAction(), &action);

    Action_IlluminateNpc ended(3, nullptr);
    ended.SetDeluminate();
    ended.SetNpcId(npc->GetObjectId());
    ended.Fire(0, true);
    EXPECT_EQ(npc->GetIlluminateAction(), nullptr);
}

TEST_F(NpcDialogActionTest, PropertiesAndStateStreamUnderTheirKeys)
{
    IOStreamWrite out;
    {
        Action_UpdateNPCDialog update(1, nullptr);
        update.SetNPC("Records/Npc/Baker.dbr");
        update.SetDialogFile("Records/Dialog/Baker.dbr");
        update.SetNoPrimaryDialog(true);
        update.Fire(0, false);
        Action_IlluminateNpc illuminate(2, nullptr);
        illuminate.SetNpc("Records/Npc/Smith.dbr");
        illuminate.SetType(3);
        illuminate.SetDeluminate();
        ASSERT_TRUE(Stream(update, illuminate, &out));
    }
    IOStreamRead in(out.GetBytes());
    Action_UpdateNPCDialog update(1, nullptr);
    Action_IlluminateNpc illuminate(2, nullptr);
    ASSERT_TRUE(Stream(update, illuminate, &in));
    EXPECT_EQ(std::make_tuple(std::string(update.GetNPC()), std::string(update.GetDialogFile()),
                              update.IsPendingFire(), update.GetNoPrimaryDialog()),
              std::make_tuple("Records/Npc/Baker.dbr", "Records/Dialog/Baker.dbr", true, true));
    EXPECT_EQ(std::make_tuple(std::string(illuminate.GetNpc()), illuminate.GetType(),
                              illuminate.IsPendingFire(), illuminate.IsDeluminate()),
              std::make_tuple("Records/Npc/Smith.dbr", 3, false, true));
}

} // namespace
} // namespace GAME
