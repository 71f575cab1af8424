#include "ai/ControllerAIState.h"
#include "ai/ControllerAktaios.h"
#include "ai/ControllerMonster.h"
#include "ai/ControllerMonsterHidden.h"
#include "ai/ControllerStationaryMonster.h"
#include "ai/ControllerStooge.h"
#include "characters/AmbientCharacter.h"
#include "characters/CharacterMovementManager.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "core/RandomUniform.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "skills/Skill.h"
#include "tests/ai/AiWorldFixture.h"
#include "tests/support/AiItemRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

class LesserMonsterTest : public AiWorldFixture {
protected:
    // A monster at (x, 0, z) thinking with a controller of these record lines.
    template <typename TController>
    Monster* Monsterwith(const std::string& name, float x, float z,
                         std::initializer_list<std::string> controllerLines)
    {
        const std::string controllerRecord = "Records/Controllers/" + name + ".dbr";
        std::string text = std::string("Class = ") + TController::classInfo.GetName() + "\n";
        for (const std::string& line : controllerLines)
            text += line + "\n";
        database.WriteFile(controllerRecord, text);
        Monster* monster = Make(name, x, z,
                                {"controller = " + controllerRecord, "unarmedWalkAnim = Walk",
                                 "unarmedRunAnim = Run", "unarmedSpawnAnim = Rise"});
        monster->SetLifeState(LifeState_Alive);
        Brain(*monster).InitialUpdate();
        return monster;
    }
    Monster* Other(const std::string& name, float x, bool foe)
    {
        Monster* other = Make(name, x, 0);
        other->SetLifeState(LifeState_Alive);
        if (foe)
            other->SetTeam(TeamManager::DefaultPlayerTeam());
        return other;
    }
    static ControllerMonster& Brain(const Character& character)
    {
        return ControllerOf<ControllerMonster>(character);
    }
};

TEST_F(LesserMonsterTest, AStationaryMonsterStrikesFromItsSpotOrStands)
{
    database.WriteRecord("Records/Skills/Bolt.dbr", {"Class = Skill"});
    const uint32_t bolt = ObjectManager::Instance()
                              .CreateObjectFromFile<Skill>("Records/Skills/Bolt.dbr")
                              ->GetObjectId();
    Monster* turret = Monsterwith<ControllerStationaryMonster>("Turret", 0, 0, {});
    ControllerMonster& controller = Brain(*turret);
    const Vec3 standing = turret->GetMovementManager()->GetPathTarget().GetRegionPosition();
    const uint32_t near = Other("Near", 1, true)->GetObjectId();
    const uint32_t far = Other("Far", 40, true)->GetObjectId();

    struct Row {
        const char* state;
        uint32_t enemy;
        const char* after;
    };
    for (const Row& row :
         {Row{"Pursue", far, "Idle"}, Row{"Flee", near, "Idle"}, Row{"Return", 0, "Idle"},
          Row{"Move", 0, "Idle"}, Row{"Pursue", near, "Attack"}}) {
        SCOPED_TRACE(std::string(row.state) + " -> " + row.after);
        controller.SetState(row.state, ControllerAIStateData(row.enemy, 0, bolt, WorldVec3()));
        EXPECT_EQ(StateOf(*turret), row.after);
        EXPECT_EQ(turret->GetMovementManager()->GetPathTarget().GetRegionPosition(), standing);
        EXPECT_FALSE(controller.IsMoving());
    }
}

class HiddenMonsterTest : public LesserMonsterTest {
protected:
    Monster* Lurker()
    {
        return Monsterwith<ControllerMonsterHidden>("Lurker", 0, 0, {"appearDistance = 5.0"});
    }
};

TEST_F(HiddenMonsterTest, OnlyAFoeNearerThanTheAppearDistanceWakesIt)
{
    Monster* lurker = Lurker();
    ControllerMonster& controller = Brain(*lurker);
    ASSERT_EQ(StateOf(*lurker), "Startup");
    EXPECT_FLOAT_EQ(static_cast<ControllerMonsterHidden&>(controller).GetAppearDistance(), 5.0f);

    Other("Friend", 1, false);
    Monster* foe = Other("Foe", 7, true);
    controller.GetExecutingState()->OnUpdate(33);
    EXPECT_EQ(StateOf(*lurker), "Startup");
    EXPECT_FALSE(lurker->GetPoppedOut());

    foe->SetPathPosition(At(4, 0));
    controller.GetExecutingState()->OnUpdate(33);
    EXPECT_TRUE(lurker->GetPoppedOut());
    EXPECT_EQ(StateOf(*lurker), "Startup");
    controller.HandleEvent(Name::Create("End"));
    EXPECT_EQ(StateOf(*lurker), "Pursue");
    EXPECT_EQ(controller.GetCurrentEnemy(), foe->GetObjectId());
    EXPECT_GT(controller.GetAngerManager().GetAnger(foe->GetObjectId()), 0.0f);
}

TEST_F(HiddenMonsterTest, AFoeThatWentBeforeTheSpawnEndedIsNotTaunted)
{
    Monster* lurker = Lurker();
    ControllerMonster& controller = Brain(*lurker);
    Monster* foe = Other("Foe", 3, true);
    const uint32_t foeId = foe->GetObjectId();
    controller.GetExecutingState()->OnUpdate(33);
    ASSERT_TRUE(lurker->GetPoppedOut());
    ObjectManager::Instance().DestroyObjectEx(foe, __FILE__, __LINE__);
    controller.HandleEvent(Name::Create("End"));
    EXPECT_EQ(controller.GetAngerManager().GetAnger(foeId), 0.0f);
    EXPECT_EQ(controller.GetCurrentEnemy(), 0u);
}

TEST_F(HiddenMonsterTest, OnceOutItStartsIdle)
{
    Monster* lurker = Lurker();
    lurker->SetPoppedOut(true);
    Brain(*lurker).SetState("Startup", ControllerAIStateData());
    EXPECT_EQ(StateOf(*lurker), "Idle");
}

// The keys below are those whose record defaults differ from the built values.
TEST_F(LesserMonsterTest, ABossWhoseRecordIsNotReadKeepsItsBuiltSettings)
{
    database.WriteRecord("Records/Controllers/Full.dbr",
                         {"Class = ControllerAktaios", "ViewDistance = 3", "MaxPursuitDistance = 9",
                          "InnerSightAngerRate = 1", "LeaderDistance = 1",
                          "TeleportToLeaderDistance = 2", "RoamBehavior = Roam"});
    const auto& loaded = *ObjectManager::Instance().CreateObjectFromFile<ControllerAktaios>(
        "Records/Controllers/Full.dbr");
    const ControllerAktaios built;
    EXPECT_EQ(loaded.GetViewDistance(), built.GetViewDistance());
    EXPECT_EQ(loaded.GetMaxPursuitDistance(), built.GetMaxPursuitDistance());
    EXPECT_EQ(loaded.GetInnerSightAngerRate(), built.GetInnerSightAngerRate());
    EXPECT_EQ(loaded.GetLeaderDistance(), built.GetLeaderDistance());
    EXPECT_EQ(loaded.GetTeleportToLeaderDistance(), built.GetTeleportToLeaderDistance());
    EXPECT_EQ(loaded.GetRoamBehavior(), built.GetRoamBehavior());
}

class StoogeTest : public AiWorldFixture {
protected:
    AmbientCharacter* Crab(std::initializer_list<std::string> lines)
    {
        database.WriteRecord("Records/Items/Shell.dbr", {"Class = ItemEquipment"});
        return Spawn<AmbientCharacter>("Records/Creatures/Crab.dbr", lines);
    }
};

TEST_F(StoogeTest, EverySlotDrawsOnceWhateverItsChance)
{
    AmbientCharacter* crab =
        Crab({"controllerType = Stooge", "chanceToEquipMisc1 = 0", "chanceToEquipMisc3 = 0",
              "lootMisc1Item1 = Records/Items/Shell.dbr", "chanceToEquipMisc1Item1 = 100"});
    AiItemRecorder recorder;
    RandomUniform expected = Game().GetRandomGen();
    for (int draw = 0; draw < 3; ++draw)
        expected.FGenerate(0.1f, 100.0f);
    ControllerOf<ControllerStooge>(*crab).CharacterIsDead();
    EXPECT_TRUE(recorder.drops.empty());
    EXPECT_EQ(Game().GetRandomGen().IGenerate(0, 1000000), expected.IGenerate(0, 1000000));
}

TEST_F(StoogeTest, ACertainSlotDropsItsOnlyRecordAtTheCreature)
{
    AmbientCharacter* crab =
        Crab({"controllerType = Stooge", "chanceToEquipMisc2 = 100.0",
              "lootMisc2Item1 = Records/Items/Shell.dbr", "chanceToEquipMisc2Item1 = 100"});
    AiItemRecorder recorder;
    std::vector<Vec3> where;
    recorder.onCreate = [&where](const WorldCoords& coords, const ItemReplicaInfo&) {
        where.push_back(coords.GetRegionCoords().origin);
    };
    ControllerOf<ControllerStooge>(*crab).CharacterIsDead();
    ASSERT_EQ(recorder.drops.size(), 1u);
    EXPECT_EQ(recorder.drops[0].baseName, "Records/Items/Shell.dbr");
    EXPECT_NE(recorder.drops[0].id, 0u);
    EXPECT_EQ(where, std::vector<Vec3>{kPlace.GetRegionCoords().origin});
}

} // namespace
} // namespace GAME::Test
