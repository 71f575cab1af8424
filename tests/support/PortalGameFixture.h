#pragma once

#include "engine/ABBox.h"
#include "engine/Region.h"
#include "engine/World.h"
#include "tests/support/GameEngineFixture.h"

namespace GAME::Test {

// The game started with the record that personal portals are made from and a loaded region 5
// for them to stand in.
class PortalGameFixture : public GameEngineFixture {
protected:
    static constexpr const char* kPortal = "Records/Item/Teleporters/ArtifactShrine.dbr";
    static constexpr uint32_t kPortalRegion = 5;

    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(kPortal, {"Class = FixedItemTeleport"});
        Start();
        World& world = *gEngine->GetWorld();
        world.CreateRegion(kPortalRegion, {0, 0, 0}, ABBox({-100, -100, -100}, {100, 100, 100}));
        world.GetRegionById(kPortalRegion)->SetLevelLoaded(true);
    }
};

} // namespace GAME::Test
