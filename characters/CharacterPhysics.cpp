#include "characters/Character.h"
#include "characters/CharacterRagDoll.h"
#include "engine/PhysicsRigidBody.h"

#include <memory>

namespace GAME {

void Character::CreatePhysicsObject()
{
    if (GetPhysicsObject() != nullptr)
        return;
    static constexpr int32_t kRagDollPhysics = 3;
    if (GetPhysicsType() == kRagDollPhysics)
        SetPhysicsObject(std::make_unique<CharacterRagDoll>(this));
    else
        SetPhysicsObject(std::make_unique<PhysicsRigidBody>(this));
}

} // namespace GAME
