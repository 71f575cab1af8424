#pragma once

#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "engine/PathFinder.h"
#include "game/GameEngine.h"
#include "tests/support/LevelObjectsFixture.h"
#include "world/Proxy.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace GAME::Test {

// The level objects' world with spawner records at hand: "Rat", "Wolf" and "Ogre" monsters and
// a "Chest" fixed item under Records/Spawn/.
class ProxyFixture : public LevelObjectsFixture {
protected:
    static constexpr const char* kProxy = "Records/Spawn/Proxy.dbr";
    static constexpr const char* kRat = "Records/Spawn/Rat.dbr";
    static constexpr const char* kWolf = "Records/Spawn/Wolf.dbr";
    static constexpr const char* kOgre = "Records/Spawn/Ogre.dbr";
    static constexpr const char* kChest = "Records/Spawn/Chest.dbr";

    void SetUp() override
    {
        LevelObjectsFixture::SetUp();
        PathFinder::Instance().ClearFillData();
        gGameEngine->ClearProxyInfo();
        for (const char* monster : {kRat, kWolf, kOgre})
            database.WriteRecord(monster, {"Class = Monster"});
        database.WriteRecord(kChest, {"Class = FixedItem"});
    }

    // A proxy of the class made from these record lines (a record of its own each time, as the
    // database keeps what it read), loaded and placed at the point; its initial update is the
    // test's to call.
    template <typename T = Proxy>
    T* MakeProxy(std::initializer_list<std::string> lines, const Vec3& at = {0, 0, 0})
    {
        return SpawnAt<T>("Records/Spawn/Proxy" + std::to_string(++proxies) + ".dbr", lines, at);
    }

    static void SetDifficulty(uint32_t difficulty)
    {
        gEngine->GetGameInfo().SetDifficulty(difficulty);
    }

    static RandomUniform& Random() { return gGameEngine->GetRandomGen(); }

    // The record names of the objects, in order; "-" for an id that names nothing.
    static std::vector<std::string> Names(const std::vector<uint32_t>& ids)
    {
        std::vector<std::string> names;
        for (const uint32_t id : ids) {
            const Object* object = ObjectManager::Instance().GetObject(id);
            names.push_back(object != nullptr ? object->GetObjectName() : "-");
        }
        return names;
    }

    static std::vector<uint32_t> Placed(const Proxy& proxy)
    {
        std::vector<uint32_t> ids;
        proxy.GetPlacedObjects(ids);
        return ids;
    }

    static std::vector<uint32_t> Held(const Proxy& proxy)
    {
        std::vector<uint32_t> ids;
        proxy.GetPrimaryObjects(ids);
        return ids;
    }

    int proxies = 0;
};

} // namespace GAME::Test
