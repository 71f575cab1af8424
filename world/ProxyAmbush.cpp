#include "world/ProxyAmbush.h"

#include "characters/Character.h"
#include "characters/Player.h"
#include "core/BinaryWriter.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "core/WorldHelpers.h"
#include "engine/BinaryReader.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "world/ProxyPool.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(ProxyAmbush, Proxy);

namespace {

constexpr const char* kProxyAmbushSource = "Project/Game/ProxyAmbush";

int32_t AmbushMilliseconds(const LoadTable& table, const char* key)
{
    return SaturateToInt(static_cast<double>(table.GetFloat(key, 0.0f)) * 1000.0);
}

} // namespace

ProxyAmbush::~ProxyAmbush()
{
    ObjectManager& objects = ObjectManager::Instance();
    for (const uint32_t id : waitingObjects) {
        if (Object* object = objects.GetObject<Object>(id))
            objects.DestroyObjectEx(object, kProxyAmbushSource, __LINE__);
    }
}

void ProxyAmbush::Load(const LoadTable& table)
{
    Proxy::Load(table);
    alertArea = table.GetFloat("alertArea", 0.0f);
    minSpawnTime = AmbushMilliseconds(table, "minSpawnTime");
    maxSpawnTime = AmbushMilliseconds(table, "maxSpawnTime");
    minPopulation = static_cast<uint32_t>(table.GetInt("minProxyPopulation", 0));
    maxPopulation = static_cast<uint32_t>(table.GetInt("maxProxyPopulation", 0));
}

void ProxyAmbush::PoolComplete(ProxyPool& pool, const std::vector<WorldCoords>& /*locations*/)
{
    waitingObjects = pool.GetObjects();
    pool.GetObjects().clear();
}

bool ProxyAmbush::IsAlert() const
{
    std::vector<Player*> players;
    GetEntitiesInSphereOfType(players, GetCoords().GetPosition(), alertArea);
    return !players.empty();
}

void ProxyAmbush::UpdateSelf(int32_t elapsedMs)
{
    Actor::UpdateSelf(elapsedMs);
    spawnTimer = AddSaturating(spawnTimer, -elapsedMs);
    if (waitingObjects.empty())
        return;
    if (spawnTimer < 1 && IsAlert()) {
        RandomUniform& random = GameEngine::Get().GetRandomGen();
        const auto cap = static_cast<uint32_t>(random.IGenerate(
            static_cast<int32_t>(minPopulation), static_cast<int32_t>(maxPopulation)));
        if (releasedObjects.size() < cap || cap == 0) {
            PlaceNextObject();
            spawnTimer = random.IGenerate(minSpawnTime, maxSpawnTime);
        } else {
            spawnTimer = minSpawnTime;
        }
    }
    PruneReleased();
}

void ProxyAmbush::PruneReleased()
{
    std::erase_if(releasedObjects, [](uint32_t id) {
        const Character* character = ObjectManager::Instance().GetObject<Character>(id);
        return character == nullptr || !character->IsAlive();
    });
}

void ProxyAmbush::PlaceNextObject()
{
    if (waitingObjects.empty())
        return;
    const uint32_t id = waitingObjects.front();
    waitingObjects.erase(waitingObjects.begin());
    Entity* entity = ObjectManager::Instance().GetObject<Entity>(id);
    World* world = gEngine->GetWorld();
    if (entity == nullptr || world == nullptr)
        return;
    PlaceInWorld(*world, *entity, GetCoords());
    releasedObjects.push_back(id);
}

void ProxyAmbush::SaveState(BinaryWriter& writer) const
{
    Proxy::SaveState(writer);
    writer.WriteUInt32(static_cast<uint32_t>(waitingObjects.size()));
    for (const uint32_t id : waitingObjects) {
        const Object* object = ObjectManager::Instance().GetObject<Object>(id);
        writer.WriteString(object != nullptr ? object->GetObjectName()
                                             : std::string(kInvalidObject));
    }
}

bool ProxyAmbush::RestoreState(BinaryReader& reader)
{
    uint32_t count = 0;
    if (!Proxy::RestoreState(reader) || !reader.ReadUInt32(count))
        return false;
    // Each name takes at least its length word.
    if (count > reader.GetRemaining() / 4) {
        gEngine->Log(Engine::LogData,
                     "ProxyAmbush: saved count %u is more than the state holds (%zu bytes left)",
                     count, reader.GetRemaining());
        return false;
    }
    for (uint32_t index = 0; index < count; ++index) {
        std::string name;
        if (!reader.ReadString(name))
            return false;
        const Object* object =
            ObjectManager::Instance().CreateObjectFromFile<Object>(name, 0, true);
        if (object == nullptr) {
            gEngine->Log(Engine::LogData, "ProxyAmbush: Unable to create and restore file (%s)",
                         name.c_str());
            continue;
        }
        waitingObjects.push_back(object->GetObjectId());
    }
    return true;
}

} // namespace GAME
