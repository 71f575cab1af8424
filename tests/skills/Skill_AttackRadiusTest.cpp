#include "skills/Skill_AttackRadius.h"

#include "core/StringHelpers.h"
#include "skills/Skill_AttackBuffRadius.h"
#include "skills/Skill_AttackRadiusLightning.h"
#include "tests/support/SkillsFixture.h"

namespace GAME::Test {
namespace {

// The caster's own machine and a mirror of it, each with 100 mana.
class Skill_AttackRadiusTest : public SkillsCasterFixture<> {
protected:
    void SetUp() override
    {
        SkillsCasterFixture::SetUp();
        owner.mana = 100.0f;
        mirror.controlling = false;
        mirror.mana = 100.0f;
    }

    std::vector<std::vector<uint32_t>> Results() const { return owner.services.Targets(); }

    SkillsOwner mirror;
};

TEST_F(Skill_AttackRadiusTest, RadiusTimeZeroHitsEveryWaitingEnemyInTheFirstUpdate)
{
    auto* skill = Learnt<Skill_AttackRadius>({"skillMaxLevel = 1", "skillTargetRadius = 6"});
    uint32_t target = 55;
    EXPECT_TRUE(skill->GetValidTarget(*caster, target, At(0, 0), false, 0.0f));
    EXPECT_EQ(target, 0u);
    Target({0, 0, 1});
    Target({0, 0, 5});
    Target({0, 0, 9}); // outside the wave

    skill->ActivateNow(*caster, Name(), 0, At(0, 0));
    EXPECT_EQ(Available(*skill, true, true), Availability(false, 1));
    skill->Update(*caster, 1);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].size(), 2u);
    EXPECT_TRUE(skill->GetWaitingTargets().empty());
}

TEST_F(Skill_AttackRadiusTest, WaveReachesEachEnemyAtItsDistanceAndDropsTheRestAtTheEnd)
{
    // 0.1 s: one unit per 100 ms.
    auto* skill = Learnt<Skill_AttackRadius>(
        {"skillMaxLevel = 1", "skillTargetRadius = 4", "expansionTime = 0.1"});
    const uint32_t near = Target({0, 0, 1})->GetObjectId();
    SkillsTarget* walker = Target({0, 0, 3.5f});
    skill->ActivateNow(*caster, Name(), 0, At(0, 0));
    skill->Update(*caster, 150);
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0], std::vector<uint32_t>{near});
    // Walks out of the wave's way: waits until the wave ends, then is dropped.
    gEngine->GetWorld()->SetCoords(walker, WorldCoords(At(0, 9)));
    skill->Update(*caster, 200);
    EXPECT_EQ(skill->GetWaitingTargets().size(), 1u);
    skill->Update(*caster, 100);
    EXPECT_EQ(Results().size(), 1u);
    EXPECT_TRUE(skill->GetWaitingTargets().empty());

    // Every machine applies the result alike, with style 0 and no avoidance.
    auto* victim = ObjectManager::Instance().GetObject<SkillsTarget>(near);
    skill->TargetResult(*caster, Results()[0], WorldCoords(At(0, 0)), 9, 0, false);
    EXPECT_EQ(victim->attacks.size(), 1u);
}

TEST_F(Skill_AttackRadiusTest, WaveChargesOnceOnEachMachine)
{
    const std::vector<std::string> wave{"Class = Skill_AttackRadius", "skillMaxLevel = 1",
                                        "skillTargetRadius = 4", "skillManaCost = 7"};
    auto* skill = Learnt<Skill_AttackRadius>(wave);
    auto* mirrored = MakeSkill<Skill_AttackRadius>(mirror, wave);
    mirrored->SetSkillLevel(1);
    skill->ActivateNow(*caster, Name(), 0, At(0, 0));
    ASSERT_EQ(owner.services.actives.size(), 1u);
    const SkillActiveState sent = owner.services.actives[0];
    EXPECT_FLOAT_EQ(owner.manaSubtracted, 0.0f);

    for (Skill_AttackRadius* each : {skill, mirrored}) {
        each->ReceiveActiveUpdate(caster, sent, false);
        EXPECT_FALSE(each->GetActiveState().active);
        each->ReceiveActiveUpdate(caster, each->GetActiveState(), false);
    }
    EXPECT_FLOAT_EQ(owner.manaSubtracted, 7.0f);
    EXPECT_FLOAT_EQ(mirror.manaSubtracted, 7.0f);
    mirrored->Update(*caster, 5000);
    EXPECT_TRUE(mirror.services.results.empty());
}

TEST_F(Skill_AttackRadiusTest, LightningThatNeverLandsStrikesAfterFiveSecondsAndOnce)
{
    database.WriteRecord("Records/Effects/Bolt.dbr", {"Class = Lightning", "numberOfBolts = 1",
                                                      "timeMin = 100", "timeMax = 100"});
    auto* skill = Learnt<Skill_AttackRadiusLightning>(
        {"skillMaxLevel = 1", "skillTargetRadius = 3", "lightningName = Records/Effects/Bolt.dbr"});
    SkillsTarget* chosen = Target({10, 0, 0});
    SkillsTarget* beside = Target({11, 0, 0});
    skill->ActivateNow(*caster, Name(), chosen->GetObjectId(), At(10, 0));
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(Results()[0].size(), 2u);
    EXPECT_EQ(owner.services.results[0].weaponId, chosen->GetObjectId());

    skill->TargetResult(*caster, Results()[0], WorldCoords(At(10, 0)),
                        owner.services.results[0].seed, chosen->GetObjectId(), false);
    EXPECT_FALSE(skill->SetAvailability(true, true));
    skill->Update(*caster, 4999);
    EXPECT_EQ(chosen->attacks.size(), 0u);
    skill->Update(*caster, 1);
    EXPECT_EQ(chosen->attacks.size(), 1u);
    EXPECT_EQ(beside->attacks.size(), 1u);
    EXPECT_TRUE(skill->GetStoredTargets().empty());
}

TEST_F(Skill_AttackRadiusTest, DebuffsOutOfReachOrWithoutTargetsSendNothing)
{
    database.WriteRecord(
        "Records/Skills/Curse.dbr",
        {"Class = SkillBuff_Debuf", "skillMaxLevel = 1", "skillActiveDuration = 3"});
    auto* single = Learnt<Skill_AttackBuff>({"buffSkillName = Records/Skills/Curse.dbr"});
    SkillsTarget* far = Target({0, 0, 25});
    single->ActivateNow(*caster, Name(), far->GetObjectId(), At(0, 25));
    EXPECT_TRUE(Results().empty());
    SkillsTarget* near = Target({0, 0, 5});
    single->ActivateNow(*caster, Name(), near->GetObjectId(), At(0, 5));
    ASSERT_EQ(Results().size(), 1u);
    EXPECT_EQ(near->attacks.size(), 0u);

    auto* radius = Learnt<Skill_AttackBuffRadius>({"buffSkillName = Records/Skills/Curse.dbr"});
    radius->ActivateNow(*caster, Name(), 0, At(0, 5));
    EXPECT_EQ(Results().size(), 1u);
    radius->ActivateNow(*caster, Name(), far->GetObjectId(), At(0, 0));
    ASSERT_EQ(Results().size(), 2u);
    EXPECT_EQ(Results()[1], std::vector<uint32_t>{far->GetObjectId()});
}

TEST_F(Skill_AttackRadiusTest, DebuffWithoutItsRecordLogsAndStaysUnloaded)
{
    auto* skill = Learnt<Skill_AttackBuff>({"buffSkillName = Records/Skills/Missing.dbr"});
    const std::string line = "Skill_AttackBuff: no debuff record (Records/Skills/Missing.dbr) (" +
                             skill->GetObjectName() + ")";
    EXPECT_EQ(log.Count(1, line), 1u);
    auto* empty = Learnt<Skill_AttackBuff>();
    EXPECT_EQ(
        log.Count(1, "Skill_AttackBuff: no debuff record () (" + empty->GetObjectName() + ")"), 1u);
}

} // namespace
} // namespace GAME::Test
