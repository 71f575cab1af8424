#include "combat/CombatAttributeAccumulator.h"
#include "combat/DamageAttributeStore_Equipment.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace GAME;

LoadTable Record(const std::string& text)
{
    LoadTable table;
    table.Parse(text, "bench.dbr");
    return table;
}

// A sword with fire and a stun, an affix with a cold slow and a global "all of" poison, and an
// affix with a "one of" pair of elemental modifiers: a well-rolled item of the middle game.
struct TypicalItem {
    LoadTable base =
        Record("offensivePhysicalMin = 12\noffensivePhysicalMax = 18\n"
               "offensivePierceRatioMin = 10\n"
               "offensiveBaseFireMin = 4\noffensiveBaseFireMax = 7\n"
               "offensiveStunMin = 1\noffensiveStunMax = 2\noffensiveStunChance = 15\n");
    LoadTable prefix = Record("lootRandomizerJitter = 10\noffensiveGlobalChance = 25\n"
                              "offensiveSlowColdMin = 3\noffensiveSlowColdMax = 5\n"
                              "offensiveSlowColdDurationMin = 2\n"
                              "offensivePoisonMin = 6\noffensivePoisonMax = 9\n"
                              "offensivePoisonGlobal = 1\n");
    LoadTable suffix = Record("lootRandomizerJitter = 15\n"
                              "offensiveFireModifier = 20\noffensiveFireModifierChance = 40\n"
                              "offensiveFireGlobal = 1\noffensiveFireXOR = 1\n"
                              "offensiveLightningModifier = 15\n"
                              "offensiveLightningModifierChance = 60\n"
                              "offensiveLightningGlobal = 1\noffensiveLightningXOR = 1\n");

    void Load(DamageAttributeStore_Equipment& store, uint32_t seed) const
    {
        RandomUniform random;
        random.Seed(seed);
        store.SetRandomGen(&random);
        store.Load(base, &prefix, &suffix, false);
    }
};

void BM_LoadItemDamageStore(benchmark::State& state)
{
    const TypicalItem item;
    uint32_t seed = 1;
    size_t held = 0;
    for (auto _ : state) {
        DamageAttributeStore_Equipment store;
        item.Load(store, seed++);
        held = store.GetAttributes().size() + store.GetGlobalAndAttributes().size() +
               store.GetGlobalXorAttributes().size();
        benchmark::DoNotOptimize(held);
    }
    state.counters["attributes"] = static_cast<double>(held);
}
BENCHMARK(BM_LoadItemDamageStore);

void BM_AddItemDamageToAttack(benchmark::State& state)
{
    const TypicalItem item;
    DamageAttributeStore_Equipment store;
    item.Load(store, 7);
    CombatAttributeAccumulator accumulator;
    uint32_t seed = 1;
    for (auto _ : state) {
        accumulator.Clear();
        accumulator.SetSeed(seed++);
        store.AddDamageToAccumulator(accumulator, 1);
        store.AddModifierToAccumulator(accumulator, 1);
        benchmark::DoNotOptimize(accumulator.GetDamage().size());
    }
    state.counters["added"] = static_cast<double>(accumulator.GetDamage().size() +
                                                  accumulator.GetDamageModifiers().size());
}
BENCHMARK(BM_AddItemDamageToAttack);

} // namespace
