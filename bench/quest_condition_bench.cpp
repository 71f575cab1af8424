// What a quest condition costs the logic machine:
//
// - A creature death reaching the 3 kill conditions that wait for its record, among 2,000 kill
//   conditions on 400 records: the repository's record map against offering the death to every
//   condition (the peer, measured in the same run). Budget: under 2 microseconds and at least 50
//   times faster than the peer (the counters give both and their ratio).
// - A proxy-spawn message of 2 x 20 ids written to words and read back: under 300 nanoseconds.
#include "core/GameEvents.h"
#include "engine/Engine.h"
#include "game/GameEngine.h"
#include "quests/QuestConditions.h"
#include "quests/QuestNetMsg.h"
#include "quests/QuestRepository.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr int kConditions = 2000;
constexpr int kRecords = 400;
constexpr int kUnderMeasuredRecord = 3;

// Records as a database names them: twenty families of twenty kinds.
std::string RecordName(int index)
{
    static const char* const families[] = {
        "Jackalman", "Satyr", "Harpy",   "Centaur", "Boar",   "Spider",   "Skeleton",
        "Zombie",    "Wolf",  "Raptor",  "Gorgon",  "Imp",    "Maenad",   "Automaton",
        "Cyclops",   "Dryad", "Scorpos", "Nymph",   "Bandit", "Crocodile"};
    static const char* const kinds[] = {"Raider",  "Warrior", "Shaman",   "Chieftain", "Archer",
                                        "Brute",   "Scout",   "Mystic",   "Hunter",    "Elder",
                                        "Runt",    "Guard",   "Priest",   "Berserker", "Stalker",
                                        "Slinger", "Healer",  "Champion", "Thrall",    "Pup"};
    const char* family = families[index / 20 % 20];
    return std::string("Records/Creatures/Monster/") + family + "/" + family + kinds[index % 20] +
           ".dbr";
}

// Record 0 holds 3 conditions; the other 1,997 spread over the remaining 399 records.
struct KillWorld {
    KillWorld()
    {
        gEngine->SetLogSink([](int, const std::string&) {});
        InitializeObjects();
        for (int i = 0; i < kConditions; ++i) {
            const int record =
                i < kUnderMeasuredRecord ? 0 : 1 + (i - kUnderMeasuredRecord) % (kRecords - 1);
            auto condition = std::make_unique<Condition_KillCreature>(uint32_t(i), nullptr);
            condition->SetCreatureRecord(RecordName(record).c_str());
            QuestRepository::Get().AddCreatureDeath(RecordName(record), condition.get());
            conditions.push_back(std::move(condition));
        }
        death.name = RecordName(0);
        death.victimId = 77;
        death.killerId = 5;
    }

    std::vector<std::unique_ptr<Condition_KillCreature>> conditions;
    GameEvent_CreatureDeath death;
};

KillWorld& World()
{
    static KillWorld world;
    return world;
}

double Seconds(std::chrono::steady_clock::duration elapsed)
{
    return std::chrono::duration<double>(elapsed).count();
}

// Each side in batches of its own, so the clock and the other side's cache traffic stay out of
// the figures.
void BM_DeathThroughRecordMapAgainstEveryCondition(benchmark::State& state)
{
    constexpr int kBatch = 100;
    KillWorld& world = World();
    QuestRepository& quests = QuestRepository::Get();
    double mapSeconds = 0;
    double peerSeconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kBatch; ++i)
            quests.OnCreatureDeath(world.death);
        mapSeconds += Seconds(std::chrono::steady_clock::now() - start);
        start = std::chrono::steady_clock::now();
        for (int i = 0; i < kBatch; ++i) {
            for (const auto& condition : world.conditions)
                condition->OnCreatureDeath(world.death);
        }
        peerSeconds += Seconds(std::chrono::steady_clock::now() - start);
    }
    const double deaths = double(state.iterations()) * kBatch;
    state.counters["map_us"] = mapSeconds / deaths * 1e6;
    state.counters["every_condition_us"] = peerSeconds / deaths * 1e6;
    state.counters["ratio"] = peerSeconds / mapSeconds;
}
BENCHMARK(BM_DeathThroughRecordMapAgainstEveryCondition)
    ->Iterations(300)
    ->Unit(benchmark::kMicrosecond);

void BM_ProxySpawnWrittenAndRead(benchmark::State& state)
{
    QuestNetMsg_ProxySpawn spawn;
    spawn.sender = 0x10000001u;
    spawn.nameIndex = 7;
    for (uint32_t i = 0; i < 20; ++i) {
        spawn.primaryObjects.push_back(100 + i);
        spawn.accessoryObjects.push_back(200 + i);
    }
    QuestNetMsg_ProxySpawn read;
    std::vector<uint32_t> words;
    for (auto _ : state) {
        words.clear();
        spawn.WriteWords(words);
        benchmark::DoNotOptimize(read.ReadWords(words));
    }
}
BENCHMARK(BM_ProxySpawnWrittenAndRead)->Unit(benchmark::kNanosecond);

} // namespace
} // namespace GAME
