#include "game/GameEngine.h"

#include "characters/Monster.h"
#include "core/GameEvents.h"
#include "core/GameTextLine.h"
#include "engine/EventManager.h"
#include "engine/LocalizationManager.h"
#include "multiplayer/PlayerManagerServer.h"
#include "skills/Skill.h"
#include "skills/SkillReasons.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

using GameEngineRules = GameEngineFixture;

template <class T> T* Make(const char* className)
{
    return static_cast<T*>(ObjectManager::Instance().CreateObject(className));
}

TEST_F(GameEngineRules, APetsDamageIsCreditedToItsMaster)
{
    Start();
    Monster* victim = Make<Monster>("Monster");
    Player* master = Make<Player>("Player");
    Monster* pet = Make<Monster>("Monster");
    pet->SetLeader(master->GetObjectId());
    const uint32_t victimId = victim->GetObjectId();

    Game().RegisterDamage(victimId, pet->GetObjectId(), 10.0f);
    Game().RegisterDamage(victimId, 999, 5.0f);
    Game().RegisterDamage(victimId, pet->GetObjectId(), 20.0f);
    Game().RegisterDamage(victimId, master->GetObjectId(), 15.0f);

    EXPECT_EQ(Game().GetDamageByAttacker(master->GetObjectId(), victimId), 45.0f);
    EXPECT_EQ(Game().GetDamageByAttacker(pet->GetObjectId(), victimId), 0.0f);
    EXPECT_EQ(Game().GetTotalDamageDone(victimId), 50.0f);
    EXPECT_FLOAT_EQ(Game().GetPlayerDamagePercent(master->GetObjectId(), victimId), 0.9f);
    EXPECT_EQ(Game().GetPlayerDamagePercent(master->GetObjectId(), 12345), 0.0f);

    Game().RegisterDamage(master->GetObjectId(), victimId, 30.0f);
    EXPECT_EQ(Game().GetTotalDamageDone(master->GetObjectId()), 0.0f) << "players keep no entry";
}

TEST_F(GameEngineRules, OnlyTheAuthorityKeepsDamageAndADeathClearsIt)
{
    Start();
    Game().SetAsNetworkClient();
    Game().RegisterDamage(40, 41, 10.0f);
    EXPECT_EQ(Game().GetTotalDamageDone(40), 0.0f);
    Game().SetAsNetworkStub();
    Game().RegisterDamage(40, 41, 10.0f);
    Game().SetAsNetworkClient();
    Game().RemoveDamageEntry(40);
    EXPECT_EQ(Game().GetTotalDamageDone(40), 10.0f);

    // Found as a creature or not, the victim's entry goes.
    Game().SetAsNetworkStub();
    Monster* victim = Make<Monster>("Monster");
    victim->Load(Record("experiencePoints = 80"));
    Game().RegisterDamage(victim->GetObjectId(), 7, 3.0f);
    GameEvent_CreatureDeath death;
    death.killerId = 7;
    for (uint32_t victimId : {victim->GetObjectId(), 40u}) {
        death.victimId = victimId;
        EventManager::Instance().Send("GameEvent_CreatureDeath", death);
        EXPECT_EQ(Game().GetTotalDamageDone(victimId), 0.0f) << victimId;
    }
}

TEST_F(GameEngineRules, AKillPaysTheLocalPlayerHisShareAndClearsTheEntry)
{
    Start();
    database.WriteRecord("Records/Levels.dbr",
                         {"experienceLevelEquation = (playerLevel*1000)", "maxPlayerLevel = 50"});
    Player* player = MakeMainPlayer();
    player->Load(Record("levelFileName = Records/Levels.dbr"));
    PlayerNetBasicInfo record;
    record.playerId = player->GetObjectId();
    Game().GetPlayerManagerServer()->HandleNewPlayer(record);
    Monster* pet = Make<Monster>("Monster");
    pet->SetLeader(player->GetObjectId());
    Monster* victim = Make<Monster>("Monster");
    victim->Load(Record("charLevel = 10\nexperiencePoints = 250"));
    const uint32_t victimId = victim->GetObjectId();

    Game().RegisterDamage(victimId, player->GetObjectId(), 30.0f);
    Game().RegisterDamage(victimId, pet->GetObjectId(), 10.0f);
    Game().RegisterDamage(victimId, 999, 40.0f);
    const uint32_t before = player->GetExperiencePoints();
    GameEvent_CreatureDeath death;
    death.victimId = victimId;
    death.killerId = pet->GetObjectId();
    EventManager::Instance().Send("GameEvent_CreatureDeath", death);

    EXPECT_EQ(player->GetExperiencePoints() - before, 125u);
    EXPECT_EQ(Game().GetTotalDamageDone(victimId), 0.0f);
}

TEST_F(GameEngineRules, DamageSummingToNothingGivesNoShare)
{
    Start();
    Game().RegisterDamage(40, 41, 0.0f);
    Game().RegisterDamage(40, 42, 0.0f);
    EXPECT_EQ(Game().GetPlayerDamagePercent(41, 40), 0.0f);
    Game().RegisterDamage(50, 41, 5.0f);
    Game().RegisterDamage(50, 42, -5.0f);
    EXPECT_EQ(Game().GetPlayerDamagePercent(41, 50), 0.0f);
}

// Each row needs an engine of its own, made from its own settings record.
struct ExperienceCase {
    const char* name;
    const char* equation; // none when empty
    uint32_t experience, expected;
};

void PrintTo(const ExperienceCase& row, std::ostream* out)
{
    *out << row.name;
}

const ExperienceCase kExperienceCases[] = {
    {"NoEquationPaysTheMonstersExperience", "", 250u, 250u},
    {"NegativeResultPaysNothing", "(0-3)", 250u, 0u},
    {"HalfRoundsUp", "(monsterExperience*0.5)", 5u, 3u},
    {"WholeStaysWhole", "(monsterExperience*0.5)", 4u, 2u},
    {"HugeResultSaturates", "(monsterLevel*1000000000000)", 1u, UINT32_MAX},
};

class ExperienceReward : public GameEngineFixture,
                         public ::testing::WithParamInterface<ExperienceCase> {};

TEST_P(ExperienceReward, IsTheEquationRoundedHalfUpAndNeverNegative)
{
    const ExperienceCase& row = GetParam();
    if (row.equation[0] != '\0')
        Start({std::string("experienceEquation = ") + row.equation});
    else
        Start();
    EXPECT_EQ(Game().CalculateExperienceReward(10, row.experience), row.expected);
}

INSTANTIATE_TEST_SUITE_P(GameEngineRules, ExperienceReward, ::testing::ValuesIn(kExperienceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GameEngineRules, DeathPenaltyReadsTheKillerClampsAndSaturates)
{
    Start({"deathPenaltyEquation = ((monsterLevel*10)+currentPlayerLevel)", "deathPenaltyMin = 5",
           "deathPenaltyMax = 2147483647"});
    Player* player = Make<Player>("Player");
    player->Load(Record("charLevel = 3"));
    Monster* killer = Make<Monster>("Monster");
    killer->Load(Record("charLevel = 7"));
    EXPECT_EQ(Game().GetPlayerDeathExperiencePenalty(player, killer->GetObjectId()), 73);
    EXPECT_EQ(Game().GetPlayerDeathExperiencePenalty(player, 0), 5) << "3, raised to the minimum";
    Monster* boss = Make<Monster>("Monster");
    boss->Load(Record("charLevel = 1000000000"));
    EXPECT_EQ(Game().GetPlayerDeathExperiencePenalty(player, boss->GetObjectId()), INT32_MAX);
}

TEST_F(GameEngineRules, CrossedDeathPenaltyBoundsGiveTheMaximum)
{
    Start({"deathPenaltyEquation = (currentPlayerLevel*10)", "deathPenaltyMin = 100",
           "deathPenaltyMax = 50"});
    Player* player = Make<Player>("Player");
    player->Load(Record("charLevel = 3"));
    EXPECT_EQ(Game().GetPlayerDeathExperiencePenalty(player, 0), 50);
}

TEST_F(GameEngineRules, WithoutPenaltyEquationTheMinimumStands)
{
    Start({"deathPenaltyMin = 20", "deathPenaltyMax = 40"});
    EXPECT_EQ(Game().GetPlayerDeathExperiencePenalty(nullptr, 0), 20);
}

// Arguments outside the tables are refused or answered empty, never read from beyond them.
TEST_F(GameEngineRules, ConstantTables)
{
    Start();
    auto check = [&](int requested, int current) {
        return Game().CheckPlayerAction(static_cast<CharacterActionType>(requested),
                                        static_cast<CharacterActionType>(current));
    };
    EXPECT_EQ(check(12, 8), CharacterActionPermission_Allow);
    EXPECT_EQ(check(8, 12), CharacterActionPermission_Refuse);
    EXPECT_EQ(check(1, 14), CharacterActionPermission_AskController);
    EXPECT_EQ(check(20, 0), CharacterActionPermission_Refuse);
    EXPECT_EQ(check(4, 20), CharacterActionPermission_Refuse);
    EXPECT_EQ(check(-1, 4), CharacterActionPermission_Refuse);

    EXPECT_EQ(Game().GetClassTag(3, 0), "tagCClass31");
    EXPECT_EQ(Game().GetClassTag(0, 3), "tagCClass31");
    EXPECT_EQ(Game().GetClassTag(7, 6), "tagCClass15");
    EXPECT_EQ(Game().GetClassTag(5), "tagCClass06");
    EXPECT_EQ(Game().GetClassTag(8, 0), "");
    EXPECT_EQ(Game().GetClassTag(0, 8), "");
    EXPECT_EQ(Game().GetClassTag(UINT32_MAX), "");

    EXPECT_EQ(Game().GetMonsterRaceTagSingular("Demon"), "tagRace07");
    EXPECT_EQ(Game().GetMonsterRaceTagPlural("Device"), "tagRace12P");
    EXPECT_EQ(Game().GetMonsterRaceTagSingular("demon"), "noTagUnknownRace");
    EXPECT_EQ(Game().GetMonsterRaceTagPlural(""), "noTagUnknownRace");

    EXPECT_EQ(Game().GetSkillMasteryLevel(3), 0u) << "no tiers, no requirement";
}

TEST_F(GameEngineRules, MasteryTiersRepeatTheLastLevel)
{
    Start({"skillMasteryTierLevel = 1;10;20"});
    EXPECT_EQ(Game().GetSkillMasteryLevel(0), 0u);
    EXPECT_EQ(Game().GetSkillMasteryLevel(2), 10u);
    EXPECT_EQ(Game().GetSkillMasteryLevel(7), 20u);
}

TEST_F(GameEngineRules, PickObjectChoosesOnlyAllowedCandidates)
{
    Start();
    EXPECT_EQ(Game().PickObject({4, 5}, {5, 4}), 0u);
    EXPECT_EQ(Game().PickObject({}, {}), 0u);
    EXPECT_EQ(Game().PickObject({4, 5, 6}, {4, 6}), 5u);
    for (int i = 0; i < 50; ++i) {
        const uint32_t picked = Game().PickObject({1, 2, 3}, {2});
        EXPECT_TRUE(picked == 1 || picked == 3) << picked;
        const int32_t seed = Game().GetRandomSeed();
        EXPECT_GE(seed, 1);
        EXPECT_LE(seed, 32767);
    }
}

// A skill whose answers the test sets; each text hook adds one line naming itself.
class ScriptedSkill : public Skill {
public:
    uint32_t GetCurrentLevel() const override { return level; }
    void CollectPassiveCharAttributes(CharAttributeAccumulator&) const override {}
    void CreateUISkillHeading(std::vector<GameTextLine>& lines) const override
    {
        lines.emplace_back(GameTextClass::SkillName, L"heading", false);
    }
    void CreateUIParameterText(std::vector<GameTextLine>& lines) const override
    {
        lines.emplace_back(GameTextClass::SkillStatsCurrent, L"current", false);
    }
    void CreateUINextParameterText(std::vector<GameTextLine>& lines) const override
    {
        lines.emplace_back(GameTextClass::SkillStatsNext, L"next", false);
    }
    uint32_t GetMasteryLevel() const override { return masteryLevel; }
    uint32_t GetMasteryLevelRequirement() const override { return masteryRequirement; }
    int32_t GetReason() const override { return reason; }
    bool IsSkillTheMasterySkill() const override { return mastery; }
    bool IsDefaultSkill() const override { return defaultSkill; }
    bool NeedsConfiguration() const override { return configurable; }

    uint32_t level = 0;
    uint32_t masteryLevel = 0;
    uint32_t masteryRequirement = 0;
    int32_t reason = 0;
    bool mastery = false;
    bool defaultSkill = false;
    bool configurable = false;
};

// The skill window's lines for the skill, not in the skill bar.
std::vector<GameTextLine> SkillText(const Skill* skill, const SkillReasons* reasons, bool reclaim,
                                    int32_t reclaimPrice)
{
    std::vector<GameTextLine> lines;
    GameEngine::GenerateUISkillText(skill, lines, reasons, false, reclaim, reclaimPrice);
    return lines;
}

std::wstring Text(const std::string& tag, std::initializer_list<LocalizationManager::Arg> args = {})
{
    return LocalizationManager::Instance().Format(tag, args);
}

using GameEngineSkillText = GameEngineFixture;

TEST_F(GameEngineSkillText, ReclaimingAMasterysOwnSkillIsRefused)
{
    ScriptedSkill skill;
    skill.level = 2;
    skill.mastery = true;
    SkillReasons reasons;
    reasons.noPointsToReclaim = 1;
    std::vector<GameTextLine> lines = SkillText(&skill, &reasons, true, 150);

    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0].text, L"heading");
    EXPECT_EQ(lines[1].text, L" ");
    EXPECT_EQ(lines[4].text, L"next");
    EXPECT_EQ(lines[6].text, Text("tagDecreaseMasteryError"));
    EXPECT_EQ(lines[6].style, GameTextClass::SkillRequirementsNotMet);
    EXPECT_TRUE(lines[6].flag);

    // An ordinary skill that can be reclaimed shows the price in the met style.
    skill.mastery = false;
    reasons.noPointsToReclaim = 0;
    lines = SkillText(&skill, &reasons, true, 150);
    EXPECT_EQ(lines.back().text, Text("tagReclaimPoint", {150}));
    EXPECT_EQ(lines.back().style, GameTextClass::SkillRequirements);

    // The mastery flag keeps reclaiming silent.
    reasons.masteryLevelNotMet = 1;
    lines = SkillText(&skill, &reasons, true, 150);
    EXPECT_EQ(lines.back().text, L" ");
}

TEST_F(GameEngineSkillText, MissingMasteryLevelsAreCountedAndNeverWrap)
{
    Start();
    ScriptedSkill skill;
    skill.masteryRequirement = 4;
    skill.masteryLevel = 3;
    SkillReasons reasons;
    reasons.masteryLevelNotMet = 1;
    reasons.noSkillPoints = 1;
    std::vector<GameTextLine> lines = SkillText(&skill, &reasons, false, 0);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[4].text, Text("tagSkillReq01Singular", {1u, std::wstring()}));
    EXPECT_EQ(lines[4].style, GameTextClass::SkillRequirementsNotMet);
    EXPECT_TRUE(lines[4].flag);

    // A mastery above the requirement misses nothing rather than four billion levels.
    skill.masteryLevel = 9;
    lines = SkillText(&skill, &reasons, false, 0);
    EXPECT_EQ(lines.back().text, Text("tagSkillReq01", {0u, std::wstring()}));

    reasons.masteryLevelNotMet = 0;
    lines = SkillText(&skill, &reasons, false, 0);
    EXPECT_EQ(lines.back().text, Text("NoSkillPointsToAdd"));
    reasons.noSkillPoints = 0;
    lines = SkillText(&skill, &reasons, false, 0);
    EXPECT_EQ(lines.back().text, Text("PressToAddUnusedSkillPoints"));
    EXPECT_EQ(lines.back().style, GameTextClass::SkillRequirements);
}

TEST_F(GameEngineSkillText, TheSkillWindowStopsEarlyWhereAsked)
{
    ScriptedSkill skill;
    SkillReasons reasons;
    reasons.hideRequirements = 1;
    std::vector<GameTextLine> lines = SkillText(&skill, &reasons, false, 0);
    EXPECT_EQ(lines.size(), 2u);
    lines = SkillText(&skill, nullptr, false, 0);
    EXPECT_EQ(lines.size(), 3u);
    skill.defaultSkill = true;
    lines = SkillText(&skill, nullptr, false, 0);
    EXPECT_EQ(lines.size(), 2u);
    GameEngine::GenerateUISkillText(nullptr, lines, nullptr, false, false, 0);
    EXPECT_EQ(lines.size(), 2u);
}

TEST_F(GameEngineSkillText, TheToolTipEndsWithTheSkillsState)
{
    ScriptedSkill skill;
    const auto stateOf = [&](int32_t reason) {
        skill.reason = reason;
        std::vector<GameTextLine> lines;
        GameEngine::GenerateUISkillInfo(&skill, lines);
        return lines.back();
    };
    const auto simple = [](const char* tag) { return Text("SimpleStringFormat", {Text(tag)}); };
    EXPECT_EQ(stateOf(1).text, simple("tagSkillUnusableCooldown"));
    EXPECT_EQ(stateOf(2).text, simple("tagSkillUnusableLowMana"));
    EXPECT_EQ(stateOf(4).style, GameTextClass::SkillRequirementsNotMet);
    EXPECT_EQ(stateOf(3).text, simple("tagSkillUsableReady"));
    EXPECT_EQ(stateOf(3).style, GameTextClass::SkillRequirements);
    skill.configurable = true;
    EXPECT_EQ(stateOf(0).text, simple("tagSkillUnusableConfiguration"));
    skill.level = 1;
    EXPECT_EQ(stateOf(0).text, simple("tagSkillUsableReady"));

    std::vector<GameTextLine> lines;
    GameEngine::GenerateUISkillInfo(&skill, lines);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2].text, L"current");
}

} // namespace
} // namespace GAME::Test
