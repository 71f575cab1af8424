#pragma once

#include "ai/ControllerAI.h"
#include "characters/Character.h"
#include "engine/ABBox.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "tests/support/TempDatabase.h"

#include <memory>
#include <string>

namespace GAME::Bench {

// A scratch database folder for the records a benchmark writes, removed afterwards.
class BenchRecords {
public:
    const std::string& Root() const { return folder.GetRoot(); }
    void Write(const std::string& path, const std::string& text) const
    {
        folder.WriteFile(path, text);
    }

private:
    Test::TempDatabase folder;
};

// The library started, its log silenced, over a database folder ("" for none); what the run
// made goes with it.
class BenchLibrary {
public:
    explicit BenchLibrary(const std::string& root = "")
        : previous(gEngine->SetLogSink([](int, const std::string&) {}))
    {
        ObjectManager::Instance().GetDatabase().SetRoot(root);
        InitializeObjects();
    }
    ~BenchLibrary()
    {
        ObjectManager::Instance().DestroyAllObjects();
        ShutdownObjects();
        ObjectManager::Instance().GetDatabase().SetRoot("");
        gEngine->SetLogSink(previous);
    }
    BenchLibrary(const BenchLibrary&) = delete;
    BenchLibrary& operator=(const BenchLibrary&) = delete;

private:
    Engine::LogSink previous;
};

// The library in a world of one region, square unless the bounds are given; the world it
// replaced comes back afterwards.
class BenchWorld : public BenchLibrary {
public:
    static constexpr uint32_t kRegion = 1;

    BenchWorld(const std::string& root, float halfWidth)
        : BenchWorld(root, ABBox({-halfWidth, -10, -halfWidth}, {halfWidth, 10, halfWidth}))
    {}
    BenchWorld(const std::string& root, const ABBox& bounds)
        : BenchLibrary(root), previousWorld(gEngine->SetWorld(std::make_unique<World>()))
    {
        gEngine->GetWorld()->CreateRegion(kRegion, {0, 0, 0}, bounds);
    }
    ~BenchWorld()
    {
        // The entities leave this world before it goes.
        ObjectManager::Instance().DestroyAllObjects();
        gEngine->SetWorld(std::move(previousWorld));
    }

    static WorldCoords At(float x, float z)
    {
        return WorldCoords{kRegion, Coords::FromTranslation(Vec3(x, 0.0f, z))};
    }
    // Made from its record, placed and first updated; null when the record makes no `T`.
    template <typename T> static T* Enter(const std::string& record, float x, float z)
    {
        T* made = ObjectManager::Instance().CreateObjectFromFile<T>(record);
        if (made == nullptr)
            return nullptr;
        gEngine->GetWorld()->AddEntity(made, At(x, z), false);
        made->InitialUpdate();
        made->GetCharacterBio().Update(*made, 0);
        return made;
    }
    static ControllerAI* Brain(const Character* character)
    {
        return character == nullptr ? nullptr
                                    : ObjectManager::Instance().GetObject<ControllerAI>(
                                          character->GetControllerId());
    }

private:
    std::unique_ptr<World> previousWorld;
};

} // namespace GAME::Bench
