// A crowd of 100 characters in view of the camera, ten by ten, pushed apart once a frame. Settled,
// nobody touches and one pass looks at the 4950 pairs; crowded, every neighbour overlaps and all
// three passes run (the crowd is put back between rounds, untimed). The budget is 50 microseconds.
#include "bench/BenchWorld.h"
#include "characters/Character.h"
#include "characters/InterpenetrationManager.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "world/GameCamera.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME {

namespace {

constexpr int kSide = 10;

class Crowd : public Bench::BenchWorld {
public:
    explicit Crowd(float pitch) : BenchWorld("", 50.0f), pitch(pitch), world(gEngine->GetWorld())
    {
        ObjectManager& objects = ObjectManager::Instance();
        for (int i = 0; i < kSide * kSide; ++i) {
            auto* character = static_cast<Character*>(objects.CreateObject("Character"));
            if (character == nullptr)
                return;
            characters.push_back(character);
            world->AddEntity(character, Home(i), false);
        }
        camera.SetCameraDistance(60.0f);
        camera.SetTarget(WorldVec3(kRegion, Vec3(kSide * pitch * 0.5f, 0, kSide * pitch * 0.5f)));
        camera.Update();
    }

    bool IsReady() const { return characters.size() == kSide * kSide; }

    void GoHome()
    {
        for (size_t i = 0; i < characters.size(); ++i)
            world->SetCoords(characters[i], Home(static_cast<int>(i)));
    }

    int32_t Fixup() { return manager.FixupCharacterCollisions(camera); }

private:
    WorldCoords Home(int i) const
    {
        return WorldCoords(kRegion,
                           Coords::FromTranslation({(i % kSide) * pitch, 0, (i / kSide) * pitch}));
    }

    float pitch;
    World* world;
    std::vector<Character*> characters;
    GameCamera camera;
    InterpenetrationManager manager;
};

} // namespace

static void BM_Interpenetration_HundredSettled(benchmark::State& state)
{
    // Radius 0.5 each: 1.5 apart never touch.
    Crowd crowd(1.5f);
    int32_t passes = 0;
    for (auto _ : state) {
        if (!crowd.IsReady()) {
            state.SkipWithError("a character did not load");
            break;
        }
        passes = crowd.Fixup();
        benchmark::DoNotOptimize(passes);
    }
    state.counters["passes"] = passes;
}
BENCHMARK(BM_Interpenetration_HundredSettled)->Unit(benchmark::kMicrosecond);

static void BM_Interpenetration_HundredCrowded(benchmark::State& state)
{
    Crowd crowd(0.8f);
    int32_t passes = 0;
    for (auto _ : state) {
        if (!crowd.IsReady()) {
            state.SkipWithError("a character did not load");
            break;
        }
        passes = crowd.Fixup();
        state.PauseTiming();
        crowd.GoHome();
        state.ResumeTiming();
    }
    state.counters["passes"] = passes;
}
BENCHMARK(BM_Interpenetration_HundredCrowded)->Unit(benchmark::kMicrosecond);

} // namespace GAME
