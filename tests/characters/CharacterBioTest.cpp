#include "characters/CharacterBio.h"

#include "characters/Bonus.h"
#include "characters/CharAttributeAccumulator.h"
#include "characters/Character.h"
#include "characters/CharacterBioReplicaInfo.h"
#include "core/PlayStats.h"
#include "engine/IOStreamWrite.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/Records.h"

#include <cstdint>
#include <initializer_list>
#include <limits>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// A character whose game-balance row adds what the test sets, as a player's pack would.
class BalancedCharacter : public Character {
public:
    void ContributeGameBalanceCharAttributes(CharAttributeAccumulator& accumulator) const override
    {
        accumulator.AddModifier(CharAttribute_Life, lifeModifier);
        accumulator.AddValue(CharAttribute_ManaLimitReserve, manaReserve);
    }

    float lifeModifier = 0.0f;
    float manaReserve = 0.0f;
};

class CharacterBioTest : public StartedFixture {
protected:
    void WriteRegen(std::initializer_list<std::string> lines)
    {
        database.WriteRecord(CharacterBio::kRegenRecord, lines);
    }

    // Loaded from the character record and brought to its limits, untainted, by a first update.
    void StartBio(const std::string& record = "characterLife = 100\ncharacterMana = 100")
    {
        bio.Load(Record(record));
        bio.InitialUpdate(character);
        bio.Update(character, 100);
    }

    std::string LifeHealedLine()
    {
        std::string found;
        character.GetPlayStats().Display([&found](const std::string& line) {
            if (line.rfind("    Life healed:", 0) == 0)
                found = line;
        });
        return found;
    }

    // Strength, dexterity, intelligence, life and mana as the bio holds them at its base.
    static std::vector<float> Bases(const CharacterBio& of)
    {
        std::vector<float> values;
        for (CharAttributeType type :
             {CharAttribute_Strength, CharAttribute_Dexterity, CharAttribute_Intelligence,
              CharAttribute_Life, CharAttribute_Mana})
            values.push_back(of.GetBaseCharAttribute(type));
        return values;
    }

    float Variable(const char* name)
    {
        float value = -1.0f;
        EXPECT_TRUE(bio.GetDesignerVariable(name, value)) << name;
        return value;
    }

    BalancedCharacter character;
    CharacterBio bio;
};

TEST_F(CharacterBioTest, UntaintedPoolsRefillAndANegativeSubtractionOnlyTaints)
{
    StartBio();
    bio.BioIsTainted();
    EXPECT_TRUE(bio.GetTaintedBio());

    CharacterBio fresh;
    fresh.BioIsTainted();
    EXPECT_FALSE(fresh.GetTaintedBio()) << "only after InitialUpdate";
    fresh.SubtractLife(-5.0f);
    EXPECT_TRUE(fresh.GetTaintedBio());
    EXPECT_EQ(fresh.GetCurrentLife(), 0.0f);
}

TEST_F(CharacterBioTest, SpentManaDrainsAtItsRate)
{
    WriteRegen({"manaDrainRate = 2"});
    StartBio();
    bio.SubtractMana(30.0f);
    EXPECT_EQ(bio.GetCurrentMana(), 100.0f) << "nothing is taken at once";
    for (float expected : {95.0f, 90.0f, 85.0f, 80.0f, 75.0f, 70.0f, 70.0f}) {
        bio.Update(character, 100);
        EXPECT_EQ(bio.GetCurrentMana(), expected);
    }
}

TEST_F(CharacterBioTest, NegativeRegenerationNeverKills)
{
    WriteRegen({"lifeRegenEquation = 0-0.2"});
    StartBio();
    bio.SubtractLife(99.5f);
    bio.Update(character, 100);
    EXPECT_EQ(bio.GetCurrentLife(), 0.5f);
    bio.AddLifeFast(1.5f);
    bio.Update(character, 100);
    EXPECT_EQ(bio.GetCurrentLife(), 2.0f - 0.2f);
}

TEST_F(CharacterBioTest, AcceleratedRegenerationSkipsTheUpdateAfterAHit)
{
    StartBio("characterLife = 100\nacceleratedLifeRegenPercent = 10");
    bio.SetAcceleratedLifeRegen(true);
    bio.SubtractLife(50.0f);
    bio.Update(character, 1000);
    EXPECT_EQ(bio.GetCurrentLife(), 50.0f);
    bio.Update(character, 1000);
    EXPECT_EQ(bio.GetCurrentLife(), 60.0f);
    // A negative amount is no hit.
    bio.SubtractLife(-5.0f);
    bio.Update(character, 1000);
    EXPECT_EQ(bio.GetCurrentLife(), 70.0f);
    EXPECT_EQ(LifeHealedLine(), "    Life healed: 20.00");
}

TEST_F(CharacterBioTest, ALimitChangedByAModifierKeepsTheRatio)
{
    StartBio();
    bio.SubtractLife(50.0f);
    character.lifeModifier = 100.0f;
    bio.Update(character, 100);
    EXPECT_EQ(bio.GetLifeLimit(), 200.0f);
    EXPECT_EQ(bio.GetCurrentLife(), 100.0f);
}

TEST_F(CharacterBioTest, FromALimitOf0TheValueIsKeptWithinTheNewLimit)
{
    StartBio("characterLife = 0\ncharacterMana = 0");
    bio.RestoreCurrentBioStats({.currentLife = 50, .currentMana = 150, .tainted = 1}, false);
    bio.IncrementBaseAttribute(CharAttribute_Life, 80.0f);
    bio.IncrementBaseAttribute(CharAttribute_Mana, 80.0f);
    bio.BalanceHasChanged();
    bio.Update(character, 0);
    EXPECT_EQ(bio.GetCurrentLife(), 50.0f);
    EXPECT_EQ(bio.GetCurrentMana(), 80.0f);
}

TEST_F(CharacterBioTest, SlowLifeFeedsAtItsRateUpToTheStorageCap)
{
    WriteRegen({"healthOverStorageLimit = 0.5", "healthFeedRate = 2"});
    StartBio();
    bio.SubtractLife(60.0f);
    bio.AddLifeSlow(80.0f);
    EXPECT_EQ(bio.GetLifePotential(), 90.0f);
    bio.Update(character, 100);
    EXPECT_EQ(bio.GetCurrentLife(), 45.0f);
    bio.Update(character, 100);
    EXPECT_EQ(bio.GetCurrentLife(), 50.0f);
}

TEST_F(CharacterBioTest, RatesOf0OrLessMoveEverythingPendingAtOnce)
{
    WriteRegen({"healthOverStorageLimit = 1", "manaOverStorageLimit = 1", "healthFeedRate = 0",
                "manaFeedRate = -1", "manaDrainRate = 0"});
    StartBio();
    bio.SubtractLife(60.0f);
    bio.AddLifeSlow(30.0f);
    bio.SubtractMana(30.0f);
    bio.Update(character, 100);
    EXPECT_EQ(bio.GetCurrentLife(), 70.0f);
    EXPECT_EQ(bio.GetCurrentMana(), 70.0f);
    bio.AddManaSlow(20.0f);
    bio.Update(character, 100);
    EXPECT_EQ(bio.GetCurrentMana(), 90.0f);
}

TEST_F(CharacterBioTest, EquationsReadTheBiosVariablesAndTheReserveLowersTheManaTotal)
{
    WriteRegen({"lifeRegenEquation = ((lifeRegen+lifeRegenMod)*elapsedTime)",
                "manaRegenEquation = (manaTotal*elapsedTime)"});
    StartBio("characterLife = 100\ncharacterMana = 100\ncharacterLifeRegen = 10\n"
             "characterIntelligence = 7");
    character.Load(Record("charLevel = 12"));
    character.manaReserve = 20.0f;
    bio.SubtractLife(50.0f);
    bio.SubtractMana(70.0f);
    bio.Update(character, 500);
    EXPECT_EQ(bio.GetCurrentLife(), 55.0f);
    // Everything drains at once without a rate; the regeneration sees the reserve-free total.
    EXPECT_EQ(bio.GetCurrentMana(), 100.0f - 70.0f + 80.0f * 0.5f);
    const std::pair<const char*, float> variables[] = {
        {"lifeTotal", 100.0f}, {"manaTotal", 80.0f},  {"intelligence", 7.0f},
        {"charLevel", 12.0f},  {"elapsedTime", 0.5f}, {"lifeRegen", 10.0f}};
    for (const auto& [name, value] : variables)
        EXPECT_EQ(Variable(name), value) << name;
    float value = -1.0f;
    EXPECT_FALSE(bio.GetDesignerVariable("LifeTotal", value));
    EXPECT_EQ(value, 0.0f);
}

TEST_F(CharacterBioTest, BadEquationsAreLoggedWithTheirKeyAndDropped)
{
    WriteRegen({"lifeRegenEquation = (lifeRegen*5)+", "manaRegenEquation = (1+"});
    StartBio();
    EXPECT_EQ(log.Count(1, "-=- CharacterBio Equation load failure : lifeRegenEquation "), 1u);
    EXPECT_EQ(log.Count(1, "-=- CharacterBio Equation load failure : manaRegenEquation "), 1u);
    EXPECT_EQ(bio.GetLifeRegenValue(5.0f, 0.0f, 1.0f), 0.0f);
    EXPECT_EQ(bio.GetManaRegenValue(5.0f, 0.0f, 1.0f), 0.0f);
}

TEST_F(CharacterBioTest, BonusesAddLifeAndManaFastOrSlow)
{
    WriteRegen({"healthOverStorageLimit = 1"});
    StartBio();
    bio.SubtractLife(50.0f);
    bio.Update(character, 100);
    Bonus bonus;
    bonus.lifePoints = 30.0f;
    bonus.lifePercent = 10.0f;
    EXPECT_EQ(bio.GetBonusLifeAmount(bonus), 30.0f + 10.0f * 0.01f * 100.0f);
    bonus.lifePoints = 45.0f;
    EXPECT_EQ(bio.GetBonusLifeAmount(bonus), 50.0f) << "no more than the missing life";
    bio.TakeBonus(bonus, true);
    EXPECT_EQ(bio.GetCurrentLife(), 50.0f + 10.0f * 0.01f * 100.0f);
    EXPECT_EQ(bio.GetLifePotential(), 100.0f);
}

TEST_F(CharacterBioTest, ReplicasCarryNonNegativeSaturatedWholeNumbers)
{
    StartBio("characterLife = 5000000000\ncharacterMana = 12.7\ncharacterStrength = 3.9");
    CharacterBioReplicaInfo replica;
    bio.GetCurrentBioStats(replica);
    EXPECT_EQ(replica.currentLife, UINT32_MAX);
    EXPECT_EQ(replica.currentMana, 12u);
    EXPECT_EQ(replica.baseStrength, 3u);

    bio.SubtractLife(6.0e9f);
    bio.GetCurrentBioStats(replica);
    EXPECT_EQ(replica.currentLife, 0u);
    EXPECT_EQ(CharacterBioReplicaInfo::ToWholeNumber(std::numeric_limits<float>::quiet_NaN()), 0u);

    CharacterBio restored;
    restored.Load(Record(""));
    restored.RestoreCurrentBioStats({.currentLife = 40,
                                     .currentMana = 9,
                                     .tainted = 1,
                                     .baseLife = 100,
                                     .baseMana = 50,
                                     .baseStrength = 1,
                                     .baseDexterity = 2,
                                     .baseIntelligence = 3},
                                    true);
    restored.Update(character, 0);
    EXPECT_EQ(restored.GetCurrentLife(), 40.0f) << "a restored bio is not refilled";
    EXPECT_EQ(restored.GetBaseCharAttribute(CharAttribute_Intelligence), 3.0f);
}

TEST_F(CharacterBioTest, SaveBlockRoundTripsTheFiveBaseValuesAndKeepsTheBaseForBadOnes)
{
    StartBio("characterStrength = 5.5\ncharacterDexterity = 6\ncharacterIntelligence = 7\n"
             "characterLife = 100\ncharacterMana = 50");
    const std::vector<uint8_t> bytes = Streamed(bio);
    EXPECT_EQ(Described(bytes), "{\n"
                                "  float temp = 5.5\n"
                                "  float temp = 6\n"
                                "  float temp = 7\n"
                                "  float temp = 100\n"
                                "  float temp = 50\n"
                                "}\n");

    CharacterBio loaded;
    loaded.Load(Record(""));
    ASSERT_TRUE(ReadBack(loaded, bytes));
    loaded.Update(character, 0);
    EXPECT_EQ(Bases(loaded), (std::vector<float>{5.5f, 6, 7, 100, 50}));

    // Saved zeros and values that are not finite keep the base.
    IOStreamWrite odd;
    odd.BeginBlock();
    for (float value : {0.0f, 12.0f, std::numeric_limits<float>::quiet_NaN(), 0.0f,
                        std::numeric_limits<float>::infinity()})
        odd.StreamFloat("temp", value);
    odd.EndBlock();
    ReadBack(bio, odd.GetBytes());
    bio.Update(character, 0);
    EXPECT_EQ(Bases(bio), (std::vector<float>{5.5f, 12, 7, 100, 50}));
    EXPECT_EQ(log.Count(1, "CharacterBio: saved base mana inf lies outside 0 to 1000000; the "
                           "record's kept"),
              1u);

    ReadBack(bio, {odd.GetBytes().begin(), odd.GetBytes().end() - 3});
    EXPECT_EQ(log.Count(1, "CharacterBio: the saved block is unreadable"), 1u);
}

TEST_F(CharacterBioTest, WornSetPiecesAddTheSetBonusAtTheirCount)
{
    constexpr const char* kSet = "Records/Item/Sets/Bronze.dbr";
    database.WriteRecord(kSet, {"characterStrength = 10;20;30"});
    Game().LoadItemSet(kSet);
    character.AddItemToSet(kSet, "records/item/bronzehelm.dbr");
    character.AddItemToSet(kSet, "records/item/bronzeshield.dbr");
    character.AddItemToSet("Records/Item/Sets/Unloaded.dbr", "records/item/ring.dbr");
    StartBio("characterStrength = 5");
    EXPECT_EQ(bio.GetAttribute(CharAttribute_Strength), 25.0f);
}

TEST(Bonus, NegativeCountsReadAsNoneAndAReloadDropsTheOtherKeys)
{
    Bonus bonus;
    bonus.Load(Record("bonusLifePoints = 10\nbonusManaPercent = 0.5\nbonusGoldPoints = 7\n"
                      "bonusEffectName = Records/Fx/Glow.dbr\n"));
    // A negative count would wrap to a huge reward; reloading also drops the other keys.
    bonus.Load(Record("bonusGoldPoints = -5\n"));
    EXPECT_EQ(bonus.GetTotal(1000.0f, 500.0f), 0.0f);
    EXPECT_TRUE(bonus.effectName.empty());

    bonus.lifePercent = 0.25f;
    bonus.manaPoints = 10.0f;
    EXPECT_EQ(bonus.GetTotal(1000.0f, 500.0f), 260.0f) << "percentages weighed by the bases";
}

} // namespace
} // namespace GAME::Test
