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

    std::string Line(PlayStats& stats, const std::string& label)
    {
        for (const std::string& line : Report(stats))
            if (line.starts_with(label))
                return line;
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
    const std::pair<PlayStatsDamageType, const char*> names[] = {
        {Damage(1, 45), "CombatAttributeType::CombatAttributeType_ElementalGroup"},
        {Damage(1, 46), "CombatAttributeType::Unknown"},
        {Damage(1, -1), "CombatAttributeType::Unknown"},
        {Damage(7), "BuffSelf::Unknown"},
        {Damage(8), "Unknown::Unknown"}};
    for (const auto& [damage, name] : names)
        EXPECT_EQ(damage.ToString(), name);

    using Reduction = PlayStatsDamageReductionType;
    EXPECT_STREQ(PlayStatsDamageReductionTypeToString(static_cast<Reduction>(8)), "Unknown");
    EXPECT_STREQ(PlayStatsLifeTypeToString(static_cast<PlayStatsLifeType>(-1)), "Unknown");
}

// A frame that runs backwards is ignored rather than wrapped into hours.
TEST_F(PlayStatsTest, PlayClockCountsWholeSecondsAndCarriesTheRest)
{
    PlayStats stats;
    for (const auto& [ms, seconds] :
         {std::pair{400, 0u}, {400, 0u}, {400, 1u}, {800, 2u}, {-5000, 2u}, {119000, 121u}}) {
        stats.Update(ms);
        EXPECT_EQ(stats.GetPlayTimeInSeconds(), seconds) << ms;
    }
    EXPECT_EQ(Variable(stats, "playTimeInMinutes"), 2.0f);
}

TEST_F(PlayStatsTest, RatesReadZeroBeforeTheFirstSecondAndTheReportIsRebuiltOnlyAfterAFrame)
{
    PlayStats stats;
    stats.UseMana(30.0f);
    stats.SetShieldBlockChance(12.5f);
    stats.Update(0);
    const std::pair<const char*, const char*> lines[] = {
        {"  Mana used (per second):", "  Mana used (per second): 0.00"},
        {"    Average hits", "    Average hits per kill: 0.00"},
        {"    Shield", "    Shield block chance    : 12.50"}};
    for (const auto& [label, line] : lines)
        EXPECT_EQ(Line(stats, label), line);

    const std::vector<std::string> report = Report(stats);
    stats.DisableShieldBlockChance();
    EXPECT_EQ(Report(stats), report);
    stats.Update(0);
    EXPECT_EQ(Line(stats, "    Shield"), "");
}

TEST_F(PlayStatsTest, DamagePerSecondCountsOnlyTheLastFiveSeconds)
{
    PlayStats stats;
    stats.TallyDamageInflicted(80.0f, Damage(1, 2));
    stats.Update(6000);
    stats.TallyDamageInflicted(50.0f, Damage(1, 2));
    stats.TallyDamageInflicted(50.0f, Damage(1, 2));
    EXPECT_EQ(Line(stats, "    Damage per second:"), "    Damage per second: 20.00");

    // Five seconds old still counts; later reports prune again.
    PlayStats edge;
    edge.Update(1000);
    edge.TallyDamageInflicted(10.0f, Damage(3));
    edge.Update(5000);
    edge.TallyDamageInflicted(50.0f, Damage(1, 2));
    for (const auto& [ms, rate] : {std::pair{0, "12.00"}, {5000, "10.00"}, {1000, "0.00"}}) {
        edge.Update(ms);
        EXPECT_EQ(Line(edge, "    Damage per second:"),
                  "    Damage per second: " + std::string(rate));
    }
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
    stats.TallyDamageInflicted(40.5f, Damage(1, 0));

    const std::pair<const char*, float> tallies[] = {{"playTimeInMinutes", 3.0f},
                                                     {"numberOfDeaths", 1.0f},
                                                     {"experienceFromKills", 4000000300.0f},
                                                     {"numberOfKills", 2.0f},
                                                     {"healthPotionsUsed", 2.0f},
                                                     {"manaPotionsUsed", 1.0f},
                                                     {"maxLevel", 2.0f},
                                                     {"greatestDamageInflicted", 40.5f}};
    for (const auto& [name, value] : tallies)
        EXPECT_EQ(Variable(stats, name), value);
    float value = 5.0f;
    EXPECT_FALSE(stats.GetDesignerVariable("numberofkills", value));
    EXPECT_EQ(value, 0.0f);
}

TEST_F(PlayStatsTest, ScoreFormulaIsLoadedWhenTheGameIsAboutToRun)
{
    database.WriteRecord("Records/Game/PlayerScore.dbr", {"scoreEquation = numberOfKills*10"});
    auto stats = std::make_unique<PlayStats>();
    for (int i = 0; i < 7; ++i)
        stats->IncrementKills(0, 0);
    EXPECT_EQ(stats->GetScore(), 0);
    EventManager::Instance().Send("GameEvent_PreRun", GameEvent_PreRun());
    EXPECT_EQ(stats->GetScore(), 70);

    // Without the record, or with an empty formula, the loaded formula stays.
    TempDatabase withoutScore;
    ObjectManager::Instance().GetDatabase().SetRoot(withoutScore.GetRoot());
    EventManager::Instance().Send("GameEvent_PreRun", GameEvent_PreRun());
    EXPECT_EQ(stats->GetScore(), 70);
    stats->Load(LoadTable());
    EXPECT_EQ(stats->GetScore(), 70);
}

TEST_F(PlayStatsTest, ScoreTruncatesTowardZeroSaturatesAndUnknownNamesCountZero)
{
    PlayStats stats;
    for (int i = 0; i < 3; ++i)
        stats.IncrementKills(0, 0);
    const std::pair<const char*, int32_t> scores[] = {{"numberOfKills*2.5", 7},
                                                      {"0-(numberOfKills*2.5)", -7},
                                                      {"numberOfKills*10000000000", INT32_MAX},
                                                      {"0-(numberOfKills*10000000000)", INT32_MIN},
                                                      {"(numberOfKills*0)/0", 0}};
    for (const auto& [formula, score] : scores)
        EXPECT_EQ(ScoreOf(stats, formula), score) << formula;

    log.Clear();
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
    for (auto [difficulty, name, level, lifeAndMana] :
         {std::tuple(0u, L"Ogre", 12u, 900u), std::tuple(2u, L"Dragon", 40u, 5000u)}) {
        info.SetDifficulty(difficulty);
        saved.SetGreatestMonsterKilledName(name);
        saved.SetGreatestMonsterKilledLevel(level);
        saved.SetGreatestMonsterKilledLifeAndMana(lifeAndMana);
    }

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
    IOStreamWrite again;
    loaded.StreamProperties(&again);
    EXPECT_EQ(again.GetBytes(), writer.GetBytes());
    // Only the saved subset comes back.
    EXPECT_EQ(Line(loaded, "    Damage Inflicted (total)"), "    Damage Inflicted (total)   0.00");
}

TEST_F(PlayStatsTest, CountersAtTheirLimitStayThere)
{
    // Every saved count at the top, as a long game or a damaged save leaves it.
    IOStreamWrite writer;
    PlayStats().StreamProperties(&writer);
    std::string text;
    ASSERT_TRUE(IOStreamRead::Describe(writer.GetBytes(), text));
    for (size_t at = text.find("uint "); at != std::string::npos; at = text.find("uint ", at + 1)) {
        const size_t value = text.find("= ", at) + 2;
        text.replace(value, text.find('\n', value) - value, "4294967295");
    }
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(IOStreamRead::ParseText(text, bytes));
    PlayStats stats;
    IOStreamRead reader(bytes);
    stats.StreamProperties(&reader);
    ASSERT_FALSE(reader.HasFailed());

    stats.Update(5000);
    for (int i = 0; i < 10; ++i)
        stats.IncrementKills(100, 100);
    stats.IncrementDeaths();
    FakeOneShot health(gHealthRecord), mana(gManaRecord);
    stats.IncrementPotion(&health);
    stats.IncrementPotion(&mana);
    stats.IncrementLevel();
    stats.ReceiveHit();
    stats.InflictCriticalHit();
    stats.ReceiveCriticalHit();
    EXPECT_EQ(stats.GetPlayTimeInSeconds(), 4294967295u);
    IOStreamWrite again;
    stats.StreamProperties(&again);
    std::string after;
    ASSERT_TRUE(IOStreamRead::Describe(again.GetBytes(), after));
    EXPECT_EQ(after, text);

    // The loss is a negative total that stops at the bottom of its integer.
    stats.LoseExperience(INT32_MAX);
    stats.LoseExperience(INT32_MAX);
    EXPECT_EQ(Line(stats, "         Total Lost"), "         Total Lost   -2147483648");
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
    EXPECT_FALSE(reader.HasFailed());
    EXPECT_EQ(Variable(loaded, "greatestDamageInflicted"), 0.0f);
    EXPECT_EQ(log.Count(1, "PlayStats: saved greatestDamageInflicted is not finite"), 1u);
}

TEST_F(PlayStatsTest, LongReportLinesAreCut)
{
    PlayStats stats;
    Report(stats); // builds the lines the long ones follow
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
