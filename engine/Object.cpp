#include "engine/Object.h"

namespace GAME {

RTTI_ClassInfo Object::classInfo("Object", nullptr, &Object::RTTI_new);

void* Object::RTTI_new()
{
    return new (std::nothrow) Object();
}

void Object::Load(const LoadTable&) {}

Object::~Object() = default;

} // namespace GAME
