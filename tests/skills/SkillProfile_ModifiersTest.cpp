#include "skills/SkillProfile_Modifiers.h"

#include "core/GameTextLine.h"
#include "engine/LocalizationManager.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace GAME {
namespace {

using Test::Record;

class SkillProfile_ModifiersText : public ::testing::Test {
protected:
    void SetUp() override
    {
        LocalizationManager& texts = LocalizationManager::Instance();
        texts.AddText("SkillCostFormat", L"%.0f %s");
        texts.AddText("SkillSecondFormat", L"%.1f s %s");
        texts.AddText("SkillDistanceFormat", L"%.1f m %s");
        texts.AddText("ManaCost", L"Mana");
        texts.AddText("ExplosionRadius", L"Blast");
        texts.AddText("TargetNumber", L"%d targets");
    }
    void TearDown() override { LocalizationManager::Instance().Clear(); }

    static std::vector<std::wstring> Texts(const std::vector<GameTextLine>& lines,
                                           GameTextClass style)
    {
        std::vector<std::wstring> texts;
        for (const GameTextLine& line : lines) {
            EXPECT_EQ(line.style, style);
            EXPECT_FALSE(line.flag);
            texts.push_back(line.text);
        }
        return texts;
    }

    static SkillProfile_Modifiers Level(const std::string& text)
    {
        SkillProfile_Modifiers record;
        record.Load(Record(text), 0);
        return record;
    }
};

TEST_F(SkillProfile_ModifiersText, CurrentLinesFollowTheTableOrderAndTests)
{
    std::vector<GameTextLine> lines;
    Level("skillManaCost = -5\n"
          "skillActiveLifeCost = -5\n"
          "skillActiveDuration = 2\n"
          "skillTargetNumber = 3\n"
          "skillCooldownTime = 10\n"
          "explosionRadius = 4\n"
          "projectileLaunchRotation = 30\n"
          "projectileLaunchNumber = -1\n")
        .CreateText(GameTextClass::SkillStatsCurrent, lines);
    EXPECT_EQ(Texts(lines, GameTextClass::SkillStatsCurrent),
              (std::vector<std::wstring>{L"-5 Mana", L"2.0 s ActiveDuration", L"3 targets",
                                         L"ProjectileLaunchNumber -1", L"4.0 m Blast"}));
}

TEST_F(SkillProfile_ModifiersText, NextLinesShowOnlyTheNamedChanges)
{
    const SkillProfile_Modifiers first = Level("skillCooldownTime = 10\nskillTargetRadius = 4\n");
    const SkillProfile_Modifiers second = Level("skillCooldownTime = 8\nskillTargetRadius = 3\n");
    std::vector<GameTextLine> lines;
    second.CreateNextText(first, lines);
    EXPECT_TRUE(lines.empty());

    // Mana cost and blast radius show any change; the target number any difference; the rest
    // only a rise.
    const SkillProfile_Modifiers before = Level("skillManaCost = 10\nexplosionRadius = 4\n"
                                                "skillTargetNumber = 3\nskillTargetAngle = 90\n"
                                                "skillActiveDuration = 2\n");
    const SkillProfile_Modifiers after = Level("skillManaCost = 8\nexplosionRadius = 3\n"
                                               "skillTargetNumber = 2\nskillTargetAngle = 80\n"
                                               "skillActiveDuration = 3\n");
    after.CreateNextText(before, lines);
    EXPECT_EQ(Texts(lines, GameTextClass::SkillStatsNext),
              (std::vector<std::wstring>{L"8 Mana", L"3.0 s ActiveDuration", L"2 targets",
                                         L"3.0 m Blast"}));
}

TEST_F(SkillProfile_ModifiersText, SumAddsEveryFieldAndIntegersStopAtTheirRange)
{
    SkillProfile_Modifiers sum = Level("skillManaCost = 1.5\nskillTargetNumber = 2147483000\n"
                                       "projectileLaunchNumber = -2147483000\n"
                                       "skillCooldownTime = 1\n");
    sum += Level("skillManaCost = 2\nskillTargetNumber = 1000\nprojectileLaunchNumber = -1000\n"
                 "skillCooldownTime = 2\nprojectileLaunchRotation = 15\n");
    EXPECT_EQ(sum.GetManaCost(), 3.5f);
    EXPECT_EQ(sum.GetCooldownTime(), 3.0f);
    EXPECT_EQ(sum.GetProjectileLaunchRotation(), 15.0f);
    EXPECT_EQ(sum.GetTargetNumber(), INT32_MAX);
    EXPECT_EQ(sum.GetProjectileLaunchNumber(), INT32_MIN);
}

} // namespace
} // namespace GAME
