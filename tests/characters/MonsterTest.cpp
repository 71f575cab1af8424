#include "characters/Monster.h"

#include "ai/ControllerMonster.h"
#include "ai/ControllerStooge.h"
#include "characters/AmbientCharacter.h"
#include "characters/CharacterBioReplicaInfo.h"
#include "characters/MonsterReplicationRecord.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "characters/Typhon.h"
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "engine/CharacterAction.h"
#include "engine/Engine.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "multiplayer/CharacterActionPackets.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/RecordSkill.h"
#include "tests/support/Records.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME {

// Reaches the loot a monster keeps to itself.
class StateTestMonster : public Monster {
    GAME_DECLARE_CLASS(StateTestMonster)

public:
    const LootStruct& Loot() const { return lootState; }
    void RollLoot(uint16_t seed, uint16_t levelArgument) { LoadLootFromSeed(seed, levelArgument); }
};

GAME_IMPLEMENT_CLASS(StateTestMonster, Monster);

// Keeps every action for the test instead of running it.
class HoldingStooge : public ControllerStooge {
    GAME_DECLARE_CLASS(HoldingStooge)

public:
    CharacterActionPermission CheckAction(CharacterActionType) override
    {
        return CharacterActionPermission_AskController;
    }
};

GAME_IMPLEMENT_CLASS(HoldingStooge, ControllerStooge);

namespace Test {
namespace {

constexpr const char* kController = "Records/Controllers/Monster/DefaultControllerAI.dbr";

class MonsterTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(kController, {"Class = ControllerMonster"});
    }

    Monster* Load(std::initializer_list<std::string> lines)
    {
        // A fresh path each time: the database may keep a record it read once.
        const std::string path =
            "Records/Creatures/Monster/Test" + std::to_string(++loads) + ".dbr";
        database.WriteFile(path, RecordText(lines, "Class = Monster\n"));
        return Must(ObjectManager::Instance().CreateObjectFromFile<Monster>(path));
    }

    int loads = 0;
};

// How often the id stands among the engine's forced updates.
long ForcedCount(uint32_t id)
{
    const std::vector<uint32_t>& forced = gEngine->GetForcedUpdates();
    return std::count(forced.begin(), forced.end(), id);
}

TEST_F(MonsterTest, LoadGivesTheControllerTheMonsterTeamAndTheClassificationsCaps)
{
    Start();
    Monster* monster = Load({});
    EXPECT_EQ(monster->GetClassification(), MonsterClassification_Common);
    EXPECT_NE(ObjectManager::Instance().GetObject<ControllerMonster>(monster->GetControllerId()),
              nullptr);
    EXPECT_EQ(monster->GetTeam().GetTeamMajor(), TeamManager::DefaultMonsterTeam().GetTeamMajor());

    Monster* boss = Load({"monsterClassification = Boss"});
    EXPECT_EQ(boss->GetClassification(), MonsterClassification_Boss);
    EXPECT_EQ(boss->GetSpeedCapKeys()[2], "bossSpellCastSpeedCapMin");
}

TEST_F(MonsterTest, SpeedCapsClampToPercentOfTheBaseSpeed)
{
    Start({"monsterRunSpeedCapMin = 50;50;50", "monsterRunSpeedCapMax = 150;150;150",
           "monsterAttackSpeedCapMin = 0;0;0", "monsterAttackSpeedCapMax = 150;150;150"});
    Monster* monster = Load({});
    monster->GetCharacterBio().Load(Record("characterRunSpeed = 200"));
    monster->GetCharacterBio().InitialUpdate(*monster);
    const float base = monster->GetCharacterBio().GetBaseCharAttribute(CharAttribute_RunSpeed);
    ASSERT_GT(base, 0.0f);
    EXPECT_FLOAT_EQ(monster->CapRunSpeed(base * 10.0f), base * 1.5f);
    EXPECT_FLOAT_EQ(monster->CapRunSpeed(0.0f), base * 0.5f);
    EXPECT_EQ(monster->CapAttackSpeed(12345.0f), 12345.0f);
}

using StartedMonsterTest = StartedFixture;

TEST_F(StartedMonsterTest, CalculateStunNeedsMoreThanFivePointsOverTheDefence)
{
    Monster* monster = New<Monster>();
    EXPECT_EQ(monster->CalculateStun(50.0f, 100.0f, 0.0f, 45.0f), 0.0f) << "equality";
    EXPECT_FLOAT_EQ(monster->CalculateStun(50.0f, 100.0f, 0.0f, 44.0f), 1001.5f);
    EXPECT_EQ(monster->CalculateStun(50.0f, 0.0f, 0.0f, -100.0f), 0.0f);
    EXPECT_EQ(monster->CalculateStun(50.0f, -2.0f, 0.0f, -1000.0f), 0.0f);
}

TEST_F(StartedMonsterTest, APermanentJoinCanBeRepeatedAndRegistersOnce)
{
    Monster* pet = New<Monster>();
    auto* player = New<Player>();
    pet->JoinMe(player->GetObjectId(), -1, false);
    pet->JoinMe(player->GetObjectId(), -1, false);
    EXPECT_EQ(pet->GetLeader(), player->GetObjectId());
    EXPECT_EQ(ForcedCount(pet->GetObjectId()), 1);
    EXPECT_EQ(log.CountContaining("has already joined"), 0u);

    Monster* other = New<Monster>();
    Monster* follower = New<Monster>();
    follower->JoinMe(other->GetObjectId(), -1, false);
    EXPECT_EQ(ForcedCount(follower->GetObjectId()), 0) << "only a player leader";
}

TEST_F(StartedMonsterTest, ATimedJoinRefusesAnotherAndReturnsAfterItsTime)
{
    Monster* pet = New<Monster>();
    Monster* first = New<Monster>();
    auto* player = New<Player>();
    pet->JoinMe(first->GetObjectId(), -1, false);
    const Team before = pet->GetTeam();
    player->SetTeam(TeamManager::BuildTeam(2, 0));

    pet->JoinMe(player->GetObjectId(), 5000, true);
    EXPECT_EQ(pet->GetTeam().GetTeamMajor(), 2u);
    pet->JoinMe(first->GetObjectId(), -1, false);
    const std::string refusal = "Monster::JoinMe() called on (" +
                                std::to_string(pet->GetObjectId()) + "): has already joined.";
    EXPECT_EQ(log.Count(0, refusal), 1u);
    EXPECT_EQ(pet->GetLeader(), player->GetObjectId());

    pet->UpdateSelf(4999);
    EXPECT_EQ(pet->GetLeader(), player->GetObjectId());
    pet->UpdateSelf(1);
    EXPECT_EQ(pet->GetLeader(), first->GetObjectId());
    EXPECT_EQ(pet->GetTeam().GetTeamMajor(), before.GetTeamMajor());
}

TEST_F(StartedMonsterTest, AnInvalidLeaderIsLoggedAndChangesNothing)
{
    Monster* pet = New<Monster>();
    pet->JoinMe(999999, 5000, true);
    EXPECT_EQ(log.Count(2, "Monster::JoinMe() called by invalid target 999999"), 1u);
    EXPECT_EQ(pet->GetLeader(), 0u);
}

TEST_F(StartedMonsterTest, ADeadLeaderKillsAPlayersPetButIsLeftByAMonstersFollower)
{
    auto* player = New<Player>();
    Monster* pet = New<Monster>();
    pet->JoinMe(player->GetObjectId(), -1, false);
    Monster* master = New<Monster>();
    Monster* follower = New<Monster>();
    follower->JoinMe(master->GetObjectId(), -1, false);

    player->SetLifeState(LifeState_Dead);
    master->SetLifeState(LifeState_Dead);
    pet->UpdateSelf(10);
    follower->UpdateSelf(10);
    EXPECT_EQ(pet->GetLeader(), player->GetObjectId()) << "kept; its controller kills it";
    EXPECT_EQ(follower->GetLeader(), 0u);
}

// Object id 1006 picks the second of three meshes, past the one texture: it reads none.
TEST_F(StartedMonsterTest, AMeshIndexBeyondTheTexturesPicksNoTexture)
{
    constexpr const char* kSingle = "Records/Creatures/Monster/Single.dbr";
    database.WriteRecord(kSingle, {"Class = Monster", "monsterMesh = a.msh;b.msh;c.msh",
                                   "monsterBaseTexture = only.tex"});
    auto* single = Must(ObjectManager::Instance().CreateObjectFromFile<Monster>(kSingle, 1006));
    single->SelectAlternativeMesh();
    EXPECT_EQ(single->GetMeshOverride(), "b.msh");
    EXPECT_EQ(single->GetBaseTexture(), "");
}

using TyphonTest = EngineFixture;

TEST_F(TyphonTest, AGodPastTheFourHasNoPackToLight)
{
    auto* typhon = New<Typhon>();
    typhon->EnableSkillEffect(Typhon::kNumGods);
    EXPECT_EQ(typhon->GetSkillEffect(Typhon::kNumGods), nullptr);
}

class MonsterStateTest : public StartedFixture {
protected:
    static std::vector<uint8_t> Save(const Monster& monster)
    {
        BinaryWriter writer = BinaryWriter::ToMemory(256);
        monster.SaveState(writer);
        return {writer.GetData(), writer.GetData() + writer.GetPosition()};
    }

    static bool Restore(Monster& monster, const std::vector<uint8_t>& bytes)
    {
        BinaryReader reader(bytes.data(), bytes.size());
        return monster.RestoreState(reader);
    }
};

TEST_F(MonsterStateTest, ALivingMonsterRestoresItsFieldsAndJoinsItsLeaderForGood)
{
    Monster* leader = New<Monster>();
    Monster* source = New<Monster>();
    source->JoinMe(leader->GetObjectId(), -1, false);
    source->SetProxyParent("Records/Proxies/Pool.dbr");
    source->SetProxyNumSiblings(4);
    source->SetPoppedOut(true);
    const std::vector<uint8_t> bytes = Save(*source);

    Monster* copy = New<Monster>();
    ASSERT_TRUE(Restore(*copy, bytes));
    EXPECT_EQ(copy->GetLeader(), leader->GetObjectId());
    EXPECT_TRUE(copy->GetRestoredFromLevelState());
    EXPECT_FALSE(copy->ShouldLoadLoot());
    EXPECT_EQ(Save(*copy), bytes);
}

TEST_F(MonsterStateTest, ADeadMonsterKeepsItsSeedButReloadsNoLootAndNoLeader)
{
    Monster* leader = New<Monster>();
    auto* source = New<StateTestMonster>();
    source->JoinMe(leader->GetObjectId(), -1, false);
    source->RollLoot(0x1234, 0x0056);
    source->SetLifeState(LifeState_Dead);
    const std::vector<uint8_t> bytes = Save(*source);
    // Actor part (4), life state (4), then the two seed words.
    ASSERT_GE(bytes.size(), 12u);
    EXPECT_EQ(bytes[8], 0x34);
    EXPECT_EQ(bytes[9], 0x12);
    EXPECT_EQ(bytes[10], 0x56);

    auto* copy = New<StateTestMonster>();
    const Character::LootStruct before = copy->Loot();
    ASSERT_TRUE(Restore(*copy, bytes));
    EXPECT_EQ(copy->GetLifeState(), LifeState_Dead);
    EXPECT_EQ(copy->GetLeader(), 0u);
    EXPECT_EQ(copy->Loot().itemIds, before.itemIds);
}

// A cut state keeps what follows with one line; a life state out of range refuses it all.
TEST_F(MonsterStateTest, ADamagedStateKeepsWhatItCannotRead)
{
    Monster* source = New<Monster>();
    source->SetProxyParent("parent");
    source->SetProxyNumSiblings(9);
    const std::vector<uint8_t> saved = Save(*source);
    // Make the proxy parent's length lie: the reader stops there.
    std::vector<uint8_t> bytes = saved;
    bytes[4 + 4 + 2 + 2 + 4 + 3] = 0x7F;
    Monster* copy = New<Monster>();
    copy->SetProxyNumSiblings(3);
    EXPECT_TRUE(Restore(*copy, bytes));
    EXPECT_EQ(copy->GetProxyParent(), "");
    EXPECT_EQ(copy->GetProxyNumSiblings(), 3u);
    EXPECT_EQ(log.CountContaining("Monster::RestoreState: level state of"), 1u);

    bytes = saved;
    bytes[4] = 77;
    Monster* refused = New<Monster>();
    refused->SetProxyNumSiblings(3);
    EXPECT_FALSE(Restore(*refused, bytes));
    EXPECT_EQ(refused->GetLifeState(), LifeState_Alive);
    EXPECT_EQ(refused->GetProxyNumSiblings(), 3u);
}

TEST_F(MonsterStateTest, RecordsEndAfterTheAliveAndMovingFlags)
{
    const MonsterReplicationRecord dead{.alive = false};
    const std::vector<uint8_t> deadBytes = Encode(dead);
    const std::vector<uint8_t> aliveBytes = Encode(MonsterReplicationRecord{.alive = true});
    EXPECT_EQ(aliveBytes.size(), deadBytes.size() + 2 + 2 + 9 * 4);

    const MonsterReplicationRecord moving{.alive = false,
                                          .moving = true,
                                          .pathTarget = WorldVec3(3, Vec3(1.0f, 2.0f, 3.0f)),
                                          .attackTargetId = 5,
                                          .attackExtraValue = 6};
    const std::vector<uint8_t> movingBytes = Encode(moving);
    SpawnPlayerPacket carrier;
    NetPacketInBuffer in(carrier, movingBytes.data(), static_cast<int>(movingBytes.size()));
    MonsterReplicationRecord read;
    ASSERT_TRUE(read.Read(in) && in.GetRemaining() == 0);
    EXPECT_EQ(read.pathTarget, moving.pathTarget);
    EXPECT_EQ(read.attackExtraValue, 6u);
    ASSERT_GT(movingBytes.size(), deadBytes.size());
    EXPECT_EQ(deadBytes.back(), 0) << "the moving flag closes a standing record";
}

TEST_F(MonsterStateTest, ReplicationCarriesTheMonsterAndOnlyTheSecondReadIsKept)
{
    Monster* leader = New<Monster>();
    Monster* source = New<Monster>();
    source->JoinMe(leader->GetObjectId(), -1, false);
    source->SetProxyParent("pool");
    const std::vector<uint8_t> bytes =
        Written([source](NetPacketOutBuffer& out) { source->WriteReplicationData(out); });

    Monster* copy = New<Monster>();
    Feed(*copy, Encode(MonsterReplicationRecord{.proxyParent = "first"}));
    Feed(*copy, bytes);
    ASSERT_TRUE(copy->HasPendingReplicationData());
    copy->ApplyReplicationData();
    EXPECT_EQ(copy->GetProxyParent(), "pool");
    EXPECT_EQ(copy->GetLeader(), leader->GetObjectId());

    copy->ApplyReplicationData();
    EXPECT_EQ(log.Count(1, "Monster::ApplyReplicationData: Attempt to Apply NULL replication "
                           "data."),
              1u);
}

TEST_F(MonsterStateTest, ABadPacketLeavesNoPendingRecord)
{
    std::vector<uint8_t> bytes = Encode(MonsterReplicationRecord{.actionState = ActionState_Dying});
    Monster* copy = New<Monster>();
    Feed(*copy, std::vector<uint8_t>(bytes.begin(), bytes.end() - 1));
    EXPECT_FALSE(copy->HasPendingReplicationData()) << "cut short";

    bytes[0] = 6; // life state past the last one
    Feed(*copy, bytes);
    EXPECT_FALSE(copy->HasPendingReplicationData());

    // A damage-over-time count that the bytes cannot hold.
    bytes = Encode(MonsterReplicationRecord());
    const size_t countAt = 4 + 4 + 4 + 1 + 12 + 4 + 4 + 4 + 1;
    ASSERT_GT(bytes.size(), countAt + 4);
    const uint8_t huge[4] = {0xFF, 0xFF, 0xFF, 0x7F};
    std::memcpy(&bytes[countAt], huge, 4);
    Feed(*copy, bytes);
    EXPECT_FALSE(copy->HasPendingReplicationData());
}

TEST_F(MonsterStateTest, HugeLifeConvertsWithSaturation)
{
    Monster* copy = New<Monster>();
    Feed(*copy, Encode(MonsterReplicationRecord{
                    .currentLife = std::numeric_limits<float>::infinity(), .currentMana = -5.0f}));
    ASSERT_TRUE(copy->HasPendingReplicationData());
    copy->ApplyReplicationData();
    CharacterBioReplicaInfo stats;
    copy->GetCharacterBio().GetCurrentBioStats(stats);
    EXPECT_EQ(stats.currentMana, 0u);
}

constexpr const char* kBite = "Records/Skills/Bite.dbr";
constexpr const char* kRoar = "Records/Skills/Roar.dbr";
constexpr const char* kHeal = "Records/Skills/Heal.dbr";
constexpr uint32_t kDefaultSkill = 4242;

class MonsterSkillsTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        for (const char* record : {kBite, kRoar, kHeal})
            database.WriteRecord(record, {RecordSkill::kClassLine});
        monster = New<Monster>();
        controller = New<ControllerMonster>();
        monster->GetSkillManager().LoadSkills(Record(std::string("skillName1 = ") + kBite +
                                                     "\nskillName2 = " + kRoar +
                                                     "\nskillName3 = " + kHeal + "\n"),
                                              3);
        ASSERT_NE(Id(kBite), 0u);
    }

    uint32_t Id(const char* record) { return monster->GetSkillManager().FindSkillId(record); }

    void Init(const std::string& record)
    {
        monster->InitSkillsInController(Record(record), controller, kDefaultSkill);
    }

    Monster* monster = nullptr;
    ControllerMonster* controller = nullptr;
};

TEST_F(MonsterSkillsTest, OnlyTheAttackSkillGivesDefaultNormalAndTheStandardBands)
{
    // Set beforehand: an absent "chainBehavior" must not touch it.
    controller->SetChainBehavior(ChainedSkillBehavior_UseOnLeader);
    Init(std::string("attackSkillName = ") + kBite + "\n");

    EXPECT_EQ(controller->GetDefaultSkillId(), kDefaultSkill);
    EXPECT_EQ(controller->GetNormalAttackSkillId(), Id(kBite));
    EXPECT_EQ((std::vector<float>{controller->GetShortRangeMin(), controller->GetShortRangeMax(),
                                  controller->GetMediumRangeMin(), controller->GetMediumRangeMax(),
                                  controller->GetLongRangeMin(), controller->GetLongRangeMax()}),
              (std::vector<float>{0, 4, 4, 8, 8, 16}));
    EXPECT_EQ(controller->GetChainBehavior(), ChainedSkillBehavior_UseOnLeader);
}

TEST_F(MonsterSkillsTest, SpecialAttackTimesInMsChanceTruncatedAndRangeByExactWord)
{
    Init(std::string("specialAttack2SkillName = ") + kRoar +
         "\nspecialAttack2Timeout = 2.5\nspecialAttack2Delay = 0.75\n"
         "specialAttack2Chance = 33.9\nspecialAttack2Range = MediumRange\n"
         "specialAttack3SkillName = " +
         kBite + "\nspecialAttack3Range = mediumrange\nspecialAttack3Chance = -5\n" +
         "specialAttackSkillName = Records/Skills/Unknown.dbr\nspecialAttackTimeout = 9\n");

    uint32_t skill = 0, chance = 0;
    int32_t timeout = 0, delay = 0;
    SkillUseRange range = SkillUseRange_None;
    controller->GetSpecialAttack2SkillInfo(skill, timeout, delay, chance, range);
    EXPECT_EQ(skill, Id(kRoar));
    EXPECT_EQ(timeout, 2500);
    EXPECT_EQ(delay, 750);
    EXPECT_EQ(chance, 33u);
    EXPECT_EQ(range, SkillUseRange_Medium);
    // The first wait is the timeout; nothing has cooled down yet.
    EXPECT_EQ(controller->GetSpecialAttack(1).initialWait, 2500);

    const ControllerMonster::SpecialAttack third = controller->GetSpecialAttack(2);
    EXPECT_EQ(third.skill, Id(kBite));
    EXPECT_EQ(third.useRange, SkillUseRange_None);
    EXPECT_EQ(third.chance, 0u);
    // A skill the monster does not hold leaves its slot empty.
    EXPECT_EQ(controller->GetSpecialAttack(0).skill, 0u);
}

TEST_F(MonsterSkillsTest, HealDelayDefaultsToThreeSecondsAndChainWordsAreExact)
{
    Init(std::string("healSkillName = ") + kHeal + "\nchainInitialSkill = " + kBite +
         "\nchainNextSkill = " + kRoar + "\nchainBehavior = UseOnSelfish\n");
    EXPECT_EQ(controller->GetHealSkillId(), Id(kHeal));
    EXPECT_EQ(controller->GetHealDelay(), 3000);
    EXPECT_EQ(controller->GetChainInitialSkill(), Id(kBite));
    EXPECT_EQ(controller->GetChainNextSkill(), Id(kRoar));
    EXPECT_EQ(controller->GetChainBehavior(), ChainedSkillBehavior_None);

    Init("chainBehavior = UseOnSelf\nhealSkillDelay = 1.25\nhealSkillName = " + std::string(kHeal) +
         "\n");
    EXPECT_EQ(controller->GetChainBehavior(), ChainedSkillBehavior_UseOnSelf);
    EXPECT_EQ(controller->GetHealDelay(), 1250);
}

constexpr const char* kCritter = "Records/Creatures/Ambient/Crab.dbr";

class AmbientCharacterTest : public StartedFixture {
protected:
    void SetUp() override
    {
        StartedFixture::SetUp();
        database.WriteRecord("Records/Skills/Pinch.dbr", {RecordSkill::kClassLine});
        database.WriteRecord("Records/Skills/Scuttle.dbr", {RecordSkill::kClassLine});
    }

    AmbientCharacter* Make(const std::vector<std::string>& lines)
    {
        database.WriteFile(kCritter, RecordText(lines, "Class = AmbientCharacter\n"));
        return Must(ObjectManager::Instance().CreateObjectFromFile<AmbientCharacter>(kCritter));
    }
};

TEST_F(AmbientCharacterTest, AStoogeGetsItsControllerAtTheFirstUpdateAndTheMonsterTeam)
{
    AmbientCharacter* crab =
        Make({"controllerType = Stooge", "skillName14 = Records/Skills/Scuttle.dbr",
              "skillName15 = Records/Skills/Pinch.dbr", "skill1 = Records/Skills/Pinch.dbr"});
    const uint32_t pending = crab->GetPendingControllerId();
    const auto* controller = Must(ObjectManager::Instance().GetObject<ControllerStooge>(pending));
    EXPECT_STREQ(controller->GetClassInfo()->GetName(), "ControllerStooge");
    ASSERT_NE(crab->GetSkillId1(), 0u);

    crab->InitialUpdate();
    EXPECT_EQ(crab->GetControllerId(), pending);
    EXPECT_EQ(controller->GetParentId(), crab->GetObjectId());
    EXPECT_EQ(crab->GetTeam().ToRaw(), TeamManager::DefaultMonsterTeam().ToRaw());
}

TEST_F(AmbientCharacterTest, OtherCapitalsOrNoTypeGiveNoControllerButAControllingManager)
{
    for (const char* type : {"controllerType = stooge", "controllerType = Critter", "#"}) {
        AmbientCharacter* crab = Make({type});
        EXPECT_EQ(crab->GetPendingControllerId(), 0u) << type;
        EXPECT_NE(crab->GetSkillManager().GetSkillServices(), nullptr) << type;
        EXPECT_EQ(crab->GetSkillId1(), 0u) << type;
    }
}

TEST_F(AmbientCharacterTest, ANeverAttachedControllerGoesWithTheCharacter)
{
    AmbientCharacter* crab = Make({"controllerType = Stooge"});
    const uint32_t pending = crab->GetPendingControllerId();
    ObjectManager& objects = ObjectManager::Instance();
    ASSERT_NE(objects.GetObject(pending), nullptr);
    objects.DestroyObjectEx(crab, "test", __LINE__);
    objects.ProcessDestroyedObjects();
    EXPECT_EQ(objects.GetObject(pending), nullptr);
    bool namedSource = false;
    for (const auto& record : objects.GetDestroyHistory())
        namedSource |= record.objectId == pending && record.file == "Project/Game/AmbientCharacter";
    EXPECT_TRUE(namedSource);
}

TEST_F(AmbientCharacterTest, BeingAttackedCastsTheFirstSkillOnItselfWhoeverAttacked)
{
    AmbientCharacter* crab =
        Make({"skillName1 = Records/Skills/Scuttle.dbr", "skillName2 = Records/Skills/Pinch.dbr",
              "skill1 = Records/Skills/Pinch.dbr"});
    auto* stooge = GiveController<HoldingStooge>(*crab);

    crab->UnderAttack(12345);
    std::unique_ptr<CharacterAction> action(stooge->GetQueuedAction());
    ASSERT_NE(action, nullptr);
    std::unique_ptr<NetPacket> packet = action->GetNetPacket();
    auto* attack = Must(dynamic_cast<AttackPacket*>(packet.get()));
    EXPECT_EQ(attack->defenderId, crab->GetObjectId());
    EXPECT_EQ(attack->skillNumber,
              crab->GetSkillManager().GetSkillReferenceNumber(crab->GetSkillId1()));
}

} // namespace
} // namespace Test
} // namespace GAME
