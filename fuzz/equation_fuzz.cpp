// Designer formulas come from records: any text must parse or fail without undefined behaviour,
// and whatever parses must evaluate, to the bits of the tree's own walk with the same names
// asked in the same order. The first byte picks the grammar.
#include "core/DesignerEquation_Algebra.h"
#include "core/DesignerEquation_Boolean.h"
#include "core/EquationInterface.h"
#include "engine/Engine.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace {

// Knows a few names and refuses the rest, so both answers are exercised; compiled formulas
// read "level" where it is kept and the other known ones by slot, the tree's walk all by name,
// and both must make the same calls; a formula too deep to compile is walked and asks for
// "level" too, so that name is left out of the comparison.
template <typename T>
class FuzzVariables final : public GAME::EquationInterface<T>, public GAME::DesignerSlots<T> {
public:
    bool GetDesignerVariable(const char* name, T& value) override
    {
        value = T();
        const uint32_t slot = ResolveDesignerSlot(name);
        if (slot == GAME::DesignerSlots<T>::NoSlot) {
            asked.emplace_back(name);
            return false;
        }
        value = ReadDesignerSlot(slot);
        return true;
    }
    uint32_t ResolveDesignerSlot(const char* name) const override
    {
        for (uint32_t slot = 0; slot < std::size(kNames); ++slot) {
            if (std::strcmp(name, kNames[slot]) == 0)
                return slot;
        }
        return GAME::DesignerSlots<T>::NoSlot;
    }
    T ReadDesignerSlot(uint32_t slot) override
    {
        asked.emplace_back(kNames[slot]);
        return static_cast<T>(kValues[slot]);
    }
    const T* DesignerSlotAddress(uint32_t slot) const override
    {
        return slot == kKept ? &kept : nullptr;
    }
    std::vector<std::string> AskedByCall() const
    {
        std::vector<std::string> called;
        for (const std::string& name : asked) {
            if (name != kNames[kKept])
                called.push_back(name);
        }
        return called;
    }

    std::vector<std::string> asked;

private:
    static constexpr const char* kNames[] = {"a", "b", "level"};
    static constexpr float kValues[] = {2.0f, 0.0f, 7.5f};
    static constexpr uint32_t kKept = 2;
    const T kept = static_cast<T>(kValues[kKept]);
};

// NaNs count as one: which of two NaNs an operation passes on is the compiler's choice.
template <typename T> bool SameValue(T a, T b)
{
    if constexpr (std::is_same_v<T, float>) {
        if (std::isnan(a) || std::isnan(b))
            return std::isnan(a) && std::isnan(b);
        return std::memcmp(&a, &b, sizeof(a)) == 0;
    } else {
        return a == b;
    }
}

template <typename Equation, typename T> void ParseAndEvaluate(const std::string& text)
{
    FuzzVariables<T> variables;
    Equation equation;
    const bool parsed = equation.ParseEquation(text.c_str(), &variables);
    const T result = equation();

    // The same text as a bare tree, walked node by node.
    std::string compact;
    for (char c : text) {
        if (c != ' ')
            compact += c;
    }
    FuzzVariables<T> reference;
    Equation builder;
    const char* cursor = compact.c_str();
    std::unique_ptr<GAME::EqOperator<T>> tree;
    // A text that builds no tree is no formula.
    const bool built = builder.BuildEquationTree(cursor, tree, &reference) && tree;
    if (built != parsed)
        __builtin_trap();
    const T walked = parsed ? tree->Evaluate() : T();
    if (!SameValue(result, walked) || variables.AskedByCall() != reference.AskedByCall())
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = [] {
        GAME::gEngine->SetLogSink([](int, const std::string&) {});
        return true;
    }();
    (void)quiet;
    if (size == 0)
        return 0;

    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 1)
        ParseAndEvaluate<GAME::DesignerEquation_Boolean, bool>(text);
    else
        ParseAndEvaluate<GAME::DesignerEquation_Algebra, float>(text);
    return 0;
}
