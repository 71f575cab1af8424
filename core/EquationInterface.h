#pragma once

#include <cstddef>
#include <utility>

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

// Whether a provider is asked for exactly this name. Compared a character at a time up to the
// first difference, so nothing past the end of the name is read; with the literal's length
// known, the comparison unrolls and needs no call to strlen or strcmp. Providers switch on the
// first letter and compare the few names left.
template <size_t N> constexpr bool IsDesignerName(const char* name, const char (&literal)[N])
{
    return [&]<size_t... I>(std::index_sequence<I...>)
    {
        return ((name[I] == literal[I]) && ...);
    }
    (std::make_index_sequence<N>());
}

} // namespace GAME
