#include "ai/MovementGoalManager.h"

#include "characters/Monster.h"
#include "engine/Region.h"
#include "tests/combat/DeathFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace GAME::Test {
namespace {

class MovementGoalManagerTest : public DeathFixture {
protected:
    Monster* Make(const std::string& name, float x, float z)
    {
        Monster* monster = Spawn("Records/Creatures/" + name + ".dbr", {"pathingSize = Small"});
        monster->SetMeshBoundingBox(ABBox({-0.4f, 0.0f, -0.4f}, {0.4f, 0.6f, 0.4f}));
        monster->SetPathPosition(At(x, z));
        return monster;
    }

    static WorldVec3 At(float x, float z) { return WorldVec3(kRegion, Vec3(x, 0, z)); }

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
    ASSERT_EQ(goals.GetGoals().size(), 1u);
    EXPECT_EQ(goals.GetGoals()[0].characterId, wolf->GetObjectId());
    EXPECT_EQ(goals.GetGoals()[0].point, At(7, 3));

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
    EXPECT_EQ(place.GetRegionId(), kRegion);
    EXPECT_NEAR(place.GetRegionPosition().x, expected, 1e-4f);
    EXPECT_NEAR(place.GetRegionPosition().z, 0.0f, 1e-4f);
    EXPECT_EQ(Obstacles(), 0u);
    ASSERT_EQ(goals.GetGoals().size(), 2u);
    EXPECT_EQ(goals.GetGoals()[1].characterId, boar->GetObjectId());
    EXPECT_EQ(goals.GetGoals()[1].point, place);
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
    EXPECT_EQ(goals.GetGoals().size(), 2u);
    goals.ReleaseMoveGoal(wolf->GetObjectId());
    ASSERT_EQ(goals.GetGoals().size(), 1u);
    EXPECT_EQ(goals.GetGoals()[0].characterId, boar->GetObjectId());
    goals.ReleaseMoveGoal(wolf->GetObjectId());
    EXPECT_EQ(goals.GetGoals().size(), 1u);
}

TEST(MovementGoalManagerInstanceTest, CharactersAndMonsterControllersKeepApart)
{
    EXPECT_NE(&MovementGoalManager::GetCharacterInstance(),
              &MovementGoalManager::GetMonsterInstance());
    EXPECT_EQ(&Character::GetMovementGoalManager(), &MovementGoalManager::GetCharacterInstance());
    EXPECT_EQ(&MovementGoalManager::GetMonsterInstance(),
              &MovementGoalManager::GetMonsterInstance());
}

} // namespace
} // namespace GAME::Test
