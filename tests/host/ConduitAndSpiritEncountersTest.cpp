#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// On built-in orders and the script alike, without a data error.
TEST(ScriptedBossEncounters, EachTellsItsEventsAndOutcome)
{
    struct Row {
        const char* boss;
        const char* script;
        std::vector<std::string> events;
        const char* outcome;
    };
    const Row rows[] = {
        {"ormenos",
         "Ormenos.txt",
         {"Ormenos loses its sickle"},
         "encounter ormenos: Ormenos stands without its sickle\n"},
        {"megalesios",
         "Megalesios.txt",
         {"Megalesios AttackConduit", "Megalesios launches its bursts", "the conduit is destroyed"},
         "encounter megalesios: the conduit is destroyed\n"},
        {"spirits",
         "Spirits.txt",
         {"Statue1 rises", "Statue2 rises", "Spirit1 dies"},
         "encounter spirits: 2 of 2 hosts rose, 2 still stand\n"},
    };
    for (const Row& row : rows) {
        for (const bool scripted : {false, true}) {
            SCOPED_TRACE(std::string(row.boss) + (scripted ? " scripted" : " built-in"));
            const HostRun run =
                scripted ? RunBoss(row.boss,
                                   {"--input", SampleDatabase() + "/../input/Bosses/" + row.script})
                         : RunBoss(row.boss);
            ASSERT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(LinesStarting(run.out, "encounter " + std::string(row.boss) + ":"),
                      row.outcome);
            for (const std::string& event : row.events)
                EXPECT_NE(run.out.find(event), std::string::npos) << event;
            EXPECT_EQ(run.err.find("[log"), std::string::npos) << run.err;
        }
    }
}

} // namespace
} // namespace GAME::Test
