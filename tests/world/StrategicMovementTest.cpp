#include "world/StrategicMovementMarker.h"
#include "world/StrategicMovementRespawnShrine.h"
#include "world/StrategicMovementTeleportShrine.h"

#include "characters/Player.h"
#include "core/DialogManager.h"
#include "engine/ABBox.h"
#include "engine/BinaryReader.h"
#include "engine/GraphicsMeshInstance.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/Light.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/FixedItemFixture.h"
#include "tests/support/LevelObjectsFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/PortalGameFixture.h"
#include "world/FixedItemTeleport.h"
#include "world/NpcTrafficNode.h"

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
    T* Place(const Vec3& at, uint32_t id, const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> lines{std::string("Class = ") + T::classInfo.GetName(),
                                       "bindDistance = 3",
                                       "activeSound = Records/Spawn/Chime.dbr",
                                       "dormantToActiveSound = Records/Spawn/Swell.dbr",
                                       "dormantSound = Records/Spawn/Hum.dbr",
                                       "lightName = Records/Spawn/Glow.dbr"};
        lines.insert(lines.end(), extra.begin(), extra.end());
        const std::string path = "Records/Spawn/Shrine" + std::to_string(id) + ".dbr";
        database.WriteRecord(path, lines);
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
    auto* first = Place<StrategicMovementRespawnShrine>({0, 0, 0}, 1);
    auto* second = Place<StrategicMovementRespawnShrine>({50, 0, 0}, 2);
    EXPECT_EQ(first->GetState(), StrategicMovementDormant);
    MoveTo(hero, {1, 0, 0});
    Frame(50);
    ASSERT_EQ(first->GetState(), StrategicMovementActive);

    MoveTo(hero, {51, 0, 0});
    Frame(50);
    ASSERT_EQ(second->GetState(), StrategicMovementActive);
    for (int frame = 0; frame < 5; ++frame)
        Frame(50);
    EXPECT_EQ(first->GetState(), StrategicMovementDormant);
}

TEST_F(StrategicMovementTest, ARestoredActiveStateShowsAtOnceInSilence)
{
    auto* shrine = Place<StrategicMovementRespawnShrine>({0, 0, 0}, 1, {"lightFadeInTime = 0"});
    EXPECT_EQ(shrine->GetLightFadeInTime(), 1);
    const uint8_t state[] = {1, 0, 0, 0, 4, 0, 0, 0};
    BinaryReader reader(state, sizeof(state));
    ASSERT_TRUE(shrine->RestoreState(reader));
    EXPECT_EQ(shrine->GetState(), StrategicMovementActive);
    EXPECT_TRUE(shrine->GetDormantToActiveSound()->GetPlayRequests().IsEmpty());
    EXPECT_TRUE(shrine->GetActiveSound()->GetPlayRequests().IsEmpty());
    ASSERT_NE(shrine->GetLight(), nullptr);
    EXPECT_EQ(shrine->GetLight()->GetIntensity(), 0.0f);
}

TEST_F(StrategicMovementTest, AStateWordPastActiveIsRefusedAndThePlayerDecides)
{
    auto* shrine = Place<StrategicMovementTeleportShrine>({0, 0, 0}, 1);
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
        auto* shrine = Place<StrategicMovementRespawnShrine>(at, id, row.keys);
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

class PlayerPortal : public PortalGameFixture {
protected:
    void SetUp() override
    {
        PortalGameFixture::SetUp();
        portal = ObjectManager::Instance().CreateObjectFromFile<FixedItemTeleport>(kPortal);
        gEngine->GetWorld()->AddEntity(portal, WorldCoords(kPortalRegion, Coords()), true);
    }

    FixedItemTeleport* portal = nullptr;
};

TEST_F(PlayerPortal, AnUnlistedPortalIsLockedThenDestroyedAfterClampedTime)
{
    const uint32_t id = portal->GetObjectId();
    portal->UpdateSelf(0); // counts 1
    EXPECT_TRUE(portal->IsLocked());
    EXPECT_EQ(portal->GetValidationTime(), 1);
    for (int frame = 0; frame < 19; ++frame)
        portal->UpdateSelf(500); // each counts 100
    portal->UpdateSelf(500);
    EXPECT_EQ(portal->GetValidationTime(), 2001);
    EXPECT_TRUE(portal->IsInWorld());
    portal->UpdateSelf(16);
    EXPECT_EQ(ObjectManager::Instance().GetObject(id), nullptr);
}

TEST_F(PlayerPortal, AListedPortalResetsItsTimeButStaysLocked)
{
    portal->UpdateSelf(50);
    Game().GetTeleportInfoList().push_back({portal->GetObjectId(), 0x20000001, {}, "r"});
    portal->UpdateSelf(50);
    EXPECT_EQ(portal->GetValidationTime(), 0);
    EXPECT_TRUE(portal->IsLocked());
}

TEST_F(PlayerPortal, OnlyThePartyMayUseItAndStrangersGetTheError)
{
    Player* player = MakeMainPlayer();
    const uint32_t local = player->GetObjectId();
    Game().GetTeleportInfoList().push_back({portal->GetObjectId(), local, {}, "r"});
    portal->RequestToUse(local);
    EXPECT_EQ(Game().GetDialogManager().GetNumDialog(), 0u);

    Game().GetTeleportInfoList()[0].ownerId = 0x20000001;
    portal->RequestToUse(local);
    ASSERT_EQ(Game().GetDialogManager().GetNumDialog(), 1u);
    EXPECT_EQ(Game().GetDialogManager().PeekTopDialog().party, DialogManager::PartyNotice);
    // Nobody is told of another machine's use; a locked portal ignores its user.
    portal->RequestToUse(0x30000001);
    portal->SetLock(true);
    portal->RequestToUse(local);
    EXPECT_EQ(Game().GetDialogManager().GetNumDialog(), 1u);
}

TEST_F(PlayerPortal, AStaticPortalAsksToSailToTheOtherMemberOfItsGroup)
{
    database.WriteRecord("Records/Item/Teleporters/Boat.dbr",
                         {"Class = FixedItemTeleport", "staticPortal = 1", "textTag = tagBoat"});
    auto* boat = ObjectManager::Instance().CreateObjectFromFile<FixedItemTeleport>(
        "Records/Item/Teleporters/Boat.dbr");
    const UniqueId here(1, 1, 1, 1);
    const UniqueId there(2, 2, 2, 2);
    boat->SetUniqueID(here);
    Player* player = MakeMainPlayer();
    boat->RequestToUse(player->GetObjectId());
    EXPECT_EQ(log.Count(Engine::LogRuntime,
                        "Requested to use a boat that was not in a group with a destination."),
              1u);

    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    groups.AddGroup(InstanceGroup("Boats", "pier", {here, there}));
    groups.SetEntityData(there, {kPortalRegion, Vec3(1, 0, 1)});
    boat->RequestToUse(0x30000001); // not ours to answer
    boat->RequestToUse(player->GetObjectId());
    Game().Update(16);
    ASSERT_EQ(Game().GetDialogManager().GetNumDialog(), 1u);
    EXPECT_EQ(Game().GetDialogManager().PeekTopDialog().party, DialogManager::PartyTeleportConfirm);
    groups.Destroy();
}

using StrategicMovement = CombatGameFixture;

TEST_F(StrategicMovement, DiscoveriesGoToThePlayersLists)
{
    StrategicMovementMarker marker;
    StrategicMovementTeleportShrine teleport;
    StrategicMovementRespawnShrine respawn;
    marker.SetUniqueID(UniqueId(1, 2, 3, 4));
    teleport.SetUniqueID(UniqueId(5, 6, 7, 8));
    respawn.SetUniqueID(UniqueId(9, 10, 11, 12));
    EXPECT_EQ(marker.DetermineStateFromPlayer(), StrategicMovementUndetermined);

    Player* player = MakeMainPlayer();
    EXPECT_EQ(marker.DetermineStateFromPlayer(), StrategicMovementDormant);
    EXPECT_TRUE(marker.InstallOnPlayerProximity(player));
    EXPECT_TRUE(teleport.InstallOnPlayerProximity(player));
    EXPECT_TRUE(respawn.InstallOnPlayerProximity(player));
    EXPECT_FALSE(respawn.InstallOnPlayerProximity(player));
    EXPECT_EQ(teleport.DetermineStateFromPlayer(), StrategicMovementActive);
    EXPECT_EQ(respawn.DetermineStateFromPlayer(), StrategicMovementActive);

    // Only the current respawn point is active.
    StrategicMovementRespawnShrine later;
    later.SetUniqueID(UniqueId(13, 14, 15, 16));
    EXPECT_TRUE(later.InstallOnPlayerProximity(player));
    EXPECT_EQ(respawn.DetermineStateFromPlayer(), StrategicMovementDormant);
}

using LevelPointsTest = FixedItemFixture;

TEST_F(LevelPointsTest, ATrafficNodeLinksByBareNameToANodeAnnouncedLater)
{
    auto* first = Place<NpcTrafficNode>(
        "Records/Level/NodeA.dbr",
        {"Class = NpcTrafficNode", "nextTrafficNode = Records/Level/NodeB.dbr"}, {0, 0, 0});
    EXPECT_EQ(first->GetNextNodeId(), 0u);
    Vec3 direction;
    EXPECT_FALSE(first->GetDirectionToNextNode(direction));
    EXPECT_TRUE(first->CanBeFinalDestination());

    auto* second = Place<NpcTrafficNode>(
        "Other/NodeB.lvl", {"Class = NpcTrafficNode", "canBeFinalDestination = 0"}, {3, 0, 4});
    EXPECT_EQ(first->GetNextNodeId(), second->GetObjectId());
    ASSERT_TRUE(first->GetDirectionToNextNode(direction));
    EXPECT_EQ(direction, Vec3(3, 0, 4));
    EXPECT_FALSE(second->CanBeFinalDestination());

    ObjectManager::Instance().DestroyObjectEx(second, "test", 1);
    EXPECT_FALSE(first->GetDirectionToNextNode(direction));
}

TEST_F(LevelPointsTest, ATrafficNodeFindsANodeAlreadyPlacedButNeverItself)
{
    auto* target = Place<NpcTrafficNode>("Levels/NodeC", {"Class = NpcTrafficNode"}, {5, 0, 0});
    auto* node = Place<NpcTrafficNode>("Records/NodeC.dbr",
                                       {"Class = NpcTrafficNode", "nextTrafficNode = NodeC"}, {});
    EXPECT_EQ(node->GetNextNodeId(), target->GetObjectId());

    auto* selfish = Place<NpcTrafficNode>(
        "Records/Self.dbr", {"Class = NpcTrafficNode", "nextTrafficNode = x/Self.dbr"}, {});
    EXPECT_EQ(selfish->GetNextNodeId(), 0u);
}

} // namespace
} // namespace GAME::Test
