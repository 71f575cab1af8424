#include "core/DesignerEquation_Algebra.h"
#include "tests/core/EquationVariables.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

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
        for (uint32_t slot = A; slot <= M; ++slot) {
            if (text == names[slot])
                return slot;
        }
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

} // namespace
} // namespace GAME::Test
