#pragma once

namespace GAME {

// A pointer lent to its holder for one piece of work, such as the seeded generator an item
// lends its attribute stores while they load. The holder ends the loan when that work is done,
// so the pointer cannot outlive its lender inside the holder. A copy or a move of the holder
// starts without it, and assigning to one ends its loan: the lender lent it to that one object.
template <typename T> class LentPointer {
public:
    LentPointer() = default;
    LentPointer(const LentPointer& /*other*/) noexcept {}
    LentPointer& operator=(const LentPointer& /*other*/) noexcept
    {
        pointer = nullptr;
        return *this;
    }

    void Lend(T* lent) { pointer = lent; }
    void EndLoan() { pointer = nullptr; }
    T* Get() const { return pointer; }

private:
    T* pointer = nullptr;
};

} // namespace GAME
