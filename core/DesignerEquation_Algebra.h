#pragma once

#include "core/DesignerEquation.h"

namespace GAME {

// Numeric formulas: + - * / ^ on numbers and names. There is no negation: a minus sign always
// joins two operands, so designers write "0-5".
class DesignerEquation_Algebra final : public DesignerEquation<float> {
public:
    bool IsOperator(char c) const override;
    bool IsUnaryOperator(char c) const override;
    bool IsNumeric(char c) const override;
    std::unique_ptr<EqOperator<float>> SpawnOperator(char c) const override;
    std::unique_ptr<EqUnaryOperator<float>> SpawnUnaryOperator(char c) const override;
    std::unique_ptr<EqOperator<float>> SpawnConstant(float value) const override;
};

} // namespace GAME
