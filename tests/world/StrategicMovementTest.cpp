#include "world/StrategicMovementMarker.h"
#include "world/StrategicMovementRespawnShrine.h"
#include "world/StrategicMovementTeleportShrine.h"

#include "characters/Player.h"
#include "engine/BinaryReader.h"
#include "engine/GraphicsMeshInstance.h"
#include "engine/InstanceGroupManager.h"
#include "engine/Light.h"
#include "engine/SoundPak.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/support/LevelObjectsFixture.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class StrategicMovementTest : public LevelObjectsFixture {
protected:
    void SetUp() override
    {
        LevelObjectsFixture::SetUp();
        for (const char* sound :
             {"Records/Spawn/Chime.dbr", "Records/Spawn/Swell.dbr", "Records/Spawn/Hum.dbr"})
            database.WriteRecord(sound, {"Class = SoundPak"});
        database.WriteRecord("Records/Spawn/Glow.dbr", {"Class = Light"});
        hero = SpawnAt<Player>("Records/Spawn/Hero.dbr", {"Class = Player"}, {100, 0, 100});
        hero->SetIsControllingCharacter(true);
        gGameEngine->GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    }
    void TearDown() override
    {
        InstanceGroupManager::Instance().Destroy();
        LevelObjectsFixture::TearDown();
    }

    // A shrine of the kind on the map at the point, set up as the level does.
    template <typename T>
    T* Place(const char* kind, const Vec3& at, uint32_t id,
             const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> lines{std::string("Class = ") + kind,
                                       "bindDistance = 3",
                                       "activeSound = Records/Spawn/Chime.dbr",
                                       "dormantToActiveSound = Records/Spawn/Swell.dbr",
                                       "dormantSound = Records/Spawn/Hum.dbr",
                                       "lightName = Records/Spawn/Glow.dbr"};
        lines.insert(lines.end(), extra.begin(), extra.end());
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        const std::string path = "Records/Spawn/Shrine" + std::to_string(id) + ".dbr";
        database.WriteFile(path, text);
        T* shrine = ObjectManager::Instance().CreateObjectFromFile<T>(path);
        UniqueId unique;
        unique.SetPart(0, id);
        shrine->SetUniqueID(unique);
        InstanceGroupManager::Instance().SetEntityData(unique, {kRegion, at});
        TheWorld().AddEntity(shrine, WorldAt(at), false);
        shrine->InitialUpdate();
        return shrine;
    }

    Player* hero = nullptr;
};

TEST_F(StrategicMovementTest, ARespawnShrineSleepsWithin250msOnceAnotherIsCurrent)
{
    auto* first =
        Place<StrategicMovementRespawnShrine>("StrategicMovementRespawnShrine", {0, 0, 0}, 1);
    auto* second =
        Place<StrategicMovementRespawnShrine>("StrategicMovementRespawnShrine", {50, 0, 0}, 2);
    EXPECT_EQ(first->GetState(), StrategicMovementDormant);
    MoveTo(hero, {1, 0, 0});
    Frame(50);
    ASSERT_EQ(first->GetState(), StrategicMovementActive);
    const uint32_t stops = first->GetActiveSound()->GetStopCount();

    MoveTo(hero, {51, 0, 0});
    Frame(50);
    ASSERT_EQ(second->GetState(), StrategicMovementActive);
    for (int frame = 0; frame < 5; ++frame)
        Frame(50);
    EXPECT_EQ(first->GetState(), StrategicMovementDormant);
    EXPECT_GT(first->GetActiveSound()->GetStopCount(), stops);
}

TEST_F(StrategicMovementTest, ARestoredActiveStateShowsAtOnceInSilence)
{
    auto* shrine = Place<StrategicMovementRespawnShrine>("StrategicMovementRespawnShrine",
                                                         {0, 0, 0}, 1, {"lightFadeInTime = 0"});
    EXPECT_EQ(shrine->GetLightFadeInTime(), 1);
    const uint8_t state[] = {1, 0, 0, 0, 4, 0, 0, 0};
    BinaryReader reader(state, sizeof(state));
    ASSERT_TRUE(shrine->RestoreState(reader));
    EXPECT_EQ(shrine->GetState(), StrategicMovementActive);
    EXPECT_TRUE(shrine->GetDormantToActiveSound()->GetPlayRequests().empty());
    EXPECT_TRUE(shrine->GetActiveSound()->GetPlayRequests().empty());
    ASSERT_NE(shrine->GetLight(), nullptr);
    EXPECT_EQ(shrine->GetLight()->GetIntensity(), 0.0f);
}

TEST_F(StrategicMovementTest, AStateWordPastActiveIsRefusedAndThePlayerDecides)
{
    auto* shrine =
        Place<StrategicMovementTeleportShrine>("StrategicMovementTeleportShrine", {0, 0, 0}, 1);
    const uint8_t state[] = {1, 0, 0, 0, 9, 0, 0, 0};
    BinaryReader reader(state, sizeof(state));
    LogCapture log;
    EXPECT_FALSE(shrine->RestoreState(reader));
    EXPECT_EQ(log.CountContaining("saved state 9 is not a state"), 1u);
    EXPECT_EQ(shrine->GetState(), StrategicMovementDormant);
}

TEST_F(StrategicMovementTest, TheRespawnShrineHealsWhoStandsNearEverySecond)
{
    struct Row {
        const char* label;
        std::vector<std::string> keys;
        bool heals;
    };
    const Row rows[] = {{"Absolute", {"healthAbsolute = 10"}, true},
                        {"Percent", {"healthPercent = 5"}, true},
                        {"Neither", {"healthAbsolute = 0", "healthPercent = -1"}, false}};
    uint32_t id = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        ++id;
        const Vec3 at(-60.0f + 30.0f * static_cast<float>(id), 0, -50);
        auto* shrine = Place<StrategicMovementRespawnShrine>("StrategicMovementRespawnShrine", at,
                                                             id, row.keys);
        MoveTo(hero, at);
        Frame(1000);
        EXPECT_EQ(shrine->GetLastHealed(),
                  row.heals ? std::vector<uint32_t>{hero->GetObjectId()} : std::vector<uint32_t>{});
    }
}

// Markers and respawn shrines stand in the walkers' way with one obstacle per hit box while they
// are in the level; teleport shrines do not.
TEST_F(StrategicMovementTest, MarkersAndRespawnShrinesBlockPathsWhileInTheLevel)
{
    GraphicsMeshInstance mesh;
    mesh.SetBoundingBox(ABBox({-1, -1, -1}, {1, 1, 1}));
    mesh.AddHitBox(OBBox(ABBox({-1, -1, -1}, {1, 1, 1})));
    mesh.AddHitBox(OBBox(ABBox({-2, 0, -2}, {2, 1, 2})));
    const struct {
        const char* kind;
        size_t obstacles;
    } rows[] = {{"StrategicMovementMarker", 2},
                {"StrategicMovementRespawnShrine", 2},
                {"StrategicMovementTeleportShrine", 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.kind);
        const std::string path = std::string("Records/Spawn/") + row.kind + ".dbr";
        database.WriteRecord(path, {std::string("Class = ") + row.kind});
        auto* landmark =
            ObjectManager::Instance().CreateObjectFromFile<StrategicMovementBase>(path);
        ASSERT_NE(landmark, nullptr);
        landmark->SetMeshInstance(&mesh);
        TheWorld().AddEntity(landmark, WorldAt({10, 0, 10}), false);
        EXPECT_EQ(landmark->GetNumPathObstacles(), row.obstacles);
        TheWorld().SetPosition(landmark, WorldVec3(kRegion, Vec3(12, 0, 10)));
        EXPECT_EQ(landmark->GetNumPathObstacles(), row.obstacles);
        TheWorld().RemoveEntity(landmark);
        EXPECT_EQ(landmark->GetNumPathObstacles(), 0u);
        landmark->SetMeshInstance(nullptr);
        ObjectManager::Instance().DestroyObjectEx(landmark, "test", __LINE__);
    }
}

} // namespace
} // namespace GAME::Test
