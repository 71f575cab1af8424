#pragma once

#include "engine/ABBox.h"
#include "engine/Vec3.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace GAME {

class DynamicObstacle;
class Level;

// A piece of the world with its own origin: positions inside it are relative to its offset, so
// they keep full float precision however far the region lies from the world's origin. Its
// ground is one flat floor across the footprint of its bounds.
class Region {
public:
    Region(uint32_t id, const Vec3& offsetFromWorld, const ABBox& bounds);
    Region(const Region&) = delete;
    Region& operator=(const Region&) = delete;
    // Obstacles still attached are detached, so none keeps pointing here.
    ~Region();

    uint32_t GetId() const { return id; }
    const Vec3& GetOffsetFromWorld() const { return offset; }
    // Region-relative, inclusive on every face.
    const ABBox& GetBounds() const { return bounds; }
    Vec3 GetRelativePosition(const Vec3& worldPoint) const { return worldPoint - offset; }
    bool ContainsPoint(const Vec3& worldPoint) const;

    // A region starts loaded; a streaming loader clears the flag until its level has arrived.
    bool IsLevelLoaded() const { return levelLoaded; }
    void SetLevelLoaded(bool value) { levelLoaded = value; }
    bool IsUnderground() const { return underground; }
    void SetUnderground(bool value) { underground = value; }
    // The level the region shows; null for a plain region.
    Level* GetLevel() const { return level.get(); }
    void SetLevel(std::unique_ptr<Level> newLevel);

    float GetFloorHeight() const { return floorHeight; }
    void SetFloorHeight(float height) { floorHeight = height; }
    // The floor spans only the footprint (x and z) of the bounds; beyond it there is no ground.
    bool HasFloorAt(const Vec3& regionPosition) const;
    // The physics surface code that ray hits on the floor report.
    uint32_t GetSurface() const { return surface; }
    void SetSurface(uint32_t code) { surface = code; }

    // Solid level geometry (walls, rocks) standing on the floor; region-relative boxes that ray
    // tests hit like the floor, each with its own surface code.
    struct GeometryBox {
        ABBox box;
        uint32_t surface = 0;
    };
    void AddGeometryBox(const ABBox& box, uint32_t surfaceCode)
    {
        geometry.push_back({box, surfaceCode});
    }
    const std::vector<GeometryBox>& GetGeometryBoxes() const { return geometry; }

    // The dynamic obstacles attached here, in the order they were attached.
    const std::vector<DynamicObstacle*>& GetObstacles() const { return obstacles; }

    // Entities kept by a region of their own, outside any world (the paper doll). Held by id:
    // an entity destroyed elsewhere is simply skipped. Adding one twice keeps one entry.
    void AddEntity(uint32_t entityId);
    void RemoveEntity(uint32_t entityId);
    const std::vector<uint32_t>& GetEntityIds() const { return entityIds; }
    // Runs each held entity's own update.
    void Update(int32_t elapsedMs);

private:
    uint32_t id;
    Vec3 offset;
    ABBox bounds;
    float floorHeight = 0.0f;
    uint32_t surface = 0;
    bool levelLoaded = true;
    bool underground = false;
    std::vector<DynamicObstacle*> obstacles;
    std::vector<GeometryBox> geometry;
    std::vector<uint32_t> entityIds;
    std::unique_ptr<Level> level;
    // Only an obstacle attaches or detaches itself.
    friend class DynamicObstacle;
};

} // namespace GAME
