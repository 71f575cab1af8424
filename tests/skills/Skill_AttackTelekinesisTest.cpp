#include "skills/Skill_AttackTelekinesis.h"
#include "tests/support/SkillsFixture.h"
#include "world/ProjectileTelekinesis.h"

namespace GAME::Test {
namespace {

class TelekinesisSkillTest : public SkillsOwnerFixture {
protected:
    void SetUp() override
    {
        SkillsOwnerFixture::SetUp();
        MakeOwner(true);
        database.WriteRecord("Records/Tk/Rock.dbr",
                             {"Class = ProjectileTelekinesis", "projectileVelocity = 20"});
        database.WriteRecord("Records/Tk/Beam.dbr", {"Class = ChaosBeam"});
    }

    Skill_AttackTelekinesis* Telekinesis(const std::string& headVelocity = "4.0")
    {
        return MakeOwned<Skill_AttackTelekinesis>(
            {"skillMaxLevel = 3", "headVelocity = " + headVelocity,
             "chaosBeamName = Records/Tk/Beam.dbr", "moveOverHeadVelocity = 3.0"});
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
    skill->Update(*owner, 100);
    skill->Update(*owner, 100);
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
    lifting->Update(*owner, 100);
    lifting->Update(*owner, 100);
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
