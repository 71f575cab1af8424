#include "game/GameEngine.h"

#include "core/GameTextLine.h"
#include "engine/LocalizationManager.h"
#include "skills/Skill.h"
#include "skills/SkillReasons.h"
#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

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
    std::vector<GameTextLine> lines;
    GameEngine::GenerateUISkillText(&skill, lines, &reasons, false, true, 150);

    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0].text, L"heading");
    EXPECT_EQ(lines[1].text, L" ");
    EXPECT_FALSE(lines[1].flag);
    EXPECT_EQ(lines[2].text, L"current");
    EXPECT_EQ(lines[4].text, L"next");
    EXPECT_EQ(lines[6].text, Text("tagDecreaseMasteryError"));
    EXPECT_EQ(lines[6].style, GameTextClass::SkillRequirementsNotMet);
    EXPECT_TRUE(lines[6].flag);

    // An ordinary skill that can be reclaimed shows the price in the met style.
    skill.mastery = false;
    reasons.noPointsToReclaim = 0;
    lines.clear();
    GameEngine::GenerateUISkillText(&skill, lines, &reasons, false, true, 150);
    EXPECT_EQ(lines.back().text, Text("tagReclaimPoint", {150}));
    EXPECT_EQ(lines.back().style, GameTextClass::SkillRequirements);

    // The mastery flag keeps reclaiming silent.
    reasons.masteryLevelNotMet = 1;
    lines.clear();
    GameEngine::GenerateUISkillText(&skill, lines, &reasons, false, true, 150);
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
    std::vector<GameTextLine> lines;
    GameEngine::GenerateUISkillText(&skill, lines, &reasons, false, false, 0);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[4].text, Text("tagSkillReq01Singular", {1u, std::wstring()}));
    EXPECT_EQ(lines[4].style, GameTextClass::SkillRequirementsNotMet);
    EXPECT_TRUE(lines[4].flag);

    // A mastery above the requirement misses nothing rather than four billion levels.
    skill.masteryLevel = 9;
    lines.clear();
    GameEngine::GenerateUISkillText(&skill, lines, &reasons, false, false, 0);
    EXPECT_EQ(lines.back().text, Text("tagSkillReq01", {0u, std::wstring()}));

    reasons.masteryLevelNotMet = 0;
    lines.clear();
    GameEngine::GenerateUISkillText(&skill, lines, &reasons, false, false, 0);
    EXPECT_EQ(lines.back().text, Text("NoSkillPointsToAdd"));
    reasons.noSkillPoints = 0;
    lines.clear();
    GameEngine::GenerateUISkillText(&skill, lines, &reasons, false, false, 0);
    EXPECT_EQ(lines.back().text, Text("PressToAddUnusedSkillPoints"));
    EXPECT_EQ(lines.back().style, GameTextClass::SkillRequirements);
}

TEST_F(GameEngineSkillText, TheSkillWindowStopsEarlyWhereAsked)
{
    ScriptedSkill skill;
    SkillReasons reasons;
    reasons.hideRequirements = 1;
    std::vector<GameTextLine> lines;
    GameEngine::GenerateUISkillText(&skill, lines, &reasons, false, false, 0);
    EXPECT_EQ(lines.size(), 2u);
    lines.clear();
    GameEngine::GenerateUISkillText(&skill, lines, nullptr, false, false, 0);
    EXPECT_EQ(lines.size(), 3u);
    lines.clear();
    skill.defaultSkill = true;
    GameEngine::GenerateUISkillText(&skill, lines, nullptr, false, false, 0);
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
