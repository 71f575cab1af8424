#include "host/DuelSkillReport.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

constexpr const char* kShield = "Records/Skills/Buffs/WardingShield.dbr level 1";
constexpr const char* kRot = "Records/Skills/Buffs/PlagueRot.dbr level 1";

// The skill half of the duel: the shield soaks the leader's claws until it breaks, the rot
// spreads from the second of the pack to both others, and a client replaying the server's
// commands ends as the server did.
TEST(DuelSkillReport, ShieldBreaksRotSpreadsAndTheClientAgrees)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--duel", "1", "--seed", "17"});
    EXPECT_EQ(run.status, 0);
    const size_t begin = run.out.find("duel skills as server, seed 17:\n");
    ASSERT_NE(begin, std::string::npos) << run.out;
    const std::string lines[] = {
        "  hunter 513 with bow 517 and Records/Skills/Hunting/ChargingVolley.dbr; pack 514, 515, "
        "516\n",
        // 5.2 claws: a fifth cut, the rest absorbed, 15 - 5.2 left.
        std::string("    hunter: life 300.0, buffs ") + kShield +
            " (19.0 s left, shield left 9.8)\n",
        std::string("    pack 515: life 120.0, buffs ") + kRot + " (7.0 s left)\n",
        "  after 2000 ms:",
        // The first spread: both others, with the rot's full time.
        std::string("    pack 516: life 120.0, buffs ") + kRot + " (8.0 s left)\n",
        "  after 3000 ms:",
        std::string(", shield left 4.0)\n"),
        // The third blow breaks it; the removal goes out on the next update.
        "  after 4000 ms:",
        "    hunter: life 300.0, buffs none\n",
        "  server and client agree: yes\n",
        "objects: 0\n",
    };
    size_t at = begin;
    for (const std::string& line : lines) {
        const size_t found = run.out.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing, in order:\n" << line << "\n" << run.out;
        at = found + line.size();
    }
}

// Every swing that starts looses the pooled attack's three arrows at the leader; the arrows'
// results reach the client, so both machines end with the same wounded leader.
TEST(DuelSkillReport, ThePooledBowAttackLoosesThreeArrowsBothMachinesApply)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--duel", "1", "--seed", "17"});
    ASSERT_EQ(run.status, 0);
    const size_t begin = run.out.find("duel skills as server");
    ASSERT_NE(begin, std::string::npos) << run.out;
    const std::string skills = run.out.substr(begin);
    EXPECT_NE(skills.find(": 3 arrows loosed\n"), std::string::npos) << skills;
    EXPECT_EQ(skills.find(" arrows loosed\n"), skills.find(": 3 arrows loosed\n") + 3) << skills;

    const auto leaderLife = [&skills](const char* heading) {
        const size_t at = skills.find(heading);
        const std::string mark = "    pack 514: life ";
        const size_t life = skills.find(mark, at);
        return at == std::string::npos || life == std::string::npos
                   ? -1.0f
                   : std::stof(skills.substr(life + mark.size()));
    };
    const float server = leaderLife("  server end state:\n");
    EXPECT_GT(server, 0.0f);
    EXPECT_LT(server, 120.0f);
    EXPECT_EQ(leaderLife("client end state:\n"), server);
}

} // namespace
} // namespace GAME::Test
