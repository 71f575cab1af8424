#include "quests/Action_IlluminateNpc.h"
#include "quests/Action_UpdateNPCDialog.h"

#include "characters/Npc.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/ObjectManager.h"
#include "quests/Dialog.h"
#include "quests/DialogPak.h"
#include "quests/QuestRepository.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

namespace GAME {
namespace {

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
