#include "characters/InterpenetrationManager.h"

#include "characters/Character.h"
#include "characters/Npc.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/GraphicsEngine.h"
#include "engine/Vec3.h"
#include "engine/Viewport.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "world/GameCamera.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace GAME {

namespace {

// What a pass reads of a character: all but the position are fixed for the call, and the
// position is kept in step with every push, so a pair costs no lookups.
struct Body {
    Character* character;
    WorldVec3 position;
    float radius;
    float mass;
    bool active;
    bool npc;
};

// What the far-apart test reads, column by column so that one character's row against the rest
// runs as a plain loop the compiler can vectorise. The test's margin is wider than Separate's,
// so it only turns down pairs Separate would; anything unclear (other regions, NaN) goes on to
// Separate.
class NearTable {
public:
    explicit NearTable(const std::vector<Body>& bodies)
        : x(bodies.size()), z(bodies.size()), radius(bodies.size()), regionId(bodies.size()),
          skip(bodies.size()), candidate(bodies.size() + kWord, 0)
    {
        for (size_t i = 0; i < bodies.size(); ++i)
            Update(i, bodies[i]);
    }

    void Update(size_t i, const Body& body)
    {
        const Vec3& p = body.position.GetRegionPosition();
        x[i] = p.x;
        z[i] = p.z;
        radius[i] = body.radius;
        regionId[i] = body.position.GetRegionId();
        skip[i] = (body.active ? 0u : kInactive) | (body.npc ? kNpc : 0u);
    }

    // Marks the pairs (i, j), j from `first` on, that Separate has to look at while i stays
    // within half of kSlack (see HasDrifted) of where it stands now.
    void MarkRow(size_t i, size_t first)
    {
        const float ax = x[i];
        const float az = z[i];
        const float ar = radius[i] + kSlack;
        const uint32_t region = regionId[i];
        const uint32_t skipMask = (skip[i] & kNpc) != 0 ? kInactive | kNpc : kInactive;
        markX = ax;
        markZ = az;
        markRegionId = region;
        for (size_t j = first; j < x.size(); ++j) {
            const float dx = x[j] - ax;
            const float dz = z[j] - az;
            const float reach = ar + radius[j];
            // Bitwise, not short-circuit, so the loop has no branches.
            const uint32_t far = static_cast<uint32_t>(regionId[j] == region) &
                                 static_cast<uint32_t>(dx * dx + dz * dz > reach * reach * 1.01f);
            candidate[j] = static_cast<uint8_t>((far | (skip[j] & skipMask)) == 0);
        }
    }

    // Whether i has left the reach of the last MarkRow. Within half the slack, every pair
    // Separate would act on is still marked: by the triangle inequality the old distance is at
    // most the new one plus the drift, and float subtraction, squares and sums err only
    // relatively (a few parts in 2^24), far inside the 1.01 margin. NaN counts as drifted.
    bool HasDrifted(size_t i) const
    {
        const float dx = x[i] - markX;
        const float dz = z[i] - markZ;
        constexpr float kHalf = kSlack * 0.5f;
        return regionId[i] != markRegionId || !(dx * dx + dz * dz <= kHalf * kHalf);
    }

    // The first marked j at or after `first`, else the count. A word at a time: in a crowd
    // nearly every mark is 0.
    size_t NextCandidate(size_t first) const
    {
        const size_t count = x.size();
        for (size_t j = first; j < count; j += kWord) {
            uint64_t word;
            std::memcpy(&word, candidate.data() + j, kWord);
            if (word == 0)
                continue;
            for (size_t k = j; k < j + kWord; ++k) {
                if (candidate[k] != 0)
                    return std::min(count, k);
            }
        }
        return count;
    }

private:
    // How much farther than touching a row marks, so that a push of i seldom needs a new row.
    static constexpr float kSlack = 0.5f;
    static constexpr uint32_t kInactive = 1;
    static constexpr uint32_t kNpc = 2;
    // Marks past the end stay 0, so a word read never runs off the table.
    static constexpr size_t kWord = sizeof(uint64_t);

    std::vector<float> x;
    std::vector<float> z;
    std::vector<float> radius;
    std::vector<uint32_t> regionId;
    std::vector<uint32_t> skip;
    std::vector<uint8_t> candidate;
    float markX = 0.0f;
    float markZ = 0.0f;
    uint32_t markRegionId = 0;
};

// A path mass at or below 0 pins the character: a negative one would otherwise flip the shares
// and can make their sum 0.
bool IsMovable(float mass)
{
    return mass > 0.0f;
}

// A's share of the correction.
float ShareOf(const Body& a, const Body& b)
{
    if (!IsMovable(a.mass))
        return 0.0f;
    if (!IsMovable(b.mass))
        return 1.0f;
    return b.mass / (a.mass + b.mass);
}

void Push(World& world, Body& body, const Vec3& offset)
{
    WorldVec3 position = body.position;
    if (!position.TranslateToFloor(offset, world))
        return;
    if (world.SetPosition(body.character, position))
        body.position = position;
}

// True when the pair overlapped (whether or not anybody could move).
bool Separate(World& world, Body& a, Body& b)
{
    if (!a.active || !b.active || (a.npc && b.npc))
        return false;
    const WorldVec3& posA = a.position;
    const WorldVec3& posB = b.position;
    Vec3 localB = posB.GetRegionPosition();
    if (posA == posB || (posB.GetRegionId() != posA.GetRegionId() &&
                         !posB.GetPositionInRegion(posA.GetRegionId(), localB)))
        return false;
    Vec3 d = localB - posA.GetRegionPosition();
    d.y = 0.0f;
    const float reach = a.radius + b.radius;
    const float lengthSquared = Dot(d, d);
    // Most pairs in a crowd are far apart; the margin leaves the exact test below to decide
    // every pair near touching.
    if (lengthSquared > reach * reach * 1.001f)
        return false;
    const float length = std::sqrt(lengthSquared);
    if (length <= 0.0001f || length >= reach)
        return false;
    d = d * (1.0f / length);
    const float overlap = reach - length;
    const float share = ShareOf(a, b);
    if (IsMovable(a.mass))
        Push(world, a, d * (-overlap * share));
    if (IsMovable(b.mass))
        Push(world, b, d * (overlap * (1.0f - share)));
    return true;
}

} // namespace

InterpenetrationManager::InterpenetrationManager() = default;

InterpenetrationManager::~InterpenetrationManager() = default;

int32_t InterpenetrationManager::FixupCharacterCollisions(const GameCamera& camera)
{
    World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    if (world == nullptr || gEngine->IsLevelEditor())
        return 0;
    const GraphicsEngine& graphics = GraphicsEngine::Instance();
    const Viewport viewport(0, 0, graphics.GetWidth(), graphics.GetHeight());
    std::vector<Entity*> entities;
    world->GetEntitiesInFrustum(entities, camera.GetFrustum(viewport));
    std::vector<Body> bodies;
    bodies.reserve(entities.size());
    for (Entity* entity : entities) {
        Character* character = DynamicCast<Character>(entity);
        if (character == nullptr)
            continue;
        bodies.push_back(Body{character, character->GetCoords().GetPosition(),
                              character->GetExtents(), character->GetPathMass(),
                              character->IsAlive() && character->GetVisibility(),
                              character->GetClassInfo()->IsA(Npc::classInfo)});
    }
    const size_t count = bodies.size();
    NearTable near(bodies);
    int32_t passes = 0;
    bool moved = true;
    while (moved && passes < kMaxPasses) {
        moved = false;
        ++passes;
        for (size_t i = 0; i < count; ++i) {
            if (!bodies[i].active)
                continue;
            near.MarkRow(i, i + 1);
            for (size_t j = near.NextCandidate(i + 1); j < count; j = near.NextCandidate(j + 1)) {
                const WorldVec3 before = bodies[i].position;
                moved |= Separate(*world, bodies[i], bodies[j]);
                near.Update(j, bodies[j]);
                // The rest of the row was marked from where i stood.
                if (bodies[i].position != before) {
                    near.Update(i, bodies[i]);
                    if (near.HasDrifted(i))
                        near.MarkRow(i, j + 1);
                }
            }
        }
    }
    return passes;
}

} // namespace GAME
