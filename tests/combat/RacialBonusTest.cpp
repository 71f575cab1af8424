#include "combat/RacialBonus.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace GAME {
namespace {

using Test::Record;

const char* const kUndeadAndBeasts = "racialBonusRace = Undead;Beast\n"
                                     "racialBonusPercentDamage = 10;20;30\n"
                                     "racialBonusAbsoluteDamage = 5\n"
                                     "racialBonusPercentDefense = 0\n"
                                     "racialBonusAbsoluteDefense = 4;2\n";

TEST(RacialBonusTest, CreateNeedsARaceOrAValue)
{
    EXPECT_EQ(RacialBonus::Create(Record("offensivePhysicalMin = 3\n")), nullptr);
    EXPECT_EQ(RacialBonus::Create(Record("racialBonusPercentDamage = 0\n")), nullptr);

    const auto racesOnly = RacialBonus::Create(Record("racialBonusRace = Undead\n"));
    std::vector<GameTextLine> lines;
    racesOnly->GetUIDisplayText(1, GameTextClass::Default, lines);
    EXPECT_TRUE(lines.empty());
}

TEST(RacialBonusTest, LevelsHoldTheLastEntryAndSumsAddOnceWhenAnyRaceMatches)
{
    const auto bonus = RacialBonus::Create(Record(kUndeadAndBeasts));
    EXPECT_EQ(bonus->GetPercentDamage(0), 0.0f);
    EXPECT_EQ(bonus->GetPercentDamage(2), 20.0f);
    EXPECT_EQ(bonus->GetPercentDamage(5), 30.0f);

    RacialBonus_Damage damage{1.0f, 1.0f};
    bonus->GetDamage({"Beast", "Undead"}, damage, 1);
    EXPECT_EQ(std::make_pair(damage.percent, damage.absolute), std::make_pair(11.0f, 6.0f));
    bonus->GetDamage({"undead", "Human"}, damage, 1);
    EXPECT_EQ(damage.percent, 11.0f);

    RacialBonus_Defense defense;
    bonus->GetDefense({"Human", "Undead"}, defense, 2);
    bonus->GetDefense({"Beast"}, defense, 9);
    EXPECT_EQ(std::make_pair(defense.percent, defense.absolute), std::make_pair(0.0f, 4.0f));
}

class RacialBonusText : public ::testing::Test {
protected:
    void SetUp() override
    {
        LocalizationManager& texts = LocalizationManager::Instance();
        texts.AddText("RacialBonusPercentDamage", L"+%.0f%% damage to %s");
        texts.AddText("RacialBonusAbsoluteDamage", L"+%.0f damage to %s");
        texts.AddText("RacialBonusAbsoluteDefense", L"-%.0f damage from %s");
    }
    void TearDown() override { LocalizationManager::Instance().Clear(); }

    static std::vector<std::wstring> Texts(const std::vector<GameTextLine>& lines)
    {
        std::vector<std::wstring> texts;
        for (const GameTextLine& line : lines) {
            EXPECT_EQ(line.style, GameTextClass::SkillStatsNext);
            EXPECT_FALSE(line.flag);
            texts.push_back(line.text);
        }
        return texts;
    }
};

TEST_F(RacialBonusText, LinesPerValueThenPerRaceAndIncreaseOnlyWhereValuesChange)
{
    const auto bonus = RacialBonus::Create(Record(kUndeadAndBeasts));
    std::vector<GameTextLine> lines;
    bonus->GetUIDisplayText(2, GameTextClass::SkillStatsNext, lines);
    EXPECT_EQ(Texts(lines),
              (std::vector<std::wstring>{L"+20% damage to Undead", L"+20% damage to Beast",
                                         L"+5 damage to Undead", L"+5 damage to Beast",
                                         L"-2 damage from Undead", L"-2 damage from Beast"}));
    lines.clear();
    bonus->GetUIDisplayTextIncrease(1, 2, GameTextClass::SkillStatsNext, lines);
    EXPECT_EQ(Texts(lines),
              (std::vector<std::wstring>{L"+20% damage to Undead", L"+20% damage to Beast",
                                         L"-2 damage from Undead", L"-2 damage from Beast"}));
}

class RacialBonusFile : public Test::EngineFixture {};

TEST_F(RacialBonusFile, CreateFromFileReadsTheRecordOrAnswersNull)
{
    database.WriteRecord("records/bonus/undead.dbr",
                         {"racialBonusRace = Undead", "racialBonusAbsoluteDamage = 7"});
    EXPECT_EQ(RacialBonus::CreateFromFile(""), nullptr);
    EXPECT_EQ(RacialBonus::CreateFromFile("records/bonus/missing.dbr"), nullptr);
    const auto bonus = RacialBonus::CreateFromFile("records/bonus/undead.dbr");
    EXPECT_EQ(bonus->GetAbsoluteDamage(1), 7.0f);
}

} // namespace
} // namespace GAME
