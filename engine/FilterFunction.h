#pragma once

namespace GAME {

// A predicate over candidates of one kind, handed to the world's entity listing and to the
// character action handler; each candidate is offered once.
template <typename T> class FilterFunction {
public:
    FilterFunction() = default;
    FilterFunction(const FilterFunction&) = default;
    FilterFunction& operator=(const FilterFunction&) = default;
    virtual ~FilterFunction() = default;

    virtual bool operator()(const T* candidate) const = 0;
};

} // namespace GAME
