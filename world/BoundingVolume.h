#pragma once

#include "engine/ABBox.h"
#include "engine/Actor.h"
#include "engine/OBBox.h"

#include <cstdint>
#include <vector>

namespace GAME {

struct Intersection;
struct Ray;

// An invisible sphere that keeps who is inside it and reports every entity that comes in
// ("GameEvent_EnterBoundingVolume") or goes out ("GameEvent_ExitBoundingVolume").
class BoundingVolume : public Actor {
    GAME_DECLARE_CLASS(BoundingVolume)

public:
    BoundingVolume();
    // Sends "GameEvent_GenericEntityDestroy".
    ~BoundingVolume() override;

    // "radius" (0.0 when missing), then "GameEvent_GenericEntitySpawn".
    void Load(const LoadTable& table) override;
    // Takes the entities already inside without a word, then announces itself.
    void InitialUpdate() override;
    // Compares who is inside now with who was, by a merge of the two sorted id lists.
    void UpdateSelf(int32_t elapsedMs) override;
    // A carried volume is in the world when its carrier is.
    bool IsInWorld() const override;
    bool CanCollide() const { return false; }

    virtual void DebugRender() {}
    virtual void OnEnter(uint32_t entityId);
    virtual void OnEnterAction(uint32_t entityId);
    virtual void OnExit(uint32_t entityId);
    virtual void OnExitAction(uint32_t entityId);
    virtual ABBox GetObjectSpaceBoundingBox() const;
    // Within the cube of half-side radius around the centre, not only the sphere.
    virtual WorldVec3 GetRandomPointInsideVolume() const;
    virtual WorldVec3 GetRandomTerrainPointInsideVolume() const;

    float GetRadius() const { return radius; }
    void SetRadius(float value) { radius = value; }
    const std::vector<uint32_t>& GetEntitiesInVolume() const { return entitiesInVolume; }
    // Strictly inside: a point on the sphere is out.
    bool IsPointInsideVolume(const WorldVec3& point) const;
    void GetIntersection(const Ray& ray, Intersection& out, int32_t surface) const override;
    // A cube of half-side radius around the centre.
    void UpdateBoundingBox() override;
    OBBox GetCollisionBox(int32_t index) const override;

protected:
    // The volume's place: its carrier's when carried.
    WorldCoords GetVolumeCoords() const;
    // Stops the running comparison at once: the volume has destroyed itself.
    void StopMerge() { mergeStopped = true; }

private:
    void QueryOccupants(std::vector<uint32_t>& out) const;
    // In the cube of half-side radius.
    Vec3 RandomOffset() const;
    void SendLifeEvent(const char* name) const;
    void AddQueuedEntities();
    void EraseQueuedEntities();

    float radius = 10.0f;
    std::vector<uint32_t> entitiesInVolume;
    std::vector<uint32_t> enteredQueue;
    std::vector<uint32_t> exitedQueue;
    std::vector<uint32_t> found;
    // Kept between frames so the query allocates nothing once warm.
    mutable std::vector<Entity*> queryScratch;
    bool mergeStopped = false;
};

} // namespace GAME
