#include "ai/ControllerCyclops.h"

#include "ai/ControllerBandari.h"
#include "ai/ControllerMegalesios.h"
#include "ai/ControllerMegalesiosState.h"
#include "ai/ControllerMonsterState.h"
#include "ai/ControllerOrmenos.h"
#include "ai/ControllerSpirit.h"
#include "ai/ControllerSpiritHost.h"
#include "ai/ControllerTelkine.h"
#include "ai/ControllerTerracotta.h"
#include "ai/ControllerTyphon.h"
#include "ai/ControllerTyphonChained.h"
#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "characters/CharacterMovementManager.h"
#include "characters/Megalesios.h"
#include "characters/Monster.h"
#include "characters/Ormenos.h"
#include "characters/Player.h"
#include "characters/SpiritHost.h"
#include "characters/TeamManager.h"
#include "characters/Typhon.h"
#include "characters/TyphonChained.h"
#include "characters/TyphonGod.h"
#include "characters/TyphonStatue.h"
#include "engine/ABBox.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/Name.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/ActivityManager.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "skills/SkillManager.h"
#include "skills/Skill_AttackTelekinesis.h"
#include "tests/ai/AiWorldFixture.h"
#include "tests/ai/ScriptedBossFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/RecordingUserInterface.h"
#include "world/BandariTeleportPoint.h"
#include "world/FixedItemTeleport.h"
#include "world/PlayerSpawnPoint.h"
#include "world/ProjectileTelekinesis.h"
#include "world/Proxy.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kBossRecord = "Records/Creatures/Cyclops.dbr";

class CyclopsTest : public ScriptedBossFixture {
protected:
    void SetUp() override
    {
        ScriptedBossFixture::SetUp();
        cyclops = Boss<ControllerCyclops>("Cyclops", 0, 0, {});
        hero = Bystander("Hero", 0, 12, TeamManager::DefaultPlayerTeam());
        gGameEngine->GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    }
    ControllerCyclops& Brain() { return ControllerOf<ControllerCyclops>(*cyclops); }
    // A script point placed in the level, announcing itself on its first update.
    void Point(const std::string& character, int32_t sequence, float x, float z)
    {
        auto* point =
            SpawnAt<ScriptPoint>("Records/Bosses/Point" + std::to_string(++points) + ".dbr",
                                 {"Class = ScriptPoint", "scriptCharacter = " + character,
                                  "sequenceNum = " + std::to_string(sequence)},
                                 Vec3(x, 0, z));
        point->UpdateSelf(33);
        point->UpdateSelf(33);
    }
    static Vec3 Where(const ControllerCyclops& brain, int32_t sequence)
    {
        WorldCoords coords;
        EXPECT_TRUE(brain.GetScriptPoint(sequence, coords));
        return coords.GetRegionCoords().origin;
    }

    Monster* cyclops = nullptr;
    Monster* hero = nullptr;
    int points = 0;
};

TEST_F(CyclopsTest, KeepsOnlyItsOwnScriptPointsTheLaterOfOneNumberWinning)
{
    ControllerCyclops& brain = Brain();
    Point("Records\\Creatures\\Cyclops.dbr", 0, 5, 5);
    Point("RecordsCreatures/Cyclops.dbr", 1, 6, 6);
    Point("Records/Creatures/Minotaur.dbr", 2, 7, 7);
    EXPECT_EQ(brain.GetNumScriptPoints(), 2u);
    EXPECT_EQ(Where(brain, 0), Vec3(5, 0, 5));
    Point(kBossRecord, 0, 3, 4);
    EXPECT_EQ(brain.GetNumScriptPoints(), 2u);
    EXPECT_EQ(Where(brain, 0), Vec3(3, 0, 4));
    WorldCoords none;
    EXPECT_FALSE(brain.GetScriptPoint(2, none));
}

TEST_F(CyclopsTest, TheBullRunKillsFoeMonstersInItsPathOnly)
{
    ControllerCyclops& brain = Brain();
    Monster* foe = Boss<ControllerMonster>("Foe", 1.5f, 0, {});
    foe->SetTeam(TeamManager::DefaultPlayerTeam());
    const Monster* friendly = Bystander("Friend", -1.5f, 0, TeamManager::BuildTeam(3, 1));
    const Monster* far = Bystander("Far", 0, 3, TeamManager::DefaultPlayerTeam());
    brain.WakeUp(hero->GetObjectId()); // no script point: straight to the roar
    EXPECT_EQ(StateOf(*cyclops), "Roar");
    brain.HandleEvent(Name::Create("End"));
    brain.Update(0);
    ASSERT_EQ(StateOf(*cyclops), "BullRun");
    brain.Update(33);
    EXPECT_EQ(foe->GetLifeState(), LifeState_Dying);
    EXPECT_EQ(friendly->GetLifeState(), LifeState_Alive);
    EXPECT_EQ(far->GetLifeState(), LifeState_Alive);
}

constexpr uint32_t kLevel = 0xBA4D;

UniqueId Placed(uint32_t word)
{
    return UniqueId(kLevel, 0, 0, word);
}

class BandariTest : public ScriptedBossFixture {
protected:
    // The boss (placed, id 1) with three points (ids 11-13) far from anyone; behind point 1
    // stands a placed warrior, behind point 2 a proxy that placed one, point 3 has none.
    void SetUp() override
    {
        ScriptedBossFixture::SetUp();
        InstanceGroupManager& groups = InstanceGroupManager::Instance();
        std::vector<UniqueId> points;
        for (uint32_t index = 0; index < 3; ++index) {
            auto* point = SpawnAt<BandariTeleportPoint>("Records/Bosses/Point.dbr",
                                                        {"Class = BandariTeleportPoint"},
                                                        Vec3(40.0f + 10.0f * index, 0, 40.0f));
            point->SetUniqueID(Placed(11 + index));
            point->InitialUpdate();
            points.push_back(Placed(11 + index));
        }
        placedWarrior = Warrior("Placed", 30, Placed(21));
        madeWarrior = Warrior("Made", 32, UniqueId());
        auto* proxy = SpawnAt<Proxy>("Records/Bosses/Proxy.dbr", {"Class = Proxy"});
        proxy->SetUniqueID(Placed(22));
        proxy->AddPlacedObject(madeWarrior->GetObjectId());

        const int32_t all = groups.GetNumGroups();
        groups.AddGroup(InstanceGroup("Bandari Teleport Points", "All", points));
        for (uint32_t index = 0; index < 2; ++index) {
            const int32_t warriors = groups.GetNumGroups();
            groups.AddGroup(InstanceGroup("Terracotta Warriors", "Squad", {Placed(21 + index)}));
            InstanceGroup at("Bandari Teleport Points", "Point", {Placed(11 + index)});
            at.AddChild(warriors);
            groups.AddGroup(at);
        }
        InstanceGroup boss("Bandari", "Boss", {Placed(1)});
        boss.AddChild(all);
        groups.AddGroup(boss);
        bandari = Boss<ControllerBandari>("Bandari", 0, 0, {}, {}, Placed(1));
    }

    Monster* Warrior(const char* name, float x, const UniqueId& id)
    {
        return Boss<ControllerTerracotta>(name, x, 0, {"MarchRange = 0.0"}, {}, id);
    }
    ControllerBandari& Brain() { return ControllerOf<ControllerBandari>(*bandari); }
    void LifeTo(float life)
    {
        bandari->SubtractLife(bandari->GetCurrentLife() - life, PlayStatsDamageType{});
        Brain().Update(0);
    }

    Monster* bandari = nullptr;
    Monster* placedWarrior = nullptr;
    Monster* madeWarrior = nullptr;
};

TEST_F(BandariTest, JumpsBelowEachQuarterOnceItLandedAndSendsThatPointsWarriors)
{
    ControllerBandari& brain = Brain();

    struct Row {
        float life;
        int32_t nextTeleport;
        bool canTeleport;
    };
    // At a threshold nothing happens; just below it the boss jumps and waits until it lands.
    const Row first[] = {{75.0f, 0, true}, {74.9f, 1, false}, {10.0f, 1, false}};
    for (const Row& row : first) {
        SCOPED_TRACE(row.life);
        LifeTo(row.life);
        EXPECT_EQ(brain.GetNextTeleport(), row.nextTeleport);
        EXPECT_EQ(brain.CanTeleport(), row.canTeleport);
    }
    EXPECT_EQ(StateOf(*placedWarrior), "AttackMarch");
    EXPECT_NE(StateOf(*madeWarrior), "AttackMarch");

    const WorldCoords landing(WorldVec3(kRegion, Vec3(40, 0, 40)));
    bandari->TeleportToLocation(landing);
    EXPECT_TRUE(brain.CanTeleport());
    EXPECT_EQ(bandari->GetSpawnPoint().GetPosition(), landing.GetPosition());
    // Life 10 is below 2/4: the second jump comes on the next update, the point of the proxy.
    brain.Update(0);
    EXPECT_EQ(brain.GetNextTeleport(), 2);
    EXPECT_EQ(StateOf(*madeWarrior), "AttackMarch");

    // The third point has no warriors: no jump, whatever the life.
    bandari->TeleportToLocation(landing);
    LifeTo(1.0f);
    EXPECT_EQ(brain.GetNextTeleport(), 2);
}

TEST_F(BandariTest, ABossWithoutStartLifeNeverJumps)
{
    Monster* lifeless =
        Boss<ControllerBandari>("Lifeless", 0, 5, {}, {"characterLife = 0"}, Placed(1));
    ControllerBandari& brain = ControllerOf<ControllerBandari>(*lifeless);
    brain.Update(0);
    EXPECT_EQ(brain.GetNextTeleport(), 0);
}

// Stands in for the monsters' "Return", which would move on at once.
class ReturnProbe : public ControllerMonsterStateBase {
public:
    using ControllerMonsterStateBase::ControllerMonsterStateBase;
};

class TerracottaTest : public ScriptedBossFixture {
protected:
    ControllerTerracotta& Brain(const Monster& warrior)
    {
        auto& brain = ControllerOf<ControllerTerracotta>(warrior);
        brain.AddState("Return", new ReturnProbe(&brain));
        return brain;
    }
};

TEST_F(TerracottaTest, MarchesAtAFoeWithinMarchRangeAheadAndFightsWhenItIsClose)
{
    // Facing +z.
    Monster* warrior = Boss<ControllerTerracotta>("Warrior", 0, 0, {"MarchRange = 6.0"});
    ControllerTerracotta& brain = Brain(*warrior);
    Monster* foe = Bystander("Foe", 0, 8, TeamManager::DefaultPlayerTeam());
    brain.SetMostHatedEnemy(foe->GetObjectId());

    EXPECT_EQ(brain.GetForwardDistance(foe->GetObjectId()), 8.0f);
    // Behind it, or gone, is no distance ahead.
    EXPECT_EQ(brain.GetForwardDistance(Make("Behind", 0, -3)->GetObjectId()), 0.0f);
    EXPECT_EQ(brain.GetForwardDistance(0), 0.0f);
    brain.Update(0);
    EXPECT_EQ(StateOf(*warrior), "Startup");

    Stand(*foe, 1, 4);
    brain.Update(0);
    EXPECT_EQ(StateOf(*warrior), "AttackMarch");
    brain.Update(0);
    EXPECT_EQ(StateOf(*warrior), "AttackMarch");

    Stand(*foe, 0, 1.5f);
    brain.Update(0);
    EXPECT_EQ(StateOf(*warrior), "Return");
}

constexpr const char* kChains = "Records/Creatures/Chains.dbr";

class TyphonChainedTest : public AiWorldFixture {
protected:
    void SetUp() override
    {
        AiWorldFixture::SetUp();
        database.WriteRecord("Records/Controllers/Chained.dbr",
                             {"Class = ControllerTyphonChained"});
        database.WriteRecord(kChains, {"Class = TyphonChains"});
    }

    TyphonChained* Giant(bool chained = true)
    {
        TyphonChained* giant = Make<TyphonChained>(
            chained ? "Giant" : "FreeGiant", 0, 0,
            {"controller = Records/Controllers/Chained.dbr", "unarmedWalkAnim = Walk",
             "unarmedRunAnim = Run", chained ? std::string("chains = ") + kChains : "chains ="});
        giant->SetLifeState(LifeState_Alive);
        ControllerOf(*giant).Update(0);
        return giant;
    }
};

// The scene's reports and its frames are in the host's encounter transcript.
TEST_F(TyphonChainedTest, OnlyTheBreakingAnimationFreesItAndTheWalkToThePortalIsInvincible)
{
    TyphonChained* giant = Giant();
    giant->QuestCommandMove(0, At(5, 0), false);
    EXPECT_EQ(StateOf(*giant), "Chained");
    giant->QuestCommandPlayAnimation(AnimationSet_Attack, false, false);
    ControllerOf(*giant).HandleEvent(Name::Create("End"));
    giant->QuestCommandWalk(0, At(6, 0), false);
    EXPECT_TRUE(giant->IsInvincible());
}

TEST_F(TyphonChainedTest, OpenPortalUnlocksOnlyPortalsWithinForty)
{
    TyphonChained* giant = Giant(false);
    std::vector<FixedItemTeleport*> portals;
    for (float x : {39.0f, 41.0f}) {
        auto* portal = SpawnAt<FixedItemTeleport>("Records/Items/Portal" +
                                                      std::to_string(static_cast<int>(x)) + ".dbr",
                                                  {"Class = FixedItemTeleport"}, Vec3(x, 0, 0));
        portal->SetLock(true);
        portals.push_back(portal);
    }
    giant->AnimationCallback(0, Name::Create("OpenPortal"));
    EXPECT_FALSE(portals[0]->IsLocked());
    EXPECT_TRUE(portals[1]->IsLocked());
}

constexpr const char* kBolt = "Records/Skills/Typhon/Bolt.dbr";
constexpr const char* kGrip = "Records/Skills/Typhon/HadesGrip.dbr";
constexpr const char* kThunder = "Records/Skills/Typhon/ZeusThunder.dbr";
constexpr const char* kTakeHades = "Records/Skills/Typhon/TakeHades.dbr";
constexpr const char* kTakeZeus = "Records/Skills/Typhon/TakeZeus.dbr";
constexpr const char* kController = "Records/Controllers/Typhon.dbr";

std::string Line(const std::string& key, const std::string& value)
{
    return key + " = " + value;
}

// The boss between periods of exactly 1000 ms without and 2000 ms with god skills, a hero to
// fight and the statues it may pick.
class TyphonBossTest : public AiWorldFixture {
protected:
    void SetUp() override
    {
        AiWorldFixture::SetUp();
        for (const char* record : {kBolt, kGrip, kThunder, kTakeHades, kTakeZeus})
            database.WriteRecord(record, {"Class = Skill", "skillMaxLevel = 1"});
        database.WriteRecord(kController,
                             {"Class = ControllerTyphon", "MinTimeWithoutGodSkills = 1000",
                              "MaxTimeWithoutGodSkills = 1000", "MinTimeWithGodSkills = 2000",
                              "MaxTimeWithGodSkills = 2000"});
    }

    Typhon* Boss(const std::string& controller = kController)
    {
        Typhon* boss = Make<Typhon>(
            "Typhon", 0, 0,
            {Line("controller", controller), Line("skillName1", kBolt), Line("skillName2", kGrip),
             Line("skillName3", kThunder), Line("skillName4", kTakeHades),
             Line("skillName5", kTakeZeus),
             "skillLevel1 = 1\nskillLevel2 = 1\nskillLevel3 = 1\n"
             "skillLevel4 = 1\nskillLevel5 = 1\nspecialAttackTimeout = 1",
             Line("specialAttackSkillName", kBolt), Line("hadesSpecialAttack2SkillName", kGrip),
             "hadesSpecialAttack2Timeout = 2.5\n"
             "hadesSpecialAttack2Delay = -0.5\n"
             "hadesSpecialAttack2Chance = 40.9\n"
             "hadesSpecialAttack2Range = LongRange",
             Line("zeusSpecialAttackSkillName", kThunder),
             "zeusSpecialAttack3SkillName = Records/Skills/Missing.dbr\n"
             "zeusSpecialAttack3Timeout = 7\n"
             "ApolloTransferSkillName = Records/Skills/Missing.dbr",
             Line("ZeusTransferSkillName", kTakeZeus), Line("HadesTransferSkillName", kTakeHades)});
        boss->SetLifeState(LifeState_Alive);
        return boss;
    }
    TyphonStatue* Statue(const std::string& god, float x)
    {
        auto* statue = Make<TyphonStatue>("Statues/" + god + std::to_string(static_cast<int>(x)), x,
                                          0, {Line("skillGodName", god)});
        statue->SetLifeState(LifeState_Alive);
        statue->SetTeam(TeamManager::DefaultPlayerTeam());
        return statue;
    }
    Monster* Hero()
    {
        Monster* hero = Make("Hero", 3, 0);
        hero->SetLifeState(LifeState_Alive);
        hero->SetTeam(TeamManager::DefaultPlayerTeam());
        return hero;
    }
    static ControllerTyphon& Brain(const Character& boss)
    {
        return ControllerOf<ControllerTyphon>(boss);
    }
    static uint32_t Id(Typhon& boss, const char* record)
    {
        return boss.GetSkillManager().FindSkillId(record);
    }
    // Keeps the boss fighting the hero, so that its timers run.
    static void Fight(ControllerTyphon& brain, const Monster& hero)
    {
        brain.SetState("Attack", ControllerAIStateData(hero.GetObjectId(), 0, 0, WorldVec3()));
    }
    // Updates of 250 ms until the boss picks a statue; how many it took.
    static int UpdatesUntilPick(ControllerTyphon& brain)
    {
        for (int updates = 1; updates <= 20; ++updates) {
            brain.Update(250);
            if (brain.GetLastChosenStatue() >= 0)
                return updates;
        }
        return 0;
    }
};

TEST_F(TyphonBossTest, GodBlocksLoadInMsWithTruncatedChanceAndMissingSkillsStayZero)
{
    Typhon* boss = Boss();
    const ControllerTyphon& brain = Brain(*boss);
    ASSERT_NE(Id(*boss, kGrip), 0u);
    const ControllerTyphon::GodSpecialAttack& grip = brain.GetGodSpecialAttack(TyphonGod_Hades, 1);
    EXPECT_EQ(grip.timeout, 2500);
    EXPECT_EQ(grip.delay, -500);
    EXPECT_EQ(grip.chance, 40u);
    EXPECT_EQ(grip.range, SkillUseRange_Long);
    // No range key: none.
    EXPECT_EQ(brain.GetGodSpecialAttack(TyphonGod_Zeus, 0).range, SkillUseRange_None);
    // A skill the boss lacks: its other keys are not read.
    EXPECT_EQ(brain.GetGodSpecialAttack(TyphonGod_Zeus, 2).skill, 0u);
    EXPECT_EQ(brain.GetGodSpecialAttack(TyphonGod_Zeus, 2).timeout, 0);
    EXPECT_EQ(brain.GetTransferSkill(TyphonGod_Apollo), 0u);
}

TEST_F(TyphonBossTest, PickStrikeAndTheGodPeriodEndOnExactPeriods)
{
    Typhon* boss = Boss();
    ControllerTyphon& brain = Brain(*boss);
    const Monster* hero = Hero();
    TyphonStatue* hades = Statue("hades", 2);
    brain.Update(0);
    Fight(brain, *hero);

    // 1000 ms without: the fifth update of 250 ms is the first past it.
    EXPECT_EQ(UpdatesUntilPick(brain), 5);
    EXPECT_EQ(brain.GetCurrentEnemy(), hades->GetObjectId());
    EXPECT_EQ(brain.GetCurrentSkillID(), Id(*boss, kTakeHades));

    hades->UnderAttack(boss->GetObjectId());
    EXPECT_EQ(brain.GetCurrentGod(), TyphonGod_Hades);
    EXPECT_EQ(brain.GetSpecialAttack(1).skill, Id(*boss, kGrip));
    EXPECT_EQ(brain.GetSpecialAttack(0).skill, 0u);

    // The god period counts from the pick, the boss still at the statue.
    for (int update = 0; update < 8; ++update)
        brain.Update(250);
    EXPECT_EQ(brain.GetCurrentGod(), TyphonGod_Hades);
    brain.Update(250);
    EXPECT_EQ(brain.GetCurrentGod(), TyphonGod_None);
    EXPECT_EQ(brain.GetSpecialAttack(0).skill, Id(*boss, kBolt));
    EXPECT_EQ(brain.GetSpecialAttack(1).skill, 0u);
}

TEST_F(TyphonBossTest, WithOneStatueTheSameIsPickedAndWithNoneNeverAgain)
{
    Typhon* boss = Boss();
    ControllerTyphon& brain = Brain(*boss);
    const Monster* hero = Hero();
    brain.Update(0);
    Fight(brain, *hero);
    // No living statue when the first period runs out: the boss picks none, then or later.
    TyphonStatue* zeus = Statue("zeus", 2);
    zeus->SetLifeState(LifeState_Dead);
    ASSERT_EQ(UpdatesUntilPick(brain), 0);
    zeus->SetLifeState(LifeState_Alive);
    EXPECT_EQ(UpdatesUntilPick(brain), 0);

    // With one statue the re-draws give up: the same one each time.
    EXPECT_TRUE(brain.ChooseStatue());
    EXPECT_TRUE(brain.ChooseStatue());
    EXPECT_EQ(brain.GetLastChosenStatue(), 0);
    EXPECT_EQ(brain.GetCurrentSkillID(), Id(*boss, kTakeZeus));
    zeus->SetLifeState(LifeState_Dead);
    EXPECT_FALSE(brain.ChooseStatue());
}

TEST_F(TyphonBossTest, OnlyTheCurrentGodsStatueTakesThePowersBack)
{
    Typhon* boss = Boss();
    ControllerTyphon& brain = Brain(*boss);
    brain.Update(0);
    TyphonStatue* hades = Statue("hades", 2);
    TyphonStatue* zeus = Statue("zeus", -2);
    TyphonStatue* nobody = Statue("ares", 4);

    nobody->UnderAttack(boss->GetObjectId());
    EXPECT_EQ(brain.GetCurrentGod(), TyphonGod_None);
    hades->UnderAttack(boss->GetObjectId());
    for (TyphonStatue* statue : {zeus, nobody}) {
        statue->CharacterIsDying();
        EXPECT_EQ(brain.GetCurrentGod(), TyphonGod_Hades);
    }
    hades->CharacterIsDying();
    EXPECT_EQ(brain.GetCurrentGod(), TyphonGod_None);
    EXPECT_EQ(StateOf(*boss), "Return");
}

TEST_F(TyphonBossTest, DeathRecordsTheDifficultyCompleted)
{
    // Playing, completed before, completed after; whether the next level opens and is saved.
    constexpr GameDifficulty N = GameDifficulty_Normal, E = GameDifficulty_Epic,
                             L = GameDifficulty_Legendary;
    struct Row {
        GameDifficulty current, completed, after;
        bool unlocked;
        std::vector<GameDifficulty> saved;
    };
    for (const Row& row :
         {Row{N, N, E, true, {E}}, Row{L, N, L, false, {L}}, Row{N, E, E, false, {}}}) {
        SCOPED_TRACE(static_cast<int>(row.current));
        RecordingUserInterface ui;
        Game().SetUI(&ui);
        Game().SetGameDifficulty(row.current);
        Game().SetPlayerUnlockedLevel(false);
        Player* player = MakeMainPlayer();
        player->SetGreatestDifficultyCompleted(row.completed);
        Typhon* boss = Boss();

        boss->ImDying();
        EXPECT_EQ(player->GetGreatestDifficultyCompleted(), row.after);
        EXPECT_EQ(Game().GetPlayerUnlockedLevel(), row.unlocked);
        EXPECT_EQ(ui.savedDifficulties, row.saved);
        Game().SetUI(nullptr);
    }
}

TEST_F(TyphonBossTest, DeathWithoutAMainPlayerStillEndsTheGame)
{
    RecordingUserInterface ui;
    Game().SetUI(&ui);
    Game().SetAutoSave(true);
    const uint32_t activities = ActivityManager::Get().GetLastId();
    Boss()->ImDying();
    EXPECT_EQ(ActivityManager::Get().GetLastId(), activities + 1);
    EXPECT_EQ(ui.saves, 1);
    EXPECT_TRUE(ui.savedDifficulties.empty());
    Game().SetUI(nullptr);
}

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
    Monster* spirit = Spirit("Spirit", 0);
    EXPECT_EQ(HostBrain(*host).GetAnimator(), spirit->GetObjectId());

    // The host stands within the strike's reach: the pursuit hands over at once.
    Event(*spirit, "End");
    ASSERT_EQ(StateOf(*spirit), "AttackToAnimate");

    ControllerOf(*host).UnderAttack(spirit->GetObjectId());
    EXPECT_EQ(host->GetTeam().GetTeamMajor(), TeamManager::DefaultMonsterTeam().GetTeamMajor());
    EXPECT_FALSE(host->IsInvincible());

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

    Monster* telkine = nullptr;
};

// The twelve casts and the turn to the second phase are in the host's encounter transcript.
TEST_F(TelkineTest, ASwingPutsOffTheTauntAndTheClockStandsWhileItCasts)
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
    EXPECT_EQ(Phase1().GetCastCount(), 1);
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
    EXPECT_TRUE(boss->IsInvincible());
    // The states on the way are in the host's encounter transcript.
    ControllerOf(*boss).QuestCommandUseSkill(bursts, 0, false);
    Event(*boss, "End");
    Brain(*boss).Update(100);
    EXPECT_EQ(Burning(*boss).GetConduit(), conduit->GetObjectId());

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

TEST_F(MegalesiosTest, BothFlagsAreSavedShortStatesLeaveThemFalseAndTheStartupHeedsThem)
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

    // A restored boss skips the script it already played.
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
