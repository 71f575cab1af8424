#include "ai/ControllerMonster.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/DialogManager.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "tests/support/FixedItemFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/RecordingUserInterface.h"
#include "world/FixedItemContainer.h"
#include "world/FixedItemQuestObject.h"
#include "world/FixedItemSkill.h"
#include "world/FixedItemTeleport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

class FixedItemTraps : public FixedItemFixture {
protected:
    static constexpr const char* kGuard = "Records/Creatures/Guard.dbr";

    // A chest that springs the trap record 100 ms after it opens.
    FixedItemContainer* TrappedChest(const std::string& name,
                                     std::initializer_list<std::string> trap)
    {
        const std::string trapPath = "Records/Traps/" + name + ".dbr";
        database.WriteRecord(trapPath, trap);
        return Place<FixedItemContainer>(
            "Records/Chests/" + name + ".dbr",
            {"Class = FixedItemContainer", "skillDelay = 0.1", "skillName = " + trapPath});
    }

    // The trap commands the chest sends over 200 ms after the player opens it.
    std::vector<std::unique_ptr<FixedItemSkillTargetConfigCmdPacket>> Spring(FixedItem& chest,
                                                                             uint32_t user)
    {
        gEngine->SetNetworkMode(true, false);
        chest.RequestToUse(user);
        Frame(100);
        Frame(100);
        gEngine->SetNetworkMode(false, false);
        return TakeSent<FixedItemSkillTargetConfigCmdPacket>();
    }
};

TEST_F(FixedItemTraps, ABuffWithoutRadiusTakesTheUserAloneForASecondByDefault)
{
    auto* chest = TrappedChest("Buff", {"Class = FixedItemSkill_Buff", "buffSkillName = X"});
    auto* buff = DynamicCast<FixedItemSkill_Buff>(chest->GetSkill());
    ASSERT_NE(buff, nullptr);
    EXPECT_EQ(buff->GetActiveDuration(), 1000);
    std::vector<uint32_t> targets;
    buff->GetTargets(77, targets);
    EXPECT_EQ(targets, std::vector<uint32_t>{77});
}

TEST_F(FixedItemTraps, AnEmptySpawnTrapStillSendsPlaysItsEffectAndMakesNothing)
{
    auto* chest = TrappedChest("Empty", {"Class = FixedItemSkill_SpawnMonster",
                                         std::string("skillActivateSound = ") + kSound});
    auto* hero = SpawnAt<Player>("Records/Creatures/PC/Hero.dbr", {"Class = Player"}, {2, 0, 0});
    const auto sent = Spring(*chest, hero->GetObjectId());
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_TRUE(sent[0]->targets.empty());
    ObjectManager& objects = ObjectManager::Instance();
    Object* sound = nullptr;
    for (uint32_t id = 1; id < 100000 && sound == nullptr; ++id) {
        Object* object = objects.GetObject(id);
        if (object != nullptr && object->GetObjectName() == kSound)
            sound = object;
    }
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(PlaysOf(DynamicCast<SoundPak>(sound)), 1u);
}

TEST_F(FixedItemTraps, ASpawnTrapMakesItsGuardianUnderTheSentIdHatingTheUser)
{
    database.WriteRecord(Monster::kDefaultControllerRecord, {"Class = ControllerMonster"});
    database.WriteRecord(kGuard, {"Class = Monster"});
    auto* chest = TrappedChest(
        "Guard", {"Class = FixedItemSkill_SpawnMonster", std::string("monsterName = ") + kGuard});
    auto* hero = SpawnAt<Player>("Records/Creatures/PC/Hero.dbr", {"Class = Player"}, {2, 0, 0});
    const auto sent = Spring(*chest, hero->GetObjectId());
    ASSERT_EQ(sent.size(), 1u);
    ASSERT_EQ(sent[0]->targets.size(), 1u);
    auto* guard = ObjectManager::Instance().GetObject<Monster>(sent[0]->targets[0]);
    ASSERT_NE(guard, nullptr);
    auto* controller =
        ObjectManager::Instance().GetObject<ControllerMonster>(guard->GetControllerId());
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ(controller->GetMostHatedEnemy(), hero->GetObjectId());
}

TEST_F(FixedItemTraps, AReceivedListOfSeveralIdsOrAnIdInUseMakesNoMonster)
{
    database.WriteRecord(kGuard, {"Class = Monster"});
    auto* chest = TrappedChest(
        "Peer", {"Class = FixedItemSkill_SpawnMonster", std::string("monsterName = ") + kGuard});
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t first = objects.CreateObjectID();
    const uint32_t second = objects.CreateObjectID();
    LogCapture log;
    const std::vector<std::vector<uint32_t>> rows = {{first, second}, {chest->GetObjectId()}};
    for (const std::vector<uint32_t>& ids : rows) {
        SCOPED_TRACE(ids.size());
        chest->UseSkillOnTargets(0, ids);
        EXPECT_EQ(objects.GetObject<Monster>(first), nullptr);
    }
    EXPECT_EQ(log.Count(Engine::LogRuntime,
                        "Spawn trap Records/Traps/Peer.dbr: 2 ids received; none made"),
              1u);
    EXPECT_EQ(log.CountContaining("is in use; none made"), 1u);
}

TEST_F(FixedItemTraps, OnlyLockedQuestObjectsAndUnlockedTeleportersTellOfTheirUse)
{
    FixedItemUseLog uses;
    auto* quest = Place<FixedItemQuestObject>("Records/Quest/Altar.dbr",
                                              {"Class = FixedItemQuestObject", "locked = 1"});
    quest->RequestToUse(5);
    quest->SetLock(false);
    quest->RequestToUse(5);
    auto* boat = Place<FixedItemTeleport>("Records/Boats/Boat.dbr",
                                          {"Class = FixedItemTeleport", "staticPortal = 1",
                                           "locked = 1", std::string("lockedSound = ") + kSound});
    boat->RequestToUse(5);
    EXPECT_EQ(uses.lines,
              std::vector<std::string>{"use " + std::to_string(quest->GetObjectId()) + " 5"});
    EXPECT_EQ(PlaysOf(boat->GetLockedSound()), 1u);
}

TEST_F(FixedItemTraps, TheEndPortalAsksOnceAndAYesCompletesTheLevel)
{
    RecordingUserInterface ui;
    Game().SetUI(&ui);
    Game().SetAutoSave(false);
    Player* hero = MakeMainPlayer();
    auto* portal = Place<FixedItemTyphonPortal>(
        "Records/Quest/EndPortal.dbr",
        {"Class = FixedItemTyphonPortal", "locked = 1", std::string("lockedSound = ") + kSound});
    DialogManager& dialogs = Game().GetDialogManager();
    portal->RequestToUse(hero->GetObjectId());
    EXPECT_EQ(dialogs.GetNumDialog(), 0u);
    EXPECT_EQ(PlaysOf(portal->GetLockedSound()), 1u);

    portal->SetLock(false);
    portal->RequestToUse(hero->GetObjectId());
    ASSERT_EQ(dialogs.GetNumDialog(), 1u);
    EXPECT_EQ(dialogs.PeekTopDialog().party, DialogManager::PartyPortalUse);
    EXPECT_TRUE(portal->IsWaitingForAnswer());
    dialogs.AddResponse({DialogManager::PartyPortalUse, true});
    portal->UpdateSelf(16);
    EXPECT_FALSE(portal->IsWaitingForAnswer());
    EXPECT_TRUE(Game().GetPlayerCompletedLevel());
    EXPECT_EQ(ui.endGameEntries, 1);
    Game().SetUI(nullptr);
}

} // namespace
} // namespace GAME::Test
