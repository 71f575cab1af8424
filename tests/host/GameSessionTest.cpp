#include "engine/FileSystem.h"
#include "host/GameHost.h"
#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>

namespace GAME {
namespace {

using Test::HostRun;
using Test::RunHost;
using Test::SampleDatabase;
using Test::TempDatabase;

const char* const kHero = "Records/Creatures/PC/Hero.dbr";

std::string FileBytes(const std::string& path)
{
    std::string bytes;
    FileSystem::ReadWholeFile(path, 1 << 24, bytes);
    return bytes;
}

// The lines of `text` that start with `prefix`.
std::string LinesStarting(const std::string& text, const std::string& prefix)
{
    std::istringstream lines(text);
    std::string found;
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(prefix, 0) == 0)
            found += line + '\n';
    return found;
}

std::string Play(const std::vector<std::string>& extra, int& status)
{
    std::vector<std::string> args = {"--db", SampleDatabase()};
    args.insert(args.end(), extra.begin(), extra.end());
    std::ostringstream out;
    std::ostringstream err;
    status = GameHost::Run(args, out, err);
    return out.str();
}

TEST(GameSession, SinglePlayerUnlocksTheInventoryHintAfterTenMinutes)
{
    int status = 1;
    const std::string out = Play({"--role", "single", "--frames", "18182", "--ms", "33"}, status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(out.find("session: single, 18182 frames of 33 ms\n"), std::string::npos);
    // 18182 frames of 33 ms are the first to reach 600000 ms.
    EXPECT_NE(out.find("frame 18182: tutorial page tagTutorialPage28 unlocked: Your inventory\n"),
              std::string::npos);
    EXPECT_EQ(out.find("frame 18181:"), std::string::npos);
}

TEST(GameSession, EveryRoleRunsAndShutsDownCleanly)
{
    for (const char* role : {"single", "server", "client"}) {
        SCOPED_TRACE(role);
        int status = 1;
        const std::string out = Play({"--role", role, "--frames", "1000"}, status);
        EXPECT_EQ(status, 0);
        EXPECT_NE(out.find("session ended:"), std::string::npos);
    }
    int status = 0;
    Play({"--role", "observer"}, status);
    EXPECT_EQ(status, 1);
}

TEST(GameSession, PacketsAreNamedByTheirClassAndTheFooterComesOnce)
{
    int status = 1;
    const std::string out = Play({"--role", "server", "--frames", "40"}, status);
    EXPECT_EQ(status, 0);
    // The server tells its clients about every player once a second.
    EXPECT_NE(out.find("\nframe 34: AllPlayersHeartbeatPacket (send, 12 bytes)\n"),
              std::string::npos);
    EXPECT_EQ(out.find("Packet type"), std::string::npos);
    EXPECT_NE(out.find("\nsession ended: 0 messages to the player, 1 packets sent\n"
                       "database: "),
              std::string::npos);
    size_t footers = 0;
    for (size_t at = out.find("\nobjects: "); at != std::string::npos;
         at = out.find("\nobjects: ", at + 1))
        ++footers;
    EXPECT_EQ(footers, 1u);
}

TEST(GameSession, ASavedMainPlayerReloadsIntoAFreshSessionAlike)
{
    TempDatabase folder;
    const std::string first = folder.GetRoot() + "/first.chr";
    const std::string second = folder.GetRoot() + "/second.chr";
    const std::string db = SampleDatabase();
    const HostRun played = RunHost(
        {"--db", db, "--role", "single", "--player", kHero, "--frames", "100", "--save", first});
    ASSERT_EQ(played.status, 0) << played.err;
    const HostRun reloaded = RunHost(
        {"--db", db, "--role", "single", "--player", kHero, "--load", first, "--save", second});
    ASSERT_EQ(reloaded.status, 0) << reloaded.err;

    const std::string saved = LinesStarting(played.out, "player saved to ");
    ASSERT_FALSE(saved.empty()) << played.out;
    EXPECT_EQ(LinesStarting(reloaded.out, "player loaded from ").substr(19),
              saved.substr(16)) // the same after the path's verb
        << reloaded.out;
    EXPECT_NE(FileBytes(first), "");
    EXPECT_EQ(FileBytes(second), FileBytes(first));
}

TEST(GameSession, ABadSaveFileStopsTheSessionAndIsLeftAsItWas)
{
    TempDatabase folder;
    const std::string path = folder.GetRoot() + "/hero.chr";
    const std::string db = SampleDatabase();
    ASSERT_EQ(RunHost({"--db", db, "--role", "single", "--player", kHero, "--save", path}).status,
              0);
    std::string cut = FileBytes(path);
    cut.resize(cut.size() / 2);
    folder.WriteFile("hero.chr", cut);

    const HostRun refused = RunHost({"--db", db, "--role", "single", "--player", kHero, "--load",
                                     path, "--save", path, "--frames", "5"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(LinesStarting(refused.err, "gamehost: "),
              "gamehost: save file '" + path + "' is damaged; no player was loaded from it\n");
    EXPECT_EQ(FileBytes(path), cut);

    const HostRun unwritable = RunHost({"--db", db, "--role", "single", "--player", kHero, "--save",
                                        folder.GetRoot() + "/none/hero.chr"});
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_EQ(LinesStarting(unwritable.err, "gamehost: "),
              "gamehost: the player could not be saved to '" + folder.GetRoot() +
                  "/none/hero.chr'\n");

    const HostRun notAPlayer =
        RunHost({"--db", db, "--role", "single", "--player", "Records/Game/GameEngine.dbr"});
    EXPECT_EQ(notAPlayer.status, 2);
    const std::string line = LinesStarting(notAPlayer.err, "gamehost: ");
    EXPECT_EQ(line.rfind("gamehost: sample character record 'Records/Game/GameEngine.dbr'", 0), 0u)
        << notAPlayer.err;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
}

TEST(GameSession, SaveAndLoadNeedAMainPlayerInASession)
{
    const std::string db = SampleDatabase();
    EXPECT_EQ(RunHost({"--db", db, "--role", "single", "--save", "x.chr"}).status, 1);
    EXPECT_EQ(RunHost({"--db", db, "--role", "single", "--load", "x.chr"}).status, 1);
    const HostRun noRole = RunHost({"--db", db, "--player", kHero});
    EXPECT_EQ(noRole.status, 1);
    EXPECT_EQ(noRole.err.substr(0, noRole.err.find('\n')),
              "gamehost: --player needs a session (--role) and no --scenario");
    EXPECT_EQ(RunHost({"--db", db, "--scenario", "kill", "--player", kHero}).status, 1);
}

} // namespace
} // namespace GAME
