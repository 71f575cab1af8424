// Two per-frame costs of a crowded level. Every monster controller updates its hate list each
// frame: 500 monsters with ten enemies each should take under 0.5 ms. Every character updates
// its auras each frame: 1,000 characters with two timed auras should take under 50 us.
#include "bench/BenchWorld.h"
#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "combat/AngerManager.h"
#include "combat/AuraManager.h"
#include "engine/Actor.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

namespace {

constexpr int kFrameMs = 33;

// A database folder of one aura record.
struct AuraRecords {
    static constexpr const char* kAura = "Records/Fx/Glow.dbr";

    AuraRecords() { folder.WriteFile(kAura, "Class = EffectEntity\n"); }
    Test::TempDatabase folder;
};

// The hub (for the teams) and a world of one large region over the aura record.
class Level : public AuraRecords, public Bench::BenchWorld {
public:
    Level() : BenchWorld(folder.GetRoot(), 2000.0f) {}

    template <typename T> T* Place(const char* className, const Vec3& position, const Team& team)
    {
        auto* character = static_cast<T*>(ObjectManager::Instance().CreateObject(className));
        character->SetTeam(team);
        gEngine->GetWorld()->AddEntity(character, WorldCoords(WorldVec3(kRegion, position)), true);
        return character;
    }
};

struct HatingMonster {
    Character* monster;
    AngerManager anger;
};

} // namespace

static void BM_AngerManager_500MonstersTenEnemiesOneFrame(benchmark::State& state)
{
    constexpr int kMonsters = 500;
    constexpr int kEnemies = 10;
    Level level;
    std::vector<HatingMonster> monsters(kMonsters);
    for (int i = 0; i < kMonsters; ++i) {
        // A 25 x 20 grid 60 apart, each monster ringed by its own enemies 20 away.
        const Vec3 centre(static_cast<float>(i % 25) * 60.0f - 750.0f, 0.0f,
                          static_cast<float>(i / 25) * 60.0f - 600.0f);
        HatingMonster& entry = monsters[static_cast<size_t>(i)];
        entry.monster =
            level.Place<Character>("Monster", centre, TeamManager::DefaultMonsterTeam());
        for (int e = 0; e < kEnemies; ++e) {
            const float angle = static_cast<float>(e) * 0.628f;
            const Vec3 offset(20.0f * std::cos(angle), 0.0f, 20.0f * std::sin(angle));
            const Character* enemy = level.Place<Character>("Character", centre + offset,
                                                            TeamManager::DefaultPlayerTeam());
            entry.anger.AddAnger(enemy->GetObjectId(), 90.0f);
        }
    }
    for (auto _ : state) {
        // A slow decay keeps every entry for the whole run.
        for (HatingMonster& entry : monsters)
            entry.anger.Update(kFrameMs, 0.0001f, entry.monster);
        uint32_t closest = 0;
        float distance = 0.0f;
        monsters.back().anger.GetClosestEnemy(closest, distance);
        benchmark::DoNotOptimize(closest);
    }
}
BENCHMARK(BM_AngerManager_500MonstersTenEnemiesOneFrame)->Unit(benchmark::kMicrosecond);

static void BM_AuraManager_1000CharactersTwoTimedAurasOneFrame(benchmark::State& state)
{
    constexpr int kCharacters = 1000;
    Level level;
    std::vector<Actor*> owners;
    std::vector<AuraManager> auras(kCharacters);
    for (int i = 0; i < kCharacters; ++i) {
        auto* owner = static_cast<Actor*>(ObjectManager::Instance().CreateObject("Character"));
        owners.push_back(owner);
        // Long enough never to time out during the run.
        auras[static_cast<size_t>(i)].AddAura(*owner, Level::kAura, false, 1000000);
        auras[static_cast<size_t>(i)].AddAura(*owner, Level::kAura, false, 2000000);
    }
    for (auto _ : state) {
        for (int i = 0; i < kCharacters; ++i)
            auras[static_cast<size_t>(i)].Update(*owners[static_cast<size_t>(i)], kFrameMs);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AuraManager_1000CharactersTwoTimedAurasOneFrame)->Unit(benchmark::kMicrosecond);

} // namespace GAME
