#include "engine/Entity.h"

#include "engine/Intersection.h"
#include "engine/Name.h"
#include "engine/World.h"

#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(Entity, Object);

void Entity::SetPhysicsType(int32_t type)
{
    if (type == physicsType)
        return;
    physicsType = type;
    physicsObject.reset();
    CreatePhysicsObject();
    if (physicsObject != nullptr)
        physicsObject->Start();
}

void Entity::UpdateBoundingBox()
{
    regionBoundingBox = ABBox::FromCenterAndExtents(coords.GetRegionCoords().origin, Vec3());
}

void Entity::GetIntersection(const Ray& /*ray*/, Intersection& out, int32_t /*surface*/) const
{
    out.distance = gPositiveInfinity;
}

// The world's grid holds plain pointers; a deleted entity must not stay in it.
Entity::~Entity()
{
    if (world != nullptr)
        world->RemoveEntity(this);
    if (attachParent != nullptr)
        attachParent->Detach(this);
    for (Entity* child : attachedChildren)
        child->attachParent = nullptr;
}

void Entity::Attach(Entity* child, const Coords& placement, const char* attachPoint)
{
    if (child == nullptr || child == this)
        return;
    if (child->attachParent != nullptr)
        child->attachParent->Detach(child);
    child->attachParent = this;
    child->attachPointName = attachPoint != nullptr ? attachPoint : "";
    child->attachPlacement = placement;
    attachedChildren.push_back(child);
}

void Entity::Attach(Entity* child, const Coords& placement, const Name& attachPoint)
{
    Attach(child, placement, attachPoint.GetString().c_str());
}

void Entity::Detach(Entity* child)
{
    if (child == nullptr || child->attachParent != this)
        return;
    std::erase(attachedChildren, child);
    child->attachParent = nullptr;
    child->attachPointName.clear();
    child->attachPlacement = Coords();
}

void Entity::EnsureUniqueID()
{
    if (uniqueId.IsZero())
        uniqueId.Generate();
}

void Entity::Update(int32_t elapsedMs)
{
    PreAnimationUpdate(elapsedMs);
    UpdateAnimations(elapsedMs);
    UpdateSelf(elapsedMs);
}

void Entity::MarksChanged()
{
    if (world != nullptr)
        world->UpdateMarks(this);
}

} // namespace GAME
