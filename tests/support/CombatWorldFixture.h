#pragma once

#include "characters/Character.h"
#include "engine/ABBox.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "tests/support/GameEngineFixture.h"

#include <initializer_list>
#include <memory>
#include <string>

namespace GAME::Test {

// The library started with the default settings.
class CombatGameFixture : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }
};

// The library started, in a world of the test's own with one region, 200 across and 20 high,
// centred on the origin.
class CombatWorldFixture : public CombatGameFixture {
protected:
    static constexpr uint32_t kRegion = 1;

    void SetUp() override
    {
        CombatGameFixture::SetUp();
        previousWorld = gEngine->SetWorld(std::make_unique<GAME::World>());
        TheWorld().CreateRegion(kRegion, {0, 0, 0}, ABBox({-100, -10, -100}, {100, 10, 100}));
    }

    void TearDown() override
    {
        // The objects leave the test's world before it goes.
        CombatGameFixture::TearDown();
        gEngine->SetWorld(std::move(previousWorld));
    }

    static GAME::World& TheWorld() { return *gEngine->GetWorld(); }

    static WorldCoords WorldAt(const Vec3& position)
    {
        return WorldCoords(WorldVec3(kRegion, position));
    }

    // Made from a record of these lines, placed in the world at the position.
    template <typename T>
    T* SpawnAt(const std::string& path, std::initializer_list<std::string> lines,
               const Vec3& position = {0, 0, 0})
    {
        database.WriteRecord(path, lines);
        T* object = ObjectManager::Instance().CreateObjectFromFile<T>(path);
        if (object != nullptr)
            TheWorld().AddEntity(object, WorldAt(position), false);
        return object;
    }

    // A bare character of the team, standing at the position and set up.
    static Character* PlaceCharacter(const Vec3& position, const Team& team)
    {
        auto* character =
            static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
        character->SetTeam(team);
        TheWorld().AddEntity(character, WorldAt(position), true);
        character->InitialUpdate();
        return character;
    }

    static bool Exists(uint32_t id) { return ObjectManager::Instance().GetObject(id) != nullptr; }

    std::unique_ptr<GAME::World> previousWorld;
};

} // namespace GAME::Test
