#include "skills/Skill_AttackSpell.h"

#include "engine/ChaosBeam.h"
#include "skills/Skill_AttackSpellChaos.h"
#include "skills/Skill_AttackSpellTeleport.h"
#include "tests/support/SkillsFixture.h"

namespace GAME::Test {
namespace {

class Skill_AttackSpellTest : public SkillsCasterFixture<> {
protected:
    void SetUp() override
    {
        SkillsCasterFixture::SetUp();
        database.WriteRecord("Records/Effects/Beam.dbr", {"Class = ChaosBeam"});
    }

    Skill_AttackSpellChaos* Chaos(const std::string& maxDistance)
    {
        return Learnt<Skill_AttackSpellChaos>({"skillMaxLevel = 1", "headVelocity = 2.0",
                                               "tailVelocity = 4.0", "maxDistance = " + maxDistance,
                                               "chaosBeamName = Records/Effects/Beam.dbr"});
    }
    // The start message, as every machine receives it: the chosen target goes as the weapon.
    void Begin(Skill_AttackSpellChaos* skill, SkillsTarget* target)
    {
        skill->ActivateNow(*caster, Name(), target->GetObjectId(),
                           target->GetCoords().GetPosition());
        ASSERT_EQ(Sent().size(), 1u);
        EXPECT_TRUE(Sent()[0].targets.empty());
        EXPECT_EQ(skill->GetBeamState(), 1);
        skill->TargetResult(*caster, {}, caster->GetCoords(), Sent()[0].seed, Sent()[0].weaponId,
                            false);
        EXPECT_EQ(skill->GetBeamState(), 2);
    }
    std::vector<SkillsSent::Result>& Sent() { return owner.services.results; }
};

TEST_F(Skill_AttackSpellTest, SpellOutOfReachSendsNothingAndAHitLandsOnce)
{
    auto* skill = Learnt<Skill_AttackSpell>({"skillMaxLevel = 1"});
    SkillsTarget* far = Target({0, 0, 25});
    skill->ActivateNow(*caster, Name(), far->GetObjectId(), far->GetCoords().GetPosition());
    EXPECT_TRUE(Sent().empty());
    SkillsTarget* near = Target({0, 0, 8});
    skill->ActivateNow(*caster, Name(), near->GetObjectId(), near->GetCoords().GetPosition());
    ASSERT_EQ(Sent().size(), 1u);
    skill->TargetResult(*caster, Sent()[0].targets, caster->GetCoords(), Sent()[0].seed, 0, false);
    EXPECT_EQ(near->attacks.size(), 1u);
}

TEST_F(Skill_AttackSpellTest, TeleportSwapsCasterAndTargetAndAVanishedTargetNothing)
{
    auto* skill = Learnt<Skill_AttackSpellTeleport>({"skillMaxLevel = 1"});
    SkillsTarget* target = Target({3, 0, 4});
    skill->TargetResult(*caster, {target->GetObjectId()}, caster->GetCoords(), 5, 0, false);
    EXPECT_EQ(caster->GetCoords().GetPosition(), WorldVec3(kRegion, {3, 0, 4}));
    EXPECT_EQ(target->GetCoords().GetPosition(), WorldVec3(kRegion, {0, 0, 0}));
    EXPECT_EQ(target->attacks.size(), 1u);

    SkillsTarget* other = Target({6, 0, 0});
    skill->TargetResult(*caster, {999999, other->GetObjectId()}, caster->GetCoords(), 5, 0, false);
    EXPECT_EQ(other->GetCoords().GetPosition(), WorldVec3(kRegion, {6, 0, 0}));
    EXPECT_EQ(other->attacks.size(), 1u);
}

TEST_F(Skill_AttackSpellTest, ChaosBeamGrowsStrikesRetractsAndReturnsToIdle)
{
    auto* skill = Chaos("30");
    SkillsTarget* target = Target({0, 0, 5});
    uint32_t id = target->GetObjectId();
    EXPECT_TRUE(skill->GetValidTarget(*caster, id, {}, false, 0.0f));
    Begin(skill, target);
    EXPECT_EQ(Available(*skill, true, true), Availability(false, 1));

    skill->Update(*caster, 100);
    const uint32_t beamId = skill->GetBeamId();
    ASSERT_NE(ObjectManager::Instance().GetObject<ChaosBeam>(beamId), nullptr);
    skill->Update(*caster, 250);
    EXPECT_EQ(Sent().size(), 1u);
    skill->Update(*caster, 250);
    EXPECT_EQ(skill->GetBeamState(), 4);
    ASSERT_EQ(Sent().size(), 2u);
    EXPECT_EQ(Sent()[1].targets, std::vector<uint32_t>{target->GetObjectId()});
    skill->TargetResult(*caster, Sent()[1].targets, caster->GetCoords(), Sent()[1].seed,
                        Sent()[1].weaponId, false);
    EXPECT_EQ(target->attacks.size(), 1u);

    skill->Update(*caster, 250);
    skill->Update(*caster, 10);
    EXPECT_EQ(skill->GetBeamState(), 0);
    EXPECT_EQ(ObjectManager::Instance().GetObject<ChaosBeam>(beamId), nullptr);
    EXPECT_TRUE(skill->SetAvailability(true, true));
}

TEST_F(Skill_AttackSpellTest, ChaosBeamBeyondItsReachMissesAndBothEndsRunBack)
{
    auto* skill = Chaos("1");
    SkillsTarget* target = Target({0, 0, 5});
    Begin(skill, target);
    skill->Update(*caster, 10);
    skill->Update(*caster, 500);
    EXPECT_EQ(skill->GetBeamState(), 4);
    EXPECT_EQ(Sent().size(), 1u);
    skill->Update(*caster, 100);
    EXPECT_FLOAT_EQ(skill->GetTail(), 0.4f);
    skill->Update(*caster, 100);
    EXPECT_FLOAT_EQ(skill->GetHead(), skill->GetTail());
    EXPECT_EQ(skill->GetBeamState(), 5);
    EXPECT_EQ(target->attacks.size(), 0u);
}

TEST_F(Skill_AttackSpellTest, StillBeamNeverArrivesUntilStopSkillLiberatesIt)
{
    // No head velocity: the beam keeps growing by nothing.
    auto* skill = Learnt<Skill_AttackSpellChaos>(
        {"skillMaxLevel = 1", "maxDistance = 30", "chaosBeamName = Records/Effects/Beam.dbr"});
    Begin(skill, Target({0, 0, 5}));
    skill->Update(*caster, 10);
    skill->Update(*caster, 60000);
    ASSERT_EQ(skill->GetBeamState(), 3);
    EXPECT_FLOAT_EQ(skill->GetHead(), 0.0f);
    const uint32_t beamId = skill->GetBeamId();
    skill->StopSkill(*caster);
    EXPECT_EQ(skill->GetBeamState(), 0);
    EXPECT_EQ(skill->GetBeamId(), 0u);
    EXPECT_EQ(ObjectManager::Instance().GetObject<ChaosBeam>(beamId), nullptr);
}

} // namespace
} // namespace GAME::Test
