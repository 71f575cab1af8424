#include "host/HostOptions.h"
#include "host/LevelPlay.h"
#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace GAME::Test {
namespace {

// What the parser says of a command line: "" when it takes it.
std::string Refusal(std::vector<std::string> args)
{
    args.insert(args.begin(), {"--db", "/db"});
    HostOptions options;
    std::string error;
    return options.Parse(args, error) ? std::string() : error;
}

// A bad command line: status 1, nothing played, its one line and the pointer to the help.
void ExpectBadOptions(const HostRun& run, const std::string& line)
{
    ExpectRefusal(run, 1, "gamehost: " + line + "\n" + HostOptions::kHelpHint);
}

// Runs refused before anything is played or written: status 1 and their one line each.
struct RefusedRun {
    std::vector<std::string> args;
    std::string line;
};

template <size_t N> void ExpectRefusedRuns(SampleCopy& copy, const RefusedRun (&rows)[N])
{
    for (const RefusedRun& row : rows) {
        SCOPED_TRACE(row.line);
        const HostRun run = copy.Run(row.args);
        ExpectRefusal(run, 1, "gamehost: " + row.line + "\n");
    }
}

TEST(HostOptions, EveryOptionThatTakesAValueRefusesAnEmptyOne)
{
    // Each with what else it needs, so that only the empty value can be wrong.
    const std::vector<std::vector<std::string>> rows = {
        {"--duel"},        {"--quest-state", "--quests"},
        {"--dump-stream"}, {"--player", "--role", "single"},
        {"--spawn"},       {"--teleport"},
        {"--input"},       {"--monsters", "--scenario", "horde"},
        {"--boss"},        {"--load"},
        {"--save"},        {"--db"},
        {"--frames"},      {"--role"},
        {"--scenario"},    {"--answer"},
        {"--ms"},          {"--frame-ms"},
        {"--port"},        {"--clients"},
        {"--connect"},     {"--difficulty"},
        {"--level"},       {"--route"},
        {"--map"},         {"--seed"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.front());
        std::vector<std::string> args{row.front(), ""};
        args.insert(args.end(), row.begin() + 1, row.end());
        EXPECT_EQ(Refusal(args), row.front() + " needs a value, not an empty one");
    }

    // The save a fresh hero would have been written over is left as it was.
    TempDatabase scratch;
    scratch.WriteFile("keep.sav", "the hero of last night");
    const std::string keep = scratch.GetRoot() + "/keep.sav";
    ExpectBadOptions(RunSample({"--load", "", "--save", keep}),
                     "--load needs a value, not an empty one");
    EXPECT_EQ(ReadBytes(keep), "the hero of last night");
}

TEST(HostOptions, AnOptionGivenTwiceIsRefusedButASpawn)
{
    EXPECT_EQ(Refusal({"--save", "a", "--save", "b"}), "--save may be given once");
    EXPECT_EQ(Refusal({"--verbose", "--verbose"}), "--verbose may be given once");
    EXPECT_EQ(Refusal({"--role", "single", "--ms", "5", "--frame-ms", "6"}),
              "--frame-ms (--ms) may be given once");
    EXPECT_EQ(Refusal({"--role", "single", "--spawn", "R@1,2,3", "--spawn", "R@4,5,6"}), "");
}

TEST(HostOptions, AnOptionThatDoesNothingInTheModeChosenIsRefusedNamingTheMode)
{
    const struct {
        std::vector<std::string> args;
        std::string error;
    } rows[] = {
        {{"--map", "m.svg", "--role", "single"}, "--map does nothing with --role single"},
        {{"--map", "m.svg", "--scenario", "horde"}, "--map does nothing with --scenario horde"},
        {{"--map", "m.svg", "--items"}, "--map does nothing with --items"},
        {{"--map", "m.svg", "--frames", "5"}, "--map does nothing with --frames"},
        // No count of frames plays the level: 0 asks for the engine's loop as 5 does.
        {{"--save", "x", "--frames", "0"}, "--save does nothing with --frames"},
        {{"--connect", "127.0.0.1:99999", "--role", "client"},
         "--connect needs ADDRESS:PORT, PORT from 1 to 65535, not '127.0.0.1:99999'"},
        {{"--connect", "127.0.0.1:9", "--role", "single"}, "--connect goes with --role client"},
        {{"--level", "x.lvl", "--role", "single"}, "--level does nothing with --role single"},
        {{"--route", "x.route", "--quests"}, "--route does nothing with --quests"},
        {{"--role", "server", "--port", "0", "--save", "x"}, "--save does nothing with --port"},
        {{"--scenario", "horde", "--load", "x"}, "--load does nothing with --scenario horde"},
        // A refusal names what fixes it, not a step towards another refusal.
        {{"--role", "server", "--save", "x"},
         "--save with --role needs the main player's record (--player RECORD)"},
        {{"--portal"}, "--portal does nothing with the level played whole"},
        {{"--scenario", "quest", "--port", "0"},
         "--scenario quest is no network scene: only --scenario pack goes with --port or "
         "--connect"},
        {{"--realtime", "--role", "single"}, "--realtime does nothing with --role single"},
        {{"--answer", "no"}, "--answer does nothing with the level played whole"},
        {{"--role", "server", "--clients", "3"}, "--clients does nothing with --role server"},
        {{"--difficulty", "2", "--scenario", "horde"},
         "--difficulty does nothing with --scenario horde"},
        {{"--role", "client", "--connect", "127.0.0.1:9", "--difficulty", "1"},
         "--difficulty does nothing with --connect"},
        {{"--role", "server", "--port", "0", "--frames", "9"}, "--frames does nothing with --port"},
        {{"--role", "server", "--port", "0", "--scenario", "pack", "--realtime"},
         "--realtime does nothing with --scenario pack"},
        {{"--role", "client", "--connect", "127.0.0.1:9", "--seed", "4"},
         "--seed does nothing with --connect"},
        {{"--dump-stream", "hero.sav"}, "--db does nothing with --dump-stream"},
        // What needs a session's hero, a quest or a session of its own.
        {{"--role", "single", "--load", "x"},
         "--load with --role needs the main player's record (--player RECORD)"},
        {{"--role", "single", "--respawn"},
         "--respawn needs the main player's record (--player RECORD)"},
        {{"--player", "R"}, "--player needs a session (--role) and no --scenario"},
        {{"--scenario", "kill", "--player", "R"},
         "--player needs a session (--role) and no --scenario"},
        {{"--spawn", "A.dbr@0,0,0"}, "--spawn needs a session (--role) and no --scenario"},
        {{"--role", "single", "--teleport", "1,2,3.5"},
         "--teleport needs whole world coordinates X,Y,Z, not '1,2,3.5'"},
        {{"--role", "single", "--player", "R", "--teleport", "1,2,3", "--respawn"},
         "--teleport and --respawn cannot be given together"},
        {{"--role", "observer"}, "--role takes single, server or client, not 'observer'"},
        {{"--quest-state", "/tmp"},
         "--quest-state goes with --quests, --scenario quest or --scenario quest-actions"},
        {{"--scenario", "quest"}, "--scenario quest needs --quest-state DIR"},
        {{"--resume"}, "--resume goes with --scenario quest"},
        {{"--scenario", "level", "--difficulty", "3"}, "--difficulty needs 0, 1 or 2, not '3'"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.error);
        EXPECT_EQ(Refusal(row.args), row.error);
    }
    // Where each does something it is taken.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--map", "m.svg", "--verbose", "--realtime", "--difficulty",
                                   "2"},
          {"--role", "single", "--difficulty", "2", "--answer", "no"},
          {"--scenario", "level", "--difficulty", "1"},
          {"--scenario", "town", "--verbose"},
          {"--role", "server", "--save", "x", "--player", "R"},
          {"--role", "server", "--port", "0", "--clients", "2", "--level", "x.lvl", "--route",
           "x.route", "--realtime", "--difficulty", "2"},
          {"--role", "server", "--port", "0", "--scenario", "pack", "--difficulty", "1"}}) {
        EXPECT_EQ(Refusal(args), "") << args.front() << ' ' << args[1];
    }

    // Refused before anything is played: no map is drawn.
    TempDatabase scratch;
    const std::string map = scratch.GetRoot() + "/village.svg";
    ExpectBadOptions(RunSample({"--role", "single", "--map", map}),
                     "--map does nothing with --role single");
    EXPECT_FALSE(std::filesystem::exists(map));
}

// The reports play on the engine alone; in a network session they would be passed over.
TEST(HostOptions, ANetworkSessionRefusesEveryReport)
{
    for (const std::string report : {"--classes", "--characters", "--items", "--deaths", "--skills",
                                     "--duel", "--packets", "--quests"}) {
        std::vector<std::string> args{"--role", "client", "--connect", "127.0.0.1:9", report};
        if (report == "--duel")
            args.push_back("3");
        EXPECT_EQ(Refusal(args), report + " does nothing with --connect");
    }
    ExpectBadOptions(RunSample({"--role", "server", "--port", "0", "--items"}),
                     "--items does nothing with --port");
}

// "-0" is refused as "-1" is; a number past the option's type is told the range it has.
TEST(HostOptions, ANumberThatCannotBeNegativeRefusesASign)
{
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--frames"}, "--frames needs a count from 0 to 2147483647"},
        {{"--frame-ms"}, "--frame-ms needs milliseconds from 1 to 1000"},
        {{"--seed"}, "--seed needs a number from 0 to 4294967295"},
        {{"--difficulty"}, "--difficulty needs 0, 1 or 2"},
        {{"--clients", "--role", "server", "--port", "0"}, "--clients needs a count from 1 to 15"},
    };
    for (const auto& [args, error] : rows) {
        for (const char* number : {"-0", "4294967296"}) {
            std::vector<std::string> line{args.front(), number};
            line.insert(line.end(), args.begin() + 1, args.end());
            EXPECT_EQ(Refusal(line), error + ", not '" + number + "'");
        }
    }
}

// --ms is refused where it cannot be played or does nothing.
TEST(HostOptions, MillisecondsAFrameAreRefusedWhereNoFrameTakesThemWell)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--ms", "1001"},
                                                 {"--role", "server", "--port", "0", "--ms", "0"},
                                                 {"--scenario", "arena", "--ms", "0"},
                                                 {"--scenario", "horde", "--ms", "100000"}})
        EXPECT_EQ(Refusal(args),
                  "--ms needs milliseconds from 1 to 1000, not '" + args.back() + "'");
    EXPECT_EQ(Refusal({"--ms", "1000"}), "");
    EXPECT_EQ(Refusal({"--scenario", "market", "--ms", "100"}),
              "--ms does nothing with --scenario market");
    EXPECT_EQ(Refusal({"--items", "--ms", "100"}), "--ms does nothing with --items");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--scenario", "market", "--frames", "5"},
          {"--scenario", "bosses"},
          {"--input", "orders.txt"}}) {
        std::vector<std::string> line = args;
        line.insert(line.end(), {"--ms", "100"});
        EXPECT_EQ(Refusal(line), "") << args[1];
    }
}

TEST(HostOptions, ADuelsCountOfHitsIsBounded)
{
    for (const char* count : {"0", "1001", "x"})
        ExpectBadOptions(RunSample({"--duel", count}),
                         "--duel needs a count of hits from 1 to 1000, not '" + std::string(count) +
                             "'");
}

TEST(HostOptions, ABossIsNamedAmongTheEncountersAndItsOrdersGoWithIt)
{
    ExpectBadOptions(RunSample({"--scenario", "bosses", "--boss", "bogus"}),
                     "--boss takes bandari telkine ormenos cyclops megalesios spirits typhon "
                     "chained aktaios, not 'bogus'");
    EXPECT_EQ(Refusal({"--scenario", "bosses", "--input", "orders.txt"}),
              "--input does nothing with --scenario bosses without --boss");
}

TEST(HostOptions, ASessionPlaysAtTheDifficultyGiven)
{
    const HostRun run = RunSample({"--role", "single", "--difficulty", "2"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("balance for monsters ("), std::string::npos) << run.out;
    EXPECT_NE(run.out.find(") at level 3:\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find(") at level 1:\n"), std::string::npos) << run.out;
}

// A map or a save never lands on what the same run reads; nothing is played or written then.
TEST(HostOptions, AMapOrSaveNamingWhatTheRunReadsIsRefused)
{
    SampleCopy copy;
    const std::string root = copy.folder.GetRoot();
    copy.folder.WriteFile("hero.sav", "the hero of last night");
    const std::string save = root + "/hero.sav";
    const std::string level = root + "/" + LevelPlay::kLevel;
    const std::string route = root + "/Levels/Village.route";
    const std::string levelBytes = ReadBytes(level);
    const std::string routeBytes = ReadBytes(route);
    std::filesystem::create_hard_link(route, root + "/linked.route");
    const RefusedRun rows[] = {
        {{"--save", save, "--map", save}, "--map '" + save + "' would overwrite the save"},
        {{"--save", root + "/new.sav", "--map", root + "/./new.sav"},
         "--map '" + root + "/./new.sav' would overwrite the save"},
        {{"--load", save, "--map", save}, "--map '" + save + "' would overwrite the save it loads"},
        {{"--map", level}, "--map '" + level + "' would overwrite the level"},
        {{"--map", root + "/linked.route"},
         "--map '" + root + "/linked.route' would overwrite the route"},
        {{"--save", route}, "--save '" + route + "' would overwrite the route"},
    };
    ExpectRefusedRuns(copy, rows);
    EXPECT_EQ(ReadBytes(save), "the hero of last night");
    EXPECT_EQ(ReadBytes(level), levelBytes);
    EXPECT_EQ(ReadBytes(route), routeBytes);
    EXPECT_FALSE(std::filesystem::exists(root + "/new.sav"));
}

// Nothing the run reads is written over: any file of the database, a new one in it however its
// folder is reached, or the order script a quest's state would replace.
TEST(HostOptions, AnOutputIntoTheDatabaseOrOverAnOrderScriptIsRefused)
{
    SampleCopy copy;
    const std::string root = copy.folder.GetRoot();
    TempDatabase scratch;
    const std::string state = scratch.GetRoot() + "/state";
    scratch.WriteFile("state/QuestRepository.dat", "1 click 1,1\n");
    std::filesystem::create_directory_symlink(root + "/Quests", scratch.GetRoot() + "/quests");
    const std::string linked = scratch.GetRoot() + "/village.qst";
    std::filesystem::create_hard_link(root + "/Quests/Village.qst", linked);
    const std::vector<std::string> kept{"/Quests/Village.qst", "/Records/Game/GameEngine.dbr",
                                        "/Levels/Village.client1.route"};
    std::vector<std::string> before;
    for (const std::string& file : kept)
        before.push_back(ReadBytes(root + file));
    const std::string into = "would write into the database '" + root + "', which the run reads";
    const RefusedRun rows[] = {
        {{"--save", root + kept[0]}, "--save '" + root + kept[0] + "' " + into},
        {{"--save", root + kept[1]}, "--save '" + root + kept[1] + "' " + into},
        {{"--map", root + kept[2]}, "--map '" + root + kept[2] + "' " + into},
        {{"--map", scratch.GetRoot() + "/quests/new/x.svg"},
         "--map '" + scratch.GetRoot() + "/quests/new/x.svg' " + into},
        {{"--save", linked}, "--save '" + linked + "' " + into},
        {{"--scenario", "quest", "--quest-state", state, "--input", state + "/QuestRepository.dat"},
         "--quest-state '" + state + "' (QuestRepository.dat) would overwrite the order script"},
    };
    ExpectRefusedRuns(copy, rows);
    for (size_t i = 0; i < kept.size(); ++i)
        EXPECT_EQ(ReadBytes(root + kept[i]), before[i]) << kept[i];
    EXPECT_FALSE(std::filesystem::exists(root + "/Quests/new"));
    EXPECT_EQ(ReadBytes(state + "/QuestRepository.dat"), "1 click 1,1\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(state), {}), 1);
}

// A level named in another case is found in the database, and its route beside it so too.
TEST(HostOptions, ALevelsRouteIsFoundBesideItWhateverTheCase)
{
    SampleCopy copy;
    copy.folder.WriteFile("Levels/Tiny.lvl", "region 1 0 0 0 -5 -5 -5 5 5 5\n");
    copy.folder.WriteFile("Levels/Tiny.route", "# the hero stands where he starts\n");
    const HostRun run = copy.Run({"--level", "levels/tiny.LVL"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(
        run.out.rfind("level levels/tiny.LVL, seed 1, difficulty 0: 0 entities, 0 orders\n", 0), 0u)
        << run.out;
}

TEST(HostOptions, ResumingAQuestFromNothingIsRefused)
{
    TempDatabase scratch;
    for (const std::string& folder : {scratch.GetRoot() + "/missing", scratch.GetRoot()}) {
        SCOPED_TRACE(folder);
        const HostRun run = RunSample({"--scenario", "quest", "--quest-state", folder, "--resume"});
        ExpectRefusal(run, 2,
                      "gamehost: no quest state to resume in '" + folder +
                          "': it holds no QuestRepository.dat\n");
    }
    EXPECT_FALSE(std::filesystem::exists(scratch.GetRoot() + "/missing"));
}

// A port another program holds is told once, not again as the engine's log line.
TEST(HostOptions, ABusyPortIsToldInOneLine)
{
    const int holder = socket(AF_INET, SOCK_DGRAM, 0);
    ASSERT_GE(holder, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(holder, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(getsockname(holder, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const std::string port = std::to_string(ntohs(address.sin_port));
    const HostRun run = RunSample({"--role", "server", "--port", port});
    close(holder);
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "gamehost: cannot listen on 127.0.0.1:" + port + "\n");
}

} // namespace
} // namespace GAME::Test
