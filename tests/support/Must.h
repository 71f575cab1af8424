#pragma once

#include <stdexcept>

namespace GAME::Test {

// The object a step made; a null one ends the test there with a failure, as an ASSERT would.
template <typename T> T* Must(T* object)
{
    if (object == nullptr)
        throw std::runtime_error("an object the test needs was not made");
    return object;
}

} // namespace GAME::Test
