#pragma once

#include "core/EqOperator.h"
#include "core/EqProgram.h"

#include <memory>
#include <string>

namespace GAME {

template <typename T> class EquationInterface;

// A formula from a database record, parsed once into a tree and evaluated on demand. The
// grammar has no precedence: each bracket level holds one operand, or two joined by one
// operator, so designers bracket everything. The policy subclasses decide which characters
// mean what and which nodes they make.
template <typename T> class DesignerEquation {
public:
    DesignerEquation();
    virtual ~DesignerEquation();
    DesignerEquation(const DesignerEquation&) = delete;
    DesignerEquation& operator=(const DesignerEquation&) = delete;

    virtual bool IsOpenParenthetical(char c) const;
    virtual bool IsClosedParenthetical(char c) const;
    virtual bool IsOperator(char c) const = 0;
    virtual bool IsUnaryOperator(char c) const = 0;
    virtual bool IsNumeric(char c) const = 0;
    virtual bool IsAlphaCharacter(char c) const;
    virtual std::unique_ptr<EqOperator<T>> SpawnOperator(char c) const = 0;
    virtual std::unique_ptr<EqUnaryOperator<T>> SpawnUnaryOperator(char c) const = 0;
    virtual std::unique_ptr<EqOperator<T>> SpawnConstant(float value) const = 0;

    // Every variable of the tree asks provider, which must outlive the tree.
    bool ParseEquation(const char* text, EquationInterface<T>* provider);
    // T() while nothing is parsed or the last parse failed. Inline, as it is on the path of
    // every stat query; a tree the program cannot lay out is walked.
    T operator()() const
    {
        if (!program.IsEmpty())
            return program.Run();
        return root ? root->Evaluate() : T();
    }

    // One bracket level from the cursor, which stops past what the level used.
    bool BuildEquationTree(const char*& cursor, std::unique_ptr<EqOperator<T>>& node,
                           EquationInterface<T>* provider);
    float TokenizeReal(const char*& cursor) const;
    void TokenizeString(const char*& cursor, std::string& name) const;

    // Deeper nesting fails to parse, which keeps hostile text off the bottom of the stack.
    static constexpr int MaxNesting = 256;

private:
    // How an operand loop ended: at an operator or the end of the text, past a closing
    // bracket, or on text that cannot be parsed.
    enum class OperandEnd { Stop, Close, Fail };
    OperandEnd ParseOperand(const char*& cursor, std::unique_ptr<EqOperator<T>>& operand,
                            std::unique_ptr<EqUnaryOperator<T>>& unary,
                            EquationInterface<T>* provider);
    bool WrapInIdentity(std::unique_ptr<EqOperator<T>> operand,
                        std::unique_ptr<EqOperator<T>>& node) const;

    std::unique_ptr<EqOperator<T>> root;
    // The tree laid out for evaluation, built with it.
    EqProgram<T> program;
    int nesting = 0;
};

extern template class DesignerEquation<float>;
extern template class DesignerEquation<bool>;

} // namespace GAME
