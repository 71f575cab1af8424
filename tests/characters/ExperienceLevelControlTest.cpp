#include "characters/ExperienceLevelControl.h"

#include "characters/Character.h"
#include "core/GameEvents.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/HeardEvents.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/Records.h"

#include <cstdint>
#include <initializer_list>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kLevelFile = "Records/Creature/PC/LevelTable.dbr";

class ExperienceLevelControlTest : public StartedFixture {
protected:
    // The level file, then a character record that names it followed by its own lines.
    void Load(std::initializer_list<std::string> levelFile, const std::string& record = "")
    {
        database.WriteRecord(kLevelFile, levelFile);
        control.Load(Record("levelFileName = " + std::string(kLevelFile) + "\n" + record));
    }

    // The threshold of the first level under a level file of its own with the equation.
    uint32_t NextLevelExperience(const std::string& equation)
    {
        const std::string path = "Records/Creature/PC/Levels" + std::to_string(++files) + ".dbr";
        database.WriteRecord(path,
                             {"experienceLevelEquation = " + equation, "maxPlayerLevel = 10"});
        ExperienceLevelControl levels;
        levels.Load(Record("levelFileName = " + path));
        return levels.GetNextLevelExperience();
    }

    ExperienceLevelControl control;
    Heard<GameEvent_GenericEntity> skillUps{"GameEvent_PlayerSkillUp"};
    int files = 0;
};

TEST_F(ExperienceLevelControlTest, WithoutAnEquationTheFirstAwardReachesTheMaximumWithAllPoints)
{
    Load({"characterModifierPoints = 2", "skillModifierPoints = 3", "initialSkillPoints = 1",
          "maxPlayerLevel = 5"});
    EXPECT_TRUE(control.ReceiveExperience(1));
    EXPECT_EQ(control.GetCharLevel(), 5u);
    EXPECT_EQ(control.GetModifierPoints(), 8u);
    EXPECT_EQ(control.GetSkillPoints(), 13u);
    EXPECT_EQ(skillUps.events.size(), 4u);
}

TEST_F(ExperienceLevelControlTest,
       AnAwardWorthThreeLevelsGrantsThreeLevelsAndThreeSkillUpsAndIsSaved)
{
    auto* owner = New<Character>();
    control.SetOwner(owner);
    Load({"experienceLevelEquation = (playerLevel*100)", "characterModifierPoints = 1",
          "skillModifierPoints = 2", "maxPlayerLevel = 10"});
    RecordingUserInterface ui;
    Game().SetUI(&ui);
    EXPECT_TRUE(control.ReceiveExperience(350));
    Game().SetUI(nullptr);
    EXPECT_EQ(ui.saves, 3) << "one automatic save per level";
    const uint32_t id = owner->GetObjectId();
    EXPECT_EQ(Ids(skillUps), (std::vector<uint32_t>{id, id, id}));
    EXPECT_EQ(control.GetNextLevelExperience(), 400u);

    // The save block pins level, experience and points as the award left them.
    const std::vector<uint8_t> bytes = Streamed(control);
    EXPECT_EQ(Described(bytes), "{\n"
                                "  uint currentStats.charLevel = 4\n"
                                "  uint currentStats.experiencePoints = 350\n"
                                "  uint modifierPoints = 3\n"
                                "  uint skillPoints = 6\n"
                                "}\n");
    ExperienceLevelControl loaded;
    ASSERT_TRUE(ReadBack(loaded, bytes));
    EXPECT_EQ(Streamed(loaded), bytes);
    ExperienceLevelControl partial;
    EXPECT_FALSE(ReadBack(partial, {bytes.begin(), bytes.end() - 6}));
    EXPECT_EQ(log.Count(1, "ExperienceLevelControl: the saved block is unreadable"), 1u);

    EXPECT_FALSE(control.ReceiveExperience(49));

    // A penalty stops at the start of the level.
    control.LoseExperience(90);
    EXPECT_EQ(control.GetExperiencePoints(), 309u);
    control.LoseExperience(1000);
    EXPECT_EQ(control.GetExperiencePoints(), 300u);
}

TEST_F(ExperienceLevelControlTest, AtTheMaximumLevelExperienceStopsWhereTheLevelBegan)
{
    Load({"experienceLevelEquation = (playerLevel*100)", "maxPlayerLevel = 3"});
    EXPECT_TRUE(control.ReceiveExperience(250));
    EXPECT_EQ(control.GetCharLevel(), 3u);
    EXPECT_EQ(control.GetExperiencePoints(), 200u) << "where the last level began";
    EXPECT_FALSE(control.ReceiveExperience(500));
    EXPECT_EQ(control.GetExperiencePoints(), 200u);
    EXPECT_TRUE(skillUps.events.empty()) << "no skill points per level, no event";
}

TEST_F(ExperienceLevelControlTest, LevelThresholdsRoundHalfUpAndSaturate)
{
    EXPECT_EQ(NextLevelExperience("99.5"), 100u);
    EXPECT_EQ(NextLevelExperience("99.49"), 99u);
    EXPECT_EQ(NextLevelExperience("(10^20)"), UINT32_MAX);
    EXPECT_EQ(NextLevelExperience("(0-5)"), 0u);
    EXPECT_EQ(NextLevelExperience("(0/0)"), 0u);
}

TEST_F(ExperienceLevelControlTest, ExperienceSumsStopAtTheTopAndLossesKeepTheirSign)
{
    Load({"experienceLevelEquation = (10^20)", "maxPlayerLevel = 3"});
    control.SetCurrentStats(1, 4000000000u);
    EXPECT_TRUE(control.ReceiveExperience(4000000000u));
    EXPECT_EQ(control.GetCharLevel(), 3u);
    EXPECT_EQ(control.GetExperiencePoints(), UINT32_MAX);

    ExperienceLevelControl rich;
    rich.Load(Record(""));
    rich.SetCurrentStats(0, 4000000000u);
    rich.LoseExperience(1);
    uint32_t level = 7;
    uint32_t experience = 0;
    rich.GetCurrentStats(level, experience);
    EXPECT_EQ(level, 0u);
    EXPECT_EQ(experience, 3999999999u);
}

TEST_F(ExperienceLevelControlTest, NegativeCountsReadAs0AndTheMaximumLevelIsBounded)
{
    Load({"maxPlayerLevel = -1", "characterModifierPoints = -2"});
    EXPECT_EQ(log.Count(1, "ExperienceLevelControl: negative maxPlayerLevel counts as 0"), 1u);
    EXPECT_EQ(log.Count(1, "ExperienceLevelControl: negative characterModifierPoints counts as 0"),
              1u);
    EXPECT_FALSE(control.ReceiveExperience(100));
    EXPECT_EQ(control.GetCharLevel(), 1u);

    ExperienceLevelControl huge;
    database.WriteRecord("Records/Creature/PC/Huge.dbr", {"maxPlayerLevel = 2000000000"});
    huge.Load(Record("levelFileName = Records/Creature/PC/Huge.dbr"));
    EXPECT_EQ(huge.GetMaxPlayerLevel(), ExperienceLevelControl::kMaxPlayerLevelCap);
    EXPECT_EQ(log.Count(1, "ExperienceLevelControl: maxPlayerLevel 2000000000 is above 10000"), 1u);
    EXPECT_TRUE(huge.ReceiveExperience(1));
    EXPECT_EQ(huge.GetCharLevel(), 10000u);
}

TEST_F(ExperienceLevelControlTest, WithoutALevelFileTheRecordStillGivesLevelAndPoints)
{
    gEngine->GetGameInfo().SetDifficulty(1);
    control.Load(Record("charLevel = 3;7;9\nmodifierPoints = 2\nskillPoints = 4\n"
                        "experiencePoints = 55"));
    EXPECT_EQ(control.GetCharLevel(), 7u);
    EXPECT_EQ(control.IncrementBaseStrength(), 1u);
    EXPECT_EQ(control.IncrementBaseMana(), 1u);
    EXPECT_EQ(control.IncrementBaseLife(), 0u) << "no point left";
    EXPECT_FALSE(control.ReceiveExperience(500));
    EXPECT_EQ(control.GetExperiencePoints(), 0u);

    EXPECT_EQ(control.SubtractSkillPoint(), 3u);
    EXPECT_EQ(control.AddToSkillPoints(UINT32_MAX), UINT32_MAX);
}

TEST_F(ExperienceLevelControlTest, ABadEquationIsLoggedAndLeavesEveryThresholdAt0)
{
    Load({"experienceLevelEquation = (playerLevel*", "maxPlayerLevel = 2",
          "intelligenceIncrement = 4"});
    EXPECT_EQ(
        log.Count(1, "-=- Experience Level Control Equation load failure : experienceEquation "),
        1u);
    EXPECT_EQ(control.GetNextLevelExperience(), 0u);
    control.AddModifierPoints(1);
    EXPECT_EQ(control.IncrementBaseIntelligence(), 4u);
}

} // namespace
} // namespace GAME::Test
