#pragma once

#include "core/EqOperator.h"
#include "core/EquationInterface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// A parsed equation laid out once as a flat program in evaluation order, so that an evaluation
// is one pass over a contiguous array instead of a virtual call per node. Variables are still
// asked of the provider at every run, the same names in the same order as the tree asks them;
// a provider that offers slots is asked by the slot it resolved for the name at compilation,
// and a slot whose value has an address is read there without a call. Subtrees without a
// variable become their value, computed by the tree itself; an operand that is a number or a
// name joins the instruction that uses it, and a left operand waits on a small stack only
// while a compound right operand runs and reading it would be a call.
template <typename T> class EqProgram {
public:
    // Pending left operands a run may hold; deeper trees stay on the tree walk.
    static constexpr uint32_t MaxDepth = 32;

    // False, leaving the program empty, for a tree it cannot lay out: a node or prefix of an
    // unknown kind, variables without a provider or of different ones, or more than MaxDepth
    // pending operands.
    bool Compile(const EqOperator<T>& root);
    void Clear();
    bool IsEmpty() const { return code.empty(); }
    // Only on a compiled program.
    T Run() const;

private:
    // Binary operations come in five forms: with a constant or a variable right operand, with
    // a left operand waiting on the stack, and with a constant or a variable left operand. The
    // last keeps the left operand for after the right one, which only a read that calls nobody
    // may wait for; + and * read it as a right operand.
    enum class Op : uint8_t {
        Load,
        LoadVariable,
        // A compound right operand starts by setting its left operand aside.
        PushLoad,
        PushLoadVariable,
        AddConstant,
        AddVariable,
        AddPopped,
        ConstantAdd,
        SubtractConstant,
        SubtractVariable,
        SubtractPopped,
        ConstantSubtract,
        VariableSubtract,
        MultiplyConstant,
        MultiplyVariable,
        MultiplyPopped,
        ConstantMultiply,
        DivideConstant,
        DivideVariable,
        DividePopped,
        ConstantDivide,
        VariableDivide,
        PowerConstant,
        PowerVariable,
        PowerPopped,
        ConstantPower,
        VariablePower,
        Square,
        // A product by a number, then a number added: designers' (1+(x*0.01)).
        MultiplyAdd,
        Not,
        // Conditions: & and | go past their right operand once the left decides.
        JumpIfFalse,
        JumpIfTrue,
        End,
    };
    // How a variable's value is read.
    enum class Source : uint8_t { Address, Slot, Name };
    struct Affine {
        T factor, addend;
    };
    struct Instruction {
        Op op;
        Source source;
        // A variable's slot when read through one, else NoSlot.
        uint32_t slot;
        union {
            T number;
            Affine affine;
            const T* address;
            const char* name;
            uint32_t jump;
        };
    };
    // What emitting a subtree gave: its value when it has no variable, and how many pending
    // operands its run needs.
    struct Shape {
        bool constant;
        uint32_t depth;
    };

    bool Emit(const EqOperator<T>& node, Shape& shape);
    bool EmitBinary(const EqOperator<T>& node, Shape& shape);
    bool EmitCondition(const EqOperator<T>& node, Shape& shape);
    void Append(Op op)
    {
        code.push_back(Instruction{op, Source::Name, DesignerSlots<T>::NoSlot, {}});
    }
    void AppendNumber(Op op, T number);
    void AppendVariable(const std::string& name);
    // The operand's read, or its number, joined to op.
    void AppendOperand(Op op, const Instruction& operand);
    T Read(const Instruction& variable) const;

    std::vector<Instruction> code;
    EquationInterface<T>* provider = nullptr;
    // The same object as provider, when it offers slots.
    DesignerSlots<T>* slots = nullptr;
};

extern template class EqProgram<float>;
extern template class EqProgram<bool>;

} // namespace GAME
