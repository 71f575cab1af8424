#include "ai/ControllerAI.h"
#include "ai/ControllerAIStateT.h"

#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "core/PlayStatsDamageType.h"
#include "core/UniqueId.h"
#include "engine/Entity.h"
#include "engine/Region.h"
#include "engine/UniqueIdMap.h"
#include "skills/Skill.h"
#include "tests/combat/DeathFixture.h"
#include "world/DynamicBarrier.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {

// A skill the tests' records can name.
class ReachSkill : public Skill {
    GAME_DECLARE_CLASS(ReachSkill)

public:
    uint32_t GetCurrentLevel() const override { return GetSkillLevel(); }
    void CollectPassiveCharAttributes(CharAttributeAccumulator& /*accumulator*/) const override {}
};

GAME_IMPLEMENT_CLASS(ReachSkill, Skill);

namespace {

class ProbeState : public ControllerAIStateT<ControllerAI, Character> {
public:
    using ControllerAIStateT::ControllerAIStateT;
    void OnBegin() override {}
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}

    using ControllerAIState::BlocksPath;
    using ControllerAIState::FindAlliesInSight;
    using ControllerAIState::FindAlliesOfType;
    using ControllerAIState::FindEnemiesInSight;
    using ControllerAIState::GetClosest;
    using ControllerAIState::IsAlive;
    using ControllerAIState::IsBarrierBlocking;
    using ControllerAIState::IsPathClear;
    using ControllerAIState::ValidateObjectId;
};

// A hero on the monsters' team at (0, 0, 0) of a region with a floor, watching with a thinking
// controller; everyone else is made where the test puts them.
class StateQueriesTest : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        hero = Make("Hero", 0, 0);
        controller = std::make_unique<ControllerAI>();
        controller->SetParentId(hero->GetObjectId());
        probe = std::make_unique<ProbeState>(controller.get());
    }

    void TearDown() override
    {
        probe.reset();
        controller.reset();
        DeathFixture::TearDown();
    }

    template <typename T = Monster>
    T* Make(const std::string& name, float x, float z,
            std::initializer_list<std::string> lines = {})
    {
        T* character = Spawn<T>("Records/Creatures/" + name + ".dbr", lines);
        character->SetPathPosition(At(x, z));
        return character;
    }

    static WorldVec3 At(float x, float z) { return WorldVec3(kRegion, Vec3(x, 0, z)); }

    Monster* hero = nullptr;
    std::unique_ptr<ControllerAI> controller;
    std::unique_ptr<ProbeState> probe;
};

TEST_F(StateQueriesTest, PickersTakeTheFirstOfEqualsAndSkipTheUnhurt)
{
    Monster* full = Make("Full", 4, 0, {"characterLife = 100"});
    Monster* alsoFull = Make("AlsoFull", 5, 0, {"characterLife = 200"});
    Monster* lifeless = Make("Lifeless", 6, 0, {"characterLife = 0"});
    for (Monster* monster : {full, alsoFull, lifeless})
        monster->ForceSpeedUpdate(); // life filled up to its maximum
    EXPECT_EQ(ControllerAI::FindWeakest({full, alsoFull, lifeless}), nullptr);
    EXPECT_EQ(ControllerAI::FindWeakest({}), nullptr);

    Monster* half = Make("Half", 7, 0, {"characterLife = 100"});
    Monster* otherHalf = Make("OtherHalf", 8, 0, {"characterLife = 300"});
    half->ForceSpeedUpdate();
    otherHalf->ForceSpeedUpdate();
    half->SubtractLife(50.0f, PlayStatsDamageType{});
    otherHalf->SubtractLife(150.0f, PlayStatsDamageType{});
    EXPECT_EQ(ControllerAI::FindWeakest({lifeless, half, otherHalf, full}), half);

    EXPECT_EQ(ControllerAI::FindStrongest({half}), half);
    EXPECT_EQ(ControllerAI::FindStrongest({full, half, alsoFull}), alsoFull);
    EXPECT_EQ(ControllerAI::FindMostVulnerable({full, half}), nullptr);

    Monster* west = Make("West", -4, 0);
    EXPECT_EQ(controller->FindClosest({half, full, west, alsoFull}), full);
    EXPECT_EQ(controller->FindClosest({}), nullptr);
}

TEST_F(StateQueriesTest, AnUnknownSkillIsReportedBeforeTheEnemyIsLookedAt)
{
    log.Clear();
    EXPECT_FALSE(probe->CloseEnoughToUseSkill(0, 0));
    EXPECT_EQ(log.Count(2, "ControllerAIState::CloseEnoughToUseSkill() - invalid skill used by "
                           "Records/Creatures/Hero.dbr.  This is most likely a database record "
                           "issue."),
              1u);
    EXPECT_EQ(log.GetLines().size(), 1u);
}

TEST_F(StateQueriesTest, CloseEnoughMeansStrictlyInsideTheTolerance)
{
    database.WriteRecord("Records/Skills/Bite.dbr",
                         {"Class = ReachSkill", "distanceProfile = Melee"});
    database.WriteRecord("Records/Skills/Spit.dbr",
                         {"Class = ReachSkill", "distanceProfile = Long"});
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t bite =
        objects.CreateObjectFromFile<Skill>("Records/Skills/Bite.dbr")->GetObjectId();
    const uint32_t spit =
        objects.CreateObjectFromFile<Skill>("Records/Skills/Spit.dbr")->GetObjectId();
    Monster* enemy = Make("Enemy", 20, 0);
    enemy->SetTeam(TeamManager::DefaultPlayerTeam());
    const uint32_t enemyId = enemy->GetObjectId();

    log.Clear();
    EXPECT_FALSE(probe->CloseEnoughToUseSkill(999, bite));
    EXPECT_EQ(log.Count(2, "ControllerAIState::CloseEnoughToUseSkill() - invalid enemy being "
                           "attacked by Records/Creatures/Hero.dbr."),
              1u);

    // A melee skill is measured from the place the hero would take round the enemy.
    const WorldVec3 slot = hero->GetMoveToPoint(enemyId, bite, enemy->GetPathPosition());
    ASSERT_TRUE(slot.HasRegion());
    WorldVec3 standing = slot;
    standing.TranslateInRegion({0, 0, 0.5f});
    hero->SetPathPosition(standing);
    EXPECT_FALSE(probe->CloseEnoughToUseSkill(enemyId, bite));
    standing = slot;
    standing.TranslateInRegion({0, 0, 0.49f});
    hero->SetPathPosition(standing);
    EXPECT_TRUE(probe->CloseEnoughToUseSkill(enemyId, bite));

    // Any other skill by the distance between the two.
    const float reach = Character::GetTargetDistance(hero->GetObjectId(), enemyId, spit) + 0.5f;
    hero->SetPathPosition(At(20 - reach, 0));
    EXPECT_FALSE(probe->CloseEnoughToUseSkill(enemyId, spit));
    hero->SetPathPosition(At(20.01f - reach, 0));
    EXPECT_TRUE(probe->CloseEnoughToUseSkill(enemyId, spit));
}

TEST_F(StateQueriesTest, AliveAndValidatedIdsNameCharactersOnly)
{
    EXPECT_TRUE(ProbeState::IsAlive(hero->GetObjectId()));
    EXPECT_FALSE(ProbeState::IsAlive(0));
    EXPECT_EQ(ProbeState::ValidateObjectId(hero->GetObjectId(), "Probe"), hero);
    EXPECT_EQ(ProbeState::ValidateObjectId(999, "Probe"), nullptr);
    EXPECT_EQ(log.Count(2, "Probe Error - invalid Object ID."), 1u);
}

TEST_F(StateQueriesTest, SightFindsFoesFriendsAndRecordsWithinTheViewDistance)
{
    Monster* foe = Make("Foe", 10, 0);
    foe->SetTeam(TeamManager::DefaultPlayerTeam());
    Make("FarFriend", 25, 0);
    Monster* friendly = Make("Friend", 0, 12);

    std::vector<Character*> found{hero};
    probe->FindEnemiesInSight(found);
    EXPECT_EQ(found, std::vector<Character*>{foe});
    probe->FindAlliesInSight(found);
    EXPECT_EQ(found, std::vector<Character*>{friendly});

    probe->FindAlliesOfType(found, "Records/Creatures/Foe.dbr");
    EXPECT_EQ(found, std::vector<Character*>{foe});
    probe->FindAlliesOfType(found, "Records\\Creatures\\Foe.dbr");
    EXPECT_EQ(found, std::vector<Character*>{foe});
    probe->FindAlliesOfType(found, "records/creatures/foe.dbr");
    EXPECT_TRUE(found.empty());
}

TEST_F(StateQueriesTest, GetClosestIndexesTheNearestEntityThatExists)
{
    EXPECT_EQ(probe->GetClosest({}), -1);
    Monster* far = Make("FarPoint", 9, 0);
    Monster* near = Make("NearPoint", 3, 0);
    far->SetUniqueID(UniqueId(1, 2, 3, 4));
    near->SetUniqueID(UniqueId(5, 6, 7, 8));
    EXPECT_EQ(UniqueIdMap::GetEntity(UniqueId(5, 6, 7, 8)), near);
    EXPECT_EQ(UniqueIdMap::GetEntity(UniqueId()), nullptr);
    EXPECT_EQ(probe->GetClosest({UniqueId(9, 9, 9, 9), far->GetUniqueID(), near->GetUniqueID()}),
              2);
    EXPECT_EQ(probe->GetClosest({UniqueId(9, 9, 9, 9)}), -1);
}

TEST_F(StateQueriesTest, OnlyStaticOccludersBlockTheWay)
{
    Monster* target = Make("Target", 10, 0);
    Entity* blocker = hero;
    EXPECT_TRUE(probe->IsPathClear(target->GetObjectId(), blocker));
    EXPECT_EQ(blocker, nullptr);
    EXPECT_FALSE(probe->IsPathClear(999, blocker));

    Monster* rock = Make("Rock", 5, 0);
    rock->SetPhysicsType(1); // moves: not a wall
    EXPECT_FALSE(ProbeState::BlocksPath(rock));
    EXPECT_TRUE(probe->IsPathClear(target->GetObjectId(), blocker));

    rock->SetPhysicsType(0);
    EXPECT_TRUE(ProbeState::BlocksPath(rock));
    EXPECT_FALSE(probe->IsPathClear(target->GetObjectId(), blocker));
    EXPECT_EQ(blocker, rock);
}

TEST_F(StateQueriesTest, GeometryAsFarAsTheTargetBlocksAndBeyondItDoesNot)
{
    Monster* target = Make("Target", 10, 0);
    Region* region = gEngine->GetWorld()->GetRegionById(kRegion);
    Entity* blocker = nullptr;
    region->AddGeometryBox(ABBox({10.5f, -5, -5}, {12, 5, 5}), 7);
    EXPECT_TRUE(probe->IsPathClear(target->GetObjectId(), blocker));
    // The wall's face exactly where the sight line ends.
    region->AddGeometryBox(ABBox({10, -5, -5}, {12, 5, 5}), 7);
    EXPECT_FALSE(probe->IsPathClear(target->GetObjectId(), blocker));
    EXPECT_EQ(blocker, nullptr);
}

TEST_F(StateQueriesTest, TheNearestLivingHostileBarrierIsNamed)
{
    Monster* target = Make("Target", 10, 0);
    EXPECT_EQ(probe->IsBarrierBlocking(target->GetObjectId()), nullptr);
    EXPECT_EQ(probe->IsBarrierBlocking(999), nullptr);

    auto* far = Make<DynamicBarrier>("FarGate", 7, 0);
    auto* friendly = Make<DynamicBarrier>("OwnGate", 2, 0);
    auto* dead = Make<DynamicBarrier>("DeadGate", 3, 0);
    auto* near = Make<DynamicBarrier>("NearGate", 5, 0);
    for (Character* gate : std::initializer_list<Character*>{far, dead, near})
        gate->SetTeam(TeamManager::DefaultPlayerTeam());
    friendly->SetTeam(TeamManager::DefaultMonsterTeam());
    dead->SetLifeState(LifeState_Dead);
    EXPECT_EQ(probe->IsBarrierBlocking(target->GetObjectId()), near);
}

} // namespace
} // namespace GAME::Test
