#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/InstanceGroupManager.h"
#include "engine/LevelFile.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"

#include <chrono>

namespace GAME {

namespace {

constexpr const char* kWorldLevelSource = "Engine/WorldLevel";

bool Refuse(const std::string& problem)
{
    gEngine->Log(Engine::LogData, "%s", problem.c_str());
    return false;
}

WorldCoords PlaceInLevel(const LevelFile::EntityLine& line)
{
    Coords coords = Coords::RotationAboutAxis(line.yawDegrees * 0.017453292f, Vec3(0, 1, 0));
    coords.origin = line.position;
    return WorldCoords(line.regionId, coords);
}

void DestroyAll(const std::vector<Entity*>& entities)
{
    for (Entity* entity : entities)
        ObjectManager::Instance().DestroyObjectEx(entity, kWorldLevelSource, __LINE__);
}

// One line at each interval of wall time a load takes, none for a quick one; and at each entity
// the question whether to go on.
class LoadProgress {
public:
    using Clock = std::chrono::steady_clock;

    LoadProgress(const std::string& name, size_t total, int32_t intervalMs,
                 const std::function<void()>& tend, const std::function<bool()>& stop)
        : name(name), total(total), interval(intervalMs), next(Clock::now() + interval), tend(tend),
          nextTend(Clock::now() + kTend), stop(stop)
    {}

    // False once the load is to stop.
    bool Note(const char* stage, size_t done)
    {
        if (!Tend())
            return false;
        if (now < next)
            return true;
        next = now + interval;
        gEngine->Log(Engine::LogInfo, "%s: %zu of %zu entities %s", name.c_str(), done, total,
                     stage);
        return true;
    }

    // Between the stages told too: no stage of a load at the limit is a silence, nor deaf.
    bool Tend()
    {
        now = Clock::now();
        if (tend && now >= nextTend) {
            tend();
            nextTend = now + kTend;
        }
        return !stop || !stop();
    }

private:
    const std::string& name;
    size_t total;
    static constexpr std::chrono::milliseconds kTend{World::kLoadTendMs};
    std::chrono::milliseconds interval;
    Clock::time_point next;
    const std::function<void()>& tend;
    Clock::time_point nextTend;
    const std::function<bool()>& stop;
    Clock::time_point now;
};

} // namespace

bool World::LoadLevel(const std::string& levelPath, std::vector<uint32_t>* made)
{
    std::string text;
    if (!ObjectManager::Instance().GetDatabase().ReadFile(levelPath, text))
        return Refuse(levelPath + ": the level file cannot be read");
    LevelFile level;
    std::string error;
    if (!LevelFile::Parse(text, levelPath, level, error))
        return Refuse(error);
    return LoadLevel(level, levelPath, made);
}

bool World::LoadLevel(const LevelFile& level, const std::string& levelPath,
                      std::vector<uint32_t>* made,
                      const std::function<size_t(const Entity&)>& alsoMade)
{
    ObjectManager& objects = ObjectManager::Instance();
    for (const LevelFile::RegionLine& region : level.regions) {
        if (GetRegionById(region.id) != nullptr)
            return Refuse(levelPath + ": region " + std::to_string(region.id) + " exists already");
    }
    // Every entity is made before any joins the world, so a bad record leaves nothing behind.
    LoadProgress progress(levelPath, level.entities.size(), loadProgressIntervalMs, loadTending,
                          loadStopping);
    std::vector<Entity*> entities;
    size_t counted = 0;
    for (const LevelFile::EntityLine& line : level.entities) {
        Entity* entity = objects.CreateObjectFromFile<Entity>(line.record, 0, false);
        if (entity == nullptr) {
            DestroyAll(entities);
            return Refuse(levelPath + ":" + std::to_string(line.line) + ": '" + line.record +
                          "' makes no entity");
        }
        // Known before loading: a spawner finds its editor group by it.
        if (line.hasUniqueId)
            entity->SetUniqueID(line.uniqueId);
        objects.LoadObject(*entity, objects.GetLoadTable(line.record));
        entities.push_back(entity);
        counted += 1 + (alsoMade ? alsoMade(*entity) : 0);
        if (counted > LevelFile::kMaxEntities) {
            DestroyAll(entities);
            return Refuse(levelPath + ":" + std::to_string(line.line) +
                          ": the level makes more than " + std::to_string(LevelFile::kMaxEntities) +
                          " entities, its spawn pools' members counted");
        }
        if (!progress.Note("made", entities.size()))
            return false;
    }
    for (const LevelFile::RegionLine& region : level.regions)
        CreateRegion(region.id, region.offset, region.bounds);
    // The level's unique ids tell where their entities stand, loaded or not (the map).
    for (const LevelFile::EntityLine& line : level.entities) {
        if (line.hasUniqueId)
            InstanceGroupManager::Instance().SetEntityData(line.uniqueId,
                                                           {line.regionId, line.position});
    }
    for (size_t index = 0; index < entities.size(); ++index) {
        AddEntity(entities[index], PlaceInLevel(level.entities[index]), true);
        if (!progress.Tend())
            return false;
    }
    for (size_t index = 0; index < entities.size(); ++index) {
        entities[index]->InitialUpdate();
        if (made != nullptr)
            made->push_back(entities[index]->GetObjectId());
        if (!progress.Note("set up", index + 1))
            return false;
    }
    return true;
}

} // namespace GAME
