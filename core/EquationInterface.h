#pragma once

#include <cstddef>
#include <cstdint>
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

// What a provider adds when its names mean the same for every object of its class: a name is
// resolved once, when a formula is compiled, to a slot the formula keeps, and each evaluation
// reads the slot without comparing names. A formula's provider offers slots when it derives
// from this as well; names it does not resolve are still asked by name.
template <typename T> class DesignerSlots {
public:
    static constexpr uint32_t NoSlot = UINT32_MAX;

    // NoSlot for a name the class does not know.
    virtual uint32_t ResolveDesignerSlot(const char* name) const = 0;
    // Only with a slot this class resolved: what GetDesignerVariable answers for its name.
    virtual T ReadDesignerSlot(uint32_t slot) = 0;
    // Only with a slot this class resolved: where the provider keeps the slot's value for as
    // long as it lives, when it keeps one there and reading it changes nothing, so that a
    // formula reads it with no call at all; null for a value worked out at each read.
    virtual const T* DesignerSlotAddress(uint32_t /*slot*/) const { return nullptr; }

protected:
    ~DesignerSlots() = default;
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
