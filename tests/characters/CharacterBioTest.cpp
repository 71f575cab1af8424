#include "characters/CharacterBio.h"

#include "characters/Bonus.h"
#include "characters/CharAttributeAccumulator.h"
#include "characters/Character.h"
#include "characters/CharacterBioReplicaInfo.h"
#include "characters/ExperienceLevelControl.h"
#include "core/GameEvents.h"
#include "core/PlayStats.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "game/GameEngine.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/HeardEvents.h"
#include "tests/support/RecordingUserInterface.h"
#include "tests/support/Records.h"

#include <cstdint>
#include <functional>
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

// The sum of the base store is kept between updates: every way the store or the difficulty it
// is read at can change must show at the next update.
struct BaseChange {
    const char* name;
    std::function<void(CharacterBio&)> change;
    float strength;
};

class CharacterBioBaseTotals : public StartedFixture,
                               public ::testing::WithParamInterface<BaseChange> {};

TEST_P(CharacterBioBaseTotals, AChangeShowsAtTheNextUpdate)
{
    Character character;
    CharacterBio bio;
    bio.Load(Record("characterStrength = 5;7;9\ncharacterLife = 100"));
    bio.InitialUpdate(character);
    bio.Update(character, 33);
    ASSERT_EQ(bio.GetAttribute(CharAttribute_Strength), 5.0f);

    GetParam().change(bio);
    bio.Update(character, 33);
    EXPECT_EQ(bio.GetAttribute(CharAttribute_Strength), GetParam().strength);
    EXPECT_EQ(bio.GetBaseCharAttribute(CharAttribute_Strength), GetParam().strength);
    EXPECT_EQ(bio.GetLifeLimit(), 100.0f);
}

const BaseChange kBaseChanges[] = {
    {"Increment", [](CharacterBio& bio) { bio.IncrementBaseAttribute(CharAttribute_Strength, 2); },
     7.0f},
    {"Restore",
     [](CharacterBio& bio) {
         bio.RestoreCurrentBioStats({.baseLife = 100, .baseStrength = 11}, true);
     },
     11.0f},
    {"RestoreWithoutBase",
     [](CharacterBio& bio) {
         bio.RestoreCurrentBioStats({.baseLife = 100, .baseStrength = 11}, false);
     },
     5.0f},
    {"SaveRead",
     [](CharacterBio& bio) {
         IOStreamWrite saved;
         saved.BeginBlock();
         for (float value : {12.0f, 0.0f, 0.0f, 0.0f, 0.0f})
             saved.StreamFloat("temp", value);
         saved.EndBlock();
         IOStreamRead reading(saved.GetBytes());
         bio.StreamProperties(&reading);
     },
     12.0f},
    {"Reload",
     [](CharacterBio& bio) { bio.Load(Record("characterStrength = 3\ncharacterLife = 100")); },
     3.0f},
    {"Difficulty", [](CharacterBio&) { GameEngine::Get().SetGameDifficulty(GameDifficulty_Epic); },
     7.0f},
};

INSTANTIATE_TEST_SUITE_P(Changes, CharacterBioBaseTotals, ::testing::ValuesIn(kBaseChanges),
                         [](const auto& info) { return std::string(info.param.name); });

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
