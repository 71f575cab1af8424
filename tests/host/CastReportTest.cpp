#include "host/CastReport.h"
#include "host/HostOptions.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// Each line is looked for after the one before it.
void ExpectInOrder(const std::string& text, const std::vector<std::string>& lines)
{
    size_t at = 0;
    for (const std::string& line : lines) {
        const size_t found = text.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing, in order:\n" << line << "\n" << text;
        at = found + line.size();
    }
}

// The text after "before: " and "after:  " on the lines holding `what`.
std::string StateLine(const std::string& text, const std::string& label, const std::string& what)
{
    const size_t at = text.find(label + what);
    if (at == std::string::npos)
        return "(no " + label + what + " line)";
    const size_t start = at + label.size();
    return text.substr(start, text.find('\n', start) - start);
}

TEST(CastReport, APetServesFiveSecondsThenGoesBackToItsLeaderAndSide)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--scenario", "cast"});
    ASSERT_EQ(run.status, 0) << run.err;
    // The sample skills name classes the library does not make yet; nothing else may fail.
    std::istringstream errors(DataErrors(run.err));
    for (std::string line; std::getline(errors, line);)
        EXPECT_NE(line.find("Records/Skills/"), std::string::npos) << line;
    ExpectInOrder(run.out, {
                               "scenario cast as single player, seed 1:\n",
                               "guard: team 2/",
                               ", invincible yes\n",
                               "pet:\n  t=0 ms: the monster joins the hero for 5000 ms\n",
                               "  t=0 ms: " + std::string(CastReport::kMonster) + " (",
                               "): leader 0 -> ",
                               "): team 3/2 -> 2/0\n",
                               "banner shown Records/Effects/Banners/PlayerPetBanner.dbr\n",
                               "  t=5000 ms: " + std::string(CastReport::kMonster) + " (",
                               " -> 0\n",
                               "): team 2/0 -> 3/2\n",
                               "banner removed Records/Effects/Banners/PlayerPetBanner.dbr\n",
                           });
}

TEST(CastReport, TheElderTalksAndHisLevelStateComesBackAlike)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--scenario", "cast"});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectInOrder(run.out, {
                               "conversation:\n",
                               "dialog line tagVillageElderGreeting \"Welcome, traveller.",
                               "level state:\n",
                           });
    for (const char* what : {"monster: ", "npc: "})
        EXPECT_EQ(StateLine(run.out, "  before: ", what), StateLine(run.out, "  after:  ", what));
    EXPECT_NE(run.out.find("  world cleared: 0 entities\n"), std::string::npos) << run.out;
}

TEST(CastReport, SpawnsAreCheckedBeforeTheSessionStarts)
{
    const std::string db = SampleDatabase();
    for (const char* bad : {"NoPoint.dbr", "@1,2,3", "A.dbr@1,2", "A.dbr@1,2,3,4", "A.dbr@x,0,0",
                            "A.dbr@inf,0,0", "A.dbr@1,,3"}) {
        const HostRun run = RunHost({"--db", db, "--role", "single", "--spawn", bad});
        EXPECT_EQ(run.status, 1) << bad;
        EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1),
                  "gamehost: --spawn needs RECORD@x,y,z, not '" + std::string(bad) + "'\n");
    }
    const HostRun noSession = RunHost({"--db", db, "--spawn", "A.dbr@0,0,0"});
    EXPECT_EQ(noSession.status, 1);
    EXPECT_NE(noSession.err.find("--spawn needs a session (--role) and no --scenario"),
              std::string::npos);

    const HostRun missing = RunHost({"--db", db, "--role", "single", "--spawn", "No.dbr@0,0,0"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("gamehost: spawn record 'No.dbr' does not make a character\n"),
              std::string::npos)
        << missing.err;
    const HostRun outside = RunHost(
        {"--db", db, "--role", "single", "--spawn", std::string(CastReport::kNpc) + "@30,0,0"});
    EXPECT_EQ(outside.status, 2);
    EXPECT_NE(outside.err.find("lies outside the session's region"), std::string::npos);
}

TEST(CastReport, ASessionPrintsWhatItsPlacedCharactersShow)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--role", "single", "--frames", "1",
                                 "--spawn", std::string(CastReport::kNpc) + "@1,0,2.5"});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectInOrder(run.out, {"frame 0: placed " + std::string(CastReport::kNpc) + " (",
                            ") at (1.00, 0.00, 2.50)\n",
                            "): mark none -> Records/Effects/ObjectEffects/Question01.dbr\n",
                            "session ended: "});
}

} // namespace
} // namespace GAME::Test
