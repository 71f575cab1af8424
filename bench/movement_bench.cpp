// One frame of 1,000 characters running on one region: the engine's frame runs each one's
// update (bio, skills, controller), its animation and its own update (following the path,
// steering round the others, turning). The walkers come in pairs that run head on at each other
// along the same line, so every walker has to step round its partner; each pair's line is its
// own, so every target is distinct. Whoever arrives is sent back the way it came. The budget
// is 2 milliseconds a frame.
#include "ai/ControllerBaseCharacter.h"
#include "bench/BenchWorld.h"
#include "characters/CharacterActionHandler.h"
#include "characters/Monster.h"
#include "characters/MoveToAction.h"
#include "engine/ABBox.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME {

namespace {

constexpr const char* kWalker = "Records/Creatures/Walker.dbr";
constexpr uint32_t kRegion = Bench::BenchWorld::kRegion;
constexpr int32_t kFrameMs = 33;
constexpr int kPairColumns = 20;
constexpr int kPairRows = 25;
constexpr float kRunLength = 20.0f;
constexpr float kColumnPitch = 24.0f;
constexpr float kRowPitch = 4.0f;
constexpr float kAside = 0.3f;

// A database folder holding the walker's record, removed again afterwards.
class WalkerDatabase : public Bench::BenchRecords {
public:
    WalkerDatabase()
    {
        Write("Records/Game/GameEngine.dbr", "pathSlowdownLength = 1.0\n");
        Write(kWalker, "Class = Monster\n"
                       "characterLife = 100\ncharacterRunSpeed = 3.0\nturnRate = 6\n"
                       "pathingSize = Medium\ndefaultTeamMajor = TeamMajor_Monster\n"
                       "unarmedAttackIdleAnim = WalkerIdle\nunarmedRunAnim = WalkerRun\n");
    }
};

struct Walker {
    uint32_t id;
    WorldVec3 ends[2];
    int heading;
    // Stepped aside from its line: the avoidance did its work.
    bool steered;
};

// A walker at the first end of its run, driven by a controller of its own.
bool Place(World& world, const Vec3& from, const Vec3& to, std::vector<Walker>& walkers)
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* monster = objects.CreateObjectFromFile<Monster>(kWalker);
    auto* controller = static_cast<ControllerBaseCharacter*>(objects.CreateObject("ControllerAI"));
    if (monster == nullptr || controller == nullptr)
        return false;
    world.AddEntity(monster, WorldCoords(kRegion, Coords::FromTranslation(from)), false);
    monster->InitialUpdate();
    controller->AttachParent(monster->GetObjectId());
    monster->SetControllerId(controller->GetObjectId());
    walkers.push_back({monster->GetObjectId(), {{kRegion, from}, {kRegion, to}}, 0, false});
    return true;
}

// Sends every walker that is not running to the other end of its run; the number running.
int64_t SendOnTheirWay(std::vector<Walker>& walkers)
{
    ObjectManager& objects = ObjectManager::Instance();
    int64_t running = 0;
    for (Walker& walker : walkers) {
        auto* monster = objects.GetObject<Monster>(walker.id);
        if (monster == nullptr)
            continue;
        if (monster->IsMoving()) {
            ++running;
            const float aside = monster->GetCoords().GetRegionCoords().origin.z -
                                walker.ends[walker.heading].GetRegionPosition().z;
            walker.steered = walker.steered || aside > kAside || aside < -kAside;
            continue;
        }
        auto* controller = objects.GetObject<ControllerBaseCharacter>(monster->GetControllerId());
        if (controller == nullptr)
            continue;
        walker.heading = 1 - walker.heading;
        controller->HandleAction(new MoveToAction(walker.id, monster->GetPathPosition(),
                                                  walker.ends[walker.heading], 0, 0, 0.0f));
    }
    return running;
}

} // namespace

static void BM_Movement_ThousandWalkersFrame(benchmark::State& state)
{
    WalkerDatabase database;
    const float width = kPairColumns * kColumnPitch;
    const float depth = kPairRows * kRowPitch;
    const Bench::BenchWorld level(database.Root(),
                                  ABBox({-10, -10, -10}, {width + 10, 10, depth + 10}));
    World& world = *gEngine->GetWorld();
    std::vector<Walker> walkers;
    bool placed = true;
    for (int row = 0; row < kPairRows && placed; ++row) {
        for (int column = 0; column < kPairColumns && placed; ++column) {
            const float x = column * kColumnPitch;
            const float z = row * kRowPitch;
            // Head on, a hand's breadth off the same line.
            placed = Place(world, {x, 0, z}, {x + kRunLength, 0, z}, walkers) &&
                     Place(world, {x + kRunLength, 0, z + 0.1f}, {x, 0, z + 0.1f}, walkers);
        }
    }
    if (!placed)
        state.SkipWithError("a walker or its controller did not load");

    int64_t running = 0;
    int64_t frames = 0;
    for (auto _ : state) {
        if (!placed)
            break;
        running += SendOnTheirWay(walkers);
        gEngine->RunFrame(kFrameMs);
        ++frames;
    }
    state.counters["walkers"] = static_cast<double>(walkers.size());
    int64_t steered = 0;
    for (const Walker& walker : walkers)
        steered += walker.steered ? 1 : 0;
    state.counters["steered"] = static_cast<double>(steered);
    state.counters["running"] = frames > 0 ? static_cast<double>(running) / frames : 0.0;
}
BENCHMARK(BM_Movement_ThousandWalkersFrame)->Unit(benchmark::kMillisecond);

} // namespace GAME
