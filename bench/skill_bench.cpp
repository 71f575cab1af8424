// A skill record of ten levels read into a profile (once per record per run), the shared
// profile found again, which every skill made from the record does, and a character's skill
// list through its wire form. Then a character's skills each frame: the manager's own work
// (budget 5 us) and the frame with every skill testing its availability (budget 20 us), one
// skill's mana cost with two modifiers (300 ns) and the combat record of a hit with two
// modifiers and a racial bonus (2 us). Buffs: the damage filter (30 ns), a buff with two
// modifiers created and removed (30 us) and 1,000 characters holding three buffs each, updated
// for a frame (1 ms).
#include "bench/BenchCombatRecord.h"
#include "bench/BenchWorld.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "combat/ParametersCombat.h"
#include "core/GameLog.h"
#include "core/RandomUniform.h"
#include "engine/ABBox.h"
#include "engine/ConnectionManager.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "skills/Skill.h"
#include "skills/SkillBuff.h"
#include "skills/SkillManager.h"
#include "skills/SkillProfile.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
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
    Bench::BenchLibrary engine;
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
    Bench::BenchLibrary engine;
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
constexpr const char* kMeleeHero = "Records/Creatures/PC/MeleeHero.dbr";
constexpr const char* kToughFoe = "Records/Creatures/Monster/ToughFoe.dbr";
constexpr const char* kBlow = "Records/Skills/Melee/Blow.dbr";
constexpr const char* kWard = "Records/Skills/Buffs/Ward.dbr";
constexpr const char* kWardKeen = "Records/Skills/Buffs/WardKeen.dbr";
constexpr const char* kWardHeavy = "Records/Skills/Buffs/WardHeavy.dbr";
constexpr const char* kHaste = "Records/Skills/Buffs/Haste.dbr";
constexpr const char* kVigor = "Records/Skills/Buffs/Vigor.dbr";
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
class SkillDatabase : public Bench::BenchRecords {
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
        // A swordsman whose one skill is a pooled melee blow, and a foe healed after each blow;
        // the combat record makes its blows land.
        Write("Records/Game/GameEngine.dbr",
              "defaultCombatManagerRecord = Records/Game/CombatManager.dbr\n");
        Write("Records/Game/CombatManager.dbr", Bench::kCombatManagerRecord);
        Write(kMeleeHero,
              "Class = Player\ncharacterLife = 300\ncharacterMana = 500\n"
              "defaultTeamMajor = TeamMajor_Human\n"
              "charAnimationTableName = Records/Creatures/PC/BenchAnimations.dbr\n"
              "handHitDamageMin = 8\nhandHitDamageMax = 14\ncharacterOffensiveAbility = 2000\n"
              "skillTree1 = Records/Skills/Melee/Tree.dbr\n");
        Write("Records/Creatures/PC/BenchAnimations.dbr",
              "unarmedAttackAnim1 = Creatures/PC/Male/Animations/Unarmed_Punch.anm\n"
              "unarmedAttackAnimWeight1 = 1\n");
        Write("Records/Skills/Melee/Tree.dbr",
              "skillName1 = Records/Skills/Melee/Blow.dbr\nskillLevel1 = 2\n");
        Write(kBlow, "Class = Skill_WPAttack_BasicAttack\nskillMaxLevel = 3\n"
                     "offensivePhysicalMin = 10;12;14\noffensivePhysicalMax = 20;22;24\n");
        Write(kToughFoe,
              "Class = Monster\ncharacterLife = 100000\ndefaultTeamMajor = TeamMajor_Monster\n");
        // Buffs: a ward (a 30 % cut, then at most 10 a hit) with two modifiers, and two more.
        Write(kWard, "Class = SkillBuff\nskillMaxLevel = 3\ndamageAbsorption = 10;10;10\n"
                     "damageAbsorptionPercent = 30;30;30\nphysicalDamageQualifier = 1\n"
                     "characterStrength = 5;6;7\ndefensiveFire = 10;12;14\n");
        Write(kWardKeen, "Class = Skill_Modifier\nskillMaxLevel = 3\ncharacterDexterity = 1;2;3\n");
        Write(kWardHeavy, "Class = Skill_Modifier\nskillMaxLevel = 3\ndefensiveCold = 4;5;6\n");
        Write(kHaste, "Class = SkillBuff\nskillMaxLevel = 3\ncharacterStrength = 2;3;4\n");
        Write(kVigor, "Class = SkillBuff\nskillMaxLevel = 3\ncharacterLife = 20;30;40\n");
        ObjectManager::Instance().GetDatabase().SetRoot(Root());
    }
    ~SkillDatabase() { ObjectManager::Instance().GetDatabase().SetRoot(""); }

    static std::string CharmRecord(int i)
    {
        return "Records/Skills/Charm" + std::to_string(i) + ".dbr";
    }
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

    Bench::BenchLibrary engine;
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

// Puts a buff on `character` as the replicated command does; a total time of 0 never expires.
void CastBuff(Character& character, const char* buff, const char* mod1 = "", const char* mod2 = "")
{
    character.GetSkillManager().CreateRemoveSkillBuff(0, buff, 2, mod1, 2, mod2, 2, 0, 0, false);
}

// The ward's filter on a qualifying hit: 100 becomes 60. No debug log is attached, as in play.
void BM_SkillBuff_ModifyDamage(benchmark::State& state)
{
    SkillBench bench("ManagerBenchSkill", false);
    if (!bench.Ready(state))
        return;
    CastBuff(*bench.hero, kWard, kWardKeen, kWardHeavy);
    SkillBuff* ward = bench.Manager().GetSkillBuff(kWard);
    if (ward == nullptr) {
        state.SkipWithError("the ward was not made");
        return;
    }
    Engine::LogSink quiet = gEngine->SetLogSink(Engine::LogSink());
    float damage = 100.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(damage);
        benchmark::DoNotOptimize(ward->ModifyDamage(damage, CombatAttributeType_Physical));
    }
    gEngine->SetLogSink(quiet);
    state.counters["result"] = ward->ModifyDamage(100.0f, CombatAttributeType_Physical);
}
BENCHMARK(BM_SkillBuff_ModifyDamage);

// A buff with two modifiers made, installed, then taken down and destroyed.
void BM_SkillBuff_CreateRemoveTwoModifiers(benchmark::State& state)
{
    SkillBench bench("ManagerBenchSkill", false);
    if (!bench.Ready(state))
        return;
    SkillManager& manager = bench.Manager();
    ObjectManager& objects = ObjectManager::Instance();
    for (auto _ : state) {
        CastBuff(*bench.hero, kWard, kWardKeen, kWardHeavy);
        manager.CreateRemoveSkillBuff(0, kWard, 0, "", 0, "", 0, 0, 0, false);
        objects.ProcessDestroyedObjects();
    }
    CastBuff(*bench.hero, kWard, kWardKeen, kWardHeavy);
    state.counters["buffs"] = static_cast<double>(manager.GetSkillBuffCount());
}
BENCHMARK(BM_SkillBuff_CreateRemoveTwoModifiers)->Unit(benchmark::kMicrosecond);

// A crowd's frame: 1,000 characters, each holding three buffs, their managers updated once.
void BM_SkillBuff_ThousandCharactersThreeBuffs(benchmark::State& state)
{
    SkillBench bench("ManagerBenchSkill", false);
    if (!bench.Ready(state))
        return;
    ObjectManager& objects = ObjectManager::Instance();
    std::vector<Character*> crowd;
    crowd.reserve(1000);
    for (int i = 0; i < 1000; ++i) {
        auto* foe = objects.CreateObjectFromFile<Monster>(kBenchFoe);
        if (foe == nullptr) {
            state.SkipWithError("the crowd was not made");
            return;
        }
        foe->SetIsControllingCharacter(true);
        for (const char* buff : {kWard, kHaste, kVigor})
            CastBuff(*foe, buff);
        crowd.push_back(foe);
    }
    for (auto _ : state) {
        for (Character* character : crowd)
            character->GetSkillManager().Update(kFrameMs);
    }
    size_t buffs = 0;
    for (Character* character : crowd)
        buffs += character->GetSkillManager().GetSkillBuffCount();
    state.counters["buffs"] = static_cast<double>(buffs);
}
BENCHMARK(BM_SkillBuff_ThousandCharactersThreeBuffs)->Unit(benchmark::kMillisecond);

// A melee use end to end, as a server runs it: start, "Swipe", "Hit" (the target result sent,
// executed at once and encoded for the peers, one `TakeAttack`), the sent bytes decoded as a
// peer would, then "End".
void BM_SkillActivated_MeleeUseEndToEnd(benchmark::State& state)
{
    SkillBench bench("ManagerBenchSkill", false);
    ObjectManager& objects = ObjectManager::Instance();
    gEngine->SetNetworkMode(true, false);
    gGameEngine->SetAsNetworkServer();
    std::unique_ptr<World> previous = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(1, {0, 0, 0}, ABBox({-20, -10, -20}, {20, 10, 20}));
    auto* hero = objects.CreateObjectFromFile<Player>(kMeleeHero);
    auto* foe = objects.CreateObjectFromFile<Monster>(kToughFoe);
    SkillManager* manager = hero != nullptr ? &hero->GetSkillManager() : nullptr;
    const uint32_t reference =
        manager != nullptr ? manager->GetSkillReferenceNumber(manager->FindSkillId(kBlow)) : 0;
    int64_t sent = 0;
    if (foe == nullptr || manager == nullptr ||
        manager->GetSkill(manager->FindSkillId(kBlow)) == nullptr) {
        state.SkipWithError("the swordsman, his blow or the foe was not made");
    } else {
        world.AddEntity(hero, WorldCoords(1, Coords()), false);
        world.AddEntity(foe, WorldCoords(1, Coords::FromTranslation({0.0f, 0.0f, 1.0f})), false);
        for (Character* character : {static_cast<Character*>(hero), static_cast<Character*>(foe)}) {
            character->InitialUpdate();
            character->GetCharacterBio().Update(*character, 0);
        }
        const float lifeBefore = foe->GetCurrentLife();
        double lifeLost = 0.0;
        hero->SetIsControllingCharacter(true);
        manager->SetAsControllingManager();
        manager->Update(kFrameMs);
        ConnectionManager& connection = gEngine->GetNetworkConnectionManager();
        connection.ClearSentPackets();
        const uint32_t foeId = foe->GetObjectId();
        const WorldVec3 point = foe->GetCoords().GetPosition();
        const Name swipe = Name::Create("Swipe");
        const Name hit = Name::Create("RightHandHit");
        const Name end = Name::Create("End");
        uint32_t seed = 1;
        for (auto _ : state) {
            manager->StartSkill(reference, foeId, point, ++seed);
            manager->HandleSkillAnimationCallback(swipe, reference, foeId, point);
            manager->HandleSkillAnimationCallback(hit, reference, foeId, point);
            for (const ConnectionManager::SentPacket& packet : connection.TakeSentPackets()) {
                sent += ConnectionManager::DecodePacket(packet.bytes) != nullptr ? 1 : 0;
            }
            benchmark::DoNotOptimize(
                manager->HandleSkillAnimationCallback(end, reference, foeId, point));
            const float lost = lifeBefore - foe->GetCurrentLife();
            lifeLost += lost;
            foe->GetCharacterBio().AddLifeFast(lost);
        }
        state.counters["sentPerUse"] =
            static_cast<double>(sent) /
            static_cast<double>(std::max<int64_t>(state.iterations(), 1));
        state.counters["lifeLostPerUse"] =
            lifeLost / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
    }
    for (Character* character : {static_cast<Character*>(hero), static_cast<Character*>(foe)}) {
        if (character != nullptr && character->IsInWorld())
            world.RemoveEntity(character);
    }
    objects.DestroyAllObjects();
    gEngine->GetNetworkConnectionManager().ClearSentPackets();
    gEngine->SetWorld(std::move(previous));
    gEngine->SetNetworkMode(false, false);
}
BENCHMARK(BM_SkillActivated_MeleeUseEndToEnd)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace GAME
