#include "host/DuelReport.h"

#include "host/HostOptions.h"
#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace GAME::Test {
namespace {

// The player's object id as the transcript names it, as the replica's little-endian bytes.
std::string IdBytes(const std::string& out)
{
    const std::string mark = "attackerName = Records/Creatures/PC/Hero.dbr\n      attackerID = ";
    const size_t at = out.find(mark);
    if (at == std::string::npos)
        return "?";
    const auto id = static_cast<uint32_t>(std::stoul(out.substr(at + mark.size())));
    std::string text;
    for (int shift = 0; shift < 32; shift += 8) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", (id >> shift) & 0xffu);
        text += digits;
    }
    return text;
}

TEST(DuelReport, SeededHitsShowTranscriptsLivesTicksAndReplicas)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--duel", "4", "--seed", "17"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(DataErrors(run.err), "") << run.err;

    const std::string lines[] = {
        // The monster's war gear dodges the first blow, and still strikes back and reflects.
        "hit 1 at 0 ms: player strikes monster, style 1 (melee)\n"
        "  combat\n"
        "  [\n"
        "      attackerName = Records/Creatures/PC/Hero.dbr\n",
        "      ^yDodge Chance (10.000000) caused a miss\n"
        "      Miss occured\n",
        "      ^b25.000000% Damage Reflected\n",
        "  did not land; life: monster 120.0 -> 120.0, player 300.0 -> 293.4\n"
        "  monster replica (8 bytes): 00000000 00000000\n"
        "  ticks in the next 1000 ms: player 10 Poison, 10 Bleeding (3.2 life)\n",
        "hit 2 at 1000 ms: monster strikes player, style 1 (melee)\n",
        // 140 × 0.818 falls in the band above 110.
        "      PTH 140.000000, Rand Seed 0.818061\n"
        "      PTH Random Number 114.528587\n"
        "      PTH Uber Hit\n"
        "      PTH Modifier value 1.100000\n",
        "  landed; life: monster 120.0 -> 105.6, player 278.8 -> 271.8\n"
        // Twenty ticks of 0.5 poison from the player, no fixed levels.
        "  monster replica (28 bytes): 01000000 07000000 " +
            IdBytes(run.out) + " 01000000 0000003f 0000a041 00000000\n",
        "hit 4 at 3000 ms: monster strikes player, style 2 (projectile)\n",
        "duel over after 4 hits: player 256.9 life, monster 95.6 life\n",
        "objects: 0\n",
    };
    size_t at = 0;
    for (const std::string& line : lines) {
        const size_t found = run.out.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing, in order:\n" << line << "\n" << run.out;
        at = found + line.size();
    }
}

TEST(DuelReport, ACountOutsideItsRangeIsRefused)
{
    for (const char* count : {"0", "1001", "x"}) {
        const HostRun run = RunHost({"--db", SampleDatabase(), "--duel", count});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "gamehost: --duel needs a count of hits from 1 to 1000, not '" +
                               std::string(count) + "'\n" + HostOptions::Usage());
    }
}

} // namespace
} // namespace GAME::Test
