#include "skills/Skill_AttackProjectile.h"

#include "items/Weapon.h"
#include "skills/SkillActivatedSpell.h"
#include "skills/Skill_AttackProjectileBurst.h"
#include "skills/Skill_AttackProjectileDebuf.h"
#include "skills/Skill_AttackProjectileRing.h"
#include "skills/Skill_AttackProjectileSpawnPet.h"
#include "skills/Skill_AttackTelekinesis.h"
#include "skills/Skill_DropProjectileTelekinesis.h"
#include "tests/support/PlacedOwnerFixture.h"
#include "tests/support/SkillsFixture.h"
#include "world/ProjectileBase.h"
#include "world/ProjectileTelekinesis.h"

#include <cmath>

namespace GAME::Test {

class TestSpell : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(TestSpell)
};

GAME_IMPLEMENT_CLASS(TestSpell, SkillActivated);

namespace {

class AttackProjectileTest : public SkillsOwnerFixture {
protected:
    void SetUp() override
    {
        SkillsOwnerFixture::SetUp();
        MakeOwner();
        database.WriteRecord("Records/Projectiles/Bolt.dbr", {"Class = ProjectileBase"});
        database.WriteRecord("Records/Projectiles/Arrow.dbr", {"Class = ProjectileBase"});
    }

    template <class Kind> Kind* Make(const std::string& extra = "")
    {
        return MakeEnabled<Kind>(manager, {"skillMaxLevel = 3", extra});
    }

    TestSpell* Spell(std::vector<std::string> lines)
    {
        lines.insert(lines.begin(), "skillMaxLevel = 1");
        return MakeEnabled<TestSpell>(manager, lines);
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

using SpellTest = AttackProjectileTest;

TEST_F(AttackProjectileTest, FailingRecordIsLoggedAndItsSiblingsStillFly)
{
    auto* ring = Make<Skill_AttackProjectileRing>(
        "skillProjectileName = Records/Projectiles/Bolt.dbr\nprojectileLaunchNumber = 3");
    auto* broken =
        Make<Skill_AttackProjectile>("skillProjectileName = Records/Projectiles/None.dbr");
    log.Clear();
    broken->CreateProjectile(*owner, WorldCoords(), 0, WorldVec3(), 0, 6000, 1);
    EXPECT_EQ(1u, log.Count(1, "Failed to spawn projectile (Records/Projectiles/None.dbr) (" +
                                   broken->GetObjectName() + ")"));
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
        "projectileLaunchNumber = 0\nprojectileLaunchRotation = 90");
    single->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(Spawned().size(), 1u);
    EXPECT_NEAR(Heading(Spawned()[0]), -45.0f, 1e-3f);

    auto* ring = Make<Skill_AttackProjectileRing>(
        "projectileLaunchNumber = 4\nprojectileLaunchRotation = 360");
    ring->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(Spawned().size(), 4u);
    // -180 and 180 are one heading.
    EXPECT_NEAR(std::fabs(Heading(Spawned()[0])), 180.0f, 1e-3f);
    EXPECT_NEAR(Heading(Spawned()[3]), 90.0f, 1e-3f);
}

TEST_F(AttackProjectileTest, DebuffAtLevelThreeUsesTheLastOfTwoNames)
{
    database.WriteRecord("Records/Skills/Weakness.dbr",
                         {"Class = SkillBuff_Debuf", "skillMaxLevel = 3"});
    auto* debuff = Make<Skill_AttackProjectileDebuf>(
        "projectileNames = Records/A.dbr;Records/B.dbr\nbuffSkillName = "
        "Records/Skills/Weakness.dbr");
    debuff->ReceiveStateUpdate(SkillState{3, true}, true);
    EXPECT_EQ(debuff->GetProjectileName(), "Records/B.dbr");
    debuff->ReceiveStateUpdate(SkillState{1, true}, true);
    EXPECT_EQ(debuff->GetProjectileName(), "Records/A.dbr");

    log.Clear();
    auto* orphan = Make<Skill_AttackProjectileDebuf>("projectileNames = Records/A.dbr");
    EXPECT_EQ(1u, log.Count(1, "Debuff skill record could not be loaded () (" +
                                   orphan->GetObjectName() + ")"));
}

TEST_F(AttackProjectileTest, AreaCastOfThreeChargesOnceAndMarksTheFirst)
{
    auto* drop = Make<Skill_DropProjectileTelekinesis>();
    services.IncHitIteration();
    drop->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(services.launches.size(), 3u);
    EXPECT_EQ(services.launches[0].hitIteration, 1u);
    EXPECT_EQ(services.launches[1].hitIteration, 0u);
    // No drop zone near: above the caster within the offset and height band.
    for (const auto& launch : services.launches) {
        const Vec3& at = launch.origin.GetRegionCoords().origin;
        EXPECT_TRUE(std::fabs(at.x) <= 10.0f && std::fabs(at.z) <= 10.0f) << at.x << " " << at.z;
        EXPECT_TRUE(at.y >= 14.0f && at.y <= 34.0f) << at.y;
    }
}

TEST_F(AttackProjectileTest, BurstOfOneSendsNothingMoreAndStopEndsIt)
{
    auto* one = Make<Skill_AttackProjectileBurst>("projectileLaunchNumber = 1");
    one->ActivateNow(*owner, Name(), 0, WorldVec3(0, Vec3(0.0f, 0.0f, 5.0f)));
    EXPECT_EQ(services.launches.size(), 1u);
    one->Update(*owner, 500);
    EXPECT_EQ(services.launches.size(), 1u);

    auto* three = Make<Skill_AttackProjectileBurst>("projectileLaunchNumber = 3");
    three->ActivateNow(*owner, Name(), 0, WorldVec3(0, Vec3(0.0f, 0.0f, 5.0f)));
    // One a frame at most, however long the frame.
    three->Update(*owner, 1000);
    EXPECT_EQ(services.launches.size(), 3u);
    three->StopSkill(*owner);
    three->Update(*owner, 1000);
    EXPECT_EQ(services.launches.size(), 3u);
}

TEST_F(AttackProjectileTest, PetImpactSpawnsOneForABurstOfZeroAndTheLimitReleasesTheOldest)
{
    database.WriteRecord("Records/Creatures/Imp.dbr", {"Class = Monster"});
    auto* skill = Make<Skill_AttackProjectileSpawnPet>(
        "spawnObjects = Records/Creatures/Imp.dbr\npetLimit = 1\npetBurstSpawn = 0");
    log.Clear();
    skill->SkillSpawnObject(*owner, WorldCoords(), 0, {}, {7001, 7002}, 1);
    EXPECT_EQ(log.Count(2, "Spawn list too long (2) (" + skill->GetObjectName() + ")"), 1u);
    EXPECT_EQ(ObjectManager::Instance().GetObject(7001), nullptr);

    skill->SkillSpawnObject(*owner, WorldCoords(), 0, {}, {7001}, 1);
    EXPECT_EQ(skill->GetPets(), (std::vector<uint32_t>{7001}));
    skill->SkillSpawnObject(*owner, WorldCoords(), 0, {}, {7002}, 1);
    EXPECT_EQ(skill->GetPets(), (std::vector<uint32_t>{7002}));

    auto* broken = Make<Skill_AttackProjectileSpawnPet>("spawnObjects = Records/Creatures/No.dbr");
    broken->SkillSpawnObject(*owner, WorldCoords(), 0, {}, {7003}, 1);
    EXPECT_EQ(log.Count(1, "Failed to spawn pet object (Records/Creatures/No.dbr)"), 1u);
    EXPECT_TRUE(broken->GetPets().empty());
}

TEST_F(AttackProjectileTest, DroppedTelekinesisFalls)
{
    database.WriteRecord("Records/Projectiles/Rock.dbr", {"Class = ProjectileTelekinesis"});
    auto* drop = Make<Skill_DropProjectileTelekinesis>(
        "skillProjectileName = ;Records/Projectiles/Rock.dbr;Records/Projectiles/Bolt.dbr");
    // Empty entries are dropped: ids pick among the two kept names.
    EXPECT_EQ(drop->GetSkillProjectileNames().size(), 2u);
    drop->CreateProjectile(*owner, WorldCoords(), 0, WorldVec3(), 1, 8000, 1);
    auto* rock = Made(ObjectManager::Instance().GetObject<ProjectileTelekinesis>(8000), "rock");
    EXPECT_EQ(rock->GetState(), ProjectileTelekinesis::State_Falling);
    drop->CreateProjectile(*owner, WorldCoords(), 0, WorldVec3(), 0, 8001, 1);
    EXPECT_NE(ObjectManager::Instance().GetObject<ProjectileBase>(8001), nullptr);
    EXPECT_EQ(ObjectManager::Instance().GetObject<ProjectileTelekinesis>(8001), nullptr);
}

TEST_F(SpellTest, ProjectileReportsGoOutUnchargedWhileTheOwnerLives)
{
    TestSpell* spell = Spell({});
    ProjectileInfo info;
    info.ownerId = owner->GetObjectId();
    info.weaponId = 77;
    services.IncHitIteration();
    spell->TargetInformation(info, WorldCoords(), {5, 6});
    ASSERT_EQ(services.results.size(), 1u);
    EXPECT_EQ(services.results[0].targets, (std::vector<uint32_t>{5, 6}));
    EXPECT_EQ(services.results[0].hitIteration, 0u);

    info.ownerId = 999999;
    spell->TargetInformation(info, WorldCoords(), {5});
    EXPECT_EQ(services.results.size(), 1u) << "an owner gone reports nothing";
}

TEST_F(SpellTest, RangedProjectileComesFromTheWeaponOrIsLogged)
{
    TestSpell* spell = Spell({"projectilePiercing = 10"});
    log.Clear();
    spell->CreateProjectile(*owner, WorldCoords(), 3, WorldVec3(), 0, 5000, 1);
    EXPECT_EQ(log.Count(1, "Failed to spawn ranged projectile () ()"), 1u);
    EXPECT_EQ(ObjectManager::Instance().GetObject(5000), nullptr);

    database.WriteRecord("Records/Items/Bow.dbr",
                         {"Class = Weapon", "basicProjectileName = Records/Projectiles/Arrow.dbr",
                          "piercingProjectile = 15"});
    auto* bow =
        Made(ObjectManager::Instance().CreateObjectFromFile<Weapon>("Records/Items/Bow.dbr"), "");
    spell->CreateProjectile(*owner, WorldCoords(), 3, WorldVec3(), bow->GetObjectId(), 5001, 1);
    auto* arrow = Made(ObjectManager::Instance().GetObject<ProjectileBase>(5001), "the arrow");
    EXPECT_EQ(arrow->GetInfo().skillId, spell->GetObjectId());
    EXPECT_EQ(arrow->GetInfo().targetId, 3u);
    EXPECT_FLOAT_EQ(arrow->GetInfo().piercingChance, 25.0f);

    // Removed once however often it is asked.
    manager.DeleteProjectile(5001);
    manager.DeleteProjectile(5001);
    EXPECT_EQ(ObjectManager::Instance().GetObject(5001), nullptr);
    ObjectManager::Instance().ProcessDestroyedObjects();
}

class TelekinesisSkillTest : public PlacedOwnerFixture {
protected:
    void SetUp() override
    {
        PlacedOwnerFixture::SetUp();
        database.WriteRecord("Records/Tk/Rock.dbr",
                             {"Class = ProjectileTelekinesis", "projectileVelocity = 20"});
        database.WriteRecord("Records/Tk/Beam.dbr", {"Class = ChaosBeam"});
    }

    Skill_AttackTelekinesis* Telekinesis(const std::string& headVelocity = "4.0")
    {
        return Owned<Skill_AttackTelekinesis>({"headVelocity = " + headVelocity,
                                               "chaosBeamName = Records/Tk/Beam.dbr",
                                               "moveOverHeadVelocity = 3.0"});
    }

    ProjectileTelekinesis* Rock(const Vec3& at)
    {
        auto* rock = Made(ObjectManager::Instance().CreateObjectFromFile<ProjectileTelekinesis>(
                              "Records/Tk/Rock.dbr"),
                          "a rock");
        rock->SetMeshBoundingBox(ABBox({-1, -1, -1}, {1, 1, 1}));
        gEngine->GetWorld()->AddEntity(rock, WorldCoords(WorldVec3(kRegion, at)), false);
        return rock;
    }

    // The sequences the skill passes through in frames of 100 ms, until it holds or stalls.
    std::vector<int32_t> Run(Skill_AttackTelekinesis& skill, int frames)
    {
        std::vector<int32_t> seen{skill.GetSequence()};
        for (int frame = 0; frame < frames && seen.back() != 5; ++frame) {
            skill.Update(*owner, 100);
            if (seen.back() != skill.GetSequence())
                seen.push_back(skill.GetSequence());
        }
        return seen;
    }
};

TEST_F(TelekinesisSkillTest, WithoutAFreeObjectNearTheSkillIsUnavailable)
{
    auto* skill = Telekinesis();
    Rock({13, 0, 0});
    EXPECT_EQ(Available(*skill, true, true), Availability(false, 6));
    Rock({11, 0, 0});
    EXPECT_EQ(Available(*skill, true, true), Availability(true, 0));
}

TEST_F(TelekinesisSkillTest, TheSequenceLiftsCarriesHoldsAndThrowsOnce)
{
    auto* skill = Telekinesis();
    auto* rock = Rock({3, 0, 0});
    auto* target = Foe<SkillsTarget>({0, 0, 6}, "SkillsTarget");
    skill->SwipeAction(*owner, Name::Create("Swipe"), target->GetObjectId(), At(0, 6));
    EXPECT_TRUE(rock->IsInUse());
    EXPECT_FALSE(skill->EndAction(*owner));
    EXPECT_EQ(Run(*skill, 40), (std::vector<int32_t>{1, 2, 3, 4, 5}));

    skill->ActivateNow(*owner, Name::Create("Hit"), target->GetObjectId(), At(0, 6));
    EXPECT_TRUE(skill->EndAction(*owner));
    for (int frame = 0;
         frame < 10 && ObjectManager::Instance().GetObject<Object>(rock->GetObjectId()); ++frame)
        rock->UpdateSelf(50);
    ASSERT_EQ(services.results.size(), 1u);
    skill->TargetResult(*owner, services.results[0].targets, owner->GetCoords(), 3, 0, false);
    EXPECT_EQ(target->attacks.size(), 1u);
    skill->Update(*owner, 100);
    EXPECT_TRUE(skill->IsTelkineFinished());
}

TEST_F(TelekinesisSkillTest, AnObjectAtTheHandIsOverTheHeadInOneUpdate)
{
    auto* skill = Telekinesis("100");
    Rock({0, 0, 0});
    skill->SwipeAction(*owner, Name::Create("Swipe"), 0, At(0));
    for (int frame = 0; frame < 3; ++frame)
        skill->Update(*owner, 100);
    ASSERT_EQ(skill->GetSequence(), 4);
    skill->Update(*owner, 1);
    EXPECT_EQ(skill->GetSequence(), 5);
}

TEST_F(TelekinesisSkillTest, AStalledBeamOrAVanishedObjectOrAGoneSkillLetsTheObjectGo)
{
    auto* stalled = Telekinesis("0");
    auto* rock = Rock({3, -4, 0});
    stalled->SwipeAction(*owner, Name::Create("Swipe"), 0, At(0));
    EXPECT_EQ(Run(*stalled, 20), std::vector<int32_t>{1});
    stalled->StopSkill(*owner);
    EXPECT_TRUE(rock->IsIdle());

    auto* lifting = Telekinesis("10");
    lifting->SwipeAction(*owner, Name::Create("Swipe"), 0, At(0));
    for (int frame = 0; frame < 3; ++frame)
        lifting->Update(*owner, 100);
    ASSERT_EQ(lifting->GetSequence(), 3);
    ObjectManager::Instance().DestroyObjectEx(lifting, "Test", __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_TRUE(rock->IsIdle());

    auto* skill = Telekinesis();
    skill->SwipeAction(*owner, Name::Create("Swipe"), 0, At(0));
    rock->Explode(false);
    rock->UpdateSelf(0);
    skill->Update(*owner, 100);
    EXPECT_TRUE(skill->IsTelkineFinished());
    EXPECT_EQ(skill->GetClaimedObject(), 0u);
}

} // namespace
} // namespace GAME::Test
