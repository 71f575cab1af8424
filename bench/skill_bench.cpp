// A skill record of ten levels read into a profile (once per record per run), the shared
// profile found again, which every skill made from the record does, and a character's skill
// list through its wire form. Then a character's skills each frame: the manager's own work
// (budget 5 us) and the frame with every skill testing its availability (budget 20 us), one
// skill's mana cost with two modifiers (300 ns) and the combat record of a hit with two
// modifiers and a racial bonus (2 us).
#include "characters/Monster.h"
#include "characters/Player.h"
#include "combat/ParametersCombat.h"
#include "core/GameLog.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "skills/SkillProfile.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace GAME {

// A skill whose own frame is empty, so a frame measures what the manager itself does.
class ManagerBenchSkill : public Skill {
    GAME_DECLARE_CLASS(ManagerBenchSkill)

public:
    void Update(Character& /*owner*/, int32_t /*elapsedMs*/) override {}
};

GAME_IMPLEMENT_CLASS(ManagerBenchSkill, Skill);

// A worn charm: an object whose record is the skill it grants.
class BenchCharm final : public Object {};

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

constexpr const char* kBenchHero = "Records/Creatures/PC/BenchHero.dbr";
constexpr const char* kBenchFoe = "Records/Creatures/Monster/BenchFoe.dbr";
constexpr int32_t kFrameMs = 33;
// 39 tree skills in two trees (a tree holds at most 25) and the default attack are learnt; ten
// tree skills stay at level 0, so 30 are active; two charms grant a skill each. The default
// weapon-pool attack has no record here.
constexpr int kTreeSkills = 39;
constexpr int kFirstTreeSkills = 20;
constexpr int kUnlearnt = 10;
constexpr int kItemSkills = 2;

// Ten levels of the numbers availability and costs read.
constexpr const char* kActivatedSkill = "skillMaxLevel = 10\n"
                                        "Sword = 1\nAxe = 1\nMace = 1\n"
                                        "skillManaCost = 10;12;14;16;18;20;22;24;26;28\n"
                                        "skillCooldownTime = 8;7.5;7;6.5;6;5.5;5;4.5;4;3.5\n"
                                        "offensivePhysicalMin = 10;12;14;16;18;20;22;24;26;28\n"
                                        "offensivePhysicalMax = 20;22;24;26;28;30;32;34;36;38\n";

std::string WithClass(const char* text, const char* className)
{
    return std::string("Class = ") + className + "\n" + text;
}

// A database of one hero with a tree of `skillClass` skills, his default attacks and two charms;
// a foe of another race; and a strike with two modifiers and a racial bonus against that race.
class SkillDatabase {
public:
    SkillDatabase(const char* skillClass, bool withStrike)
    {
        Write(kBenchHero, std::string("Class = Player\ncharacterLife = 300\ncharacterMana = 500\n"
                                      "skillTree1 = Records/Skills/TreeA.dbr\n"
                                      "skillTree2 = Records/Skills/TreeB.dbr\n") +
                              (withStrike ? "skillTree3 = Records/Skills/Strike/Tree.dbr\n" : ""));
        Write(kBenchFoe, "Class = Monster\ncharacterRacialProfile = Beast\ncharacterLife = 300\n");
        std::string trees[2];
        for (int i = 1; i <= kTreeSkills; ++i) {
            const bool first = i <= kFirstTreeSkills;
            const std::string number = std::to_string(first ? i : i - kFirstTreeSkills);
            const std::string skill = "Records/Skills/Skill" + std::to_string(i) + ".dbr";
            trees[first ? 0 : 1] += "skillName" + number + " = " + skill + "\n" + "skillLevel" +
                                    number + " = " + (i <= kUnlearnt ? "0" : "3") + "\n";
            Write(skill, WithClass(kActivatedSkill, skillClass));
        }
        Write("Records/Skills/TreeA.dbr", trees[0]);
        Write("Records/Skills/TreeB.dbr", trees[1]);
        for (int i = 1; i <= kItemSkills; ++i)
            Write(CharmRecord(i), WithClass(kActivatedSkill, skillClass));
        Write("Records/Skills/Default/DefaultWeaponAttack.dbr", "Class = ManagerBenchSkill\n");
        Write(Player::kStubControllerRecord, "Class = ControllerCombat\n");
        Write(Player::kPlayerControllerRecord, "Class = ControllerPlayer\n");
        // The strike's tree: the skill, then its two modifiers.
        Write("Records/Skills/Strike/Tree.dbr",
              "skillName1 = Records/Skills/Strike/Strike.dbr\nskillLevel1 = 2\n"
              "skillName2 = Records/Skills/Strike/Keen.dbr\nskillLevel2 = 2\n"
              "skillName3 = Records/Skills/Strike/Heavy.dbr\nskillLevel3 = 2\n");
        Write("Records/Skills/Strike/Strike.dbr",
              WithClass(kActivatedSkill, "SkillActivated") +
                  "racialBonusRace = Beast\nracialBonusPercentDamage = 10;10;10\n");
        Write("Records/Skills/Strike/Keen.dbr",
              "Class = Skill_Modifier\nskillMaxLevel = 3\nskillManaCost = -2;-3;-4\n"
              "offensivePhysicalMin = 3;4;5\noffensivePhysicalMax = 6;7;8\n");
        Write("Records/Skills/Strike/Heavy.dbr",
              "Class = Skill_Modifier\nskillMaxLevel = 3\nskillManaCost = 1;2;3\n"
              "skillCooldownTime = 1;1;1\noffensiveFireMin = 5;6;7\n");
        ObjectManager::Instance().GetDatabase().SetRoot(folder.GetRoot());
    }
    ~SkillDatabase() { ObjectManager::Instance().GetDatabase().SetRoot(""); }
    SkillDatabase(const SkillDatabase&) = delete;
    SkillDatabase& operator=(const SkillDatabase&) = delete;

    static std::string CharmRecord(int i)
    {
        return "Records/Skills/Charm" + std::to_string(i) + ".dbr";
    }

private:
    void Write(const std::string& path, const std::string& text) { folder.WriteFile(path, text); }

    Test::TempDatabase folder;
};

// The hero and the foe of one benchmark, made from the database and destroyed with it.
class SkillBench {
public:
    SkillBench(const char* skillClass, bool withStrike) : database(skillClass, withStrike)
    {
        ObjectManager& objects = ObjectManager::Instance();
        hero = objects.CreateObjectFromFile<Player>(kBenchHero);
        foe = objects.CreateObjectFromFile<Monster>(kBenchFoe);
        if (hero == nullptr || foe == nullptr)
            return;
        hero->SetIsControllingCharacter(true);
        for (int i = 1; i <= kItemSkills; ++i) {
            auto* charm = new BenchCharm();
            objects.RegisterObject(charm);
            charm->SetObjectName(SkillDatabase::CharmRecord(i));
            hero->GetSkillManager().AddItemSkill(charm->GetObjectId(), 3);
        }
        hero->GetSkillManager().Update(kFrameMs);
    }
    ~SkillBench() { ObjectManager::Instance().DestroyAllObjects(); }
    SkillBench(const SkillBench&) = delete;
    SkillBench& operator=(const SkillBench&) = delete;

    bool Ready(benchmark::State& state) const
    {
        if (hero != nullptr && foe != nullptr)
            return true;
        state.SkipWithError("the bench characters were not made");
        return false;
    }
    SkillManager& Manager() const { return hero->GetSkillManager(); }
    Skill* Strike() const
    {
        return Manager().GetSkill(Manager().FindSkillId("Records/Skills/Strike/Strike.dbr"));
    }

    QuietEngine engine;
    SkillDatabase database;
    Player* hero = nullptr;
    Monster* foe = nullptr;
};

void CountSkills(benchmark::State& state, const SkillManager& manager)
{
    size_t learned = 0;
    while (manager.GetSkillIdFromReference(static_cast<uint32_t>(learned)) != 0)
        ++learned;
    state.counters["learned"] = static_cast<double>(learned);
    state.counters["active"] = static_cast<double>(manager.GetActiveList().size());
    size_t items = 0;
    while (manager.GetSkillIdFromReference(SkillManager::kItemReferenceBase +
                                           static_cast<uint32_t>(items)) != 0)
        ++items;
    state.counters["items"] = static_cast<double>(items);
}

// The manager's own frame: its skills' updates are empty.
void BM_SkillManager_Frame(benchmark::State& state)
{
    SkillBench bench("ManagerBenchSkill", false);
    if (!bench.Ready(state))
        return;
    SkillManager& manager = bench.Manager();
    for (auto _ : state)
        manager.Update(kFrameMs);
    CountSkills(state, manager);
}
BENCHMARK(BM_SkillManager_Frame);

// The same frame with activated skills, each testing its availability on the controlling
// machine.
void BM_SkillManager_FrameWithAvailability(benchmark::State& state)
{
    SkillBench bench("SkillActivated", false);
    if (!bench.Ready(state))
        return;
    SkillManager& manager = bench.Manager();
    for (auto _ : state)
        manager.Update(kFrameMs);
    CountSkills(state, manager);
}
BENCHMARK(BM_SkillManager_FrameWithAvailability);

void BM_Skill_ManaCostTwoModifiers(benchmark::State& state)
{
    SkillBench bench("ManagerBenchSkill", true);
    if (!bench.Ready(state))
        return;
    Skill* strike = bench.Strike();
    if (strike == nullptr || strike->GetModifiers().size() != 2) {
        state.SkipWithError("the strike lacks its two modifiers");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(strike->GetManaCost());
    state.counters["cost"] = strike->GetManaCost();
}
BENCHMARK(BM_Skill_ManaCostTwoModifiers);

void BM_Skill_CombatParametersTwoModifiersRacial(benchmark::State& state)
{
    SkillBench bench("ManagerBenchSkill", true);
    if (!bench.Ready(state))
        return;
    Skill* strike = bench.Strike();
    if (strike == nullptr || strike->GetModifiers().size() != 2) {
        state.SkipWithError("the strike lacks its two modifiers");
        return;
    }
    RandomUniform random;
    random.Seed(7);
    // One hit with the combat trace on shows the racial bonus was found; the loop runs without.
    int racialLines = 0;
    const uint32_t previousWord = gLogCombat;
    gLogCombat = 1;
    gEngine->SetLogCategories(gLogCombat);
    Engine::LogSink quiet = gEngine->SetLogSink([&racialLines](int, const std::string& line) {
        racialLines += line.rfind("^bRacial", 0) == 0 ? 1 : 0;
    });
    {
        ParametersCombat parameters(random);
        strike->CollectCombatParameters(*bench.hero, bench.foe, ParametersCombatStyle_Probability,
                                        false, 0, parameters, 0.0f);
    }
    gEngine->SetLogSink(quiet);
    gEngine->SetLogCategories(0);
    gLogCombat = previousWord;
    state.counters["racialLines"] = racialLines;
    for (auto _ : state) {
        ParametersCombat parameters(random);
        strike->CollectCombatParameters(*bench.hero, bench.foe, ParametersCombatStyle_Probability,
                                        false, 0, parameters, 0.0f);
        benchmark::DoNotOptimize(parameters);
    }
}
BENCHMARK(BM_Skill_CombatParametersTwoModifiersRacial);

} // namespace
} // namespace GAME
