#include "skills/Skill_AttackRadius.h"

#include "engine/ChaosBeam.h"
#include "skills/SkillSecondary.h"
#include "skills/Skill_AttackBuffRadius.h"
#include "skills/Skill_AttackRadiusLightning.h"
#include "skills/Skill_AttackSpell.h"
#include "skills/Skill_AttackSpellChaos.h"
#include "skills/Skill_AttackSpellTeleport.h"
#include "skills/Skill_BuffAttackRadiusDuration.h"
#include "skills/Skill_BuffOther.h"
#include "skills/Skill_BuffRadius.h"
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
    EXPECT_EQ(owner.services.results[0].weaponId, chosen->GetObjectId());

    skill->TargetResult(*caster, Results()[0], WorldCoords(At(10, 0)),
                        owner.services.results[0].seed, chosen->GetObjectId(), false);
    EXPECT_FALSE(skill->SetAvailability(true, true));
    skill->Update(*caster, 5000);
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
        database.WriteRecord(kBuff, lines);
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

TEST_F(Skill_BuffRadiusTest, DebuffPicksEnemiesAndGivesNoBonus)
{
    WriteBuff({"debufSkill = 1"});
    auto* aura = Make<Skill_BuffRadiusToggled>();
    Place({1, 0, 0}, kSide);
    Character* foe = Place({2, 0, 0}, TeamManager::DefaultMonsterTeam());
    const float foeLife = foe->GetCurrentLife();

    aura->ActivateNow(*caster, Name(), 0, WorldVec3());
    ASSERT_EQ(owner.services.results.size(), 1u);
    EXPECT_EQ(owner.services.results[0].targets, std::vector<uint32_t>{foe->GetObjectId()});
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
