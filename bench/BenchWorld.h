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

#include <memory>
#include <string>

namespace GAME::Bench {

// The library started, its log silenced, over a database folder, in a world of one square
// region; what the run made goes with it.
class BenchWorld {
public:
    static constexpr uint32_t kRegion = 1;

    BenchWorld(const std::string& root, float halfWidth)
        : previous(gEngine->SetLogSink([](int, const std::string&) {}))
    {
        ObjectManager::Instance().GetDatabase().SetRoot(root);
        InitializeObjects();
        gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(
            kRegion, {0, 0, 0}, ABBox({-halfWidth, -10, -halfWidth}, {halfWidth, 10, halfWidth}));
    }
    ~BenchWorld()
    {
        ObjectManager::Instance().DestroyAllObjects();
        gEngine->SetWorld(nullptr);
        ShutdownObjects();
        ObjectManager::Instance().GetDatabase().SetRoot("");
        gEngine->SetLogSink(previous);
    }
    BenchWorld(const BenchWorld&) = delete;
    BenchWorld& operator=(const BenchWorld&) = delete;

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
    Engine::LogSink previous;
};

} // namespace GAME::Bench
