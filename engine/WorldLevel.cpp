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

// One line at each interval of wall time a load takes, none for a quick one.
class LoadProgress {
public:
    using Clock = std::chrono::steady_clock;

    LoadProgress(const std::string& name, size_t total, int32_t intervalMs,
                 const std::function<void()>& tend)
        : name(name), total(total), interval(intervalMs), next(Clock::now() + interval), tend(tend),
          nextTend(Clock::now() + kTend)
    {}

    void Note(const char* stage, size_t done)
    {
        const Clock::time_point now = Tend();
        if (now < next)
            return;
        next = now + interval;
        gEngine->Log(Engine::LogInfo, "%s: %zu of %zu entities %s", name.c_str(), done, total,
                     stage);
    }

    // Between the stages told too: no stage of a load at the limit is a silence.
    Clock::time_point Tend()
    {
        const Clock::time_point now = Clock::now();
        if (tend && now >= nextTend) {
            tend();
            nextTend = now + kTend;
        }
        return now;
    }

private:
    const std::string& name;
    size_t total;
    static constexpr std::chrono::milliseconds kTend{World::kLoadTendMs};
    std::chrono::milliseconds interval;
    Clock::time_point next;
    const std::function<void()>& tend;
    Clock::time_point nextTend;
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
    LoadProgress progress(levelPath, level.entities.size(), loadProgressIntervalMs, loadTending);
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
        progress.Note("made", entities.size());
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
        progress.Tend();
    }
    for (size_t index = 0; index < entities.size(); ++index) {
        entities[index]->InitialUpdate();
        if (made != nullptr)
            made->push_back(entities[index]->GetObjectId());
        progress.Note("set up", index + 1);
    }
    return true;
}

} // namespace GAME
