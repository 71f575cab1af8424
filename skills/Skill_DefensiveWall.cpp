#include "skills/Skill_DefensiveWall.h"

#include "characters/Character.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/PathFinder.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "skills/SkillProfile.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"

#include <cmath>
#include <numbers>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_DefensiveWall, SkillActivated);

namespace {
constexpr float kWallRadius = 1.0f;
const Vec3 kWallUp(0.0f, 1.0f, 0.0f);

float ToRadians(float degrees)
{
    return degrees * std::numbers::pi_v<float> / 180.0f;
}

// The centre moved out by `radius` along x, then turned about it by `twist` degrees.
WorldCoords RingStart(const WorldCoords& centre, float radius, float twist)
{
    WorldCoords start = centre;
    WorldVec3 position = centre.GetPosition();
    position.TranslateInRegion(Vec3(radius, 0.0f, 0.0f));
    start.SetPosition(position);
    start.RotateAroundPoint(centre.GetPosition(), ToRadians(twist), kWallUp);
    return start;
}
} // namespace

Skill_DefensiveWall::Skill_DefensiveWall()
{
    SetPrimary(false);
    SetSecondary(true);
    SetRepeatable(false);
    SetSkillType(SkillType_UseAtOnce);
}

Skill_DefensiveWall::~Skill_DefensiveWall() = default;

void Skill_DefensiveWall::PreLoadResources()
{
    SkillActivatedSpell::PreLoadResources();
    PreLoadPet();
}

uint32_t Skill_DefensiveWall::GetWallsPerRing()
{
    const float spacing = GetSkillProfile().GetSpawnObjectsSpacingAngle();
    if (!(spacing > 0.0f)) {
        // Logged once: the record is read every cast.
        if (!spacingLogged)
            gEngine->Log(1, "Wall spacing (%g) of (%s) places no walls", spacing,
                         GetObjectName().c_str());
        spacingLogged = true;
        return 0;
    }
    const float perRing = 360.0f / spacing;
    return perRing >= static_cast<float>(kMaxPerRing) ? kMaxPerRing
                                                      : static_cast<uint32_t>(perRing);
}

uint32_t Skill_DefensiveWall::GetRings() const
{
    return std::min(GetSkillProfile().GetSpawnObjectsNumberOfRings(GetCurrentLevel()), kMaxRings);
}

void Skill_DefensiveWall::PlaceRings(const WorldCoords& centre, std::vector<WorldCoords>& coords,
                                     std::vector<uint32_t>& ids)
{
    const SkillProfile& data = GetSkillProfile();
    const uint32_t perRing = GetWallsPerRing();
    const uint32_t rings = perRing == 0 ? 0 : GetRings();
    const float spacing = data.GetSpawnObjectsSpacingAngle();
    float radius = data.GetSpawnObjectsDistanceInnerCircle();
    float twist = 0.0f;
    WorldCoords current = RingStart(centre, radius, twist);
    const World* world = gEngine->GetWorld();
    RandomUniform& random = GameEngine::Get().GetRandomGen();
    ObjectManager& objects = ObjectManager::Instance();
    for (uint32_t ring = 0; ring < rings; ++ring) {
        for (uint32_t i = 0; i < perRing; ++i) {
            std::vector<WorldVec3> free;
            if (PathFinder::Instance().FillPointSet(world, current.GetPosition(), {kWallRadius},
                                                    free) > 0) {
                WorldCoords wall = current;
                wall.RotateAroundPoint(current.GetPosition(),
                                       ToRadians(random.FGenerate(0.0f, 360.0f)), kWallUp);
                WorldVec3 position = free.front();
                position.TranslateToFloor(Vec3());
                wall.SetPosition(position);
                coords.push_back(wall);
                ids.push_back(objects.CreateObjectID());
            }
            current.RotateAroundPoint(centre.GetPosition(), ToRadians(spacing), kWallUp);
        }
        twist += spacing * 0.5f;
        radius += data.GetSpawnObjectsDistanceIncrement();
        current = RingStart(centre, radius, twist);
    }
}

void Skill_DefensiveWall::ActivateNow(Character& owner, const Name& /*callback*/, uint32_t targetId,
                                      const WorldVec3& point)
{
    SkillServicesBase* services = ServicesOf(*this);
    if (services == nullptr)
        return;
    WorldCoords centre = owner.GetCoords();
    if (GetSkillType() == SkillType_Normal)
        centre.SetPosition(point);
    std::vector<WorldCoords> coords;
    std::vector<uint32_t> ids;
    PlaceRings(centre, coords, ids);
    if (ids.empty())
        return;
    services->SendSpawnObject(GetObjectId(), centre, targetId, coords, ids,
                              static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()));
    wallTimeLeft = GetSkillProfile().GetSpawnObjectTimeToLive(GetCurrentLevel());
    wallsTimed = wallTimeLeft > 0;
    PrimaryActivateSecondarySkills(owner, 0, {}, centre.GetPosition());
}

void Skill_DefensiveWall::SkillSpawnObject(Character& owner, const WorldCoords& origin,
                                           uint32_t /*targetId*/,
                                           const std::vector<WorldCoords>& coords,
                                           const std::vector<uint32_t>& ids, uint32_t seed)
{
    if (IsSpawnListRefused(ids.size(), static_cast<size_t>(GetWallsPerRing()) * GetRings(),
                           "walls"))
        return;
    if (!ids.empty()) {
        SubtractManaCost();
        StartCooldown();
        PlayHitSound(origin.GetPosition());
        CreateTargetFx(origin);
    }
    ReleaseWalls(owner);
    for (size_t i = 0; i < ids.size(); ++i) {
        if (IsFreeSpawnId(ids[i]))
            SpawnWall(owner, SpawnPlace(coords, i, origin), ids[i], seed);
    }
    ActivateSecondarySkills(owner, 0, ids, origin.GetPosition());
}

void Skill_DefensiveWall::SpawnWall(Character& caster, const WorldCoords& where, uint32_t id,
                                    uint32_t /*seed*/)
{
    const std::string& record = GetSkillProfile().GetSpawnObject(GetCurrentLevel());
    auto* wall = ObjectManager::Instance().CreateObjectFromFile<Character>(record, id);
    if (wall == nullptr) {
        gEngine->Log(1, "Failed to spawn wall object (%s)", record.c_str());
        return;
    }
    wall->SetTeam(caster.GetTeam());
    wall->JoinMe(caster.GetObjectId(), -1, false);
    if (World* world = gEngine->GetWorld())
        world->AddEntity(wall, where, false);
    // Until its first update the wall has no controller to be killed through.
    if (!wall->HasDoneInitialUpdate())
        wall->InitialUpdate();
    walls.push_back(id);
}

void Skill_DefensiveWall::ReleaseWalls(Character& /*caster*/)
{
    releaseSent = false;
    bool soundPlayed = false;
    const std::vector<uint32_t> released = std::move(walls);
    walls.clear();
    ObjectManager& objects = ObjectManager::Instance();
    for (uint32_t id : released) {
        const Character* wall = objects.GetObject<Character>(id);
        if (wall == nullptr)
            continue;
        if (!soundPlayed)
            PlayDeactivateSound(wall->GetCoords().GetPosition());
        soundPlayed = true;
        KillThroughController(id);
    }
}

void Skill_DefensiveWall::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivatedSpell::Update(owner, elapsedMs);
    SkillServicesBase* services = ServicesOf(*this);
    if (services == nullptr || walls.empty())
        return;
    wallTimeLeft -= elapsedMs;
    if (wallTimeLeft >= 1 || !wallsTimed || releaseSent)
        return;
    releaseSent = true;
    services->SendSpawnObject(GetObjectId(), owner.GetCoords(), 0, {}, {}, 0);
    PrimaryStopSecondarySkills(owner);
}

void Skill_DefensiveWall::StopSkill(Character& owner)
{
    ReleaseWalls(owner);
    PrimaryStopSecondarySkills(owner);
}

} // namespace GAME
