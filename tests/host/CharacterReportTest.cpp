#include "host/CharacterReport.h"

#include "engine/ObjectManager.h"
#include "host/GameHost.h"
#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

using Result = HostRun;

// The library's own start may log what the small database lacks; the refusal comes last.
std::string LastLine(const std::string& text)
{
    const size_t start = text.size() < 2 ? std::string::npos : text.rfind('\n', text.size() - 2);
    return start == std::string::npos ? text : text.substr(start + 1);
}

TEST(CharacterReport, TheSampleCharactersLoadCleanlyAndShowWhatTheyLoaded)
{
    const Result run = RunHost({"--db", SampleDatabase(), "--characters"});
    EXPECT_EQ(run.status, 0);
    // Every record the two characters name is there and well formed.
    EXPECT_EQ(DataErrors(run.err), "") << run.err;

    const std::string player = std::string("player: ") + CharacterReport::kSamplePlayer +
                               "\n"
                               "  class: Player\n"
                               "  level: 1 (experience 0)\n"
                               "  life: 300.0 of 300.0\n"
                               "  mana: 150.0 of 150.0\n"
                               "  gender: Male\n"
                               "  pathing size: Small (extents 0.5)\n"
                               "  team: human, minor 0\n"
                               "  animation sets: unarmed (current), single-handed, dual-wielded, "
                               "spear, bow, staff\n"
                               "  death handlers: Default\n";
    const std::string monster = std::string("monster: ") + CharacterReport::kSampleMonster +
                                "\n"
                                "  class: Monster\n"
                                "  level: 3 (experience 0)\n"
                                "  life: 120.0 of 120.0\n"
                                "  mana: 40.0 of 40.0\n"
                                "  gender: JackalMan\n"
                                "  pathing size: Medium (extents 1.0)\n"
                                "  team: monster, minor 2\n"
                                "  animation sets: unarmed (current)\n"
                                "  death handlers: Default, Fade, PlayEffect\n";
    // Both rows of the settings name every shared pack; the fire pack makes two effects. A
    // monster also carries its confusion pack.
    const std::string packs = " row, 19 particle effects, 8 absorption effects with 8 sounds\n";
    const std::string monsterPacks =
        " row, 20 particle effects, 8 absorption effects with 8 sounds\n";
    const std::string lines[] = {
        player,
        "  effect packs: 18 of 18 from the Small" + packs,
        "  experience table: 1 -> 0, 2 -> 500, 3 -> 1500, 4 -> 3000, 5 -> 5000 (first 5 of 50 "
        "levels)\n",
        monster,
        "  effect packs: 18 of 18 from the Medium" + monsterPacks,
        "  experience table: none\n",
        // Six life a second, with no refill once wounded.
        std::string("bio of ") + CharacterReport::kSamplePlayer +
            " after losing 120.0 life (life each 500 ms):\n"
            "  0 ms: 180.0\n"
            "  500 ms: 183.0\n"
            "  1000 ms: 186.0\n"
            "  1500 ms: 189.0\n"
            "  2000 ms: 192.0\n"
            "  2500 ms: 195.0\n"
            "  3000 ms: 198.0\n",
        // Both characters went, with every sound pack and effect they made.
        "objects: 0\n",
    };
    size_t at = 0;
    for (const std::string& line : lines) {
        const size_t found = run.out.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing, in order:\n" << line << "\n" << run.out;
        at = found + line.size();
    }
}

TEST(CharacterReport, ADatabaseWithoutTheSamplesIsRefusedInOneLine)
{
    TempDatabase database;
    database.WriteRecord(GameHost::kSettingsRecord, {"meleeRange = 1.5"});
    database.WriteFile("Text/English.txt", "tagHostTest = hi\n");
    Result run = RunHost({"--db", database.GetRoot(), "--characters"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(LastLine(run.err), std::string("gamehost: sample character record '") +
                                     CharacterReport::kSamplePlayer + "' cannot be read\n");

    database.WriteRecord(CharacterReport::kSamplePlayer, {"Class = Monster"});
    run = RunHost({"--db", database.GetRoot(), "--characters"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(LastLine(run.err), std::string("gamehost: sample character record '") +
                                     CharacterReport::kSamplePlayer +
                                     "' names class 'Monster', not Player\n");
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), 0u);
    ObjectManager::Instance().GetDatabase().SetRoot("");
}

} // namespace
} // namespace GAME::Test
