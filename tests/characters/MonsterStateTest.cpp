#include "characters/Monster.h"

#include "characters/CharacterBioReplicaInfo.h"
#include "characters/Guard.h"
#include "characters/MonsterReplicationRecord.h"
#include "characters/TeamManager.h"
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "engine/Engine.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/GameEngineFixture.h"

#include <cstring>
#include <limits>

namespace GAME {

// Reaches the loot a monster keeps to itself.
class StateTestMonster : public Monster {
    GAME_DECLARE_CLASS(StateTestMonster)

public:
    const LootStruct& Loot() const { return lootState; }
    void RollLoot(uint16_t seed, uint16_t levelArgument) { LoadLootFromSeed(seed, levelArgument); }
};

GAME_IMPLEMENT_CLASS(StateTestMonster, Monster);

namespace Test {
namespace {

bool Decode(const std::vector<uint8_t>& bytes, MonsterReplicationRecord& record)
{
    SpawnPlayerPacket carrier;
    NetPacketInBuffer in(carrier, bytes.data(), static_cast<int>(bytes.size()));
    return record.Read(in) && in.GetRemaining() == 0;
}

class MonsterStateTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }

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
    EXPECT_EQ(copy->GetJoinTimer(), -1);
    EXPECT_EQ(copy->GetShownBanner(), 0u);
    EXPECT_EQ(copy->GetProxyParent(), "Records/Proxies/Pool.dbr");
    EXPECT_EQ(copy->GetProxyNumSiblings(), 4u);
    EXPECT_TRUE(copy->GetPoppedOut());
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

TEST_F(MonsterStateTest, ACutStateKeepsWhatFollowsWithOneLine)
{
    Monster* source = New<Monster>();
    source->SetProxyParent("parent");
    source->SetProxyNumSiblings(9);
    std::vector<uint8_t> bytes = Save(*source);
    // Make the proxy parent's length lie: the reader stops there.
    const size_t lengthAt = 4 + 4 + 2 + 2 + 4;
    bytes[lengthAt + 3] = 0x7F;
    Monster* copy = New<Monster>();
    copy->SetProxyNumSiblings(3);
    EXPECT_TRUE(Restore(*copy, bytes));
    EXPECT_EQ(copy->GetProxyParent(), "");
    EXPECT_EQ(copy->GetProxyNumSiblings(), 3u);
    EXPECT_EQ(log.CountContaining("Monster::RestoreState: level state of"), 1u);
}

TEST_F(MonsterStateTest, ALifeStateOutOfRangeIsRefused)
{
    Monster* source = New<Monster>();
    std::vector<uint8_t> bytes = Save(*source);
    bytes[4] = 77;
    Monster* copy = New<Monster>();
    copy->SetProxyNumSiblings(3);
    EXPECT_FALSE(Restore(*copy, bytes));
    EXPECT_EQ(copy->GetLifeState(), LifeState_Alive);
    EXPECT_EQ(copy->GetProxyNumSiblings(), 3u);
}

TEST_F(MonsterStateTest, RecordsEndAfterTheAliveAndMovingFlags)
{
    const MonsterReplicationRecord dead{.alive = false};
    MonsterReplicationRecord alive{.alive = true};
    alive.loot.seed = 7;
    alive.loot.itemIds[8] = 99;
    const std::vector<uint8_t> deadBytes = Encode(dead);
    const std::vector<uint8_t> aliveBytes = Encode(alive);
    EXPECT_EQ(aliveBytes.size(), deadBytes.size() + 2 + 2 + 9 * 4);
    MonsterReplicationRecord read;
    ASSERT_TRUE(Decode(aliveBytes, read));
    EXPECT_EQ(read.loot.seed, 7);
    EXPECT_EQ(read.loot.itemIds[8], 99u);

    const MonsterReplicationRecord moving{.alive = false,
                                          .moving = true,
                                          .pathTarget = WorldVec3(3, Vec3(1.0f, 2.0f, 3.0f)),
                                          .attackTargetId = 5,
                                          .attackExtraValue = 6};
    const std::vector<uint8_t> movingBytes = Encode(moving);
    ASSERT_TRUE(Decode(movingBytes, read));
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
    SpawnPlayerPacket carrier;
    NetPacketOutBuffer out(carrier);
    source->WriteReplicationData(out);
    out.Done();
    const std::vector<uint8_t> bytes(carrier.GetOutBuffer() + NetPacketHeader::kSize,
                                     carrier.GetOutBuffer() + carrier.GetOutBufferSize());

    Monster* copy = New<Monster>();
    Feed(*copy, Encode(MonsterReplicationRecord{.proxyParent = "first"}));
    Feed(*copy, bytes);
    ASSERT_TRUE(copy->HasPendingReplicationData());
    copy->ApplyReplicationData();
    EXPECT_FALSE(copy->HasPendingReplicationData());
    EXPECT_EQ(copy->GetProxyParent(), "pool");
    EXPECT_EQ(copy->GetLeader(), leader->GetObjectId());
    EXPECT_EQ(copy->GetSavedTeam().GetTeamMajor(), Team().GetTeamMajor())
        << "replication sets no saved team";

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

TEST_F(MonsterStateTest, AGuardFightsForThePlayersAndCannotDie)
{
    database.WriteRecord("Records/Creatures/Guard.dbr", {"Class = Guard"});
    auto* guard =
        ObjectManager::Instance().CreateObjectFromFile<Guard>("Records/Creatures/Guard.dbr");
    ASSERT_NE(guard, nullptr);
    EXPECT_TRUE(guard->IsInvincible());
    EXPECT_EQ(guard->GetTeam().GetTeamMajor(), TeamManager::DefaultPlayerTeam().GetTeamMajor());
}

} // namespace
} // namespace Test
} // namespace GAME
