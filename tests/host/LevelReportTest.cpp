#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

size_t Count(const std::string& text, const std::string& piece)
{
    size_t count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

TEST(LevelReport, TheWalkHearsSeesAndCrossesTheLevelInOrderAndOneSeedGivesOneTranscript)
{
    const HostRun& run = SharedSample({"--scenario", "level", "--seed", "7"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DataErrors(run.err), "");
    const std::string& out = run.out;
    // The music fades as the hero nears the shrine, then its event music plays, once.
    const size_t fade = out.find("jukebox FadeOutMusic 5000");
    const size_t event = out.find("jukebox PlayEventMusic Records/Sounds/Music/ShrineEvent.dbr");
    ASSERT_NE(fade, std::string::npos) << out;
    EXPECT_LT(fade, event);
    EXPECT_EQ(Count(out, "PlayEventMusic"), 1u);
    EXPECT_LT(out.find("jukebox LoadAmbientPlaylist"), out.find("jukebox LoadMusicPlaylist"));
    EXPECT_EQ(Count(out, "sound Records/Sounds/Level/GateCreak.dbr"), 1u);
    EXPECT_EQ(Count(out, "sound Records/Sounds/Level/RiverLoop.dbr"), 1u);
    EXPECT_GE(Count(out, "sound Records/Sounds/Level/Bell.dbr"), 3u);
    EXPECT_NE(out.find("effect Records/Effects/Level/GateGlow.dbr removed"), std::string::npos);
    EXPECT_NE(out.find("daylight 14.00"), std::string::npos);
    EXPECT_NE(out.find("daylight 20.00"), std::string::npos);
    EXPECT_EQ(Count(out, "daylight 20.00"), 1u) << "an hour is printed when it changes";

    EXPECT_EQ(RunSample({"--scenario", "level", "--seed", "7"}).out, out);
    EXPECT_NE(RunSample({"--scenario", "level", "--seed", "8"}).out, out) << "the bell's waits";
}

TEST(LevelReport, AnOrderFileWalksTheHeroToItsClicksAndTakesNothingElse)
{
    TempDatabase folder;
    const std::string path = folder.GetRoot() + "/orders.txt";
    // Straight to the far end: the built-in waypoints lie on that line, so the walk is theirs.
    folder.WriteFile("orders.txt", "1 click 150,0\n");
    const HostRun straight = RunSample({"--scenario", "level", "--seed", "7", "--input", path});
    ASSERT_EQ(straight.status, 0) << straight.err;
    EXPECT_EQ(straight.out, SharedSample({"--scenario", "level", "--seed", "7"}).out);

    // Turning back before the gate: its sound never plays and the shrine's music never comes.
    folder.WriteFile("orders.txt", "1 click 40,0\n90 click 0,0\n");
    const HostRun back = RunSample({"--scenario", "level", "--seed", "7", "--input", path});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(Count(back.out, "GateCreak"), 0u);
    EXPECT_EQ(Count(back.out, "PlayEventMusic"), 0u);

    folder.WriteFile("orders.txt", "1 click 150,0\n5 hold\n");
    const HostRun bad = RunSample({"--scenario", "level", "--input", path});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "gamehost: script '" + path +
                           "' line 2: the level scenario takes only ground clicks\n");
}

} // namespace
} // namespace GAME::Test
