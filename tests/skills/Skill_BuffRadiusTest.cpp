#include "skills/Skill_BuffRadius.h"

#include "skills/SkillProfile.h"
#include "skills/SkillSecondary.h"
#include "skills/Skill_BuffAttackRadiusDuration.h"
#include "skills/Skill_BuffOther.h"
#include "skills/Skill_BuffRadiusToggled.h"
#include "tests/support/SkillsFixture.h"

#include <cstdint>

namespace GAME::Test {

class CountingSecondary : public SkillSecondary {
    GAME_DECLARE_CLASS(CountingSecondary)

public:
    void ActivateNow(Character&, uint32_t, const std::vector<uint32_t>& targets,
                     const WorldVec3&) override
    {
        runs.push_back(targets.size());
    }
    std::vector<size_t> runs;
};
GAME_IMPLEMENT_CLASS(CountingSecondary, SkillSecondary);

namespace {

class Skill_BuffRadiusTest : public SkillsCasterFixture<> {
protected:
    static constexpr const char* kBuff = "Records/Skills/Buffs/Ward.dbr";

    void WriteBuff(std::initializer_list<std::string> extra, const char* radius = "4",
                   const char* duration = "5")
    {
        std::vector<std::string> lines{"Class = SkillBuff", "skillMaxLevel = 1",
                                       std::string("skillActiveDuration = ") + duration,
                                       std::string("skillTargetRadius = ") + radius,
                                       "skillLifeBonus = 30"};
        lines.insert(lines.end(), extra);
        WriteLines(kBuff, lines);
    }

    template <class Kind> Kind* Make(const std::string& buffName = "Records/Skills/Buffs/Ward.dbr")
    {
        return Learnt<Kind>({"buffSkillName = " + buffName});
    }

    // Runs 100 ms frames up to `untilMs`, noting the time of each send.
    void Run(Skill& skill, int32_t untilMs)
    {
        while (owner.services.now < untilMs) {
            owner.services.now += 100;
            skill.Update(*caster, 100);
        }
    }
};

TEST_F(Skill_BuffRadiusTest, NumbersAreTheBuffRecordsAndOnlyTheToggleCoolsDownAtTheEnd)
{
    WriteBuff({});
    auto* radius = Make<Skill_BuffRadius>();
    EXPECT_FLOAT_EQ(radius->GetSkillProfile().GetLifeBonus(1), 30.0f);
    EXPECT_FALSE(radius->IsCooldownAtEnd());
    EXPECT_TRUE(Make<Skill_BuffRadiusToggled>()->IsCooldownAtEnd());
}

TEST_F(Skill_BuffRadiusTest, FiveSecondAuraPulsesEachSecondAndEndsBeforeItsLastPulse)
{
    WriteBuff({});
    auto* aura = Make<Skill_BuffRadius>();
    const uint32_t ally = Place({1, 0, 0}, kSide)->GetObjectId();
    Place({2, 0, 0}, TeamManager::DefaultMonsterTeam());

    aura->ActivateNow(*caster, Name(), 0, WorldVec3());
    Run(*aura, 6000);

    const auto& results = owner.services.results;
    ASSERT_EQ(results.size(), 5u);
    for (size_t index = 1; index < results.size(); ++index) {
        EXPECT_EQ(results[index].atMs, static_cast<int32_t>(index) * 1000);
        // The caster is an ally within its own radius.
        EXPECT_EQ(results[index].targets, (std::vector<uint32_t>{caster->GetObjectId(), ally}));
    }
    EXPECT_EQ(owner.services.Switches(), (std::vector<bool>{true, false}));
}

TEST_F(Skill_BuffRadiusTest, AHugeDurationSaturates)
{
    WriteBuff({}, "4", "1e12");
    auto* aura = Make<Skill_BuffRadius>();
    aura->ActivateNow(*caster, Name(), 0, WorldVec3());
    EXPECT_EQ(aura->TrackableTotalTime(1), INT32_MAX);
    aura->Update(*caster, 100);
    EXPECT_TRUE(aura->IsToggledOn());
}

TEST_F(Skill_BuffRadiusTest, DebuffPicksEnemiesGivesNoBonusAndShowsAnIcon)
{
    WriteBuff({"debufSkill = 1"});
    auto* aura = Make<Skill_BuffRadiusToggled>();
    Place({1, 0, 0}, kSide);
    Character* foe = Place({2, 0, 0}, TeamManager::DefaultMonsterTeam());
    const float foeLife = foe->GetCurrentLife();

    aura->ActivateNow(*caster, Name(), 0, WorldVec3());
    ASSERT_EQ(owner.services.results.size(), 1u);
    EXPECT_EQ(owner.services.results[0].targets, std::vector<uint32_t>{foe->GetObjectId()});
    EXPECT_TRUE(aura->HasIconDisplay(1));
    aura->TargetResult(*caster, {foe->GetObjectId()}, caster->GetCoords(), 7, 0, true);
    EXPECT_FLOAT_EQ(foe->GetCurrentLife(), foeLife);

    aura->ActivateNow(*caster, Name(), 0, WorldVec3());
    EXPECT_EQ(owner.services.Switches(), (std::vector<bool>{true, false}));
    EXPECT_EQ(owner.services.results.size(), 1u);
}

TEST_F(Skill_BuffRadiusTest, UnqualifiedWeaponEndsEitherAuraOnTheNextUpdate)
{
    WriteBuff({"Sword = 1"});
    owner.rightType = Weapon_Type_Sword;
    auto* timed = Make<Skill_BuffRadius>();
    auto* toggled = Make<Skill_BuffRadiusToggled>();
    timed->ActivateNow(*caster, Name(), 0, WorldVec3());
    toggled->ActivateNow(*caster, Name(), 0, WorldVec3());
    timed->Update(*caster, 100);
    toggled->Update(*caster, 100);
    owner.rightType = Weapon_Type_Axe;
    timed->Update(*caster, 100);
    toggled->Update(*caster, 100);
    EXPECT_EQ(owner.services.Switches(), (std::vector<bool>{true, true, false, false}));
}

TEST_F(Skill_BuffRadiusTest, InitialResultRunsTheSecondariesOncePerResult)
{
    WriteBuff({});
    auto* aura = Make<Skill_BuffRadius>();
    auto* secondary = static_cast<CountingSecondary*>(
        ObjectManager::Instance().CreateObject("CountingSecondary"));
    aura->AddSecondarySkill(secondary->GetObjectId());
    std::vector<uint32_t> ids;
    for (float x : {1.0f, 2.0f, 3.0f})
        ids.push_back(Place({x, 0, 0}, kSide)->GetObjectId());
    aura->TargetResult(*caster, ids, caster->GetCoords(), 7, 0, true);
    EXPECT_EQ(secondary->runs, std::vector<size_t>{3});
}

TEST_F(Skill_BuffRadiusTest, MissingBuffRecordIsLoggedAndLeavesTheSkillUnusable)
{
    log.Clear();
    auto* aura = Make<Skill_BuffRadius>("Records/Skills/Buffs/Nowhere.dbr");
    EXPECT_EQ(log.Count(1, "Skill (" + aura->GetObjectName() +
                               ") has no buff record (records\\skills\\buffs\\nowhere.dbr)"),
              1u);
    EXPECT_EQ(&aura->GetSkillProfile(), Game().GetNullSkillResource());
    aura->ActivateNow(*caster, Name(), 0, WorldVec3());
    EXPECT_TRUE(owner.services.Switches().empty());
}

TEST_F(Skill_BuffRadiusTest, AttackAuraTogglesAndStrikesDirectOncePerPulse)
{
    // The attack aura's numbers are its own record's.
    auto* aura =
        Learnt<Skill_BuffAttackRadiusToggled>({"skillMaxLevel = 1", "skillTargetRadius = 4"});
    auto* foe = Foe<SkillsTarget>({2, 0, 0}, "SkillsTarget");
    aura->ActivateNow(*caster, Name(), 0, WorldVec3());
    Run(*aura, 2000);
    ASSERT_EQ(owner.services.results.size(), 2u);
    // The first strike comes on the first frame, then one each second.
    EXPECT_EQ(owner.services.results[1].atMs, 1100);
    const auto& sent = owner.services.results[0];
    aura->TargetResult(*caster, sent.targets, caster->GetCoords(), 5, 0, false);
    ASSERT_EQ(foe->attacks.size(), 1u);
    EXPECT_EQ(foe->attacks[0].style, 0);

    aura->StopSkill(*caster);
    Run(*aura, 4000);
    EXPECT_EQ(owner.services.results.size(), 2u);
    EXPECT_EQ(owner.services.Switches(), (std::vector<bool>{true, false}));
}

TEST_F(Skill_BuffRadiusTest, TimedAttackAuraEndsAfterItsDurationAndMirrorsSendNothing)
{
    auto* aura =
        Learnt<Skill_BuffAttackRadiusDuration>({"skillMaxLevel = 1", "skillActiveDuration = 2"});
    owner.controlling = false;
    aura->ActivateNow(*caster, Name(), 0, WorldVec3());
    EXPECT_FALSE(aura->IsToggledOn());

    owner.controlling = true;
    aura->ActivateNow(*caster, Name(), 0, WorldVec3());
    Run(*aura, 1900);
    EXPECT_TRUE(aura->IsToggledOn());
    Run(*aura, 2000);
    EXPECT_FALSE(aura->IsToggledOn());
    EXPECT_EQ(owner.services.Switches(), (std::vector<bool>{true, false}));
}

TEST_F(Skill_BuffRadiusTest, CastBuffTargetsAndTheBuffItInstalls)
{
    WriteBuff({}, "0", "2.5");
    auto* cast = Make<Skill_BuffOther>();
    cast->ActivateNow(*caster, Name(), 0, WorldVec3());
    EXPECT_TRUE(owner.services.results.empty());

    Character* ally = Place({1, 0, 0}, kSide);
    EXPECT_FALSE(cast->IsValidTarget(0));
    cast->ActivateNow(*caster, Name(), ally->GetObjectId(), WorldVec3());
    ASSERT_EQ(owner.services.results.size(), 1u);
    EXPECT_EQ(owner.services.results[0].targets, std::vector<uint32_t>{ally->GetObjectId()});

    // The installed buff lives the duration in ms; the replicated command installs it.
    ally->CreateRemoveSkillBuff(0, cast->GetBuffSkillName(), 1, "", 0, "", 0, 2500,
                                caster->GetObjectId());
    ASSERT_TRUE(ally->IsSkillBuffActive(cast->GetBuffSkillName()));
    EXPECT_FALSE(cast->IsValidTarget(ally->GetObjectId()));
}

} // namespace
} // namespace GAME::Test
