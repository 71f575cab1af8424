#pragma once

#include "core/DesignerEquation.h"

namespace GAME {

// Conditions: & | and a prefix ! on names, the digits 0 and 1, and bracketed conditions.
// & and | skip their right side once the left decides.
class DesignerEquation_Boolean final : public DesignerEquation<bool> {
public:
    bool IsOperator(char c) const override;
    bool IsUnaryOperator(char c) const override;
    bool IsNumeric(char c) const override;
    std::unique_ptr<EqOperator<bool>> SpawnOperator(char c) const override;
    std::unique_ptr<EqUnaryOperator<bool>> SpawnUnaryOperator(char c) const override;
    std::unique_ptr<EqOperator<bool>> SpawnConstant(float value) const override;
};

} // namespace GAME
