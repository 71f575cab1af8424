// How a projectile flies and hits.
//
// Every machine launches the same projectile from the skill's create-projectile command, with
// the seed the command carries, so every machine flies it alike. Each update moves it and
// checks the stretch it covered since the last check (at least 1.0 long) for characters the
// skill may hit. Skills attach modifiers to a projectile — the launching skill's own, and those
// of modifier skills: each one keeps the targets it already reported, so a target crossed twice
// or met again by an explosion counts once per modifier. What a check finds goes to each
// modifier's skill as target information; the skill decides on the controlling machine and
// sends one result that every machine applies. A hit may explode (every explosion modifier
// looks round the point of impact) and fragment (new projectiles fanned out from the point,
// which leave the target just hit alone). The kinds decide what stops them: a fireball stops
// at its first target unless a piercing roll says otherwise, and at its range.

#include "world/ProjectileBase.h"

#include "characters/Character.h"
#include "core/MathUtils.h"
#include "core/RandomHelpers.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/World.h"
#include "engine/WorldRay.h"
#include "game/GameEngine.h"
#include "skills/Skill.h"

#include <algorithm>
#include <cmath>

namespace GAME {

namespace {

constexpr Vec3 kFlightUp{0.0f, 1.0f, 0.0f};
constexpr Vec3 kPitchAxis{1.0f, 0.0f, 0.0f};
constexpr float kGravity = 9.8f;
// An arc at this angle is all but a straight shot.
constexpr float kFlatAngleDegrees = 0.1f;
// Beyond a full turn in whole degrees the fan's step is 0: more fragments only pile up.
constexpr int32_t kMaxFragments = 360;

void SetCoordsInWorld(Entity* entity, const WorldCoords& coords)
{
    if (World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr)
        world->SetCoords(entity, coords);
}

// The target in the frame's region; false when it cannot be expressed there.
bool InFrame(const WorldCoords& frame, const WorldVec3& target, Vec3& out)
{
    return target.GetPositionInRegion(frame.GetRegionId(), out) && std::isfinite(out.x) &&
           std::isfinite(out.y) && std::isfinite(out.z);
}

} // namespace

WorldVec3 ProjectileBase::BeginFlight(bool raisePointTarget, bool aimAtHitPoint)
{
    ProjectileBase::ProjectileGo();
    if (World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr)
        world->AddEntity(this, info.launchCoords, true);
    if (const Character* target = ObjectManager::Instance().GetObject<Character>(info.targetId))
        return aimAtHitPoint ? GetHitPoint(*target) : target->GetCoords().GetPosition();
    WorldVec3 aim = info.targetPoint;
    if (raisePointTarget)
        aim.TranslateInRegion(kFlightUp);
    return aim;
}

void ProjectileBase::EndFlightStart()
{
    flightFx.StartFx();
    StartLaunchAnimation();
}

void ProjectileBase::AimStraight(const WorldVec3& aim, float threshold)
{
    const bool hasTarget = ObjectManager::Instance().GetObject<Character>(info.targetId) != nullptr;
    Vec3 there;
    const WorldVec3 from = info.launchCoords.GetPosition();
    const bool related = aim.GetPositionInRegion(from.GetRegionId(), there);
    if (hasTarget || (related && (there - from.GetRegionPosition()).Length() > threshold))
        MoveStraightLine(aim);
    else
        MoveStraightLine();
}

bool ProjectileBase::StrikeAlongPath()
{
    const float roll = randomGen.FGenerate(0.1f, 100.0f);
    const bool piercing = roll < GetPiercingModifier(info.skillId) + info.piercingChance;
    std::vector<uint32_t> hits;
    ProcessPathTargets(!piercing, hits);
    bool anyExploded = false;
    for (uint32_t id : hits) {
        if (ObjectManager::Instance().GetObject<Actor>(id) == nullptr)
            continue;
        WorldCoords at = GetCoords();
        const bool exploded = ProcessExplosion(false, at);
        anyExploded = anyExploded || exploded;
        if (exploded)
            PlayExplodingHitSound(at.GetPosition());
        else
            PlayHitSound(at.GetPosition());
        ProcessFragmentation(id, at);
    }
    if (hits.empty())
        return false;
    if (anyExploded)
        CreateExploadingImpactFx();
    else
        CreateImpactFx();
    return !piercing;
}

bool ProjectileBase::IsBeyondRange() const
{
    Vec3 here;
    const WorldVec3 launch = info.launchCoords.GetPosition();
    return GetCoords().GetPosition().GetPositionInRegion(launch.GetRegionId(), here) &&
           (here - launch.GetRegionPosition()).Length() >= distance;
}

void ProjectileBase::MoveStraightLine(const WorldVec3& point)
{
    SetGravityEnabled(false);
    StartPhysicsFlight();
    WorldCoords coords = GetCoords();
    coords.LookAt(coords.GetPosition(), point, kFlightUp);
    SetCoordsInWorld(this, coords);
    ApplyFumbleDamage();
    const float speed = velocity + velocity * info.speedBonus * 0.01f;
    SetVelocity(GetCoords().GetRegionCoords().forward * speed);
}

void ProjectileBase::MoveStraightLine()
{
    SetGravityEnabled(false);
    StartPhysicsFlight();
    ApplyFumbleDamage();
    SetVelocity(GetCoords().GetRegionCoords().forward * velocity);
}

float ProjectileBase::CalculateLaunchSpeed(const WorldCoords& from, const WorldVec3& to,
                                           float angle)
{
    Vec3 there;
    if (!InFrame(from, to, there))
        return std::nanf("");
    const Vec3 v = there - from.GetRegionCoords().origin;
    const float h = v.y;
    const float d = Vec3(v.x, 0.0f, v.z).Length();
    if (d < 0.0001f)
        return 0.0001f;
    const float cosine = Cos(angle);
    return Sqrt(kGravity * d * d / (2.0f * cosine * cosine * (d * Tan(angle) - h)));
}

void ProjectileBase::MoveTrajectory(const WorldVec3& target, float angle, bool spin)
{
    WorldCoords coords = GetCoords();
    const Vec3 from = coords.GetRegionCoords().origin;
    Vec3 aim;
    if (!InFrame(coords, target, aim))
        aim = from;
    if ((aim - from).LengthSquared() <= 0.0001f)
        aim += coords.GetRegionCoords().forward * distance;
    const WorldVec3 aimPoint(coords.GetRegionId(), aim);
    coords.LookAt(coords.GetPosition(), WorldVec3(coords.GetRegionId(), {aim.x, from.y, aim.z}),
                  kFlightUp);
    float speed = CalculateLaunchSpeed(coords, aimPoint, angle);
    // Too slow a lob (or none at all over a wall too steep) is shot almost flat instead.
    if (!std::isfinite(speed) || Min(velocity, 5.0f) > speed) {
        angle = DegreesToRadians(kFlatAngleDegrees);
        speed = CalculateLaunchSpeed(coords, aimPoint, angle);
    }
    if (!std::isfinite(speed)) {
        angle = 0.0f;
        speed = velocity;
    }
    coords.SetRegionCoords(coords.GetRegionCoords() *
                           Coords::RotationAboutAxis(-angle, kPitchAxis));
    SetCoordsInWorld(this, coords);
    ApplyFumbleDamage();
    SetGravityEnabled(true);
    StartPhysicsFlight();
    SetVelocity(GetCoords().GetRegionCoords().forward * speed);
    if (!spin)
        return;
    // For show only: unseeded, machines need not agree on it.
    const float x = RandomFloat(-10.0f, 10.0f);
    const float y = RandomFloat(-10.0f, 10.0f);
    const float z = RandomFloat(-10.0f, 10.0f);
    gEngine->GetPhysicsEngine().SetEntityAngularVelocity(this, Vec3(x, y, z));
}

void ProjectileBase::ApplyFumbleDamage()
{
    const Character* owner = GetOwner();
    if (owner == nullptr)
        return;
    const float fumble = owner->GetFumbleDamage();
    const float projectileFumble = owner->GetProjectileFumbleDamage();
    // Only a clumsy owner draws: the draw count must match on every machine either way.
    if (!(fumble > 0.0f) && !(projectileFumble > 0.0f))
        return;
    const float r1 = randomGen.FGenerate(0.0f, 100.0f);
    const float r2 = randomGen.FGenerate(0.0f, 100.0f);
    if (!(r1 <= fumble) && !(r2 <= projectileFumble))
        return;
    float yaw = randomGen.FGenerate(10.0f, 20.0f);
    float pitch = randomGen.FGenerate(5.0f, 10.0f);
    const int k = randomGen.IGenerate(0, 3);
    if (k == 0 || k == 2)
        yaw = -yaw;
    if (k == 1 || k == 2)
        pitch = -pitch;
    WorldCoords coords = GetCoords();
    coords.SetRegionCoords(coords.GetRegionCoords() *
                           Coords::RotationAboutAxis(DegreesToRadians(yaw), kFlightUp) *
                           Coords::RotationAboutAxis(DegreesToRadians(pitch), kPitchAxis));
    SetCoordsInWorld(this, coords);
}

void ProjectileBase::AddProjectileModifier(const ProjectileModifierStruct& modifier)
{
    modifierCopies.push_back(modifier);
    modifiers.push_back(std::make_unique<ModifierRecord>(ModifierRecord{modifier, {}}));
    ModifierRecord* record = modifiers.back().get();

    const bool explodes = modifier.explosionRadius > 0.0f;
    if (!modifier.fragmentsName.empty()) {
        fragmentList.push_back(record);
        // Another skill's fragments only fragment: its explosion and path checks belong to
        // whichever projectile that skill launched itself.
        if (modifier.ownerSkillId != info.skillId)
            return;
    }
    if (explodes)
        explosionList.push_back(record);
    pathList.push_back(record);
}

float ProjectileBase::GetPiercingModifier(uint32_t skillId) const
{
    float total = 0.0f;
    for (const ProjectileModifierStruct& modifier : modifierCopies) {
        if (modifier.ownerSkillId == skillId)
            total += modifier.piercingChance;
    }
    return total;
}

void ProjectileBase::SetFilteredTargets(const std::vector<uint32_t>& targets)
{
    for (const std::vector<ModifierRecord*>* list : {&pathList, &explosionList, &fragmentList}) {
        for (ModifierRecord* record : *list)
            record->knownTargets = targets;
    }
}

void ProjectileBase::GetTargetsAlongPath(std::vector<uint32_t>& out, bool firstOnly)
{
    const WorldVec3 position = GetFlightCoords().GetPosition();
    Vec3 here;
    Vec3 travel;
    if (position.GetPositionInRegion(lastPosition.GetRegionId(), here))
        travel = here - lastPosition.GetRegionPosition();
    // Standing still, the check looks ahead rather than along no direction at all.
    const Vec3 direction =
        travel.LengthSquared() > 0.0f ? travel : GetCoords().GetRegionCoords().forward;
    const float length = std::max(travel.Length(), 1.0f);
    std::vector<uint32_t> found;
    if (gGameEngine != nullptr)
        gGameEngine->GetTargetsAlongRay(info.team, WorldRay(lastPosition, direction), length, found,
                                        info.ownerId, info.friendlyTargets);
    if (firstOnly && !found.empty())
        out.push_back(found.front());
    else if (!firstOnly)
        out.insert(out.end(), found.begin(), found.end());
    lastPosition = position;
}

void ProjectileBase::FilterAndAddKnownTargets(const std::vector<uint32_t>& found,
                                              std::vector<uint32_t>& known,
                                              std::vector<uint32_t>& out, bool firstOnly)
{
    for (uint32_t id : found) {
        if (std::find(known.begin(), known.end(), id) != known.end())
            continue;
        out.push_back(id);
        known.push_back(id);
        if (firstOnly)
            return;
    }
}

void ProjectileBase::ReportTargets(uint32_t skillId, const WorldCoords& at,
                                   const std::vector<uint32_t>& targets) const
{
    if (Skill* skill = ObjectManager::Instance().GetObject<Skill>(skillId))
        skill->TargetInformation(info, at, targets);
}

void ProjectileBase::ProcessPathTargets(bool firstOnly, std::vector<uint32_t>& out)
{
    std::vector<uint32_t> found;
    GetTargetsAlongPath(found, false);
    if (found.empty())
        return;
    for (ModifierRecord* record : pathList) {
        std::vector<uint32_t> fresh;
        FilterAndAddKnownTargets(found, record->knownTargets, fresh, firstOnly);
        if (record->modifier.ownerSkillId == info.skillId)
            out.insert(out.end(), fresh.begin(), fresh.end());
        ReportTargets(record->modifier.ownerSkillId, GetCoords(), fresh);
    }
}

bool ProjectileBase::ProcessExplosion(bool all, WorldCoords& at)
{
    for (ModifierRecord* record : explosionList) {
        std::vector<uint32_t> found;
        if (gGameEngine != nullptr)
            gGameEngine->GetTargetsInRadius(info.team, at.GetPosition(),
                                            record->modifier.explosionRadius, found, info.ownerId,
                                            info.friendlyTargets);
        std::vector<uint32_t> fresh;
        if (all)
            fresh = found;
        else
            FilterAndAddKnownTargets(found, record->knownTargets, fresh, false);
        ReportTargets(record->modifier.ownerSkillId, at, fresh);
    }
    return !explosionList.empty();
}

void ProjectileBase::ProcessFragmentation(uint32_t hitTargetId, WorldCoords& at)
{
    WorldVec3 spawn = at.GetPosition();
    spawn.PutOnFloor();
    spawn.TranslateInRegion(Vec3(0.0f, 1.0f, 0.0f));
    const std::vector<uint32_t> filtered{hitTargetId};
    bool swiped = false;
    for (const ModifierRecord* record : fragmentList) {
        const ProjectileModifierStruct& modifier = record->modifier;
        const int32_t n = std::min(
            randomGen.IGenerate(modifier.fragmentsMin, modifier.fragmentsMax), kMaxFragments);
        if (modifier.fragmentsName.empty() || n <= 0)
            continue;
        const int32_t step = 360 / n;
        float angle = 0.0f;
        for (int32_t i = 0; i < n; ++i) {
            angle += static_cast<float>(randomGen.IGenerate(-30, 30) + step);
            Coords rotation = Coords::RotationAboutAxis(DegreesToRadians(angle), kFlightUp);
            rotation.origin = spawn.GetRegionPosition();
            const WorldCoords coords(spawn.GetRegionId(), rotation);
            ProjectileBase* fragment =
                ObjectManager::Instance().CreateObjectFromFile<ProjectileBase>(
                    modifier.fragmentsName, 0, true);
            if (fragment == nullptr) {
                gEngine->Log(Engine::LogData, "Failed to spawn projectile fragments (%s)",
                             modifier.fragmentsName.c_str());
                continue;
            }
            ProjectileInfo fragmentInfo;
            fragmentInfo.skillId = modifier.ownerSkillId;
            fragmentInfo.ownerId = info.ownerId;
            fragmentInfo.launchCoords = coords;
            fragmentInfo.targetPoint = coords.GetPosition();
            fragmentInfo.team = info.team;
            fragmentInfo.piercingChance = modifier.piercingChance;
            fragment->LoadInfo(fragmentInfo, static_cast<uint32_t>(randomGen.IGenerate(1, 32767)));
            ProjectileModifierStruct inherited;
            inherited.ownerSkillId = modifier.ownerSkillId;
            inherited.explosionRadius = modifier.explosionRadius;
            fragment->AddProjectileModifier(inherited);
            fragment->SetFilteredTargets(filtered);
            if (!swiped) {
                fragment->PlaySwipeSound(coords.GetPosition());
                swiped = true;
            }
            fragment->ProjectileGo();
        }
    }
}

} // namespace GAME
