// One hit of one attack: the parameters with their seven draws, a typical item's attributes,
// processing, the defender's resistances and the damage landing. Runs for every hit of every
// character, so it should cost little more than the attributes it allocates.
#include "characters/Character.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "combat/CombatAttributeDefense.h"
#include "combat/CombatAttributeDefense_AbsorptionProtection.h"
#include "combat/CombatAttributeMod.h"
#include "combat/DurationDamageManager.h"
#include "combat/ParametersCombat.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"

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

// Damage that lands is registered with the hub, so a whole hit needs one; the log is silenced.
class QuietHub {
public:
    QuietHub() : previous(gEngine->SetLogSink([](int, const std::string&) {}))
    {
        InitializeObjects();
    }
    ~QuietHub()
    {
        ShutdownObjects();
        gEngine->SetLogSink(previous);
    }

private:
    Engine::LogSink previous;
};

static void BM_Combat_WholeHitOnADefender(benchmark::State& state)
{
    QuietHub hub;
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

// One 33 ms frame of damage over time on a crowd of a thousand characters, each with three
// running tracks; a character whose tracks ran out is hit again, as in a long fight. Their ticks
// fall due in different frames.
static void BM_Combat_DamageOverTimeFrame(benchmark::State& state)
{
    QuietHub hub;
    LoadTable record;
    record.Parse("characterLife = 1000000000", "crowd.dbr");
    std::vector<Character*> crowd;
    for (int i = 0; i < 1000; ++i) {
        auto* character =
            static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
        character->Load(record);
        character->GetCharacterBio().Update(*character, 0);
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
