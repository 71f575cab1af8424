#pragma once

#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "world/BoundingVolume.h"

#include <cstdint>
#include <string>

namespace GAME {

// A waypoint of the paths that townsfolk walk, linked to the next one by file name. It tracks
// nobody inside it.
class NpcTrafficNode : public BoundingVolume {
    GAME_DECLARE_CLASS(NpcTrafficNode)

public:
    NpcTrafficNode();
    ~NpcTrafficNode() override;

    // "nextTrafficNode", "canBeFinalDestination".
    void Load(const LoadTable& table) override;
    // Links to a next node already in the world.
    void InitialUpdate() override;
    void UpdateSelf(int32_t /*elapsedMs*/) override {}
    void DebugRender() override {}

    // False without a next node, or when it is gone.
    bool GetDirectionToNextNode(Vec3& out) const;
    uint32_t GetNextNodeId() const { return nextNodeId; }
    bool CanBeFinalDestination() const { return canBeFinalDestination; }

private:
    // A node that starts later still gets linked when it announces itself.
    void OnEntityInitialUpdate(const GameEvent_GenericEntity& event);
    bool IsNextNode(const std::string& objectName, uint32_t objectId) const;

    uint32_t nextNodeId = 0;
    std::string nextNodeName;
    EventHandler<NpcTrafficNode, GameEvent_GenericEntity> initialUpdateListener;
    bool canBeFinalDestination = true;
};

} // namespace GAME
