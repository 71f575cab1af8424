#include "ai/ControllerMonster.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/BinaryWriter.h"
#include "core/DialogManager.h"
#include "core/RandomUniform.h"
#include "engine/BinaryReader.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/NetworkShim.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/support/FixedItemFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/PacketBody.h"
#include "tests/support/PacketBytes.h"
#include "tests/support/RecordingUserInterface.h"
#include "world/FixedItemContainer.h"
#include "world/FixedItemDoor.h"
#include "world/FixedItemQuestObject.h"
#include "world/FixedItemShrine.h"
#include "world/FixedItemSkill.h"
#include "world/FixedItemTeleport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// The item's level state, as words.
std::vector<uint32_t> SavedWords(const FixedItem& item)
{
    BinaryWriter writer = BinaryWriter::ToMemory(64);
    item.SaveState(writer);
    std::vector<uint32_t> words;
    BinaryReader reader(writer.GetData(), writer.GetPosition());
    uint32_t word = 0;
    while (reader.ReadUInt32(word))
        words.push_back(word);
    return words;
}

bool CopyState(const FixedItem& from, FixedItem& into)
{
    BinaryWriter writer = BinaryWriter::ToMemory(64);
    from.SaveState(writer);
    BinaryReader reader(writer.GetData(), writer.GetPosition());
    return into.RestoreState(reader);
}

class FixedItemKinds : public FixedItemFixture {
protected:
    static constexpr const char* kAnim = "Anims/Swing.anm";

    Player* Hero(const Vec3& at)
    {
        auto* hero = SpawnAt<Player>("Records/Creatures/PC/Hero.dbr", {"Class = Player"}, at);
        hero->SetIsControllingCharacter(true);
        return hero;
    }
};

TEST_F(FixedItemKinds, AChestOpensDropsAtLootGenAndARestoredOpenChestNeverDropsAgain)
{
    database.WriteRecord("Records/Loot/One.dbr",
                         {"numSpawnMinEquation = 1", "numSpawnMaxEquation = 1", "loot1Chance = 100",
                          std::string("loot1Name1 = ") + kSword, "loot1Weight1 = 1"});
    const std::initializer_list<std::string> record = {
        "Class = FixedItemContainer", std::string("openAnimation = ") + kAnim,
        "openAnimationSpeed = 1", "tables = Records/Loot/One.dbr"};
    auto* chest = Place<FixedItemContainer>("Records/Chests/Plain.dbr", record);
    AddAnimationEvent(kAnim, 500.0f, "lootGen");
    FixedItemUseLog uses;
    Player* hero = Hero({3, 0, 0});
    chest->RequestToUse(hero->GetObjectId());
    EXPECT_EQ(chest->GetCurrentState(), FixedItem_ContainerOpen);
    EXPECT_EQ(uses.lines.size(), 1u);
    EXPECT_TRUE(recorder->drops.empty());
    for (int i = 0; i < 12; ++i)
        Frame(100);
    EXPECT_EQ(recorder->drops.size(), 1u);

    auto* restored = SpawnAt<FixedItemContainer>("Records/Chests/Plain.dbr", record);
    ASSERT_TRUE(CopyState(*chest, *restored));
    restored->InitialUpdate();
    restored->AnimationCallback(0, Name::Create("lootGen"));
    restored->RequestToUse(hero->GetObjectId());
    EXPECT_EQ(recorder->drops.size(), 1u);
}

// Locked by its record or by a monster of its class near, a chest refuses its toucher.
TEST_F(FixedItemKinds, ALockedChestRefusesItsToucherAndClass999NeverLocksIt)
{
    SpawnAt<Monster>("Records/Creatures/Boss.dbr",
                     {"Class = Monster", "monsterClassification = Boss"}, {4, 0, 0});
    Player* hero = Hero({3, 0, 0});
    const struct {
        const char* lock[2];
        bool locked;
    } rows[] = {{{"locked = 1", "LockedRadius = 0"}, true},
                {{"LockedRadius = 10", "LockedClassification = Hero"}, true},
                {{"LockedRadius = 10", "LockedClassification = Unknown"}, false}};
    int made = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.lock[1]);
        auto* chest =
            Place<FixedItemContainer>("Records/Chests/Guarded" + std::to_string(++made) + ".dbr",
                                      {"Class = FixedItemContainer", row.lock[0], row.lock[1]});
        chest->UpdateSelf(16);
        EXPECT_EQ(chest->IsLocked(), row.locked);
        chest->RequestToUse(hero->GetObjectId());
        auto& controller = static_cast<FixedItemContainerController&>(*chest->GetController());
        EXPECT_EQ(controller.GetState() == FixedItemContainerController::Closed, row.locked);
    }
}

TEST_F(FixedItemKinds, OpenForGoodNeverClosesBySelfAndSavesAutoCloseOff)
{
    auto* door =
        Place<FixedItemDoor>("Records/Doors/Auto.dbr", {"Class = FixedItemDoor", "autoClose = 1"});
    door->SetFixedItemState(FixedItem_DoorOpenForGood, 0, false, true);
    EXPECT_EQ(door->GetCurrentState(), FixedItem_DoorOpen);
    EXPECT_FALSE(door->IsAutoCloseEnabled());
    EXPECT_EQ(SavedWords(*door).back(), 0u);
    Frame(16);
    EXPECT_EQ(door->GetCurrentState(), FixedItem_DoorOpen);
}

// The plain door, made by its class name, shows nothing of its opening but is a door all the same.
TEST_F(FixedItemKinds, AnAutoClosingDoorClosesOnceNobodyStandsNear)
{
    auto* door = Place<FixedItemDoorBase>("Records/Doors/Closing.dbr",
                                          {"Class = FixedItemDoorBase", "autoClose = 1"});
    ASSERT_STREQ(door->GetClassInfo()->GetName(), "FixedItemDoorBase");
    Player* hero = Hero({0, 0, 5});
    door->RequestToUse(hero->GetObjectId());
    Frame(16);
    EXPECT_EQ(door->GetCurrentState(), FixedItem_DoorOpen);
    // Without a mesh the reach is 2 x (1 + 3) + 1.
    MoveTo(hero, {0, 0, 9.5f});
    Frame(16);
    EXPECT_EQ(door->GetCurrentState(), FixedItem_DoorClosed);
}

// A point on the door's facing plane counts as behind it.
TEST_F(FixedItemKinds, AReversedOneWayDoorOpensOnlyFromBehind)
{
    const struct {
        float z;
        bool opens;
    } rows[] = {{3.0f, false}, {0.0f, true}, {-3.0f, true}};
    int made = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.z);
        auto* door = Place<FixedItemDoor>(
            "Records/Doors/OneWay" + std::to_string(++made) + ".dbr",
            {"Class = FixedItemDoor", "oneWayDoor = 1", "reverseOneWayDirection = 1"});
        Player* hero = Hero({1, 0, row.z});
        door->RequestToUse(hero->GetObjectId());
        EXPECT_EQ(door->GetCurrentState() == FixedItem_DoorOpen, row.opens);
    }
}

TEST_F(FixedItemKinds, TheSwappingDoorRebuildsItsObstacleWhenItCloses)
{
    auto* door = Place<FixedItemDoorSwapping>("Records/Doors/Swap.dbr",
                                              {"Class = FixedItemDoorSwapping", "mesh = Gate"});
    door->GetClosedMesh()->AddHitBox(OBBox(ABBox({-1, -1, -1}, {1, 1, 1})));
    door->SetFixedItemState(FixedItem_DoorOpen, 0, false, false);
    EXPECT_EQ(door->GetNumPathObstacles(), 0u);
    door->SetFixedItemState(FixedItem_DoorClosed, 0, false, false);
    EXPECT_EQ(door->GetMeshInstance(), door->GetClosedMesh());
    EXPECT_EQ(door->GetNumPathObstacles(), 1u);
}

TEST_F(FixedItemKinds, AShrineCyclesThroughItsPhases)
{
    const std::string anim = std::string(" = ") + kAnim;
    const struct {
        const char* name;
        bool animated;
        bool oneTimeUse;
        std::vector<int> states;
    } rows[] = {{"animated", true, false, {3, 4, 5, 6, 7, 8, 3}},
                {"instant", false, false, {3, 5, 7, 3}},
                {"once", false, true, {3, 5, 7}}};
    int made = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string transition = row.animated ? anim : std::string(" = ");
        auto* shrine = Place<FixedItemShrine>(
            "Records/Shrines/Shrine" + std::to_string(++made) + ".dbr",
            {"Class = FixedItemShrine", "shrineActiveTime = 1.5", "shrineDormantTime = 1.5",
             "idleToActiveAnimation" + transition, "activeToDormantAnimation" + transition,
             "dormantToIdleAnimation" + transition, "idleToActiveAnimationSpeed = 1",
             "activeToDormantAnimationSpeed = 1", "dormantToIdleAnimationSpeed = 1",
             std::string("oneTimeUse = ") + (row.oneTimeUse ? "1" : "0")});
        shrine->RequestToUse(Hero({2, 0, 0})->GetObjectId());
        // The states seen after each frame, each change once.
        std::vector<int> seen{FixedItem_ShrineIdle, shrine->GetCurrentState()};
        for (int i = 0; i < 60; ++i) {
            Frame(100);
            if (shrine->GetCurrentState() != seen.back())
                seen.push_back(shrine->GetCurrentState());
        }
        EXPECT_EQ(seen, row.states);
    }
}

TEST_F(FixedItemKinds, AShrineRestoredInTransitionSendsDormancyFirstAndNoBonus)
{
    auto* shrine =
        SpawnAt<FixedItemShrine>("Records/Shrines/Restored.dbr", {"Class = FixedItemShrine"});
    BinaryWriter writer = BinaryWriter::ToMemory(64);
    writer.WriteUInt32(1);
    writer.WriteUInt32(FixedItem_ShrineIdleToActive);
    writer.WriteBool(false);
    ItemReplicaInfo().WriteLevelState(writer);
    BinaryReader reader(writer.GetData(), writer.GetPosition());
    ASSERT_TRUE(shrine->RestoreState(reader));
    shrine->InitialUpdate();
    EXPECT_EQ(shrine->GetCurrentState(), FixedItem_ShrineIdleToActive);

    gEngine->SetNetworkMode(true, false);
    Frame(16);
    gEngine->SetNetworkMode(false, false);
    const auto changes = TakeSent<FixedItemStateChangeConfigCmdPacket>();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0]->state, 6u);
    EXPECT_TRUE(TakeSent<FixedItemTargetConfigCmdPacket>().empty());
}

using FixedItemBase = FixedItemFixture;

TEST_F(FixedItemBase, SkillDelayBecomesWholeMillisecondsAndNeverZero)
{
    const struct {
        const char* delay;
        int32_t ms;
    } rows[] = {{"skillDelay = 0", 1}, {"skillDelay = 0.0004", 1}, {"skillDelay = 2.5", 2500}};
    int made = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.delay);
        // Each its own record: a record is read once.
        auto* chest = Place<FixedItemContainer>("Records/Chests/Delay" + std::to_string(++made),
                                                {"Class = FixedItemContainer", row.delay});
        EXPECT_EQ(chest->GetSkillDelay(), row.ms);
    }
}

TEST_F(FixedItemBase, AClosedLockedChestSavesItsStateLockAndDropItemAfterTheActor)
{
    auto* chest = Place<FixedItemContainer>("Records/Chests/Locked.dbr",
                                            {"Class = FixedItemContainer", "locked = 1"});
    const std::vector<uint32_t> words = SavedWords(*chest);
    ASSERT_EQ(words.size(), 3u + ItemReplicaInfo::kDefaultLevelStateBytes / 4);
    EXPECT_EQ(words[1], 1u); // closed
    EXPECT_EQ(words[2], 1u); // locked

    // A door adds whether it closes by itself.
    auto* door =
        Place<FixedItemDoor>("Records/Doors/Auto.dbr", {"Class = FixedItemDoor", "autoClose = 1"});
    const std::vector<uint32_t> doorWords = SavedWords(*door);
    ASSERT_EQ(doorWords.size(), words.size() + 1);
    EXPECT_EQ(doorWords[1], 9u);
    EXPECT_EQ(doorWords.back(), 1u);
}

TEST_F(FixedItemBase, APendingStateNotYetAppliedIsTheOneSavedAndRestoredItGoesIn)
{
    auto* saved =
        Place<FixedItemContainer>("Records/Chests/Open.dbr", {"Class = FixedItemContainer"});
    saved->SetFixedItemState(FixedItem_ContainerOpen, 0, true, false);
    auto* restored =
        SpawnAt<FixedItemContainer>("Records/Chests/Open.dbr", {"Class = FixedItemContainer"});
    ASSERT_TRUE(CopyState(*saved, *restored));
    EXPECT_EQ(SavedWords(*restored)[1], 2u);
    EXPECT_EQ(restored->GetCurrentState(), FixedItem_None);
    restored->InitialUpdate();
    EXPECT_EQ(restored->GetCurrentState(), FixedItem_ContainerOpen);
}

TEST_F(FixedItemBase, ALevelStateOutsideTheStatesIsRefusedAndOneCutShortKeepsWhatItRead)
{
    auto* chest =
        Place<FixedItemContainer>("Records/Chests/Bad.dbr", {"Class = FixedItemContainer"});
    LogCapture log;
    // The actor's visibility, the state, then the lock.
    const auto restore = [chest](uint32_t state) {
        BinaryWriter bytes = BinaryWriter::ToMemory(16);
        for (uint32_t word : {1u, state, 1u})
            bytes.WriteUInt32(word);
        BinaryReader reader(bytes.GetData(), bytes.GetPosition());
        return chest->RestoreState(reader);
    };
    EXPECT_FALSE(restore(12));
    EXPECT_EQ(chest->GetPendingState(), FixedItem_None);
    EXPECT_FALSE(chest->IsLocked());
    EXPECT_EQ(log.CountContaining("is no state"), 1u);

    EXPECT_FALSE(restore(2));
    EXPECT_EQ(chest->GetPendingState(), FixedItem_ContainerOpen);
    EXPECT_TRUE(chest->IsLocked());
    EXPECT_EQ(log.CountContaining("cut short"), 1u);
}

TEST_F(FixedItemBase, AReplicaCarriesStateThenLockAndRefusesAStateOutsideTheList)
{
    auto* chest = Place<FixedItemContainer>("Records/Chests/Copy.dbr",
                                            {"Class = FixedItemContainer", "locked = 1"});
    FixedItemStateChangeConfigCmdPacket carrier;
    NetPacketOutBuffer out(carrier);
    chest->WriteReplicationData(out);
    out.Done();
    // The state word, then the lock as a bool.
    const std::vector<uint8_t> bytes = BodyOf(carrier);
    ASSERT_EQ(bytes.size(), 5u);
    EXPECT_EQ(bytes[0], 1u);
    EXPECT_EQ(bytes[4], 1u);

    auto* copy =
        SpawnAt<FixedItemContainer>("Records/Chests/Copy.dbr", {"Class = FixedItemContainer"});
    NetPacketInBuffer in(carrier, bytes.data(), static_cast<int>(bytes.size()));
    copy->ReadReplicationData(in);
    copy->ApplyReplicationData();
    EXPECT_EQ(copy->GetPendingState(), FixedItem_ContainerClosed);
    EXPECT_TRUE(copy->IsLocked());

    std::vector<uint8_t> bad = bytes;
    bad[0] = 40;
    NetPacketInBuffer badIn(carrier, bad.data(), static_cast<int>(bad.size()));
    LogCapture log;
    copy->ReadReplicationData(badIn);
    copy->ApplyReplicationData();
    EXPECT_EQ(copy->GetPendingState(), FixedItem_ContainerClosed);
    EXPECT_EQ(log.CountContaining("is no state"), 1u);
}

TEST_F(FixedItemBase, AReceivedStateChangeRunsOnTheItemAndABadStateIsDropped)
{
    auto* chest =
        Place<FixedItemContainer>("Records/Chests/Net.dbr", {"Class = FixedItemContainer"});
    for (uint32_t state : {12u, 2u}) {
        SCOPED_TRACE(state);
        FixedItemStateChangeConfigCmdPacket packet;
        packet.actorId = chest->GetObjectId();
        packet.state = state;
        auto decoded = DecodeAs<FixedItemStateChangeConfigCmdPacket>(EncodePacket(packet));
        ASSERT_NE(decoded, nullptr);
        EXPECT_EQ(NetworkShim::ReceivePacket(1, *decoded), state == 2u);
    }
    EXPECT_EQ(chest->GetCurrentState(), FixedItem_ContainerOpen);
}

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

TEST_F(FixedItemTraps, AChestWhoseTrapNamesItselfOrAnotherChestStandsWithoutATrap)
{
    LogCapture log;
    auto* self = Place<FixedItemContainer>(
        "Records/Chests/Self.dbr",
        {"Class = FixedItemContainer", "skillName = Records/Chests/Self.dbr"});
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(self->GetSkill(), nullptr);
    EXPECT_EQ(log.GetLines().size(), 1u);
    EXPECT_EQ(log.CountContaining("record 'Records/Chests/Self.dbr' names itself"), 1u);

    // Another chest is no trap: not even loaded, so the ring back to this one never begins.
    log.Clear();
    const size_t before = ObjectManager::Instance().GetObjectCount();
    database.WriteRecord("Records/Chests/Back.dbr",
                         {"Class = FixedItemContainer", "skillName = Records/Chests/Ring.dbr"});
    auto* ring = Place<FixedItemContainer>(
        "Records/Chests/Ring.dbr",
        {"Class = FixedItemContainer", "skillName = Records/Chests/Back.dbr"});
    ASSERT_NE(ring, nullptr);
    EXPECT_EQ(ring->GetSkill(), nullptr);
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), before + 1);
}

// An empty trap still sends, with no ids.
TEST_F(FixedItemTraps, ASpawnTrapMakesItsGuardianUnderTheSentIdHatingTheUser)
{
    database.WriteRecord(Monster::kDefaultControllerRecord, {"Class = ControllerMonster"});
    database.WriteRecord(kGuard, {"Class = Monster"});
    auto* empty = TrappedChest("Empty", {"Class = FixedItemSkill_SpawnMonster"});
    auto* chest = TrappedChest(
        "Guard", {"Class = FixedItemSkill_SpawnMonster", std::string("monsterName = ") + kGuard});
    auto* hero = SpawnAt<Player>("Records/Creatures/PC/Hero.dbr", {"Class = Player"}, {2, 0, 0});
    const auto none = Spring(*empty, hero->GetObjectId());
    ASSERT_EQ(none.size(), 1u);
    EXPECT_TRUE(none[0]->targets.empty());

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
    auto* boat = Place<FixedItemTeleport>(
        "Records/Boats/Boat.dbr", {"Class = FixedItemTeleport", "staticPortal = 1", "locked = 1"});
    boat->RequestToUse(5);
    EXPECT_EQ(uses.lines,
              std::vector<std::string>{"use " + std::to_string(quest->GetObjectId()) + " 5"});
}

TEST_F(FixedItemTraps, TheEndPortalAsksOnceAndAYesCompletesTheLevel)
{
    RecordingUserInterface ui;
    Game().SetUI(&ui);
    Game().SetAutoSave(false);
    Player* hero = MakeMainPlayer();
    auto* portal = Place<FixedItemTyphonPortal>("Records/Quest/EndPortal.dbr",
                                                {"Class = FixedItemTyphonPortal", "locked = 1"});
    DialogManager& dialogs = Game().GetDialogManager();
    portal->RequestToUse(hero->GetObjectId());
    EXPECT_EQ(dialogs.GetNumDialog(), 0u);

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

class FixedItemLoot : public FixedItemFixture {
protected:
    static constexpr const char* kRing = "Records/Items/Ring.dbr";

    void SetUp() override
    {
        FixedItemFixture::SetUp();
        database.WriteRecord(kRing, {"Class = ItemEquipment"});
    }

    // A chest whose loot comes from these loot-record lines, unless `tables` names others.
    FixedItemController& ChestWithLoot(std::initializer_list<std::string> loot,
                                       const std::string& extra = "",
                                       const std::string& tables = "")
    {
        const std::string lootName = "Records/Loot/Loot" + std::to_string(++made) + ".dbr";
        database.WriteRecord(lootName, loot);
        const std::string path = "Records/Chests/Chest" + std::to_string(made) + ".dbr";
        database.WriteRecord(path, {"Class = FixedItemContainer",
                                    "tables = " + (tables.empty() ? lootName : tables), extra});
        auto* item = ObjectManager::Instance().CreateObjectFromFile<FixedItemContainer>(path);
        TheWorld().AddEntity(item, WorldAt({0, 0, 0}), false);
        item->InitialUpdate();
        lastLoot = lootName;
        return *item->GetController();
    }

    const LoadTable& LastLoot()
    {
        ObjectManager::Instance().LoadTableFile(lastLoot);
        return ObjectManager::Instance().GetLoadTable(lastLoot);
    }

    std::vector<std::string> DropNames() const
    {
        std::vector<std::string> names;
        for (const ItemReplicaInfo& item : recorder->drops)
            names.push_back(item.baseName);
        return names;
    }

    int made = 0;
    std::string lastLoot;
};

TEST_F(FixedItemLoot, WeightNumberKCountsKRolls)
{
    FixedItemController& controller = ChestWithLoot({"numberWeights = 0;0;5"});
    // Rolls 0 to 5 against weights 0, 0 and 5: none counts 0, every other the third, 2.
    for (const auto& [roll, count] : {std::pair{0, 0u}, {1, 2u}, {5, 2u}}) {
        SCOPED_TRACE(roll);
        // The first seed whose first draw of 0..5 is the roll.
        for (uint32_t seed = 1;; ++seed) {
            Game().GetRandomGen().Seed(seed);
            if (RandomUniform(Game().GetRandomGen()).IGenerate(0, 5) == roll)
                break;
        }
        EXPECT_EQ(controller.SelectLootNumber(LastLoot()), count);
    }
    const struct {
        const char* weights;
        uint32_t rolls;
    } rows[] = {{"numberWeights = ", 0}, {"numberWeights = -5;3", 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.weights);
        FixedItemController& other = ChestWithLoot({row.weights});
        Game().GetRandomGen().Seed(0); // every draw its lower bound
        EXPECT_EQ(other.SelectLootNumber(LastLoot()), row.rolls);
    }
}

TEST_F(FixedItemLoot, EquationsSaturateAndTheRollCountStopsAt256)
{
    LogCapture log;
    const struct {
        const char* minimum;
        const char* maximum;
        uint32_t rolls;
        const char* line;
    } rows[] = {
        {"numSpawnMinEquation = 3", "numSpawnMaxEquation = 3", 3, nullptr},
        {"numSpawnMinEquation = 1000", "numSpawnMaxEquation = 1000", 256, "cut to 256"},
        {"numSpawnMinEquation = 99999999999", "numSpawnMaxEquation = (99999999999*99999999999)",
         256, "cut to 256"},
        {"numSpawnMinEquation = 2", "numSpawnMaxEquation = ((", 0,
         "-=- Fixed Item Controller Equation load failure : maxEquation"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.minimum);
        log.Clear();
        FixedItemController& controller = ChestWithLoot({row.minimum, row.maximum});
        Game().GetRandomGen().Seed(0);
        EXPECT_EQ(controller.SelectLootNumber(LastLoot()), row.rolls);
        if (row.line != nullptr) {
            EXPECT_EQ(log.CountContaining(row.line), 1u);
        }
    }
}

TEST_F(FixedItemLoot, TheLevelPicksTheTableClampedToTheLast)
{
    database.WriteRecord("Records/Loot/Level.dbr", {"levelEquation = 7"});
    database.WriteRecord("Records/Loot/Empty.dbr", {"numberWeights = 1"});
    database.WriteRecord("Records/Loot/Third.dbr",
                         {"numSpawnMinEquation = 1", "numSpawnMaxEquation = 1", "loot1Chance = 100",
                          std::string("loot1Name1 = ") + kSword, "loot1Weight1 = 1"});
    FixedItemController& controller =
        ChestWithLoot({}, "levelEquationFile = Records/Loot/Level.dbr",
                      "Records/Loot/Empty.dbr;Records/Loot/Empty.dbr;Records/Loot/Third.dbr");
    controller.LoadDropLoot();
    EXPECT_EQ(controller.GetFixedItemLevel(), 7u);
    EXPECT_EQ(DropNames(), std::vector<std::string>{kSword});
}

TEST_F(FixedItemLoot, TheFirstSlotWhoseRunningChanceReachesTheRollDrops)
{
    const struct {
        uint32_t seed;
        const char* dropped;
    } rows[] = {{0, kRing}, {7, kSword}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.seed);
        recorder->drops.clear();
        FixedItemController& controller = ChestWithLoot(
            {"numSpawnMinEquation = 1", "numSpawnMaxEquation = 1", "loot1Chance = 0",
             std::string("loot1Name1 = ") + kRing, "loot1Weight1 = 1", "loot2Chance = 10",
             std::string("loot2Name1 = ") + kSword, "loot2Weight1 = 1"});
        Game().GetRandomGen().Seed(row.seed);
        controller.LoadDropLoot();
        EXPECT_EQ(DropNames(), std::vector<std::string>{row.dropped});
    }
}

TEST_F(FixedItemLoot, EveryAdditionalCopyAndEveryPartyCopyIsItsOwnItem)
{
    auto* chest =
        Place<FixedItemContainer>("Records/Chests/Copies.dbr", {"Class = FixedItemContainer"});
    ItemReplicaInfo sword;
    sword.id = 500;
    sword.baseName = kSword;
    for (uint32_t count : {0u, 3u}) {
        SCOPED_TRACE(count);
        recorder->drops.clear();
        chest->DropAdditionalItems(sword, count);
        std::set<uint32_t> ids;
        for (const ItemReplicaInfo& item : recorder->drops)
            ids.insert(item.id);
        EXPECT_EQ(ids.size(), count == 0 ? 1u : count);
        EXPECT_EQ(recorder->drops.front().id, 500u);
    }

    std::vector<PlayerNetBasicInfo> party(3);
    for (uint32_t i = 0; i < 3; ++i) {
        party[i].playerId = (i + 1) * 0x10000000 + 1;
        party[i].partyId = 0x10000001;
    }
    Game().GetPlayerManagerClient()->HandlePlayerUpdate(party);
    recorder->drops.clear();
    FixedItemController& controller =
        ChestWithLoot({}, std::string("perPartyMemberDropItemName = ") + kSword);
    controller.HasBeenTouchedByActor(party[1].playerId);
    controller.LoadDropLoot();
    ASSERT_EQ(recorder->drops.size(), 3u);
    std::set<uint32_t> ids;
    std::set<uint32_t> seeds;
    for (const ItemReplicaInfo& item : recorder->drops) {
        ids.insert(item.id);
        seeds.insert(item.seed);
    }
    EXPECT_EQ(ids.size(), 3u);
    EXPECT_EQ(seeds.size(), 3u);
}

} // namespace
} // namespace GAME::Test
