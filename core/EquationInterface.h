#pragma once

namespace GAME {

// What an equation's owner offers its formulas: the value of a name, asked at every evaluation.
// Implementations write 0 (false) into value before looking up, so an unknown name reads as 0.
template <typename T> class EquationInterface {
public:
    virtual bool GetDesignerVariable(const char* name, T& value) = 0;

protected:
    // Equations never delete their provider, so the destructor need not be virtual.
    ~EquationInterface() = default;
};

} // namespace GAME
