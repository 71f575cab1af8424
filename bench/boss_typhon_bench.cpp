// The final boss's statue pick among a crowd, and one 33 ms frame of the controllers of the
// final boss, the chained giant and the mirage boss mid-fight, each beside a hero and its
// statues or warriors. Compare the per-boss cost with the per-monster cost of
// BM_MonsterControllersFrame (ai_bench) run on the same machine.
#include "ai/ControllerAI.h"
#include "ai/ControllerTyphon.h"
#include "bench/BenchWorld.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "characters/TyphonStatue.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace GAME;

constexpr int32_t kFrameMs = 33;
constexpr const char* kHero = "Records/Bench/Hero.dbr";
constexpr const char* kPlain = "Records/Bench/Plain.dbr";
constexpr const char* kTyphon = "Records/Bench/Typhon.dbr";
constexpr const char* kStatue = "Records/Bench/Statue.dbr";

// The boss records in a scratch database.
struct BossRecords {
    BossRecords()
    {
        const std::string body = "characterLife = 1000000000\nunarmedRunAnim = Run.anm\n"
                                 "unarmedWalkAnim = Walk.anm\n";
        folder.WriteFile(kHero, "Class = Player\ncharacterLife = 1000000000\n");
        folder.WriteFile(Player::kStubControllerRecord, "Class = ControllerCombat\n");
        folder.WriteFile(Player::kPlayerControllerRecord, "Class = ControllerPlayer\n");
        folder.WriteFile("Records/Bench/Still.dbr", "Class = ControllerMonster\n");
        folder.WriteFile(kPlain, "Class = Monster\ncontroller = Records/Bench/Still.dbr\n" + body);
        folder.WriteFile("Records/Bench/TyphonAI.dbr",
                         "Class = ControllerTyphon\nMinTimeWithoutGodSkills = 500\n"
                         "MaxTimeWithoutGodSkills = 900\nMinTimeWithGodSkills = 700\n"
                         "MaxTimeWithGodSkills = 1200\nSightAngerRate = 100\n");
        folder.WriteFile(kTyphon,
                         "Class = Typhon\ncontroller = Records/Bench/TyphonAI.dbr\n" + body);
        folder.WriteFile(kStatue, "Class = TyphonStatue\nskillGodName = zeus\ndefaultTeamMajor = "
                                  "TeamMajor_Player\ncontroller = Records/Bench/Still.dbr\n" +
                                      body);
        folder.WriteFile("Records/Bench/ChainedAI.dbr", "Class = ControllerTyphonChained\n");
        folder.WriteFile("Records/Bench/Chained.dbr",
                         "Class = TyphonChained\ncontroller = Records/Bench/ChainedAI.dbr\n" +
                             body);
        folder.WriteFile("Records/Bench/AktaiosAI.dbr", "Class = ControllerAktaios\n");
        folder.WriteFile("Records/Bench/Aktaios.dbr",
                         "Class = Monster\ncontroller = Records/Bench/AktaiosAI.dbr\n" + body);
    }
    Test::TempDatabase folder;
};

// The library started over the boss records, in a world of one region.
class BossWorld : private BossRecords, public Bench::BenchWorld {
public:
    BossWorld() : BenchWorld(folder.GetRoot(), 500.0f) {}
};

// 1,000 entities round the boss within the search radius, eight of them statues.
void BM_TyphonChooseStatue(benchmark::State& state)
{
    BossWorld world;
    auto* boss = world.Enter<Monster>(kTyphon, 0.0f, 0.0f);
    for (int i = 0; i < 1000; ++i) {
        const float x = static_cast<float>(i % 40) * 10.0f - 200.0f;
        const float z = static_cast<float>(i / 40) * 10.0f - 120.0f;
        world.Enter<Monster>(i % 125 == 0 ? kStatue : kPlain, x, z);
    }
    auto* brain = DynamicCast<ControllerTyphon>(BossWorld::Brain(boss));
    if (brain == nullptr) {
        state.SkipWithError("the boss does not think with its controller");
        return;
    }
    brain->Update(0);
    int picked = 0;
    for (auto _ : state)
        picked += brain->ChooseStatue() ? 1 : 0;
    state.SetLabel(std::to_string(picked) + " picks");
}
BENCHMARK(BM_TyphonChooseStatue)->Unit(benchmark::kMicrosecond);

// Argument 0: the final boss with four statues; 1: the chained giant; 2: the mirage boss with
// two warriors. The hero stands within reach of each.
void BM_BossControllersFrame_TyphonChainedAktaios(benchmark::State& state)
{
    BossWorld world;
    const Player* hero = world.Enter<Player>(kHero, 0.0f, 0.0f);
    Character* boss = nullptr;
    switch (state.range(0)) {
    case 0:
        boss = world.Enter<Monster>(kTyphon, 4.0f, 0.0f);
        for (int i = 0; i < 4; ++i)
            world.Enter<Monster>(kStatue, 10.0f, static_cast<float>(i) * 3.0f - 4.5f);
        break;
    case 1:
        boss = world.Enter<Monster>("Records/Bench/Chained.dbr", 4.0f, 0.0f);
        break;
    default:
        boss = world.Enter<Monster>("Records/Bench/Aktaios.dbr", 4.0f, 0.0f);
        world.Enter<Monster>(kPlain, 6.0f, 2.0f);
        world.Enter<Monster>(kPlain, 6.0f, -2.0f);
        break;
    }
    ControllerAI* brain = BossWorld::Brain(boss);
    if (brain == nullptr || hero == nullptr) {
        state.SkipWithError("the boss does not think with its controller");
        return;
    }
    brain->Update(0);
    // The hero's first blow starts the fight.
    brain->UnderAttack(hero->GetObjectId());
    for (auto _ : state)
        brain->Update(kFrameMs);
    const char* name = brain->GetExecutingStateName();
    state.SetLabel(name != nullptr ? name : "no state");
}
BENCHMARK(BM_BossControllersFrame_TyphonChainedAktaios)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(600);

} // namespace
