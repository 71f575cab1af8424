#include "core/DesignerEquation_Boolean.h"

#include "core/EqOperator.h"

namespace GAME {

bool DesignerEquation_Boolean::IsOperator(char c) const
{
    return c == '&' || c == '|';
}

bool DesignerEquation_Boolean::IsUnaryOperator(char c) const
{
    return c == '!';
}

bool DesignerEquation_Boolean::IsNumeric(char c) const
{
    return c == '0' || c == '1';
}

std::unique_ptr<EqOperator<bool>> DesignerEquation_Boolean::SpawnOperator(char c) const
{
    switch (c) {
    case '&':
        return std::make_unique<EqAnd>();
    case '|':
        return std::make_unique<EqOr>();
    case '1':
        return std::make_unique<EqIdentity<bool>>();
    default:
        return nullptr;
    }
}

std::unique_ptr<EqUnaryOperator<bool>> DesignerEquation_Boolean::SpawnUnaryOperator(char c) const
{
    if (c == '!')
        return std::make_unique<EqNot>();
    return nullptr;
}

std::unique_ptr<EqOperator<bool>> DesignerEquation_Boolean::SpawnConstant(float value) const
{
    return std::make_unique<EqConstant<bool>>(value);
}

} // namespace GAME
