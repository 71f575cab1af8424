#include "core/DesignerEquation.h"

#include "core/EqOperator.h"
#include "core/Helpers.h"

#include <charconv>
#include <cstring>
#include <limits>

namespace GAME {

namespace {

template <typename T>
void AttachUnary(EqOperator<T>& operand, std::unique_ptr<EqUnaryOperator<T>>& unary)
{
    if (unary)
        operand.SetUnary(std::move(unary));
}

// Past the range of a double, digits before the point mean infinity and none mean zero, as
// the C library's conversion answers.
double OutOfRangeValue(const char* first, const char* last)
{
    const bool negative = *first == '-';
    for (const char* p = first + (negative ? 1 : 0); p < last && *p != '.'; ++p) {
        if (*p != '0') {
            const double infinity = std::numeric_limits<double>::infinity();
            return negative ? -infinity : infinity;
        }
    }
    return 0.0;
}

float ToFloat(double value)
{
    // Spelled out, as the language leaves a double beyond the float range undefined: from
    // halfway between the largest float and 2^128 on, the nearest float is infinity.
    const double halfway = 0x1.ffffffp127;
    const float infinity = std::numeric_limits<float>::infinity();
    if (value >= halfway)
        return infinity;
    if (value <= -halfway)
        return -infinity;
    const double largest = std::numeric_limits<float>::max();
    return static_cast<float>(Clamp(value, -largest, largest));
}

} // namespace

template <typename T> DesignerEquation<T>::DesignerEquation() = default;

template <typename T> DesignerEquation<T>::~DesignerEquation() = default;

template <typename T> bool DesignerEquation<T>::IsOpenParenthetical(char c) const
{
    return c == '(' || c == '[';
}

template <typename T> bool DesignerEquation<T>::IsClosedParenthetical(char c) const
{
    return c == ')' || c == ']';
}

template <typename T> bool DesignerEquation<T>::IsAlphaCharacter(char c) const
{
    // The "C" locale's letters whatever the process locale is, so that bytes above 127 never
    // become names and a formula means the same on every machine.
    const unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || u == '_';
}

template <typename T>
bool DesignerEquation<T>::ParseEquation(const char* text, EquationInterface<T>* provider)
{
    // A failed parse leaves no half-built tree behind: evaluation then answers T().
    program.Clear();
    root.reset();
    nesting = 0;
    std::string compact;
    if (text) {
        compact.reserve(std::strlen(text));
        for (const char* p = text; *p; ++p) {
            if (*p != ' ')
                compact += *p;
        }
    }
    const char* cursor = compact.c_str();
    std::unique_ptr<EqOperator<T>> tree;
    // A top level that closes before its operand ("]3") builds nothing to evaluate.
    if (!BuildEquationTree(cursor, tree, provider) || !tree)
        return false;
    root = std::move(tree);
    program.Compile(*root);
    return true;
}

template <typename T>
bool DesignerEquation<T>::WrapInIdentity(std::unique_ptr<EqOperator<T>> operand,
                                         std::unique_ptr<EqOperator<T>>& node) const
{
    std::unique_ptr<EqOperator<T>> identity = SpawnOperator('1');
    if (!identity)
        return false;
    identity->SetLeft(std::move(operand));
    node = std::move(identity);
    return true;
}

template <typename T>
typename DesignerEquation<T>::OperandEnd
DesignerEquation<T>::ParseOperand(const char*& cursor, std::unique_ptr<EqOperator<T>>& operand,
                                  std::unique_ptr<EqUnaryOperator<T>>& unary,
                                  EquationInterface<T>* provider)
{
    std::string name;
    while (*cursor) {
        const char c = *cursor;
        if (IsOperator(c))
            return OperandEnd::Stop;
        if (IsOpenParenthetical(c)) {
            if (nesting >= MaxNesting)
                return OperandEnd::Fail;
            ++cursor;
            ++nesting;
            std::unique_ptr<EqOperator<T>> inner;
            const bool parsed = BuildEquationTree(cursor, inner, provider);
            --nesting;
            if (!parsed)
                return OperandEnd::Fail;
            operand = std::move(inner);
        } else if (IsClosedParenthetical(c)) {
            ++cursor;
            return OperandEnd::Close;
        } else if (IsNumeric(c)) {
            operand = SpawnConstant(TokenizeReal(cursor));
        } else if (IsAlphaCharacter(c)) {
            TokenizeString(cursor, name);
            operand = std::make_unique<EqVariable<T>>(provider, name);
        } else if (IsUnaryOperator(c)) {
            unary = SpawnUnaryOperator(c);
            ++cursor;
        } else {
            return OperandEnd::Fail;
        }
    }
    return OperandEnd::Stop;
}

template <typename T>
bool DesignerEquation<T>::BuildEquationTree(const char*& cursor,
                                            std::unique_ptr<EqOperator<T>>& node,
                                            EquationInterface<T>* provider)
{
    node.reset();
    if (!*cursor)
        return false;

    std::unique_ptr<EqOperator<T>> left;
    std::unique_ptr<EqUnaryOperator<T>> unary;
    switch (ParseOperand(cursor, left, unary, provider)) {
    case OperandEnd::Fail:
        return false;
    case OperandEnd::Close:
        // "()" closes an empty level; the enclosing level decides whether that is an error.
        if (!left)
            return true;
        AttachUnary(*left, unary);
        return WrapInIdentity(std::move(left), node);
    case OperandEnd::Stop:
        break;
    }
    if (!left)
        return false;
    AttachUnary(*left, unary);
    if (!*cursor)
        return WrapInIdentity(std::move(left), node);

    std::unique_ptr<EqOperator<T>> binary = SpawnOperator(*cursor);
    if (!binary)
        return false;
    binary->SetLeft(std::move(left));
    ++cursor;
    if (!*cursor)
        return false;

    std::unique_ptr<EqOperator<T>> right;
    if (ParseOperand(cursor, right, unary, provider) == OperandEnd::Fail || !right)
        return false;
    AttachUnary(*right, unary);
    binary->SetRight(std::move(right));
    node = std::move(binary);
    return true;
}

template <typename T> float DesignerEquation<T>::TokenizeReal(const char*& cursor) const
{
    // The token is read in place, so its length has no limit.
    const char* first = cursor;
    while (*cursor && IsNumeric(*cursor) && (*cursor != '-' || cursor == first))
        ++cursor;
    double value = 0.0;
    const std::from_chars_result result = std::from_chars(first, cursor, value);
    if (result.ec == std::errc::result_out_of_range)
        value = OutOfRangeValue(first, cursor);
    else if (result.ec != std::errc())
        value = 0.0;
    return ToFloat(value);
}

template <typename T>
void DesignerEquation<T>::TokenizeString(const char*& cursor, std::string& name) const
{
    const char* first = cursor;
    while (*cursor && IsAlphaCharacter(*cursor))
        ++cursor;
    name.assign(first, cursor);
}

template class DesignerEquation<float>;
template class DesignerEquation<bool>;

} // namespace GAME
