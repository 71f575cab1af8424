#include "core/EqProgram.h"

#include "core/DesignerEquation_Algebra.h"
#include "tests/core/EquationVariables.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

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
