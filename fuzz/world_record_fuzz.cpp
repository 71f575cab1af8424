// A hostile record of a level object: its first line names the class (one of the sounds,
// effects, volumes, markers and fixed items placed in levels), the rest is the record. The object
// is made by that name, loaded, placed at the centre of a one-region world and set up, then 30
// frames run while the main player walks straight through it. NaN or huge radii and times, unknown
// classes and keys: no crash, no hang, and the object goes cleanly afterwards.
#include "characters/Player.h"
#include "engine/ABBox.h"
#include "engine/DayNightManager.h"
#include "engine/EditorFilter.h"
#include "engine/Engine.h"
#include "engine/Jukebox.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "fuzz/QuietGame.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "world/FixedItem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace {

using namespace GAME;

constexpr const char* kClasses[] = {
    "SoundObject",
    "FxMesh",
    "FxPak",
    "BoundingVolume",
    "BoundingVolumeLerpDaylight",
    "BoundingVolumeChangePlaylist",
    "BoundingVolumeSoundFxOneShot",
    "BoundingVolumeWind",
    "BoundingVolumeMultiple",
    "BoundingVolumeMusicEvent",
    "BoundingVolumeBossMonster",
    "NpcTrafficNode",
    "NpcWanderPoint",
    "PatrolPoint",
    "PlayerSpawnPoint",
    "ScriptPoint",
    "HallOfFameCamera",
    "HallOfFameStand",
    "FixedItemContainer",
    "FixedItemDoor",
    "FixedItemDoorSwapping",
    "FixedItemShrine",
    "FixedItemQuestObject",
    "FixedItemTyphonPortal",
    "FixedItemWell",
};

bool IsLevelClass(std::string_view name)
{
    for (const char* known : kClasses) {
        if (name == known)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool started = [] {
        gEngine->SetLogSink([](int, const std::string&) {});
        InitializeObjects();
        return true;
    }();
    (void)started;

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t newline = input.find('\n');
    const std::string_view className = input.substr(0, newline);
    if (!IsLevelClass(className))
        return 0;
    LoadTable table;
    table.Parse(newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1),
                "fuzz.dbr");

    std::unique_ptr<World> previous = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(1, Vec3(), ABBox(Vec3(-100, -10, -100), Vec3(100, 10, 100)));
    ObjectManager& objects = ObjectManager::Instance();
    auto* hero = DynamicCast<Player>(objects.CreateObject("Player"));
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    hero->SetIsControllingCharacter(true);
    world.AddEntity(hero, WorldCoords(WorldVec3(1, Vec3(-40, 0, 0))), false);

    Object* object = objects.CreateObject(std::string(className).c_str());
    auto* entity = DynamicCast<Entity>(object);
    const uint32_t id = object != nullptr ? object->GetObjectId() : 0;
    if (entity != nullptr) {
        entity->Load(table);
        world.AddEntity(entity, WorldCoords(WorldVec3(1, Vec3())), true);
        entity->InitialUpdate();
        for (int frame = 0; frame < 30; ++frame) {
            world.SetPosition(hero, WorldVec3(1, Vec3(-40.0f + frame * 3.0f, 0, 0)));
            // A fixed item is touched as the hero passes: its controller, loot and trap run.
            if (auto* fixed = DynamicCast<FixedItem>(objects.GetObject(id)); fixed && frame == 13)
                fixed->RequestToUse(hero->GetObjectId());
            gEngine->RunFrame(frame % 3 == 0 ? 0 : 33);
        }
    }
    DestroyIfRegistered(id);
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(0);
    DestroyIfRegistered(hero->GetObjectId());
    objects.ProcessDestroyedObjects();
    while (!gEngine->GetForcedUpdates().empty())
        gEngine->UnregisterForForcedUpdates(gEngine->GetForcedUpdates().front());
    gEngine->SetWorld(std::move(previous));
    // The recording services would otherwise grow with every run.
    Jukebox::Instance().Reset();
    SoundManager::Instance().Reset();
    DayNightManager::Instance().Reset();
    EditorFilter::Instance().Reset();
    return 0;
}
