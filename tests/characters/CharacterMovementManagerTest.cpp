#include "characters/CharacterMovementManager.h"

#include "characters/Character.h"
#include "characters/InterpenetrationManager.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "engine/ABBox.h"
#include "engine/DynamicObstacle.h"
#include "engine/Engine.h"
#include "engine/GraphicsAnim.h"
#include "engine/GraphicsEngine.h"
#include "engine/Path.h"
#include "engine/PathFinder.h"
#include "engine/Viewport.h"
#include "engine/World.h"
#include "engine/WorldVec3.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/GameEngineFixture.h"
#include "world/GameCamera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr uint32_t kRegion = 1;

WorldVec3 At(float x, float z)
{
    return WorldVec3(kRegion, Vec3(x, 0.0f, z));
}

// A monster standing at the origin of a flat region, slowing down over the last 4 metres.
class CharacterMovementManagerTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start({"pathSlowdownLength = 4.0"});
        previousWorld = gEngine->SetWorld(std::make_unique<World>());
        TheWorld().CreateRegion(kRegion, {0, 0, 0}, ABBox({-50, -10, -50}, {50, 10, 50}));
        monster = static_cast<Monster*>(ObjectManager::Instance().CreateObject("Monster"));
        monster->SetObjectName("Records/Creatures/Walker.dbr");
        TheWorld().AddEntity(monster, WorldCoords(At(0, 0)), false);
        movement = monster->GetMovementManager();
    }

    void TearDown() override
    {
        GameEngineFixture::TearDown();
        gEngine->SetWorld(std::move(previousWorld));
    }

    World& TheWorld() { return *gEngine->GetWorld(); }
    uint32_t Searches() { return TheWorld().GetPathRequestCount(); }
    float X() const { return monster->GetCoords().GetRegionCoords().origin.x; }

    // Runs at `speed` metres a second wherever it faces.
    void Run(Actor* actor, float speed)
    {
        runs.push_back(std::make_unique<GraphicsAnim>("Run", 30, 30, speed));
        actor->PlayAnimation(0, runs.back().get(), true, 1.0f, 0);
    }
    void Run(float speed) { Run(monster, speed); }

    // Runs the path out at 5.0, never inside the body grown by the walker's radius, and stops.
    void WalkToTheEnd(const Sphere& body)
    {
        monster->SetActionState(ActionState_Move);
        Run(5.0f);
        const float clearance = body.radius + PathFinder::GetSizeRadius(0) - 1e-3f;
        int frames = 0;
        while (movement->Update(100) && ++frames < 100) {
            const Vec3 offset = monster->GetCoords().GetRegionCoords().origin - body.center;
            ASSERT_GE(Vec3(offset.x, 0.0f, offset.z).Length(), clearance) << "frame " << frames;
        }
        ASSERT_LT(frames, 100);
        monster->SetActionState(ActionState_ForcedStop);
        EXPECT_TRUE(movement->Update(100));
    }

    std::unique_ptr<World> previousWorld;
    std::vector<std::unique_ptr<GraphicsAnim>> runs;
    Monster* monster = nullptr;
    CharacterMovementManager* movement = nullptr;
    bool alreadyThere = false;
};

TEST_F(CharacterMovementManagerTest, TargetWithinHalfAMetreIsReachedWithoutSearching)
{
    EXPECT_TRUE(movement->SetNewPathTarget(At(0, 0), At(0.49f, 0), alreadyThere));
    EXPECT_TRUE(alreadyThere);
    EXPECT_EQ(Searches(), 0u);
    EXPECT_EQ(movement->GetPath(), nullptr);

    // A moving frame without a path stops the character; it is told once, not every frame.
    monster->SetActionState(ActionState_Move);
    EXPECT_FALSE(movement->Update(100));
    EXPECT_FALSE(movement->Update(100));
    EXPECT_EQ(log.Count(2, "Path == NULL for Records/Creatures/Walker.dbr"), 1u);

    // Exactly half a metre away is a walk, not a jump.
    EXPECT_TRUE(movement->SetNewPathTarget(At(0, 0), At(0.5f, 0), alreadyThere));
    EXPECT_FALSE(alreadyThere);
    EXPECT_EQ(Searches(), 1u);
    ASSERT_NE(movement->GetPath(), nullptr);
}

TEST_F(CharacterMovementManagerTest, ReachabilityTestHandsItsPathToTheMoveWithTheSameEnds)
{
    EXPECT_TRUE(movement->CanMoveTo(At(0, 0), At(6, 0), 0.5f, 0.0f));
    EXPECT_TRUE(movement->SetNewPathTarget(At(0, 0), At(6, 0), alreadyThere));
    EXPECT_EQ(Searches(), 1u);
    ASSERT_NE(movement->GetPath(), nullptr);
    EXPECT_FLOAT_EQ(movement->GetPath()->GetLength(), 6.0f);

    // The cache was used up; a move from elsewhere searches for its own path.
    EXPECT_TRUE(movement->CanMoveTo(At(0, 0), At(6, 0), 0.5f, 0.0f));
    EXPECT_TRUE(movement->SetNewPathTarget(At(1, 0), At(6, 0), alreadyThere));
    EXPECT_EQ(Searches(), 3u);
    EXPECT_FLOAT_EQ(movement->GetPath()->GetLength(), 5.0f);
}

TEST_F(CharacterMovementManagerTest, DetourOverNoStraightDistanceCountsAsNone)
{
    // The path runs from the path position; `from` and `to` coincide.
    EXPECT_FALSE(movement->CanMoveTo(At(5, 0), At(5, 0), 0.5f, 0.99f));
    EXPECT_TRUE(movement->CanMoveTo(At(5, 0), At(5, 0), 0.5f, 1.0f));
}

TEST_F(CharacterMovementManagerTest, SpeedFallsTowardsTheEndButNeverBelowOne)
{
    ASSERT_TRUE(movement->SetNewPathTarget(At(0, 0), At(2, 0), alreadyThere));
    monster->SetActionState(ActionState_Move);

    // Standing still it would not move at all; near the end it still walks at 1.0.
    ASSERT_TRUE(movement->Update(100));
    EXPECT_NEAR(X(), 0.1f, 1e-5f);

    // 6.0 over the 1.8 left (ahead, less the last step) of a 4.0 slow-down: 2.7.
    Run(6.0f);
    ASSERT_TRUE(movement->Update(100));
    EXPECT_NEAR(X(), 0.37f, 1e-5f);
}

TEST_F(CharacterMovementManagerTest, CharacterCarriedByAParentIsNeverMoved)
{
    Entity parent;
    parent.Attach(monster, Coords(), "");
    ASSERT_TRUE(movement->SetNewPathTarget(At(0, 0), At(8, 0), alreadyThere));
    monster->SetActionState(ActionState_Move);
    Run(5.0f);
    const WorldCoords before = monster->GetCoords();

    EXPECT_TRUE(movement->Update(100));
    monster->SetActionState(ActionState_ForcedStop);
    EXPECT_TRUE(movement->Update(100));
    EXPECT_EQ(monster->GetCoords(), before);
    parent.Detach(monster);
}

TEST_F(CharacterMovementManagerTest, FollowingAPathRoundAnObstacleReachesTheEnd)
{
    const Sphere rock(Vec3(5, 0, 0), 1.0f);
    std::unique_ptr<DynamicObstacle> obstacle = DynamicObstacle::Create(kRegion, rock);
    ASSERT_NE(obstacle, nullptr);
    obstacle->Attach();
    ASSERT_TRUE(movement->SetNewPathTarget(At(0, 0), At(10, 0), alreadyThere));
    EXPECT_GT(movement->GetPath()->GetLength(), 10.0f);
    WalkToTheEnd(rock);
    EXPECT_EQ(monster->GetCoords().GetPosition(), At(10, 0));
}

TEST_F(CharacterMovementManagerTest, WalkerSteersRoundACharacterComingTowardsIt)
{
    auto* other = static_cast<Monster*>(ObjectManager::Instance().CreateObject("Monster"));
    other->SetMeshBoundingBox(ABBox({-0.4f, 0.0f, -0.4f}, {0.4f, 0.6f, 0.4f}));
    const Coords facingBack = Coords::LookAlong(Vec3(-1, 0, 0), Vec3(0, 1, 0), Vec3(9, 0, 0));
    TheWorld().AddEntity(other, WorldCoords(kRegion, facingBack), false);
    Run(other, 2.0f);

    // The global path goes straight through; only the local one bends.
    ASSERT_TRUE(movement->SetNewPathTarget(At(0, 0), At(14, 0), alreadyThere));
    EXPECT_FLOAT_EQ(movement->GetPath()->GetLength(), 14.0f);
    WalkToTheEnd(other->GetRegionBoundingSphere());
    EXPECT_EQ(monster->GetCoords().GetPosition(), At(14, 0));
}

// Medium characters (radius 1) standing around the point the camera looks at.
class InterpenetrationManagerTest : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        // Far enough back that a few metres round the target are all in view.
        camera.SetCameraDistance(40.0f);
        camera.SetTarget(WorldVec3(kRegion, Vec3(0, 0, 0)));
        camera.Update();
    }

    template <typename T = Character> T* Place(float x, float z, float mass)
    {
        const std::string path = "Records/Creatures/I" + std::to_string(++made) + ".dbr";
        T* character = Spawn<T>(path, {"pathingSize = Medium"});
        character->SetPathMass(mass);
        gEngine->GetWorld()->SetCoords(character,
                                       WorldCoords(kRegion, Coords::FromTranslation({x, 0, z})));
        return character;
    }

    static Vec3 At(const Character& character)
    {
        return character.GetCoords().GetRegionCoords().origin;
    }

    bool InView(const Character& character) const
    {
        const GraphicsEngine& graphics = GraphicsEngine::Instance();
        std::vector<Entity*> seen;
        gEngine->GetWorld()->GetEntitiesInFrustum(
            seen, camera.GetFrustum(Viewport(0, 0, graphics.GetWidth(), graphics.GetHeight())));
        return std::find(seen.begin(), seen.end(), &character) != seen.end();
    }

    int32_t Fixup() { return manager.FixupCharacterCollisions(camera); }

    GameCamera camera;
    InterpenetrationManager manager;
    int made = 0;
};

TEST_F(InterpenetrationManagerTest, HeavierCharacterTakesTheSmallerShare)
{
    // Standing still doubles both masses; the share is unchanged.
    Character* heavy = Place(0, 0, 3);
    Character* light = Place(1, 0, 1);
    Fixup();
    EXPECT_FLOAT_EQ(At(*heavy).x, -0.25f);
    EXPECT_FLOAT_EQ(At(*light).x, 1.75f);
}

TEST_F(InterpenetrationManagerTest, MassZeroOrBelowNeverMoves)
{
    Character* pinned = Place(0, 0, 0);
    Character* other = Place(0, 1, 1);
    Fixup();
    EXPECT_EQ(At(*pinned), Vec3(0, 0, 0));
    EXPECT_FLOAT_EQ(At(*other).z, 2.0f);
    gEngine->GetWorld()->RemoveEntity(pinned);
    gEngine->GetWorld()->RemoveEntity(other);
    // Both pinned: nobody moves, whichever comes first.
    Character* a = Place(0, 0, -1);
    Character* b = Place(0.5f, 0, 0);
    Fixup();
    EXPECT_EQ(At(*a), Vec3(0, 0, 0));
    EXPECT_EQ(At(*b), Vec3(0.5f, 0, 0));
}

TEST_F(InterpenetrationManagerTest, PairsThatAreLeftAlone)
{
    Npc* npcA = Place<Npc>(0, 0, 1);
    Npc* npcB = Place<Npc>(1, 0, 1);
    Character* sameA = Place(0, 4, 1);
    Character* sameB = Place(0, 4, 1);
    Character* dead = Place(4, 0, 1);
    Character* deadsNeighbour = Place(5, 0, 1);
    Character* hidden = Place(4, 4, 1);
    Character* hiddensNeighbour = Place(5, 4, 1);
    dead->SetLifeState(LifeState_Dead);
    hidden->SetVisibility(false);
    const std::vector<const Character*> all{npcA, npcB,           sameA,  sameB,
                                            dead, deadsNeighbour, hidden, hiddensNeighbour};
    for (const Character* character : all)
        ASSERT_TRUE(InView(*character));
    Fixup();
    std::vector<Vec3> places;
    for (const Character* character : all)
        places.push_back(At(*character));
    EXPECT_EQ(places,
              (std::vector<Vec3>{Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 0, 4), Vec3(0, 0, 4),
                                 Vec3(4, 0, 0), Vec3(5, 0, 0), Vec3(4, 0, 4), Vec3(5, 0, 4)}));
}

TEST_F(InterpenetrationManagerTest, PassesStopWhenNothingOverlaps)
{
    Character* a = Place(0, 0, 1);
    Character* b = Place(3, 0, 1);
    EXPECT_EQ(Fixup(), 1);
    EXPECT_EQ(At(*b), Vec3(3, 0, 0));
    // Once pushed apart the pair just touches, which the next pass no longer counts.
    gEngine->GetWorld()->SetCoords(b, WorldCoords(kRegion, Coords::FromTranslation({1, 0, 0})));
    ASSERT_TRUE(InView(*a) && InView(*b));
    EXPECT_EQ(Fixup(), 2);
}

TEST_F(InterpenetrationManagerTest, OnlyCharactersInViewAndNothingInTheEditor)
{
    Character* a = Place(0, 0, 1);
    Character* b = Place(1, 0, 1);
    gEngine->SetLevelEditor(true);
    EXPECT_EQ(Fixup(), 0);
    gEngine->SetLevelEditor(false);
    EXPECT_EQ(At(*a), Vec3(0, 0, 0));
    ASSERT_TRUE(InView(*a) && InView(*b));
    camera.SetTarget(WorldVec3(kRegion, Vec3(60, 0, 60)));
    camera.Update();
    ASSERT_FALSE(InView(*a) || InView(*b));
    EXPECT_EQ(Fixup(), 1);
    EXPECT_EQ(At(*b), Vec3(1, 0, 0));
}

} // namespace
} // namespace GAME::Test
