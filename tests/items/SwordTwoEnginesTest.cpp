#include "characters/CharAttributeAccumulator.h"
#include "core/GameTextLine.h"
#include "engine/LocalizationManager.h"
#include "game/GameEngine.h"
#include "tests/support/EquipmentRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

class SwordTwoEnginesTest : public EquipmentFixture {
protected:
    // What one engine makes of the record: attributes, requirements, price and tooltip.
    std::vector<std::string> MadeOnAFreshEngine(uint32_t seed)
    {
        InitializeObjects();
        std::vector<std::string> seen;
        if (ItemEquipment* sword = Make(seed)) {
            CharAttributeAccumulator attributes;
            sword->GetCharAttributes(attributes);
            seen.push_back(std::to_string(attributes.GetValue(CharAttribute_Strength)) + " " +
                           std::to_string(attributes.GetValue(CharAttribute_Dexterity)));
            seen.push_back(std::to_string(sword->GetStrengthRequirement()) + " " +
                           std::to_string(sword->GetLevelRequirement()) + " " +
                           std::to_string(sword->GetItemCost(false)));
            std::vector<GameTextLine> lines;
            sword->GetUIDisplayText(nullptr, lines);
            for (const GameTextLine& line : lines)
                seen.push_back(LocalizationManager::ToChar(line.text));
        }
        ObjectManager::Instance().DestroyAllObjects();
        ShutdownObjects();
        return seen;
    }
};

TEST_F(SwordTwoEnginesTest, TwoEnginesMakeTheSameSwordFromOneRecord)
{
    WriteSword({"characterStrength = 100;200", "offensivePhysicalMin = 5",
                "offensivePhysicalMax = 40", "itemCost = 100"});
    database.WriteRecord(kPrefix, {"lootRandomizerName = tagKeen", "characterDexterity = 50;90",
                                   "lootRandomizerCost = 25", "levelRequirement = 4"});
    database.WriteRecord(kSuffix,
                         {"lootRandomizerName = tagOfBears", "offensivePhysicalModifier = 10;30",
                          "skillCooldownReduction = 20", "skillManaCostReduction = 30"});
    database.WriteRecord(kCost, {"weaponCostEquation = itemBaseCost+(damageAvgBase*2)",
                                 "swordStrengthEquation = 10+(charPrimaryAtt*2)"});
    const std::vector<std::string> first = MadeOnAFreshEngine(41);
    ASSERT_GT(first.size(), 3u);
    EXPECT_EQ(MadeOnAFreshEngine(41), first);
    EXPECT_NE(MadeOnAFreshEngine(42), first) << "another seed rolls another sword";
}

} // namespace
} // namespace GAME::Test
