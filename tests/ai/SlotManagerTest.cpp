#include "ai/SlotManager.h"

#include "ai/MovementGoalManager.h"
#include "characters/Monster.h"
#include "engine/Region.h"
#include "tests/ai/AiWorldFixture.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace GAME::Test {
namespace {

TEST(SlotManagerTest, ACountFromARecordIsCappedAndLogged)
{
    LogCapture log;
    SlotManager ring(nullptr);
    // What a record's -1 becomes on its way to an unsigned count.
    ring.SetNumSlots(0xFFFFFFFFu);
    EXPECT_EQ(ring.GetNumSlots(), SlotManager::kMaxSlots);
    EXPECT_EQ(log.Count(1, "SlotManager: 4294967295 slots asked for (no owner), keeping 64"), 1u);

    log.Clear();
    ring.SetNumSlots(SlotManager::kMaxSlots);
    EXPECT_EQ(ring.GetNumSlots(), SlotManager::kMaxSlots);
    EXPECT_TRUE(log.GetLines().empty());
}

TEST(SlotManagerTest, ReleasingWhatNobodyHoldsChangesNothing)
{
    SlotManager empty(nullptr);
    empty.ReleaseSlot(7);
    empty.ReleaseSlot(0);
    EXPECT_EQ(empty.GetNumSlots(), 0u);

    SlotManager ring(nullptr);
    ring.SetNumSlots(3);
    ring.ReleaseSlot(7);
    ring.ReleaseSlot(0);
    EXPECT_EQ(ring.GetNumSlots(), 3u);
    EXPECT_EQ(ring.GetSlotHolder(0), 0u);
}

// A ring of four places at radius 2 round an owner at (3, 0, 4): (5, 0, 4), (3, 0, 6), (1, 0, 4),
// (3, 0, 2).
class SlotRingTest : public AiWorldFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        owner = Make("Owner", 3, 4);
        ring = std::make_unique<SlotManager>(owner);
        ring->SetNumSlots(4);
    }

    void TearDown() override
    {
        ring.reset();
        DeathFixture::TearDown();
    }

    Monster* Make(const std::string& name, float x, float z, const char* size = "Small")
    {
        return AiWorldFixture::Make(name, x, z, {std::string("pathingSize = ") + size});
    }

    // The place given, with the reach test skipped; no region for none.
    WorldVec3 Request(const Character& requester, float radius = 2.0f)
    {
        WorldVec3 place;
        ring->RequestSlot(place, requester.GetObjectId(), radius, true);
        return place;
    }

    static void ExpectNear(const WorldVec3& place, float x, float z)
    {
        EXPECT_EQ(place.GetRegionId(), kRegion);
        EXPECT_LT((place.GetRegionPosition() - Vec3(x, 0, z)).LengthSquared(), 1e-10f);
    }

    Monster* owner = nullptr;
    std::unique_ptr<SlotManager> ring;
};

TEST_F(SlotRingTest, TheNearestFreePlaceIsGivenAndARequesterNeverHoldsTwo)
{
    Monster* boar = Make("Boar", 10, 4);
    EXPECT_FALSE(Request(*boar, 0.0f).HasRegion());
    WorldVec3 place = At(1, 1);
    ring->RequestSlot(place, 0, 2.0f, true);
    EXPECT_FALSE(place.HasRegion());

    ExpectNear(Request(*boar), 5, 4);

    boar->SetPathPosition(At(3, -5));
    ExpectNear(Request(*boar), 3, 2);
    EXPECT_EQ(ring->GetSlotHolder(0), 0u);
    EXPECT_EQ(ring->GetSlotHolder(3), boar->GetObjectId());

    // The owner moved: the ring moves with it.
    owner->SetPathPosition(At(13, 4));
    ExpectNear(Request(*boar), 11, 4);

    // A dead holder's place goes to the next without a release.
    boar->SetLifeState(LifeState_Dead);
    Monster* wolf = Make("Wolf", 8, 4);
    ExpectNear(Request(*wolf), 11, 4);
    EXPECT_EQ(ring->GetSlotHolder(2), wolf->GetObjectId());

    ring->SetNumSlots(0);
    EXPECT_FALSE(Request(*wolf).HasRegion());
}

TEST_F(SlotRingTest, ARingRoundTheOriginStartsOnTheXAxisAndTurnsTowardsZ)
{
    owner->SetPathPosition(At(0, 0));
    Monster* east = Make("East", 5, 0);
    Monster* south = Make("South", 0, 5);
    ExpectNear(Request(*east), 2, 0);
    ExpectNear(Request(*south), 0, 2);
    EXPECT_EQ(ring->GetSlotHolder(1), south->GetObjectId());
}

TEST_F(SlotRingTest, AFullRingGivesWayOnlyToANearerRequesterOfTheSameSize)
{
    // Each holder stands 3 out beyond its own place.
    const float stands[4][2] = {{8, 4}, {3, 9}, {-2, 4}, {3, -1}};
    std::vector<Monster*> holders;
    for (int index = 0; index < 4; ++index) {
        holders.push_back(
            Make("Holder" + std::to_string(index), stands[index][0], stands[index][1]));
        Request(*holders.back());
    }
    for (uint32_t index = 0; index < 4; ++index)
        ASSERT_EQ(ring->GetSlotHolder(index), holders[index]->GetObjectId()) << index;

    Monster* giant = Make("Giant", 6, 4, "Large");
    EXPECT_FALSE(Request(*giant).HasRegion());
    Monster* far = Make("Far", 30, 4);
    EXPECT_FALSE(Request(*far).HasRegion());

    Monster* near = Make("Near", 6, 4);
    ExpectNear(Request(*near), 5, 4);
    EXPECT_EQ(ring->GetSlotHolder(0), near->GetObjectId());
}

class MovementGoalManagerTest : public AiWorldFixture {
protected:
    Monster* Make(const std::string& name, float x, float z)
    {
        Monster* monster = AiWorldFixture::Make(name, x, z, {"pathingSize = Small"});
        monster->SetMeshBoundingBox(ABBox({-0.4f, 0.0f, -0.4f}, {0.4f, 0.6f, 0.4f}));
        return monster;
    }

    size_t Obstacles() const
    {
        return gEngine->GetWorld()->GetRegionById(kRegion)->GetObstacles().size();
    }

    MovementGoalManager goals;
};

TEST_F(MovementGoalManagerTest, WithoutGoalsNearTheTargetTheTargetComesBackRecorded)
{
    Monster* wolf = Make("Wolf", 0, 0);
    EXPECT_EQ(goals.GetClosestMovePoint(wolf->GetObjectId(), 0.5f, At(7, 3)), At(7, 3));

    // Its own goal is no obstacle to it, and it never keeps two.
    EXPECT_EQ(goals.GetClosestMovePoint(wolf->GetObjectId(), 0.5f, At(7, 3)), At(7, 3));
    EXPECT_EQ(goals.GetGoals().size(), 1u);
}

TEST_F(MovementGoalManagerTest, AGoalNearTheTargetIsSteppedRound)
{
    Monster* wolf = Make("Wolf", 0, 0);
    Monster* boar = Make("Boar", 10, 0);
    ASSERT_EQ(goals.GetClosestMovePoint(wolf->GetObjectId(), 0.5f, At(0, 0)), At(0, 0));

    const WorldVec3 place = goals.GetClosestMovePoint(boar->GetObjectId(), 0.5f, At(0, 0));
    // The nearest ring point, a half step apart, where the boar clears the wolf's body.
    const float clear = wolf->GetRegionBoundingSphere().radius + 0.5f;
    const float expected = 0.5f * std::ceil(clear / 0.5f - 1e-4f);
    EXPECT_NEAR(place.GetRegionPosition().x, expected, 1e-4f);
    EXPECT_NEAR(place.GetRegionPosition().z, 0.0f, 1e-4f);
    EXPECT_EQ(Obstacles(), 0u);
    EXPECT_EQ(goals.GetGoals().back().point, place);
}

TEST_F(MovementGoalManagerTest, OnlyGoalsWithinTheCrowdDistanceOfTheTargetCount)
{
    // Where the wolf stands does not matter; where it was sent does.
    Monster* wolf = Make("Wolf", 0, 0);
    Monster* boar = Make("Boar", 10, 0);
    goals.GetClosestMovePoint(wolf->GetObjectId(), 0.5f, At(5, 0));
    EXPECT_EQ(goals.GetClosestMovePoint(boar->GetObjectId(), 0.5f, At(0, 0)), At(0, 0));

    goals.GetClosestMovePoint(wolf->GetObjectId(), 0.5f, At(4, 0));
    EXPECT_NE(goals.GetClosestMovePoint(boar->GetObjectId(), 0.5f, At(0, 0)), At(0, 0));
}

TEST_F(MovementGoalManagerTest, StaleGoalsAreForgotten)
{
    Monster* wolf = Make("Wolf", 0, 0);
    Monster* boar = Make("Boar", 10, 0);
    // Nothing by that id: the next request drops it.
    goals.GetClosestMovePoint(424242, 0.5f, At(0, 0));
    goals.GetClosestMovePoint(wolf->GetObjectId(), 0.5f, At(0, 0));
    wolf->SetLifeState(LifeState_Dead);

    EXPECT_EQ(goals.GetClosestMovePoint(boar->GetObjectId(), 0.5f, At(0, 0)), At(0, 0));
    ASSERT_EQ(goals.GetGoals().size(), 1u);
    EXPECT_EQ(goals.GetGoals()[0].characterId, boar->GetObjectId());
}

TEST_F(MovementGoalManagerTest, ReleaseForgetsTheFirstGoalOfThatCharacterOnly)
{
    Monster* wolf = Make("Wolf", 0, 0);
    Monster* boar = Make("Boar", 10, 0);
    goals.GetClosestMovePoint(wolf->GetObjectId(), 0.5f, At(20, 0));
    goals.GetClosestMovePoint(boar->GetObjectId(), 0.5f, At(-20, 0));
    goals.ReleaseMoveGoal(0);
    goals.ReleaseMoveGoal(424242);
    goals.ReleaseMoveGoal(wolf->GetObjectId());
    goals.ReleaseMoveGoal(wolf->GetObjectId());
    ASSERT_EQ(goals.GetGoals().size(), 1u);
    EXPECT_EQ(goals.GetGoals()[0].characterId, boar->GetObjectId());
}

TEST(MovementGoalManagerInstanceTest, CharactersAndMonsterControllersKeepApart)
{
    EXPECT_NE(&MovementGoalManager::GetCharacterInstance(),
              &MovementGoalManager::GetMonsterInstance());
    EXPECT_EQ(&Character::GetMovementGoalManager(), &MovementGoalManager::GetCharacterInstance());
}

} // namespace
} // namespace GAME::Test
