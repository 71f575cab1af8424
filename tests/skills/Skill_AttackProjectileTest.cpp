#include "skills/Skill_AttackProjectile.h"

#include "skills/Skill_AttackProjectileAreaEffect.h"
#include "skills/Skill_AttackProjectileBurst.h"
#include "skills/Skill_AttackProjectileDebuf.h"
#include "skills/Skill_AttackProjectileRing.h"
#include "skills/Skill_AttackProjectileSpawnPet.h"
#include "skills/Skill_DropProjectileTelekinesis.h"
#include "tests/support/SkillsFixture.h"
#include "world/GameCamera.h"
#include "world/ProjectileBase.h"
#include "world/ProjectileTelekinesis.h"

#include <cmath>

namespace GAME::Test {
namespace {

class AttackProjectileTest : public SkillsOwnerFixture {
protected:
    void SetUp() override
    {
        SkillsOwnerFixture::SetUp();
        MakeOwner();
        database.WriteRecord("Records/Projectiles/Bolt.dbr", {"Class = ProjectileBase"});
    }

    template <class Kind> Kind* Make(const std::string& kind, const std::string& extra)
    {
        return MakeEnabled<Kind>(manager, {"Class = " + kind, "skillMaxLevel = 3", extra});
    }

    // The launch direction about the up axis, in degrees.
    static float Heading(const WorldCoords& coords)
    {
        const Vec3& forward = coords.GetRegionCoords().forward;
        return std::atan2(forward.x, forward.z) * 180.0f / 3.14159265f;
    }
    std::vector<WorldCoords> Spawned() const
    {
        return services.spawns.empty() ? std::vector<WorldCoords>{} : services.spawns.back().coords;
    }
};

TEST_F(AttackProjectileTest, FailingRecordIsLoggedAndItsSiblingsStillFly)
{
    auto* ring = Make<Skill_AttackProjectileRing>(
        "Skill_AttackProjectileRing",
        "skillProjectileName = Records/Projectiles/Bolt.dbr\nprojectileLaunchNumber = 3");
    auto* broken = Make<Skill_AttackProjectile>(
        "Skill_AttackProjectile", "skillProjectileName = Records/Projectiles/None.dbr");
    log.Clear();
    broken->CreateProjectile(*owner, WorldCoords(), 0, WorldVec3(), 0, 6000, 1);
    EXPECT_EQ(log.Count(1, "Failed to spawn projectile (Records/Projectiles/None.dbr) (" +
                               broken->GetObjectName() + ")"),
              1u);
    EXPECT_EQ(ObjectManager::Instance().GetObject(6000), nullptr);

    // The middle id is taken: only that entry is skipped.
    ring->SkillSpawnObject(*owner, WorldCoords(), 0, {}, {6001, broken->GetObjectId(), 6002}, 1);
    EXPECT_NE(ObjectManager::Instance().GetObject<ProjectileBase>(6001), nullptr);
    EXPECT_NE(ObjectManager::Instance().GetObject<ProjectileBase>(6002), nullptr);
    EXPECT_NE(ObjectManager::Instance().GetObject<Skill>(broken->GetObjectId()), nullptr);

    // A peer's list longer than one cast is refused whole.
    ring->SkillSpawnObject(*owner, WorldCoords(), 0, {}, {6003, 6004, 6005, 6006}, 1);
    EXPECT_EQ(ObjectManager::Instance().GetObject(6003), nullptr);
    EXPECT_EQ(log.Count(2, "Spawn list too long (4) (" + ring->GetObjectName() + ")"), 1u);
}

TEST_F(AttackProjectileTest, RingSpreadsFromMinusHalfTheAngle)
{
    auto* single = Make<Skill_AttackProjectileRing>(
        "Skill_AttackProjectileRing", "projectileLaunchNumber = 0\nprojectileLaunchRotation = 90");
    EXPECT_EQ(single->GetSkillType(), 1);
    single->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(Spawned().size(), 1u);
    EXPECT_NEAR(Heading(Spawned()[0]), -45.0f, 1e-3f);
    EXPECT_FLOAT_EQ(Spawned()[0].GetRegionCoords().origin.y, 1.0f);

    auto* ring = Make<Skill_AttackProjectileRing>(
        "Skill_AttackProjectileRing", "projectileLaunchNumber = 4\nprojectileLaunchRotation = 360");
    ring->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(Spawned().size(), 4u);
    // -180 and 180 are one heading.
    EXPECT_NEAR(std::fabs(Heading(Spawned()[0])), 180.0f, 1e-3f);
    EXPECT_NEAR(Heading(Spawned()[1]), -90.0f, 1e-3f);
    EXPECT_NEAR(Heading(Spawned()[2]), 0.0f, 1e-3f);
    EXPECT_NEAR(Heading(Spawned()[3]), 90.0f, 1e-3f);
    EXPECT_EQ(services.spawns.back().ids.size(), 4u);
}

TEST_F(AttackProjectileTest, DebuffAtLevelThreeUsesTheLastOfTwoNames)
{
    database.WriteRecord("Records/Skills/Weakness.dbr",
                         {"Class = SkillBuff_Debuf", "skillMaxLevel = 3"});
    auto* debuff = Make<Skill_AttackProjectileDebuf>(
        "Skill_AttackProjectileDebuf",
        "projectileNames = Records/A.dbr;Records/B.dbr\nbuffSkillName = "
        "Records/Skills/Weakness.dbr");
    debuff->ReceiveStateUpdate(SkillState{3, true}, true);
    EXPECT_EQ(debuff->GetProjectileName(), "Records/B.dbr");
    debuff->ReceiveStateUpdate(SkillState{1, true}, true);
    EXPECT_EQ(debuff->GetProjectileName(), "Records/A.dbr");
    EXPECT_FALSE(debuff->IsRepeatable());

    log.Clear();
    auto* orphan = Make<Skill_AttackProjectileDebuf>("Skill_AttackProjectileDebuf",
                                                     "projectileNames = Records/A.dbr");
    EXPECT_EQ(log.Count(1, "Debuff skill record could not be loaded () (" +
                               orphan->GetObjectName() + ")"),
              1u);
}

TEST_F(AttackProjectileTest, AreaCastOfThreeChargesOnceAndMarksTheFirst)
{
    auto* drop = Make<Skill_DropProjectileTelekinesis>("Skill_DropProjectileTelekinesis", "");
    EXPECT_EQ(drop->GetDropOffset(), 10.0f);
    EXPECT_EQ(drop->GetDropHeight(), 14.0f);
    EXPECT_EQ(drop->GetDropHeightDeviation(), 20.0f);
    services.IncHitIteration();
    drop->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(services.launches.size(), 3u);
    EXPECT_EQ(services.launches[0].hitIteration, 1u);
    EXPECT_EQ(services.launches[1].hitIteration, 0u);
    EXPECT_EQ(services.launches[2].hitIteration, 0u);
    EXPECT_EQ(services.launches[0].weaponId, 1u);
    EXPECT_EQ(services.launches[1].weaponId, 0u);
    // No drop zone near: above the caster within the offset and height band.
    for (const auto& launch : services.launches) {
        const Vec3& at = launch.origin.GetRegionCoords().origin;
        EXPECT_GE(at.x, -10.0f);
        EXPECT_LE(at.x, 10.0f);
        EXPECT_GE(at.y, 14.0f);
        EXPECT_LE(at.y, 34.0f);
        EXPECT_GE(at.z, -10.0f);
        EXPECT_LE(at.z, 10.0f);
    }
}

TEST_F(AttackProjectileTest, BurstOfOneSendsNothingMoreAndStopEndsIt)
{
    auto* one = Make<Skill_AttackProjectileBurst>("Skill_AttackProjectileBurst",
                                                  "projectileLaunchNumber = 1");
    one->ActivateNow(*owner, Name(), 0, WorldVec3(0, Vec3(0.0f, 0.0f, 5.0f)));
    EXPECT_EQ(services.launches.size(), 1u);
    one->Update(*owner, 500);
    EXPECT_EQ(services.launches.size(), 1u);

    auto* three = Make<Skill_AttackProjectileBurst>("Skill_AttackProjectileBurst",
                                                    "projectileLaunchNumber = 3");
    three->ActivateNow(*owner, Name(), 0, WorldVec3(0, Vec3(0.0f, 0.0f, 5.0f)));
    EXPECT_GE(three->GetNextDelay(), 0);
    EXPECT_LE(three->GetNextDelay(), 100);
    // One a frame at most, however long the frame.
    three->Update(*owner, 1000);
    EXPECT_EQ(services.launches.size(), 3u);
    EXPECT_EQ(services.launches[2].hitIteration, 0u);
    three->StopSkill(*owner);
    three->Update(*owner, 1000);
    EXPECT_EQ(services.launches.size(), 3u);
    EXPECT_EQ(three->GetRemaining(), 0);
}

TEST_F(AttackProjectileTest, PetImpactSpawnsOneForABurstOfZeroAndTheLimitReleasesTheOldest)
{
    database.WriteRecord("Records/Creatures/Imp.dbr", {"Class = Monster"});
    auto* skill = Make<Skill_AttackProjectileSpawnPet>(
        "Skill_AttackProjectileSpawnPet",
        "spawnObjects = Records/Creatures/Imp.dbr\npetLimit = 1\npetBurstSpawn = 0");
    log.Clear();
    skill->SkillSpawnObject(*owner, WorldCoords(), 0, {}, {7001, 7002}, 1);
    EXPECT_EQ(log.Count(2, "Spawn list too long (2) (" + skill->GetObjectName() + ")"), 1u);
    EXPECT_EQ(ObjectManager::Instance().GetObject(7001), nullptr);

    skill->SkillSpawnObject(*owner, WorldCoords(), 0, {}, {7001}, 1);
    EXPECT_EQ(skill->GetPets(), (std::vector<uint32_t>{7001}));
    skill->SkillSpawnObject(*owner, WorldCoords(), 0, {}, {7002}, 1);
    EXPECT_EQ(skill->GetPets(), (std::vector<uint32_t>{7002}));

    auto* broken = Make<Skill_AttackProjectileSpawnPet>("Skill_AttackProjectileSpawnPet",
                                                        "spawnObjects = Records/Creatures/No.dbr");
    broken->SkillSpawnObject(*owner, WorldCoords(), 0, {}, {7003}, 1);
    EXPECT_EQ(log.Count(1, "Failed to spawn pet object (Records/Creatures/No.dbr)"), 1u);
    EXPECT_TRUE(broken->GetPets().empty());
}

TEST_F(AttackProjectileTest, DroppedTelekinesisFallsAndShakesTheCamera)
{
    database.WriteRecord("Records/Projectiles/Rock.dbr", {"Class = ProjectileTelekinesis"});
    auto* drop = Make<Skill_DropProjectileTelekinesis>(
        "Skill_DropProjectileTelekinesis",
        "skillProjectileName = ;Records/Projectiles/Rock.dbr;Records/Projectiles/Bolt.dbr");
    // Empty entries are dropped: ids pick among the two kept names.
    EXPECT_EQ(drop->GetSkillProjectileNames().size(), 2u);
    drop->CreateProjectile(*owner, WorldCoords(), 0, WorldVec3(), 1, 8000, 1);
    auto* rock = ObjectManager::Instance().GetObject<ProjectileTelekinesis>(8000);
    ASSERT_NE(rock, nullptr);
    EXPECT_EQ(rock->GetState(), ProjectileTelekinesis::State_Falling);
    EXPECT_TRUE(rock->IsInUse());
    EXPECT_EQ(GameEngine::Get().GetCamera().GetShakeTimeLeft(), 2000);
    drop->CreateProjectile(*owner, WorldCoords(), 0, WorldVec3(), 0, 8001, 1);
    EXPECT_NE(ObjectManager::Instance().GetObject<ProjectileBase>(8001), nullptr);
    EXPECT_EQ(ObjectManager::Instance().GetObject<ProjectileTelekinesis>(8001), nullptr);
}

} // namespace
} // namespace GAME::Test
