#include "world/NpcTrafficNode.h"

#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(NpcTrafficNode, BoundingVolume);

namespace {

// Designers name the next node by its record or level path; only the bare name counts.
std::string BareName(const std::string& path)
{
    return GetFileNameFromPath(path, true);
}

class AnyEntity : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* /*candidate*/) const override { return true; }
};

} // namespace

NpcTrafficNode::NpcTrafficNode()
    : initialUpdateListener("GameEvent_GenericEntityInitialUpdate",
                            &NpcTrafficNode::OnEntityInitialUpdate, this)
{}

NpcTrafficNode::~NpcTrafficNode() = default;

void NpcTrafficNode::Load(const LoadTable& table)
{
    BoundingVolume::Load(table);
    nextNodeName = table.GetString("nextTrafficNode", "");
    canBeFinalDestination = table.GetInt("canBeFinalDestination", 1) != 0;
}

bool NpcTrafficNode::IsNextNode(const std::string& objectName, uint32_t objectId) const
{
    return objectId != GetObjectId() && !nextNodeName.empty() &&
           BareName(objectName) == BareName(nextNodeName);
}

void NpcTrafficNode::InitialUpdate()
{
    BoundingVolume::InitialUpdate();
    const World* world = gEngine->GetWorld();
    if (nextNodeName.empty() || world == nullptr)
        return;
    std::vector<Entity*> entities;
    world->GetEntities(entities, AnyEntity());
    for (const Entity* entity : entities) {
        if (IsNextNode(entity->GetObjectName(), entity->GetObjectId())) {
            nextNodeId = entity->GetObjectId();
            return;
        }
    }
}

void NpcTrafficNode::OnEntityInitialUpdate(const GameEvent_GenericEntity& event)
{
    if (IsNextNode(event.objectName, event.objectId))
        nextNodeId = event.objectId;
}

bool NpcTrafficNode::GetDirectionToNextNode(Vec3& out) const
{
    if (nextNodeId == 0)
        return false;
    const Entity* next = ObjectManager::Instance().GetObject<Entity>(nextNodeId);
    const World* world = gEngine->GetWorld();
    if (next == nullptr || world == nullptr)
        return false;
    const WorldVec3 here = GetCoords().GetPosition();
    Vec3 there;
    if (!next->GetCoords().GetPosition().GetPositionInRegion(here.GetRegionId(), there, world))
        return false;
    out = there - here.GetRegionPosition();
    return true;
}

} // namespace GAME
