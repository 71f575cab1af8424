#include "core/DesignerEquation_Algebra.h"

#include "core/EqOperator.h"

namespace GAME {

bool DesignerEquation_Algebra::IsOperator(char c) const
{
    return c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}

bool DesignerEquation_Algebra::IsUnaryOperator(char) const
{
    return false;
}

bool DesignerEquation_Algebra::IsNumeric(char c) const
{
    return (c >= '0' && c <= '9') || c == '.' || c == '-';
}

std::unique_ptr<EqOperator<float>> DesignerEquation_Algebra::SpawnOperator(char c) const
{
    switch (c) {
    case '+':
        return std::make_unique<EqAdd>();
    case '-':
        return std::make_unique<EqSubtract>();
    case '*':
        return std::make_unique<EqMultiply>();
    case '/':
        return std::make_unique<EqDivide>();
    case '^':
        return std::make_unique<EqPower>();
    case '1':
        // The parser wraps lone operands in '1'; without it "5" or "x" would not parse.
        return std::make_unique<EqIdentity<float>>();
    default:
        return nullptr;
    }
}

std::unique_ptr<EqUnaryOperator<float>> DesignerEquation_Algebra::SpawnUnaryOperator(char) const
{
    return nullptr;
}

std::unique_ptr<EqOperator<float>> DesignerEquation_Algebra::SpawnConstant(float value) const
{
    return std::make_unique<EqConstant<float>>(value);
}

} // namespace GAME
