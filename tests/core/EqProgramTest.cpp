#include "core/EqProgram.h"

#include "core/DesignerEquation_Algebra.h"
#include "core/DesignerEquation_Boolean.h"
#include "engine/Engine.h"
#include "tests/core/EquationVariables.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

namespace GAME::Test {
namespace {

// The tree walk as it was before equations were laid out as programs, kept as the reference:
// left before right, every node through its prefix, & and | deciding on their left side.
template <typename T> T Walk(const EqOperator<T>& node)
{
    T value = T();
    const EqKind kind = node.GetKind();
    if (kind == EqKind::Constant) {
        value = static_cast<const EqConstant<T>&>(node).GetValue();
    } else if (kind == EqKind::Variable) {
        const auto& variable = static_cast<const EqVariable<T>&>(node);
        const char* name = variable.GetName().c_str();
        if (!variable.GetProvider() || !variable.GetProvider()->GetDesignerVariable(name, value))
            gEngine->Log(Engine::LogData, "Designer variable '%s' not found in parent", name);
    } else if (kind == EqKind::Identity) {
        value = Walk(*node.GetLeft());
    } else if constexpr (std::is_same_v<T, bool>) {
        const bool left = Walk(*node.GetLeft());
        value =
            kind == EqKind::And ? left && Walk(*node.GetRight()) : left || Walk(*node.GetRight());
    } else {
        const float left = Walk(*node.GetLeft()), right = Walk(*node.GetRight());
        value = kind == EqKind::Add        ? left + right
                : kind == EqKind::Subtract ? left - right
                : kind == EqKind::Multiply ? left * right
                : kind == EqKind::Divide   ? left / right
                : right == 2.0f            ? left * left
                                : static_cast<float>(std::pow(double(left), double(right)));
    }
    return node.GetUnary() ? node.GetUnary()->Apply(value) : value;
}

// Every NaN counts as one: when two NaNs meet, which one an operation passes on depends on the
// operand order the compiler picks, and the tree walk's own builds disagree on it.
uint32_t Bits(float value)
{
    return std::isnan(value) ? 0x7fc00000u : std::bit_cast<uint32_t>(value);
}
uint32_t Bits(bool value)
{
    return value ? 1u : 0u;
}

// Texts drawn from the grammar and a little past it: numbers and names, brackets of both
// shapes, unclosed or nested deeper than a program holds, chains the grammar cuts short,
// repeated operands and prefixes, stray spaces and trailing text.
template <typename T> class FormulaMaker {
public:
    static constexpr bool kBoolean = std::is_same_v<T, bool>;
    static constexpr int kShallow = 5;

    explicit FormulaMaker(uint32_t seed) : random(seed) {}

    std::string Make()
    {
        std::string text;
        maxDepth = Chance(10) ? 45 : kShallow;
        Level(text, 0);
        if (Chance(10))
            text += Chance(50) ? ")x" : "+1";
        return text;
    }

    // A value for each known name; the unknown ones stay out of the table.
    std::map<std::string, T> Values()
    {
        std::map<std::string, T> values;
        for (const char* name : Names()) {
            if (std::string(name) != "missing")
                values[name] = Value();
        }
        return values;
    }

private:
    static std::vector<const char*> Names()
    {
        if constexpr (kBoolean)
            return {"a", "b", "c", "door_open", "missing"};
        return {"a", "b", "c", "level", "x", "missing"};
    }

    T Value()
    {
        if constexpr (kBoolean) {
            return Chance(50);
        } else {
            const float inf = std::numeric_limits<float>::infinity();
            const float pool[] = {
                0.0f,   -0.0f, 1.0f, 2.0f,        3.0f,  0.5f,
                0.1f,   -2.5f, 7.0f, 1e-3f,       1e20f, 3e38f,
                1e-41f, inf,   -inf, 16777217.0f, 12.0f, std::numeric_limits<float>::quiet_NaN()};
            return pool[Below(std::size(pool))];
        }
    }

    static std::vector<const char*> Numbers()
    {
        if constexpr (kBoolean)
            return {"0", "1", "10", "01", "00"};
        return {"0",
                "1",
                "2",
                "2",
                "3",
                "0.5",
                "0.1",
                "2.5",
                "10",
                "100",
                "0.01",
                "16777217",
                "1.2.3",
                ".",
                "1e5",
                "0.00001",
                "1000000000000000000000000000000000000000000",
                "0.0000000000000000000000000000000000000000001"};
    }

    void Level(std::string& text, int depth)
    {
        const int operators = Chance(25) ? 0 : (Chance(85) ? 1 : 2 + static_cast<int>(Below(2)));
        // Deep formulas nest only in their last operand, where pending operands pile up.
        const bool deep = maxDepth > kShallow;
        Operand(text, deep && operators > 0 ? maxDepth : depth);
        for (int i = 0; i < operators; ++i) {
            text += kBoolean ? (Chance(50) ? '&' : '|') : "+-*/^"[Below(5)];
            if (Chance(5))
                text += ' ';
            Operand(text, deep && i + 1 < operators ? maxDepth : depth);
        }
    }

    void Operand(std::string& text, int depth)
    {
        for (int i = kBoolean && Chance(25) ? 1 + static_cast<int>(Below(2)) : 0; i > 0; --i)
            text += '!';
        if (depth < maxDepth && Chance(maxDepth > kShallow ? 90 : 35)) {
            text += Chance(80) ? '(' : '[';
            Level(text, depth + 1);
            if (!Chance(3))
                text += Chance(80) ? ')' : ']';
        } else {
            const auto words = Chance(50) ? Names() : Numbers();
            text += words[Below(words.size())];
        }
        if (Chance(2))
            Operand(text, maxDepth);
    }

    bool Chance(int percent) { return Below(100) < static_cast<uint32_t>(percent); }
    uint32_t Below(size_t count)
    {
        return static_cast<uint32_t>(random() % static_cast<uint32_t>(count));
    }

    std::mt19937 random;
    int maxDepth = kShallow;
};

// Evaluates once under a log capture of its own, handing back the bits and the lines logged.
template <typename Evaluate>
uint32_t Logged(Evaluate evaluate, std::vector<LogCapture::Line>& lines)
{
    LogCapture capture;
    const uint32_t bits = Bits(evaluate());
    lines = capture.GetLines();
    return bits;
}

// Each generated text parsed as the game does and as a bare tree; each parsed one evaluated
// twice with other values, by the equation and by the reference walk. Both must give the same
// bits, ask the same names in the same order and log the same lines.
template <class Equation, typename T> void CompareWithTheWalk(uint32_t seed, int formulas)
{
    FormulaMaker<T> maker(seed);
    int parsed = 0;
    for (int i = 0; i < formulas; ++i) {
        const std::string text = maker.Make();
        Variables<T> ours, reference;
        Equation equation, builder;
        const bool parses = equation.ParseEquation(text.c_str(), &ours);

        std::string compact = text;
        std::erase(compact, ' ');
        const char* cursor = compact.c_str();
        std::unique_ptr<EqOperator<T>> tree;
        ASSERT_EQ(builder.BuildEquationTree(cursor, tree, &reference), parses) << text;
        if (!parses) {
            EXPECT_EQ(Bits(equation()), Bits(T())) << text;
            EXPECT_TRUE(ours.asked.empty()) << text;
            continue;
        }
        ++parsed;
        for (int round = 0; round < 2; ++round) {
            ours.values = reference.values = maker.Values();
            ours.asked.clear();
            reference.asked.clear();
            std::vector<LogCapture::Line> mine, theirs;
            const uint32_t bits = Logged([&] { return equation(); }, mine);
            const uint32_t expected = Logged([&] { return tree ? Walk(*tree) : T(); }, theirs);
            EXPECT_EQ(bits, expected) << text << " round " << round;
            EXPECT_EQ(ours.asked, reference.asked) << text;
            EXPECT_EQ(mine, theirs) << text;
            if (tree) {
                LogCapture quiet;
                EXPECT_EQ(Bits(tree->Evaluate()), expected) << text;
            }
        }
    }
    // The generator must reach the evaluator, not only the parser's refusals.
    EXPECT_GT(parsed, formulas / 2);
}

TEST(EqProgram, AlgebraGivesTheTreeWalksBitsAndQuestions)
{
    CompareWithTheWalk<DesignerEquation_Algebra, float>(24, 4000);
}

TEST(EqProgram, BooleanGivesTheTreeWalksValuesAndQuestions)
{
    CompareWithTheWalk<DesignerEquation_Boolean, bool>(25, 4000);
}

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
