#include "engine/PathFinder.h"

#include "engine/DynamicObstacle.h"
#include "engine/Engine.h"
#include "engine/Region.h"
#include "engine/World.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace GAME {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
// Points this close to a circle count as on it: tangent points land on circles only up to
// rounding, and a mover may stand touching an obstacle.
constexpr double kEpsilon = 1e-5;

// Every angle here is within a few turns of the range, so no division is needed.
double NormalizeAngle(double angle)
{
    while (angle < 0.0)
        angle += kTwoPi;
    while (angle >= kTwoPi)
        angle -= kTwoPi;
    return angle;
}

double Distance(double x, double z)
{
    return std::sqrt(x * x + z * z);
}

bool Finite(const Vec3& v)
{
    return IsFinite(v.x) && IsFinite(v.y) && IsFinite(v.z);
}

} // namespace

PathFinder& PathFinder::Instance()
{
    static PathFinder finder;
    return finder;
}

float PathFinder::GetSizeRadius(int32_t size)
{
    // As far as a small, medium or large mover reaches from its centre.
    switch (size) {
    case 0:
        return 0.5f;
    case 1:
        return 1.0f;
    case 2:
        return 1.75f;
    default:
        return -1.0f;
    }
}

bool PathFinder::Prepare(const World* world, int32_t size, const WorldVec3& from)
{
    return Prepare(world, GetSizeRadius(size), from);
}

bool PathFinder::Prepare(const World* world, float radius, const WorldVec3& from)
{
    region = world != nullptr && radius >= 0.0f && IsFinite(radius)
                 ? world->GetRegionById(from.GetRegionId())
                 : nullptr;
    if (region == nullptr)
        return false;
    floorHeight = region->GetFloorHeight();
    circles.clear();
    for (const DynamicObstacle* obstacle : region->GetObstacles()) {
        const Sphere& sphere = obstacle->GetSphere();
        circles.push_back(
            {sphere.center.x, sphere.center.z, static_cast<double>(sphere.radius) + radius});
    }
    return true;
}

bool PathFinder::OnFloor(double x, double z) const
{
    const ABBox& bounds = region->GetBounds();
    return bounds.min.x - kEpsilon <= x && x <= bounds.max.x + kEpsilon &&
           bounds.min.z - kEpsilon <= z && z <= bounds.max.z + kEpsilon;
}

bool PathFinder::PointFree(double x, double z, int32_t ownCircle) const
{
    if (!OnFloor(x, z))
        return false;
    for (size_t i = 0; i < circles.size(); ++i) {
        const Circle& c = circles[i];
        const double dx = x - c.x;
        const double dz = z - c.z;
        const double inner = c.r - kEpsilon;
        if (static_cast<int32_t>(i) != ownCircle && dx * dx + dz * dz < inner * inner)
            return false;
    }
    return true;
}

bool PathFinder::SegmentFree(double ax, double az, double bx, double bz) const
{
    // The floor is a rectangle, so a line between two points on it stays on it.
    const double lx = bx - ax;
    const double lz = bz - az;
    const double squared = lx * lx + lz * lz;
    for (const Circle& c : circles) {
        double t = squared > 0.0 ? ((c.x - ax) * lx + (c.z - az) * lz) / squared : 0.0;
        t = Clamp(t, 0.0, 1.0);
        const double dx = ax + lx * t - c.x;
        const double dz = az + lz * t - c.z;
        const double inner = c.r - kEpsilon;
        if (dx * dx + dz * dz < inner * inner)
            return false;
    }
    return true;
}

bool PathFinder::ArcFree(int32_t circle, double startAngle, double sweep) const
{
    const Circle& own = circles[static_cast<size_t>(circle)];
    // The ends are free nodes, so an overlapping circle covers a stretch wholly inside the arc,
    // and with it the direction of its centre.
    for (size_t j = 0; j < circles.size(); ++j) {
        const Circle& other = circles[j];
        const double dx = other.x - own.x;
        const double dz = other.z - own.z;
        const double reach = own.r + other.r - kEpsilon;
        if (static_cast<int32_t>(j) == circle || dx * dx + dz * dz >= reach * reach)
            continue;
        const double d = Distance(dx, dz);
        if (d + other.r <= own.r || d + own.r <= other.r)
            continue;
        const double toward = NormalizeAngle(std::atan2(dz, dx) - startAngle);
        if (toward > 0.0 && toward < sweep)
            return false;
    }
    // An arc reaches farthest out along the axes, so those are the points to keep on the floor.
    static constexpr double kAxes[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    for (int32_t k = 0; k < 4; ++k) {
        if (NormalizeAngle(k * kPi * 0.5 - startAngle) < sweep &&
            !OnFloor(own.x + own.r * kAxes[k][0], own.z + own.r * kAxes[k][1]))
            return false;
    }
    return true;
}

int32_t PathFinder::AddNode(double x, double z, int32_t circle)
{
    if (!PointFree(x, z, circle))
        return -1;
    double angle = 0.0;
    if (circle >= 0) {
        const Circle& c = circles[static_cast<size_t>(circle)];
        angle = NormalizeAngle(std::atan2(z - c.z, x - c.x));
        circleNodes[static_cast<size_t>(circle)].push_back(static_cast<int32_t>(nodes.size()));
    }
    nodes.push_back({x, z, angle, circle});
    return static_cast<int32_t>(nodes.size()) - 1;
}

void PathFinder::AddLink(int32_t a, int32_t b, double length, int32_t circle, double sweep)
{
    links.push_back({a, b, length, circle, sweep});
    links.push_back({b, a, length, circle, -sweep});
}

void PathFinder::LinkEnd(int32_t end, int32_t circle)
{
    const Node p = nodes[static_cast<size_t>(end)];
    const Circle& c = circles[static_cast<size_t>(circle)];
    const double dx = p.x - c.x;
    const double dz = p.z - c.z;
    const double d = Distance(dx, dz);
    if (d <= c.r + kEpsilon) {
        // Touching the circle already: the end joins it where it stands.
        const int32_t on = AddNode(c.x + dx / d * c.r, c.z + dz / d * c.r, circle);
        if (on >= 0)
            AddLink(end, on, std::fabs(d - c.r));
        return;
    }
    // The two tangent points, by turning the way to the centre back by the tangent's angle.
    const double cosine = c.r / d;
    const double sine = std::sqrt(1.0 - cosine * cosine);
    const double ux = dx / d;
    const double uz = dz / d;
    for (const double side : {-1.0, 1.0}) {
        const double x = c.x + c.r * (ux * cosine - side * uz * sine);
        const double z = c.z + c.r * (uz * cosine + side * ux * sine);
        if (!SegmentFree(p.x, p.z, x, z))
            continue;
        const int32_t on = AddNode(x, z, circle);
        if (on >= 0)
            AddLink(end, on, Distance(x - p.x, z - p.z));
    }
}

void PathFinder::LinkCircles(int32_t i, int32_t j)
{
    const Circle& a = circles[static_cast<size_t>(i)];
    const Circle& b = circles[static_cast<size_t>(j)];
    const double d = Distance(b.x - a.x, b.z - a.z);
    if (d <= 0.0)
        return;
    const double ux = (b.x - a.x) / d;
    const double uz = (b.z - a.z) / d;
    // Outer tangents touch both circles on the same side, inner ones cross between them.
    for (const double sign : {1.0, -1.0}) {
        const double reach = a.r - sign * b.r;
        if (d <= std::fabs(reach) + kEpsilon)
            continue;
        const double cosine = reach / d;
        const double sine = std::sqrt(1.0 - cosine * cosine);
        for (const double side : {-1.0, 1.0}) {
            const double nx = ux * cosine - side * uz * sine;
            const double nz = uz * cosine + side * ux * sine;
            const double ax = a.x + a.r * nx;
            const double az = a.z + a.r * nz;
            const double bx = b.x + sign * b.r * nx;
            const double bz = b.z + sign * b.r * nz;
            if (!SegmentFree(ax, az, bx, bz))
                continue;
            const int32_t onA = AddNode(ax, az, i);
            if (onA < 0)
                continue;
            const int32_t onB = AddNode(bx, bz, j);
            if (onB >= 0)
                AddLink(onA, onB, Distance(bx - ax, bz - az));
        }
    }
}

void PathFinder::LinkArcs(int32_t circle)
{
    std::vector<int32_t>& onCircle = circleNodes[static_cast<size_t>(circle)];
    if (onCircle.size() < 2)
        return;
    std::sort(onCircle.begin(), onCircle.end(), [this](int32_t a, int32_t b) {
        const double left = nodes[static_cast<size_t>(a)].angle;
        const double right = nodes[static_cast<size_t>(b)].angle;
        return left != right ? left < right : a < b;
    });
    const double radius = circles[static_cast<size_t>(circle)].r;
    for (size_t k = 0; k < onCircle.size(); ++k) {
        const int32_t a = onCircle[k];
        const int32_t b = onCircle[(k + 1) % onCircle.size()];
        const double start = nodes[static_cast<size_t>(a)].angle;
        double sweep = nodes[static_cast<size_t>(b)].angle - start;
        if (k + 1 == onCircle.size())
            sweep += kTwoPi;
        if (ArcFree(circle, start, sweep))
            AddLink(a, b, radius * sweep, circle, sweep);
    }
}

bool PathFinder::Dijkstra()
{
    // The links grouped by their first node, in the order they were made.
    const size_t count = nodes.size();
    linkOffsets.assign(count + 1, 0);
    for (const Link& link : links)
        ++linkOffsets[static_cast<size_t>(link.from) + 1];
    for (size_t n = 0; n < count; ++n)
        linkOffsets[n + 1] += linkOffsets[n];
    linkOrder.resize(links.size());
    std::vector<int32_t>& fill = previousLink;
    fill.assign(linkOffsets.begin(), linkOffsets.end() - 1);
    for (size_t l = 0; l < links.size(); ++l)
        linkOrder[static_cast<size_t>(fill[static_cast<size_t>(links[l].from)]++)] =
            static_cast<int32_t>(l);

    distances.assign(count, std::numeric_limits<double>::infinity());
    previousLink.assign(count, -1);
    queue.clear();
    distances[0] = 0.0;
    queue.push_back({0.0, 0});
    // Ties go to the lower node, and a way is replaced only by a strictly shorter one.
    while (!queue.empty()) {
        std::pop_heap(queue.begin(), queue.end(), std::greater<Queued>());
        const Queued top = queue.back();
        queue.pop_back();
        const size_t node = static_cast<size_t>(top.node);
        if (top.distance > distances[node])
            continue;
        if (node == 1)
            return true;
        for (int32_t k = linkOffsets[node]; k < linkOffsets[node + 1]; ++k) {
            const Link& link = links[static_cast<size_t>(linkOrder[static_cast<size_t>(k)])];
            const double reached = top.distance + link.length;
            const size_t to = static_cast<size_t>(link.to);
            if (reached < distances[to]) {
                distances[to] = reached;
                previousLink[to] = linkOrder[static_cast<size_t>(k)];
                queue.push_back({reached, link.to});
                std::push_heap(queue.begin(), queue.end(), std::greater<Queued>());
            }
        }
    }
    return false;
}

std::unique_ptr<Path> PathFinder::MakePath(uint32_t regionId) const
{
    std::vector<int32_t> way;
    for (int32_t l = previousLink[1]; l >= 0;
         l = previousLink[static_cast<size_t>(links[static_cast<size_t>(l)].from)])
        way.push_back(l);
    std::vector<Path::Piece> pieces;
    int32_t lastCircle = -1;
    for (auto it = way.rbegin(); it != way.rend(); ++it) {
        const Link& link = links[static_cast<size_t>(*it)];
        const Node& a = nodes[static_cast<size_t>(link.from)];
        const Node& b = nodes[static_cast<size_t>(link.to)];
        const Vec3 from(static_cast<float>(a.x), floorHeight, static_cast<float>(a.z));
        const Vec3 to(static_cast<float>(b.x), floorHeight, static_cast<float>(b.z));
        // Steps onto a circle from an end touching it have no length and no piece.
        if (link.length <= 0.0)
            continue;
        if (link.circle < 0) {
            pieces.push_back({from, to, Vec3(), 0.0f, 0.0f, 0.0f, static_cast<float>(link.length)});
            lastCircle = -1;
            continue;
        }
        // One arc per pass round a circle, however many tangent points it went through.
        Path::Piece* last = pieces.empty() ? nullptr : &pieces.back();
        if (last != nullptr && link.circle == lastCircle &&
            (last->sweep < 0.0f) == (link.sweep < 0.0)) {
            last->to = to;
            last->sweep += static_cast<float>(link.sweep);
            last->length += static_cast<float>(link.length);
            continue;
        }
        const Circle& c = circles[static_cast<size_t>(link.circle)];
        pieces.push_back({from, to,
                          Vec3(static_cast<float>(c.x), floorHeight, static_cast<float>(c.z)),
                          static_cast<float>(c.r), static_cast<float>(a.angle),
                          static_cast<float>(link.sweep), static_cast<float>(link.length)});
        lastCircle = link.circle;
    }
    return std::make_unique<Path>(regionId, std::move(pieces));
}

std::unique_ptr<Path> PathFinder::FindPath(const World* world, int32_t size, const WorldVec3& from,
                                           const WorldVec3& to)
{
    Vec3 end;
    const Vec3& start = from.GetRegionPosition();
    if (!Prepare(world, size, from) || !to.GetPositionInRegion(from.GetRegionId(), end, world) ||
        !Finite(start) || !Finite(end) || !PointFree(start.x, start.z, -1) ||
        !PointFree(end.x, end.z, -1))
        return nullptr;
    const Vec3 a(start.x, floorHeight, start.z);
    const Vec3 b(end.x, floorHeight, end.z);
    if (SegmentFree(a.x, a.z, b.x, b.z)) {
        std::vector<Path::Piece> pieces(1);
        pieces[0].from = a;
        pieces[0].to = b;
        pieces[0].length = (b - a).Length();
        return std::make_unique<Path>(from.GetRegionId(), std::move(pieces));
    }
    nodes.clear();
    links.clear();
    circleNodes.resize(Max(circleNodes.size(), circles.size()));
    for (std::vector<int32_t>& list : circleNodes)
        list.clear();
    nodes.push_back({a.x, a.z, 0.0, -1});
    nodes.push_back({b.x, b.z, 0.0, -1});
    const int32_t count = static_cast<int32_t>(circles.size());
    for (int32_t i = 0; i < count; ++i) {
        LinkEnd(0, i);
        LinkEnd(1, i);
        for (int32_t j = i + 1; j < count; ++j)
            LinkCircles(i, j);
    }
    for (int32_t i = 0; i < count; ++i)
        LinkArcs(i);
    return Dijkstra() ? MakePath(from.GetRegionId()) : nullptr;
}

WorldVec3 PathFinder::GetFurthestPoint(int32_t size, const WorldVec3& from, const WorldVec3& to)
{
    return GetFurthestPoint(gEngine->GetWorld(), size, from, to);
}

WorldVec3 PathFinder::GetFurthestPoint(const World* world, int32_t size, const WorldVec3& from,
                                       const WorldVec3& to)
{
    Vec3 end;
    const Vec3& start = from.GetRegionPosition();
    if (!Prepare(world, size, from) || !to.GetPositionInRegion(from.GetRegionId(), end, world) ||
        !Finite(start) || !Finite(end) || !PointFree(start.x, start.z, -1))
        return from;
    const double lx = static_cast<double>(end.x) - start.x;
    const double lz = static_cast<double>(end.z) - start.z;
    double reach = 1.0;
    // Where the line leaves the floor's rectangle.
    const ABBox& bounds = region->GetBounds();
    const auto clip = [&reach](double origin, double delta, double low, double high) {
        if (delta > 0.0)
            reach = Min(reach, (high - origin) / delta);
        else if (delta < 0.0)
            reach = Min(reach, (low - origin) / delta);
    };
    clip(start.x, lx, bounds.min.x, bounds.max.x);
    clip(start.z, lz, bounds.min.z, bounds.max.z);
    // Where it first enters a circle; one it starts touching stops it only when heading in.
    const double squared = lx * lx + lz * lz;
    for (const Circle& c : circles) {
        const double ox = start.x - c.x;
        const double oz = start.z - c.z;
        const double half = ox * lx + oz * lz;
        const double rest = ox * ox + oz * oz - c.r * c.r;
        const double discriminant = half * half - squared * rest;
        if (squared <= 0.0 || discriminant <= 0.0)
            continue;
        const double enter = (-half - std::sqrt(discriminant)) / squared;
        if (enter >= 0.0)
            reach = Min(reach, enter);
        else if (half < 0.0 && rest <= 0.0)
            reach = 0.0;
    }
    reach = Max(reach, 0.0);
    if (reach >= 1.0)
        return WorldVec3(from.GetRegionId(), end);
    return WorldVec3(from.GetRegionId(), Lerp(start, end, static_cast<float>(reach)));
}

bool PathFinder::TestPointCollide(int32_t size, const WorldVec3& point)
{
    return TestPointCollide(gEngine->GetWorld(), size, point);
}

bool PathFinder::TestPointCollide(const World* world, int32_t size, const WorldVec3& point)
{
    const Vec3& p = point.GetRegionPosition();
    return !Prepare(world, size, point) || !Finite(p) || !PointFree(p.x, p.z, -1);
}

size_t PathFinder::FillPointSet(int32_t size, const WorldVec3& center,
                                const std::vector<float>& spacings, std::vector<WorldVec3>& out)
{
    return FillPointSet(gEngine->GetWorld(), size, center, spacings, out);
}

size_t PathFinder::FillPointSet(const World* world, int32_t size, const WorldVec3& center,
                                const std::vector<float>& spacings, std::vector<WorldVec3>& out)
{
    static constexpr float kDirections[4][2] = {
        {1.0f, 0.0f}, {0.0f, 1.0f}, {-1.0f, 0.0f}, {0.0f, -1.0f}};
    out.clear();
    float distance = 0.0f;
    for (size_t i = 0; i < spacings.size(); ++i) {
        distance += spacings[i];
        const float* direction = kDirections[i % 4];
        WorldVec3 point = center;
        point.TranslateInRegion(Vec3(direction[0] * distance, 0.0f, direction[1] * distance));
        if (!TestPointCollide(world, size, point))
            out.push_back(point);
    }
    return out.size();
}

size_t PathFinder::FillPointSet(const WorldVec3& center, const std::vector<float>& bodyRadii,
                                std::vector<WorldVec3>& out)
{
    return FillPointSet(gEngine->GetWorld(), center, bodyRadii, out);
}

size_t PathFinder::FillPointSet(const WorldVec3& center, const std::vector<float>& bodyRadii,
                                std::vector<WorldVec3>& out, bool /*randomRotation*/)
{
    return FillPointSet(gEngine->GetWorld(), center, bodyRadii, out, true);
}

size_t PathFinder::FillPointSet(const World* world, const WorldVec3& center,
                                const std::vector<float>& bodyRadii, std::vector<WorldVec3>& out)
{
    return FillPointSet(world, center, bodyRadii, out, false);
}

size_t PathFinder::FillPointSet(const World* world, const WorldVec3& center,
                                const std::vector<float>& bodyRadii, std::vector<WorldVec3>& out,
                                bool keep)
{
    // Rings farther out than this are no longer "round" the centre.
    static constexpr int32_t kRings = 8;
    static constexpr double kMinStep = 0.25;
    out.clear();
    const Vec3& c = center.GetRegionPosition();
    if (!Finite(c))
        return 0;
    // Bodies placed so far, so that the next one stands clear of them.
    std::vector<Circle> placed;
    for (const FilledBody& filled : fillData) {
        if (keep && filled.regionId == center.GetRegionId())
            placed.push_back(filled.body);
    }
    for (const float bodyRadius : bodyRadii) {
        if (!Prepare(world, bodyRadius, center))
            continue;
        for (const Circle& body : placed)
            circles.push_back({body.x, body.z, body.r + bodyRadius});
        const double step = Max(static_cast<double>(bodyRadius), kMinStep);
        bool found = PointFree(c.x, c.z, -1);
        double x = c.x;
        double z = c.z;
        for (int32_t ring = 1; ring <= kRings && !found; ++ring) {
            // Six more points each ring out, so neighbours stay about a radius apart.
            const int32_t count = 6 * ring;
            for (int32_t i = 0; i < count && !found; ++i) {
                const double angle = kTwoPi * i / count;
                x = c.x + std::cos(angle) * step * ring;
                z = c.z + std::sin(angle) * step * ring;
                found = PointFree(x, z, -1);
            }
        }
        if (!found)
            continue;
        placed.push_back({x, z, static_cast<double>(bodyRadius)});
        if (keep)
            fillData.push_back({center.GetRegionId(), placed.back()});
        out.emplace_back(center.GetRegionId(),
                         Vec3(static_cast<float>(x), c.y, static_cast<float>(z)));
    }
    return out.size();
}

} // namespace GAME
