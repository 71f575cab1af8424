#include "ai/ControllerSpirit.h"

#include "ai/ControllerMegalesios.h"
#include "ai/ControllerMegalesiosState.h"
#include "ai/ControllerOrmenos.h"
#include "ai/ControllerSpiritHost.h"
#include "ai/ControllerTelkine.h"
#include "characters/Character.h"
#include "characters/Megalesios.h"
#include "characters/Monster.h"
#include "characters/Ormenos.h"
#include "characters/SpiritHost.h"
#include "characters/TeamManager.h"
#include "engine/ABBox.h"
#include "engine/Intersection.h"
#include "engine/Name.h"
#include "engine/Ray.h"
#include "skills/Skill_AttackTelekinesis.h"
#include "tests/ai/ScriptedBossFixture.h"
#include "tests/support/LogCapture.h"
#include "world/OrmenosDropZone.h"
#include "world/ProjectileTelekinesis.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace GAME::Test {
namespace {

constexpr const char* kNoTarget =
    "Spirit error - went to idle because it could not find an animate target.";

class SpiritTest : public ScriptedBossFixture {
protected:
    void SetUp() override
    {
        ScriptedBossFixture::SetUp();
        strike = SkillObject("Strike");
    }

    SpiritHost* Host(const std::string& name, float x)
    {
        return Thinking<SpiritHost, ControllerSpiritHost>(name, x, 0);
    }
    Monster* Spirit(const std::string& name, float x)
    {
        Monster* spirit = Thinking<Monster, ControllerSpirit>(name, x, 0);
        ControllerOf<ControllerSpirit>(*spirit).SetSpecialAttack5Skill(strike, 0, 0, 100,
                                                                       SkillUseRange_None);
        // The spirit chose its host while rising; it chooses again now that its skills are in.
        ControllerOf(*spirit).SetState("Startup", ControllerAIStateData());
        return spirit;
    }
    static ControllerSpiritHost& HostBrain(const Character& host)
    {
        return ControllerOf<ControllerSpiritHost>(host);
    }

    uint32_t strike = 0;
};

TEST_F(SpiritTest, ADormantHostIsStruckAwakeByItsSpiritThatThenKillsItself)
{
    SpiritHost* host = Host("Statue", 4);
    EXPECT_TRUE(host->IsInvincible());
    EXPECT_EQ(host->GetTeam().GetTeamMajor(), TeamManager::InvisibleTeam().GetTeamMajor());
    Monster* spirit = Spirit("Spirit", 0);
    EXPECT_EQ(HostBrain(*host).GetAnimator(), spirit->GetObjectId());
    EXPECT_FALSE(HostBrain(*host).CanBeAnimated()) << "claimed by a living spirit";
    EXPECT_EQ(ControllerOf<ControllerSpirit>(*spirit).ChooseBestSkill(host->GetObjectId(), false),
              strike);

    // The host stands within the strike's reach: the pursuit hands over at once.
    Event(*spirit, "End");
    ASSERT_EQ(StateOf(*spirit), "AttackToAnimate");
    EXPECT_EQ(ControllerOf(*spirit).GetCurrentEnemy(), host->GetObjectId());
    EXPECT_EQ(ControllerOf(*spirit).GetCurrentSkillID(), strike);

    ControllerOf(*host).UnderAttack(spirit->GetObjectId());
    EXPECT_EQ(StateOf(*host), "Animate");
    EXPECT_EQ(host->GetTeam().GetTeamMajor(), TeamManager::DefaultMonsterTeam().GetTeamMajor());
    EXPECT_FALSE(host->IsInvincible());
    EXPECT_TRUE(host->IsAnimated());

    Event(*spirit, "End");
    EXPECT_FALSE(spirit->IsAlive());
    Event(*host, "endGame");
    EXPECT_EQ(StateOf(*host), "Animate");
    Event(*host, "End");
    EXPECT_EQ(StateOf(*host), "Idle");
    EXPECT_TRUE(HostBrain(*host).IsAnimated());
    EXPECT_EQ(LastWord(Saved(*host)), 1u);
}

TEST_F(SpiritTest, ASecondSpiritFindsNoHostWhileTheFirstHoldsItsClaim)
{
    SpiritHost* host = Host("Statue", 4);
    Monster* first = Spirit("First", 0);
    LogCapture log;
    Monster* second = Spirit("Second", 1);
    Event(*second, "End");
    EXPECT_EQ(StateOf(*second), "Idle");
    EXPECT_EQ(log.Count(2, kNoTarget), 1u);

    first->SetLifeState(LifeState_Dead);
    EXPECT_TRUE(HostBrain(*host).CanBeAnimated()) << "a dead spirit's claim lapses";
    Monster* third = Spirit("Third", 2);
    EXPECT_EQ(HostBrain(*host).GetAnimator(), third->GetObjectId());
}

TEST_F(SpiritTest, OnlyASpiritWakesAHost)
{
    SpiritHost* host = Host("Statue", 4);
    const Monster* brute = Bystander("Brute", 6, 0, TeamManager::DefaultPlayerTeam());
    LogCapture log;
    ControllerOf(*host).UnderAttack(brute->GetObjectId());
    ControllerOf(*host).UnderAttack(0);
    EXPECT_EQ(StateOf(*host), "Startup");
    EXPECT_EQ(log.Count(2, "ControllerSpiritHostStateStartup - failed to animate"), 2u);
    EXPECT_EQ(ControllerOf<ControllerSpirit>(*Spirit("Spirit", 0))
                  .ChooseBestSkillOverride(brute->GetObjectId(), false),
              0u);
}

TEST_F(SpiritTest, AHostRestoredAwakeSkipsTheStatue)
{
    SpiritHost* host = Host("Statue", 4);
    host->SetAnimated(true);
    ExpectOnlyTheWholeStateSetsTheFlag<SpiritHost>(
        Saved(*host), 4, [](const SpiritHost& restored) { return restored.IsAnimated(); });
    HostBrain(*host).SetState("Startup", ControllerAIStateData());
    EXPECT_EQ(StateOf(*host), "Idle");
    EXPECT_TRUE(HostBrain(*host).IsAnimated());
}

class TelkineTest : public ScriptedBossFixture {
protected:
    void SetUp() override
    {
        ScriptedBossFixture::SetUp();
        for (const char* skill : {"Records/Skills/Hurl.dbr", "Records/Skills/Bolt.dbr"})
            database.WriteRecord(skill, {"Class = Skill"});
        telkine = Boss<ControllerTelkine>(
            "Telkine", 0, 0,
            {"directAttack = Records/Skills/Bolt.dbr", "telekinesisSpell = Records/Skills/Hurl.dbr",
             "skeletonSpell = Records/Skills/Bones.dbr", "ViewDistance = 3.0"},
            {"skillName1 = Records/Skills/Hurl.dbr", "skillLevel1 = 1",
             "skillName2 = Records/Skills/Bolt.dbr", "skillLevel2 = 1"});
        Bystander("Pet", 4, 0, TeamManager::DefaultPlayerTeam());
    }
    ControllerTelkine& Brain() { return ControllerOf<ControllerTelkine>(*telkine); }
    const ControllerTelkineStateAttackPhase1& Phase1()
    {
        return *static_cast<const ControllerTelkineStateAttackPhase1*>(
            Brain().GetState("AttackPhase1"));
    }
    // 12 s of waiting, the taunt to its end, then the cast on the update that ends it.
    void CastOnce()
    {
        Brain().Update(12000);
        ASSERT_EQ(StateOf(*telkine), "Emote");
        Brain().HandleEvent(Name::Create("End"));
        telkine->SetActionState(ActionState_Idle);
        Brain().Update(0);
    }

    Monster* telkine = nullptr;
};

TEST_F(TelkineTest, TheTwelfthCastStartedEndsPhaseOne)
{
    ControllerTelkine& brain = Brain();
    // Due, but the boss is still swinging: neither taunt nor cast.
    telkine->SetActionState(ActionState_Attack);
    brain.Update(12000);
    EXPECT_EQ(StateOf(*telkine), "AttackPhase1");
    telkine->SetActionState(ActionState_Idle);
    brain.Update(0);
    ASSERT_EQ(StateOf(*telkine), "Emote");
    brain.HandleEvent(Name::Create("End"));
    brain.Update(0);
    EXPECT_TRUE(Phase1().IsCasting());
    // Until the cast's end the clock stands still.
    brain.Update(20000);
    EXPECT_EQ(StateOf(*telkine), "AttackPhase1");
    brain.HandleEvent(Name::Create("End"));
    EXPECT_FALSE(Phase1().IsCasting());

    for (int32_t cast = 2; cast <= 12; ++cast) {
        SCOPED_TRACE(cast);
        CastOnce();
        EXPECT_EQ(Phase1().GetCastCount(), cast);
        brain.HandleEvent(Name::Create("End"));
    }
    brain.Update(0);
    EXPECT_EQ(StateOf(*telkine), "AttackPhase2");
}

TEST_F(TelkineTest, AFrameOfAnyLengthSaturatesTheWaitForTheNextThrow)
{
    telkine->SetActionState(ActionState_Attack);
    Brain().Update(INT32_MAX);
    Brain().Update(INT32_MAX);
    EXPECT_EQ(Phase1().GetSinceCast(), INT32_MAX);
    telkine->SetActionState(ActionState_Idle);
    Brain().Update(0);
    EXPECT_EQ(StateOf(*telkine), "Emote");
}

constexpr const char* kExplosion = "Records/Fx/SickleBlast.dbr";
constexpr const char* kRock = "Records/Tk/Rock.dbr";

class OrmenosTest : public ScriptedBossFixture {
protected:
    void SetUp() override
    {
        ScriptedBossFixture::SetUp();
        database.WriteRecord(kExplosion, {"Class = EffectEntity"});
        database.WriteRecord(kRock, {"Class = ProjectileTelekinesis", "projectileVelocity = 20"});
        database.WriteRecord("Records/Tk/Beam.dbr", {"Class = ChaosBeam"});
        database.WriteRecord("Records/Skills/Lift.dbr",
                             {"Class = Skill_AttackTelekinesis", "headVelocity = 4.0",
                              "chaosBeamName = Records/Tk/Beam.dbr"});
    }

    Ormenos* Boss()
    {
        return Thinking<Ormenos, ControllerOrmenos>(
            "Ormenos", 0, 0, {std::string("sickleExplosion = ") + kExplosion});
    }
    ProjectileTelekinesis* Rock(float x)
    {
        auto* rock = ObjectManager::Instance().CreateObjectFromFile<ProjectileTelekinesis>(kRock);
        rock->SetMeshBoundingBox(ABBox({-1, -1, -1}, {1, 1, 1}));
        TheWorld().AddEntity(rock, WorldAt(Vec3(x, 0, 0)), false);
        return rock;
    }
    static size_t Explosions()
    {
        size_t count = 0;
        for (uint32_t id = 1; id < 4096; ++id) {
            const auto* entity = ObjectManager::Instance().GetObject<Entity>(id);
            count += entity != nullptr && entity->GetObjectName() == kExplosion ? 1 : 0;
        }
        return count;
    }
};

TEST_F(OrmenosTest, ASickleLostBeforeTheSaveIsLostAgainWithoutASecondExplosion)
{
    Ormenos* boss = Boss();
    boss->UnequipAndExplodeSickle(true);
    EXPECT_EQ(Explosions(), 1u);
    const std::vector<uint8_t> state = Saved(*boss);
    EXPECT_EQ(LastWord(state), 1u);
    ExpectOnlyTheWholeStateSetsTheFlag<Ormenos>(
        state, 2, [](const Ormenos& restored) { return restored.IsSickleExploded(); });
    EXPECT_EQ(Explosions(), 1u);
}

TEST_F(OrmenosTest, TheEndOfTheCastIsSwallowedUntilTheTelekinesisFinished)
{
    Ormenos* boss = Boss();
    const Monster* foe = Bystander("Hero", 0, 15, TeamManager::DefaultPlayerTeam());
    Rock(3);
    auto* lift = ObjectManager::Instance().CreateObjectFromFile<Skill_AttackTelekinesis>(
        "Records/Skills/Lift.dbr");
    ControllerOf(*boss).SetState(
        "Attack", ControllerAIStateData(foe->GetObjectId(), 0, lift->GetObjectId(), WorldVec3()));
    lift->SwipeAction(*boss, Name::Create("Swipe"), foe->GetObjectId(), At(0, 15));
    ASSERT_FALSE(lift->IsTelkineFinished());

    Event(*boss, "End");
    EXPECT_EQ(StateOf(*boss), "Attack");
    lift->Cancel(*boss);
    Event(*boss, "End");
    EXPECT_NE(StateOf(*boss), "Attack");
}

TEST_F(OrmenosTest, DyingSetsOffOnlyTheIdleObjectsWithinThirty)
{
    Ormenos* boss = Boss();
    const ProjectileTelekinesis* near = Rock(29);
    const ProjectileTelekinesis* far = Rock(31);
    boss->CharacterIsDying();
    EXPECT_EQ(near->GetState(), ProjectileTelekinesis::State_Exploded);
    EXPECT_EQ(far->GetState(), ProjectileTelekinesis::State_Idle);
}

TEST_F(OrmenosTest, TheDropZoneIsPickedAsASphereOnlyInTheEditor)
{
    database.WriteRecord("Records/Markers/Zone.dbr", {"Class = OrmenosDropZone", "radius = 2"});
    auto* zone =
        ObjectManager::Instance().CreateObjectFromFile<OrmenosDropZone>("Records/Markers/Zone.dbr");
    TheWorld().AddEntity(zone, WorldAt(Vec3(10, 0, 0)), false);
    const Ray toward(Vec3(0, 0, 0), Vec3(1, 0, 0));
    const Ray away(Vec3(0, 0, 0), Vec3(-1, 0, 0));
    Intersection hit;
    zone->GetIntersection(toward, hit, 1);
    EXPECT_EQ(hit.distance, std::numeric_limits<float>::max()) << "outside the editor";
    EXPECT_FALSE(zone->GetVisibility());

    gEngine->SetLevelEditor(true);
    zone->InitialUpdate();
    EXPECT_TRUE(zone->GetVisibility());
    zone->GetIntersection(toward, hit, 1);
    EXPECT_FLOAT_EQ(hit.distance, 8.0f);
    zone->GetIntersection(away, hit, 1);
    EXPECT_EQ(hit.distance, std::numeric_limits<float>::max());
    gEngine->SetLevelEditor(false);
}

class MegalesiosTest : public ScriptedBossFixture {
protected:
    void SetUp() override
    {
        ScriptedBossFixture::SetUp();
        bursts = SkillObject("Bursts");
        burn = SkillObject("Burn");
    }

    Megalesios* Boss()
    {
        Megalesios* boss = Thinking<Megalesios, ControllerMegalesios>("Megalesios", 0, 0);
        Brain(*boss).SetSpecialAttack5Skill(bursts, 0, 1500, 100, SkillUseRange_None);
        Brain(*boss).SetSpecialAttackSkill(burn, 0, 2500, 100, SkillUseRange_None);
        return boss;
    }
    MegalesiosConduit* Conduit(float x)
    {
        return Thinking<MegalesiosConduit, ControllerMegalesiosConduit>("Conduit", x, 0);
    }
    static ControllerMonster& Brain(const Character& character)
    {
        return ControllerOf<ControllerMonster>(character);
    }
    static const ControllerMegalesiosStateAttackConduit& Burning(const Character& boss)
    {
        return *static_cast<const ControllerMegalesiosStateAttackConduit*>(
            Brain(boss).GetState("AttackConduit"));
    }
    // Frames of the boss's controller until the state changes or the frames run out.
    static void RunUntilLeaving(Character& boss, const std::string& state, int frames)
    {
        for (int frame = 0; frame < frames && StateOf(boss) == state; ++frame)
            Brain(boss).Update(100);
    }

    uint32_t bursts = 0;
    uint32_t burn = 0;
};

TEST_F(MegalesiosTest, TheQuestLaunchesTheBurstsThenTheConduitBurnsUntilItDies)
{
    Megalesios* boss = Boss();
    MegalesiosConduit* conduit = Conduit(6);
    EXPECT_EQ(StateOf(*boss), "Startup");
    EXPECT_TRUE(boss->IsInvincible());

    ControllerOf(*boss).QuestCommandUseSkill(bursts, 0, false);
    EXPECT_EQ(StateOf(*boss), "LaunchBursts");
    EXPECT_TRUE(boss->IsLaunched());
    EXPECT_EQ(Brain(*boss).GetSpecialAttack(4).cooldown, 1500) << "the bursts went out";

    Event(*boss, "End");
    EXPECT_EQ(StateOf(*boss), "AttackConduit");
    Brain(*boss).Update(100);
    EXPECT_EQ(Burning(*boss).GetConduit(), conduit->GetObjectId());
    Brain(*boss).Update(100);
    EXPECT_GE(Brain(*boss).GetSpecialAttack(0).cooldown, 2400) << "the conduit was struck";
    EXPECT_GE(Burning(*boss).GetAttackTimer(), 1000 - 100);
    EXPECT_LE(Burning(*boss).GetAttackTimer(), 5000);

    conduit->SetLifeState(LifeState_Dead);
    Brain(*boss).Update(100);
    EXPECT_EQ(StateOf(*boss), "Idle");
    EXPECT_TRUE(boss->IsConduitDestroyed());
    EXPECT_FALSE(boss->IsInvincible());
}

TEST_F(MegalesiosTest, AQuestSkillHoldsTheNextStrikeAndAFarConduitIsNeverFound)
{
    Megalesios* boss = Boss();
    Conduit(ControllerOf(*boss).GetViewDistance() + 2.5f);
    ControllerOf(*boss).QuestCommandUseSkill(bursts, 0, false);
    Event(*boss, "End");
    RunUntilLeaving(*boss, "AttackConduit", 20);
    EXPECT_EQ(StateOf(*boss), "AttackConduit");
    EXPECT_EQ(Burning(*boss).GetConduit(), 0u);

    ControllerOf(*boss).QuestCommandUseSkill(burn, 0, false);
    EXPECT_EQ(Burning(*boss).GetAttackTimer(), 1000000);
    EXPECT_EQ(StateOf(*boss), "QuestUseSkill");
    EXPECT_FALSE(boss->IsInvincible());
}

TEST_F(MegalesiosTest, TheLevelStateCarriesBothFlagsAndShortStatesLeaveThemFalse)
{
    Megalesios* boss = Boss();
    boss->SetLaunched(true);
    const std::vector<uint8_t> launched = Saved(*boss);
    EXPECT_EQ(LastWord(launched, 1), 1u);
    EXPECT_EQ(LastWord(launched), 0u);

    struct Row {
        const char* name;
        std::vector<uint8_t> bytes;
        bool launched, destroyed;
    };
    std::vector<uint8_t> both = launched;
    both[both.size() - 4] = 7; // any non-zero word is true
    const std::vector<uint8_t> oneWord(launched.begin(), launched.end() - 4);
    const std::vector<uint8_t> noWord(launched.begin(), launched.end() - 8);
    for (const Row& row :
         {Row{"both", both, true, true}, Row{"launched", launched, true, false},
          Row{"one word", oneWord, true, false}, Row{"no word", noWord, false, false}}) {
        SCOPED_TRACE(row.name);
        const auto restored = Restored<Megalesios>(row.bytes);
        EXPECT_EQ(restored->IsLaunched(), row.launched);
        EXPECT_EQ(restored->IsConduitDestroyed(), row.destroyed);
    }
}

TEST_F(MegalesiosTest, ARestoredBossSkipsTheScriptItAlreadyPlayed)
{
    Megalesios* boss = Boss();
    boss->SetLaunched(true);
    Brain(*boss).SetState("Startup", ControllerAIStateData());
    EXPECT_EQ(StateOf(*boss), "AttackConduit");
    boss->SetConduitDestroyed(true);
    Brain(*boss).SetState("Startup", ControllerAIStateData());
    EXPECT_EQ(StateOf(*boss), "Idle");
}

TEST_F(MegalesiosTest, TheConduitHoldsOnlyItsFourStatesAndAsksForNoOther)
{
    const MegalesiosConduit* conduit = Conduit(3);
    EXPECT_EQ(Brain(*conduit).GetState("Pursue"), nullptr);

    const Megalesios* boss = Boss();
    LogCapture log;
    Brain(*conduit).UnderAttack(boss->GetObjectId());
    Brain(*conduit).AllyAttacked(boss->GetObjectId(), boss->GetObjectId());
    EXPECT_EQ(StateOf(*conduit), "Idle");
    EXPECT_EQ(log.CountContaining("is trying to be set"), 0u);
}

} // namespace
} // namespace GAME::Test
