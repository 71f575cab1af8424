// A hostile record of a level object: its first line names the class (one of the sounds,
// effects, volumes, markers, fixed items, spawners, landmarks, lights, scenery, puppets and
// projectiles placed in levels or launched), the
// rest is the record, followed by the records it names, each after a line "@@ <record path>" (a
// spawner's pools, accessories, equations and monsters). The object is made by that name, loaded,
// placed at the centre of a one-region world and set up, then 30 frames run while the main player
// walks straight through it. NaN or huge radii and times, negative or huge counts and weights,
// pools naming missing records, bad equations, unknown classes and keys: no crash, no hang, and
// everything the input made goes cleanly afterwards.
// A projectile is launched instead, with a launch description and a modifier the record also
// gives ("fuzzTargetX" and the like): NaN points, zero distances, huge durations and fragment
// counts. A puppet starts and is released half way.
#include "characters/Player.h"
#include "engine/ABBox.h"
#include "engine/DayNightManager.h"
#include "engine/EditorFilter.h"
#include "engine/Engine.h"
#include "engine/FilterFunction.h"
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
#include "world/ProjectileBase.h"
#include "world/Puppet.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
    "Decoration",
    "Apparatus",
    "AreaOfInterest",
    "Puppet",
    "ProjectileArrowLike",
    "ProjectileFireballLike",
    "ProjectileTerrainFollowing",
    "ProjectileExploding",
    "ProjectileGrenade",
    "ProjectileAreaEffect",
    "ProjectileTelekinesis",
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

WorldVec3 PointFrom(const LoadTable& table, const char* x, const char* y, const char* z)
{
    return WorldVec3(
        1, Vec3(table.GetFloat(x, 0.0f), table.GetFloat(y, 0.0f), table.GetFloat(z, 0.0f)));
}

void Launch(ProjectileBase& projectile, const LoadTable& table, uint32_t ownerId)
{
    ProjectileInfo info;
    info.ownerId = ownerId;
    info.launchCoords = WorldCoords(PointFrom(table, "fuzzLaunchX", "fuzzLaunchY", "fuzzLaunchZ"));
    info.targetPoint = PointFrom(table, "fuzzTargetX", "fuzzTargetY", "fuzzTargetZ");
    info.duration = table.GetInt("fuzzDuration", 0);
    info.piercingChance = table.GetFloat("fuzzPiercing", 0.0f);
    info.speedBonus = table.GetFloat("fuzzSpeedBonus", 0.0f);
    projectile.LoadInfo(info, static_cast<uint32_t>(table.GetInt("fuzzSeed", 1)));
    ProjectileBase::ProjectileModifierStruct modifier;
    modifier.explosionRadius = table.GetFloat("fuzzRadius", 0.0f);
    modifier.fragmentsName = table.GetString("fuzzFragments", "");
    modifier.fragmentsMin = table.GetInt("fuzzFragmentsMin", 0);
    modifier.fragmentsMax = table.GetInt("fuzzFragmentsMax", 0);
    projectile.AddProjectileModifier(modifier);
    projectile.ProjectileGo();
}

class AnyProjectile : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override
    {
        return DynamicCast<ProjectileBase>(candidate) != nullptr;
    }
};

// Fragments the object left behind go with it.
void DestroyProjectiles(World& world)
{
    std::vector<Entity*> left;
    world.GetEntities(left, AnyProjectile());
    for (Entity* entity : left)
        static_cast<ProjectileBase*>(entity)->DeleteProjectile();
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
    auto* projectile = DynamicCast<ProjectileBase>(object);
    auto* puppet = DynamicCast<Puppet>(object);
    if (entity != nullptr) {
        const uint32_t id = entity->GetObjectId();
        entity->Load(table);
        if (projectile != nullptr) {
            Launch(*projectile, table, hero->GetObjectId());
        } else {
            world.AddEntity(entity, WorldCoords(WorldVec3(1, Vec3())), true);
            entity->InitialUpdate();
        }
        if (puppet != nullptr)
            puppet->StartAnimating();
        for (int frame = 0; frame < 30; ++frame) {
            world.SetPosition(hero, WorldVec3(1, Vec3(-40.0f + frame * 3.0f, 0, 0)));
            // A fixed item is touched as the hero passes: its controller, loot and trap run.
            if (auto* fixed = DynamicCast<FixedItem>(objects.GetObject(id)); fixed && frame == 13)
                fixed->RequestToUse(hero->GetObjectId());
            gEngine->RunFrame(frame % 3 == 0 ? 0 : 33);
            if (frame == 15 && objects.GetObject(id) != nullptr && puppet != nullptr)
                puppet->ReleaseToWorld();
        }
    }
    DestroyProjectiles(world);
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
