#include "characters/CharAttributeAccumulator.h"
#include "characters/CharAttributeType.h"
#include "combat/DurationDamageManager.h"
#include "combat/RacialBonus.h"
#include "core/PlayStats.h"
#include "skills/SkillActivatedBuffSelf.h"
#include "skills/SkillProfile.h"
#include "skills/Skill_BuffSelfColossus.h"
#include "skills/Skill_BuffSelfDuration.h"
#include "skills/Skill_BuffSelfImmobilize.h"
#include "skills/Skill_BuffSelfInvulnerable.h"
#include "skills/Skill_BuffSelfShield.h"
#include "skills/Skill_BuffSelfToggled.h"
#include "skills/Skill_Mastery.h"
#include "skills/Skill_MeleeModifierRadius.h"
#include "skills/Skill_Modifier.h"
#include "skills/Skill_OnHitAttackRadius.h"
#include "skills/Skill_OnHitBuffSelf.h"
#include "skills/Skill_Passive.h"
#include "skills/Skill_PassiveDualWieldWeapon.h"
#include "skills/Skill_PassiveOnHitBuffSelf.h"
#include "skills/Skill_PassiveOnLifeBuffSelf.h"
#include "skills/Skill_PassiveShield.h"
#include "skills/Skill_ProjectileModifier.h"
#include "tests/support/PlacedOwnerFixture.h"
#include "tests/support/SkillsFixture.h"
#include "world/ProjectileInfo.h"

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
    static constexpr const char* kTimed = "skillActiveDuration = 2.5";

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
}

TEST_F(BuffSelfTest, ARestoredColossusIsAtItsTargetAtOnceAndOneWithoutScaleTimeNextUpdate)
{
    Skill_BuffSelfColossus* colossus = MakeColossus("2");
    Receive(*colossus, true, true);
    EXPECT_FLOAT_EQ(owner->GetCurrentScale(), 2.0f);
    EXPECT_FALSE(colossus->IsScaling());
    EXPECT_FLOAT_EQ(Strength(*colossus), 10.0f);

    Receive(*colossus, false, true);
    Skill_BuffSelfColossus* sudden = MakeColossus("0");
    Receive(*sudden, true);
    EXPECT_FLOAT_EQ(owner->GetCurrentScale(), 1.0f);
    sudden->Update(*owner, 33);
    EXPECT_FLOAT_EQ(owner->GetCurrentScale(), 2.0f);
    EXPECT_FALSE(sudden->IsScaling());
}

TEST_F(BuffSelfTest, ALiveColossusGrowsOverItsTimeAndFeedsNothingUntilThere)
{
    Skill_BuffSelfColossus* colossus = MakeColossus("2");
    colossus->ActivateNow(*owner, Name(), 0, WorldVec3());
    Receive(*colossus, true);
    for (int frame = 1; frame <= 60; ++frame)
        colossus->Update(*owner, 33);
    EXPECT_FLOAT_EQ(Strength(*colossus), 0.0f);

    colossus->Update(*owner, 33);
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

TEST_F(BuffSelfTest, ATimedBuffRunsItsTimeCoolsDownFromTheStartAndAHugeOneSaturates)
{
    auto* timed = Buff<Skill_BuffSelfDuration>({kTimed});
    Use(*timed);
    Receive(*timed, true);
    EXPECT_EQ(timed->GetCooldownRemaining(), 2000);
    for (int frame = 0; frame < 25; ++frame)
        timed->Update(*owner, 100);
    EXPECT_EQ(services.Switches(), (std::vector<bool>{true, false}));

    auto* huge = Buff<Skill_BuffSelfDuration>({"skillActiveDuration = 1e12"});
    Use(*huge);
    EXPECT_EQ(huge->TrackableTotalTime(1), std::numeric_limits<int32_t>::max()) << "saturates";
}

TEST_F(BuffSelfTest, ImmobilizeRenewsItsQuarterSecondPiecesWhileOn)
{
    auto* root = Buff<Skill_BuffSelfImmobilize>({kTimed});
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
    auto* all = Buff<Skill_BuffSelfInvulnerable>({kTimed});
    auto* undead = Buff<Skill_BuffSelfInvulnerable>({kTimed, "racialProfile = Undead"});
    const std::vector<std::string> beast{"Beast"};
    const std::vector<std::string> dead{"Beast", "Undead"};
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

    EXPECT_FLOAT_EQ(LifeLost(CombatAttributeType_Cold, 40.0f), 40.0f);
    EXPECT_FLOAT_EQ(LifeLost(CombatAttributeType_Fire, 60.0f), 0.0f);
    EXPECT_FLOAT_EQ(LifeLost(CombatAttributeType_Fire, 60.0f), 20.0f);
    EXPECT_EQ(services.Switches(), std::vector<bool>{true});
    shield->Update(*owner, 33);
    EXPECT_EQ(services.Switches(), (std::vector<bool>{true, false}));
    Receive(*shield, false);
    EXPECT_EQ(shield->GetCooldownRemaining(), 2000);

    // Used again while up, a shield sends on again.
    auto* again = Buff<Skill_BuffSelfShield>({"damageAbsorption = 30"});
    Receive(*again, true);
    Use(*again);
    Use(*again);
    EXPECT_EQ(services.Switches(), (std::vector<bool>{true, false, true, true}));
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

class Skill_PassiveTest : public SkillsFixture {
protected:
    template <typename T> T* Make(const std::vector<std::string>& lines)
    {
        auto* skill = MakeSkill<T>(manager, lines);
        skill->SetAsTempSkill();
        return skill;
    }

    HandsManager manager;
};

RacialBonus_Damage Racial(const Skill& skill)
{
    RacialBonus_Damage damage;
    skill.CollectPassiveRacialBonusDamage({"Undead"}, damage);
    return damage;
}

class SelfBuffTest : public BuffSelfTest {
protected:
    template <typename T> T* Make(const std::string& extra)
    {
        return MakeOwned<T>({"skillMaxLevel = 3", "skillActiveDuration = 2.5",
                             "damageAbsorption = 30", "damageAbsorptionPercent = 50", extra});
    }
};

TEST_F(Skill_PassiveTest, OnlyAnEnabledLearntPassiveAddsItselfAndItsModifiers)
{
    auto* passive = Make<Skill_Passive>(
        {"skillMaxLevel = 3", "racialBonusRace = Undead", "racialBonusPercentDamage = 10;20"});
    auto* modifier = Make<Skill_Modifier>(
        {"skillMaxLevel = 3", "racialBonusRace = Undead", "racialBonusPercentDamage = 5"});
    passive->AddModifier(modifier->GetObjectId());
    modifier->ReceiveStateUpdate(SkillState{1, true}, true);

    EXPECT_EQ(Racial(*passive).percent, 0.0f);
    passive->ReceiveStateUpdate(SkillState{2, false}, true);
    EXPECT_EQ(Racial(*passive).percent, 0.0f);
    passive->ReceiveStateUpdate(SkillState{2, true}, true);
    EXPECT_EQ(Racial(*passive).percent, 25.0f);
    // A disabled modifier adds nothing, though its base does.
    modifier->ReceiveStateUpdate(SkillState{1, false}, true);
    EXPECT_EQ(Racial(*passive).percent, 20.0f);
}

TEST_F(Skill_PassiveTest, AMasteryIsNeverTakenBackOrAugmented)
{
    auto* earth = Make<Skill_Mastery>({"skillMaxLevel = 32"});
    earth->ReceiveStateUpdate(SkillState{4, true}, true);
    EXPECT_FALSE(earth->DecrementSkillLevel());
    earth->IncrementAugmentedSkillLevel(3);
    EXPECT_EQ(earth->GetSkillLevel(), 4u);
    EXPECT_EQ(earth->GetAugmentedLevel(), 0u);
}

TEST_F(Skill_PassiveTest, DualWieldIsUsableOnlyWithBothHandsArmed)
{
    auto* dual = Make<Skill_PassiveDualWieldWeapon>({"skillMaxLevel = 3"});
    manager.handState = 2;
    EXPECT_EQ(Available(*dual, false, false), Availability(false, 4));
    dual->ReceiveStateUpdate(SkillState{1, true}, true);
    EXPECT_TRUE(dual->SetAvailability(false, false));
    manager.handState = 1;
    EXPECT_EQ(Available(*dual, true, true), Availability(false, 4));
}

TEST_F(Skill_PassiveTest, TheShieldCutsThenAbsorbsAndAnEmptyOneLetsAllThrough)
{
    const SkillProfile profile;
    EXPECT_FLOAT_EQ(20.0f, Skill_PassiveShield::FilterDamage(
                               profile, 100.0f, CombatAttributeType_Fire, 30.0f, 50.0f));
    EXPECT_FLOAT_EQ(0.0f, Skill_PassiveShield::FilterDamage(
                              profile, 40.0f, CombatAttributeType_Fire, 30.0f, 50.0f));
    EXPECT_EQ(40.0f, Skill_PassiveShield::FilterDamage(profile, 40.0f, CombatAttributeType_Fire,
                                                       0.0f, 0.0f));

    // Nothing fills a plain shield: learnt and enabled, it still lets everything through.
    auto* shield = Make<Skill_PassiveShield>({"fireDamageQualifier = 1"});
    shield->ReceiveStateUpdate(SkillState{1, true}, true);
    EXPECT_EQ(shield->ModifyDamage(70.0f, CombatAttributeType_Fire), 70.0f);
    EXPECT_EQ(70.0f, Skill_PassiveShield::FilterDamage(shield->GetSkillProfile(), 70.0f,
                                                       CombatAttributeType_Cold, 30.0f, 50.0f));
}

TEST_F(SelfBuffTest, OnHitFiresOnceWhileRunningAndShieldsUntilItGoesOffOrIsDestroyed)
{
    auto* buff = Make<Skill_PassiveOnHitBuffSelf>("onHitActivationChance = 100");
    Hit(*buff);
    Hit(*buff);
    EXPECT_EQ(services.Switches(), std::vector<bool>{true});

    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, true, false), false);
    EXPECT_FLOAT_EQ(LifeLost(), 20.0f);
    buff->Update(*owner, 2500);
    EXPECT_EQ(services.Switches(), (std::vector<bool>{true, false}));
    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, false, false), false);
    EXPECT_FLOAT_EQ(LifeLost(), 100.0f);

    // Destroyed while running, it takes its filter off the owner too.
    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, true, false), false);
    EXPECT_FLOAT_EQ(LifeLost(), 20.0f);
    ObjectManager::Instance().DestroyObjectEx(buff, "test", __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_FLOAT_EQ(LifeLost(), 100.0f);
}

TEST_F(SelfBuffTest, ARemoteCopyDrawsNothingAndAChanceOfZeroFiresOnADrawOfZero)
{
    auto* buff = Make<Skill_PassiveOnHitBuffSelf>("onHitActivationChance = 0");
    RandomUniform& shared = GameEngine::Get().GetRandomGen();

    manager.services = nullptr;
    shared.Seed(7);
    const uint32_t seeded = shared.GetState();
    Hit(*buff);
    EXPECT_EQ(shared.GetState(), seeded);

    // A seed whose first draw is 0.
    manager.services = &services;
    uint32_t seed = 0;
    for (int draw = 1; draw != 0;) {
        RandomUniform probe;
        probe.Seed(++seed);
        draw = probe.IGenerate(0, 100);
    }
    shared.Seed(seed);
    Hit(*buff);
    EXPECT_EQ(services.Switches(), std::vector<bool>{true});
}

TEST_F(SelfBuffTest, OnLifeTimeRunsOnlyOnceLifeIsBackAboveTheMonitor)
{
    auto* buff = Make<Skill_PassiveOnLifeBuffSelf>("lifeMonitorPercent = 50");
    buff->Update(*NewCharacter(), 100); // no maximum life: never low
    buff->Update(*owner, 100);
    EXPECT_TRUE(services.Switches().empty());
    owner->SubtractLife(600.0f, PlayStatsDamageType{});
    buff->Update(*owner, 100);
    EXPECT_EQ(services.Switches(), std::vector<bool>{true});
    // Still low: the time never runs out.
    buff->Update(*owner, 100000);
    EXPECT_EQ(buff->GetRemainingActiveTime(), 2500);
    owner->GetCharacterBio().AddLifeFast(200.0f);
    buff->Update(*owner, 2500);
    EXPECT_EQ(services.Switches(), (std::vector<bool>{true, false}));
}

TEST_F(SelfBuffTest, AProjectileModifierHitPaysNothingAndAGoneOwnerSendsNothing)
{
    auto* modifier = Make<Skill_ProjectileModifier>("");
    ProjectileInfo info;
    info.ownerId = owner->GetObjectId();
    services.IncHitIteration();
    modifier->TargetInformation(info, owner->GetCoords(), {owner->GetObjectId(), 9});
    info.ownerId = 0;
    modifier->TargetInformation(info, owner->GetCoords(), {});
    ASSERT_EQ(services.results.size(), 1u);
    EXPECT_EQ(services.results[0].targets.size(), 2u);
    EXPECT_EQ(services.results[0].hitIteration, 0u);
}

TEST_F(SelfBuffTest, ARadiusModifierSendsItsAttackOnlyWhenEnabledAndControlling)
{
    auto* radius = Make<Skill_MeleeModifierRadius>("");
    manager.services = nullptr;
    radius->ActivateModifierAttack(*owner, 0, WorldVec3());
    manager.services = &services;
    radius->ReceiveStateUpdate(SkillState{1, false}, true);
    radius->ActivateModifierAttack(*owner, 0, WorldVec3());
    EXPECT_TRUE(services.results.empty());
    radius->ReceiveStateUpdate(SkillState{1, true}, true);
    radius->ActivateModifierAttack(*owner, 0, WorldVec3());
    ASSERT_EQ(services.results.size(), 1u);
    EXPECT_TRUE(services.results[0].targets.empty());
}

class OnHitTest : public PlacedOwnerFixture {
protected:
    void SetUp() override
    {
        PlacedOwnerFixture::SetUp();
        database.WriteRecord("Records/Creatures/Foe.dbr",
                             {"Class = Character", "characterLife = 100"});
    }

    Skill_OnHitAttackRadius* MakeWave(const char* expansion)
    {
        auto* wave = Owned<Skill_OnHitAttackRadius>(
            {"skillTargetRadius = 3", "skillCooldownTime = 1", "onHitActivationChance = 100",
             std::string("expansionTime = ") + expansion});
        wave->ActivateNow(*owner, Name(), 0, WorldVec3());
        return wave;
    }
    uint32_t WaveFoe(float x) { return Foe({x, 0, 0}, "Records/Creatures/Foe.dbr")->GetObjectId(); }

    Skill_OnHitBuffSelf* MakeBuff(const char* chance)
    {
        return Owned<Skill_OnHitBuffSelf>({"skillActiveDuration = 2.5", "skillCooldownTime = 1.5",
                                           "skillManaCost = 10",
                                           std::string("onHitActivationChance = ") + chance});
    }
    // How many draws the shared generator made since it was seeded with 7.
    static int DrawsSinceSeed()
    {
        const float next = GameEngine::Get().GetRandomGen().FGenerate(0.1f, 100.0f);
        RandomUniform fresh;
        fresh.Seed(7);
        for (int n = 0; n < 16; ++n)
            if (fresh.FGenerate(0.1f, 100.0f) == next)
                return n;
        return -1;
    }
};

using Targets = std::vector<std::vector<uint32_t>>;

TEST_F(OnHitTest, TheWaveFrontReachesEachTargetAtItsDistance)
{
    auto* wave = MakeWave("0.5");
    const uint32_t near = WaveFoe(1.0f);
    const uint32_t far = WaveFoe(2.0f);
    WaveFoe(10.0f);
    Hit(*wave);
    ASSERT_EQ(services.actives.size(), 2u);
    EXPECT_EQ(wave->GetOnHitCooldown(), 1000);

    // No second wave while one runs.
    Hit(*wave);
    EXPECT_EQ(services.actives.size(), 2u);

    wave->Update(*owner, 500);
    wave->Update(*owner, 500);
    EXPECT_EQ(services.Targets(), (Targets{{near}, {far}}));
    EXPECT_TRUE(wave->GetPendingTargets().empty());
}

TEST_F(OnHitTest, AWaveWithoutTravelTimeReachesAllAtOnceAndAnOutrunFrontEndsIt)
{
    auto* wave = MakeWave("0");
    const uint32_t a = WaveFoe(1.0f);
    const uint32_t b = WaveFoe(2.9f);
    Hit(*wave);
    wave->Update(*owner, 33);
    EXPECT_EQ(services.Targets(), (Targets{{a, b}}));

    auto* slow = MakeWave("1");
    Character* runner =
        Made(ObjectManager::Instance().GetObject<Character>(WaveFoe(2.0f)), "the runner");
    Hit(*slow);
    ASSERT_FALSE(slow->GetPendingTargets().empty());
    gEngine->GetWorld()->AddEntity(runner, WorldCoords(At(50)), true);
    slow->Update(*owner, 3001);
    EXPECT_TRUE(slow->GetPendingTargets().empty());
}

TEST_F(OnHitTest, ABuffBurstsOnlyOutsideTheBurstAndTheInternalCooldown)
{
    auto* buff = MakeBuff("100");
    Hit(*buff);
    EXPECT_TRUE(services.actives.empty()) << "unarmed";

    buff->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(services.actives.size(), 1u);

    Hit(*buff);
    ASSERT_EQ(services.actives.size(), 2u);
    EXPECT_TRUE(services.actives[1].transition);

    // A running burst draws nothing.
    GameEngine::Get().GetRandomGen().Seed(7);
    Hit(*buff);
    EXPECT_EQ(DrawsSinceSeed(), 0);

    buff->Update(*owner, 2500);
    ASSERT_EQ(services.actives.size(), 3u);
    EXPECT_EQ(buff->GetOnHitCooldown(), 1500);

    // The internal cooldown: one draw per hit, none fires.
    GameEngine::Get().GetRandomGen().Seed(7);
    Hit(*buff);
    Hit(*buff);
    EXPECT_EQ(DrawsSinceSeed(), 2);
    EXPECT_EQ(services.actives.size(), 3u);
    buff->Update(*owner, 1500);
    Hit(*buff);
    EXPECT_EQ(services.actives.size(), 4u);
    EXPECT_TRUE(services.actives[3].transition);
}

TEST_F(OnHitTest, ABuffBurstPaysItsManaWithoutStartingTheCooldownAndAMirrorSendsNothing)
{
    auto* buff = MakeBuff("100");
    manager.services = nullptr;
    buff->ActivateNow(*owner, Name(), 0, WorldVec3());
    EXPECT_TRUE(services.actives.empty());

    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, true, false), false);
    owner->SetCurrentMana(50.0f);
    const float mana = owner->GetCurrentMana();
    // The drain is queued for the owner's next frame.
    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, true, true), false);
    EXPECT_FLOAT_EQ(owner->GetCharacterBio().GetManaAfterDrain(), mana - 10.0f);
    EXPECT_EQ(buff->GetCooldownRemaining(), 0);
    // A restored burst pays nothing.
    buff->ReceiveActiveUpdate(owner, SkillActiveState(0, true, true), true);
    EXPECT_FLOAT_EQ(owner->GetCharacterBio().GetManaAfterDrain(), mana - 10.0f);
}

TEST_F(OnHitTest, ABuffChanceBelowTheSmallestRollNeverFiresAndStopDisarms)
{
    auto* buff = MakeBuff("0.05");
    buff->ActivateNow(*owner, Name(), 0, WorldVec3());
    for (int i = 0; i < 50; ++i)
        Hit(*buff);
    EXPECT_EQ(services.actives.size(), 1u);
    buff->StopSkill(*owner);
    ASSERT_EQ(services.actives.size(), 2u);
    EXPECT_FALSE(services.actives[1].active);
    EXPECT_FALSE(buff->IsSkillOnHitActive());
}

} // namespace
} // namespace GAME::Test
