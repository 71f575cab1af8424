// The thinking of three bosses in the middle of their fights, one 33 ms frame of the boss's
// controller at a time, against a plain monster fighting the same hero in the same scene:
// Ormenos closing on the hero, Megalesios burning its conduit, a risen spirit host fighting
// beside a dormant one while a spirit seeks it. Each stands in a sample level of its own, some
// seconds into its fight. Budget: each boss within twice the plain monster's frame.
#include "ai/ControllerAI.h"
#include "bench/BenchWorld.h"
#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "characters/Megalesios.h"
#include "characters/Player.h"
#include "engine/Engine.h"
#include "engine/GraphicsAnim.h"
#include "engine/GraphicsEngine.h"
#include "engine/Name.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr int32_t kFrameMs = 33;

double ThreadMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) * 1e-3;
}

struct Placing {
    const char* record;
    float x;
    float z;
};

// Who stands in each scene, the first being the one measured, and how long the scene plays
// before: the conduit must still stand, the spirit must have woken its host.
struct Scene {
    const char* name;
    int warmUpFrames;
    std::vector<Placing> placings;
};
const Scene kScenes[] = {
    {"plain monster", 150, {{"Records/Creatures/Monster/Arena/PackChieftain.dbr", 2.0f, 0.0f}}},
    {"Ormenos",
     150,
     {{"Records/Creatures/Bosses/Ormenos.dbr", 2.0f, 0.0f},
      {"Records/Creatures/Bosses/ChainedGiant.dbr", 9.0f, 6.0f}}},
    {"Megalesios",
     30,
     {{"Records/Creatures/Bosses/Megalesios.dbr", 8.0f, 0.0f},
      {"Records/Creatures/Bosses/MegalesiosConduit.dbr", 10.0f, 1.0f}}},
    {"spirit host",
     150,
     {{"Records/Creatures/Bosses/SpiritHost.dbr", 4.0f, -2.0f},
      {"Records/Creatures/Bosses/SpiritHost.dbr", -6.0f, 5.0f},
      {"Records/Creatures/Bosses/Spirit.dbr", 8.0f, -3.0f}}},
};
const char* const kHitAnimations[] = {"Creatures/Monster/Jackalman/Animations/Claw.anm",
                                      "Creatures/PC/Male/Animations/Unarmed_Punch.anm",
                                      "Creatures/Monster/Bosses/Animations/Cast.anm"};

// The sample database with the library started over it, a world of one region and the hero.
class BossScene {
public:
    explicit BossScene(int scene) : world(std::string(GAME_SOURCE_ROOT) + "/data/database", 60.0f)
    {
        // The sample animations carry no events: the blows land where the swing does.
        for (const char* animation : kHitAnimations) {
            if (GraphicsAnim* anim = GraphicsEngine::Instance().LoadAnimation(animation))
                anim->AddEvent(500.0f, Name::Create("RightHandHit"));
        }
        auto* hero = world.Enter<Player>("Records/Creatures/PC/HeroBrawler.dbr", 0.0f, 0.0f);
        if (hero == nullptr)
            return;
        hero->SetIsControllingCharacter(true);
        GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
        for (const Placing& placing : kScenes[scene].placings) {
            Character* made = world.Enter<Character>(placing.record, placing.x, placing.z);
            if (measured == nullptr)
                measured = Bench::BenchWorld::Brain(made);
            if (auto* boss = DynamicCast<Megalesios>(made))
                boss->SetLaunched(true);
        }
        for (int frame = 0; frame < kScenes[scene].warmUpFrames; ++frame) {
            gEngine->RunFrame(kFrameMs);
            GameEngine::Get().Update(kFrameMs);
        }
    }

    Bench::BenchWorld world;
    ControllerAI* measured = nullptr;
};

void BM_BossControllersFrame_OrmenosMegalesiosSpirits(benchmark::State& state)
{
    const auto scene = static_cast<int>(state.range(0));
    BossScene stage(scene);
    if (stage.measured == nullptr) {
        state.SkipWithError("a boss record or its controller was not made");
        return;
    }
    double total = 0.0;
    int64_t frames = 0;
    for (auto _ : state) {
        const double start = ThreadMicroseconds();
        stage.measured->Update(kFrameMs);
        total += ThreadMicroseconds() - start;
        ++frames;
    }
    state.counters["avg_us"] = frames > 0 ? total / static_cast<double>(frames) : 0.0;
    const char* executing = stage.measured->GetExecutingStateName();
    state.SetLabel(std::string(kScenes[scene].name) + " in " +
                   (executing != nullptr ? executing : "no state"));
}
BENCHMARK(BM_BossControllersFrame_OrmenosMegalesiosSpirits)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(600);

} // namespace
} // namespace GAME
