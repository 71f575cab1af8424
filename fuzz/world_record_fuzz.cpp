// A hostile record of a level object: its first line names the class (one of the sounds,
// effects, volumes, markers, fixed items, spawners, landmarks and lights placed in levels), the
// rest is the record, followed by the records it names, each after a line "@@ <record path>" (a
// spawner's pools, accessories, equations and monsters). The object is made by that name, loaded,
// placed at the centre of a one-region world and set up, then 30 frames run while the main player
// walks straight through it. NaN or huge radii and times, negative or huge counts and weights,
// pools naming missing records, bad equations, unknown classes and keys: no crash, no hang, and
// everything the input made goes cleanly afterwards.
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
#include "fuzz/RecordInput.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "world/FixedItem.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include <unistd.h>

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
    "Proxy",
    "ProxyAmbush",
    "StrategicMovementMarker",
    "StrategicMovementRespawnShrine",
    "StrategicMovementTeleportShrine",
    "LightAnchor",
    "LightTorch",
};

const std::filesystem::path& Scratch()
{
    static const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("world_record_fuzz_" + std::to_string(getpid()));
    return folder;
}

bool IsLevelClass(std::string_view name)
{
    for (const char* known : kClasses) {
        if (name == known)
            return true;
    }
    return false;
}

void Destroy(uint32_t id)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (Object* object = objects.GetObject(id))
        objects.DestroyObjectEx(object, "fuzz", 1);
}

// Whatever the input made, from the first id on: a spawner's monsters outlive it.
void DestroyFrom(uint32_t first)
{
    const uint32_t last = ObjectManager::Instance().CreateObjectID();
    for (uint32_t id = first; id != last; ++id)
        Destroy(id);
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
    if (size > 64 * 1024)
        return 0;
    const FuzzRecords records = SplitRecords(
        newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1),
        "Records/Fuzz/Object.dbr", "Records/Fuzz/Bad", 16);
    WriteRecords(Scratch(), records);
    LoadTable table;
    table.Parse(records.front().second, "fuzz.dbr");

    std::unique_ptr<World> previous = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(1, Vec3(), ABBox(Vec3(-100, -10, -100), Vec3(100, 10, 100)));
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t first = objects.CreateObjectID();
    auto* hero = DynamicCast<Player>(objects.CreateObject("Player"));
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    hero->SetIsControllingCharacter(true);
    world.AddEntity(hero, WorldCoords(WorldVec3(1, Vec3(-40, 0, 0))), false);

    Object* object = objects.CreateObject(std::string(className).c_str());
    auto* entity = DynamicCast<Entity>(object);
    if (entity != nullptr) {
        const uint32_t id = entity->GetObjectId();
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
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(0);
    DestroyFrom(first);
    objects.ProcessDestroyedObjects();
    gGameEngine->ClearProxyInfo();
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
