#include "world/ProjectileAreaEffect.h"
#include "world/ProjectileArrowLike.h"
#include "world/ProjectileFireballLike.h"
#include "world/ProjectileGrenade.h"
#include "world/ProjectileTelekinesis.h"

#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "combat/CombatAttributeType.h"
#include "core/MathUtils.h"
#include "engine/CollisionData.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/ReportedSkill.h"
#include "world/ProjectileBase.h"

#include <cmath>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// Opens the arc to the tests.
class OpenArc : public ProjectileBase {
public:
    using ProjectileBase::MoveTrajectory;
};

class ProjectileKindsTest : public CombatWorldFixture {
protected:
    void SetUp() override
    {
        CombatWorldFixture::SetUp();
        owner = PlaceCharacter({0, 0, 0}, TeamManager::DefaultPlayerTeam());
        own = ReportedSkill::Create();
    }

    Character* Foe(const Vec3& position)
    {
        return PlaceCharacter(position, TeamManager::DefaultMonsterTeam());
    }

    template <typename T> T* Make(std::initializer_list<std::string> lines)
    {
        const std::string path = "Records/Projectiles/Kind" + std::to_string(++made) + ".dbr";
        database.WriteRecord(path, lines);
        return ObjectManager::Instance().CreateObjectFromFile<T>(path);
    }

    ProjectileInfo Aimed(const Vec3& point, float piercing = 0.0f, int32_t duration = 0) const
    {
        ProjectileInfo info;
        info.skillId = own->GetObjectId();
        info.ownerId = owner->GetObjectId();
        info.launchCoords = WorldAt({0, 0, 0});
        info.targetPoint = WorldVec3(kRegion, point);
        info.team = owner->GetTeam();
        info.piercingChance = piercing;
        info.duration = duration;
        return info;
    }

    // Launched with a modifier of our skill, and one of `alsoFor` when given.
    template <typename T>
    T* Launch(T* projectile, const ProjectileInfo& info, float radius = 0.0f, uint32_t alsoFor = 0)
    {
        projectile->LoadInfo(info, 11);
        ProjectileBase::ProjectileModifierStruct modifier;
        modifier.explosionRadius = radius;
        for (const uint32_t skill : {own->GetObjectId(), alsoFor}) {
            modifier.ownerSkillId = skill;
            if (skill != 0)
                projectile->AddProjectileModifier(modifier);
        }
        projectile->ProjectileGo();
        return projectile;
    }

    static Vec3 Forward(const Entity& entity)
    {
        return entity.GetCoords().GetRegionCoords().forward;
    }

    int made = 0;
    Character* owner = nullptr;
    ReportedSkill* own = nullptr;
};

TEST_F(ProjectileKindsTest, LaunchSpeedOfAnArcAndTheFlatRelaunch)
{
    const WorldCoords from = WorldAt({0, 0, 0});
    const float quarter = DegreesToRadians(45.0f);
    EXPECT_FLOAT_EQ(ProjectileBase::CalculateLaunchSpeed(from, WorldVec3(kRegion, {}), quarter),
                    0.0001f);

    struct Row {
        const char* what;
        Vec3 target;
        float pitchDegrees;
        float speed;
    };
    // 0.918367 level needs exactly 3.0 at 45 degrees and is thrown flat, at the speed that
    // reaches it at 0.1 degrees; a wall 5 high a unit away has no arc.
    for (const Row& row :
         {Row{"lob", {10, 0, 0}, 45.0f, 9.8995f}, Row{"too slow", {0.918367f, 0, 0}, 0.1f, 50.777f},
          Row{"no arc", {1, 5, 0}, 0.0f, 20.0f}}) {
        SCOPED_TRACE(row.what);
        auto* stone = Make<OpenArc>({"Class = ProjectileBase", "projectileVelocity = 20"});
        TheWorld().AddEntity(stone, from, true);
        static_cast<OpenArc*>(stone)->MoveTrajectory(WorldVec3(kRegion, row.target), quarter,
                                                     false);
        EXPECT_NEAR(std::asin(Forward(*stone).y), DegreesToRadians(row.pitchDegrees), 1e-4f);
        EXPECT_NEAR(stone->GetFlightVelocity().Length(), row.speed, 1e-3f * row.speed);
        stone->DeleteProjectile();
    }
}

TEST_F(ProjectileKindsTest, ArrowKeepsItsFacingForANearPointAndTurnsToAFarOne)
{
    for (const float distance : {1.5f, 2.5f}) {
        SCOPED_TRACE(distance);
        auto* arrow = Make<ProjectileArrowLike>(
            {"Class = ProjectileArrowLike", "projectileVelocity = 10", "projectileDistance = 20"});
        Launch(arrow, Aimed({distance, -1, 0}));
        EXPECT_EQ(Forward(*arrow), distance < 2.0f ? Vec3(0, 0, 1) : Vec3(1, 0, 0));
        arrow->DeleteProjectile();
    }
}

TEST_F(ProjectileKindsTest, AFireballPiercesEachFoeOncePerModifierToItsRangeOrStopsAtTheFirst)
{
    const uint32_t near = Foe({0, 0, 3})->GetObjectId();
    const uint32_t far = Foe({0, 0, 6})->GetObjectId();
    const ReportedSkill* other = ReportedSkill::Create();
    struct Row {
        float piercing;
        std::vector<uint32_t> reported;
    };
    for (const Row& row : {Row{100.0f, {near, far}}, Row{0.0f, {near}}}) {
        SCOPED_TRACE(row.piercing);
        own->reported.clear();
        auto* fireball = Launch(
            Make<ProjectileFireballLike>({"Class = ProjectileFireballLike",
                                          "projectileVelocity = 10", "projectileDistance = 12"}),
            Aimed({0, -1, 20}, row.piercing), 0.0f, other->GetObjectId());
        // Short frames: every foe lies on several overlapping path checks.
        int frames = 0;
        for (; fireball->GetState() == ProjectileFireballLike::State_Flying && frames < 100;
             ++frames)
            fireball->UpdateSelf(50);
        EXPECT_EQ(own->reported, row.reported);
        if (row.piercing > 0.0f) {
            EXPECT_EQ(other->reported, row.reported);
            EXPECT_EQ(frames, 24) << "12 units at 10 per second";
        }
        const uint32_t id = fireball->GetObjectId();
        fireball->UpdateSelf(50);
        EXPECT_FALSE(Exists(id));
    }
}

TEST_F(ProjectileKindsTest, ArrowStruckByAnEntityStopsAtOnceAndSticksInScenery)
{
    struct Row {
        uint32_t surface;
        int32_t updatesToGo;
        float depth;
    };
    for (const Row& row : {Row{CollisionData::kSurfaceEntity, 1, 0.0f}, Row{3, 2, 0.5f}}) {
        SCOPED_TRACE(row.surface);
        auto* arrow = Make<ProjectileArrowLike>(
            {"Class = ProjectileArrowLike", "projectileVelocity = 10", "projectileDistance = 20",
             "projectileMissTimeToLive = 1.0"});
        Launch(arrow, Aimed({0, -1, 20}));
        CollisionData data;
        data.surface = row.surface;
        arrow->CollisionCallback(data);
        EXPECT_EQ(arrow->GetState(), ProjectileArrowLike::State_Stopped);
        EXPECT_NEAR(arrow->GetCoords().GetRegionCoords().origin.z, row.depth, 1e-5f);
        const uint32_t id = arrow->GetObjectId();
        for (int32_t update = 0; update < row.updatesToGo; ++update) {
            ASSERT_TRUE(Exists(id));
            arrow->UpdateSelf(500);
        }
        EXPECT_FALSE(Exists(id));
    }
}

TEST_F(ProjectileKindsTest, AreaEffectPulsesEachSecondAndEndsBeforeAPulseDueWithIt)
{
    Foe({0, 0, 8});
    struct Row {
        int32_t duration;
        std::vector<int> reportsAfterEachSecond;
    };
    for (const Row& row : {Row{0, {1}}, Row{3, {1, 2, 2}}}) {
        SCOPED_TRACE(row.duration);
        own->reports = 0;
        auto* cloud = Make<ProjectileAreaEffect>({"Class = ProjectileAreaEffect"});
        Launch(cloud, Aimed({0, 0, 8}, 0.0f, row.duration), 3.0f);
        const uint32_t id = cloud->GetObjectId();
        const int atOnce = row.duration == 0 ? 1 : 0;
        EXPECT_EQ(own->reports, atOnce);
        for (size_t second = 0; second < row.reportsAfterEachSecond.size(); ++second) {
            ASSERT_TRUE(Exists(id));
            gEngine->RunFrame(1000);
            EXPECT_EQ(own->reports, row.reportsAfterEachSecond[second]);
        }
        EXPECT_FALSE(Exists(id));
    }
}

TEST_F(ProjectileKindsTest, HarmlessGrenadeHurtsNothingInFlightAndBurstsWhereItRests)
{
    Foe({0, 0, 3});
    auto* grenade = Make<ProjectileGrenade>({"Class = ProjectileGrenade", "harmlessInFlight = 1",
                                             "projectileVelocity = 10", "launchAngle = 45"});
    Launch(grenade, Aimed({0, 0, 6}), 10.0f);
    const uint32_t id = grenade->GetObjectId();
    int frames = 0;
    while (grenade->GetState() == ProjectileGrenade::State_Flying && frames < 200) {
        EXPECT_EQ(own->reports, 0);
        grenade->UpdateSelf(20);
        ++frames;
    }
    ASSERT_EQ(grenade->GetState(), ProjectileGrenade::State_Bounced);
    for (; Exists(id) && frames < 400; ++frames)
        grenade->UpdateSelf(20);
    EXPECT_FALSE(Exists(id));
    EXPECT_EQ(own->reported.size(), 1u);
}

// Exploding on its first impact is pinned by the puppet test.
TEST_F(ProjectileKindsTest, AFallingStoneIsAHazardToAllLandsIdleBlocksPathsAndGoesOnceExploded)
{
    auto* stone = Make<ProjectileTelekinesis>({"Class = ProjectileTelekinesis"});
    ProjectileInfo info = Aimed({});
    info.launchCoords = WorldAt({2, 5, 2});
    stone->LoadInfo(info, 1);
    stone->ProjectileFall();
    EXPECT_EQ(stone->GetState(), ProjectileTelekinesis::State_Falling);
    EXPECT_EQ(stone->GetInfo().team.GetTeamMajor(), 3u);
    for (int frame = 0; frame < 200 && !stone->IsPathObstacle(); ++frame)
        stone->UpdateSelf(20);
    EXPECT_TRUE(stone->IsIdle());
    EXPECT_TRUE(stone->IsPathObstacle());

    stone->Explode(true);
    EXPECT_EQ(stone->GetState(), ProjectileTelekinesis::State_Exploded);
    const uint32_t id = stone->GetObjectId();
    stone->UpdateSelf(10);
    EXPECT_FALSE(Exists(id));
}

constexpr uint32_t kOwnSkill = 40;
constexpr uint32_t kOtherSkill = 41;

ProjectileBase::ProjectileModifierStruct Modifier(uint32_t skill, float radius,
                                                  const char* fragments, float piercing = 0.0f)
{
    ProjectileBase::ProjectileModifierStruct modifier;
    modifier.ownerSkillId = skill;
    modifier.explosionRadius = radius;
    modifier.fragmentsName = fragments;
    modifier.piercingChance = piercing;
    return modifier;
}

TEST(ProjectileBase, ModifiersLandOnTheirListsAndPiercingSumsPerSkill)
{
    ProjectileInfo info;
    info.skillId = kOwnSkill;
    using Lists = std::vector<size_t>; // path, explosion, fragment
    auto listsAfter = [&](const ProjectileBase::ProjectileModifierStruct& modifier) {
        ProjectileBase projectile;
        projectile.LoadInfo(info, 1);
        projectile.AddProjectileModifier(modifier);
        return Lists{projectile.GetPathModifierCount(), projectile.GetExplosionModifierCount(),
                     projectile.GetFragmentModifierCount()};
    };
    EXPECT_EQ(listsAfter(Modifier(kOtherSkill, 0.0f, "")), (Lists{1, 0, 0}));
    EXPECT_EQ(listsAfter(Modifier(kOtherSkill, 3.0f, "")), (Lists{1, 1, 0}));
    // Another skill's fragments only fragment, whatever their radius.
    EXPECT_EQ(listsAfter(Modifier(kOtherSkill, 3.0f, "Shard.dbr")), (Lists{0, 0, 1}));
    EXPECT_EQ(listsAfter(Modifier(kOwnSkill, 0.0f, "Shard.dbr")), (Lists{1, 0, 1}));
    EXPECT_EQ(listsAfter(Modifier(kOwnSkill, 3.0f, "Shard.dbr")), (Lists{1, 1, 1}));

    ProjectileBase projectile;
    projectile.LoadInfo(info, 1);
    EXPECT_FLOAT_EQ(projectile.GetPiercingModifier(kOwnSkill), 0.0f);
    projectile.AddProjectileModifier(Modifier(kOwnSkill, 0.0f, "", 25.0f));
    projectile.AddProjectileModifier(Modifier(kOtherSkill, 0.0f, "", 40.0f));
    projectile.AddProjectileModifier(Modifier(kOwnSkill, 2.0f, "Shard.dbr", 12.5f));
    EXPECT_FLOAT_EQ(projectile.GetPiercingModifier(kOwnSkill), 37.5f);
    EXPECT_FLOAT_EQ(projectile.GetPiercingModifier(kOtherSkill), 40.0f);
}

TEST_F(ProjectileKindsTest, TimesInWholeMillisecondsAndLaunchAngleKeptInRange)
{
    auto* low = Make<ProjectileBase>({"Class = ProjectileBase", "launchAngle = 5",
                                      "projectileHitTimeToLive = 1.2",
                                      "projectileMissTimeToLive = 0.0015"});
    EXPECT_FLOAT_EQ(low->GetLaunchAngle(), 10.0f);
    EXPECT_FLOAT_EQ(low->GetHitTime(), 1200.0f);
    EXPECT_FLOAT_EQ(low->GetMissTime(), 1.0f);
    auto* high = Make<ProjectileBase>({"Class = ProjectileBase", "launchAngle = 95"});
    EXPECT_FLOAT_EQ(high->GetLaunchAngle(), 80.0f);

    const uint32_t id = high->GetObjectId();
    high->DeleteProjectile();
    high->DeleteProjectile();
    EXPECT_TRUE(high->IsDeleted());
    EXPECT_EQ(ObjectManager::Instance().GetObject(id), nullptr);
    ObjectManager::Instance().ProcessDestroyedObjects();
}

// Opens the flight steps to the tests.
class OpenProjectile : public ProjectileBase {
public:
    using ProjectileBase::GetRandomGen;
    using ProjectileBase::MoveStraightLine;
    using ProjectileBase::ProcessFragmentation;
};

class ProjectileFlightTest : public CombatWorldFixture {
protected:
    void SetUp() override
    {
        CombatWorldFixture::SetUp();
        owner = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
        info.ownerId = owner->GetObjectId();
        info.skillId = kOwnSkill;
        info.launchCoords = WorldAt({0, 0, 0});
        projectile.LoadInfo(info, kSeed);
        TheWorld().AddEntity(&projectile, info.launchCoords, true);
    }

    void TearDown() override
    {
        TheWorld().RemoveEntity(&projectile);
        CombatWorldFixture::TearDown();
    }

    // The generator's next value, against a fresh one drawn `skipped` times.
    bool DrewExactly(int skipped)
    {
        RandomUniform reference;
        reference.Seed(kSeed);
        for (int i = 0; i < skipped; ++i)
            reference.FGenerate(0.0f, 1.0f);
        return projectile.GetRandomGen().FGenerate(0.0f, 1.0f) == reference.FGenerate(0.0f, 1.0f);
    }

    static constexpr uint32_t kSeed = 99;
    Character* owner = nullptr;
    ProjectileInfo info;
    OpenProjectile projectile;
};

TEST_F(ProjectileFlightTest, NoFumbleChanceDrawsNothingAndACertainOneTurnsTheFlight)
{
    projectile.MoveStraightLine(WorldVec3(1, {0, 0, 10}));
    EXPECT_TRUE(DrewExactly(0));
    EXPECT_EQ(projectile.GetCoords().GetRegionCoords().forward, Vec3(0, 0, 1));

    DurationDamageManager& lasting = owner->GetCombatManager().GetDurationDamageMgr();
    lasting.AddFixedDamage(CombatAttributeType_ProjectileFumble, 100.0f, 10.0f);
    lasting.EndAttack();
    ASSERT_EQ(owner->GetProjectileFumbleDamage(), 100.0f);
    projectile.LoadInfo(info, kSeed);
    projectile.MoveStraightLine(WorldVec3(1, {0, 0, 10}));
    // Two chance rolls, yaw, pitch and the sign choice.
    EXPECT_TRUE(DrewExactly(5));
    const Vec3 forward = projectile.GetCoords().GetRegionCoords().forward;
    const float degreesOff = std::acos(forward.z) / DegreesToRadians(1.0f);
    EXPECT_GE(degreesOff, 10.0f);
    EXPECT_LE(degreesOff, 23.0f);
}

TEST_F(ProjectileFlightTest, FragmentsThatFailToSpawnAreLoggedAndTheirSiblingsFly)
{
    database.WriteRecord("Records/Projectiles/Shard.dbr", {"Class = ProjectileBase"});
    ProjectileBase::ProjectileModifierStruct missing = Modifier(kOwnSkill, 0.0f, "Missing.dbr");
    missing.fragmentsMin = missing.fragmentsMax = 2;
    ProjectileBase::ProjectileModifierStruct shards =
        Modifier(kOtherSkill, 2.5f, "Records/Projectiles/Shard.dbr");
    shards.fragmentsMin = shards.fragmentsMax = 3;
    projectile.AddProjectileModifier(missing);
    projectile.AddProjectileModifier(shards);

    ObjectManager& objects = ObjectManager::Instance();
    LogCapture log;
    WorldCoords at(WorldVec3(1, {4, 0, 4}));
    const uint32_t first = objects.CreateObjectID();
    projectile.ProcessFragmentation(77, at);
    const uint32_t last = objects.CreateObjectID();
    EXPECT_EQ(log.Count(1, "Failed to spawn projectile fragments (Missing.dbr)"), 2u);

    size_t count = 0;
    for (uint32_t id = first + 1; id < last; ++id) {
        auto* fragment = objects.GetObject<ProjectileBase>(id);
        if (fragment == nullptr)
            continue;
        ++count;
        EXPECT_EQ(fragment->GetInfo().skillId, kOtherSkill);
        EXPECT_EQ(fragment->GetInfo().ownerId, owner->GetObjectId());
        EXPECT_EQ(fragment->GetInfo().launchCoords.GetPosition().GetRegionPosition(),
                  Vec3(4, 1, 4));
        // They explode like the parent but never fragment again.
        EXPECT_EQ(fragment->GetExplosionModifierCount(), 1u);
        EXPECT_EQ(fragment->GetFragmentModifierCount(), 0u);
    }
    EXPECT_EQ(count, 3u);

    // A record asking for more than a full fan of whole degrees gets a full fan.
    missing.fragmentsMin = missing.fragmentsMax = 2000000000;
    OpenProjectile greedy;
    greedy.LoadInfo(info, kSeed);
    greedy.AddProjectileModifier(missing);
    log.Clear();
    greedy.ProcessFragmentation(0, at);
    EXPECT_EQ(log.Count(1, "Failed to spawn projectile fragments (Missing.dbr)"), 360u);
}

} // namespace
} // namespace GAME::Test
