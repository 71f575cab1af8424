#include "world/ProjectileBase.h"
#include "world/ProjectileTelekinesis.h"

#include "characters/Character.h"
#include "combat/CombatAttributeType.h"
#include "core/MathUtils.h"
#include "tests/support/CombatWorldFixture.h"

#include <cmath>
#include <vector>

namespace GAME::Test {

namespace {

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

class ProjectileRecordTest : public EngineFixture {
protected:
    int made = 0;
    ProjectileBase* Make(std::initializer_list<std::string> lines)
    {
        // Records are cached by path: each one gets its own.
        const std::string path = "Records/Projectiles/Bolt" + std::to_string(++made) + ".dbr";
        database.WriteRecord(path, lines);
        return ObjectManager::Instance().CreateObjectFromFile<ProjectileBase>(path);
    }
};

TEST_F(ProjectileRecordTest, TimesInWholeMillisecondsAndLaunchAngleKeptInRange)
{
    ProjectileBase* low =
        Make({"Class = ProjectileBase", "launchAngle = 5", "projectileHitTimeToLive = 1.2",
              "projectileMissTimeToLive = 0.0015"});
    EXPECT_FLOAT_EQ(low->GetLaunchAngle(), 10.0f);
    EXPECT_FLOAT_EQ(low->GetHitTime(), 1200.0f);
    EXPECT_FLOAT_EQ(low->GetMissTime(), 1.0f);
    ProjectileBase* high = Make({"Class = ProjectileBase", "launchAngle = 95"});
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

using TelekinesisTest = CombatWorldFixture;

TEST_F(TelekinesisTest, FallsAsAHazardToAllThenExplodesAndGoesOnTheNextUpdate)
{
    database.WriteRecord("Records/Projectiles/Rock.dbr", {"Class = ProjectileTelekinesis",
                                                          "explosionEffect = Records/Fx/Boom.dbr"});
    database.WriteRecord("Records/Fx/Boom.dbr", {"Class = FxPak"});
    auto* rock = ObjectManager::Instance().CreateObjectFromFile<ProjectileTelekinesis>(
        "Records/Projectiles/Rock.dbr");
    ProjectileInfo info;
    info.launchCoords = WorldAt({2, 5, 2});
    rock->LoadInfo(info, 1);
    rock->ProjectileFall();
    EXPECT_EQ(rock->GetState(), ProjectileTelekinesis::State_Falling);
    EXPECT_EQ(rock->GetInfo().team.GetTeamMajor(), 3u);

    rock->Explode(true);
    EXPECT_EQ(rock->GetState(), ProjectileTelekinesis::State_Exploded);
    std::vector<Entity*> around;
    TheWorld().GetEntitiesInSphere(around, WorldVec3(1, {}).GetRegion(), {2, 5, 2}, 1.0f);
    size_t effects = 0;
    for (const Entity* entity : around)
        effects += entity->GetObjectName() == "Records/Fx/Boom.dbr" ? 1 : 0;
    EXPECT_EQ(effects, 1u);

    const uint32_t id = rock->GetObjectId();
    rock->UpdateSelf(10);
    EXPECT_EQ(ObjectManager::Instance().GetObject(id), nullptr);
}

} // namespace
} // namespace GAME::Test
