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
#include "engine/Engine.h"
#include "engine/FilterFunction.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "fuzz/InputStart.h"
#include "fuzz/QuietGame.h"
#include "fuzz/RecordInput.h"
#include "fuzz/StandingCharacter.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "world/FixedItem.h"
#include "world/ProjectileBase.h"
#include "world/Puppet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// The world, made once for the run, and the main player who walks through it.
Character& Hero()
{
    static StandingCharacter hero = [] {
        StartQuietGame();
        HoldRunRecords({});
        gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(1, Vec3(),
                                          ABBox(Vec3(-100, -10, -100), Vec3(100, 10, 100)));
        return MainPlayer(WorldVec3(1, Vec3(-40, 0, 0)), true);
    }();
    return hero.Get();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Character& hero = Hero();
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
    PutInputRecords(records);
    LoadTable table;
    table.Parse(records.front().second, "fuzz.dbr");

    World& world = *gEngine->GetWorld();
    ObjectManager& objects = ObjectManager::Instance();
    const InputStart start;
    Object* object = objects.CreateObject(std::string(className).c_str());
    auto* entity = DynamicCast<Entity>(object);
    auto* projectile = DynamicCast<ProjectileBase>(object);
    auto* puppet = DynamicCast<Puppet>(object);
    if (entity != nullptr) {
        const uint32_t id = entity->GetObjectId();
        entity->Load(table);
        if (projectile != nullptr) {
            Launch(*projectile, table, hero.GetObjectId());
        } else {
            world.AddEntity(entity, WorldCoords(WorldVec3(1, Vec3())), true);
            entity->InitialUpdate();
        }
        if (puppet != nullptr)
            puppet->StartAnimating();
        for (int frame = 0; frame < 30; ++frame) {
            world.SetPosition(&hero, WorldVec3(1, Vec3(-40.0f + frame * 3.0f, 0, 0)));
            // A fixed item is touched as the hero passes: its controller, loot and trap run.
            if (auto* fixed = DynamicCast<FixedItem>(objects.GetObject(id)); fixed && frame == 13)
                fixed->RequestToUse(hero.GetObjectId());
            gEngine->RunFrame(frame % 3 == 0 ? 0 : 33);
            if (frame == 15 && objects.GetObject(id) != nullptr && puppet != nullptr)
                puppet->ReleaseToWorld();
        }
    }
    DestroyProjectiles(world);
    EndInput(start);
    // Home again, so that the next input starts where this one did.
    Hero();
    ForgetInputRecords(records);
    return 0;
}
