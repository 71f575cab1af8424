#include "ai/ControllerNpc2.h"

#include "ai/ControllerAI.h"
#include "ai/ControllerNpcHerdAnimal.h"
#include "ai/ControllerNpcHerder.h"
#include "ai/ControllerNpcState.h"
#include "ai/ControllerNpcStateWander.h"
#include "ai/MovementGoalManager.h"
#include "ai/NpcHerd.h"
#include "ai/NpcHerdManager.h"
#include "ai/SlotManager.h"
#include "characters/CharacterConfigCommands.h"
#include "characters/CharacterMovementManager.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Region.h"
#include "tests/ai/AiWorldFixture.h"
#include "tests/support/LogCapture.h"
#include "world/NpcWanderPoint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

// Notes which quest reports it sends.
class TownTestNpc : public Npc {
    GAME_DECLARE_CLASS(TownTestNpc)

public:
    void Enqueue(std::unique_ptr<ActorConfigCommand> command) override
    {
        if (dynamic_cast<QuestMoveCompletedConfigCmd*>(command.get()) != nullptr)
            reports.emplace_back("move");
        if (dynamic_cast<QuestAnimationCompletedConfigCmd*>(command.get()) != nullptr)
            reports.emplace_back("animation");
        Npc::Enqueue(std::move(command));
    }
    std::vector<std::string> reports;
};

GAME_IMPLEMENT_CLASS(TownTestNpc, Npc);

namespace Test {
namespace {

constexpr uint32_t kTownWord = 0x70A7;

class TownsfolkTest : public AiWorldFixture {
protected:
    void SetUp() override
    {
        AiWorldFixture::SetUp();
        database.WriteRecord(
            "Records/Controllers/Npc/Npc2Controller.dbr",
            {"Class = ControllerNpc2", "npcIdleTimeMin = 1", "npcIdleTimeMax = 1"});
        database.WriteRecord("Records/Controllers/Npc/NpcHerdAnimalController.dbr",
                             {"Class = ControllerNpcHerdAnimal"});
        database.WriteRecord("Records/Controllers/Npc/NpcHerderController.dbr",
                             {"Class = ControllerNpcHerder"});
        database.WriteRecord("Records/Town/Point.dbr", {"Class = NpcWanderPoint", "radius = 0"});
        database.WriteRecord("Records/Controllers/Own.dbr", {"Class = ControllerAI"});
    }

    // A walking townsperson at (x, 0, z), in a wanderer group over the given points when any.
    TownTestNpc* Townsperson(const std::string& record, float x, float z,
                             const std::vector<UniqueId>& points = {},
                             std::initializer_list<std::string> lines = {})
    {
        database.WriteFile(
            record,
            RecordText("Class = TownTestNpc\nunarmedWalkAnim = Stroll\nunarmedRunAnim = Trot",
                       lines));
        auto* npc = ObjectManager::Instance().CreateObjectFromFile<TownTestNpc>(record);
        const UniqueId id(kTownWord, 0, 0, ++made);
        npc->SetUniqueID(id);
        if (!points.empty()) {
            InstanceGroupManager& groups = InstanceGroupManager::Instance();
            const int32_t pointGroup = groups.GetNumGroups();
            groups.AddGroup(InstanceGroup("Wander Points", "points", points));
            InstanceGroup wanderers("Npc Wanderers", "folk", {id});
            wanderers.AddChild(pointGroup);
            groups.AddGroup(wanderers);
        }
        TheWorld().AddEntity(npc, WorldAt({x, 0, z}), false);
        npc->InitialUpdate();
        ControllerOf(*npc).InitialUpdate();
        return npc;
    }

    // A wander point at (x, 0, z), or only its id when it is not placed.
    UniqueId WanderPoint(float x, float z, bool placed = true)
    {
        const UniqueId id(kTownWord, 1, 0, ++made);
        if (placed)
            SpawnAt<NpcWanderPoint>("Records/Town/Point.dbr",
                                    {"Class = NpcWanderPoint", "radius = 0"}, {x, 0, z})
                ->SetUniqueID(id);
        return id;
    }

    static ControllerNpc2& Mind(const Character& character)
    {
        return ControllerOf<ControllerNpc2>(character);
    }
    static Vec3 Destination(const Character& character)
    {
        return character.GetMovementManager()->GetPathTarget().GetRegionPosition();
    }
    static ControllerNpcStateWander& Wander(const Character& character)
    {
        return *static_cast<ControllerNpcStateWander*>(Mind(character).GetState("Wander"));
    }

    // A townsperson made by name, thinking with a plain controller.
    static Npc* MakeNpc()
    {
        auto* npc = static_cast<Npc*>(ObjectManager::Instance().CreateObject("Npc"));
        npc->SetController("Records/Controllers/Own.dbr");
        return npc;
    }
    static const char* ControllerClass(const Npc& npc)
    {
        const Object* controller = ObjectManager::Instance().GetObject(npc.GetControllerId());
        return controller != nullptr ? controller->GetClassInfo()->GetName() : "";
    }

    uint32_t made = 0;
};

TEST_F(TownsfolkTest, AReversedIdleRangeStillDrawsBetweenItsEnds)
{
    database.WriteRecord("Records/Controllers/Npc/Npc2Controller.dbr",
                         {"Class = ControllerNpc2", "npcIdleTimeMin = 3", "npcIdleTimeMax = 2"});
    const TownTestNpc* npc = Townsperson("Records/Town/Idler.dbr", 0, 0);
    const int32_t wait =
        static_cast<ControllerNpcStateIdle*>(Mind(*npc).GetExecutingState())->GetWaitTime();
    EXPECT_GE(wait, 2000);
    EXPECT_LE(wait, 3000);
}

TEST_F(TownsfolkTest, AGoneWanderPointIsSkippedButStaysTheCurrentOne)
{
    const UniqueId gone = WanderPoint(5, 0, false);
    const UniqueId there = WanderPoint(0, 8);
    const TownTestNpc* npc = Townsperson("Records/Town/Stroller.dbr", 0, 0, {gone, there});
    ControllerNpc2& controller = Mind(*npc);
    ControllerNpcStateWander& wander = Wander(*npc);

    controller.SetCurrentWanderPoint(0);
    ASSERT_TRUE(wander.MoveToCurrentWanderPoint());
    EXPECT_EQ(Destination(*npc), Vec3(0, 0, 8));
    EXPECT_EQ(controller.GetCurrentWanderPoint(), 0u);

    wander.MoveToNextWanderPoint();
    EXPECT_EQ(controller.GetCurrentWanderPoint(), 1u);
    EXPECT_EQ(Destination(*npc), Vec3(0, 0, 8));
}

TEST_F(TownsfolkTest, AnAttractorNearHomeIsWatchedFromADefenceSlotUntilItGoes)
{
    const UniqueId far = WanderPoint(0, 30);
    TownTestNpc* watcher = Townsperson("Records/Town/Watcher.dbr", 0, 0, {far});
    Npc* juggler = Townsperson("Records/Town/Juggler.dbr", 4, 0, {},
                               {"isNpcAttractor = 1", "canBeAttracted = 0"});
    ControllerNpc2& controller = Mind(*watcher);

    controller.SetState("Wander", ControllerAIStateData());
    ASSERT_EQ(StateOf(*watcher), "Wander");
    controller.GetExecutingState()->OnUpdate(10001);
    EXPECT_EQ(Wander(*watcher).GetAttraction(), juggler->GetObjectId());
    SlotManager& ring = juggler->GetDefenseSlotManager();
    auto holds = [&] {
        for (uint32_t i = 0; i < ring.GetNumSlots(); ++i) {
            if (ring.GetSlotHolder(i) == watcher->GetObjectId())
                return true;
        }
        return false;
    };
    EXPECT_TRUE(holds());

    controller.EndOfPathReached();
    EXPECT_EQ(StateOf(*watcher), "WatchAttraction");
    controller.GetExecutingState()->OnUpdate(100000);
    EXPECT_EQ(StateOf(*watcher), "Idle");
    EXPECT_FALSE(holds());

    // A watched attractor that went ends the watch.
    controller.SetState("WatchAttraction", ControllerAIStateData(0, juggler->GetObjectId(), 0, {}));
    ASSERT_EQ(StateOf(*watcher), "WatchAttraction");
    ObjectManager::Instance().DestroyObjectEx(juggler, __FILE__, __LINE__);
    controller.GetExecutingState()->OnUpdate(1);
    EXPECT_EQ(StateOf(*watcher), "Idle");
}

TEST_F(TownsfolkTest, EachQuestStateReportsWhenItEndsHoweverItEnds)
{
    TownTestNpc* elder = Townsperson("Records/Town/Elder.dbr", 0, 0);
    ControllerNpc2& controller = Mind(*elder);

    controller.QuestCommandPlayAnimation(AnimationSet_Type(2), true, false);
    EXPECT_EQ(StateOf(*elder), "QuestPlayAnimation");
    controller.HandleEvent(Name::Create("End"));
    EXPECT_EQ(StateOf(*elder), "QuestPlayAnimation");
    EXPECT_TRUE(elder->reports.empty());

    controller.QuestCommandMove(0, At(3, 3), false);
    EXPECT_EQ(StateOf(*elder), "QuestMove");
    EXPECT_EQ(elder->reports, std::vector<std::string>{"animation"});
    controller.EndOfPathReached();
    EXPECT_EQ(StateOf(*elder), "Idle");
    EXPECT_EQ(elder->reports, (std::vector<std::string>{"animation", "move"}));
}

class HerdTest : public TownsfolkTest {
protected:
    // Three animals of one herd in a row along x, the herder behind them.
    void Drive(const std::string& herd, float herderX)
    {
        for (float x : {0.0f, 1.5f, 3.0f})
            animals.push_back(Townsperson(herd, x, 0, {}, {"isInHerd = 1"}));
        herder = Townsperson("Records/Town/Herder" + herd.substr(herd.size() - 5), herderX, 0, {},
                             {"isHerderFor = " + herd});
    }
    const NpcHerd& Herd(const std::string& name) { return *NpcHerdManager::Get().FindHerd(name); }

    std::vector<TownTestNpc*> animals;
    TownTestNpc* herder = nullptr;
};

TEST_F(HerdTest, TheHerderCatchesUpWithTheLastAnimal)
{
    Drive("Records/Town/DeerA.dbr", 6.0f);
    EXPECT_EQ(StateOf(*herder), "DirectHerd");
    const Vec3 target = Destination(*herder);
    EXPECT_TRUE(target == Vec3(3.9f, 0, 0) || target == Vec3(2.1f, 0, 0))
        << target.x << ' ' << target.z;
}

TEST_F(HerdTest, AnAnimalFollowsTheOneAheadOnlyWhenFartherThanTwo)
{
    Drive("Records/Town/DeerB.dbr", 20.0f);
    const NpcHerd& herd = Herd("Records/Town/DeerB.dbr");
    WorldVec3 spot;
    EXPECT_FALSE(herd.CheckHerdPositioning(animals[1]->GetObjectId(), spot));
    animals[1]->SetPathPosition(At(3, 0));
    EXPECT_TRUE(herd.CheckHerdPositioning(animals[1]->GetObjectId(), spot));
    EXPECT_FALSE(herd.CheckHerdPositioning(animals[0]->GetObjectId(), spot));
}

TEST_F(HerdTest, AHerderWhoseLastAnimalWentStands)
{
    Drive("Records/Town/DeerC.dbr", 8.0f);
    EXPECT_TRUE(ControllerOf(*herder).IsMoving());
    ObjectManager::Instance().DestroyObjectEx(animals[2], __FILE__, __LINE__);
    WorldVec3 spot;
    EXPECT_FALSE(Herd("Records/Town/DeerC.dbr").CheckHerdPositioning(herder->GetObjectId(), spot));
    ControllerOf(*herder).HandleEvent(Name::Create("End"));
    EXPECT_FALSE(ControllerOf(*herder).IsMoving());
}

TEST_F(TownsfolkTest, WanderPointsComeFromTheWanderPointChildrenOfWandererGroups)
{
    const UniqueId npcId(1, 2, 3, 4), pointA(5, 0, 0, 0), pointB(6, 0, 0, 0), other(7, 0, 0, 0);
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    groups.AddGroup(InstanceGroup("Wander Points", "a", {pointA})); // 0
    groups.AddGroup(InstanceGroup("Patrol Points", "p", {other}));  // 1
    groups.AddGroup(InstanceGroup("Wander Points", "b", {pointB})); // 2
    InstanceGroup wanderers("Npc Wanderers", "w", {npcId});
    for (const int32_t child : {0, 1, 2, 42})
        wanderers.AddChild(child);
    groups.AddGroup(wanderers);
    InstanceGroup elsewhere("Patrollers", "x", {npcId});
    elsewhere.AddChild(0);
    groups.AddGroup(elsewhere);

    auto* npc = static_cast<Npc*>(ObjectManager::Instance().CreateObject("Npc"));
    npc->SetUniqueID(npcId);
    auto* controller =
        static_cast<ControllerNpc2*>(ObjectManager::Instance().CreateObject("ControllerNpc2"));
    controller->AttachParent(npc->GetObjectId());

    ASSERT_EQ(controller->GetWanderPoints().size(), 2u);
    EXPECT_EQ(controller->GetWanderPoints()[0], pointA);
    EXPECT_EQ(controller->GetWanderPoints()[1], pointB);
}

TEST_F(TownsfolkTest, TheFirstAnimalKeepsItsControllerAndAnEmptyHerdTakesAHerder)
{
    Npc* first = MakeNpc();
    Npc* second = MakeNpc();
    Npc* third = MakeNpc();
    NpcHerdManager& herds = NpcHerdManager::Get();
    herds.AddToHerd("Herds/Goats_First", first->GetObjectId());
    herds.AddToHerd("Herds\\Goats_First", second->GetObjectId());
    herds.AddToHerd("HerdsGoats_First", third->GetObjectId());

    EXPECT_STREQ(ControllerClass(*first), "ControllerAI");
    EXPECT_STREQ(ControllerClass(*second), "ControllerNpcHerdAnimal");
    EXPECT_EQ(herds.FindHerd("/Herds/Goats_First")->GetMembers().size(), 3u);
    // Letter case makes another herd.
    EXPECT_EQ(herds.FindHerd("herds/goats_first"), nullptr);

    // An empty herd takes a herder; an id that names no townsperson changes nothing.
    Npc* herder = MakeNpc();
    herds.SetHerdHerder("Herds/Sheep_Alone", herder->GetObjectId());
    const NpcHerd* herd = herds.FindHerd("Herds/Sheep_Alone");
    EXPECT_TRUE(herd->GetMembers().empty());
    EXPECT_EQ(herd->GetHerderId(), herder->GetObjectId());
    herds.SetHerdHerder("Herds/Sheep_Alone", 999999);
    EXPECT_EQ(herd->GetHerderId(), herder->GetObjectId());
}

TEST(SlotManagerTest, ACountFromARecordIsCappedAndLoggedAndABadReleaseChangesNothing)
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

    // Releasing what nobody holds, in a ring or none, changes nothing.
    SlotManager empty(nullptr);
    empty.ReleaseSlot(7);
    empty.ReleaseSlot(0);
    EXPECT_EQ(empty.GetNumSlots(), 0u);
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
        ring = Keep(std::make_unique<SlotManager>(owner));
        ring->SetNumSlots(4);
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
    SlotManager* ring = nullptr;
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

// A wolf at the origin and a boar at (10, 0, 0), both small; where they stand is no goal.
class MovementGoalManagerTest : public AiWorldFixture {
protected:
    void SetUp() override
    {
        AiWorldFixture::SetUp();
        wolf = Make("Wolf", 0, 0);
        boar = Make("Boar", 10, 0);
    }

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
    Monster* wolf = nullptr;
    Monster* boar = nullptr;
};

TEST_F(MovementGoalManagerTest, OnlyGoalsWithinTheCrowdDistanceOfTheTargetAreSteppedRound)
{
    EXPECT_EQ(goals.GetClosestMovePoint(wolf->GetObjectId(), 0.5f, At(7, 3)), At(7, 3));

    // Its own goal is no obstacle to it, and it never keeps two.
    EXPECT_EQ(goals.GetClosestMovePoint(wolf->GetObjectId(), 0.5f, At(7, 3)), At(7, 3));
    EXPECT_EQ(goals.GetGoals().size(), 1u);

    goals.GetClosestMovePoint(wolf->GetObjectId(), 0.5f, At(5, 0));
    EXPECT_EQ(goals.GetClosestMovePoint(boar->GetObjectId(), 0.5f, At(0, 0)), At(0, 0));
    goals.GetClosestMovePoint(wolf->GetObjectId(), 0.5f, At(4, 0));
    EXPECT_NE(goals.GetClosestMovePoint(boar->GetObjectId(), 0.5f, At(0, 0)), At(0, 0));
}

TEST_F(MovementGoalManagerTest, AGoalNearTheTargetIsSteppedRound)
{
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

TEST_F(MovementGoalManagerTest, ReleasedAndStaleGoalsAreForgotten)
{
    // Release forgets the first goal of that character only.
    goals.GetClosestMovePoint(wolf->GetObjectId(), 0.5f, At(20, 0));
    goals.GetClosestMovePoint(boar->GetObjectId(), 0.5f, At(-20, 0));
    goals.ReleaseMoveGoal(0);
    goals.ReleaseMoveGoal(424242);
    goals.ReleaseMoveGoal(wolf->GetObjectId());
    goals.ReleaseMoveGoal(wolf->GetObjectId());
    ASSERT_EQ(goals.GetGoals().size(), 1u);
    EXPECT_EQ(goals.GetGoals()[0].characterId, boar->GetObjectId());

    // Nothing by that id: the next request drops it.
    goals.GetClosestMovePoint(424242, 0.5f, At(0, 0));
    goals.GetClosestMovePoint(wolf->GetObjectId(), 0.5f, At(0, 0));
    wolf->SetLifeState(LifeState_Dead);

    EXPECT_EQ(goals.GetClosestMovePoint(boar->GetObjectId(), 0.5f, At(0, 0)), At(0, 0));
    ASSERT_EQ(goals.GetGoals().size(), 1u);
    EXPECT_EQ(goals.GetGoals()[0].characterId, boar->GetObjectId());
}

// Each request weighs the next goals of the crowd in turn, steps round no more than its share of
// those near the target, drops its own goal wherever it stands and the stale ones in their turn.
TEST_F(MovementGoalManagerTest, PastTheGoalsARequestWeighsTheRestWaitTheirTurn)
{
    constexpr size_t kCrowd = MovementGoalManager::kMaxGoalsWeighed + 44;
    std::vector<Monster*> pack;
    for (size_t i = 0; i < kCrowd; ++i) {
        pack.push_back(Make("Jackal", 20, 0));
        goals.GetClosestMovePoint(pack.back()->GetObjectId(), 0.5f, At(20, 0));
    }
    ASSERT_EQ(goals.GetGoals().size(), kCrowd);
    for (size_t i = 0; i < 10; ++i)
        pack[i]->SetLifeState(LifeState_Dead);

    const WorldVec3 place = goals.GetClosestMovePoint(pack[10]->GetObjectId(), 0.5f, At(20, 0));
    EXPECT_NE(place, At(20, 0));
    EXPECT_EQ(Obstacles(), 0u);
    EXPECT_EQ(goals.GetGoals().back().characterId, pack[10]->GetObjectId());
    goals.GetClosestMovePoint(pack[10]->GetObjectId(), 0.5f, At(20, 0));
    const std::vector<MovementGoalManager::Goal> left = goals.GetGoals();
    ASSERT_EQ(left.size(), kCrowd - 10);
    EXPECT_EQ(left.front().characterId, pack[11]->GetObjectId());
    EXPECT_EQ(left.back().characterId, pack[10]->GetObjectId());
}

} // namespace
} // namespace Test
} // namespace GAME
