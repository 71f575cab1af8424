#include "core/DesignerEquation_Algebra.h"
#include "core/DesignerEquation_Boolean.h"
#include "tests/core/EquationVariables.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

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
        value = T();
        const uint32_t slot = Find(name);
        if (slot != DesignerSlots<T>::NoSlot)
            value = values[slot].second;
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
        for (uint32_t slot = 0; slot < values.size(); ++slot) {
            if (values[slot].first == name)
                return slot;
        }
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

} // namespace
} // namespace GAME::Test
