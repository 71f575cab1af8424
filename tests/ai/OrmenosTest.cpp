#include "characters/Ormenos.h"
#include "ai/ControllerOrmenos.h"
#include "engine/ABBox.h"
#include "engine/Intersection.h"
#include "engine/Ray.h"
#include "skills/Skill_AttackTelekinesis.h"
#include "tests/ai/ScriptedBossFixture.h"
#include "world/OrmenosDropZone.h"
#include "world/ProjectileTelekinesis.h"

#include <gtest/gtest.h>

#include <limits>

namespace GAME::Test {
namespace {

constexpr const char* kExplosion = "Records/Fx/SickleBlast.dbr";
constexpr const char* kRock = "Records/Tk/Rock.dbr";

class OrmenosTest : public ScriptedBossFixture {
protected:
    void SetUp() override
    {
        ScriptedBossFixture::SetUp();
        database.WriteRecord(kExplosion, {"Class = EffectEntity"});
        database.WriteRecord(kRock, {"Class = ProjectileTelekinesis", "projectileVelocity = 20"});
        database.WriteRecord("Records/Tk/Beam.dbr", {"Class = ChaosBeam"});
        database.WriteRecord("Records/Skills/Lift.dbr",
                             {"Class = Skill_AttackTelekinesis", "headVelocity = 4.0",
                              "chaosBeamName = Records/Tk/Beam.dbr"});
    }

    Ormenos* Boss()
    {
        return Thinking<Ormenos, ControllerOrmenos>(
            "Ormenos", 0, 0, {std::string("sickleExplosion = ") + kExplosion});
    }
    ProjectileTelekinesis* Rock(float x)
    {
        auto* rock = ObjectManager::Instance().CreateObjectFromFile<ProjectileTelekinesis>(kRock);
        rock->SetMeshBoundingBox(ABBox({-1, -1, -1}, {1, 1, 1}));
        TheWorld().AddEntity(rock, WorldAt(Vec3(x, 0, 0)), false);
        return rock;
    }
    static size_t Explosions()
    {
        size_t count = 0;
        for (uint32_t id = 1; id < 4096; ++id) {
            const auto* entity = ObjectManager::Instance().GetObject<Entity>(id);
            count += entity != nullptr && entity->GetObjectName() == kExplosion ? 1 : 0;
        }
        return count;
    }
};

TEST_F(OrmenosTest, ASickleLostBeforeTheSaveIsLostAgainWithoutASecondExplosion)
{
    Ormenos* boss = Boss();
    EXPECT_EQ(LastWord(Saved(*boss)), 0u);
    boss->UnequipAndExplodeSickle(true);
    EXPECT_EQ(Explosions(), 1u);
    EXPECT_EQ(StateOf(*boss), "Idle");
    const std::vector<uint8_t> state = Saved(*boss);
    EXPECT_EQ(LastWord(state), 1u);

    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        bool exploded;
    };
    for (const Row& row :
         {Row{"lost", state, true},
          Row{"short", std::vector<uint8_t>(state.begin(), state.end() - 2), false}}) {
        SCOPED_TRACE(row.name);
        const auto restored = Restored<Ormenos>(row.bytes);
        EXPECT_EQ(restored->IsSickleExploded(), row.exploded);
    }
    EXPECT_EQ(Explosions(), 1u);
}

TEST_F(OrmenosTest, TheEndOfTheCastIsSwallowedUntilTheTelekinesisFinished)
{
    Ormenos* boss = Boss();
    const Monster* foe = Bystander("Hero", 0, 15, TeamManager::DefaultPlayerTeam());
    Rock(3);
    auto* lift = ObjectManager::Instance().CreateObjectFromFile<Skill_AttackTelekinesis>(
        "Records/Skills/Lift.dbr");
    ControllerOf(*boss).SetState(
        "Attack", ControllerAIStateData(foe->GetObjectId(), 0, lift->GetObjectId(), WorldVec3()));
    lift->SwipeAction(*boss, Name::Create("Swipe"), foe->GetObjectId(), At(0, 15));
    ASSERT_FALSE(lift->IsTelkineFinished());

    Event(*boss, "End");
    EXPECT_EQ(StateOf(*boss), "Attack");
    lift->Cancel(*boss);
    Event(*boss, "End");
    EXPECT_NE(StateOf(*boss), "Attack");
}

TEST_F(OrmenosTest, DyingSetsOffOnlyTheIdleObjectsWithinThirty)
{
    Ormenos* boss = Boss();
    const ProjectileTelekinesis* near = Rock(29);
    const ProjectileTelekinesis* far = Rock(31);
    boss->CharacterIsDying();
    EXPECT_EQ(near->GetState(), ProjectileTelekinesis::State_Exploded);
    EXPECT_EQ(far->GetState(), ProjectileTelekinesis::State_Idle);
}

TEST_F(OrmenosTest, TheDropZoneIsPickedAsASphereOnlyInTheEditor)
{
    database.WriteRecord("Records/Markers/Zone.dbr", {"Class = OrmenosDropZone", "radius = 2"});
    auto* zone =
        ObjectManager::Instance().CreateObjectFromFile<OrmenosDropZone>("Records/Markers/Zone.dbr");
    TheWorld().AddEntity(zone, WorldAt(Vec3(10, 0, 0)), false);
    const Ray toward(Vec3(0, 0, 0), Vec3(1, 0, 0));
    const Ray away(Vec3(0, 0, 0), Vec3(-1, 0, 0));
    Intersection hit;
    zone->GetIntersection(toward, hit, 1);
    EXPECT_EQ(hit.distance, std::numeric_limits<float>::max()) << "outside the editor";
    EXPECT_FALSE(zone->GetVisibility());

    gEngine->SetLevelEditor(true);
    zone->InitialUpdate();
    EXPECT_TRUE(zone->GetVisibility());
    EXPECT_FLOAT_EQ(zone->GetScale(), 2.0f);
    zone->GetIntersection(toward, hit, 1);
    EXPECT_FLOAT_EQ(hit.distance, 8.0f);
    EXPECT_FLOAT_EQ(hit.point.x, 8.0f);
    zone->GetIntersection(away, hit, 1);
    EXPECT_EQ(hit.distance, std::numeric_limits<float>::max());
    gEngine->SetLevelEditor(false);
}

} // namespace
} // namespace GAME::Test
