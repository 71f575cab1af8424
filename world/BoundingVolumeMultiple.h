#pragma once

#include "core/GameEvents.h"
#include "engine/Entity.h"
#include "engine/EventHandler.h"
#include "engine/OBBox.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

struct Intersection;
struct Ray;

// Up to four nested spheres around one centre, reacting to players by the sphere they cross.
// The spheres are plain bounding volumes of their own; this one only keeps their ids.
class BoundingVolumeMultiple : public Entity {
    GAME_DECLARE_CLASS(BoundingVolumeMultiple)

public:
    struct VolumeEntry {
        uint32_t volumeId = 0;
        float radius = 0.0f;
        bool attached = false;
    };

    BoundingVolumeMultiple();
    ~BoundingVolumeMultiple() override;

    void Load(const LoadTable& table) override;
    void InitialUpdate() override;
    // Carries the attached spheres through the frame, as their carrier.
    void UpdateSelf(int32_t elapsedMs) override;
    bool CanCollide() const { return false; }
    // The outermost sphere's radius and a little more (1.0 without spheres).
    float GetExtent() const;
    // The editor picks the volume as a sphere of its extent.
    void GetIntersection(const Ray& ray, Intersection& out, int32_t surface) const override;
    // A cube of half-side extent around the centre.
    void UpdateBoundingBox() override;
    // A cube of half-side the outermost radius, turned with the volume.
    OBBox GetCollisionBox(int32_t index) const override;
    // "Inner Volume:", "Mid Volume:", "Outer Volume:", each with the ids inside that sphere.
    std::string DescribeDebug() const;

    // Orders the spheres innermost first and carries every one still alive with `parent`.
    virtual void AttachVolumes(Entity* parent);
    virtual void OnEnterVolume(int /*index*/) {}
    virtual void OnExitVolume(int /*index*/) {}

    const std::vector<VolumeEntry>& GetVolumeEntries() const { return volumeEntries; }
    bool IsTriggered() const { return triggered; }

protected:
    void SetTriggered() { triggered = true; }
    // The music this kind plays; each kind reads its own key into it.
    std::string musicName;

private:
    void OnEnterBoundingVolume(const GameEvent_EnterBoundingVolume& event);
    void OnExitBoundingVolume(const GameEvent_ExitBoundingVolume& event);
    // -1 for an event that is not about one of our spheres, or not about a player.
    int FindPlayerVolumeIndex(uint32_t volumeId, uint32_t entityId) const;
    // The last sphere's radius, which is the outermost once attached; 0.0 without spheres.
    float GetOuterRadius() const;

    bool triggered = false;
    std::vector<VolumeEntry> volumeEntries;
    EventHandler<BoundingVolumeMultiple, GameEvent_EnterBoundingVolume> enterListener;
    EventHandler<BoundingVolumeMultiple, GameEvent_ExitBoundingVolume> exitListener;
};

} // namespace GAME
