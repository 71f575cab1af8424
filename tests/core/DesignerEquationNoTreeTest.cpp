#include "core/DesignerEquation_Algebra.h"
#include "core/DesignerEquation_Boolean.h"
#include "core/PlayStats.h"
#include "tests/core/EquationVariables.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

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

} // namespace
} // namespace GAME::Test
