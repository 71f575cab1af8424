#include "ai/ControllerBandari.h"
#include "ai/ControllerMonsterState.h"
#include "ai/ControllerTerracotta.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "engine/Coords.h"
#include "engine/EditorFilter.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/WorldCoords.h"
#include "tests/ai/ScriptedBossFixture.h"
#include "world/BandariTeleportPoint.h"
#include "world/Proxy.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {
namespace {

constexpr uint32_t kLevel = 0xBA4D;

UniqueId Placed(uint32_t word)
{
    return UniqueId(kLevel, 0, 0, word);
}

class BandariTest : public ScriptedBossFixture {
protected:
    // The boss (placed, id 1) with three points (ids 11-13) far from anyone; behind point 1
    // stands a placed warrior, behind point 2 a proxy that placed one, point 3 has none.
    void SetUp() override
    {
        ScriptedBossFixture::SetUp();
        InstanceGroupManager& groups = InstanceGroupManager::Instance();
        std::vector<UniqueId> points;
        for (uint32_t index = 0; index < 3; ++index) {
            auto* point = SpawnAt<BandariTeleportPoint>("Records/Bosses/Point.dbr",
                                                        {"Class = BandariTeleportPoint"},
                                                        Vec3(40.0f + 10.0f * index, 0, 40.0f));
            point->SetUniqueID(Placed(11 + index));
            point->InitialUpdate();
            EXPECT_FALSE(point->GetVisibility()) << "only the editor shows the points";
            EXPECT_EQ(EditorFilter::Instance().GetObjectCount(), 0u);
            points.push_back(Placed(11 + index));
        }
        placedWarrior = Warrior("Placed", 30, Placed(21));
        madeWarrior = Warrior("Made", 32, UniqueId());
        auto* proxy = SpawnAt<Proxy>("Records/Bosses/Proxy.dbr", {"Class = Proxy"});
        proxy->SetUniqueID(Placed(22));
        proxy->AddPlacedObject(madeWarrior->GetObjectId());

        const int32_t all = groups.GetNumGroups();
        groups.AddGroup(InstanceGroup("Bandari Teleport Points", "All", points));
        for (uint32_t index = 0; index < 2; ++index) {
            const int32_t warriors = groups.GetNumGroups();
            groups.AddGroup(InstanceGroup("Terracotta Warriors", "Squad", {Placed(21 + index)}));
            InstanceGroup at("Bandari Teleport Points", "Point", {Placed(11 + index)});
            at.AddChild(warriors);
            groups.AddGroup(at);
        }
        InstanceGroup boss("Bandari", "Boss", {Placed(1)});
        boss.AddChild(all);
        groups.AddGroup(boss);
        bandari = Boss<ControllerBandari>("Bandari", 0, 0, {}, {}, Placed(1));
    }

    Monster* Warrior(const char* name, float x, const UniqueId& id)
    {
        return Boss<ControllerTerracotta>(name, x, 0, {"MarchRange = 0.0"}, {}, id);
    }
    ControllerBandari& Brain() { return ControllerOf<ControllerBandari>(*bandari); }
    void LifeTo(float life)
    {
        bandari->SubtractLife(bandari->GetCurrentLife() - life, PlayStatsDamageType{});
        Brain().Update(0);
    }

    Monster* bandari = nullptr;
    Monster* placedWarrior = nullptr;
    Monster* madeWarrior = nullptr;
};

TEST_F(BandariTest, JumpsBelowEachQuarterOnceItLandedAndSendsThatPointsWarriors)
{
    ControllerBandari& brain = Brain();
    ASSERT_EQ(brain.GetTeleportPoints().size(), 3u);
    EXPECT_EQ(brain.GetStartLife(), 100.0f);

    struct Row {
        float life;
        int32_t nextTeleport;
        bool canTeleport;
    };
    // At a threshold nothing happens; just below it the boss jumps and waits until it lands.
    const Row first[] = {{75.0f, 0, true}, {74.9f, 1, false}, {10.0f, 1, false}};
    for (const Row& row : first) {
        SCOPED_TRACE(row.life);
        LifeTo(row.life);
        EXPECT_EQ(brain.GetNextTeleport(), row.nextTeleport);
        EXPECT_EQ(brain.CanTeleport(), row.canTeleport);
    }
    EXPECT_EQ(StateOf(*placedWarrior), "AttackMarch");
    EXPECT_NE(StateOf(*madeWarrior), "AttackMarch");

    const WorldCoords landing(WorldVec3(kRegion, Vec3(40, 0, 40)));
    bandari->TeleportToLocation(landing);
    EXPECT_TRUE(brain.CanTeleport());
    EXPECT_EQ(bandari->GetSpawnPoint().GetPosition(), landing.GetPosition());
    // Life 10 is below 2/4: the second jump comes on the next update, the point of the proxy.
    brain.Update(0);
    EXPECT_EQ(brain.GetNextTeleport(), 2);
    EXPECT_EQ(StateOf(*madeWarrior), "AttackMarch");

    // The third point has no warriors: no jump, whatever the life.
    bandari->TeleportToLocation(landing);
    LifeTo(1.0f);
    EXPECT_EQ(brain.GetNextTeleport(), 2);
}

TEST_F(BandariTest, ABossWithoutStartLifeNeverJumps)
{
    Monster* lifeless =
        Boss<ControllerBandari>("Lifeless", 0, 5, {}, {"characterLife = 0"}, Placed(1));
    ControllerBandari& brain = ControllerOf<ControllerBandari>(*lifeless);
    ASSERT_EQ(brain.GetTeleportPoints().size(), 3u);
    EXPECT_EQ(brain.GetStartLife(), 0.0f);
    brain.Update(0);
    EXPECT_EQ(brain.GetNextTeleport(), 0);
}

// Stands in for the monsters' "Return", which would move on at once.
class ReturnProbe : public ControllerMonsterStateBase {
public:
    using ControllerMonsterStateBase::ControllerMonsterStateBase;
};

class TerracottaTest : public ScriptedBossFixture {
protected:
    ControllerTerracotta& Brain(const Monster& warrior)
    {
        auto& brain = ControllerOf<ControllerTerracotta>(warrior);
        brain.AddState("Return", new ReturnProbe(&brain));
        return brain;
    }
};

TEST_F(TerracottaTest, MarchesAtAFoeWithinMarchRangeAheadAndFightsWhenItIsClose)
{
    // Facing +z.
    Monster* warrior = Boss<ControllerTerracotta>("Warrior", 0, 0, {"MarchRange = 6.0"});
    ControllerTerracotta& brain = Brain(*warrior);
    EXPECT_EQ(brain.GetAttackRange(), 2.0f);
    Monster* foe = Bystander("Foe", 0, 8, TeamManager::DefaultPlayerTeam());
    brain.SetMostHatedEnemy(foe->GetObjectId());

    EXPECT_EQ(brain.GetForwardDistance(foe->GetObjectId()), 8.0f);
    brain.Update(0);
    EXPECT_EQ(StateOf(*warrior), "Startup");

    Stand(*foe, 1, 4);
    EXPECT_EQ(brain.GetForwardDistance(foe->GetObjectId()), 4.0f);
    brain.Update(0);
    EXPECT_EQ(StateOf(*warrior), "AttackMarch");
    brain.Update(0);
    EXPECT_EQ(StateOf(*warrior), "AttackMarch");

    Stand(*foe, 0, 1.5f);
    brain.Update(0);
    EXPECT_EQ(StateOf(*warrior), "Return");
}

TEST_F(TerracottaTest, ForwardDistanceIsZeroBehindAndForAnyoneGone)
{
    Monster* warrior = Boss<ControllerTerracotta>("Warrior", 0, 0, {});
    ControllerTerracotta& brain = Brain(*warrior);
    EXPECT_EQ(brain.GetMarchRange(), 0.0f);
    const Monster* behind = Make("Behind", 0, -3);
    EXPECT_EQ(brain.GetForwardDistance(behind->GetObjectId()), 0.0f);
    EXPECT_EQ(brain.GetForwardDistance(0), 0.0f);
    // "MarchRange" 0: a foe behind is below the attack range, so the warrior turns to fight.
    brain.SetMostHatedEnemy(behind->GetObjectId());
    brain.Update(0);
    EXPECT_EQ(StateOf(*warrior), "Return");
}

} // namespace
} // namespace GAME::Test
