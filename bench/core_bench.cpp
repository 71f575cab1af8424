// The class registry and the shared generator: both run on every typed look-up and every roll.
#include "core/RTTI_ClassInfo.h"
#include "core/RandomUniform.h"
#include "engine/Actor.h"

#include <benchmark/benchmark.h>

namespace GAME {

// Object > Entity > Actor > BenchDepth3 > BenchDepth4 > BenchDepth5 > BenchDepth6.
#define BENCH_CLASS(Name, Parent)                                                                  \
    class Name : public Parent {                                                                   \
        GAME_DECLARE_CLASS(Name)                                                                   \
    };                                                                                             \
    GAME_IMPLEMENT_CLASS(Name, Parent);
BENCH_CLASS(BenchDepth3, Actor)
BENCH_CLASS(BenchDepth4, BenchDepth3)
BENCH_CLASS(BenchDepth5, BenchDepth4)
BENCH_CLASS(BenchDepth6, BenchDepth5)
BENCH_CLASS(BenchSibling, Actor)
#undef BENCH_CLASS

static void BM_RandomUniform_IGenerate(benchmark::State& state)
{
    RandomUniform random;
    random.Seed(12345);
    for (auto _ : state)
        benchmark::DoNotOptimize(random.IGenerate(0, 100));
}
BENCHMARK(BM_RandomUniform_IGenerate);

static void BM_RandomUniform_FGenerate(benchmark::State& state)
{
    RandomUniform random;
    random.Seed(12345);
    for (auto _ : state)
        benchmark::DoNotOptimize(random.FGenerate(0.0f, 1.0f));
}
BENCHMARK(BM_RandomUniform_FGenerate);

// The worst true answer: six steps up to the root.
static void BM_IsA_Depth6_Root(benchmark::State& state)
{
    const RTTI_ClassInfo* leaf = &BenchDepth6::classInfo;
    for (auto _ : state) {
        benchmark::DoNotOptimize(leaf);
        benchmark::DoNotOptimize(leaf->IsA(Object::classInfo));
    }
}
BENCHMARK(BM_IsA_Depth6_Root);

// The worst false answer: the whole chain is walked and every name compared.
static void BM_IsA_Depth6_Miss(benchmark::State& state)
{
    const RTTI_ClassInfo* leaf = &BenchDepth6::classInfo;
    for (auto _ : state) {
        benchmark::DoNotOptimize(leaf);
        benchmark::DoNotOptimize(leaf->IsA(BenchSibling::classInfo));
    }
}
BENCHMARK(BM_IsA_Depth6_Miss);

static void BM_CreateObject_ByName(benchmark::State& state)
{
    for (auto _ : state) {
        void* made = Object::classInfo.CreateObject("BenchDepth6");
        benchmark::DoNotOptimize(made);
        delete static_cast<Object*>(made);
    }
}
BENCHMARK(BM_CreateObject_ByName);

} // namespace GAME
