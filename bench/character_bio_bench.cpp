// One frame of a crowded level: a thousand characters' bios update, each gathering its
// attribute totals and evaluating its life and mana regeneration formulas. The frame's budget
// for this is 0.4 ms.
#include "bench/BenchWorld.h"
#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "engine/LoadTable.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME {

namespace {

constexpr int kBios = 1000;
constexpr int kFrameMs = 33;

// A database folder holding the regeneration record, removed again afterwards.
class RegenDatabase : public Bench::BenchRecords {
public:
    RegenDatabase()
    {
        Write("Records/Game/HealthManaRegen.dbr",
              "lifeRegenEquation = ((lifeRegen*(1+(lifeRegenMod*0.01)))*elapsedTime)\n"
              "manaRegenEquation = (((manaRegen*(1+(manaRegenMod*0.01)))"
              "+(intelligence*0.002))*elapsedTime)\n"
              "healthOverStorageLimit = 0.5\nhealthFeedRate = 4\n"
              "manaOverStorageLimit = 0.5\nmanaFeedRate = 4\nmanaDrainRate = 2\n");
    }
};

struct Creature {
    Character character;
    CharacterBio bio;
};

} // namespace

static void BM_CharacterBio_ThousandBiosOneFrame(benchmark::State& state)
{
    RegenDatabase database;
    const Bench::BenchLibrary library(database.Root());
    LoadTable record;
    record.Parse("characterLife = 300\ncharacterMana = 200\ncharacterStrength = 50\n"
                 "characterDexterity = 40\ncharacterIntelligence = 60\n"
                 "characterLifeRegen = 2\ncharacterManaRegen = 1\n",
                 "bench.dbr");
    std::vector<std::unique_ptr<Creature>> creatures;
    for (int i = 0; i < kBios; ++i) {
        auto creature = std::make_unique<Creature>();
        creature->bio.Load(record);
        creature->bio.InitialUpdate(creature->character);
        creature->bio.Update(creature->character, kFrameMs);
        // Hurt and spent, so that every update regenerates, feeds and drains.
        creature->bio.SubtractLife(150.0f);
        creature->bio.AddLifeSlow(100.0f);
        creature->bio.SubtractMana(150.0f);
        creatures.push_back(std::move(creature));
    }
    for (auto _ : state) {
        for (auto& creature : creatures)
            creature->bio.Update(creature->character, kFrameMs);
        benchmark::DoNotOptimize(creatures.front()->bio.GetCurrentLife());
    }
    state.SetItemsProcessed(state.iterations() * kBios);
}
BENCHMARK(BM_CharacterBio_ThousandBiosOneFrame)->Unit(benchmark::kMicrosecond);

} // namespace GAME
