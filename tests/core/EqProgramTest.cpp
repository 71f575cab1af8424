#include "core/EqProgram.h"

#include "core/DesignerEquation_Algebra.h"
#include "core/DesignerEquation_Boolean.h"
#include "core/EquationInterface.h"
#include "engine/Engine.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace GAME {
namespace {

using GAME::Test::LogCapture;

// Answers from a table that the test changes between evaluations, and remembers every name.
template <typename T> class Recorder final : public EquationInterface<T> {
public:
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

// The tree walk as it was before equations were laid out as programs, kept as the reference:
// left before right, every node through its prefix, & and | deciding on their left side.
template <typename T> T Walk(const EqOperator<T>& node)
{
    T value = T();
    switch (node.GetKind()) {
    case EqKind::Constant:
        value = static_cast<const EqConstant<T>&>(node).GetValue();
        break;
    case EqKind::Variable: {
        const auto& variable = static_cast<const EqVariable<T>&>(node);
        if (!variable.GetProvider() ||
            !variable.GetProvider()->GetDesignerVariable(variable.GetName().c_str(), value))
            gEngine->Log(Engine::LogData, "Designer variable '%s' not found in parent",
                         variable.GetName().c_str());
        break;
    }
    case EqKind::Identity:
        value = Walk(*node.GetLeft());
        break;
    default:
        if constexpr (std::is_same_v<T, bool>) {
            const bool left = Walk(*node.GetLeft());
            if (node.GetKind() == EqKind::And)
                value = left && Walk(*node.GetRight());
            else
                value = left || Walk(*node.GetRight());
        } else {
            const float left = Walk(*node.GetLeft());
            const float right = Walk(*node.GetRight());
            switch (node.GetKind()) {
            case EqKind::Add:
                value = left + right;
                break;
            case EqKind::Subtract:
                value = left - right;
                break;
            case EqKind::Multiply:
                value = left * right;
                break;
            case EqKind::Divide:
                value = left / right;
                break;
            default:
                value = right == 2.0f ? left * left
                                      : static_cast<float>(std::pow(double(left), double(right)));
                break;
            }
        }
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
        else
            return {"a", "b", "c", "level", "x", "missing"};
    }

    T Value()
    {
        if constexpr (kBoolean) {
            return Chance(50);
        } else {
            const float inf = std::numeric_limits<float>::infinity();
            const float nan = std::numeric_limits<float>::quiet_NaN();
            const float pool[] = {0.0f,  -0.0f, 1.0f,  2.0f,   3.0f, 0.5f, 0.1f,        -2.5f, 7.0f,
                                  1e-3f, 1e20f, 3e38f, 1e-41f, inf,  -inf, 16777217.0f, 12.0f, nan};
            return pool[Below(sizeof(pool) / sizeof(pool[0]))];
        }
    }

    static std::vector<const char*> Numbers()
    {
        if constexpr (kBoolean) {
            return {"0", "1", "10", "01", "00"};
        } else {
            const char* const huge = "1000000000000000000000000000000000000000000";
            const char* const tiny = "0.0000000000000000000000000000000000000000001";
            return {"0",   "1",    "2",        "2",     "3", "0.5", "0.1",     "2.5", "10",
                    "100", "0.01", "16777217", "1.2.3", ".", "1e5", "0.00001", huge,  tiny};
        }
    }

    void Level(std::string& text, int depth)
    {
        const int operators = Chance(25) ? 0 : (Chance(85) ? 1 : 2 + static_cast<int>(Below(2)));
        // Deep formulas nest only in their last operand, where pending operands pile up.
        const bool deep = maxDepth > kShallow;
        Operand(text, deep && operators > 0 ? maxDepth : depth);
        for (int i = 0; i < operators; ++i) {
            text += Operator();
            if (Chance(5))
                text += ' ';
            Operand(text, deep && i + 1 < operators ? maxDepth : depth);
        }
    }

    void Operand(std::string& text, int depth)
    {
        if (kBoolean) {
            for (int i = Chance(25) ? 1 + static_cast<int>(Below(2)) : 0; i > 0; --i)
                text += '!';
        }
        if (depth < maxDepth && Chance(maxDepth > kShallow ? 90 : 35)) {
            text += Chance(80) ? '(' : '[';
            Level(text, depth + 1);
            if (!Chance(3))
                text += Chance(80) ? ')' : ']';
        } else if (Chance(50)) {
            const auto names = Names();
            text += names[Below(names.size())];
        } else {
            const auto numbers = Numbers();
            text += numbers[Below(numbers.size())];
        }
        if (Chance(2))
            Operand(text, maxDepth);
    }

    char Operator()
    {
        if constexpr (kBoolean)
            return Chance(50) ? '&' : '|';
        else
            return "+-*/^"[Below(5)];
    }

    bool Chance(int percent) { return Below(100) < static_cast<uint32_t>(percent); }
    uint32_t Below(size_t count)
    {
        return static_cast<uint32_t>(random() % static_cast<uint32_t>(count));
    }

    std::mt19937 random;
    int maxDepth = kShallow;
};

struct Evaluation {
    uint32_t bits;
    std::vector<std::string> asked;
    std::vector<LogCapture::Line> lines;
};

// Each generated text parsed as the game does and as a bare tree; each parsed one evaluated
// twice with other values, by the equation and by the reference walk. Both must give the same
// bits, ask the same names in the same order and log the same lines.
template <class Equation, typename T> void CompareWithTheWalk(uint32_t seed, int formulas)
{
    FormulaMaker<T> maker(seed);
    int parsed = 0;
    for (int i = 0; i < formulas; ++i) {
        const std::string text = maker.Make();
        Recorder<T> ours, reference;
        Equation equation;
        Equation builder;
        const bool parses = equation.ParseEquation(text.c_str(), &ours);

        std::string compact;
        for (char c : text) {
            if (c != ' ')
                compact += c;
        }
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
            Evaluation mine, theirs;
            {
                LogCapture capture;
                mine.bits = Bits(equation());
                mine.lines = capture.GetLines();
            }
            {
                LogCapture capture;
                theirs.bits = Bits(tree ? Walk(*tree) : T());
                theirs.lines = capture.GetLines();
            }
            EXPECT_EQ(mine.bits, theirs.bits) << text << " round " << round;
            EXPECT_EQ(ours.asked, reference.asked) << text;
            EXPECT_EQ(mine.lines, theirs.lines) << text;
            if (tree) {
                reference.asked.clear();
                LogCapture quiet;
                EXPECT_EQ(Bits(tree->Evaluate()), theirs.bits) << text;
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
        Recorder<float> variables;
        variables.values = {{"a", 1.0f}};
        DesignerEquation_Algebra equation;
        ASSERT_TRUE(equation.ParseEquation(text.c_str(), &variables)) << levels;
        // a-(a-(a-...)) alternates between 0 and 1.
        EXPECT_EQ(equation(), static_cast<float>((levels + 1) % 2)) << levels;
        EXPECT_EQ(variables.asked.size(), static_cast<size_t>(levels + 1)) << levels;
    }
}

} // namespace
} // namespace GAME
