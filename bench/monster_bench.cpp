// The monster's three hot paths, on monsters that follow a living leader:
//
// - 1,000 monsters' frames beyond the character's: Monster::UpdateSelf and
//   Character::UpdateSelf run on the same objects; the difference has a budget of 300 us.
// - The level state of 1,000 monsters saved, then restored into fresh ones: budget 3 ms.
// - One monster's replication record written, read and applied to a copy: budget 10 us.
#include "bench/BenchWorld.h"
#include "characters/Monster.h"
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "multiplayer/SpawnPlayerPacket.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace GAME {

// Reaches the character's own frame on the same object.
class MonsterBenchMonster : public Monster {
    GAME_DECLARE_CLASS(MonsterBenchMonster)

public:
    void CharacterUpdateSelf(int32_t elapsedMs) { Character::UpdateSelf(elapsedMs); }
};

GAME_IMPLEMENT_CLASS(MonsterBenchMonster, Monster);

namespace {

constexpr int kMonsters = 1000;
constexpr int32_t kFrameMs = 33;

// The engine for one benchmark, and the monsters it makes.
class MonsterBench : public Bench::BenchLibrary {
public:
    MonsterBench() { leader = NewMonster(); }

    static MonsterBenchMonster* NewMonster()
    {
        return static_cast<MonsterBenchMonster*>(
            ObjectManager::Instance().CreateObject("MonsterBenchMonster"));
    }

    // Followers of the leader, each with a spawn pool name.
    std::vector<MonsterBenchMonster*> NewFollowers(int count)
    {
        std::vector<MonsterBenchMonster*> monsters;
        for (int i = 0; i < count; ++i) {
            MonsterBenchMonster* monster = NewMonster();
            monster->JoinMe(leader->GetObjectId(), -1, false);
            monster->SetProxyParent("Records/Proxies/Pool" + std::to_string(i % 7) + ".dbr");
            monsters.push_back(monster);
        }
        return monsters;
    }

    MonsterBenchMonster* leader = nullptr;
};

template <bool OnlyCharacter> void MonsterFrame(benchmark::State& state)
{
    MonsterBench bench;
    const std::vector<MonsterBenchMonster*> monsters = bench.NewFollowers(kMonsters);
    for (auto _ : state) {
        for (MonsterBenchMonster* monster : monsters) {
            if constexpr (OnlyCharacter)
                monster->CharacterUpdateSelf(kFrameMs);
            else
                monster->UpdateSelf(kFrameMs);
        }
    }
}

void BM_Monster_CharacterUpdateSelf(benchmark::State& state)
{
    MonsterFrame<true>(state);
}
BENCHMARK(BM_Monster_CharacterUpdateSelf)->Unit(benchmark::kMicrosecond);

void BM_Monster_UpdateSelf(benchmark::State& state)
{
    MonsterFrame<false>(state);
}
BENCHMARK(BM_Monster_UpdateSelf)->Unit(benchmark::kMicrosecond);

void BM_Monster_LevelStateSaveRestore(benchmark::State& state)
{
    MonsterBench bench;
    const std::vector<MonsterBenchMonster*> monsters = bench.NewFollowers(kMonsters);
    std::vector<MonsterBenchMonster*> copies;
    for (int i = 0; i < kMonsters; ++i)
        copies.push_back(MonsterBench::NewMonster());
    size_t bytes = 0;
    for (auto _ : state) {
        BinaryWriter writer = BinaryWriter::ToMemory(64 * kMonsters);
        for (const MonsterBenchMonster* monster : monsters)
            monster->SaveState(writer);
        BinaryReader reader(writer.GetData(), writer.GetPosition());
        for (MonsterBenchMonster* copy : copies)
            copy->RestoreState(reader);
        bytes = writer.GetPosition();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Monster_LevelStateSaveRestore)->Unit(benchmark::kMillisecond);

void BM_Monster_ReplicationRoundTrip(benchmark::State& state)
{
    MonsterBench bench;
    MonsterBenchMonster* source = bench.NewFollowers(1).front();
    MonsterBenchMonster* copy = MonsterBench::NewMonster();
    for (auto _ : state) {
        SpawnPlayerPacket carrier;
        NetPacketOutBuffer out(carrier);
        source->WriteReplicationData(out);
        out.Done();
        const uint8_t* bytes = carrier.GetOutBuffer() + NetPacketHeader::kSize;
        const int size = static_cast<int>(carrier.GetOutBufferSize() - NetPacketHeader::kSize);
        NetPacketInBuffer in(carrier, bytes, size);
        copy->ReadReplicationData(in);
        copy->ApplyReplicationData();
    }
}
BENCHMARK(BM_Monster_ReplicationRoundTrip)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace GAME
