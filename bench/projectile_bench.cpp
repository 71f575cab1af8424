// Projectiles in flight: 200 of the seven kinds (arrows, fireballs, terrain followers, lobs,
// grenades, clouds and thrown objects), launched from one caster at foes ahead, take one frame;
// measured against 200 fireballs in the same run. Launching and clearing up are not timed.
#include "bench/BenchWorld.h"
#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "tests/support/TempDatabase.h"
#include "world/ProjectileBase.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr int kProjectiles = 200;
constexpr int32_t kFrameMs = 33;

const char* const kKinds[] = {"ProjectileArrowLike",        "ProjectileFireballLike",
                              "ProjectileTerrainFollowing", "ProjectileExploding",
                              "ProjectileGrenade",          "ProjectileAreaEffect",
                              "ProjectileTelekinesis"};

std::string RecordOf(const std::string& kind)
{
    return "Records/Projectiles/" + kind + ".dbr";
}

// Every kind of projectile, each fast and far-reaching.
struct ProjectileRecords {
    ProjectileRecords()
    {
        for (const char* kind : kKinds)
            folder.WriteFile(RecordOf(kind), std::string("Class = ") + kind +
                                                 "\nprojectileVelocity = 20\n"
                                                 "projectileDistance = 1000\nlaunchAngle = 30\n");
    }
    Test::TempDatabase folder;
};

class Range : private ProjectileRecords, public Bench::BenchWorld {
public:
    Range() : BenchWorld(folder.GetRoot(), 500.0f)
    {
        caster = Place({0, 0, 0}, TeamManager::DefaultPlayerTeam());
        for (int i = 0; i < 20; ++i)
            Place({static_cast<float>(i % 5) * 4.0f - 8.0f, 0, 30.0f + static_cast<float>(i)},
                  TeamManager::DefaultMonsterTeam());
    }
    void Launch(bool mixed)
    {
        for (int i = 0; i < kProjectiles; ++i) {
            const std::string kind = mixed ? kKinds[i % 7] : "ProjectileFireballLike";
            auto* projectile =
                ObjectManager::Instance().CreateObjectFromFile<ProjectileBase>(RecordOf(kind));
            ProjectileInfo info;
            info.ownerId = caster->GetObjectId();
            info.launchCoords = WorldCoords(WorldVec3(kRegion, {0, 1, 0}));
            info.targetPoint = WorldVec3(kRegion, {static_cast<float>(i % 9) - 4.0f, 0, 40});
            info.team = caster->GetTeam();
            info.duration = 100;
            projectile->LoadInfo(info, static_cast<uint32_t>(i + 1));
            ProjectileBase::ProjectileModifierStruct modifier;
            modifier.explosionRadius = 2.0f;
            projectile->AddProjectileModifier(modifier);
            projectile->ProjectileGo();
            flying.push_back(projectile->GetObjectId());
        }
    }

    void Frame()
    {
        for (uint32_t id : flying)
            if (auto* projectile = ObjectManager::Instance().GetObject<ProjectileBase>(id))
                projectile->UpdateSelf(kFrameMs);
    }

    void Clear()
    {
        for (uint32_t id : flying)
            if (auto* projectile = ObjectManager::Instance().GetObject<ProjectileBase>(id))
                projectile->DeleteProjectile();
        flying.clear();
        ObjectManager::Instance().ProcessDestroyedObjects();
    }

private:
    Character* Place(const Vec3& position, const Team& team)
    {
        auto* character =
            static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
        character->SetTeam(team);
        gEngine->GetWorld()->AddEntity(character, WorldCoords(WorldVec3(kRegion, position)), true);
        character->InitialUpdate();
        return character;
    }

    Character* caster = nullptr;
    std::vector<uint32_t> flying;
};

void RunFrames(benchmark::State& state, bool mixed)
{
    Range range;
    for (auto _ : state) {
        state.PauseTiming();
        range.Launch(mixed);
        state.ResumeTiming();
        range.Frame();
        state.PauseTiming();
        range.Clear();
        state.ResumeTiming();
    }
}

} // namespace

static void BM_Projectiles_SevenKindsOneFrame(benchmark::State& state)
{
    RunFrames(state, true);
}
BENCHMARK(BM_Projectiles_SevenKindsOneFrame);

static void BM_Projectiles_FireballsOneFrame(benchmark::State& state)
{
    RunFrames(state, false);
}
BENCHMARK(BM_Projectiles_FireballsOneFrame);

} // namespace GAME
