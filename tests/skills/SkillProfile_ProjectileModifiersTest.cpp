#include "skills/SkillProfile_ProjectileModifiers.h"

#include "core/GameTextLine.h"
#include "engine/LocalizationManager.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME {
namespace {

using Test::Record;

class SkillProfile_ProjectileModifiersText : public ::testing::Test {
protected:
    void SetUp() override
    {
        LocalizationManager& texts = LocalizationManager::Instance();
        texts.AddText("ProjectileFragmentsLaunchNumber", L"%d fragments");
        texts.AddText("ProjectileFragmentsLaunchNumberMinMax", L"%d-%d fragments");
    }
    void TearDown() override { LocalizationManager::Instance().Clear(); }

    static SkillProfile_ProjectileModifiers Level(const std::string& text, uint32_t position = 0)
    {
        SkillProfile_ProjectileModifiers record;
        record.Load(Record(text), position);
        return record;
    }

    static std::vector<std::wstring> CurrentTexts(const SkillProfile_ProjectileModifiers& record)
    {
        std::vector<GameTextLine> lines;
        record.CreateText(GameTextClass::ItemSkillName, lines);
        std::vector<std::wstring> texts;
        for (const GameTextLine& line : lines) {
            EXPECT_EQ(line.style, GameTextClass::ItemSkillName);
            texts.push_back(line.text);
        }
        return texts;
    }
};

TEST_F(SkillProfile_ProjectileModifiersText, LoadKeepsOneFragmentsNameForEveryLevel)
{
    const std::string text = "projectileFragmentsName = Records/Shard.dbr\n"
                             "projectileFragmentsLaunchNumberMin = 1;2\n"
                             "projectileFragmentsLaunchNumberMax = 3;4\n"
                             "projectilePiercingChance = 10;20\n";
    const SkillProfile_ProjectileModifiers second = Level(text, 1);
    EXPECT_EQ(second.GetFragmentsName(), "Records/Shard.dbr");
    EXPECT_EQ(second.GetFragmentsLaunchNumberMin(), 2);
    EXPECT_EQ(second.GetFragmentsLaunchNumberMax(), 4);
    EXPECT_EQ(second.GetPiercingChance(), 20.0f);
    EXPECT_EQ(Level(text, 5).GetFragmentsName(), "Records/Shard.dbr");
}

TEST_F(SkillProfile_ProjectileModifiersText, FragmentsLineDependsOnMinAndMax)
{
    EXPECT_EQ(CurrentTexts(Level("projectileFragmentsLaunchNumberMin = 3\n"
                                 "projectileFragmentsLaunchNumberMax = 3\n")),
              std::vector<std::wstring>{L"3 fragments"});
    EXPECT_EQ(CurrentTexts(Level("projectileFragmentsLaunchNumberMin = 2\n"
                                 "projectileFragmentsLaunchNumberMax = 4\n")),
              std::vector<std::wstring>{L"2-4 fragments"});
    EXPECT_TRUE(CurrentTexts(Level("projectileFragmentsLaunchNumberMax = 4\n")).empty());
    EXPECT_EQ(CurrentTexts(Level("projectileExplosionRadius = 2\nprojectilePiercingChance = 5\n"
                                 "projectileFragmentsLaunchNumberMin = 1\n"
                                 "projectileFragmentsLaunchNumberMax = 1\n")),
              (std::vector<std::wstring>{L"SkillDistanceFormat 2 ExplosionRadius", L"1 fragments",
                                         L"ProjectilePiercingChance 5"}));
}

TEST_F(SkillProfile_ProjectileModifiersText, NextLinesShowEveryDifference)
{
    const SkillProfile_ProjectileModifiers first = Level("projectileExplosionRadius = 2\n"
                                                         "projectilePiercingChance = 5\n");
    const SkillProfile_ProjectileModifiers second =
        Level("projectileExplosionRadius = 1\nprojectilePiercingChance = 5\n"
              "projectileFragmentsLaunchNumberMax = 4\n");
    std::vector<GameTextLine> lines;
    second.CreateNextText(first, lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, L"SkillDistanceFormat 1 ExplosionRadius");
    EXPECT_EQ(lines[1].text, L"0-4 fragments");
    EXPECT_EQ(lines[1].style, GameTextClass::SkillStatsNext);
}

TEST_F(SkillProfile_ProjectileModifiersText, SumKeepsTheReceiversFragmentsName)
{
    SkillProfile_ProjectileModifiers sum = Level("projectileFragmentsLaunchNumberMin = 1\n"
                                                 "projectileExplosionRadius = 0.5\n");
    sum += Level("projectileFragmentsName = Records/Shard.dbr\n"
                 "projectileFragmentsLaunchNumberMin = 2\nprojectileFragmentsLaunchNumberMax = 3\n"
                 "projectileExplosionRadius = 1\nprojectilePiercingChance = 7\n");
    EXPECT_EQ(sum.GetFragmentsName(), "");
    EXPECT_EQ(sum.GetFragmentsLaunchNumberMin(), 3);
    EXPECT_EQ(sum.GetFragmentsLaunchNumberMax(), 3);
    EXPECT_EQ(sum.GetExplosionRadius(), 1.5f);
    EXPECT_EQ(sum.GetPiercingChance(), 7.0f);
}

} // namespace
} // namespace GAME
