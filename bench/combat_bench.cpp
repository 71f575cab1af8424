// One hit of one attack: the parameters with their seven draws, a typical item's attributes,
// processing, the defender's resistances and the damage landing. Runs for every hit of every
// character, so it should cost little more than the attributes it allocates. Then a whole melee
// blow through the defender's TakeAttack (budget 3 microseconds; the character adds under 0.1
// over its combat manager), a kill paying a level (budget 5 microseconds) and a frame of damage
// over time for a crowd of a thousand (budget 0.2 milliseconds).
#include "bench/BenchCombatRecord.h"
#include "bench/BenchWorld.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "combat/CombatAttributeDefense.h"
#include "combat/CombatAttributeDefense_AbsorptionProtection.h"
#include "combat/CombatAttributeMod.h"
#include "combat/CombatManager.h"
#include "combat/DurationDamageManager.h"
#include "combat/ParametersCombat.h"
#include "core/GameEvents.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/EquipLocations.h"
#include "items/Item.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"
#include "multiplayer/PlayerNetBasicInfo.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME {

static void AddTypicalItem(CombatAttributeAccumulator& attributes)
{
    attributes.AddDamage(std::make_unique<CombatAttributeDamage_BasePhysical>(
        CombatAttributeType_Physical, 40.0f, 10.0f, true));
    attributes.AddDamage(
        std::make_unique<CombatAttributeAbsDamage>(CombatAttributeType_Fire, 12.0f));
    attributes.AddDamage(
        std::make_unique<CombatAttributeDurDamage>(CombatAttributeType_Poison, 5.0f, 3.0f));
    attributes.AddDamageModifier(
        std::make_unique<CombatAttributeAbsDamageMod>(CombatAttributeType_Fire, 20.0f));
}

static void AddTypicalDefenses(CombatAttributeAccumulator& attributes)
{
    attributes.AddDefense(std::make_unique<CombatAttributeDefense_AbsorptionProtection>(
        70.0f, 30.0f, CombatAttributeRegion_Torso));
    attributes.AddDefense(
        std::make_unique<CombatAttributeAbsDefense>(CombatAttributeType_Fire, 25.0f));
    attributes.AddDefense(
        std::make_unique<CombatAttributeDurDefense>(CombatAttributeType_Poison, 20.0f));
}

static void BM_Combat_BuildAndProcessParameters(benchmark::State& state)
{
    Character attacker;
    RandomUniform random;
    random.Seed(12345);
    for (auto _ : state) {
        ParametersCombat parameters(random);
        AddTypicalItem(parameters.attributes);
        parameters.attributes.ProcessDamage(attacker, 100.0f, 0.0f, 0.0f, 0.0f);
        benchmark::DoNotOptimize(parameters.attributes.GetDamage().size());
    }
}
BENCHMARK(BM_Combat_BuildAndProcessParameters);

// Damage that lands is registered with the hub, so a whole hit needs one.
static void BM_Combat_WholeHitOnADefender(benchmark::State& state)
{
    Bench::BenchLibrary hub;
    Character attacker;
    Character defender;
    // A life deep enough that no run of hits reaches the bottom.
    LoadTable record;
    record.Parse("characterLife = 1000000000\n", "bench.dbr");
    defender.Load(record);
    defender.GetCharacterBio().Update(defender, 0);
    RandomUniform random;
    random.Seed(12345);
    for (auto _ : state) {
        ParametersCombat parameters(random);
        AddTypicalItem(parameters.attributes);
        parameters.attributes.ProcessDamage(attacker, 100.0f, 0.0f, 0.0f, 0.0f);
        AddTypicalDefenses(parameters.attributes);
        parameters.attributes.ProcessDefense(defender, 0.0f, 0.0f, 0.0f, 0.0f);
        parameters.attributes.ExecuteDefense();
        parameters.attributes.ExecuteDamage(defender);
        defender.GetDurationDamageMgr().Clear();
    }
}
BENCHMARK(BM_Combat_WholeHitOnADefender);

namespace {

constexpr const char* kAttacker = "Records/Bench/Hero.dbr";
constexpr const char* kDefender = "Records/Bench/Jackalman.dbr";
constexpr const char* kShield = "Records/Bench/Shield.dbr";
constexpr const char* kWarGear = "Records/Bench/WarGear.dbr";

// A database folder holding a hero, a jackalman with a shield and a set of war gear, the combat
// record with every formula and band, and the effects damage over time switches on; removed
// again afterwards.
class FightRecords : public Bench::BenchRecords {
protected:
    FightRecords()
    {
        std::string packs;
        for (const char* kind : {"cold", "fire", "poison", "bleeding", "lifeLeach"})
            packs += std::string(kind) + "DamageFxPak = Records/Fx/Tint.dbr;Records/Fx/Tint.dbr\n";
        Write("Records/Game/GameEngine.dbr",
              "defaultCombatManagerRecord = Records/Game/CombatManager.dbr\n" + packs);
        Write("Records/Fx/Spark.dbr", "Class = EffectEntity\n");
        Write("Records/Fx/Tint.dbr", "particleEffectNames = Records/Fx/Spark.dbr\n"
                                     "particleEffectAttachPoints = Chest\nuseTintColor = true\n");
        Write("Records/Game/CombatManager.dbr", Bench::kCombatManagerRecord);
        // Lives deep enough that no run of blows reaches the bottom.
        Write(kAttacker, "Class = Player\ncharacterStrength = 50\ncharacterDexterity = 50\n"
                         "characterIntelligence = 50\ncharacterLife = 1000000000\n"
                         "characterMana = 150\ncharacterOffensiveAbility = 350\n"
                         "characterDefensiveAbility = 150\n");
        Write(kDefender, "Class = Monster\ncharacterRacialProfile = Beast\n"
                         "characterStrength = 60\ncharacterLife = 1000000000\n"
                         "characterMana = 40\nhandHitDamageMin = 4\nhandHitDamageMax = 9\n"
                         "characterOffensiveAbility = 100\ncharacterDefensiveAbility = 100\n"
                         "defensivePhysical = 15\ndefensiveFire = 25\ndefensivePoison = 20\n"
                         "defensiveBleeding = 10\n");
        // No recovery, so that every blow draws its block.
        Write(kShield, "Class = WeaponArmor_Shield\ndefensiveBlockChance = 20\n"
                       "defensiveBlock = 40\nblockAbsorption = 30\nblockRecoveryTime = 0\n");
        Write(kWarGear, "setName = WarGear\nretaliationPhysicalChance = 50\n"
                        "retaliationPhysicalMin = 3\nretaliationPhysicalMax = 5\n");
    }
};

// The hub built on the fight records, with the war gear's set loaded.
class FightDatabase : private FightRecords, public Bench::BenchLibrary {
public:
    FightDatabase() : BenchLibrary(Root()) { GameEngine::Get().LoadItemSet(kWarGear); }

    // A record added after the hub was built; read when first asked for.
    void WriteRecord(const std::string& path, const std::string& text) const { Write(path, text); }

    template <typename Kind> Kind* Make(const char* record) const
    {
        Kind* character = ObjectManager::Instance().CreateObjectFromFile<Kind>(record);
        if (character != nullptr)
            character->GetCharacterBio().Update(*character, 0); // pools full
        return character;
    }
};

// The jackalman with its shield in the left hand and a piece of the war gear on.
Monster* MakeDefender(const FightDatabase& database)
{
    Monster* defender = database.Make<Monster>(kDefender);
    auto* shield = ObjectManager::Instance().CreateObjectFromFile<Item>(kShield);
    if (defender == nullptr || shield == nullptr)
        return nullptr;
    defender->GetCombatManager().AttachItemAction(shield->GetObjectId(), EquipLocations_LeftHand);
    defender->AddItemToSet(kWarGear, kWarGear);
    return defender;
}

} // namespace

// A hero's melee blow on a jackalman, as a weapon skill deals it: the parameters and their
// draws, the attacker's bare hands and typical item processed on the attacker's side, then the
// defender's TakeAttack: region, dodge, chance to hit through the formulas and bands, defenses,
// the shield's block, damage now and over time, and a retaliation rolled at even odds. The
// character's own TakeAttack is measured against its combat manager's, which it wraps: the
// difference is what the character adds to every hit.
template <bool throughCharacter> static void MeleeHit(benchmark::State& state)
{
    FightDatabase database;
    Player* attacker = database.Make<Player>(kAttacker);
    Monster* defender = MakeDefender(database);
    if (attacker == nullptr || defender == nullptr) {
        state.SkipWithError("the fighters did not load");
        return;
    }
    RandomUniform random;
    random.Seed(12345);
    int64_t landed = 0;
    for (auto _ : state) {
        ParametersCombat parameters(random);
        parameters.attackerId = attacker->GetObjectId();
        parameters.style = ParametersCombatStyle_Probability;
        parameters.offensiveAbility = attacker->DesignerCalculateOffensiveAbility(0.0f);
        parameters.fumbleChance = attacker->GetFumbleDamage();
        attacker->GetCombatManager().GetHandHitDamage(parameters.attributes);
        AddTypicalItem(parameters.attributes);
        parameters.attributes.ProcessDamage(*attacker, 0.0f, attacker->GetOffensiveReduction(),
                                            attacker->GetTotalDamageReductionPercent(),
                                            attacker->GetTotalDamageReductionAbsolute());
        const bool hit =
            throughCharacter
                ? defender->TakeAttack(parameters)
                : defender->GetCombatManager().TakeAttack(parameters, defender->GetSkillManager(),
                                                          defender->GetCharacterBio());
        landed += hit ? 1 : 0;
    }
    state.counters["landed"] =
        benchmark::Counter(static_cast<double>(landed), benchmark::Counter::kAvgIterations);
}

static void BM_Combat_MeleeHitThroughTakeAttack(benchmark::State& state)
{
    MeleeHit<true>(state);
}
BENCHMARK(BM_Combat_MeleeHitThroughTakeAttack);

static void BM_Combat_MeleeHitThroughCombatManager(benchmark::State& state)
{
    MeleeHit<false>(state);
}
BENCHMARK(BM_Combat_MeleeHitThroughCombatManager);

// A kill in single player: the hero's hit registered, the creature's death event, the reward
// turned into a bonus and shared out, the client's HandleBonus and the hero's TakeBonus, with a
// level gained every time (each level begins 100 later and every kill is worth 100).
static void BM_Combat_KillPaysALevel(benchmark::State& state)
{
    FightDatabase database;
    database.WriteRecord("Records/Bench/Levels.dbr",
                         "experienceLevelEquation = (playerLevel*100)\n"
                         "maxPlayerLevel = 10000\ncharacterModifierPoints = 2\n"
                         "skillModifierPoints = 3\nlifeIncrement = 40\nmanaIncrement = 40\n");
    database.WriteRecord("Records/Bench/LevelHero.dbr",
                         "Class = Player\nlevelFileName = Records/Bench/Levels.dbr\n"
                         "characterLife = 300\ncharacterMana = 150\n");
    database.WriteRecord("Records/Bench/Prey.dbr",
                         "Class = Monster\ncharLevel = 10\nexperiencePoints = 100\n");
    Player* player = database.Make<Player>("Records/Bench/LevelHero.dbr");
    Monster* prey = database.Make<Monster>("Records/Bench/Prey.dbr");
    GameEngine& game = GameEngine::Get();
    PlayerManagerServer* server = game.GetPlayerManagerServer();
    if (player == nullptr || prey == nullptr || server == nullptr) {
        state.SkipWithError("the hero or his prey did not load");
        return;
    }
    game.GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
    PlayerNetBasicInfo record;
    record.playerId = player->GetObjectId();
    server->HandleNewPlayer(record);
    GameEvent_CreatureDeath death;
    death.victimId = prey->GetObjectId();
    death.killerId = player->GetObjectId();
    const uint32_t levelBefore = player->GetCharLevel();
    for (auto _ : state) {
        game.RegisterDamage(death.victimId, death.killerId, 25.0f);
        EventManager::Instance().Send("GameEvent_CreatureDeath", death);
    }
    const uint32_t gained = player->GetCharLevel() - levelBefore;
    if (static_cast<int64_t>(gained) != static_cast<int64_t>(state.iterations()))
        state.SkipWithError("a kill did not pay exactly one level");
}
// Levels stop at 10,000, so the kills are counted out below that.
BENCHMARK(BM_Combat_KillPaysALevel)->Iterations(9000)->Repetitions(5);

// Three attackers' poison, fire and bleeding on one character, as one attack commits them.
static void HitOverTime(Character& character)
{
    static constexpr CombatAttributeType kKinds[] = {
        CombatAttributeType_Poison, CombatAttributeType_Fire, CombatAttributeType_Bleeding};
    DurationDamageManager& overTime = character.GetDurationDamageMgr();
    uint32_t attacker = 0;
    for (const CombatAttributeType kind : kKinds) {
        character.GetCombatManager().SetAttacker(++attacker);
        overTime.AddDamage(kind, 10.0f, 5.0f);
    }
    overTime.EndAttack();
}

// One 33 ms frame of damage over time on a crowd of a thousand jackalmen, each with three
// running tracks whose effects are switched on; a character whose tracks ran out is hit again,
// as in a long fight. Their ticks fall due in different frames.
static void BM_Combat_DamageOverTimeFrame(benchmark::State& state)
{
    FightDatabase database;
    std::vector<Character*> crowd;
    for (int i = 0; i < 1000; ++i) {
        Monster* character = MakeDefender(database);
        if (character == nullptr) {
            state.SkipWithError("the crowd did not load");
            return;
        }
        HitOverTime(*character);
        character->GetDurationDamageMgr().Update(i % 100);
        crowd.push_back(character);
    }
    for (auto _ : state) {
        for (Character* character : crowd) {
            DurationDamageManager& overTime = character->GetDurationDamageMgr();
            overTime.Update(33);
            if (overTime.GetTracks().empty())
                HitOverTime(*character);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(crowd.size()));
}
BENCHMARK(BM_Combat_DamageOverTimeFrame)->Unit(benchmark::kMicrosecond);

} // namespace GAME
