// The quest repository's two costs to the game thread, over 100 quests of 4 steps of 5
// triggers (2,000 triggers):
//
// - A background save request with 10 quests dirty: the game thread only turns their state and
//   the repository into bytes. Budget: under 300 microseconds, and at most a tenth of the
//   synchronous save of the same state measured in the same run (the counters give both and
//   their ratio).
// - A frame of `QuestRepository::Update` over the 2,000 active triggers: under 100 microseconds.
#include "engine/Engine.h"
#include "engine/IOStreamWrite.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "engine/TriggerCondition.h"
#include "engine/TriggerFactory.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "quests/Quest.h"
#include "quests/QuestRepository.h"
#include "quests/QuestStep.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace GAME {
namespace {

class BenchCondition : public TriggerCondition {
public:
    using TriggerCondition::TriggerCondition;
    const char* GetName() const override { return "Bench_Condition"; }
};

TriggerConditionProducerT<BenchCondition> producer("Bench_Condition");

constexpr int kQuests = 100;
constexpr int kSteps = 4;
constexpr int kTriggers = 5;
constexpr int kDirty = 10;

// The database, the 100 quests loaded and a state folder, for the whole run.
struct QuestWorld {
    QuestWorld()
    {
        gEngine->SetLogSink([](int, const std::string&) {});
        InitializeObjects();
        ObjectManager::Instance().GetDatabase().SetRoot(database.GetRoot());
        Quest design(0);
        for (int s = 0; s < kSteps; ++s) {
            QuestStep* step = design.AddNewQuestStep();
            for (int t = 0; t < kTriggers; ++t)
                step->AddNewTrigger()->AddCondition("Bench_Condition");
        }
        IOStreamWrite bytes;
        design.Serialize(&bytes);
        const std::string text(bytes.GetBytes().begin(), bytes.GetBytes().end());
        for (int q = 0; q < kQuests; ++q) {
            const std::string path = "Quests/Q" + std::to_string(q) + ".qst";
            database.WriteFile(path, text);
            gEngine->GetWorld()->AddQuestFile(path);
        }
        QuestRepository::Get().Load();
        folder = database.GetRoot() + "/state";
        std::filesystem::create_directories(folder);
    }

    void MarkDirty() const
    {
        for (int q = 0; q < kDirty; ++q)
            QuestRepository::Get().GetQuestByIndex(size_t(q) * 10)->SetDirty();
    }

    Test::TempDatabase database;
    std::string folder;
};

QuestWorld& World()
{
    static QuestWorld world;
    return world;
}

double Seconds(std::chrono::steady_clock::duration elapsed)
{
    return std::chrono::duration<double>(elapsed).count();
}

void BM_SaveRequestAgainstSynchronousSave(benchmark::State& state)
{
    QuestWorld& world = World();
    QuestRepository& quests = QuestRepository::Get();
    double requestSeconds = 0.0;
    double syncSeconds = 0.0;
    for (auto _ : state) {
        world.MarkDirty();
        auto start = std::chrono::steady_clock::now();
        quests.SaveQuestState(world.folder, "QuestRepository.dat", true);
        requestSeconds += Seconds(std::chrono::steady_clock::now() - start);
        quests.WaitDone();
        world.MarkDirty();
        start = std::chrono::steady_clock::now();
        quests.SaveQuestState(world.folder, "QuestRepository.dat", false);
        syncSeconds += Seconds(std::chrono::steady_clock::now() - start);
    }
    const double runs = double(state.iterations());
    state.counters["request_us"] = requestSeconds / runs * 1e6;
    state.counters["sync_us"] = syncSeconds / runs * 1e6;
    state.counters["ratio"] = requestSeconds / syncSeconds;
}
BENCHMARK(BM_SaveRequestAgainstSynchronousSave)->Iterations(200)->Unit(benchmark::kMicrosecond);

void BM_BackgroundSaveRequest(benchmark::State& state)
{
    QuestWorld& world = World();
    QuestRepository& quests = QuestRepository::Get();
    for (auto _ : state) {
        world.MarkDirty();
        const auto start = std::chrono::steady_clock::now();
        quests.SaveQuestState(world.folder, "QuestRepository.dat", true);
        state.SetIterationTime(Seconds(std::chrono::steady_clock::now() - start));
        quests.WaitDone();
    }
}
BENCHMARK(BM_BackgroundSaveRequest)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_UpdateOverActiveTriggers(benchmark::State& state)
{
    World();
    QuestRepository& quests = QuestRepository::Get();
    for (auto _ : state)
        quests.Update(33);
    state.counters["triggers"] = double(quests.GetActiveTriggers().size());
}
BENCHMARK(BM_UpdateOverActiveTriggers)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace GAME
