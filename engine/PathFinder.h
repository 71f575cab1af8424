#pragma once

#include "engine/Path.h"
#include "engine/Vec3.h"
#include "engine/WorldVec3.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace GAME {

class Region;
class World;

// Finds ways across region floors round the attached dynamic obstacles. No grid and no mesh:
// each obstacle is a circle grown by the mover's radius, and the shortest way runs along lines
// tangent to those circles and arcs on them. Same inputs, same answer.
class PathFinder {
public:
    static PathFinder& Instance();

    // The mover's radius for a pathing size (0 small, 1 medium, 2 large); negative otherwise.
    static float GetSizeRadius(int32_t size);

    // The shortest way from `from` to `to`, staying in the region of `from`. Null for an unknown
    // size or region, an end off the floor or inside an obstacle, or no way round.
    std::unique_ptr<Path> FindPath(const World* world, int32_t size, const WorldVec3& from,
                                   const WorldVec3& to);
    // The farthest point of the straight line from `from` towards `to` that the mover reaches
    // without leaving the floor or entering an obstacle: `to` itself when the line is free,
    // `from` when the mover cannot start. On the engine's world unless one is given.
    WorldVec3 GetFurthestPoint(int32_t size, const WorldVec3& from, const WorldVec3& to);
    WorldVec3 GetFurthestPoint(const World* world, int32_t size, const WorldVec3& from,
                               const WorldVec3& to);
    // True when a mover of this size cannot stand at the point: no known region, off the floor
    // or inside an obstacle.
    bool TestPointCollide(int32_t size, const WorldVec3& point);
    bool TestPointCollide(const World* world, int32_t size, const WorldVec3& point);
    // Free standing points around `center`, one per spacing: the i-th lies the sum of the first
    // i + 1 spacings away, a quarter turn on from the one before (+x, +z, -x, -z, ...), so the
    // set winds outwards. Points where the mover cannot stand are left out. Replaces `out`;
    // the number of points found.
    size_t FillPointSet(int32_t size, const WorldVec3& center, const std::vector<float>& spacings,
                        std::vector<WorldVec3>& out);
    size_t FillPointSet(const World* world, int32_t size, const WorldVec3& center,
                        const std::vector<float>& spacings, std::vector<WorldVec3>& out);
    // One free standing point per body radius, nearest first: the centre itself when the body
    // fits there, else the first free point on rings a body's radius apart, turning from +x.
    // Each body keeps clear of the floor's edge, the attached obstacles and the bodies placed
    // before it; a body with no place (or a radius that is negative or not a number) is left
    // out. Replaces `out`; the number of points found.
    size_t FillPointSet(const WorldVec3& center, const std::vector<float>& bodyRadii,
                        std::vector<WorldVec3>& out);
    size_t FillPointSet(const World* world, const WorldVec3& center,
                        const std::vector<float>& bodyRadii, std::vector<WorldVec3>& out);
    // The same, also keeping clear of the bodies of earlier fills in the region until
    // `ClearFillData`, so that groups placed one after another do not overlap. The flag is kept
    // for callers that ask for a random rotation; the points carry none.
    size_t FillPointSet(const WorldVec3& center, const std::vector<float>& bodyRadii,
                        std::vector<WorldVec3>& out, bool randomRotation);
    // Forgets the bodies of earlier fills.
    void ClearFillData() { fillData.clear(); }

private:
    struct Circle {
        double x;
        double z;
        double r;
    };
    struct Node {
        double x;
        double z;
        // About its circle's centre, in [0, 2 pi); 0 for the two ends.
        double angle;
        int32_t circle;
    };
    // A way from one node to another: a straight line (circle -1) or an arc of `sweep` radians.
    struct Link {
        int32_t from;
        int32_t to;
        double length;
        int32_t circle;
        double sweep;
    };
    struct Queued {
        double distance;
        int32_t node;
        bool operator>(const Queued& other) const
        {
            return distance != other.distance ? distance > other.distance : node > other.node;
        }
    };

    // Takes the region of `from` and its obstacles grown by the mover's radius; false for an
    // unknown size or region.
    size_t FillPointSet(const World* world, const WorldVec3& center,
                        const std::vector<float>& bodyRadii, std::vector<WorldVec3>& out,
                        bool keep);
    bool Prepare(const World* world, int32_t size, const WorldVec3& from);
    bool Prepare(const World* world, float radius, const WorldVec3& from);
    bool OnFloor(double x, double z) const;
    bool PointFree(double x, double z, int32_t ownCircle) const;
    bool SegmentFree(double ax, double az, double bx, double bz) const;
    bool ArcFree(int32_t circle, double startAngle, double sweep) const;
    int32_t AddNode(double x, double z, int32_t circle);
    void AddLink(int32_t a, int32_t b, double length, int32_t circle = -1, double sweep = 0.0);
    void LinkEnd(int32_t end, int32_t circle);
    void LinkCircles(int32_t i, int32_t j);
    void LinkArcs(int32_t circle);
    bool Dijkstra();
    std::unique_ptr<Path> MakePath(uint32_t regionId) const;

    // The search in hand; kept between searches so that a warmed-up finder does not allocate.
    const Region* region = nullptr;
    float floorHeight = 0.0f;
    std::vector<Circle> circles;
    std::vector<Node> nodes;
    std::vector<std::vector<int32_t>> circleNodes;
    std::vector<Link> links;
    std::vector<int32_t> linkOffsets;
    std::vector<int32_t> linkOrder;
    std::vector<double> distances;
    std::vector<int32_t> previousLink;
    std::vector<Queued> queue;
    // Bodies placed by the keeping fills, with their region.
    struct FilledBody {
        uint32_t regionId;
        Circle body;
    };
    std::vector<FilledBody> fillData;
};

} // namespace GAME
