#include "characters/CharAttributeAccumulator.h"
#include "characters/CharAttributeType.h"
#include "combat/DurationDamageManager.h"
#include "skills/SkillActivatedBuffSelf.h"
#include "skills/Skill_BuffSelfColossus.h"
#include "skills/Skill_BuffSelfDuration.h"
#include "skills/Skill_BuffSelfImmobilize.h"
#include "skills/Skill_BuffSelfInvulnerable.h"
#include "skills/Skill_BuffSelfShield.h"
#include "skills/Skill_BuffSelfToggled.h"
#include "tests/support/SkillsFixture.h"

#include <limits>

namespace GAME::Test {

class CountingSelfBuff : public SkillActivatedBuffSelf {
    GAME_DECLARE_CLASS(CountingSelfBuff)

public:
    void StopSkill(Character& /*owner*/) override { ++stops; }
    int stops = 0;
};

GAME_IMPLEMENT_CLASS(CountingSelfBuff, SkillActivated);

namespace {

class BuffSelfTest : public SkillsOwnerFixture {
protected:
    void SetUp() override
    {
        SkillsOwnerFixture::SetUp();
        MakeOwner();
    }

    void Use(SkillActivated& skill)
    {
        skill.ActivateNow(*owner, Name(), 0, owner->GetCoords().GetPosition());
    }
    template <typename T> T* Buff(std::vector<std::string> lines = {})
    {
        lines.insert(lines.begin(),
                     {"skillMaxLevel = 3", "skillManaCost = 7", "skillCooldownTime = 2"});
        T* skill = MakeOwned<T>(lines);
        skill->Install(owner);
        return skill;
    }
    template <typename T> T* Timed(std::vector<std::string> lines = {})
    {
        lines.push_back("skillActiveDuration = 2.5");
        return Buff<T>(lines);
    }
    Skill_BuffSelfColossus* MakeColossus(const std::string& seconds)
    {
        return Buff<Skill_BuffSelfColossus>({"skillActiveDuration = 10", "actorScale = 2",
                                             "actorScaleTime = " + seconds,
                                             "characterStrength = 10"});
    }
    static float Strength(const Skill& skill)
    {
        CharAttributeAccumulator acc;
        skill.CollectPassiveCharAttributes(acc);
        return acc.GetValue(CharAttribute_Strength);
    }
    Skill_BuffSelfToggled* MakeToggle()
    {
        return Buff<Skill_BuffSelfToggled>(
            {"damageAbsorption = 30", "damageAbsorptionPercent = 50"});
    }
};

// The kinds that pay their own way: a mirror of the owner's, so stopping is the skill's own.
class SelfBuffCostTest : public BuffSelfTest {
protected:
    void SetUp() override
    {
        BuffSelfTest::SetUp();
        manager.services = nullptr;
    }
};

TEST_F(SelfBuffCostTest, LifeCostNeverKillsAndTheBuffStopsTheFrameManaRunsOut)
{
    auto* buff = Buff<CountingSelfBuff>({"skillActiveLifeCost = 10", "skillActiveManaCost = 20"});
    owner->SetCurrentMana(15.0f);

    // The character drains mana at its own update.
    auto frame = [&](int32_t ms) {
        buff->ApplyActiveCosts(*owner, ms);
        owner->GetCharacterBio().Update(*owner, 0);
    };
    frame(500);
    EXPECT_FLOAT_EQ(owner->GetCurrentLife(), 995.0f);
    EXPECT_FLOAT_EQ(Mana(), 5.0f);
    EXPECT_EQ(buff->stops, 0);

    // The second 10 is still queued for draining, yet it empties the pool this frame.
    frame(500);
    EXPECT_FLOAT_EQ(owner->GetCurrentLife(), 990.0f);
    EXPECT_FLOAT_EQ(owner->GetCurrentMana(), 15.0f);
    EXPECT_FLOAT_EQ(Mana(), 0.0f);
    EXPECT_EQ(buff->stops, 1);

    // 99 seconds would cost 990: not below the life left, so nothing is taken.
    frame(99000);
    EXPECT_FLOAT_EQ(owner->GetCurrentLife(), 990.0f);
}

TEST_F(SelfBuffCostTest, CooldownStartsAtTheEndUnlessTheKindSaysOtherwise)
{
    auto* buff = Buff<CountingSelfBuff>();
    owner->SetCurrentMana(50.0f);
    EXPECT_TRUE(buff->IsCooldownAtEnd());
    buff->ApplyCost(true);
    owner->GetCharacterBio().Update(*owner, 0);
    EXPECT_EQ(buff->GetCooldownRemaining(), 0);
    buff->ApplyCost(false);
    EXPECT_EQ(buff->GetCooldownRemaining(), 2000);
}

TEST_F(SelfBuffCostTest, DispelStopsOnlyADispelableBuff)
{
    auto* buff = Buff<CountingSelfBuff>();
    auto* kept = Buff<CountingSelfBuff>({"notDispelable = 1"});
    buff->DispellSelfBuff(*owner);
    kept->DispellSelfBuff(*owner);
    EXPECT_EQ(buff->stops, 1);
    EXPECT_EQ(kept->stops, 0);

    uint32_t target = 0;
    EXPECT_TRUE(kept->GetValidTarget(*owner, target, WorldVec3(), false, 0.0f));
    EXPECT_EQ(target, owner->GetObjectId());
}

TEST_F(BuffSelfTest, ARestoredColossusIsAtItsTargetAtOnce)
{
    Skill_BuffSelfColossus* colossus = MakeColossus("2");
    Receive(*colossus, true, true);
    EXPECT_FLOAT_EQ(owner->GetCurrentScale(), 2.0f);
    EXPECT_FALSE(colossus->IsScaling());
    EXPECT_FLOAT_EQ(Strength(*colossus), 10.0f);
}

TEST_F(BuffSelfTest, ALiveColossusGrowsOverItsTimeAndFeedsNothingUntilThere)
{
    Skill_BuffSelfColossus* colossus = MakeColossus("2");
    colossus->ActivateNow(*owner, Name(), 0, WorldVec3());
    Receive(*colossus, true);
    EXPECT_FLOAT_EQ(Strength(*colossus), 0.0f);
    for (int frame = 1; frame <= 60; ++frame)
        colossus->Update(*owner, 33);
    EXPECT_NEAR(owner->GetCurrentScale(), 1.99f, 1e-4f);
    EXPECT_FLOAT_EQ(Strength(*colossus), 0.0f);

    colossus->Update(*owner, 33);
    EXPECT_FLOAT_EQ(owner->GetCurrentScale(), 2.0f);
    EXPECT_EQ(owner->GetSize(), PathingSize_Large);
    colossus->Update(*owner, 33);
    EXPECT_FLOAT_EQ(Strength(*colossus), 10.0f);

    // Off, it shrinks back to the base scale and the extents follow.
    Receive(*colossus, false);
    for (int frame = 1; frame <= 61; ++frame)
        colossus->Update(*owner, 33);
    EXPECT_FLOAT_EQ(owner->GetCurrentScale(), 1.0f);
    EXPECT_EQ(owner->GetSize(), PathingSize_Small);
}

TEST_F(BuffSelfTest, AColossusWithoutScaleTimeReachesTheTargetOnTheNextUpdate)
{
    Skill_BuffSelfColossus* colossus = MakeColossus("0");
    Receive(*colossus, true);
    EXPECT_FLOAT_EQ(owner->GetCurrentScale(), 1.0f);
    colossus->Update(*owner, 33);
    EXPECT_FLOAT_EQ(owner->GetCurrentScale(), 2.0f);
    EXPECT_FALSE(colossus->IsScaling());
}

TEST_F(BuffSelfTest, ATimedBuffRunsTwoAndAHalfSecondsAndCoolsDownFromTheStart)
{
    auto* timed = Timed<Skill_BuffSelfDuration>();
    Use(*timed);
    Receive(*timed, true);
    EXPECT_FLOAT_EQ(Mana(), 93.0f);
    EXPECT_EQ(timed->GetCooldownRemaining(), 2000);
    for (int frame = 0; frame < 24; ++frame)
        timed->Update(*owner, 100);
    timed->Update(*owner, 99);
    EXPECT_EQ(services.Switches(), std::vector<bool>{true});
    timed->Update(*owner, 1);
    EXPECT_EQ(services.Switches(), (std::vector<bool>{true, false}));
}

TEST_F(BuffSelfTest, AHugeDurationSaturates)
{
    auto* timed = Buff<Skill_BuffSelfDuration>({"skillActiveDuration = 1e12"});
    Use(*timed);
    EXPECT_EQ(timed->TrackableTotalTime(1), std::numeric_limits<int32_t>::max());
}

TEST_F(BuffSelfTest, ImmobilizeRenewsItsQuarterSecondPiecesWhileOn)
{
    auto* root = Timed<Skill_BuffSelfImmobilize>();
    DurationDamageManager& pieces = owner->GetDurationDamageMgr();
    Use(*root);
    Receive(*root, true);
    for (int frame = 0; frame < 20; ++frame) {
        root->Update(*owner, 50);
        pieces.Update(50);
        ASSERT_FLOAT_EQ(pieces.GetFixedDamage(CombatAttributeType_Immobilize), 1.0f) << frame;
    }
    Receive(*root, false);
    for (int frame = 0; frame < 6; ++frame) {
        root->Update(*owner, 50);
        pieces.Update(50);
    }
    EXPECT_FLOAT_EQ(pieces.GetFixedDamage(CombatAttributeType_Immobilize), 0.0f);
}

TEST_F(BuffSelfTest, InvulnerableBlocksEveryoneOrTheNamedRacesOnlyWhileOn)
{
    auto* all = Timed<Skill_BuffSelfInvulnerable>();
    auto* undead = Timed<Skill_BuffSelfInvulnerable>({"racialProfile = Undead"});
    const std::vector<std::string> beast{"Beast"};
    const std::vector<std::string> dead{"Beast", "Undead"};
    EXPECT_FALSE(all->ProvidesInvulnerability(beast));
    Receive(*all, true);
    Receive(*undead, true);
    EXPECT_TRUE(all->ProvidesInvulnerability(beast));
    EXPECT_FALSE(undead->ProvidesInvulnerability(beast));
    EXPECT_TRUE(undead->ProvidesInvulnerability(dead));
    Receive(*all, false);
    EXPECT_FALSE(all->ProvidesInvulnerability(beast));
}

TEST_F(BuffSelfTest, AShieldPoolOfHundredLetsZeroThenTwentyThroughAndDropsNextUpdate)
{
    auto* shield =
        Buff<Skill_BuffSelfShield>({"damageAbsorption = 100", "fireDamageQualifier = 1"});
    shield->ActivateNow(*owner, Name(), 0, WorldVec3());
    Receive(*shield, true);
    EXPECT_EQ(Available(*shield, true, true), Availability(false, 1));

    CombatLogOn trace;
    LogCapture log;
    EXPECT_FLOAT_EQ(LifeLost(CombatAttributeType_Cold, 40.0f), 40.0f);
    EXPECT_EQ(log.Count(0, "^bShield: Ignored non-qualified damage (40.000000)"), 1u);

    EXPECT_FLOAT_EQ(LifeLost(CombatAttributeType_Fire, 60.0f), 0.0f);
    EXPECT_FLOAT_EQ(LifeLost(CombatAttributeType_Fire, 60.0f), 20.0f);
    EXPECT_EQ(1u, log.Count(0, "^bShield: Absorbed (40.000000) of (60.000000) damage, shield "
                               "remaining (0.000000)"));
    EXPECT_EQ(services.Switches(), std::vector<bool>{true});
    shield->Update(*owner, 33);
    EXPECT_EQ(services.Switches(), (std::vector<bool>{true, false}));
    Receive(*shield, false);
    EXPECT_EQ(shield->GetCooldownRemaining(), 2000);
}

TEST_F(BuffSelfTest, AShieldCutsByPercentThenEmptiesThePool)
{
    auto* shield =
        Buff<Skill_BuffSelfShield>({"damageAbsorption = 30", "damageAbsorptionPercent = 50"});
    Receive(*shield, true);
    CombatLogOn trace;
    LogCapture log;
    EXPECT_FLOAT_EQ(shield->ModifyDamage(100.0f, CombatAttributeType_Fire), 20.0f);
    EXPECT_FLOAT_EQ(shield->GetAbsorption(), 0.0f);
    EXPECT_EQ(log.GetLines(),
              (std::vector<LogCapture::Line>{
                  {0, "^bShield: Reduced (100.000000) Damage by (50.000000%) percent, remaining "
                      "damage (50.000000)"},
                  {0, "^bShield: Absorbed (30.000000) of (50.000000) damage, shield remaining "
                      "(0.000000)"}}));
    // A second use while up re-sends "on".
    Use(*shield);
    Use(*shield);
    EXPECT_EQ(services.Switches(), (std::vector<bool>{true, true}));
}

TEST_F(BuffSelfTest, AToggleUsedTwiceSendsOnThenOffPaysOnceAndCoolsDownAtTheEnd)
{
    Skill_BuffSelfToggled* toggle = MakeToggle();
    Use(*toggle);
    EXPECT_EQ(services.Switches(), std::vector<bool>{true});
    Receive(*toggle, true);
    EXPECT_FLOAT_EQ(Mana(), 93.0f);
    EXPECT_EQ(toggle->GetCooldownRemaining(), 0);

    Use(*toggle);
    EXPECT_EQ(services.Switches(), (std::vector<bool>{true, false}));
    Receive(*toggle, false);
    EXPECT_FLOAT_EQ(Mana(), 93.0f);
    EXPECT_EQ(toggle->GetCooldownRemaining(), 2000);
}

TEST_F(BuffSelfTest, AMirroredToggleSendsNothingAndAppliesWhatArrivesARestoreFree)
{
    Skill_BuffSelfToggled* toggle = MakeToggle();
    manager.services = nullptr;
    Use(*toggle);
    toggle->StopSkill(*owner);
    EXPECT_TRUE(services.Switches().empty());
    EXPECT_FALSE(toggle->IsToggledOn());

    Receive(*toggle, true, true);
    EXPECT_TRUE(toggle->GetActiveState().active);
    EXPECT_FLOAT_EQ(Mana(), 100.0f);
}

TEST_F(BuffSelfTest, AToggleStopsWhenManaRunsOutAndSendsTheStopOnce)
{
    Skill_BuffSelfToggled* toggle = Buff<Skill_BuffSelfToggled>({"skillActiveManaCost = 100"});
    Use(*toggle);
    Receive(*toggle, true);
    toggle->Update(*owner, 500);
    EXPECT_EQ(services.Switches(), std::vector<bool>{true});
    toggle->Update(*owner, 500);
    EXPECT_EQ(services.Switches(), (std::vector<bool>{true, false}));
    toggle->StopSkill(*owner);
    EXPECT_EQ(services.Switches().size(), 2u);
}

TEST_F(BuffSelfTest, AToggleCapsEveryHitUntilUnInstallOrDestructionTakesItsFilterOff)
{
    Skill_BuffSelfToggled* toggle = MakeToggle();
    Receive(*toggle, true);
    EXPECT_FLOAT_EQ(LifeLost(), 20.0f);
    EXPECT_FLOAT_EQ(LifeLost(), 20.0f) << "the cap is not used up";
    toggle->UnInstall(owner);
    EXPECT_FLOAT_EQ(LifeLost(), 100.0f);

    toggle->Install(owner);
    EXPECT_FLOAT_EQ(LifeLost(), 20.0f);
    ObjectManager::Instance().DestroyObjectEx(toggle, "test", __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_FLOAT_EQ(LifeLost(), 100.0f);
}

} // namespace
} // namespace GAME::Test
