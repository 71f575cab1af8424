#include "core/DesignerEquationLoader.h"
#include "core/DesignerEquation_Algebra.h"
#include "core/DesignerEquation_Boolean.h"
#include "core/EqProgram.h"
#include "core/EquationInterface.h"
#include "core/PlayStats.h"
#include "engine/LoadTable.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

// Answers the names it holds and remembers every name it was asked for, in order.
template <typename T> class Variables final : public EquationInterface<T> {
public:
    Variables(std::initializer_list<std::pair<const std::string, T>> values = {}) : values(values)
    {}

    bool GetDesignerVariable(const char* name, T& value) override
    {
        value = T();
        asked.push_back(name);
        const auto found = values.find(name);
        if (found == values.end())
            return false;
        value = found->second;
        return true;
    }

    std::map<std::string, T> values;
    std::vector<std::string> asked;
};

constexpr float kInf = std::numeric_limits<float>::infinity();

float Eval(const std::string& text, Variables<float>& variables)
{
    DesignerEquation_Algebra equation;
    EXPECT_TRUE(equation.ParseEquation(text.c_str(), &variables)) << text;
    return equation();
}

float Eval(const std::string& text)
{
    Variables<float> none;
    return Eval(text, none);
}

bool Eval(const std::string& text, Variables<bool>& variables)
{
    DesignerEquation_Boolean equation;
    EXPECT_TRUE(equation.ParseEquation(text.c_str(), &variables)) << text;
    return equation();
}

template <typename T, size_t N>
void ExpectValues(Variables<T>& variables, const std::pair<const char*, T> (&cases)[N])
{
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(Eval(text, variables), expected) << text;
}

template <class Equation, typename T> bool Parses(const std::string& text)
{
    Variables<T> none;
    return Equation().ParseEquation(text.c_str(), &none);
}
constexpr auto AlgebraParses = Parses<DesignerEquation_Algebra, float>;
constexpr auto BooleanParses = Parses<DesignerEquation_Boolean, bool>;

std::string Nested(int depth, const std::string& inside)
{
    return std::string(depth, '(') + inside + std::string(depth, ')');
}

TEST(DesignerEquationAlgebra, ComputesEachOperatorInSinglePrecision)
{
    Variables<float> x{{"x", 1.1f}};
    const std::pair<const char*, float> operators[] = {
        {"2*(3+4)", 14.0f},   {"2^3", 8.0f},    {"10/4", 2.5f},
        {"1.5*2", 3.0f},      {"1 + 2", 3.0f},  {"16777216+1", 16777216.0f},
        {"x^2", 1.1f * 1.1f}, {"(0-3)^2", 9.0f}};
    ExpectValues(x, operators);

    LogCapture capture;
    EXPECT_EQ(Eval("1/0"), kInf);
    EXPECT_TRUE(std::isnan(Eval("0/0")));
    EXPECT_TRUE(std::isnan(Eval("(0-1)^0.5")));
    EXPECT_TRUE(capture.GetLines().empty());
}

TEST(DesignerEquationAlgebra, EachBracketLevelHoldsOneOperatorAndIgnoresTheRest)
{
    Variables<float> v{{"a", 10.0f}, {"b", 4.0f}, {"c", 3.0f}, {"d", 100.0f}};
    // A later operand replaces an earlier one: "(a)(b)" is b.
    const std::pair<const char*, float> levels[] = {
        {"7-2-1", 5.0f}, {"a-(b-c)", 9.0f}, {"(a-b-c)", 3.0f}, {"(a-b-c-d)", 3.0f},
        {"(a-b", 6.0f},  {"(a)(b)", 4.0f},  {"(1)2", 2.0f},    {"a2", 2.0f}};
    ExpectValues(v, levels);

    Variables<float> abc{{"a", 1.0f}, {"b", 2.0f}, {"c", 3.0f}};
    const std::pair<const char*, float> precedence[] = {
        {"a+b*c", 3.0f}, {"a+(b*c)", 7.0f}, {"(a+b)*c", 9.0f}};
    ExpectValues(abc, precedence);
    // Providers are asked in reading order.
    abc.asked.clear();
    EXPECT_EQ(Eval("((c^b)-(a/b))+(b*c)", abc), 14.5f);
    EXPECT_EQ(abc.asked, (std::vector<std::string>{"c", "b", "a", "b", "b", "c"}));
}

TEST(DesignerEquationAlgebra, LoneOperandsParseAndMalformedTextFails)
{
    Variables<float> v{{"x", 4.0f}, {"level_up", 7.0f}};
    const std::pair<const char*, float> lone[] = {
        {"5", 5.0f}, {"x", 4.0f}, {"2*(x)", 8.0f}, {"[x]", 4.0f}, {"level_up", 7.0f}};
    ExpectValues(v, lone);
    EXPECT_EQ(Eval(Nested(DesignerEquation<float>::MaxNesting, "x"), v), 4.0f);

    for (const char* text :
         {"", "   ", "()", "1+", "(1+)", "1+()", "-5", "1\t+2", "a&b", "a$b", "(", "+"}) {
        EXPECT_FALSE(AlgebraParses(text)) << text;
    }
    EXPECT_FALSE(DesignerEquation_Algebra().ParseEquation(nullptr, nullptr));
}

TEST(DesignerEquationBoolean, CombinesConditions)
{
    Variables<bool> v{{"a", true}, {"b", false}, {"f", false}, {"x", true}};
    const std::pair<const char*, bool> conditions[] = {
        {"a&!b", true}, {"a&b", false}, {"!(b|f)", true},        {"!(a|f)", false},
        {"!!a", false}, {"x", true},    {"!x", false},           {"(x)", true},
        {"10", true},   {"00", false},  {"(a&b) | (x&!f)", true}};
    ExpectValues(v, conditions);
    EXPECT_FALSE(Eval(std::string(10000, '!') + "x", v));

    for (const char* text : {"", "!", "a&", "&a", "a+b", "2", "0.5", "a\tb", "(!)"})
        EXPECT_FALSE(BooleanParses(text)) << text;
}

TEST(DesignerEquationBoolean, RightSideIsAskedOnlyWhenTheLeftDoesNotDecide)
{
    struct Case {
        const char* text;
        bool a;
        bool result;
        std::vector<std::string> asked;
    };
    const Case cases[] = {{"a|b", true, true, {"a"}},
                          {"a|b", false, true, {"a", "b"}},
                          {"a&b", false, false, {"a"}},
                          {"a&b", true, true, {"a", "b"}}};
    for (const Case& c : cases) {
        Variables<bool> v{{"a", c.a}, {"b", true}};
        EXPECT_EQ(Eval(c.text, v), c.result) << c.text << " a=" << c.a;
        EXPECT_EQ(v.asked, c.asked) << c.text << " a=" << c.a;
    }
}

TEST(DesignerEquation, UnknownNamesLogAtEveryEvaluationAndReadAsZero)
{
    LogCapture capture;
    Variables<float> v{{"hp", 3.0f}};
    DesignerEquation_Algebra algebra;
    ASSERT_TRUE(algebra.ParseEquation("hp+(mana*2)", &v));
    EXPECT_EQ(algebra(), 3.0f);
    EXPECT_EQ(algebra(), 3.0f);
    EXPECT_EQ(capture.Count(1, "Designer variable 'mana' not found in parent"), 2u);

    capture.Clear();
    ASSERT_TRUE(algebra.ParseEquation("hp*2", nullptr));
    EXPECT_EQ(algebra(), 0.0f);
    Variables<bool> none;
    DesignerEquation_Boolean boolean;
    ASSERT_TRUE(boolean.ParseEquation("!locked", &none));
    EXPECT_TRUE(boolean());
    EXPECT_EQ(capture.GetLines(), (std::vector<LogCapture::Line>{
                                      {1, "Designer variable 'hp' not found in parent"},
                                      {1, "Designer variable 'locked' not found in parent"}}));
}

TEST(DesignerEquation, ReparsingReplacesTheTreeAndAFailedParseEvaluatesToZero)
{
    Variables<float> v{{"a", 2.0f}};
    DesignerEquation_Algebra algebra;
    EXPECT_EQ(algebra(), 0.0f);
    for (const auto& [text, parses, value] :
         {std::tuple("a+1", true, 3.0f), std::tuple("a*5", true, 10.0f),
          std::tuple("(a*5)+", false, 0.0f)}) {
        EXPECT_EQ(algebra.ParseEquation(text, &v), parses) << text;
        EXPECT_EQ(algebra(), value) << text;
    }
}

TEST(DesignerEquation, HostileTextFailsOrParsesSafely)
{
    LogCapture capture;
    EXPECT_EQ(Eval(std::string(10000, '9')), kInf);
    EXPECT_EQ(Eval("0." + std::string(10000, '0') + "1"), 0.0f);
    EXPECT_EQ(Eval("1" + std::string(40, '0')), kInf);
    EXPECT_EQ(Eval("340282350000000000000000000000000000000"), std::numeric_limits<float>::max());

    const std::string longName(10000, 'n');
    Variables<float> v{{longName, 6.0f}};
    EXPECT_EQ(Eval(longName + "/2", v), 3.0f);
    EXPECT_EQ(v.asked, std::vector<std::string>{longName});

    EXPECT_FALSE(AlgebraParses(Nested(DesignerEquation<float>::MaxNesting + 1, "1")));
    EXPECT_FALSE(BooleanParses(Nested(100000, "1")));
    EXPECT_FALSE(AlgebraParses(std::string(100000, '(')));
    for (const char* text : {"\xc3\xa9t\xc3\xa9", "a+\xff", "\x80", "a&\xe9"}) {
        EXPECT_FALSE(AlgebraParses(text));
        EXPECT_FALSE(BooleanParses(text));
    }
    EXPECT_TRUE(capture.GetLines().empty());
}

TEST(DesignerEquationLoader, ABrokenFormulaIsLoggedWithItsRecordAndText)
{
    LoadTable record;
    record.Parse("good = 2 * 3\nbroken = (2*5)+\n", "Records/Game/Broken.dbr");
    LogCapture log;

    EXPECT_EQ(LoadDesignerEquation(record, "absent", nullptr, "failed : %s"), nullptr);
    const auto good = LoadDesignerEquation(record, "good", nullptr, "failed : %s");
    ASSERT_NE(good, nullptr);
    EXPECT_FLOAT_EQ((*good)(), 6.0f);

    EXPECT_EQ(LoadDesignerEquation(record, "broken", nullptr, "failed : %s "), nullptr);
    EXPECT_EQ(log.Count(1, "failed : broken "), 1u);
    EXPECT_EQ(log.Count(1, "Records/Game/Broken.dbr: \"broken\" does not parse: (2*5)+"), 1u);
}

// A heap copy exactly as long as the text, so that a read past its end is caught.
std::unique_ptr<char[]> Exact(const std::string& text)
{
    auto copy = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(copy.get(), text.c_str(), text.size() + 1);
    return copy;
}

TEST(EquationInterface, DesignerNamesMatchWholeAndCaseSensitively)
{
    EXPECT_TRUE(IsDesignerName(Exact("lifeRegen").get(), "lifeRegen"));
    EXPECT_TRUE(IsDesignerName(Exact("").get(), ""));
    for (const char* other : {"lifeRegenMod", "lifeRegen ", "lifeRege", "l", "", "LifeRegen",
                              "liferegen", "lifeTotal", "xlifeRegen", "lifeRegen\x80"}) {
        EXPECT_FALSE(IsDesignerName(Exact(other).get(), "lifeRegen")) << other;
    }
    // Bytes above 127 compare as they are.
    EXPECT_TRUE(IsDesignerName(Exact("caf\xc3\xa9").get(), "caf\xc3\xa9"));
    static_assert(IsDesignerName("damageDV", "damageDV") && !IsDesignerName("damage", "damageDV"));
}

// a = 3, b = 4 (true for conditions); every other name reads 0.
template <typename T> Variables<T> TwoNames()
{
    return Variables<T>{{"a", static_cast<T>(3)}, {"b", static_cast<T>(4)}};
}

// A text that closes its top level before any operand leaves nothing to evaluate; a failed
// parse also drops the tree an earlier text built.
template <typename Equation, typename T> void ExpectNoFormula(const char* text)
{
    SCOPED_TRACE(text);
    Variables<T> names = TwoNames<T>();
    Equation equation;
    ASSERT_TRUE(equation.ParseEquation("a", &names));
    EXPECT_FALSE(equation.ParseEquation(text, &names));
    EXPECT_EQ(equation(), T());
}

TEST(DesignerEquationNoTree, ClosingTheTopLevelFirstFailsInBothGrammars)
{
    for (const char* text : {"]3", ")0.5", "]((5+x_y)]*10", ")", "(])", "x(])+1", "]a+b"})
        ExpectNoFormula<DesignerEquation_Algebra, float>(text);
    for (const char* text : {"]!b&lvl", ")", "]a", "(])|a", "!)a"})
        ExpectNoFormula<DesignerEquation_Boolean, bool>(text);
}

TEST(DesignerEquationNoTree, ClosingAfterAnOperandStillParses)
{
    const struct {
        const char* text;
        float value;
    } sums[] = {{"(a+b]", 7.0f}, {"a+b)c", 7.0f}, {"[a*b)-1", 11.0f}, {"x(]a", 3.0f}};
    Variables<float> numbers = TwoNames<float>();
    for (const auto& row : sums) {
        SCOPED_TRACE(row.text);
        DesignerEquation_Algebra equation;
        ASSERT_TRUE(equation.ParseEquation(row.text, &numbers));
        EXPECT_EQ(equation(), row.value);
    }
    Variables<bool> flags = TwoNames<bool>();
    for (const char* text : {"(a&b]", "a&b)c", "[!x|a)"}) {
        SCOPED_TRACE(text);
        DesignerEquation_Boolean condition;
        ASSERT_TRUE(condition.ParseEquation(text, &flags));
        EXPECT_TRUE(condition());
    }
}

class DesignerEquationNoTreeOwner : public EngineFixture {};

TEST_F(DesignerEquationNoTreeOwner, LogsItAsAnyOtherLoadFailure)
{
    PlayStats stats;
    stats.IncrementKills(0, 0);
    LogCapture log;
    for (const char* text : {"]3", "](numberOfKills*10)"}) {
        stats.Load(Record(std::string("scoreEquation = ") + text));
        EXPECT_EQ(stats.GetScore(), 0) << text;
    }
    EXPECT_EQ(log.Count(1, "-=- PlayStats Equation load failure : scoreEquation"), 2u);
}

// Numbers its names in the order given and logs every call: "resolve x", "slot x", "name x".
template <typename T>
class SlotVariables final : public EquationInterface<T>, public DesignerSlots<T> {
public:
    explicit SlotVariables(std::vector<std::pair<std::string, T>> values)
        : values(std::move(values))
    {}

    bool GetDesignerVariable(const char* name, T& value) override
    {
        calls.push_back(std::string("name ") + name);
        const uint32_t slot = Find(name);
        value = slot != DesignerSlots<T>::NoSlot ? values[slot].second : T();
        return slot != DesignerSlots<T>::NoSlot;
    }
    uint32_t ResolveDesignerSlot(const char* name) const override
    {
        calls.push_back(std::string("resolve ") + name);
        return Find(name);
    }
    T ReadDesignerSlot(uint32_t slot) override
    {
        calls.push_back("slot " + values[slot].first);
        return values[slot].second;
    }

    std::vector<std::pair<std::string, T>> values;
    mutable std::vector<std::string> calls;

private:
    uint32_t Find(const char* name) const
    {
        for (uint32_t slot = 0; slot < values.size(); ++slot)
            if (values[slot].first == name)
                return slot;
        return DesignerSlots<T>::NoSlot;
    }
};

// The names a run read, without the kind of call.
std::vector<std::string> ReadNames(const std::vector<std::string>& calls)
{
    std::vector<std::string> names;
    for (const std::string& call : calls)
        names.push_back(call.substr(call.find(' ') + 1));
    return names;
}

TEST(DesignerSlots, SlotsGiveTheValuesAndReadingOrderOfNames)
{
    const char* const formulas[] = {"((a*a)*10)+(a*50)", "(b-(a/(a+c)))",  "(((a+b)*c)/a)", "(c^2)",
                                    "2-(a^b)",           "c+(a-(b*(a+c)))"};
    for (const char* text : formulas) {
        SCOPED_TRACE(text);
        Variables<float> named{{"a", 1.5f}, {"b", 4.0f}, {"c", 2.5f}};
        SlotVariables<float> slotted({{"c", 2.5f}, {"a", 1.5f}, {"b", 4.0f}});
        DesignerEquation_Algebra byName, bySlot;
        ASSERT_TRUE(byName.ParseEquation(text, &named));
        ASSERT_TRUE(bySlot.ParseEquation(text, &slotted));
        slotted.calls.clear();
        EXPECT_EQ(bySlot(), byName());
        EXPECT_EQ(ReadNames(slotted.calls), named.asked);
        for (const std::string& call : slotted.calls)
            EXPECT_EQ(call.rfind("slot ", 0), 0u) << call;
    }
}

TEST(DesignerSlots, ConditionsSkipTheSameSlotsTheirNamesWould)
{
    const std::pair<const char*, std::vector<std::string>> rows[] = {
        {"a&!b", {"slot a", "slot b"}},
        {"b&a", {"slot b"}},
        {"a|b", {"slot a"}},
        {"!(b|a)", {"slot b", "slot a"}},
    };
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE(text);
        SlotVariables<bool> slotted({{"a", true}, {"b", false}});
        DesignerEquation_Boolean condition;
        ASSERT_TRUE(condition.ParseEquation(text, &slotted));
        slotted.calls.clear();
        condition();
        EXPECT_EQ(slotted.calls, expected);
    }
}

TEST(DesignerSlots, NamesResolveOnceAtParseAndUnknownOnesAreStillAskedAndLogged)
{
    LogCapture capture;
    SlotVariables<float> slotted({{"hp", 3.0f}});
    DesignerEquation_Algebra equation;
    ASSERT_TRUE(equation.ParseEquation("hp+(mana*hp)", &slotted));
    EXPECT_EQ(slotted.calls,
              (std::vector<std::string>{"resolve hp", "resolve mana", "resolve hp"}));
    slotted.calls.clear();
    EXPECT_EQ(equation(), 3.0f);
    EXPECT_EQ(equation(), 3.0f);
    EXPECT_EQ(slotted.calls, (std::vector<std::string>{"slot hp", "name mana", "slot hp", "slot hp",
                                                       "name mana", "slot hp"}));
    EXPECT_EQ(capture.Count(1, "Designer variable 'mana' not found in parent"), 2u);
}

TEST(DesignerSlots, ASlotReadsTheCurrentValueOfTheCurrentOwner)
{
    SlotVariables<float> first({{"x", 2.0f}, {"y", 5.0f}});
    DesignerEquation_Algebra equation;
    ASSERT_TRUE(equation.ParseEquation("(x*10)+y", &first));
    EXPECT_EQ(equation(), 25.0f);
    first.values[0].second = 3.0f;
    EXPECT_EQ(equation(), 35.0f);

    // Another owner numbers the same names otherwise: parsing for it drops the old slots.
    SlotVariables<float> second({{"y", 7.0f}, {"z", 0.0f}, {"x", 1.0f}});
    ASSERT_TRUE(equation.ParseEquation("(x*10)+y", &second));
    EXPECT_EQ(equation(), 17.0f);
    Variables<float> named{{"x", 4.0f}, {"y", 1.0f}};
    ASSERT_TRUE(equation.ParseEquation("(x*10)+y", &named));
    EXPECT_EQ(equation(), 41.0f);
}

// Keeps "a", "b" and "c" where a formula may read them without a call; works out "k" and "m"
// at each read and logs it; asks nothing else and logs the name.
class KeptVariables final : public EquationInterface<float>, public DesignerSlots<float> {
public:
    enum : uint32_t { A, B, C, K, M };

    bool GetDesignerVariable(const char* name, float& value) override
    {
        calls.push_back(std::string("name ") + name);
        value = 0.0f;
        return false;
    }
    uint32_t ResolveDesignerSlot(const char* name) const override
    {
        const std::string text = name;
        const char* const names[] = {"a", "b", "c", "k", "m"};
        for (uint32_t slot = A; slot <= M; ++slot)
            if (text == names[slot])
                return slot;
        return NoSlot;
    }
    float ReadDesignerSlot(uint32_t slot) override
    {
        calls.push_back(slot == K ? "slot k" : "slot m");
        return slot == K ? k : m;
    }
    const float* DesignerSlotAddress(uint32_t slot) const override
    {
        return slot < K ? &kept[slot] : nullptr;
    }

    float kept[3] = {1.5f, 4.0f, 2.5f};
    float k = 3.0f, m = 0.7f;
    std::vector<std::string> calls;
};

// The tree of the same text, walked node by node against names.
float Walked(const char* text, std::vector<std::string>& called)
{
    Variables<float> named{{"a", 1.5f}, {"b", 4.0f}, {"c", 2.5f}, {"k", 3.0f}, {"m", 0.7f}};
    DesignerEquation_Algebra builder;
    const char* cursor = text;
    std::unique_ptr<EqOperator<float>> tree;
    EXPECT_TRUE(builder.BuildEquationTree(cursor, tree, &named) && tree);
    const float value = tree ? tree->Evaluate() : 0.0f;
    for (const std::string& name : named.asked) {
        if (name == "k" || name == "m")
            called.push_back("slot " + name);
        else if (name != "a" && name != "b" && name != "c")
            called.push_back("name " + name);
    }
    return value;
}

// Kept values may be read later than the tree reads them, and products by a number followed by
// a sum fold into one step; neither may change a bit of the result nor the order of the calls.
TEST(EqProgramAddress, KeptReadsAndFoldedStepsGiveTheTreesBitsAndCalls)
{
    const char* const formulas[] = {
        "((a*(1+(b*0.01)))*c)", "(a*(b+c))",     "(a-(b*c))",     "(a/(b+c))",     "(a^(c-b))",
        "((b*0.01)+1)",         "(1+(k*0.005))", "(a*(k+(m*2)))", "(c^(a*(k-m)))", "(a+(zz*b))",
        "(a*((b*0.1)+0.3))"};
    LogCapture unknownNames;
    for (const char* text : formulas) {
        SCOPED_TRACE(text);
        KeptVariables kept;
        DesignerEquation_Algebra equation;
        ASSERT_TRUE(equation.ParseEquation(text, &kept));
        std::vector<std::string> expected;
        const float walked = Walked(text, expected);
        EXPECT_EQ(std::bit_cast<uint32_t>(equation()), std::bit_cast<uint32_t>(walked));
        EXPECT_EQ(kept.calls, expected);
    }
}

TEST(EqProgramAddress, AKeptValueIsReadAtEachEvaluationNotCopied)
{
    KeptVariables kept;
    DesignerEquation_Algebra equation;
    ASSERT_TRUE(equation.ParseEquation("(k*(a+(b*0.5)))", &kept));
    EXPECT_EQ(equation(), 3.0f * 3.5f);
    kept.kept[KeptVariables::A] = 2.0f;
    kept.kept[KeptVariables::B] = 8.0f;
    kept.k = 0.5f;
    EXPECT_EQ(equation(), 0.5f * 6.0f);

    // Parsed again for another owner, the formula reads that owner's values and no longer the
    // first one's, which may then go.
    auto other = std::make_unique<KeptVariables>();
    other->kept[KeptVariables::A] = 10.0f;
    ASSERT_TRUE(equation.ParseEquation("(k*(a+(b*0.5)))", other.get()));
    kept.kept[KeptVariables::A] = -100.0f;
    EXPECT_EQ(equation(), 3.0f * 12.0f);
}

// A program holds a fixed stack of pending operands; deeper right nesting must still evaluate
// every operand once, in reading order. The equation fuzzer compares every other shape with the
// tree walk.
TEST(EqProgram, RightNestingPastTheStackStillEvaluatesEveryOperandInOrder)
{
    const int most = static_cast<int>(EqProgram<float>::MaxDepth);
    for (int levels : {most - 1, most, most + 1, most + 2, 100}) {
        std::string text = "a";
        for (int i = 0; i < levels; ++i)
            text = "a-(" + text + ")";
        Variables<float> variables{{"a", 1.0f}};
        DesignerEquation_Algebra equation;
        ASSERT_TRUE(equation.ParseEquation(text.c_str(), &variables)) << levels;
        // a-(a-(a-...)) alternates between 0 and 1.
        EXPECT_EQ(equation(), static_cast<float>((levels + 1) % 2)) << levels;
        EXPECT_EQ(variables.asked.size(), static_cast<size_t>(levels + 1)) << levels;
    }
}

} // namespace
} // namespace GAME::Test
