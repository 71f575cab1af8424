#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

namespace GAME {

template <typename T> class EquationInterface;

// What a node computes, so that a parsed tree can be laid out as a compact program. A tree
// holding a node or prefix of another kind is evaluated by walking it.
enum class EqKind : uint8_t {
    Other,
    Constant,
    Variable,
    Identity,
    Add,
    Subtract,
    Multiply,
    Divide,
    Power,
    And,
    Or,
};
enum class EqUnaryKind : uint8_t { Other, Not };

// A prefix operator folded into the node it precedes, such as the '!' of "!a".
template <typename T> class EqUnaryOperator {
public:
    explicit EqUnaryOperator(EqUnaryKind kind = EqUnaryKind::Other) : kind(kind) {}
    virtual ~EqUnaryOperator() = default;
    virtual T Apply(T value) const = 0;

    EqUnaryKind GetKind() const { return kind; }

private:
    EqUnaryKind kind;
};

// A node of a parsed designer equation. Which operands a node uses depends on its kind: binary
// nodes both, the identity node the left one, constants and variables none.
template <typename T> class EqOperator {
public:
    explicit EqOperator(EqKind kind = EqKind::Other) : kind(kind) {}
    virtual ~EqOperator() = default;
    EqOperator(const EqOperator&) = delete;
    EqOperator& operator=(const EqOperator&) = delete;

    virtual T Evaluate() const = 0;

    void SetUnary(std::unique_ptr<EqUnaryOperator<T>> value) { unary = std::move(value); }
    void SetLeft(std::unique_ptr<EqOperator<T>> value) { left = std::move(value); }
    void SetRight(std::unique_ptr<EqOperator<T>> value) { right = std::move(value); }

    EqKind GetKind() const { return kind; }
    const EqUnaryOperator<T>* GetUnary() const { return unary.get(); }
    const EqOperator* GetLeft() const { return left.get(); }
    const EqOperator* GetRight() const { return right.get(); }

protected:
    T Result(T value) const { return unary ? unary->Apply(value) : value; }

    std::unique_ptr<EqUnaryOperator<T>> unary;
    std::unique_ptr<EqOperator<T>> left;
    std::unique_ptr<EqOperator<T>> right;

private:
    EqKind kind;
};

template <typename T> class EqConstant final : public EqOperator<T> {
public:
    // Conditions read a number as true unless it is within 0.00001 of zero.
    explicit EqConstant(float number) : EqOperator<T>(EqKind::Constant)
    {
        if constexpr (std::is_same_v<T, bool>)
            value = number >= 0.00001f || number <= -0.00001f;
        else
            value = static_cast<T>(number);
    }
    T Evaluate() const override { return this->Result(value); }

    T GetValue() const { return value; }

private:
    T value;
};

// Asks the provider at every evaluation, so the formula follows the owner's current state.
template <typename T> class EqVariable final : public EqOperator<T> {
public:
    EqVariable(EquationInterface<T>* provider, std::string name)
        : EqOperator<T>(EqKind::Variable), provider(provider), name(std::move(name))
    {}
    T Evaluate() const override;

    EquationInterface<T>* GetProvider() const { return provider; }
    const std::string& GetName() const { return name; }

    // The level-1 line for a name the provider does not know; compiled equations log it too.
    static void ReportUnknown(const char* name);

private:
    EquationInterface<T>* provider;
    std::string name;
};

template <typename T> class EqIdentity final : public EqOperator<T> {
public:
    EqIdentity() : EqOperator<T>(EqKind::Identity) {}
    T Evaluate() const override;
};

class EqAdd final : public EqOperator<float> {
public:
    EqAdd() : EqOperator(EqKind::Add) {}
    float Evaluate() const override;
};

class EqSubtract final : public EqOperator<float> {
public:
    EqSubtract() : EqOperator(EqKind::Subtract) {}
    float Evaluate() const override;
};

// No test for a zero divisor: designers get the IEEE infinity or NaN.
class EqDivide final : public EqOperator<float> {
public:
    EqDivide() : EqOperator(EqKind::Divide) {}
    float Evaluate() const override;
};

class EqMultiply final : public EqOperator<float> {
public:
    EqMultiply() : EqOperator(EqKind::Multiply) {}
    float Evaluate() const override;
};

class EqPower final : public EqOperator<float> {
public:
    EqPower() : EqOperator(EqKind::Power) {}
    float Evaluate() const override;

    // Shared with compiled equations, so that both give the same bits.
    static float Apply(float base, float exponent);
};

class EqAnd final : public EqOperator<bool> {
public:
    EqAnd() : EqOperator(EqKind::And) {}
    bool Evaluate() const override;
};

class EqOr final : public EqOperator<bool> {
public:
    EqOr() : EqOperator(EqKind::Or) {}
    bool Evaluate() const override;
};

class EqNot final : public EqUnaryOperator<bool> {
public:
    EqNot() : EqUnaryOperator(EqUnaryKind::Not) {}
    bool Apply(bool value) const override { return !value; }
};

extern template class EqVariable<float>;
extern template class EqVariable<bool>;
extern template class EqIdentity<float>;
extern template class EqIdentity<bool>;

} // namespace GAME
