#pragma once

#include <cstdint>

namespace GAME {
class Object;
namespace Test {

// A distinct, never dereferenced object address for tables that only store pointers.
inline Object* FakeObject(uint32_t n)
{
    return reinterpret_cast<Object*>(static_cast<uintptr_t>(n) * 16);
}

} // namespace Test
} // namespace GAME
