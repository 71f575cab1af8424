#include "core/EqOperator.h"

#include "core/EquationInterface.h"
#include "engine/Engine.h"

#include <cmath>

namespace GAME {

template <typename T> T EqVariable<T>::Evaluate() const
{
    T value = T();
    // Without a provider the name is as unknown as one the provider refuses.
    if (!provider || !provider->GetDesignerVariable(name.c_str(), value))
        ReportUnknown(name.c_str());
    return this->Result(value);
}

template <typename T> void EqVariable<T>::ReportUnknown(const char* name)
{
    gEngine->Log(Engine::LogData, "Designer variable '%s' not found in parent", name);
}

template <typename T> T EqIdentity<T>::Evaluate() const
{
    return this->Result(this->left->Evaluate());
}

// The left operand is always evaluated first, so that providers are asked in reading order.
float EqAdd::Evaluate() const
{
    const float value = left->Evaluate();
    return Result(value + right->Evaluate());
}

float EqSubtract::Evaluate() const
{
    const float value = left->Evaluate();
    return Result(value - right->Evaluate());
}

float EqMultiply::Evaluate() const
{
    const float value = left->Evaluate();
    return Result(value * right->Evaluate());
}

float EqDivide::Evaluate() const
{
    const float value = left->Evaluate();
    return Result(value / right->Evaluate());
}

float EqPower::Evaluate() const
{
    const float base = left->Evaluate();
    return Result(Apply(base, right->Evaluate()));
}

float EqPower::Apply(float base, float exponent)
{
    // Squares are the common curve; the product is the correctly rounded pow(base, 2).
    return exponent == 2.0f ? base * base
                            : static_cast<float>(std::pow(double(base), double(exponent)));
}

bool EqAnd::Evaluate() const
{
    return Result(left->Evaluate() && right->Evaluate());
}
bool EqOr::Evaluate() const
{
    return Result(left->Evaluate() || right->Evaluate());
}

template class EqVariable<float>;
template class EqVariable<bool>;
template class EqIdentity<float>;
template class EqIdentity<bool>;

} // namespace GAME
