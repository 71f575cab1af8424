// Object look-ups among many live objects, record look-ups and record parsing.
#include "engine/Actor.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace GAME {

static void BM_GetObjectTyped_100k(benchmark::State& state)
{
    ObjectManager& objects = ObjectManager::Instance();
    std::vector<uint32_t> ids;
    for (int i = 0; i < 100000; ++i)
        ids.push_back(objects.CreateObject(i % 2 == 0 ? "Actor" : "Entity")->GetObjectId());
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(objects.GetObject<Actor>(ids[next]));
        next = (next + 7919) % ids.size();
    }
    objects.DestroyAllObjects();
}
BENCHMARK(BM_GetObjectTyped_100k);

static std::string MakeRecordText(int keys)
{
    std::string text = "# generated\nClass = Monster\n";
    for (int i = 0; i < keys; ++i) {
        text += "key" + std::to_string(i) + " = " + std::to_string(i * 3) + ";" +
                std::to_string(i * 0.5) + ";name" + std::to_string(i) + "\n";
    }
    return text;
}

static void BM_LoadTable_Lookup(benchmark::State& state)
{
    LoadTable table;
    table.Parse(MakeRecordText(200), "bench.dbr");
    const char* keys[] = {"key17", "key150", "Class", "absent"};
    size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(table.GetFloat(keys[next & 3], 1.0f));
        ++next;
    }
}
BENCHMARK(BM_LoadTable_Lookup);

static void BM_LoadTable_Parse(benchmark::State& state)
{
    gEngine->SetLogSink([](int, const std::string&) {});
    const std::string text = MakeRecordText(2000);
    for (auto _ : state) {
        LoadTable table;
        table.Parse(text, "bench.dbr");
        benchmark::DoNotOptimize(table.GetKeyCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}
BENCHMARK(BM_LoadTable_Parse);

} // namespace GAME
