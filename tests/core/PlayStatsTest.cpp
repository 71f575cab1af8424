#include "core/PlayStats.h"

#include "engine/EventManager.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <limits>

namespace GAME::Test {
namespace {

// Stand-ins for the item classes, in a tree of their own so the library's tree is untouched.
RTTI_ClassInfo gHealthRecord("OneShot_PotionHealth", nullptr, nullptr);
RTTI_ClassInfo gLargeHealthRecord("OneShot_PotionHealthLarge", &gHealthRecord, nullptr);
RTTI_ClassInfo gManaRecord("OneShot_PotionMana", nullptr, nullptr);
RTTI_ClassInfo gScrollRecord("OneShot_Scroll", nullptr, nullptr);

class FakeOneShot : public Object {
public:
    explicit FakeOneShot(const RTTI_ClassInfo& record) : record(record) {}
    const RTTI_ClassInfo* GetClassInfo() const override { return &record; }

private:
    const RTTI_ClassInfo& record;
};

PlayStatsDamageType Damage(int32_t kind, int32_t detail = 0)
{
    return {kind, detail};
}

class PlayStatsTest : public EngineFixture {
protected:
    void TearDown() override
    {
        gEngine->GetGameInfo().SetDifficulty(0);
        EngineFixture::TearDown();
    }

    // The report as `Dump` logs it: the real-time lines, then the log-only lines.
    std::vector<std::string> Report(PlayStats& stats)
    {
        log.Clear();
        stats.Dump();
        std::vector<std::string> lines;
        for (const LogCapture::Line& line : log.GetLines())
            lines.push_back(line.level == 0 ? line.text : "level " + std::to_string(line.level));
        return lines;
    }

    // The first report line that starts with the label.
    std::string Line(PlayStats& stats, const std::string& label)
    {
        for (const std::string& line : Report(stats)) {
            if (line.starts_with(label))
                return line;
        }
        return "";
    }

    static float Variable(PlayStats& stats, const char* name)
    {
        float value = -1.0f;
        EXPECT_TRUE(stats.GetDesignerVariable(name, value)) << name;
        return value;
    }

    static int32_t ScoreOf(PlayStats& stats, const std::string& formula)
    {
        LoadTable table;
        table.Parse("scoreEquation = " + formula, "PlayerScore.dbr");
        stats.Load(table);
        return stats.GetScore();
    }
};

TEST(PlayStatsDamageType, NamesComeFromTheTablesAndNeverReadPastThem)
{
    EXPECT_EQ(Damage(1, 10).ToString(),
              "CombatAttributeType::CombatAttributeType_ManaBurn         ");
    EXPECT_EQ(Damage(1, 45).ToString(), "CombatAttributeType::CombatAttributeType_ElementalGroup");
    EXPECT_EQ(Damage(1, 46).ToString(), "CombatAttributeType::Unknown");
    EXPECT_EQ(Damage(1, -1).ToString(), "CombatAttributeType::Unknown");
    EXPECT_EQ(Damage(7).ToString(), "BuffSelf::Unknown");
    EXPECT_EQ(Damage(8).ToString(), "Unknown::Unknown");
    EXPECT_TRUE(Damage(1, 2) < Damage(1, 4));
    EXPECT_FALSE(Damage(1, 4) < Damage(1, 4));

    using Reduction = PlayStatsDamageReductionType;
    EXPECT_STREQ(PlayStatsDamageReductionTypeToString(PlayStatsDamageReduction_Resisted),
                 "Resisted");
    EXPECT_STREQ(PlayStatsDamageReductionTypeToString(static_cast<Reduction>(8)), "Unknown");
    EXPECT_STREQ(PlayStatsLifeTypeToString(PlayStatsLife_Shrine), "Shrine");
    EXPECT_STREQ(PlayStatsLifeTypeToString(static_cast<PlayStatsLifeType>(-1)), "Unknown");
}

TEST_F(PlayStatsTest, PlayClockCountsWholeSecondsAndCarriesTheRest)
{
    PlayStats stats;
    stats.Update(400);
    stats.Update(400);
    EXPECT_EQ(stats.GetPlayTimeInSeconds(), 0u);
    stats.Update(400);
    EXPECT_EQ(stats.GetPlayTimeInSeconds(), 1u);
    stats.Update(800);
    EXPECT_EQ(stats.GetPlayTimeInSeconds(), 2u);
    // A frame that runs backwards is ignored rather than wrapped into hours.
    stats.Update(-5000);
    stats.Update(119000);
    EXPECT_EQ(stats.GetPlayTimeInSeconds(), 121u);
    EXPECT_EQ(Variable(stats, "playTimeInMinutes"), 2.0f);
}

TEST_F(PlayStatsTest, ReportShowsEveryTallyInKeyOrder)
{
    PlayStats stats;
    stats.Update(10000);
    stats.IncrementKills(100, 4);
    stats.IncrementKills(50, 2);
    stats.IncrementDeaths();
    stats.IncrementLevel();
    stats.TallyDamageInflicted(20.0f, Damage(2));
    stats.TallyDamageInflicted(30.0f, Damage(1, 6));
    stats.TallyDamageReceived(15.0f, Damage(1, 10));
    stats.TallyDamageReduction(5.0f, PlayStatsDamageReduction_Blocked);
    stats.TallyDamageReduction(2.5f, PlayStatsDamageReduction_ArmorRating);
    stats.GainExperience(1000);
    stats.LoseExperience(500);
    stats.GainLife(7.5f, PlayStatsLife_Regeneration);
    stats.GainLife(12.5f, PlayStatsLife_Potion);
    stats.UseMana(40.0f);
    stats.InflictCriticalHit();
    stats.ReceiveCriticalHit();
    stats.IMissed();
    stats.IMissed();
    stats.IWasMissed();
    stats.SkillUsed("Fireball");
    stats.SkillUsed("Arrow");
    stats.SkillUsed("Fireball");
    stats.SetShieldBlockChance(12.5f);

    const std::vector<std::string> expected = {
        "Play Statistics:",
        "    Play Time:           0 min 10 sec",
        "    Total Score:         0",
        "    Number of deaths:    1",
        "    Number of kills:     2",
        "    Health potions used: 0",
        "    Mana potions used:   0",
        "    Max. level achieved: 2",
        "",
        "    Damage per second: 10.00",
        "",
        "    Skills Used:",
        "        Arrow : 1",
        "        Fireball : 2",
        "    Life healed: 20.00",
        "    Shield block chance    : 12.50",
        "    Kills per second (whole game): 0.20",
        "    Average hits per kill: 3.00",
        "    Damage per second (whole game, by type)",
        "         CombatAttributeType::CombatAttributeType_Fire 3.00",
        "         Retaliation::Unknown 2.00",
        "",
        "  Damage Totals",
        "",
        "    Damage Inflicted (by type)",
        "         CombatAttributeType::CombatAttributeType_Fire 30.00",
        "         Retaliation::Unknown 20.00",
        "    Damage Inflicted (total)   50.00",
        "",
        "    Damage Received (by type)",
        "         CombatAttributeType::CombatAttributeType_ManaBurn          15.00",
        "    Damage Received (total)   15.00",
        "    Damage Reduction (by type)",
        "         ArmorRating 2.50",
        "         Blocked 5.00",
        "    Damage Reduction (total)   7.50",
        "",
        "  Experience",
        "         Total Gained 1000",
        "         Total Lost   -500",
        "         Gained per second 100.00",
        "         Lost per second   -50.00",
        "",
        "  Life healed (by type)",
        "         Potion 12.50",
        "         Regeneration 7.50",
        "",
        "  Mana used (total):      40.00",
        "  Mana used (per second): 4.00",
        "",
        "  Critical hits inflicted: 1",
        "  Critical hits received:  1",
        "   Monster misses: 1",
        "   Player misses:  2",
    };
    EXPECT_EQ(Report(stats), expected);

    // The report is rebuilt only after a frame.
    stats.DisableShieldBlockChance();
    EXPECT_EQ(Report(stats), expected);
    stats.Update(0);
    EXPECT_EQ(Line(stats, "    Shield"), "");
}

TEST_F(PlayStatsTest, RatesReadZeroBeforeTheFirstSecond)
{
    PlayStats stats;
    stats.UseMana(30.0f);
    stats.LoseExperience(20);
    EXPECT_EQ(Line(stats, "  Mana used (per second):"), "  Mana used (per second): 0.00");
    EXPECT_EQ(Line(stats, "         Lost per second"), "         Lost per second   0.00");
    EXPECT_EQ(Line(stats, "    Kills per second"), "    Kills per second (whole game): 0.00");
    EXPECT_EQ(Line(stats, "    Average hits"), "    Average hits per kill: 0.00");
}

TEST_F(PlayStatsTest, DamagePerSecondCountsOnlyTheLastFiveSeconds)
{
    PlayStats stats;
    stats.TallyDamageInflicted(80.0f, Damage(1, 2));
    stats.Update(6000);
    stats.TallyDamageInflicted(50.0f, Damage(1, 2));
    stats.TallyDamageInflicted(50.0f, Damage(1, 2));
    EXPECT_EQ(Line(stats, "    Damage per second:"), "    Damage per second: 20.00");
    EXPECT_EQ(Line(stats, "    Damage Inflicted (total)"), "    Damage Inflicted (total)   180.00");

    // Five seconds old still counts; later reports prune again.
    PlayStats edge;
    edge.Update(1000);
    edge.TallyDamageInflicted(10.0f, Damage(3));
    edge.Update(5000);
    edge.TallyDamageInflicted(50.0f, Damage(1, 2));
    EXPECT_EQ(Line(edge, "    Damage per second:"), "    Damage per second: 12.00");
    edge.Update(5000);
    EXPECT_EQ(Line(edge, "    Damage per second:"), "    Damage per second: 10.00");
    edge.Update(1000);
    EXPECT_EQ(Line(edge, "    Damage per second:"), "    Damage per second: 0.00");
}

TEST_F(PlayStatsTest, ProvidesItsEightTalliesToFormulas)
{
    PlayStats stats;
    stats.Update(185000);
    stats.IncrementDeaths();
    stats.IncrementKills(300, 9);
    stats.IncrementKills(4000000000u, 0);
    FakeOneShot health(gLargeHealthRecord), mana(gManaRecord), scroll(gScrollRecord);
    for (const Object* item :
         {&health, &mana, &scroll, &health, static_cast<FakeOneShot*>(nullptr)})
        stats.IncrementPotion(item);
    stats.IncrementLevel();
    stats.TallyDamageInflicted(40.0f, Damage(1, 6));
    stats.TallyDamageInflicted(1000.0f, Damage(2));
    stats.TallyDamageInflicted(40.0f, Damage(1, 5));
    EXPECT_EQ(Variable(stats, "greatestDamageInflicted"), 40.0f);
    stats.TallyDamageInflicted(40.5f, Damage(1, 0));

    EXPECT_EQ(Variable(stats, "playTimeInMinutes"), 3.0f);
    EXPECT_EQ(Variable(stats, "numberOfDeaths"), 1.0f);
    EXPECT_EQ(Variable(stats, "experienceFromKills"), 4000000300.0f);
    EXPECT_EQ(Variable(stats, "numberOfKills"), 2.0f);
    EXPECT_EQ(Variable(stats, "healthPotionsUsed"), 2.0f);
    EXPECT_EQ(Variable(stats, "manaPotionsUsed"), 1.0f);
    EXPECT_EQ(Variable(stats, "maxLevel"), 2.0f);
    EXPECT_EQ(Variable(stats, "greatestDamageInflicted"), 40.5f);
    float value = 5.0f;
    EXPECT_FALSE(stats.GetDesignerVariable("numberofkills", value));
    EXPECT_EQ(value, 0.0f);
}

TEST_F(PlayStatsTest, ScoreFormulaIsLoadedWhenTheGameIsAboutToRun)
{
    database.WriteRecord("Records/Game/PlayerScore.dbr", {"scoreEquation = numberOfKills*10"});
    const size_t listeners = EventManager::Instance().GetListenerCount("GameEvent_PreRun");
    auto stats = std::make_unique<PlayStats>();
    EXPECT_EQ(EventManager::Instance().GetListenerCount("GameEvent_PreRun"), listeners + 1);
    for (int i = 0; i < 7; ++i)
        stats->IncrementKills(0, 0);
    EXPECT_EQ(stats->GetScore(), 0);
    EventManager::Instance().Send("GameEvent_PreRun", GameEvent_PreRun());
    EXPECT_EQ(stats->GetScore(), 70);
    stats->Update(0);
    EXPECT_EQ(Line(*stats, "    Total Score:"), "    Total Score:         70");

    // Without the record, or with an empty formula, the loaded formula stays.
    TempDatabase withoutScore;
    ObjectManager::Instance().GetDatabase().SetRoot(withoutScore.GetRoot());
    EventManager::Instance().Send("GameEvent_PreRun", GameEvent_PreRun());
    EXPECT_EQ(stats->GetScore(), 70);
    stats->Load(LoadTable());
    EXPECT_EQ(stats->GetScore(), 70);

    stats.reset();
    EXPECT_EQ(EventManager::Instance().GetListenerCount("GameEvent_PreRun"), listeners);
}

TEST_F(PlayStatsTest, ScoreTruncatesTowardZeroSaturatesAndFailsToZero)
{
    PlayStats stats;
    for (int i = 0; i < 3; ++i)
        stats.IncrementKills(0, 0);
    EXPECT_EQ(ScoreOf(stats, "numberOfKills*2.5"), 7);
    EXPECT_EQ(ScoreOf(stats, "0-(numberOfKills*2.5)"), -7);
    EXPECT_EQ(ScoreOf(stats, "numberOfKills*10000000000"), INT32_MAX);
    EXPECT_EQ(ScoreOf(stats, "0-(numberOfKills*10000000000)"), INT32_MIN);
    EXPECT_EQ(ScoreOf(stats, "(numberOfKills*0)/0"), 0);

    log.Clear();
    EXPECT_EQ(ScoreOf(stats, "numberOfKills*"), 0);
    EXPECT_EQ(log.Count(1, "-=- PlayStats Equation load failure : scoreEquation"), 1u);
    EXPECT_EQ(ScoreOf(stats, "kills*10"), 0);
    EXPECT_EQ(log.Count(1, "Designer variable 'kills' not found in parent"), 1u);
}

TEST_F(PlayStatsTest, SavedTalliesRoundTripUnderTheirKeysPerDifficulty)
{
    PlayStats saved;
    saved.Update(125000);
    saved.IncrementDeaths();
    saved.IncrementKills(30, 3);
    saved.IncrementKills(40, 4);
    FakeOneShot health(gHealthRecord);
    saved.IncrementPotion(&health);
    saved.IncrementLevel();
    saved.IncrementLevel();
    saved.ReceiveHit();
    saved.TallyDamageInflicted(123.5f, Damage(1, 2));
    saved.InflictCriticalHit();
    saved.ReceiveCriticalHit();
    saved.ReceiveCriticalHit();
    GameInfo& info = gEngine->GetGameInfo();
    saved.SetGreatestMonsterKilledName(L"Ogre");
    saved.SetGreatestMonsterKilledLevel(12);
    saved.SetGreatestMonsterKilledLifeAndMana(900);
    info.SetDifficulty(2);
    saved.SetGreatestMonsterKilledName(L"Dragon");
    saved.SetGreatestMonsterKilledLevel(40);
    saved.SetGreatestMonsterKilledLifeAndMana(5000);

    IOStreamWrite writer;
    saved.StreamProperties(&writer);
    std::string text;
    ASSERT_TRUE(IOStreamRead::Describe(writer.GetBytes(), text));
    EXPECT_EQ(text, "{\n"
                    "  uint playTimeInSeconds = 125\n"
                    "  uint numberOfDeaths = 1\n"
                    "  uint numberOfKills = 2\n"
                    "  uint experienceFromKills = 70\n"
                    "  uint healthPotionsUsed = 1\n"
                    "  uint manaPotionsUsed = 0\n"
                    "  uint maxLevel = 3\n"
                    "  uint numHitsReceived = 1\n"
                    "  uint numHitsInflicted = 7\n"
                    "  float greatestDamageInflicted = 123.5\n"
                    "  wideString (*greatestMonsterKilledName)[i] = L\"Ogre\"\n"
                    "  uint (*greatestMonsterKilledLevel)[i] = 12\n"
                    "  uint (*greatestMonsterKilledLifeAndMana)[i] = 900\n"
                    "  wideString (*greatestMonsterKilledName)[i] = L\"\"\n"
                    "  uint (*greatestMonsterKilledLevel)[i] = 0\n"
                    "  uint (*greatestMonsterKilledLifeAndMana)[i] = 0\n"
                    "  wideString (*greatestMonsterKilledName)[i] = L\"Dragon\"\n"
                    "  uint (*greatestMonsterKilledLevel)[i] = 40\n"
                    "  uint (*greatestMonsterKilledLifeAndMana)[i] = 5000\n"
                    "  uint criticalHitsInflicted = 1\n"
                    "  uint criticalHitsReceived = 2\n"
                    "}\n");

    PlayStats loaded;
    IOStreamRead reader(writer.GetBytes());
    loaded.StreamProperties(&reader);
    ASSERT_FALSE(reader.HasFailed());
    EXPECT_EQ(Variable(loaded, "experienceFromKills"), 70.0f);
    EXPECT_EQ(Variable(loaded, "greatestDamageInflicted"), 123.5f);
    EXPECT_EQ(loaded.GetGreatestMonsterKilledName(), L"Dragon");
    EXPECT_EQ(loaded.GetGreatestMonsterKilledLifeAndMana(), 5000u);
    info.SetDifficulty(1);
    EXPECT_EQ(loaded.GetGreatestMonsterKilledName(), L"");
    EXPECT_EQ(loaded.GetGreatestMonsterKilledLevel(), 0u);
    info.SetDifficulty(0);
    EXPECT_EQ(loaded.GetGreatestMonsterKilledName(), L"Ogre");
    EXPECT_EQ(loaded.GetGreatestMonsterKilledLevel(), 12u);
    EXPECT_EQ(Line(loaded, "    Play Time:"), "    Play Time:           2 min 5 sec");
    // Only the saved subset comes back.
    EXPECT_EQ(Line(loaded, "    Damage Inflicted (total)"), "    Damage Inflicted (total)   0.00");
}

TEST_F(PlayStatsTest, UnbeatableSavedGreatestDamageIsReset)
{
    PlayStats saved;
    saved.TallyDamageInflicted(std::numeric_limits<float>::infinity(), Damage(1, 2));
    IOStreamWrite writer;
    saved.StreamProperties(&writer);
    PlayStats loaded;
    IOStreamRead reader(writer.GetBytes());
    loaded.StreamProperties(&reader);
    EXPECT_EQ(Variable(loaded, "greatestDamageInflicted"), 0.0f);
    EXPECT_EQ(log.Count(1, "PlayStats: saved greatestDamageInflicted is not finite"), 1u);
}

TEST_F(PlayStatsTest, DisplayHandsOnTheRealTimeLinesAndLongLinesAreCut)
{
    PlayStats stats;
    std::vector<std::string> shown;
    stats.Display([&shown](const std::string& line) { shown.push_back(line); });
    ASSERT_EQ(shown.size(), 13u);
    EXPECT_EQ(shown.back(), "    Life healed: 0.00");

    const std::string longName(2000, 'x');
    stats.AddRealTimeString("%s", longName.c_str());
    stats.AddLogString("%s", longName.c_str());
    const std::vector<std::string> report = Report(stats);
    ASSERT_EQ(report.size(), 44u);
    EXPECT_EQ(report[13], std::string(1023, 'x'));
    EXPECT_EQ(report.back(), std::string(1023, 'x'));
}

} // namespace
} // namespace GAME::Test
