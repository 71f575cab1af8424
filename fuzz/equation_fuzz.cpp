// Designer formulas come from records: any text must parse or fail without undefined behaviour,
// and whatever parses must evaluate. The first byte picks the grammar.
#include "core/DesignerEquation_Algebra.h"
#include "core/DesignerEquation_Boolean.h"
#include "core/EquationInterface.h"
#include "engine/Engine.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

// Knows a few names and refuses the rest, so both answers are exercised.
template <typename T> class FuzzVariables final : public GAME::EquationInterface<T> {
public:
    bool GetDesignerVariable(const char* name, T& value) override
    {
        value = T();
        if (std::strcmp(name, "a") == 0)
            value = static_cast<T>(2);
        else if (std::strcmp(name, "b") == 0)
            value = static_cast<T>(0);
        else if (std::strcmp(name, "level") == 0)
            value = static_cast<T>(7.5f);
        else
            return false;
        return true;
    }
};

template <typename Equation, typename T> void ParseAndEvaluate(const std::string& text)
{
    FuzzVariables<T> variables;
    Equation equation;
    equation.ParseEquation(text.c_str(), &variables);
    volatile T result = equation();
    (void)result;
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
