// A skill record of ten levels read into a profile (once per record per run), the shared
// profile found again, which every skill made from the record does, and a character's skill
// list through its wire form.
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "game/GameEngine.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "skills/SkillManager.h"
#include "skills/SkillProfile.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace GAME {
namespace {

// Creates the engine for one benchmark with the log silenced, and removes it afterwards.
class QuietEngine {
public:
    QuietEngine() : previous(gEngine->SetLogSink([](int, const std::string&) {}))
    {
        InitializeObjects();
    }
    ~QuietEngine()
    {
        ShutdownObjects();
        gEngine->SetLogSink(previous);
    }

private:
    Engine::LogSink previous;
};

// A record as designers write them: ten levels of damage, costs, times and effects.
constexpr const char* kTenLevels = "skillDisplayName = tagSkillName\n"
                                   "skillBaseDescription = tagSkillDescription\n"
                                   "skillMaxLevel = 10\n"
                                   "skillUltimateLevel = 12\n"
                                   "skillTier = 2\n"
                                   "Sword = 1\nAxe = 1\nMace = 1\n"
                                   "fireDamageQualifier = 1\n"
                                   "skillManaCost = 10;12;14;16;18;20;22;24;26;28\n"
                                   "skillCooldownTime = 8;7.5;7;6.5;6;5.5;5;4.5;4;3.5\n"
                                   "skillTargetRadius = 2;2.2;2.4;2.6;2.8;3;3.2;3.4;3.6;3.8\n"
                                   "skillProjectileName = Records/Proj/Bolt.dbr\n"
                                   "skillProjectileHitTimeToLive = 2.5\n"
                                   "skillProjectileNumber = 3\n"
                                   "offensiveFireMin = 10;15;20;25;30;35;40;45;50;55\n"
                                   "offensiveFireMax = 20;25;30;35;40;45;50;55;60;65\n"
                                   "characterStrength = 5;10;15;20;25;30;35;40;45;50\n"
                                   "defensiveFire = 5;6;7;8;9;10;11;12;13;14\n"
                                   "skillCastSound = Records/Sounds/Cast.dbr\n"
                                   "skillActivatedAuraName = Records/Fx/Aura.dbr\n"
                                   "charFxPakSelfNames = Records/Fx/Self.dbr\n"
                                   "skillLifeBonus = 1;2;3;4;5;6;7;8;9;10\n"
                                   "contagionInterval = 2\n";

void BM_SkillProfile_LoadTenLevels(benchmark::State& state)
{
    QuietEngine engine;
    LoadTable table;
    table.Parse(kTenLevels, "bench.dbr");
    for (auto _ : state) {
        SkillProfile profile;
        profile.LoadProfile(table);
        benchmark::DoNotOptimize(profile.GetUltimateLevel());
    }
}
BENCHMARK(BM_SkillProfile_LoadTenLevels);

void BM_SkillProfile_CacheHit(benchmark::State& state)
{
    QuietEngine engine;
    LoadTable table;
    table.Parse(kTenLevels, "bench.dbr");
    const Name name = Name::Create("Records/Skills/Bench.dbr");
    gGameEngine->LoadSkillResource(name, table);
    for (auto _ : state)
        benchmark::DoNotOptimize(gGameEngine->LoadSkillResource(name, table));
}
BENCHMARK(BM_SkillProfile_CacheHit);

// Forty skills as a replication record carries them, written and read back.
void BM_SkillReplicas_WireRoundTrip(benchmark::State& state)
{
    std::vector<SkillManager::_SkillReplica> skills(40);
    for (size_t i = 0; i < skills.size(); ++i)
        skills[i].skillName = "Records/Skills/Warfare/WarfareSkill" + std::to_string(i) + ".dbr";
    const std::vector<SkillManager::_SkillBuffReplica> buffs;
    std::vector<SkillManager::_SkillReplica> readSkills;
    std::vector<SkillManager::_SkillBuffReplica> readBuffs;
    for (auto _ : state) {
        readSkills.clear();
        readBuffs.clear();
        SpawnPlayerPacket carrier;
        NetPacketOutBuffer out(carrier);
        SkillManager::WriteReplicaLists(out, skills, buffs);
        out.Done();
        NetPacketInBuffer in(carrier, carrier.GetOutBuffer() + NetPacketHeader::kSize,
                             static_cast<int>(carrier.GetOutBufferSize() - NetPacketHeader::kSize));
        benchmark::DoNotOptimize(SkillManager::ReadReplicaLists(in, readSkills, readBuffs));
    }
    state.counters["skills"] = static_cast<double>(readSkills.size());
}
BENCHMARK(BM_SkillReplicas_WireRoundTrip)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace GAME
