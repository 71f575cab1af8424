#include "engine/World.h"

#include "core/RTTI_ClassInfo.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/Intersection.h"
#include "engine/PathFinder.h"
#include "engine/Region.h"
#include "engine/WorldCoords.h"
#include "engine/WorldFrustum.h"
#include "engine/WorldRay.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace GAME {

namespace {

// Far beyond any level; keeps cell arithmetic inside 32 bits for infinite or absurd bounds.
constexpr int32_t kCellLimit = 1 << 30;

int32_t GetCellCoordinate(float value)
{
    const float cell = std::floor(value / World::kCellSize);
    if (!(cell > -kCellLimit))
        return -kCellLimit;
    if (cell > kCellLimit)
        return kCellLimit;
    return static_cast<int32_t>(cell);
}

// Rounding in the cosine must not push a point lying exactly on the cone's edge outside.
constexpr float kConeEdgeSlack = 1.0e-6f;

constexpr float kHalfCircle = 3.14159265f;

// Accepts slots whose entity's class is `kind` or derives from it. Entities of one class tend
// to crowd together, so the last answer usually serves again.
auto OfKind(const RTTI_ClassInfo& kind)
{
    return [&kind, lastKind = static_cast<const RTTI_ClassInfo*>(nullptr),
            lastAdmitted = false](const auto& slot) mutable {
        if (slot.kind != lastKind) {
            lastKind = slot.kind;
            lastAdmitted = slot.kind != nullptr && slot.kind->IsA(kind);
        }
        return lastAdmitted;
    };
}

} // namespace

World::World() = default;

World::~World()
{
    for (Entity* entity : entities)
        entity->world = nullptr;
}

Region* World::CreateRegion(uint32_t id, const Vec3& offsetFromWorld, const ABBox& bounds)
{
    if (id == 0 || regions.count(id) != 0) {
        gEngine->Log(Engine::LogData, "Region id %u is not free", id);
        return nullptr;
    }
    auto region = std::make_unique<Region>(id, offsetFromWorld, bounds);
    Region* created = region.get();
    regions.emplace(id, std::move(region));
    return created;
}

Region* World::GetRegionById(uint32_t id) const
{
    const auto found = regions.find(id);
    return found != regions.end() ? found->second.get() : nullptr;
}

Region* World::GetRegionContainingPoint(const Vec3& worldPoint) const
{
    for (const auto& [id, region] : regions) {
        if (region->ContainsPoint(worldPoint))
            return region.get();
    }
    return nullptr;
}

bool World::GetWorldPosition(const WorldCoords& coords, Vec3& out) const
{
    const Region* region = GetRegionById(coords.GetRegionId());
    if (region == nullptr) {
        gEngine->Log(Engine::LogRuntime, "World has no region %u", coords.GetRegionId());
        return false;
    }
    out = region->GetOffsetFromWorld() + coords.GetRegionCoords().origin;
    return true;
}

bool World::AddEntity(Entity* entity, const WorldCoords& coords, bool /*flag*/)
{
    if (entity == nullptr)
        return false;
    if (entity->world == this)
        return SetCoords(entity, coords);
    Vec3 position;
    if (!GetWorldPosition(coords, position))
        return false;
    if (entity->world != nullptr)
        entity->world->RemoveEntity(entity);
    entity->coords = coords;
    entity->UpdateBoundingBox();
    entity->simulationEnabled = true;
    Insert(entity, position);
    entity->OnAddToLevel(this);
    if (watcher != nullptr)
        watcher->OnEntered(*entity);
    return true;
}

bool World::Holds(const Entity& entity) const
{
    return entity.world == this;
}

bool World::RemoveEntity(Entity* entity)
{
    if (entity == nullptr || entity->world != this)
        return false;
    const auto found = placements.find(entity);
    RemoveFromCell(GetCell(found->second.position), found->second);
    const size_t index = found->second.index;
    Entity* last = entities.back();
    entities[index] = last;
    placements.find(last)->second.index = index;
    entities.pop_back();
    updateOrder[found->second.order] = nullptr;
    ++updateOrderHoles;
    placements.erase(entity);
    entity->world = nullptr;
    entity->OnRemoveFromLevel(this);
    if (watcher != nullptr)
        watcher->OnLeft(entity->GetObjectId());
    return true;
}

bool World::SetCoords(Entity* entity, const WorldCoords& coords)
{
    if (entity == nullptr)
        return false;
    if (entity->world != nullptr && entity->world != this)
        return entity->world->SetCoords(entity, coords);
    if (entity->world == nullptr) {
        entity->coords = coords;
        entity->UpdateBoundingBox();
        return true;
    }
    Vec3 position;
    if (!GetWorldPosition(coords, position))
        return false;
    // A region keeps its offset for good, so a turn on the spot leaves the grid as it is.
    const bool moved = coords.GetRegionId() != entity->coords.GetRegionId() ||
                       coords.GetRegionCoords().origin != entity->coords.GetRegionCoords().origin;
    entity->coords = coords;
    entity->UpdateBoundingBox();
    if (moved)
        Move(placements.find(entity)->second, entity, position);
    entity->OnMoveInLevel();
    return true;
}

bool World::SetPosition(Entity* entity, const WorldVec3& position)
{
    if (entity == nullptr)
        return false;
    if (entity->world != nullptr && entity->world != this)
        return entity->world->SetPosition(entity, position);
    if (entity->world == nullptr) {
        entity->coords.SetPosition(position);
        return true;
    }
    const Region* region = GetRegionById(position.GetRegionId());
    if (region == nullptr) {
        gEngine->Log(Engine::LogRuntime, "World has no region %u", position.GetRegionId());
        return false;
    }
    entity->coords.SetPosition(position);
    Move(placements.find(entity)->second, entity,
         region->GetOffsetFromWorld() + position.GetRegionPosition());
    return true;
}

size_t World::CellHash::operator()(const Cell& cell) const
{
    uint64_t hash = static_cast<uint32_t>(cell.x) * 0x9E3779B97F4A7C15ull;
    hash ^= static_cast<uint32_t>(cell.y) * 0xC2B2AE3D27D4EB4Full + (hash << 6) + (hash >> 2);
    hash ^= static_cast<uint32_t>(cell.z) * 0x165667B19E3779F9ull + (hash << 6) + (hash >> 2);
    return static_cast<size_t>(hash);
}

World::Cell World::GetCell(const Vec3& worldPoint)
{
    return {GetCellCoordinate(worldPoint.x), GetCellCoordinate(worldPoint.y),
            GetCellCoordinate(worldPoint.z)};
}

void World::Insert(Entity* entity, const Vec3& position)
{
    entity->world = this;
    // Keeps a world whose entities come and go between frames from growing the order list.
    CompactSparseUpdateOrder();
    Placement& placement = placements[entity];
    placement =
        Placement{position, entities.size(), updateOrder.size(), nullptr, 0, GetCell(position)};
    entities.push_back(entity);
    updateOrder.push_back(entity);
    Enter(placement, entity);
}

void World::Move(Placement& placement, Entity* entity, const Vec3& position)
{
    const Cell from = placement.key;
    const Cell to = GetCell(position);
    placement.position = position;
    placement.key = to;
    if (from == to) {
        placement.cell->slots[placement.slot].position = position;
        return;
    }
    RemoveFromCell(from, placement);
    Enter(placement, entity);
}

void World::Enter(Placement& placement, Entity* entity)
{
    Occupants& occupants = cells[placement.key];
    NoteOccupied(placement.key);
    placement.cell = &occupants;
    placement.slot = occupants.slots.size();
    const uint32_t marks = entity->GetWorldMarks();
    occupants.marks |= marks;
    occupants.slots.push_back(
        Slot{entity, placement.position, entity->GetClassInfo(), &placement, marks});
}

void World::UpdateMarks(const Entity* entity)
{
    if (entity == nullptr || entity->world != this)
        return;
    const Placement& placement = placements.find(entity)->second;
    Slot& slot = placement.cell->slots[placement.slot];
    slot.marks = entity->GetWorldMarks();
    placement.cell->marks |= slot.marks;
}

void World::RemoveFromCell(const Cell& cell, const Placement& placement)
{
    const auto found = cells.find(cell);
    if (found == cells.end())
        return;
    Occupants& occupants = found->second;
    std::vector<Slot>& slots = occupants.slots;
    if (placement.slot >= slots.size())
        return;
    slots[placement.slot] = Slot{nullptr, Vec3(), nullptr, nullptr, 0};
    // Empty cells go, so that the count of occupied cells stays a fair measure for Collect.
    if (++occupants.holes == slots.size()) {
        cells.erase(found);
        return;
    }
    if (slots.size() > kSmallCell && occupants.holes * 2 < slots.size())
        return;
    // The only hole is this one unless the cell was crowded: the slots before it stay put.
    const size_t from = occupants.holes == 1 ? placement.slot : 0;
    slots.erase(std::remove_if(slots.begin() + static_cast<std::ptrdiff_t>(from), slots.end(),
                               [](const Slot& slot) { return slot.entity == nullptr; }),
                slots.end());
    occupants.holes = 0;
    occupants.marks = 0;
    for (size_t i = 0; i < slots.size(); ++i)
        occupants.marks |= slots[i].marks;
    for (size_t i = from; i < slots.size(); ++i)
        slots[i].placement->slot = i;
}

void World::NoteOccupied(const Cell& cell)
{
    occupiedLow =
        Cell{Min(occupiedLow.x, cell.x), Min(occupiedLow.y, cell.y), Min(occupiedLow.z, cell.z)};
    occupiedHigh =
        Cell{Max(occupiedHigh.x, cell.x), Max(occupiedHigh.y, cell.y), Max(occupiedHigh.z, cell.z)};
}

template <typename Test>
void World::Collect(std::vector<Entity*>& out, const Vec3& low, const Vec3& high,
                    const Test& test) const
{
    const auto any = [](const Slot&) { return true; };
    Collect(out, low, high, test, any);
}

bool World::ClipToOccupied(const Vec3& low, const Vec3& high, Cell& first, Cell& last) const
{
    // Cells outside every cell ever occupied hold nothing: a sphere over flat ground need not
    // look above or below it.
    const Cell wanted = GetCell(low);
    const Cell wantedLast = GetCell(high);
    first = Cell{Max(wanted.x, occupiedLow.x), Max(wanted.y, occupiedLow.y),
                 Max(wanted.z, occupiedLow.z)};
    last = Cell{Min(wantedLast.x, occupiedHigh.x), Min(wantedLast.y, occupiedHigh.y),
                Min(wantedLast.z, occupiedHigh.z)};
    return first.x <= last.x && first.y <= last.y && first.z <= last.z;
}

bool World::WalksOccupiedCells(const Cell& first, const Cell& last) const
{
    const double span = (double(last.x) - first.x + 1.0) * (double(last.y) - first.y + 1.0) *
                        (double(last.z) - first.z + 1.0);
    return span > double(cells.size());
}

template <typename Test, typename Admit>
void World::Collect(std::vector<Entity*>& out, const Vec3& low, const Vec3& high, const Test& test,
                    Admit& admit, size_t limit) const
{
    Cell first;
    Cell last;
    if (!ClipToOccupied(low, high, first, last) || limit == 0)
        return;
    const size_t full = limit < out.max_size() - out.size() ? out.size() + limit : out.max_size();
    // False once the limit is reached.
    const auto visit = [&](const Occupants& occupants) {
        for (const Slot& slot : occupants.slots) {
            if (slot.entity == nullptr || !admit(slot) || !test(slot.position))
                continue;
            out.push_back(slot.entity);
            if (out.size() == full)
                return false;
        }
        return true;
    };
    if (WalksOccupiedCells(first, last)) {
        for (const auto& [cell, occupants] : cells) {
            if (Within(cell, first, last) && !visit(occupants))
                return;
        }
        return;
    }
    for (int32_t x = first.x; x <= last.x; ++x) {
        for (int32_t y = first.y; y <= last.y; ++y) {
            for (int32_t z = first.z; z <= last.z; ++z) {
                const auto found = cells.find(Cell{x, y, z});
                if (found != cells.end() && !visit(found->second))
                    return;
            }
        }
    }
}

bool World::Within(const Cell& cell, const Cell& first, const Cell& last)
{
    return first.x <= cell.x && cell.x <= last.x && first.y <= cell.y && cell.y <= last.y &&
           first.z <= cell.z && cell.z <= last.z;
}

namespace {

// Steps from `value` to the nearest and to the farthest of [low, high] (none from inside).
int64_t StepsIn(int64_t value, int64_t low, int64_t high)
{
    return Max(Max(low - value, value - high), int64_t(0));
}

int64_t StepsAcross(int64_t value, int64_t low, int64_t high)
{
    return Max(std::abs(value - low), std::abs(high - value));
}

} // namespace

template <typename Visit, typename RingDone>
void World::WalkOutward(const Cell& first, const Cell& last, const Cell& from, Visit& visit,
                        RingDone& ringDone) const
{
    if (!WalksOccupiedCells(first, last)) {
        WalkOutwardCellByCell(first, last, from, visit, ringDone);
        return;
    }
    ringCells.clear();
    size_t place = 0;
    for (const auto& [cell, occupants] : cells) {
        if (!Within(cell, first, last))
            continue;
        const int64_t ring =
            Max(Max(StepsAcross(from.x, cell.x, cell.x), StepsAcross(from.y, cell.y, cell.y)),
                StepsAcross(from.z, cell.z, cell.z));
        ringCells.push_back({ring, place++, &occupants});
    }
    std::sort(ringCells.begin(), ringCells.end(), [](const RingCell& a, const RingCell& b) {
        return a.ring < b.ring || (a.ring == b.ring && a.place < b.place);
    });
    for (size_t i = 0; i < ringCells.size(); ++i) {
        if (!visit(*ringCells[i].occupants, ringCells[i].place))
            return;
        if (i + 1 < ringCells.size() && ringCells[i + 1].ring != ringCells[i].ring &&
            !ringDone(ringCells[i].ring))
            return;
    }
}

template <typename Visit, typename RingDone>
void World::WalkOutwardCellByCell(const Cell& first, const Cell& last, const Cell& from,
                                  Visit& visit, RingDone& ringDone) const
{
    const int64_t ys = int64_t(last.y) - first.y + 1;
    const int64_t zs = int64_t(last.z) - first.z + 1;
    // False once the walk is to end.
    const auto at = [&](int64_t x, int64_t y, int64_t z) {
        const auto found = cells.find(Cell{int32_t(x), int32_t(y), int32_t(z)});
        return found == cells.end() ||
               visit(found->second,
                     size_t(((x - first.x) * ys + (y - first.y)) * zs + z - first.z));
    };
    const int64_t firstRing =
        Max(Max(StepsIn(from.x, first.x, last.x), StepsIn(from.y, first.y, last.y)),
            StepsIn(from.z, first.z, last.z));
    const int64_t lastRing =
        Max(Max(StepsAcross(from.x, first.x, last.x), StepsAcross(from.y, first.y, last.y)),
            StepsAcross(from.z, first.z, last.z));
    for (int64_t ring = firstRing; ring <= lastRing; ++ring) {
        const int64_t zLow = Max(int64_t(from.z) - ring, int64_t(first.z));
        const int64_t zHigh = Min(int64_t(from.z) + ring, int64_t(last.z));
        for (int64_t x = Max(int64_t(from.x) - ring, int64_t(first.x));
             x <= Min(int64_t(from.x) + ring, int64_t(last.x)); ++x) {
            for (int64_t y = Max(int64_t(from.y) - ring, int64_t(first.y));
                 y <= Min(int64_t(from.y) + ring, int64_t(last.y)); ++y) {
                // Inside the ring's shell along x and y, only its two faces along z belong to it.
                const bool shell = std::abs(x - from.x) == ring || std::abs(y - from.y) == ring;
                const int64_t step = shell ? 1 : Max(2 * ring, int64_t(1));
                for (int64_t z = shell ? zLow : from.z - ring; z <= zHigh; z += step) {
                    if (z >= zLow && !at(x, y, z))
                        return;
                }
            }
        }
        if (!ringDone(ring))
            return;
    }
}

void World::GetEntities(std::vector<Entity*>& out, const FilterFunction<Entity>& filter) const
{
    for (Entity* entity : entities) {
        if (filter(entity))
            out.push_back(entity);
    }
}

float World::GetNearestFloorHeight(const WorldVec3& point) const
{
    const Region* region = point.HasRegion() ? GetRegionById(point.GetRegionId()) : nullptr;
    if (region == nullptr || !region->HasFloorAt(point.GetRegionPosition()))
        return std::numeric_limits<float>::infinity();
    return region->GetFloorHeight();
}

void World::GetEntitiesInSphere(std::vector<Entity*>& out, const Region* region, const Vec3& center,
                                float radius, bool /*flag*/, int /*listType*/) const
{
    if (region == nullptr || !(radius >= 0.0f))
        return;
    const Vec3 worldCenter = region->GetOffsetFromWorld() + center;
    const Vec3 reach(radius, radius, radius);
    const float radiusSquared = radius * radius;
    Collect(out, worldCenter - reach, worldCenter + reach, [&](const Vec3& position) {
        return (position - worldCenter).LengthSquared() <= radiusSquared;
    });
}

void World::GetEntitiesInSphere(std::vector<Entity*>& out, const Region* region, const Vec3& center,
                                float radius, const RTTI_ClassInfo& kind, size_t limit) const
{
    if (region == nullptr || !(radius >= 0.0f))
        return;
    const Vec3 worldCenter = region->GetOffsetFromWorld() + center;
    const Vec3 reach(radius, radius, radius);
    const float radiusSquared = radius * radius;
    auto admit = OfKind(kind);
    Collect(
        out, worldCenter - reach, worldCenter + reach,
        [&](const Vec3& position) {
            return (position - worldCenter).LengthSquared() <= radiusSquared;
        },
        admit, limit);
}

void World::GetNearestEntitiesInSphere(std::vector<Entity*>& out, const Region* region,
                                       const Vec3& center, float radius,
                                       const NearestFilter& filter, size_t limit) const
{
    if (region == nullptr || !(radius >= 0.0f))
        return;
    const Vec3 worldCenter = region->GetOffsetFromWorld() + center;
    const Vec3 reach(radius, radius, radius);
    const float radiusSquared = radius * radius;
    CollectNearest(
        out, worldCenter - reach, worldCenter + reach,
        [&](const Vec3& position) {
            return (position - worldCenter).LengthSquared() <= radiusSquared;
        },
        worldCenter, filter, limit);
}

void World::GetNearestEntitiesInBox(std::vector<Entity*>& out, const ABBox& box,
                                    const Region* region, const Vec3& near,
                                    const NearestFilter& filter, size_t limit) const
{
    const Vec3 shift = region != nullptr ? region->GetOffsetFromWorld() : Vec3();
    const Vec3 low = box.min + shift;
    const Vec3 high = box.max + shift;
    CollectNearest(
        out, low, high,
        [&](const Vec3& p) {
            return low.x <= p.x && p.x <= high.x && low.y <= p.y && p.y <= high.y && low.z <= p.z &&
                   p.z <= high.z;
        },
        near + shift, filter, limit);
}

template <typename Test>
void World::CollectNearest(std::vector<Entity*>& out, const Vec3& low, const Vec3& high,
                           const Test& test, const Vec3& near, const NearestFilter& filter,
                           size_t limit) const
{
    Cell first;
    Cell last;
    if (limit == 0 || filter.kind == nullptr || !ClipToOccupied(low, high, first, last))
        return;
    // The farthest kept, and of two as far the one Collect gives later, on top: the next one
    // weighed replaces it only by being nearer.
    const auto farther = [](const Candidate& a, const Candidate& b) {
        if (a.behind != b.behind)
            return b.behind;
        if (a.distanceSquared != b.distanceSquared)
            return a.distanceSquared < b.distanceSquared;
        return Earlier(a, b);
    };
    nearest.clear();
    size_t weighed[2] = {0, 0};
    auto ofKind = OfKind(*filter.kind);
    // False once the bound of those not behind is reached.
    auto visit = [&](const Occupants& occupants, size_t cellPlace) {
        if ((occupants.marks & filter.marks) == 0)
            return true;
        for (size_t i = 0; i < occupants.slots.size(); ++i) {
            const Slot& slot = occupants.slots[i];
            const bool behind = (slot.marks & filter.behindMarks) != 0;
            if ((slot.marks & filter.marks) == 0 || weighed[behind] == filter.weighed ||
                !ofKind(slot) || !test(slot.position) ||
                (filter.keep != nullptr && !(*filter.keep)(slot.entity)))
                continue;
            ++weighed[behind];
            const Candidate candidate{behind, (slot.position - near).LengthSquared(), cellPlace, i,
                                      slot.entity};
            if (nearest.size() < limit) {
                nearest.push_back(candidate);
                std::push_heap(nearest.begin(), nearest.end(), farther);
            } else if (farther(candidate, nearest.front())) {
                std::pop_heap(nearest.begin(), nearest.end(), farther);
                nearest.back() = candidate;
                std::push_heap(nearest.begin(), nearest.end(), farther);
            }
            if (!behind && weighed[0] == filter.weighed)
                return false;
        }
        return true;
    };
    // Past ring r every cell lies more than r cells' width away: once the farthest kept is
    // nearer than that (with a little to spare for rounding), no cell left can better it.
    auto ringDone = [&](int64_t ring) {
        if (nearest.size() < limit || nearest.front().behind)
            return true;
        const float reach = static_cast<float>(ring) * kCellSize * 0.999f;
        return !(nearest.front().distanceSquared < reach * reach);
    };
    WalkOutward(first, last, GetCell(near), visit, ringDone);
    std::sort(nearest.begin(), nearest.end(), Earlier);
    for (const Candidate& candidate : nearest)
        out.push_back(candidate.entity);
}

void World::GetEntitiesInBox(std::vector<Entity*>& out, const ABBox& box, const Region* region,
                             bool /*flag*/, int /*listType*/) const
{
    const auto any = [](const Slot&) { return true; };
    CollectInBox(out, box, region, any, kNoLimit);
}

void World::GetEntitiesInBox(std::vector<Entity*>& out, const ABBox& box, const Region* region,
                             const RTTI_ClassInfo& kind, size_t limit) const
{
    auto admit = OfKind(kind);
    CollectInBox(out, box, region, admit, limit);
}

template <typename Admit>
void World::CollectInBox(std::vector<Entity*>& out, const ABBox& box, const Region* region,
                         Admit& admit, size_t limit) const
{
    const Vec3 shift = region != nullptr ? region->GetOffsetFromWorld() : Vec3();
    const Vec3 low = box.min + shift;
    const Vec3 high = box.max + shift;
    Collect(
        out, low, high,
        [&](const Vec3& p) {
            return low.x <= p.x && p.x <= high.x && low.y <= p.y && p.y <= high.y && low.z <= p.z &&
                   p.z <= high.z;
        },
        admit, limit);
}

void World::GetEntitiesInFrustum(std::vector<Entity*>& out, const WorldFrustum& frustum,
                                 bool /*flag*/, int /*listType*/) const
{
    const Region* region = GetRegionById(frustum.GetRegionId());
    if (region == nullptr)
        return;
    // The planes are moved into world space once, so each entity costs six dot products.
    Frustum::Planes planes = frustum.GetFrustum().GetPlanes();
    for (Frustum::Plane& plane : planes)
        plane.distance -= Dot(plane.normal, region->GetOffsetFromWorld());
    for (Entity* entity : updateOrder) {
        if (entity == nullptr)
            continue;
        const Vec3& position = placements.find(entity)->second.position;
        const bool inside = std::all_of(planes.begin(), planes.end(), [&](const auto& plane) {
            return Dot(plane.normal, position) + plane.distance >= 0.0f;
        });
        if (inside)
            out.push_back(entity);
    }
}

void World::GetRegionsInFrustum(std::vector<Region*>& out, const WorldFrustum& frustum) const
{
    Region* own = GetRegionById(frustum.GetRegionId());
    if (own == nullptr)
        return;
    Frustum::Planes planes = frustum.GetFrustum().GetPlanes();
    for (Frustum::Plane& plane : planes)
        plane.distance -= Dot(plane.normal, own->GetOffsetFromWorld());
    out.push_back(own);
    for (const auto& [id, region] : regions) {
        if (region.get() == own)
            continue;
        const Vec3 low = region->GetBounds().min + region->GetOffsetFromWorld();
        const Vec3 high = region->GetBounds().max + region->GetOffsetFromWorld();
        // The box corner furthest along each normal decides whether all of it is behind.
        const bool reached = std::all_of(planes.begin(), planes.end(), [&](const auto& plane) {
            const Vec3 corner(plane.normal.x >= 0.0f ? high.x : low.x,
                              plane.normal.y >= 0.0f ? high.y : low.y,
                              plane.normal.z >= 0.0f ? high.z : low.z);
            return Dot(plane.normal, corner) + plane.distance >= 0.0f;
        });
        if (reached)
            out.push_back(region.get());
    }
}

void World::GetEntitiesInCone(std::vector<Entity*>& out, const WorldVec3& apex,
                              const Vec3& direction, float angle, float length, bool /*flag*/,
                              int /*listType*/) const
{
    const Region* region = GetRegionById(apex.GetRegionId());
    const Vec3 axis = direction.Unit();
    if (region == nullptr || axis.LengthSquared() <= 0.0f || !(angle >= 0.0f) || !(length >= 0.0f))
        return;
    const Vec3 worldApex = region->GetOffsetFromWorld() + apex.GetRegionPosition();
    const float cosine = Cos(Min(angle, kHalfCircle));
    const float lengthSquared = length * length;
    const Vec3 reach(length, length, length);
    Collect(out, worldApex - reach, worldApex + reach, [&](const Vec3& position) {
        const Vec3 toPoint = position - worldApex;
        const float distanceSquared = toPoint.LengthSquared();
        if (distanceSquared > lengthSquared)
            return false;
        const float distance = Sqrt(distanceSquared);
        return Dot(toPoint, axis) >= distance * (cosine - kConeEdgeSlack);
    });
}

void World::GetAllIntersections(const WorldRay& ray, std::vector<Entity*>& out, bool /*flag*/,
                                float length) const
{
    const auto any = [](const Slot&) { return true; };
    CollectOnRay(ray, out, length, any);
}

void World::GetAllIntersections(const WorldRay& ray, std::vector<Entity*>& out, bool /*flag*/,
                                float length, const RTTI_ClassInfo& kind) const
{
    auto admit = OfKind(kind);
    CollectOnRay(ray, out, length, admit);
}

template <typename Admit>
void World::CollectOnRay(const WorldRay& ray, std::vector<Entity*>& out, float length,
                         Admit& admit) const
{
    const Region* region = GetRegionById(ray.origin.GetRegionId());
    if (region == nullptr || !(length >= 0.0f) || ray.direction.LengthSquared() <= 0.0f)
        return;
    const Vec3 start = region->GetOffsetFromWorld() + ray.origin.GetRegionPosition();
    const Vec3 end = start + ray.direction * length;
    const Vec3 reach(kRayHitRadius, kRayHitRadius, kRayHitRadius);
    const Vec3 low(Min(start.x, end.x), Min(start.y, end.y), Min(start.z, end.z));
    const Vec3 high(Max(start.x, end.x), Max(start.y, end.y), Max(start.z, end.z));
    const float radiusSquared = kRayHitRadius * kRayHitRadius;
    Collect(
        out, low - reach, high + reach,
        [&](const Vec3& position) {
            const Vec3 toPoint = position - start;
            const float along = Clamp(Dot(toPoint, ray.direction), 0.0f, length);
            return (toPoint - ray.direction * along).LengthSquared() <= radiusSquared;
        },
        admit);
}

namespace {

// Slab test: the distance along the ray at which it enters the box, or +infinity for a miss.
float EnterBox(const Vec3& origin, const Vec3& direction, const ABBox& box)
{
    float enter = 0.0f;
    float leave = gPositiveInfinity;
    const float from[3] = {origin.x, origin.y, origin.z};
    const float along[3] = {direction.x, direction.y, direction.z};
    const float low[3] = {box.min.x, box.min.y, box.min.z};
    const float high[3] = {box.max.x, box.max.y, box.max.z};
    for (int axis = 0; axis < 3; ++axis) {
        if (along[axis] == 0.0f) {
            if (from[axis] < low[axis] || from[axis] > high[axis])
                return gPositiveInfinity;
            continue;
        }
        float first = (low[axis] - from[axis]) / along[axis];
        float second = (high[axis] - from[axis]) / along[axis];
        if (first > second)
            std::swap(first, second);
        enter = Max(enter, first);
        leave = Min(leave, second);
        if (!(enter <= leave))
            return gPositiveInfinity;
    }
    return enter;
}

} // namespace

bool World::GetIntersection(const WorldRay& ray, Intersection& out, int /*surface*/,
                            bool /*flag*/) const
{
    out = Intersection();
    const Region* region = GetRegionById(ray.origin.GetRegionId());
    if (region == nullptr)
        return false;
    const Vec3& origin = ray.origin.GetRegionPosition();
    const float height = origin.y - region->GetFloorHeight();
    if (ray.direction.y < 0.0f && height >= 0.0f) {
        const float distance = height / -ray.direction.y;
        Vec3 point = origin + ray.direction * distance;
        if (region->HasFloorAt(point)) {
            point.y = region->GetFloorHeight();
            out.distance = distance;
            out.point = point;
            out.surface = region->GetSurface();
        }
    }
    for (const Region::GeometryBox& geometry : region->GetGeometryBoxes()) {
        const float distance = EnterBox(origin, ray.direction, geometry.box);
        if (distance < out.distance) {
            out.distance = distance;
            out.point = origin + ray.direction * distance;
            out.surface = geometry.surface;
        }
    }
    return out.IsHit();
}

float World::GetDistanceSquared(const WorldVec3& a, const WorldVec3& b) const
{
    Vec3 position;
    if (!a.GetPositionInRegion(b.GetRegionId(), position, this))
        return gPositiveInfinity;
    return (position - b.GetRegionPosition()).LengthSquared();
}

bool World::GetPositionInWorld(const WorldVec3& point, Vec3& out) const
{
    const Region* region = GetRegionById(point.GetRegionId());
    if (region == nullptr)
        return false;
    out = region->GetOffsetFromWorld() + point.GetRegionPosition();
    return true;
}

float World::GetDistance(const WorldVec3& a, const WorldVec3& b) const
{
    return Sqrt(GetDistanceSquared(a, b));
}

std::unique_ptr<Path> World::FindPath(int32_t size, const WorldVec3& from, const WorldVec3& to,
                                      const Vec3& vector, float value0, float value1, float value2,
                                      float value3, int32_t limit)
{
    ++pathRequestCount;
    lastPathRequest = {size, from, to, {{value0, value1, value2, value3}, vector}, limit};
    return PathFinder::Instance().FindPath(this, size, from, to);
}

} // namespace GAME
