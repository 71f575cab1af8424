#include "world/FxMesh.h"
#include "world/FxPak.h"

#include "engine/EffectEntity.h"
#include "engine/GraphicsEngine.h"
#include "engine/GraphicsMeshInstance.h"
#include "engine/SoundPak.h"
#include "tests/support/LevelObjectsFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class FxTest : public LevelObjectsFixture {
protected:
    void SetUp() override
    {
        LevelObjectsFixture::SetUp();
        // Three seconds long, so a whole fade cycle ends before the animation does.
        GraphicsEngine::Instance().DescribeAnimation("Fx/Swirl.anm", {90, 30, 1.0f});
        database.WriteRecord("Records/Sounds/Whoosh.dbr", {"Class = SoundPak"});
    }
    void TearDown() override
    {
        LevelObjectsFixture::TearDown();
        GraphicsEngine::Instance().Reset();
    }

    FxMesh* PlaceMesh(std::initializer_list<std::string> lines)
    {
        // A record path of its own each: records are read once.
        const std::string path = "Records/Effects/Mesh" + std::to_string(++made) + ".dbr";
        auto* mesh = SpawnAt<FxMesh>(path, lines);
        mesh->InitialUpdate();
        return mesh;
    }
    static float Brightness(const FxMesh& mesh)
    {
        return mesh.GetMeshInstance()->GetDiffuseColor().red;
    }
    static void End(FxMesh& mesh) { mesh.AnimationCallback(0, Name::Create("End")); }
    int made = 0;
};

TEST_F(FxTest, AMeshEffectFadesInHoldsFadesOutAndGoesOnceItsAnimationHasEnded)
{
    FxMesh* mesh =
        PlaceMesh({"Class = FxMesh", "meshName = Fx/Swirl.msh", "animationName = Fx/Swirl.anm",
                   "speed = 1", "fadeInTime = 0.5", "sustainTime = 1.0", "fadeOutTime = 0.5"});
    const uint32_t id = mesh->GetObjectId();
    struct Step {
        int32_t at;
        float brightness;
        int32_t state;
    };
    const Step steps[] = {
        {250, 0.5f, 1}, {500, 1.0f, 2}, {1500, 1.0f, 3}, {1750, 0.5f, 3}, {2000, 0.0f, 0}};
    int32_t now = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.at);
        mesh->UpdateSelf(step.at - now);
        now = step.at;
        EXPECT_FLOAT_EQ(Brightness(*mesh), step.brightness);
        EXPECT_EQ(mesh->GetFadeState(), step.state);
    }
    EXPECT_TRUE(Exists(id)) << "its animation still runs";
    End(*mesh);
    mesh->UpdateSelf(33);
    EXPECT_FALSE(Exists(id));
}

TEST_F(FxTest, WithoutFadeTimesAMeshEffectGoesAtItsEndUnlessItLoops)
{
    struct Row {
        const char* loop;
        bool gone;
    };
    for (const Row& row : {Row{"loop = 0", true}, Row{"loop = 1", false}}) {
        SCOPED_TRACE(row.loop);
        FxMesh* mesh = PlaceMesh({"Class = FxMesh", "meshName = Fx/Swirl.msh",
                                  "animationName = Fx/Swirl.anm", row.loop});
        EXPECT_EQ(mesh->GetFadeState(), 0);
        mesh->UpdateSelf(33);
        ASSERT_TRUE(Exists(mesh->GetObjectId()));
        End(*mesh);
        mesh->UpdateSelf(33);
        EXPECT_EQ(!Exists(mesh->GetObjectId()), row.gone);
    }
}

TEST_F(FxTest, ThePlayedAnimationEndsTheEffectByItself)
{
    FxMesh* mesh = PlaceMesh(
        {"Class = FxMesh", "meshName = Fx/Swirl.msh", "animationName = Fx/Swirl.anm", "speed = 2"});
    const uint32_t id = mesh->GetObjectId();
    Frame(1000);
    EXPECT_TRUE(Exists(id));
    Frame(500);
    EXPECT_FALSE(Exists(id));
}

TEST_F(FxTest, FadingInWithoutAFadeInTimeIsAtFullLight)
{
    FxMesh* mesh = PlaceMesh({"Class = FxMesh", "meshName = Fx/Swirl.msh", "sustainTime = 1"});
    EXPECT_EQ(mesh->GetFadeState(), 1);
    mesh->UpdateSelf(0);
    EXPECT_FLOAT_EQ(Brightness(*mesh), 1.0f);
}

TEST_F(FxTest, EventsPlayTheirSoundOnlyInTheWorldAndDisplaceGrassStirsTheGround)
{
    FxMesh* mesh = PlaceMesh({"Class = FxMesh", "meshName = Fx/Swirl.msh", "loop = 1",
                              "sound2 = Records/Sounds/Whoosh.dbr", "disturbanceRadius = 3"});
    mesh->AnimationCallback(0, Name::Create("sound2"));
    mesh->AnimationCallback(0, Name::Create("sound1"));
    mesh->AnimationCallback(0, Name::Create("DisplaceGrass"));
    TheWorld().RemoveEntity(mesh);
    mesh->AnimationCallback(0, Name::Create("sound2"));

    size_t plays = 0;
    for (uint32_t id = 1; id < 64; ++id) {
        if (auto* sound = ObjectManager::Instance().GetObject<SoundPak>(id))
            plays += sound->GetPlayRequests().size();
    }
    EXPECT_EQ(plays, 1u);
    ASSERT_EQ(TheWorld().GetDisturbances().GetSize(), 1u);
    const World::Disturbance& stir = TheWorld().GetDisturbances().GetLast();
    EXPECT_FLOAT_EQ(stir.radius, 3.0f);
}

TEST_F(FxTest, APackSpawnsItsMembersOnceAndGoesOnTheFirstUpdateThatTakesTime)
{
    database.WriteRecord("Records/Effects/Spark.dbr", {"Class = EffectEntity"});
    database.WriteRecord(
        "Records/Effects/Ring.dbr",
        {"Class = FxMesh", "loop = 1", "meshName = Fx/Ring.msh", "animationName = Fx/Swirl.anm"});
    auto* pak = SpawnAt<FxPak>(
        "Records/Effects/Gate.dbr",
        {"Class = FxPak", "particleEffectNames = Records/Effects/Spark.dbr;Records/Nothing.dbr",
         "meshEffectNames = Records/Effects/Ring.dbr", "activateSound = Records/Sounds/Whoosh.dbr"},
        {4, 0, 4});
    const uint32_t id = pak->GetObjectId();
    const size_t before = TheWorld().GetEntityCount();
    pak->InitialUpdate();
    pak->LoadResources();
    EXPECT_EQ(TheWorld().GetEntityCount(), before + 2);
    auto* sound = ObjectManager::Instance().GetObject<SoundPak>(pak->GetActivateSoundId());
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->GetPlayRequests().size(), 1u);

    Frame(0);
    EXPECT_TRUE(Exists(id));
    Frame(33);
    EXPECT_FALSE(Exists(id));
    EXPECT_EQ(TheWorld().GetEntityCount(), before + 1) << "the looping ring stays";
}

} // namespace
} // namespace GAME::Test
