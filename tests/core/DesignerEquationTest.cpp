#include "core/DesignerEquationLoader.h"
#include "core/DesignerEquation_Algebra.h"
#include "core/DesignerEquation_Boolean.h"
#include "engine/LoadTable.h"
#include "tests/core/EquationVariables.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace GAME::Test {
namespace {

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

} // namespace
} // namespace GAME::Test
