#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "tests/support/FixedItemFixture.h"
#include "world/FixedItemContainer.h"
#include "world/FixedItemDoor.h"
#include "world/FixedItemShrine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// Every sound played, by its record.
class SoundPlays {
public:
    SoundPlays()
    {
        SoundPak::SetPlayObserver([this](const SoundPak& pak, const SoundPak::PlayRequest&) {
            names.push_back(pak.GetObjectName());
        });
    }
    ~SoundPlays() { SoundPak::SetPlayObserver(nullptr); }
    size_t Count(const std::string& name) const
    {
        return static_cast<size_t>(std::count(names.begin(), names.end(), name));
    }
    std::vector<std::string> names;
};

class FixedItemKinds : public FixedItemFixture {
protected:
    static constexpr const char* kVox = "Records/Sounds/Vox.dbr";
    static constexpr const char* kAnim = "Anims/Swing.anm";

    void SetUp() override
    {
        FixedItemFixture::SetUp();
        database.WriteRecord(kVox, {"Class = SoundPak"});
    }

    Player* Hero(const Vec3& at)
    {
        auto* hero =
            SpawnAt<Player>("Records/Creatures/PC/Hero.dbr",
                            {"Class = Player", std::string("lockedChestSound = ") + kVox}, at);
        hero->SetIsControllingCharacter(true);
        return hero;
    }

    // The item states seen after each frame, each change once.
    std::vector<int> StatesOver(FixedItem& item, int frames, int ms)
    {
        std::vector<int> seen{item.GetCurrentState()};
        for (int i = 0; i < frames; ++i) {
            Frame(ms);
            if (item.GetCurrentState() != seen.back())
                seen.push_back(item.GetCurrentState());
        }
        return seen;
    }
};

TEST_F(FixedItemKinds, ALockedChestRefusesItsToucherWithItsSoundAndHisVoice)
{
    SoundPlays plays;
    auto* chest = Place<FixedItemContainer>(
        "Records/Chests/Locked.dbr",
        {"Class = FixedItemContainer", "locked = 1", std::string("lockedSound = ") + kSound});
    Player* hero = Hero({3, 0, 0});
    chest->RequestToUse(hero->GetObjectId());
    auto& controller = static_cast<FixedItemContainerController&>(*chest->GetController());
    EXPECT_EQ(controller.GetState(), FixedItemContainerController::Closed);
    EXPECT_EQ(plays.Count(kSound), 1u);
    EXPECT_EQ(plays.Count(kVox), 1u);
}

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
    auto& controller = static_cast<FixedItemContainerController&>(*chest->GetController());
    EXPECT_EQ(controller.GetState(), FixedItemContainerController::Open);

    BinaryWriter writer = BinaryWriter::ToMemory(64);
    chest->SaveState(writer);
    auto* restored = SpawnAt<FixedItemContainer>("Records/Chests/Plain.dbr", record);
    BinaryReader reader(writer.GetData(), writer.GetPosition());
    ASSERT_TRUE(restored->RestoreState(reader));
    restored->InitialUpdate();
    restored->AnimationCallback(0, Name::Create("lootGen"));
    restored->RequestToUse(hero->GetObjectId());
    EXPECT_EQ(recorder->drops.size(), 1u);
}

TEST_F(FixedItemKinds, MonstersOfTheChestsClassLockItAndClass999NeverDoes)
{
    SpawnAt<Monster>("Records/Creatures/Boss.dbr",
                     {"Class = Monster", "monsterClassification = Boss"}, {4, 0, 0});
    const struct {
        const char* classification;
        bool locked;
    } rows[] = {{"LockedClassification = Hero", true}, {"LockedClassification = Unknown", false}};
    int made = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.classification);
        auto* chest = Place<FixedItemContainer>(
            "Records/Chests/Guarded" + std::to_string(++made) + ".dbr",
            {"Class = FixedItemContainer", "LockedRadius = 10", row.classification});
        chest->UpdateSelf(16);
        EXPECT_EQ(chest->IsLocked(), row.locked);
    }
}

TEST_F(FixedItemKinds, OpenForGoodNeverClosesBySelfAndSavesAutoCloseOff)
{
    auto* door =
        Place<FixedItemDoor>("Records/Doors/Auto.dbr", {"Class = FixedItemDoor", "autoClose = 1"});
    door->SetFixedItemState(FixedItem_DoorOpenForGood, 0, false, true);
    EXPECT_EQ(door->GetCurrentState(), FixedItem_DoorOpen);
    EXPECT_FALSE(door->IsAutoCloseEnabled());
    BinaryWriter writer = BinaryWriter::ToMemory(64);
    door->SaveState(writer);
    BinaryReader reader(writer.GetData(), writer.GetPosition());
    uint32_t last = 1;
    while (reader.ReadUInt32(last)) {
    }
    EXPECT_EQ(last, 0u);
    Frame(16);
    EXPECT_EQ(door->GetCurrentState(), FixedItem_DoorOpen);
}

TEST_F(FixedItemKinds, AnAutoClosingDoorClosesOnceNobodyStandsNear)
{
    auto* door = Place<FixedItemDoor>("Records/Doors/Closing.dbr",
                                      {"Class = FixedItemDoor", "autoClose = 1"});
    Player* hero = Hero({0, 0, 5});
    door->RequestToUse(hero->GetObjectId());
    Frame(16);
    EXPECT_EQ(door->GetCurrentState(), FixedItem_DoorOpen);
    // Without a mesh the reach is 2 x (1 + 3) + 1.
    MoveTo(hero, {0, 0, 9.5f});
    Frame(16);
    EXPECT_EQ(door->GetCurrentState(), FixedItem_DoorClosed);
}

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
    EXPECT_EQ(door->GetOpenMesh()->GetMesh(), "Gate");
    door->GetClosedMesh()->AddHitBox(OBBox(ABBox({-1, -1, -1}, {1, 1, 1})));
    door->SetFixedItemState(FixedItem_DoorOpen, 0, false, false);
    EXPECT_EQ(door->GetMeshInstance(), door->GetOpenMesh());
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
        std::vector<int> seen = StatesOver(*shrine, 60, 100);
        seen.insert(seen.begin(), FixedItem_ShrineIdle);
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

} // namespace
} // namespace GAME::Test
