#include "core/EqProgram.h"

#include "core/Helpers.h"

#include <iterator>
#include <type_traits>

namespace GAME {

template <typename T> void EqProgram<T>::Clear()
{
    code.clear();
    provider = nullptr;
    slots = nullptr;
}

template <typename T> bool EqProgram<T>::Compile(const EqOperator<T>& root)
{
    Clear();
    Shape shape{};
    // A run starts by loading the leftmost operand without looking up its handler.
    if (!Emit(root, shape) || shape.depth > MaxDepth ||
        (code.front().op != Op::Load && code.front().op != Op::LoadVariable)) {
        Clear();
        return false;
    }
    Append(Op::End);
    return true;
}

template <typename T> void EqProgram<T>::AppendNumber(Op op, T number)
{
    Instruction instruction{op, Source::Name, DesignerSlots<T>::NoSlot, {}};
    instruction.number = number;
    code.push_back(instruction);
}

template <typename T> void EqProgram<T>::AppendVariable(const std::string& name)
{
    Instruction instruction{Op::LoadVariable, Source::Name, DesignerSlots<T>::NoSlot, {}};
    instruction.name = name.c_str();
    const uint32_t slot =
        slots ? slots->ResolveDesignerSlot(name.c_str()) : DesignerSlots<T>::NoSlot;
    if (slot != DesignerSlots<T>::NoSlot) {
        instruction.slot = slot;
        instruction.source = Source::Slot;
        if (const T* address = slots->DesignerSlotAddress(slot)) {
            instruction.source = Source::Address;
            instruction.address = address;
        }
    }
    code.push_back(instruction);
}

template <typename T> void EqProgram<T>::AppendOperand(Op op, const Instruction& operand)
{
    // What came last is the other operand's final step, which no jump lands on.
    if ((op == Op::AddConstant || op == Op::ConstantAdd) &&
        code.back().op == Op::MultiplyConstant) {
        Instruction& product = code.back();
        product.op = Op::MultiplyAdd;
        product.affine = Affine{product.number, operand.number};
        return;
    }
    Instruction instruction = operand;
    instruction.op = op;
    code.push_back(instruction);
}

template <typename T> bool EqProgram<T>::Emit(const EqOperator<T>& node, Shape& shape)
{
    const size_t start = code.size();
    const EqUnaryOperator<T>* unary = node.GetUnary();
    if (unary && (!std::is_same_v<T, bool> || unary->GetKind() != EqUnaryKind::Not))
        return false;
    switch (node.GetKind()) {
    case EqKind::Constant:
        shape = {true, 0};
        break;
    case EqKind::Variable: {
        const auto& variable = static_cast<const EqVariable<T>&>(node);
        // One provider answers the whole program; without one, every name is unknown, which
        // the tree walk reports as well as a program would.
        if (!variable.GetProvider() || (provider && variable.GetProvider() != provider))
            return false;
        if (!provider) {
            provider = variable.GetProvider();
            slots = dynamic_cast<DesignerSlots<T>*>(provider);
        }
        AppendVariable(variable.GetName());
        shape = {false, 0};
        break;
    }
    case EqKind::Identity:
        if (!node.GetLeft() || !Emit(*node.GetLeft(), shape))
            return false;
        break;
    case EqKind::Add:
    case EqKind::Subtract:
    case EqKind::Multiply:
    case EqKind::Divide:
    case EqKind::Power:
        if (!std::is_same_v<T, float> || !EmitBinary(node, shape))
            return false;
        break;
    case EqKind::And:
    case EqKind::Or:
        if (!std::is_same_v<T, bool> || !EmitCondition(node, shape))
            return false;
        break;
    default:
        return false;
    }
    if (shape.constant) {
        // Nothing below asks a provider: the tree's own walk gives the value, bit for bit, once.
        code.erase(code.begin() + static_cast<std::ptrdiff_t>(start), code.end());
        AppendNumber(Op::Load, node.Evaluate());
        shape.depth = 0;
    } else if (unary) {
        Append(Op::Not);
    }
    return true;
}

template <typename T> bool EqProgram<T>::EmitBinary(const EqOperator<T>& node, Shape& shape)
{
    struct Forms {
        Op constant, variable, popped, constantLeft, variableLeft;
    };
    static constexpr Forms kForms[] = {
        {Op::AddConstant, Op::AddVariable, Op::AddPopped, Op::ConstantAdd, Op::AddVariable},
        {Op::SubtractConstant, Op::SubtractVariable, Op::SubtractPopped, Op::ConstantSubtract,
         Op::VariableSubtract},
        {Op::MultiplyConstant, Op::MultiplyVariable, Op::MultiplyPopped, Op::ConstantMultiply,
         Op::MultiplyVariable},
        {Op::DivideConstant, Op::DivideVariable, Op::DividePopped, Op::ConstantDivide,
         Op::VariableDivide},
        {Op::PowerConstant, Op::PowerVariable, Op::PowerPopped, Op::ConstantPower,
         Op::VariablePower},
    };
    const Forms& forms =
        kForms[static_cast<size_t>(node.GetKind()) - static_cast<size_t>(EqKind::Add)];
    if (!node.GetLeft() || !node.GetRight())
        return false;
    Shape left{}, right{};
    const size_t leftAt = code.size();
    if (!Emit(*node.GetLeft(), left))
        return false;
    const size_t rightAt = code.size();
    if (!Emit(*node.GetRight(), right))
        return false;
    if (left.constant && right.constant) {
        shape = {true, 0};
        return true;
    }
    const auto isLoad = [](const Instruction& at) {
        return at.op == Op::Load || at.op == Op::LoadVariable;
    };
    if (code.size() == rightAt + 1 && isLoad(code.back())) {
        const Instruction operand = code.back();
        code.pop_back();
        if (operand.op == Op::Load && node.GetKind() == EqKind::Power && operand.number == 2.0f)
            Append(Op::Square);
        else
            AppendOperand(operand.op == Op::Load ? forms.constant : forms.variable, operand);
        shape = {false, left.depth};
    } else if (rightAt == leftAt + 1 &&
               (code[leftAt].op == Op::Load ||
                (code[leftAt].op == Op::LoadVariable && code[leftAt].source == Source::Address))) {
        // The left operand calls nobody, so it may wait in the instruction itself.
        const Instruction operand = code[leftAt];
        code.erase(code.begin() + static_cast<std::ptrdiff_t>(leftAt));
        AppendOperand(operand.op == Op::Load ? forms.constantLeft : forms.variableLeft, operand);
        shape = {false, right.depth};
    } else {
        // Every operand's code starts with a load, which first sets the left operand aside.
        Op& load = code[rightAt].op;
        if (!isLoad(code[rightAt]))
            return false;
        load = load == Op::Load ? Op::PushLoad : Op::PushLoadVariable;
        Append(forms.popped);
        shape = {false, Max(left.depth, right.depth + 1)};
    }
    return true;
}

template <typename T> bool EqProgram<T>::EmitCondition(const EqOperator<T>& node, Shape& shape)
{
    if (!node.GetLeft() || !node.GetRight())
        return false;
    Shape left{}, right{};
    if (!Emit(*node.GetLeft(), left))
        return false;
    const size_t jumpAt = code.size();
    Append(node.GetKind() == EqKind::And ? Op::JumpIfFalse : Op::JumpIfTrue);
    if (!Emit(*node.GetRight(), right))
        return false;
    code[jumpAt].jump = static_cast<uint32_t>(code.size());
    shape = {left.constant && right.constant, 0};
    return true;
}

template <typename T> T EqProgram<T>::Read(const Instruction& variable) const
{
    if (variable.source == Source::Address) [[likely]]
        return *variable.address;
    if (variable.source == Source::Slot)
        return slots->ReadDesignerSlot(variable.slot);
    T value = T();
    if (!provider->GetDesignerVariable(variable.name, value)) [[unlikely]]
        EqVariable<T>::ReportUnknown(variable.name);
    return value;
}

template <typename T> T EqProgram<T>::Run() const
{
    const auto read = [this](const Instruction* variable) { return Read(*variable); };
    if constexpr (std::is_same_v<T, bool>) {
        bool value = false;
        const Instruction* first = code.data();
        for (const Instruction* at = first;; ++at) {
            switch (at->op) {
            case Op::Load:
                value = at->number;
                break;
            case Op::LoadVariable:
                value = read(at);
                break;
            case Op::Not:
                value = !value;
                break;
            case Op::JumpIfFalse:
                if (!value)
                    at = first + at->jump - 1;
                break;
            case Op::JumpIfTrue:
                if (value)
                    at = first + at->jump - 1;
                break;
            default: // End
                return value;
            }
        }
    } else {
        // Each handler jumps straight to the next one: one predictable jump per instruction,
        // not a shared switch. A popped value is the left operand, which always comes first.
        static constexpr const void* kHandlers[] = {
            &&Load,
            &&LoadVariable,
            &&PushLoad,
            &&PushLoadVariable,
            &&AddConstant,
            &&AddVariable,
            &&AddPopped,
            &&ConstantAdd,
            &&SubtractConstant,
            &&SubtractVariable,
            &&SubtractPopped,
            &&ConstantSubtract,
            &&VariableSubtract,
            &&MultiplyConstant,
            &&MultiplyVariable,
            &&MultiplyPopped,
            &&ConstantMultiply,
            &&DivideConstant,
            &&DivideVariable,
            &&DividePopped,
            &&ConstantDivide,
            &&VariableDivide,
            &&PowerConstant,
            &&PowerVariable,
            &&PowerPopped,
            &&ConstantPower,
            &&VariablePower,
            &&Square,
            &&MultiplyAdd,
            &&End,
            &&End,
            &&End,
            &&End,
        };
        static_assert(std::size(kHandlers) == static_cast<size_t>(Op::End) + 1);
        float stack[MaxDepth];
        float* top = stack;
        // Every program starts by loading its leftmost operand.
        const Instruction* at = code.data();
        float value = at->op == Op::Load ? at->number : read(at);
#define GAME_EQ_NEXT() goto* kHandlers[static_cast<size_t>((++at)->op)]
        GAME_EQ_NEXT();
    Load:
        value = at->number;
        GAME_EQ_NEXT();
    LoadVariable:
        value = read(at);
        GAME_EQ_NEXT();
    PushLoad:
        *top++ = value;
        value = at->number;
        GAME_EQ_NEXT();
    PushLoadVariable:
        *top++ = value;
        value = read(at);
        GAME_EQ_NEXT();
    AddConstant:
        value = value + at->number;
        GAME_EQ_NEXT();
    AddVariable:
        value = value + read(at);
        GAME_EQ_NEXT();
    AddPopped:
        value = *--top + value;
        GAME_EQ_NEXT();
    ConstantAdd:
        value = at->number + value;
        GAME_EQ_NEXT();
    SubtractConstant:
        value = value - at->number;
        GAME_EQ_NEXT();
    SubtractVariable:
        value = value - read(at);
        GAME_EQ_NEXT();
    SubtractPopped:
        value = *--top - value;
        GAME_EQ_NEXT();
    ConstantSubtract:
        value = at->number - value;
        GAME_EQ_NEXT();
    VariableSubtract:
        value = read(at) - value;
        GAME_EQ_NEXT();
    MultiplyConstant:
        value = value * at->number;
        GAME_EQ_NEXT();
    MultiplyVariable:
        value = value * read(at);
        GAME_EQ_NEXT();
    MultiplyPopped:
        value = *--top * value;
        GAME_EQ_NEXT();
    ConstantMultiply:
        value = at->number * value;
        GAME_EQ_NEXT();
    DivideConstant:
        value = value / at->number;
        GAME_EQ_NEXT();
    DivideVariable:
        value = value / read(at);
        GAME_EQ_NEXT();
    DividePopped:
        value = *--top / value;
        GAME_EQ_NEXT();
    ConstantDivide:
        value = at->number / value;
        GAME_EQ_NEXT();
    VariableDivide:
        value = read(at) / value;
        GAME_EQ_NEXT();
    PowerConstant:
        value = EqPower::Apply(value, at->number);
        GAME_EQ_NEXT();
    PowerVariable:
        value = EqPower::Apply(value, read(at));
        GAME_EQ_NEXT();
    PowerPopped : {
        const float base = *--top;
        value = EqPower::Apply(base, value);
        GAME_EQ_NEXT();
    }
    ConstantPower:
        value = EqPower::Apply(at->number, value);
        GAME_EQ_NEXT();
    VariablePower:
        value = EqPower::Apply(read(at), value);
        GAME_EQ_NEXT();
    Square:
        value = value * value;
        GAME_EQ_NEXT();
    MultiplyAdd:
        value = value * at->affine.factor + at->affine.addend;
        GAME_EQ_NEXT();
#undef GAME_EQ_NEXT
    End:
        return value;
    }
}

template class EqProgram<float>;
template class EqProgram<bool>;

} // namespace GAME
