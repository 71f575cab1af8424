#include "world/FixedItemTeleport.h"

#include "core/DialogManager.h"
#include "engine/ABBox.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/World.h"
#include "tests/support/CombatWorldFixture.h"
#include "world/StrategicMovementMarker.h"
#include "world/StrategicMovementRespawnShrine.h"
#include "world/StrategicMovementTeleportShrine.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class PlayerPortal : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord("Records/Item/Teleporters/ArtifactShrine.dbr",
                             {"Class = FixedItemTeleport"});
        Start();
        gEngine->GetWorld()->CreateRegion(5, {0, 0, 0}, ABBox({-50, -50, -50}, {50, 50, 50}));
        portal = ObjectManager::Instance().CreateObjectFromFile<FixedItemTeleport>(
            "Records/Item/Teleporters/ArtifactShrine.dbr");
        gEngine->GetWorld()->AddEntity(portal, WorldCoords(5, Coords()), true);
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
    groups.SetEntityData(there, {5, Vec3(1, 0, 1)});
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
    EXPECT_EQ(marker.DetermineStateFromPlayer(), StrategicMovementActive);
    EXPECT_EQ(teleport.DetermineStateFromPlayer(), StrategicMovementActive);
    EXPECT_EQ(respawn.DetermineStateFromPlayer(), StrategicMovementActive);

    // Only the current respawn point is active.
    StrategicMovementRespawnShrine later;
    later.SetUniqueID(UniqueId(13, 14, 15, 16));
    EXPECT_TRUE(later.InstallOnPlayerProximity(player));
    EXPECT_EQ(respawn.DetermineStateFromPlayer(), StrategicMovementDormant);
}

} // namespace
} // namespace GAME::Test
