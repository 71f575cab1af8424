#pragma once

#include "engine/ABBox.h"
#include "engine/BoundedLog.h"
#include "engine/FilterFunction.h"
#include "engine/Path.h"
#include "engine/PathGenerationParams.h"
#include "engine/Vec3.h"
#include "engine/WorldVec3.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace GAME {

class Entity;
struct LevelFile;
class Region;
class RTTI_ClassInfo;
class WorldCoords;
class WorldFrustum;
struct Intersection;
struct WorldRay;

// The regions and the entities placed in them. Entities are kept in a uniform grid over world
// space (region offset plus region position), so an area query visits only the cells its
// bounding box overlaps and then tests each entity's position exactly. Entities count as
// points at their coordinates' origin. Shape boundaries are inclusive: an entity exactly on a
// sphere's surface, a box's face or a cone's edge is inside.
//
// Queries append to `out`. Their order is deterministic for one history of additions and moves
// but otherwise unspecified. A query given a `limit` stops once it has appended that many: in a
// crowd it answers the first ones of that order, and costs about the limit, not the crowd. The
// `flag` and `listType` arguments that callers pass choose among the entity lists of a full engine;
// this world keeps a single list and answers them all alike.
//
// A nearest query weighs only the entities bearing one of the marks it asks for
// (`Entity::GetWorldMarks`) that its filter keeps, and answers the `limit` of them nearest a
// point: a crowd of others never hides the one that matters. It walks the cells outward from
// the point, ring by ring (a ring: the cells as many steps away along their farthest axis), and
// stops once no cell left can hold one nearer than those it keeps. Each cell knows the marks it
// holds, so a query passes over a cell of none of them without a look inside.
class World {
public:
    static constexpr float kCellSize = 8.0f;
    static constexpr size_t kNoLimit = SIZE_MAX;
    static constexpr uint32_t kAnyMarks = UINT32_MAX;

    // What a nearest query weighs: entities of class `kind` (or one derived from it) bearing one
    // of `marks` (so never one bearing none), that `keep` (when given) accepts, no more than
    // `weighed` of them: in a crowd of more, the nearest of the first ones met walking outward,
    // so those of the nearest cells, and the crowd costs about the bound. Those bearing one of
    // `behindMarks` are kept only after every other, nearest first among themselves, and weighed
    // under a bound of their own: a crowd of them neither hides another nor ends the walk.
    struct NearestFilter {
        const RTTI_ClassInfo* kind = nullptr;
        uint32_t marks = 0;
        const FilterFunction<Entity>* keep = nullptr;
        size_t weighed = kNoLimit;
        uint32_t behindMarks = 0;
    };

    World();
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    // Null (logged) for id 0 or an id already taken.
    Region* CreateRegion(uint32_t id, const Vec3& offsetFromWorld, const ABBox& bounds);
    Region* GetRegionById(uint32_t id) const;
    // Height of the floor under the point in its region's frame; +infinity where there is none.
    float GetNearestFloorHeight(const WorldVec3& point) const;
    // Of several regions containing the point, the one of lowest id.
    Region* GetRegionContainingPoint(const Vec3& worldPoint) const;

    // Makes the level a database file describes (see LevelFile): its regions, then each entity
    // by the class its record names, given its unique id before it loads; once all are made they
    // join
    // the world and are set up (`InitialUpdate`) in file order. A broken line, a region this
    // world already has or a record that makes no entity is logged with its file and line, and
    // nothing of the level is left behind. The ids made are appended to `made`.
    bool LoadLevel(const std::string& levelPath, std::vector<uint32_t>* made = nullptr);
    // The same for a level already read, from wherever; `name` names it in what is logged.
    // `alsoMade` tells how many further entities a line's entity made as it loaded (a spawner's
    // members): they count against the level's entity limit with the lines themselves, and the
    // load stops at the line that passes it.
    bool LoadLevel(const LevelFile& level, const std::string& name,
                   std::vector<uint32_t>* made = nullptr,
                   const std::function<size_t(const Entity&)>& alsoMade = {});
    // A load that runs longer than this (wall time) logs how far it has come, at this interval,
    // so that a big level does not look hung.
    void SetLoadProgressIntervalMs(int32_t ms) { loadProgressIntervalMs = ms; }
    // Called every kLoadTendMs of the wall while a load runs, so that a machine with a link to
    // keep answers its peer while a big level loads; none when empty.
    void SetLoadTending(std::function<void()> tend) { loadTending = std::move(tend); }
    static constexpr int32_t kLoadTendMs = 100;
    // Asked at each entity of every stage of a load: true ends the load there with false and
    // no line, its asker knowing why (a program told to end, say). What it made stays as it
    // stands, joined or not, with the object manager: one ending lets it go with the process
    // rather than spend seconds freeing a level at the limit. None when empty.
    void SetLoadStopping(std::function<bool()> stop) { loadStopping = std::move(stop); }

    // Told of each entity as it joins this world and as it leaves it (also as it is destroyed),
    // so that one who follows the world looks at what changed rather than at every entity.
    class Watcher {
    public:
        virtual ~Watcher() = default;
        virtual void OnEntered(Entity& entity) = 0;
        // The entity may be half destroyed: only its id is sure.
        virtual void OnLeft(uint32_t id) = 0;
    };
    // At most one; null for none.
    void SetWatcher(Watcher* value) { watcher = value; }
    bool Holds(const Entity& entity) const;

    // False (logged) for a null entity or coordinates in a region this world does not know.
    // An entity already here is moved; one in another world leaves that world first.
    bool AddEntity(Entity* entity, const WorldCoords& coords, bool flag);
    // False when the entity is not in this world. It keeps its last coordinates.
    bool RemoveEntity(Entity* entity);
    // An entity outside every world just takes the coordinates, ready for `AddEntity`. For one in
    // this world an unknown region is refused (logged) and nothing changes.
    bool SetCoords(Entity* entity, const WorldCoords& coords);
    // SetCoords with only the position (and its region) changed; the rotation stays.
    bool SetPosition(Entity* entity, const WorldVec3& position);
    size_t GetEntityCount() const { return entities.size(); }
    // Reads the entity's marks again; nothing for one outside this world.
    void UpdateMarks(const Entity* entity);

    // One frame for every entity, in the order they were added: `PreAnimationUpdate`, the
    // animations, then `UpdateSelf`. An entity added during the frame starts with the next
    // one; one removed is not touched again. Afterwards each actor in the render pre-load
    // frustum counts as drawn in this frame.
    void UpdateEntities(int32_t elapsedMs);

    // A stir in the ground cover and water around a mover; only kept here.
    struct Disturbance {
        WorldVec3 position;
        float radius = 0.0f;
        float strength = 0.0f;
        int32_t splashType = 0;
    };
    void CreateDisturbance(const WorldVec3& position, float radius, float strength,
                           int32_t splashType);
    const BoundedLog<Disturbance>& GetDisturbances() const { return disturbances; }

    // Wind through the ground cover for a frame; only kept here.
    struct PhysicsGrassWind {
        uint32_t objectId = 0;
        float strength = 0.0f;
        float radius = 0.0f;
        float x = 0.0f;
        float z = 0.0f;
        float windX = 0.0f;
        float windZ = 0.0f;
        uint32_t regionId = 0;
    };
    void CreateGrassWind(const PhysicsGrassWind& wind) { grassWinds.Add(wind); }
    const BoundedLog<PhysicsGrassWind>& GetGrassWinds() const { return grassWinds; }

    // Every entity the filter accepts; each is offered once.
    void GetEntities(std::vector<Entity*>& out, const FilterFunction<Entity>& filter) const;
    // Centre relative to the region; nothing without a region or with a negative radius.
    void GetEntitiesInSphere(std::vector<Entity*>& out, const Region* region, const Vec3& center,
                             float radius, bool flag = true, int listType = 2) const;
    // The same, keeping only entities of class `kind` or one derived from it, in the same order.
    void GetEntitiesInSphere(std::vector<Entity*>& out, const Region* region, const Vec3& center,
                             float radius, const RTTI_ClassInfo& kind,
                             size_t limit = kNoLimit) const;
    // The box is relative to the region, or in world space without one.
    void GetEntitiesInBox(std::vector<Entity*>& out, const ABBox& box, const Region* region,
                          bool flag = false, int listType = 2) const;
    // The same, keeping only entities of class `kind` or one derived from it, in the same order.
    void GetEntitiesInBox(std::vector<Entity*>& out, const ABBox& box, const Region* region,
                          const RTTI_ClassInfo& kind, size_t limit = kNoLimit) const;
    // The `limit` entities in the sphere (centre relative to the region) nearest its centre that
    // the filter lets through (of two as near, the one GetEntitiesInSphere gives first), in
    // GetEntitiesInSphere's order, so that a view no crowd fills answers as it did; nothing
    // without a region or with a negative radius.
    void GetNearestEntitiesInSphere(std::vector<Entity*>& out, const Region* region,
                                    const Vec3& center, float radius, const NearestFilter& filter,
                                    size_t limit) const;
    // The same in the box (relative to the region), nearest `near` (in the region too).
    void GetNearestEntitiesInBox(std::vector<Entity*>& out, const ABBox& box, const Region* region,
                                 const Vec3& near, const NearestFilter& filter, size_t limit) const;
    // A cone of the given half-angle (radians, between the axis and the edge) about the
    // direction, cut off at `length` from the apex: a spherical sector. The apex itself counts.
    void GetEntitiesInCone(std::vector<Entity*>& out, const WorldVec3& apex, const Vec3& direction,
                           float angle, float length, bool flag = true, int listType = 2) const;

    // The regions the frustum reaches into: each one whose bounds lie not wholly behind any of
    // its planes, the frustum's own region first; nothing when that region is unknown.
    void GetRegionsInFrustum(std::vector<Region*>& out, const WorldFrustum& frustum) const;

    // Every entity inside the frustum (see WorldFrustum), in the order the entities were added;
    // nothing when the frustum's region is unknown.
    void GetEntitiesInFrustum(std::vector<Entity*>& out, const WorldFrustum& frustum,
                              bool flag = true, int listType = 2) const;

    // Every entity the ray passes within `kRayHitRadius` of, from its origin up to `length`
    // along it (entities are points here, so a ray needs some width to hit one); nothing
    // without a region or with a negative length.
    static constexpr float kRayHitRadius = 1.0f;
    void GetAllIntersections(const WorldRay& ray, std::vector<Entity*>& out, bool flag,
                             float length) const;
    // The same, keeping only entities of class `kind` or one derived from it, in the same order.
    // Others are passed over before their position is tested, so a ray through a swarm of
    // projectiles costs little when only characters are wanted.
    void GetAllIntersections(const WorldRay& ray, std::vector<Entity*>& out, bool flag,
                             float length, const RTTI_ClassInfo& kind) const;

    // The ray against the floor of its own region, hit from above only and only within the
    // region's footprint, and against the region's geometry boxes (from outside: a ray starting
    // inside one hits it at distance 0). The nearest hit counts. `out` is reset first; a hit
    // fills the distance, the point (in the ray's region) and the surface code of what was hit.
    // The surface argument filters by kind of geometry in a full engine; here every kind
    // answers every filter.
    bool GetIntersection(const WorldRay& ray, Intersection& out, int surface = 0,
                         bool flag = true) const;

    // Positive infinity when either point has no region or, across regions, a region this world
    // does not know.
    float GetDistanceSquared(const WorldVec3& a, const WorldVec3& b) const;
    float GetDistance(const WorldVec3& a, const WorldVec3& b) const;
    // The point in world space, its region's offset counted; false, nothing logged, for a point
    // in a region this world does not know.
    bool GetPositionInWorld(const WorldVec3& point, Vec3& out) const;

    // What a mover last asked of `FindPath`, kept as given.
    struct PathRequest {
        int32_t size = 0;
        WorldVec3 from;
        WorldVec3 to;
        PathGenerationParams params;
        int32_t limit = 0;
    };
    // The shortest way for a mover of the pathing size across the floor of the region of
    // `from`, round the attached dynamic obstacles; null when there is none (see PathFinder).
    // The vector, the four floats and the limit tune a full engine's search; here they are
    // recorded with the request.
    std::unique_ptr<Path> FindPath(int32_t size, const WorldVec3& from, const WorldVec3& to,
                                   const Vec3& vector, float value0, float value1, float value2,
                                   float value3, int32_t limit);
    const PathRequest& GetLastPathRequest() const { return lastPathRequest; }
    uint32_t GetPathRequestCount() const { return pathRequestCount; }

    // Opens the fog of war around a point for a frame; only the last opening is kept here.
    void AddFOWVisibility(const WorldVec3& position, int32_t elapsedMs)
    {
        lastFOWPosition = position;
        lastFOWElapsedMs = elapsedMs;
        ++fowVisibilityCount;
    }
    const WorldVec3& GetLastFOWPosition() const { return lastFOWPosition; }
    int32_t GetLastFOWElapsedMs() const { return lastFOWElapsedMs; }
    uint32_t GetFOWVisibilityCount() const { return fowVisibilityCount; }

    // The quest files of the loaded levels, as the level (or the host) lists them.
    void AddQuestFile(const std::string& path) { questFiles.push_back(path); }
    void ClearQuestFiles() { questFiles.clear(); }
    int32_t GetNumQuestFiles() const { return static_cast<int32_t>(questFiles.size()); }
    // Empty outside the list.
    std::string GetQuestFile(int32_t index) const
    {
        return index >= 0 && index < GetNumQuestFiles() ? questFiles[size_t(index)] : std::string();
    }

private:
    struct Cell {
        int32_t x;
        int32_t y;
        int32_t z;
        bool operator==(const Cell& other) const = default;
    };
    struct CellHash {
        size_t operator()(const Cell& cell) const;
    };
    struct Placement;
    struct Slot {
        // Null for a hole (see Occupants).
        Entity* entity;
        Vec3 position;
        // An object's class never changes, so it is read once rather than by every query.
        const RTTI_ClassInfo* kind;
        // The entity's entry in `placements`; map nodes stay put, so this keeps.
        Placement* placement;
        uint32_t marks;
    };
    // The entities of one cell in the order they came, the order queries answer in. One that
    // leaves a cell of more than `kSmallCell` leaves a hole, so that the others keep their places
    // and a crowd is not shifted at every departure; the holes go once they are half the slots. A
    // small cell closes up at once.
    static constexpr size_t kSmallCell = 64;
    struct Occupants {
        std::vector<Slot> slots;
        size_t holes = 0;
        // Every mark its slots bear, and perhaps some that left: refreshed as the holes go.
        uint32_t marks = 0;
    };
    struct Placement {
        Vec3 position;
        size_t index;
        // In `updateOrder`.
        size_t order;
        // The entity's cell and its place there, so a move within the cell needs no search.
        // An occupied cell stays put in the map.
        Occupants* cell;
        size_t slot;
        // GetCell(position), kept so a move works out only the cell it goes to.
        Cell key;
    };

    static Cell GetCell(const Vec3& worldPoint);
    // Widens the bounds of the cells ever occupied; they never shrink, which only costs a
    // query a few empty cells.
    void NoteOccupied(const Cell& cell);
    bool GetWorldPosition(const WorldCoords& coords, Vec3& out) const;
    void Insert(Entity* entity, const Vec3& position);
    void Move(Placement& placement, Entity* entity, const Vec3& position);
    // Takes the entity into the cell `placement.key`, last.
    void Enter(Placement& placement, Entity* entity);
    void RemoveFromCell(const Cell& cell, const Placement& placement);
    static bool Within(const Cell& cell, const Cell& first, const Cell& last);
    // The occupied part of the cells overlapping [low, high]; false when there is none.
    bool ClipToOccupied(const Vec3& low, const Vec3& high, Cell& first, Cell& last) const;
    // Whether cells [first, last] are walked through the map of occupied cells rather than one
    // by one: the cheaper way, and the order Collect answers in.
    bool WalksOccupiedCells(const Cell& first, const Cell& last) const;
    // Every entity in the cells overlapping [low, high] whose world position passes the test.
    template <typename Test>
    void Collect(std::vector<Entity*>& out, const Vec3& low, const Vec3& high,
                 const Test& test) const;
    // As above, among the slots `admit` lets through, and no more than `limit` of them.
    template <typename Test, typename Admit>
    void Collect(std::vector<Entity*>& out, const Vec3& low, const Vec3& high, const Test& test,
                 Admit& admit, size_t limit = kNoLimit) const;
    // Calls `visit(occupants, place)` for each occupied cell of [first, last], ring by ring
    // outward from `from`, `place` being the cell's place in Collect's walk, and `ringDone(ring)`
    // after each ring; either ends the walk by answering false.
    template <typename Visit, typename RingDone>
    void WalkOutward(const Cell& first, const Cell& last, const Cell& from, Visit& visit,
                     RingDone& ringDone) const;
    template <typename Visit, typename RingDone>
    void WalkOutwardCellByCell(const Cell& first, const Cell& last, const Cell& from, Visit& visit,
                               RingDone& ringDone) const;
    template <typename Admit>
    void CollectInBox(std::vector<Entity*>& out, const ABBox& box, const Region* region,
                      Admit& admit, size_t limit) const;
    // The `limit` entities among those Collect would give nearest `near` (of two as near, the
    // one Collect gives first), in Collect's order.
    template <typename Test>
    void CollectNearest(std::vector<Entity*>& out, const Vec3& low, const Vec3& high,
                        const Test& test, const Vec3& near, const NearestFilter& filter,
                        size_t limit) const;
    template <typename Admit>
    void CollectOnRay(const WorldRay& ray, std::vector<Entity*>& out, float length,
                      Admit& admit) const;

    // A nearest query's candidates and the cells it walks through the map, kept between queries
    // so that they do not allocate.
    struct Candidate {
        bool behind;
        float distanceSquared;
        // Its place in Collect's answer: the cell's, then its slot's in the cell.
        size_t cellPlace;
        size_t slot;
        Entity* entity;
    };
    // Whether Collect gives `a` before `b`.
    static bool Earlier(const Candidate& a, const Candidate& b)
    {
        return a.cellPlace < b.cellPlace || (a.cellPlace == b.cellPlace && a.slot < b.slot);
    }
    mutable std::vector<Candidate> nearest;
    struct RingCell {
        int64_t ring;
        size_t place;
        const Occupants* occupants;
    };
    mutable std::vector<RingCell> ringCells;

    std::map<uint32_t, std::unique_ptr<Region>> regions;
    Watcher* watcher = nullptr;
    std::vector<Entity*> entities;
    std::unordered_map<const Entity*, Placement> placements;
    std::unordered_map<Cell, Occupants, CellHash> cells;
    Cell occupiedLow{INT32_MAX, INT32_MAX, INT32_MAX};
    Cell occupiedHigh{INT32_MIN, INT32_MIN, INT32_MIN};
    // Entities in the order they were added; a removed one leaves a null until compacted.
    std::vector<Entity*> updateOrder;
    size_t updateOrderHoles = 0;
    bool updatingEntities = false;
    BoundedLog<Disturbance> disturbances;
    BoundedLog<PhysicsGrassWind> grassWinds;
    void CompactUpdateOrder();
    void CompactSparseUpdateOrder();
    PathRequest lastPathRequest;
    uint32_t pathRequestCount = 0;
    WorldVec3 lastFOWPosition;
    int32_t lastFOWElapsedMs = 0;
    uint32_t fowVisibilityCount = 0;
    std::vector<std::string> questFiles;
    int32_t loadProgressIntervalMs = 1000;
    std::function<void()> loadTending;
    std::function<bool()> loadStopping;
};

} // namespace GAME
