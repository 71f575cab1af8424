#include "characters/CharacterBio.h"

#include "characters/Character.h"
#include "characters/CharacterBioReplicaInfo.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "game/GameEngine.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace GAME::Test {
namespace {

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

} // namespace
} // namespace GAME::Test
