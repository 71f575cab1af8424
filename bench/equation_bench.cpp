// Designer formulas are evaluated on every stat query: how far is our tree walk from a general
// expression library's compiled form, and from plain C++? Each formula is fully bracketed so
// that our grammar and the peer's agree; "Lambda" is the same formula written in C++. The
// "Game" benchmarks run the game's own providers, a character's bio and combat manager, on the
// formulas of their records.
#include "bench/BenchWorld.h"
#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "combat/CombatManager.h"
#include "core/DesignerEquation_Algebra.h"
#include "core/EquationInterface.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#ifdef GAME_HAVE_MUPARSER
#include <muParser.h>
#endif

namespace GAME {
namespace {

// Stands in for a game object: its stats answered by name, one string compare after another.
struct BenchCharacter final : public EquationInterface<float> {
    float level = 12.0f;
    float damage = 140.0f;
    float armor = 75.0f;
    float a = 3.0f;
    float b = 4.0f;
    float c = 2.5f;
    float d = 1.5f;
    float x = 1.7f;

    bool GetDesignerVariable(const char* name, float& value) override
    {
        value = 0.0f;
        if (std::strcmp(name, "level") == 0)
            value = level;
        else if (std::strcmp(name, "damage") == 0)
            value = damage;
        else if (std::strcmp(name, "armor") == 0)
            value = armor;
        else if (std::strcmp(name, "a") == 0)
            value = a;
        else if (std::strcmp(name, "b") == 0)
            value = b;
        else if (std::strcmp(name, "c") == 0)
            value = c;
        else if (std::strcmp(name, "d") == 0)
            value = d;
        else if (std::strcmp(name, "x") == 0)
            value = x;
        else
            return false;
        return true;
    }
};

// Answers every name at once: what remains is the cost of the tree walk itself.
struct ConstantProvider final : public EquationInterface<float> {
    bool GetDesignerVariable(const char*, float& value) override
    {
        value = 3.0f;
        return true;
    }
};

struct Formula {
    const char* name;
    const char* text;
    // A captureless lambda, called through a pointer as a game would call a stat formula.
    float (*native)(const BenchCharacter&);
};

const std::vector<Formula>& Formulas()
{
    using C = const BenchCharacter&;
    static const std::vector<Formula> formulas = {
        {"experience", "((level*level)*10)+(level*50)",
         [](C o) { return ((o.level * o.level) * 10.0f) + (o.level * 50.0f); }},
        {"combat", "((damage*(1-(armor/(armor+100)))))",
         [](C o) { return o.damage * (1.0f - (o.armor / (o.armor + 100.0f))); }},
        {"regen", "(((a+b)*c)/d)", [](C o) { return ((o.a + o.b) * o.c) / o.d; }},
        {"power", "(x^2)", [](C o) { return std::pow(o.x, 2.0f); }},
        {"chain", "(((((((a+b)+c)+d)*2)-level)+(x*3))/4)",
         [](C o) {
             return (((((o.a + o.b) + o.c) + o.d) * 2.0f - o.level) + (o.x * 3.0f)) / 4.0f;
         }},
    };
    return formulas;
}

using Clock = std::chrono::steady_clock;

template <typename Evaluate> double NanosecondsPerCall(int64_t calls, Evaluate&& evaluate)
{
    const Clock::time_point start = Clock::now();
    for (int64_t i = 0; i < calls; ++i)
        benchmark::DoNotOptimize(evaluate());
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() /
           static_cast<double>(calls);
}

void BM_Evaluate_Ours(benchmark::State& state)
{
    const Formula& formula = Formulas()[state.range(0)];
    BenchCharacter character;
    DesignerEquation_Algebra equation;
    if (!equation.ParseEquation(formula.text, &character)) {
        state.SkipWithError("formula does not parse");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(equation());
    state.SetLabel(formula.name);
}

void BM_Evaluate_OursWalk(benchmark::State& state)
{
    const Formula& formula = Formulas()[state.range(0)];
    ConstantProvider provider;
    DesignerEquation_Algebra equation;
    if (!equation.ParseEquation(formula.text, &provider)) {
        state.SkipWithError("formula does not parse");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(equation());
    state.SetLabel(formula.name);
}

void BM_Evaluate_Lambda(benchmark::State& state)
{
    const Formula& formula = Formulas()[state.range(0)];
    BenchCharacter character;
    const auto native = formula.native;
    for (auto _ : state) {
        // The stats may change between two queries: read them again every time.
        benchmark::DoNotOptimize(&character);
        benchmark::ClobberMemory();
        benchmark::DoNotOptimize(native(character));
    }
    state.SetLabel(formula.name);
}

#ifdef GAME_HAVE_MUPARSER
// The peer binds its variables to doubles once; it has no name look-up at evaluation.
struct MuParserSide {
    double level = 12.0, damage = 140.0, armor = 75.0, a = 3.0, b = 4.0, c = 2.5, d = 1.5, x = 1.7;
    mu::Parser parser;

    bool Setup(const char* text)
    {
        try {
            parser.DefineVar("level", &level);
            parser.DefineVar("damage", &damage);
            parser.DefineVar("armor", &armor);
            parser.DefineVar("a", &a);
            parser.DefineVar("b", &b);
            parser.DefineVar("c", &c);
            parser.DefineVar("d", &d);
            parser.DefineVar("x", &x);
            parser.SetExpr(text);
            parser.Eval();
            return true;
        } catch (const mu::Parser::exception_type&) {
            return false;
        }
    }
};

void BM_Evaluate_MuParser(benchmark::State& state)
{
    const Formula& formula = Formulas()[state.range(0)];
    MuParserSide side;
    if (!side.Setup(formula.text)) {
        state.SkipWithError("muparser rejects the formula");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(side.parser.Eval());
    state.SetLabel(formula.name);
}

// Times the sides in turns over the same number of calls and keeps each side's best round, so
// that the ratios survive other work on the machine. "walk" is our tree with a provider that
// answers without comparing names.
void BM_Evaluate_Ratio(benchmark::State& state)
{
    const Formula& formula = Formulas()[state.range(0)];
    BenchCharacter character;
    ConstantProvider constant;
    DesignerEquation_Algebra equation;
    DesignerEquation_Algebra walk;
    MuParserSide side;
    if (!equation.ParseEquation(formula.text, &character) ||
        !walk.ParseEquation(formula.text, &constant) || !side.Setup(formula.text)) {
        state.SkipWithError("formula does not parse");
        return;
    }
    if (std::abs(equation() - side.parser.Eval()) > 1e-3 * std::abs(side.parser.Eval())) {
        state.SkipWithError("the two sides disagree");
        return;
    }
    const int64_t calls = 500000;
    const double unset = std::numeric_limits<double>::max();
    double ours = unset, bare = unset, peer = unset, native = unset;
    for (auto _ : state) {
        for (int round = 0; round < 7; ++round) {
            ours = std::min(ours, NanosecondsPerCall(calls, [&] { return equation(); }));
            bare = std::min(bare, NanosecondsPerCall(calls, [&] { return walk(); }));
            peer = std::min(peer, NanosecondsPerCall(calls, [&] { return side.parser.Eval(); }));
            native = std::min(native, NanosecondsPerCall(calls, [&] {
                                  benchmark::DoNotOptimize(&character);
                                  benchmark::ClobberMemory();
                                  return formula.native(character);
                              }));
        }
    }
    state.counters["ours_ns"] = ours;
    state.counters["walk_ns"] = bare;
    state.counters["muparser_ns"] = peer;
    state.counters["lambda_ns"] = native;
    state.counters["ours/muparser"] = ours / peer;
    state.counters["walk/muparser"] = bare / peer;
    state.counters["ours/lambda"] = ours / native;
    state.SetLabel(formula.name);
}
#endif

// The records the game's providers load their formulas from, in a folder of their own that is
// removed again afterwards.
class FormulaRecords {
public:
    static constexpr const char* kCombatRecord = "Records/Game/CombatEquations.dbr";

protected:
    FormulaRecords()
    {
        folder.WriteFile(CharacterBio::kRegenRecord,
                         "lifeRegenEquation = ((lifeRegen*(1+(lifeRegenMod*0.01)))*elapsedTime)\n"
                         "manaRegenEquation = (((manaRegen*(1+(manaRegenMod*0.01)))"
                         "+(intelligence*0.002))*elapsedTime)\n");
        folder.WriteFile(kCombatRecord,
                         "physicalDamageEquation = (physicalDamageDV*(1+(strengthDV*0.005)))\n"
                         "pierceDamageEquation = (pierceDamageDV*(1+(dexterityDV*0.004)))\n"
                         "elementalDamageEquation = ((elementalDamageDV*(1+(intelligenceDV*0.01)))"
                         "+characterLevelDV)\n");
    }

    Test::TempDatabase folder;
};

// The hub runs over them, as the providers expect; the bare character's missing sounds and
// animations log, which is not what is measured.
class GameRecords : public FormulaRecords, public Bench::BenchLibrary {
public:
    GameRecords() : BenchLibrary(folder.GetRoot()) {}
};

// A loaded character: its numbers from its record, its bio with the regeneration formulas and
// its combat manager with the damage formulas of the combat record the character names.
struct GameSide {
    static constexpr float kRegen = 2.0f, kRegenMod = 15.0f, kSeconds = 0.033f;
    static constexpr float kDamage = 140.0f;

    Character* character = nullptr;

    bool Setup()
    {
        character = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
        if (character == nullptr)
            return false;
        LoadTable record;
        record.Parse(std::string("characterLife = 300\ncharacterMana = 200\n"
                                 "characterStrength = 55\ncharacterDexterity = 40\n"
                                 "characterIntelligence = 62\ncharLevel = 14\n"
                                 "combatManagerRecord = ") +
                         GameRecords::kCombatRecord + "\n",
                     "bench.dbr");
        character->Load(record);
        Bio().InitialUpdate(*character);
        return Bio().GetAttribute(CharAttribute_Intelligence) == 62.0f;
    }

    CharacterBio& Bio() { return character->GetCharacterBio(); }
    CombatManager& Combat() { return character->GetCombatManager(); }
    // What the providers answer for a name, for the peer to bind.
    double Variable(const char* name)
    {
        float value = 0.0f;
        if (!Bio().GetDesignerVariable(name, value))
            Combat().GetDesignerVariable(name, value);
        return value;
    }
};

struct GameFormula {
    const char* name;
    // The peer's text: the record's formula.
    const char* text;
    float (*ours)(GameSide&);
};

const std::vector<GameFormula>& GameFormulas()
{
    using S = GameSide;
    static const std::vector<GameFormula> formulas = {
        {"lifeRegen", "((lifeRegen*(1+(lifeRegenMod*0.01)))*elapsedTime)",
         [](S& s) { return s.Bio().GetLifeRegenValue(S::kRegen, S::kRegenMod, S::kSeconds); }},
        {"manaRegen", "(((manaRegen*(1+(manaRegenMod*0.01)))+(intelligence*0.002))*elapsedTime)",
         [](S& s) { return s.Bio().GetManaRegenValue(S::kRegen, S::kRegenMod, S::kSeconds); }},
        {"physicalDamage", "(physicalDamageDV*(1+(strengthDV*0.005)))",
         [](S& s) { return s.Combat().DesignerCalculatePhysicalDamage(S::kDamage); }},
        {"pierceDamage", "(pierceDamageDV*(1+(dexterityDV*0.004)))",
         [](S& s) { return s.Combat().DesignerCalculatePierceDamage(S::kDamage); }},
        {"elementalDamage", "((elementalDamageDV*(1+(intelligenceDV*0.01)))+characterLevelDV)",
         [](S& s) { return s.Combat().DesignerCalculateElementalDamage(S::kDamage); }},
    };
    return formulas;
}

void BM_Game_Ours(benchmark::State& state)
{
    const GameFormula& formula = GameFormulas()[state.range(0)];
    GameRecords records;
    GameSide side;
    if (!side.Setup()) {
        state.SkipWithError("the character does not load");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(formula.ours(side));
    state.SetLabel(formula.name);
}

#ifdef GAME_HAVE_MUPARSER
// The peer bound to doubles of the same names and values; each call sets the inputs the game's
// call passes, as the game's provider stores them before it evaluates.
struct MuParserGameSide {
    double lifeRegen = 0, lifeRegenMod = 0, manaRegen = 0, manaRegenMod = 0, elapsedTime = 0;
    double physicalDamageDV = 0, pierceDamageDV = 0, elementalDamageDV = 0;
    double intelligence = 0, strengthDV = 0, dexterityDV = 0, intelligenceDV = 0;
    double characterLevelDV = 0;
    mu::Parser parser;

    bool Setup(const char* text, GameSide& game)
    {
        const std::pair<const char*, double*> variables[] = {
            {"lifeRegen", &lifeRegen},
            {"lifeRegenMod", &lifeRegenMod},
            {"manaRegen", &manaRegen},
            {"manaRegenMod", &manaRegenMod},
            {"elapsedTime", &elapsedTime},
            {"intelligence", &intelligence},
            {"physicalDamageDV", &physicalDamageDV},
            {"pierceDamageDV", &pierceDamageDV},
            {"elementalDamageDV", &elementalDamageDV},
            {"strengthDV", &strengthDV},
            {"dexterityDV", &dexterityDV},
            {"intelligenceDV", &intelligenceDV},
            {"characterLevelDV", &characterLevelDV},
        };
        try {
            for (const auto& [name, variable] : variables) {
                *variable = game.Variable(name);
                parser.DefineVar(name, variable);
            }
            parser.SetExpr(text);
            parser.Eval();
            return true;
        } catch (const mu::Parser::exception_type&) {
            return false;
        }
    }

    double Eval()
    {
        lifeRegen = manaRegen = GameSide::kRegen;
        lifeRegenMod = manaRegenMod = GameSide::kRegenMod;
        elapsedTime = GameSide::kSeconds;
        physicalDamageDV = pierceDamageDV = elementalDamageDV = GameSide::kDamage;
        benchmark::ClobberMemory();
        return parser.Eval();
    }
};

void BM_Game_MuParser(benchmark::State& state)
{
    const GameFormula& formula = GameFormulas()[state.range(0)];
    GameRecords records;
    GameSide game;
    MuParserGameSide side;
    if (!game.Setup() || !side.Setup(formula.text, game)) {
        state.SkipWithError("formula does not load");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(side.Eval());
    state.SetLabel(formula.name);
}

// The two sides timed in turns, as in BM_Evaluate_Ratio.
void BM_Game_Ratio(benchmark::State& state)
{
    const GameFormula& formula = GameFormulas()[state.range(0)];
    GameRecords records;
    GameSide game;
    MuParserGameSide peer;
    if (!game.Setup() || !peer.Setup(formula.text, game)) {
        state.SkipWithError("formula does not load");
        return;
    }
    const double expected = peer.Eval();
    if (std::abs(formula.ours(game) - expected) > 1e-3 * std::abs(expected)) {
        state.SkipWithError("the two sides disagree");
        return;
    }
    const int64_t calls = 500000;
    double ours = std::numeric_limits<double>::max(), theirs = ours;
    for (auto _ : state) {
        for (int round = 0; round < 7; ++round) {
            ours = std::min(ours, NanosecondsPerCall(calls, [&] { return formula.ours(game); }));
            theirs = std::min(theirs, NanosecondsPerCall(calls, [&] { return peer.Eval(); }));
        }
    }
    state.counters["ours_ns"] = ours;
    state.counters["muparser_ns"] = theirs;
    state.counters["ours/muparser"] = ours / theirs;
    state.SetLabel(formula.name);
}
#endif

std::vector<std::string> ThousandFormulas()
{
    std::vector<std::string> texts;
    for (int i = 0; texts.size() < 1000; ++i) {
        const std::string n = std::to_string(i);
        texts.push_back("((level*level)*" + n + ")+(level*50)");
        texts.push_back("((damage*(1-(armor/(armor+" + n + ")))))");
        texts.push_back("(((a+b)*c)/" + n + ".5)");
        texts.push_back("(x^" + n + ")");
        texts.push_back("(((((((a+b)+c)+d)*2)-level)+(x*" + n + "))/4)");
    }
    texts.resize(1000);
    return texts;
}

void BM_Parse1000_Ours(benchmark::State& state)
{
    const std::vector<std::string> texts = ThousandFormulas();
    BenchCharacter character;
    DesignerEquation_Algebra equation;
    for (auto _ : state) {
        for (const std::string& text : texts)
            benchmark::DoNotOptimize(equation.ParseEquation(text.c_str(), &character));
    }
}

#ifdef GAME_HAVE_MUPARSER
// The peer compiles on the first evaluation, so that is part of its parse.
void BM_Parse1000_MuParser(benchmark::State& state)
{
    const std::vector<std::string> texts = ThousandFormulas();
    MuParserSide side;
    if (!side.Setup("1")) {
        state.SkipWithError("muparser setup failed");
        return;
    }
    for (auto _ : state) {
        for (const std::string& text : texts) {
            side.parser.SetExpr(text);
            benchmark::DoNotOptimize(side.parser.Eval());
        }
    }
}
#endif

void FormulaArguments(benchmark::internal::Benchmark* benchmark)
{
    for (size_t i = 0; i < Formulas().size(); ++i)
        benchmark->Arg(static_cast<int64_t>(i));
}

void GameFormulaArguments(benchmark::internal::Benchmark* benchmark)
{
    for (size_t i = 0; i < GameFormulas().size(); ++i)
        benchmark->Arg(static_cast<int64_t>(i));
}

BENCHMARK(BM_Evaluate_Ours)->Apply(FormulaArguments);
BENCHMARK(BM_Evaluate_OursWalk)->Apply(FormulaArguments);
#ifdef GAME_HAVE_MUPARSER
BENCHMARK(BM_Evaluate_MuParser)->Apply(FormulaArguments);
#endif
BENCHMARK(BM_Evaluate_Lambda)->Apply(FormulaArguments);
#ifdef GAME_HAVE_MUPARSER
BENCHMARK(BM_Evaluate_Ratio)->Apply(FormulaArguments)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif
BENCHMARK(BM_Game_Ours)->Apply(GameFormulaArguments);
#ifdef GAME_HAVE_MUPARSER
BENCHMARK(BM_Game_MuParser)->Apply(GameFormulaArguments);
BENCHMARK(BM_Game_Ratio)->Apply(GameFormulaArguments)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif
BENCHMARK(BM_Parse1000_Ours)->Unit(benchmark::kMicrosecond);
#ifdef GAME_HAVE_MUPARSER
BENCHMARK(BM_Parse1000_MuParser)->Unit(benchmark::kMicrosecond);
#endif

} // namespace
} // namespace GAME
