#include "characters/Typhon.h"
#include "ai/ControllerTyphon.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "characters/TyphonGod.h"
#include "characters/TyphonStatue.h"
#include "game/ActivityManager.h"
#include "game/GameEngine.h"
#include "skills/SkillManager.h"
#include "tests/ai/AiWorldFixture.h"
#include "tests/support/RecordingUserInterface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kBolt = "Records/Skills/Typhon/Bolt.dbr";
constexpr const char* kGrip = "Records/Skills/Typhon/HadesGrip.dbr";
constexpr const char* kThunder = "Records/Skills/Typhon/ZeusThunder.dbr";
constexpr const char* kTakeHades = "Records/Skills/Typhon/TakeHades.dbr";
constexpr const char* kTakeZeus = "Records/Skills/Typhon/TakeZeus.dbr";
constexpr const char* kGlow = "Records/Fx/Packs/GodGlow.dbr";
constexpr const char* kController = "Records/Controllers/Typhon.dbr";

std::string Line(const std::string& key, const std::string& value)
{
    return key + " = " + value;
}

TEST(TyphonGod, NamesConvertBothWaysAndOthersAreInvalid)
{
    const std::vector<std::string> names = {"zeus", "demeter", "hades", "apollo"};
    for (uint32_t god = 0; god < kNumTyphonGods; ++god) {
        EXPECT_EQ(TyphonGodToName(god), names[god]);
        EXPECT_EQ(TyphonGodFromName(names[god]), god);
    }
    EXPECT_STREQ(TyphonGodToName(TyphonGod_None), "none");
    EXPECT_STREQ(TyphonGodToName(5), "invalid");
    EXPECT_EQ(TyphonGodFromName("Zeus"), TyphonGod_None);
    EXPECT_EQ(TyphonGodFromName(""), TyphonGod_None);
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
        database.WriteRecord("Records/Fx/Glow.dbr", {"Class = EffectEntity"});
        database.WriteRecord(kGlow, {"particleEffectNames = Records/Fx/Glow.dbr"});
        database.WriteRecord(kController,
                             {"Class = ControllerTyphon", "MinTimeWithoutGodSkills = 1000",
                              "MaxTimeWithoutGodSkills = 1000", "MinTimeWithGodSkills = 2000",
                              "MaxTimeWithGodSkills = 2000"});
    }

    Typhon* Boss(const std::string& controller = kController)
    {
        Typhon* boss = Make<Typhon>("Typhon", 0, 0,
                                    {Line("controller", controller),
                                     Line("skillName1", kBolt),
                                     Line("skillName2", kGrip),
                                     Line("skillName3", kThunder),
                                     Line("skillName4", kTakeHades),
                                     Line("skillName5", kTakeZeus),
                                     "skillLevel1 = 1",
                                     "skillLevel2 = 1",
                                     "skillLevel3 = 1",
                                     "skillLevel4 = 1",
                                     "skillLevel5 = 1",
                                     Line("specialAttackSkillName", kBolt),
                                     "specialAttackTimeout = 1",
                                     Line("hadesSpecialAttack2SkillName", kGrip),
                                     "hadesSpecialAttack2Timeout = 2.5",
                                     "hadesSpecialAttack2Delay = -0.5",
                                     "hadesSpecialAttack2Chance = 40.9",
                                     "hadesSpecialAttack2Range = LongRange",
                                     Line("zeusSpecialAttackSkillName", kThunder),
                                     "zeusSpecialAttack3SkillName = Records/Skills/Missing.dbr",
                                     "zeusSpecialAttack3Timeout = 7",
                                     Line("ZeusTransferSkillName", kTakeZeus),
                                     Line("HadesTransferSkillName", kTakeHades),
                                     "ApolloTransferSkillName = Records/Skills/Missing.dbr",
                                     Line("hadesSkillEffect", kGlow),
                                     "deathVortex = Records/Fx/Glow.dbr"});
        boss->SetLifeState(LifeState_Alive);
        return boss;
    }
    TyphonStatue* Statue(const std::string& god, float x)
    {
        auto* statue =
            Make<TyphonStatue>("Statues/" + god + std::to_string(static_cast<int>(x)), x, 0,
                               {Line("skillGodName", god), Line("frameBurstEffect", kGlow)});
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
    EXPECT_EQ(grip.skill, Id(*boss, kGrip));
    EXPECT_EQ(grip.timeout, 2500);
    EXPECT_EQ(grip.delay, -500);
    EXPECT_EQ(grip.chance, 40u);
    EXPECT_EQ(grip.range, SkillUseRange_Long);
    // No range key: none.
    EXPECT_EQ(brain.GetGodSpecialAttack(TyphonGod_Zeus, 0).skill, Id(*boss, kThunder));
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
    EXPECT_EQ(brain.GetMostHatedEnemy(), hades->GetObjectId());
    EXPECT_EQ(brain.GetCurrentEnemy(), hades->GetObjectId());
    EXPECT_EQ(brain.GetCurrentSkillID(), Id(*boss, kTakeHades));
    EXPECT_EQ(brain.GetTimeWithGodSkills(), 2000);

    hades->UnderAttack(boss->GetObjectId());
    EXPECT_EQ(brain.GetCurrentGod(), TyphonGod_Hades);
    EXPECT_EQ(brain.GetSpecialAttack(1).skill, Id(*boss, kGrip));
    EXPECT_EQ(brain.GetSpecialAttack(0).skill, 0u);
    EXPECT_TRUE(boss->GetSkillEffect(TyphonGod_Hades)->IsActive());
    EXPECT_TRUE(hades->GetBurstEffect().IsActive());

    // The god period counts from the pick, the boss still at the statue.
    for (int update = 0; update < 8; ++update)
        brain.Update(250);
    EXPECT_EQ(brain.GetCurrentGod(), TyphonGod_Hades);
    brain.Update(250);
    EXPECT_EQ(brain.GetCurrentGod(), TyphonGod_None);
    EXPECT_EQ(brain.GetSpecialAttack(0).skill, Id(*boss, kBolt));
    EXPECT_EQ(brain.GetSpecialAttack(1).skill, 0u);
    EXPECT_FALSE(boss->GetSkillEffect(TyphonGod_Hades)->IsActive());
    EXPECT_EQ(brain.GetTimeWithoutGodSkills(), 1000);
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
    EXPECT_LT(brain.GetTimeWithGodSkills(), 0);
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
    EXPECT_EQ(brain.GetSpecialAttack(0).skill, Id(*boss, kBolt));
    EXPECT_EQ(StateOf(*boss), "Return");
}

TEST_F(TyphonBossTest, DeathRecordsTheDifficultyCompleted)
{
    struct Row {
        GameDifficulty current;
        GameDifficulty completed;
        GameDifficulty after;
        bool unlocked;
        std::vector<GameDifficulty> saved;
    };
    for (const Row& row :
         {Row{GameDifficulty_Normal,
              GameDifficulty_Normal,
              GameDifficulty_Epic,
              true,
              {GameDifficulty_Epic}},
          Row{GameDifficulty_Legendary,
              GameDifficulty_Normal,
              GameDifficulty_Legendary,
              false,
              {GameDifficulty_Legendary}},
          Row{GameDifficulty_Normal, GameDifficulty_Epic, GameDifficulty_Epic, false, {}}}) {
        SCOPED_TRACE(static_cast<int>(row.current));
        RecordingUserInterface ui;
        Game().SetUI(&ui);
        Game().SetGameDifficulty(row.current);
        Game().SetPlayerUnlockedLevel(false);
        Player* player = MakeMainPlayer();
        player->SetGreatestDifficultyCompleted(row.completed);
        const uint32_t activities = ActivityManager::Get().GetLastId();
        Typhon* boss = Boss();

        boss->ImDying();
        EXPECT_EQ(player->GetGreatestDifficultyCompleted(), row.after);
        EXPECT_EQ(Game().GetPlayerUnlockedLevel(), row.unlocked);
        EXPECT_EQ(ui.savedDifficulties, row.saved);
        EXPECT_EQ(ActivityManager::Get().GetLastId(), activities + 1);
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

} // namespace
} // namespace GAME::Test
