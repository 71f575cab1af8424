#include "characters/AttributePak.h"

#include "characters/CharAttributeAccumulator.h"
#include "combat/CombatAttributeAccumulator.h"
#include "skills/SkillAttributeAccumulator.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"

#include <utility>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kPakRecord = "Records/Game/PlayerAttributePak.dbr";

class AttributePakTest : public Test::EngineFixture {
protected:
    // The character attributes that the pack adds at the level, as (type, value) pairs.
    static std::vector<std::pair<uint32_t, float>> CharTotals(const AttributePak& pak,
                                                              uint32_t level)
    {
        CharAttributeAccumulator accumulator;
        pak.GetCharAttributes(accumulator, level);
        std::vector<std::pair<uint32_t, float>> totals;
        for (uint32_t type = 1; type < kCharAttributeTypeCount; ++type) {
            const auto kind = static_cast<CharAttributeType>(type);
            if (accumulator.GetValue(kind) != 0.0f || accumulator.GetModifier(kind) != 0.0f)
                totals.emplace_back(type, accumulator.GetValue(kind));
        }
        return totals;
    }

    // Every store of the pack asked once, as a player and a monster ask their packs.
    static void AddEverything(const AttributePak& pak, uint32_t level,
                              SkillAttributeAccumulator& skills)
    {
        CombatAttributeAccumulator combat;
        pak.GetSkillAttributes(skills, level);
        pak.GetOffensiveDamageAttributes(combat, level);
        pak.GetOffensiveModifierAttributes(combat, level);
        pak.GetRetaliationAttributes(combat, level);
        pak.GetDefenseAttributes(combat, level);
    }
};

using Totals = std::vector<std::pair<uint32_t, float>>;

TEST_F(AttributePakTest, StrengthAloneIsAddedAtTheLevelAskedAndNothingElse)
{
    database.WriteRecord(kPakRecord, {"characterStrength = 10;20;30"});
    AttributePak pak;
    pak.LoadFromDatabase(kPakRecord);

    EXPECT_EQ(CharTotals(pak, 2), (Totals{{CharAttribute_Strength, 20.0f}}));
    EXPECT_EQ(CharTotals(pak, 7), (Totals{{CharAttribute_Strength, 30.0f}}));
    EXPECT_EQ(CharTotals(pak, 0), Totals{});

    SkillAttributeAccumulator skills;
    skills.SetSeed(9);
    const uint32_t state = skills.GetRandomGen().GetState();
    AddEverything(pak, 2, skills);
    for (uint32_t type = 1; type < kSkillAttributeTypeCount; ++type)
        EXPECT_EQ(skills.GetValue(static_cast<SkillAttributeType>(type)), 0.0f);
    EXPECT_EQ(skills.GetRandomGen().GetState(), state) << "no skill attribute may roll";
}

TEST_F(AttributePakTest, EveryStoreLoadsAndAdds)
{
    AttributePak pak;
    pak.LoadFromTable(Record("characterStrength = 5\nskillCooldownReduction = 2\n"
                             "offensiveColdMin = 7\ndefensiveFire = 20\n"
                             "retaliationPhysicalMin = 3\n"));

    CombatAttributeAccumulator offense, retaliation, defense;
    pak.GetOffensiveDamageAttributes(offense, 1);
    pak.GetRetaliationAttributes(retaliation, 1);
    pak.GetDefenseAttributes(defense, 1);
    ASSERT_EQ(offense.GetDamage().size(), 1u);
    EXPECT_EQ(offense.GetDamage()[0]->GetType(), CombatAttributeType_Cold);
    ASSERT_EQ(retaliation.GetDamage().size(), 1u);
    EXPECT_EQ(retaliation.GetDamage()[0]->GetType(), CombatAttributeType_Physical);
    EXPECT_EQ(defense.GetTotalDefenseType(CombatAttributeType_Fire), 20.0f);
    SkillAttributeAccumulator skills;
    pak.GetSkillAttributes(skills, 1);
    EXPECT_EQ(skills.GetValue(SkillAttribute_CooldownReduction), 2.0f);
    EXPECT_EQ(CharTotals(pak, 1), (Totals{{CharAttribute_Strength, 5.0f}}));

    std::vector<GameTextLine> lines;
    pak.GetUIDisplayText(1, GameTextClass::Default, lines);
    EXPECT_EQ(lines.size(), 5u) << "one line a store";
}

TEST_F(AttributePakTest, LoadingAgainReplacesTheContentsAndAnEmptyOrMissingRecordGivesNothing)
{
    AttributePak pak;
    pak.LoadFromTable(Record("characterStrength = 10\n"));
    pak.LoadFromTable(Record("characterDexterity = 4\n"));
    EXPECT_EQ(CharTotals(pak, 1), (Totals{{CharAttribute_Dexterity, 4.0f}}));

    database.WriteRecord(kPakRecord, {"# balance comes later", "unrelatedKey = 5"});
    for (const std::string name : {kPakRecord, "", "Records/Game/Missing.dbr"}) {
        SCOPED_TRACE(name);
        pak.LoadFromDatabase(name);
        EXPECT_EQ(CharTotals(pak, 1), Totals{});

        SkillAttributeAccumulator skills;
        AddEverything(pak, 1, skills);
        EXPECT_EQ(skills.GetValue(SkillAttribute_CooldownReduction), 0.0f);
        EXPECT_EQ(skills.GetRandomGen().GetState(), 0u);

        std::vector<GameTextLine> lines;
        pak.GetUIDisplayText(1, GameTextClass::Default, lines);
        EXPECT_TRUE(lines.empty());
    }
    // Only the record that names something absent is a fault; an empty name asks for no pack.
    EXPECT_EQ(log.GetLines(),
              (std::vector<LogCapture::Line>{
                  {1, "AttributePak: could not load record 'Records/Game/Missing.dbr'"}}));
}

} // namespace
} // namespace GAME::Test
