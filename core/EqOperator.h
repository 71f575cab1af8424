#pragma once

#include <memory>
#include <string>
#include <type_traits>

namespace GAME {

template <typename T> class EquationInterface;

// A prefix operator folded into the node it precedes, such as the '!' of "!a".
template <typename T> class EqUnaryOperator {
public:
    virtual ~EqUnaryOperator() = default;
    virtual T Apply(T value) const = 0;
};

// A node of a parsed designer equation. Which operands a node uses depends on its kind: binary
// nodes both, the identity node the left one, constants and variables none.
template <typename T> class EqOperator {
public:
    EqOperator() = default;
    virtual ~EqOperator() = default;
    EqOperator(const EqOperator&) = delete;
    EqOperator& operator=(const EqOperator&) = delete;

    virtual T Evaluate() const = 0;

    void SetUnary(std::unique_ptr<EqUnaryOperator<T>> value) { unary = std::move(value); }
    void SetLeft(std::unique_ptr<EqOperator<T>> value) { left = std::move(value); }
    void SetRight(std::unique_ptr<EqOperator<T>> value) { right = std::move(value); }

protected:
    T Result(T value) const { return unary ? unary->Apply(value) : value; }

    std::unique_ptr<EqUnaryOperator<T>> unary;
    std::unique_ptr<EqOperator<T>> left;
    std::unique_ptr<EqOperator<T>> right;
};

template <typename T> class EqConstant final : public EqOperator<T> {
public:
    // Conditions read a number as true unless it is within 0.00001 of zero.
    explicit EqConstant(float number)
    {
        if constexpr (std::is_same_v<T, bool>)
            value = number >= 0.00001f || number <= -0.00001f;
        else
            value = static_cast<T>(number);
    }
    T Evaluate() const override { return this->Result(value); }

private:
    T value;
};

// Asks the provider at every evaluation, so the formula follows the owner's current state.
template <typename T> class EqVariable final : public EqOperator<T> {
public:
    EqVariable(EquationInterface<T>* provider, std::string name)
        : provider(provider), name(std::move(name))
    {}
    T Evaluate() const override;

private:
    EquationInterface<T>* provider;
    std::string name;
};

template <typename T> class EqIdentity final : public EqOperator<T> {
public:
    T Evaluate() const override;
};

class EqAdd final : public EqOperator<float> {
public:
    float Evaluate() const override;
};

class EqSubtract final : public EqOperator<float> {
public:
    float Evaluate() const override;
};

// No test for a zero divisor: designers get the IEEE infinity or NaN.
class EqDivide final : public EqOperator<float> {
public:
    float Evaluate() const override;
};

class EqMultiply final : public EqOperator<float> {
public:
    float Evaluate() const override;
};

class EqPower final : public EqOperator<float> {
public:
    float Evaluate() const override;
};

class EqAnd final : public EqOperator<bool> {
public:
    bool Evaluate() const override;
};

class EqOr final : public EqOperator<bool> {
public:
    bool Evaluate() const override;
};

class EqNot final : public EqUnaryOperator<bool> {
public:
    bool Apply(bool value) const override { return !value; }
};

extern template class EqVariable<float>;
extern template class EqVariable<bool>;
extern template class EqIdentity<float>;
extern template class EqIdentity<bool>;

} // namespace GAME
