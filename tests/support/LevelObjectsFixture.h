#pragma once

#include "core/GameEvents.h"
#include "engine/DayNightManager.h"
#include "engine/EditorFilter.h"
#include "engine/Engine.h"
#include "engine/EventHandler.h"
#include "engine/Jukebox.h"
#include "engine/ObjectManager.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/EventLines.h"

#include <string>
#include <vector>

namespace GAME::Test {

// Every enter and exit report of the volumes, as "enter V E" and "exit V E".
class VolumeEventLog : public EventLines {
public:
    VolumeEventLog()
    {
        Hear("GameEvent_EnterBoundingVolume", "enter", &GameEvent_EnterBoundingVolume::volumeId,
             &GameEvent_EnterBoundingVolume::entityId);
        Hear("GameEvent_ExitBoundingVolume", "exit", &GameEvent_ExitBoundingVolume::volumeId,
             &GameEvent_ExitBoundingVolume::entityId);
    }
};

// The library started in a one-region world, with the level services (music, time of day,
// editor filter, listener) back at their start and the editor off.
class LevelObjectsFixture : public CombatWorldFixture {
protected:
    void SetUp() override
    {
        CombatWorldFixture::SetUp();
        Jukebox::Instance().Reset();
        DayNightManager::Instance().Reset();
        EditorFilter::Instance().Reset();
        gEngine->SetLevelEditor(false);
    }
    void TearDown() override
    {
        gEngine->SetLevelEditor(false);
        while (!gEngine->GetForcedUpdates().empty())
            gEngine->UnregisterForForcedUpdates(gEngine->GetForcedUpdates().front());
        CombatWorldFixture::TearDown();
    }

    // One engine frame: the world's entities, forced updates, then the deferred deletions.
    static void Frame(int32_t elapsedMs) { gEngine->RunFrame(elapsedMs); }

    static void MoveTo(Entity* entity, const Vec3& position)
    {
        TheWorld().SetCoords(entity, WorldAt(position));
    }
};

} // namespace GAME::Test
