#include "combat/AngerManager.h"

#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "combat/AuraManager.h"
#include "engine/Actor.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/StatisticGraph.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/EngineFixture.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <tuple>

namespace GAME::Test {
namespace {

constexpr uint32_t kA = 10;
constexpr uint32_t kB = 20;
constexpr uint32_t kC = 30;
using Levels = std::map<std::string, float>;

class AngerManagerTest : public CombatWorldFixture {
protected:
    void SetUp() override
    {
        CombatWorldFixture::SetUp();
        monster = Place(100, "Monster", {0, 0, 0}, TeamManager::DefaultMonsterTeam());
        a = Place(kA, "A", {10, 0, 0});
        b = Place(kB, "B", {0, 0, 20});
    }

    Character* Place(uint32_t id, const std::string& name, const Vec3& position,
                     const Team& team = TeamManager::DefaultPlayerTeam())
    {
        auto* character =
            static_cast<Character*>(ObjectManager::Instance().CreateObject("Character", id));
        character->SetObjectName(name);
        character->SetTeam(team);
        TheWorld().AddEntity(character, WorldAt(position), true);
        return character;
    }

    // The nearest enemy's id and distance.
    std::tuple<uint32_t, float> Closest()
    {
        uint32_t closest = 1;
        float distance = 0.0f;
        anger.GetClosestEnemy(closest, distance);
        return {closest, distance};
    }

    // Anger by enemy name, as the debug graph receives it; only enemies that exist show.
    static Levels LevelsOf(const AngerManager& manager)
    {
        gEngine->RunFrame(0);
        manager.ShowAngerLevels();
        Levels levels;
        for (const StatisticGraph::Bar& bar : gEngine->GetStatisticGraph().GetBars())
            levels[bar.name] = bar.value;
        return levels;
    }

    // A = B = 20.
    void EqualAnger(AngerManager& manager)
    {
        manager.AddAnger(kB, 27.0f);
        manager.AddAnger(kA, 20.0f);
    }

    Character* monster = nullptr;
    Character* a = nullptr;
    Character* b = nullptr;
    AngerManager anger;
};

TEST_F(AngerManagerTest, AngerIsCappedAndItsShareSpreadUnclampedToTheOthers)
{
    anger.AddAnger(kA, 150.0f);
    EXPECT_EQ(LevelsOf(anger), (Levels{{"A", 100.0f}}));

    anger.Clear();
    // B's 37.5 loses 50 / 2 x 0.7 when A's anger arrives.
    anger.AddAnger(kB, 37.5f);
    anger.AddAnger(kA, 50.0f);
    EXPECT_EQ(LevelsOf(anger), (Levels{{"A", 50.0f}, {"B", 20.0f}}));
    anger.AddAnger(kA, 10.0f);
    EXPECT_EQ(LevelsOf(anger), (Levels{{"A", 60.0f}, {"B", 16.5f}}));

    // The share comes from the whole amount, not from what fitted under the cap, and may take
    // the others below 0 until the next update.
    anger.AddAnger(kA, 80.0f);
    EXPECT_EQ(LevelsOf(anger), (Levels{{"A", 100.0f}, {"B", -11.5f}}));
    anger.Update(0, 0.0f, monster);
    EXPECT_EQ(LevelsOf(anger), (Levels{{"A", 100.0f}}));

    // A record's negative rate raises the others, no higher than the cap, and an amount that
    // overflowed changes nothing: every anger stays a number.
    anger.AddAnger(kB, 10.0f);
    anger.AddAnger(kB, -1e30f);
    EXPECT_EQ(LevelsOf(anger), (Levels{{"A", 100.0f}, {"B", -1e30f}}));
    anger.AddAnger(kA, -INFINITY);
    anger.AddAnger(kB, INFINITY);
    EXPECT_EQ(LevelsOf(anger), (Levels{{"A", 100.0f}, {"B", -1e30f}}));

    // A negative forgiving rate raises anger as time passes, to the cap and not past any number.
    anger.Clear();
    anger.AddAnger(kA, 10.0f);
    anger.Update(2000, -2.0f, monster);
    EXPECT_EQ(LevelsOf(anger), (Levels{{"A", 14.0f}}));
    anger.Update(INT_MAX, -1e38f, monster);
    EXPECT_EQ(LevelsOf(anger), (Levels{{"A", 100.0f}}));
}

TEST_F(AngerManagerTest, UnknownDeadAndAngerFreeCharactersGetNoEntry)
{
    anger.AddAnger(kA, 10.0f);
    anger.AddAnger(kC, 40.0f);
    b->SetLifeState(LifeState_Dead);
    anger.AddAnger(kB, 40.0f);

    // Neither joined the list: A kept all its anger, and both show nothing once they could.
    Place(kC, "C", {0, 0, 5});
    b->SetLifeState(LifeState_Alive);
    EXPECT_EQ(LevelsOf(anger), (Levels{{"A", 10.0f}}));

    b->SetCausesAnger(false);
    anger.AddAnger(kB, 40.0f);
    EXPECT_EQ(LevelsOf(anger), (Levels{{"A", 10.0f}}));
}

TEST_F(AngerManagerTest, EnemiesBeyondFiftyDropAndTheNearestIsFound)
{
    Place(kC, "C", {50.5f, 0, 0});
    TheWorld().SetCoords(a, WorldAt({50, 0, 0}));
    TheWorld().SetCoords(b, WorldAt({30, 0, 40}));
    anger.AddAnger(kA, 10.0f);
    anger.AddAnger(kB, 10.0f);
    anger.AddAnger(kC, 10.0f);

    anger.Update(0, 0.0f, monster);
    EXPECT_EQ(LevelsOf(anger).size(), 2u) << "C is beyond fifty";
    // A and B are both exactly 50 away: the lower id is the nearest.
    EXPECT_EQ(Closest(), std::make_tuple(kA, 50.0f));

    TheWorld().SetCoords(b, WorldAt({3, 0, 4}));
    anger.Update(0, 0.0f, monster);
    EXPECT_EQ(Closest(), std::make_tuple(kB, 5.0f));

    // An enemy out of the world goes too; with nobody left the distance stays squared-far.
    TheWorld().RemoveEntity(a);
    TheWorld().RemoveEntity(b);
    anger.Update(0, 0.0f, monster);
    EXPECT_TRUE(LevelsOf(anger).empty());
    EXPECT_EQ(Closest(), std::make_tuple(0u, 10000000.0f));
}

TEST_F(AngerManagerTest, EqualAngerGoesToTheLowerIdUnlessTheHigherIsTheCurrentTarget)
{
    EqualAnger(anger);
    EXPECT_EQ(LevelsOf(anger), (Levels{{"A", 20.0f}, {"B", 20.0f}}));
    EXPECT_EQ(anger.GetNewTarget(0.0f), a);

    AngerManager chasingB;
    chasingB.AddAnger(kB, 5.0f);
    EXPECT_EQ(chasingB.GetNewTarget(0.0f), b);
    // Taking over A's and B's equal anger keeps B as the current target, counted double.
    anger.TransferAnger(chasingB);
    EXPECT_EQ(chasingB.GetNewTarget(0.0f), b);

    // A dead enemy is never chosen.
    b->SetLifeState(LifeState_Dying);
    EXPECT_EQ(chasingB.GetNewTarget(0.0f), a);
}

TEST_F(AngerManagerTest, ABestScoreAtTheThresholdChoosesNobody)
{
    EXPECT_EQ(anger.GetNewTarget(-1.0f), nullptr);
    anger.AddAnger(kA, 20.0f);
    EXPECT_EQ(anger.GetNewTarget(20.0f), nullptr);

    // A forced enemy is the target whatever its anger, while it exists.
    anger.SetMostHatedEnemy(kB);
    EXPECT_EQ(anger.GetNewTarget(50.0f), b);
    anger.SetMostHatedEnemy(kC);
    EXPECT_EQ(anger.GetNewTarget(50.0f), nullptr);
}

TEST_F(AngerManagerTest, DecayToExactlyZeroKeepsAndBelowZeroErasesAndForgetsTheTarget)
{
    anger.AddAnger(kB, 10.0f);
    ASSERT_EQ(anger.GetNewTarget(0.0f), b);
    anger.Update(1000, 10.0f, monster);
    EXPECT_EQ(LevelsOf(anger), (Levels{{"B", 0.0f}}));
    anger.Update(1, 10.0f, monster);
    EXPECT_TRUE(LevelsOf(anger).empty());

    // B is no longer the current target, so its anger no longer counts double.
    EqualAnger(anger);
    EXPECT_EQ(anger.GetNewTarget(0.0f), a);
}

TEST_F(AngerManagerTest, AnEnemyTurnedFriendIsDroppedAndNoLongerForced)
{
    anger.AddAnger(kA, 10.0f);
    anger.AddAnger(kB, 10.0f);
    anger.SetMostHatedEnemy(kA);
    a->SetTeam(TeamManager::DefaultMonsterTeam());
    anger.Update(0, 0.0f, monster);
    EXPECT_EQ(LevelsOf(anger).count("A"), 0u);
    EXPECT_EQ(anger.GetNewTarget(0.0f), b);
}

TEST_F(AngerManagerTest, ClearForgetsEnemiesButKeepsTheCurrentTarget)
{
    anger.AddAnger(kB, 10.0f);
    ASSERT_EQ(anger.GetNewTarget(0.0f), b);
    anger.Update(0, 0.0f, monster);
    anger.SetMostHatedEnemy(kA);
    anger.Clear();
    EXPECT_TRUE(LevelsOf(anger).empty());

    EXPECT_EQ(Closest(), std::make_tuple(0u, 20.0f));

    // No longer forced to A, and B's equal anger still counts double.
    EqualAnger(anger);
    EXPECT_EQ(anger.GetNewTarget(0.0f), b);
}

const std::string kGlow = "Records/Fx/Glow.dbr";
const std::string kSpark = "Records/Fx/Spark.dbr";
const std::string kHum = "Records/Sounds/Hum.dbr";

class AuraManagerTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord(kGlow, {"Class = EffectEntity"});
        database.WriteRecord(kSpark, {"Class = EffectEntity"});
        database.WriteRecord(kHum, {"Class = SoundPak", "soundFiles = hum.wav"});
        owner = static_cast<Actor*>(ObjectManager::Instance().CreateObject("Actor"));
    }

    // Whether the aura's entity still exists and rides on the owner.
    bool IsAttached(uint32_t id) const
    {
        const auto* entity = ObjectManager::Instance().GetObject<Entity>(id);
        return entity != nullptr && entity->GetAttachParent() == owner;
    }

    bool IsGone(uint32_t id) const
    {
        return ObjectManager::Instance().GetObject(id) == nullptr &&
               owner->GetAttachedChildren().empty();
    }

    Actor* owner = nullptr;
    AuraManager auras;
};

TEST_F(AuraManagerTest, RecordsThatMakeNoEntityGiveZeroAndLeaveNothingBehind)
{
    const size_t before = ObjectManager::Instance().GetObjectCount();
    EXPECT_EQ(auras.AddAura(*owner, "", false, 5), 0u);
    EXPECT_TRUE(log.GetLines().empty());

    EXPECT_EQ(auras.AddAura(*owner, kHum, true, 5), 0u);
    EXPECT_EQ(log.Count(1, "Aura was not an Entity (Records/Sounds/Hum.dbr)"), 1u);
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), before);

    EXPECT_EQ(auras.AddAura(*owner, "Records/Fx/Missing.dbr", false, 5), 0u);
    EXPECT_EQ(log.Count(1, "Aura was not an Entity (Records/Fx/Missing.dbr)"), 1u);
    EXPECT_TRUE(owner->GetAttachedChildren().empty());
}

TEST_F(AuraManagerTest, TimedAurasGoOnTheUpdateThatLeavesLessThanOneMsAndNeverWrap)
{
    const uint32_t instant = auras.AddAura(*owner, kSpark, false, 0);
    const uint32_t timed = auras.AddAura(*owner, kGlow, false, 2);

    auras.Update(*owner, 0);
    EXPECT_EQ(ObjectManager::Instance().GetObject(instant), nullptr);
    EXPECT_TRUE(IsAttached(timed));

    auras.Update(*owner, 1000);
    auras.Update(*owner, 1000);
    EXPECT_TRUE(IsGone(timed));

    // Durations beyond the clock saturate instead of wrapping.
    const uint32_t endless = auras.AddAura(*owner, kGlow, false, INT_MAX);
    const uint32_t negative = auras.AddAura(*owner, kSpark, false, -3000000);
    auras.Update(*owner, 2000000000);
    EXPECT_TRUE(IsAttached(endless));
    EXPECT_EQ(ObjectManager::Instance().GetObject(negative), nullptr);
    auras.Update(*owner, INT_MAX);
    EXPECT_TRUE(IsGone(endless));
}

TEST_F(AuraManagerTest, AnAuraWhoseEntityVanishedIsDroppedQuietly)
{
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t id = auras.AddAura(*owner, kGlow, false, 1);
    objects.DestroyObjectEx(objects.GetObject(id), "test", 1);
    objects.ProcessDestroyedObjects();
    log.Clear();

    auras.Update(*owner, 1000);
    EXPECT_EQ(objects.GetDestroyHistory().back().file, "test");
    EXPECT_TRUE(log.GetLines().empty());
}

} // namespace
} // namespace GAME::Test
