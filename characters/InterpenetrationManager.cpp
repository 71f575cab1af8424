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

#include <cmath>
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
    if (!position.TranslateToFloor(offset))
        return;
    WorldCoords coords = body.character->GetCoords();
    coords.SetPosition(position);
    if (world.SetCoords(body.character, coords))
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
    int32_t passes = 0;
    bool moved = true;
    while (moved && passes < kMaxPasses) {
        moved = false;
        ++passes;
        for (size_t i = 0; i < bodies.size(); ++i) {
            for (size_t j = i + 1; j < bodies.size(); ++j)
                moved |= Separate(*world, bodies[i], bodies[j]);
        }
    }
    return passes;
}

} // namespace GAME
