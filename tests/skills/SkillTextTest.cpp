#include "skills/Skill.h"

#include "core/GameTextLine.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/StubSkillOwner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// Unknown tags print as the tag and its arguments, so each line shows what built it.
std::vector<std::wstring> Texts(const std::vector<GameTextLine>& lines)
{
    std::vector<std::wstring> texts;
    for (const GameTextLine& line : lines)
        texts.push_back(line.text);
    return texts;
}

class SkillTextTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        LocalizationManager::Instance().AddText("SimpleStringFormat", L"%s");
        LocalizationManager::Instance().AddText("tagFire", L"Fire");
    }
    void TearDown() override
    {
        LocalizationManager::Instance().Clear();
        GameEngineFixture::TearDown();
    }

    Skill* Make(const std::string& path, std::initializer_list<std::string> lines)
    {
        database.WriteRecord(path, lines);
        Skill* skill = ObjectManager::Instance().CreateObjectFromFile<Skill>(path);
        EXPECT_NE(skill, nullptr);
        if (skill != nullptr)
            skill->SetManager(&owner);
        return skill;
    }

    StubSkillOwner owner;
};

TEST_F(SkillTextTest, TooltipLinesOverEveryLevel)
{
    // Level 5 lies past the ultimate level: its list entries must never be shown.
    Skill* skill = Make("Records/Skills/Fire.dbr",
                        {"Class = Skill", "skillDisplayName = tagFire",
                         "skillBaseDescription = tagFireText", "skillMaxLevel = 3",
                         "skillUltimateLevel = 4", "onHitActivationChance = 25;25;30;30;40",
                         "petLimit = 1;1;2;2;3", "skillManaCost = 0;0;0;0;5"});
    ASSERT_NE(skill, nullptr);
    struct Row {
        uint32_t level;
        std::vector<std::wstring> current;
        std::vector<std::wstring> next;
    };
    const std::wstring chance25 = L"SkillPercentFormat 25 SkillActivationChance";
    const std::wstring chance30 = L"SkillPercentFormat 30 SkillActivationChance";
    const Row rows[] = {
        {0, {}, {L"tagNextLevel 1", chance25}},
        {1, {L"tagCurrentLevel 1", chance25}, {L"tagNextLevel 2"}},
        {2, {L"tagCurrentLevel 2", chance25}, {L"tagNextLevel 3", chance30, L"SkillPetLimit 2"}},
        {3, {L"tagCurrentLevel 3", chance30, L"SkillPetLimit 2"}, {L"tagNextLevel 4"}},
        {4, {L"tagCurrentLevel 4", chance30, L"SkillPetLimit 2"}, {L"tagNextLevel 5"}},
        {5, {L"tagCurrentLevel 4", chance30, L"SkillPetLimit 2"}, {L"tagNextLevel 5"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.level);
        skill->SetSkillLevel(row.level);
        std::vector<GameTextLine> heading;
        skill->CreateUISkillHeading(heading);
        ASSERT_EQ(heading.size(), 2u);
        EXPECT_EQ(heading[0].text, L"Fire");
        EXPECT_EQ(heading[0].style, GameTextClass::SkillName);
        EXPECT_EQ(heading[1].style, GameTextClass::SkillDescription);
        EXPECT_TRUE(heading[1].flag);
        EXPECT_FALSE(heading[0].flag);

        std::vector<GameTextLine> current;
        skill->CreateUIParameterText(current);
        EXPECT_EQ(Texts(current), row.current);
        if (!current.empty()) {
            EXPECT_EQ(current[0].style, GameTextClass::SkillLevelTitles);
            EXPECT_EQ(current.back().style, GameTextClass::SkillStatsCurrent);
        }
        std::vector<GameTextLine> next;
        skill->CreateUINextParameterText(next);
        EXPECT_EQ(Texts(next), row.next);
        EXPECT_EQ(next.back().style, row.next.size() == 1 ? GameTextClass::SkillLevelTitles
                                                          : GameTextClass::SkillStatsNext);
    }
}

TEST_F(SkillTextTest, ItemSkillNamesAndPetSummaryStyles)
{
    Skill* skill = Make("Records/Skills/Charm.dbr",
                        {"Class = Skill", "skillDisplayName = tagFire", "skillMaxLevel = 2",
                         "skillLifeBonus = 10;20", "spawnObjectsTimeToLive = 1.5"});
    ASSERT_NE(skill, nullptr);
    EXPECT_EQ(skill->CreateUISkillName(), L"Fire");
    skill->SetAsItemSkill();
    EXPECT_EQ(skill->CreateUISkillName(), L"FiretagItemSkillShort");

    // A pet's tooltip lists its skills in the pet styles, next or current.
    skill->SetSkillLevel(1);
    std::vector<GameTextLine> lines;
    skill->CreateUIShortSummaryText(GameTextClass::SkillStatsNext, lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].style, GameTextClass::PetSkillNameNext);
    EXPECT_EQ(lines[1].text, L"SkillLifeBonus 10");
    EXPECT_EQ(lines[1].style, GameTextClass::PetSkillStatsNext);
    lines.clear();
    skill->CreateUIShortSummaryText(GameTextClass::Default, lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].style, GameTextClass::PetSkillStatsCurrent);

    lines.clear();
    skill->CreateUIPetText(nullptr, 1, GameTextClass::SkillStatsCurrent, lines);
    EXPECT_EQ(Texts(lines), std::vector<std::wstring>{L"tagSkillPetTimeToLive 1.5"});
}

} // namespace
} // namespace GAME::Test
