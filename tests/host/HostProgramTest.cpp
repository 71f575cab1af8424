#include "engine/FileSystem.h"
#include "host/ShownName.h"
#include "tests/host/HostRun.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace GAME::Test {
namespace {

using Clock = ChildProcess::Clock;

// The lines of the program's own voice, without the engine's log.
std::string HostLines(const std::string& err)
{
    return LinesStarting(err, "gamehost: ");
}

// The program run as nobody, on the sample database.
HostRun AsNobody(const std::vector<std::string>& args, const TempDatabase& scratch)
{
    std::vector<std::string> all{"--reuid=65534",  "--regid=65534", "--clear-groups",
                                 GAMEHOST_PROGRAM, "--db",          SampleDatabase()};
    all.insert(all.end(), args.begin(), args.end());
    return RunChild("/usr/bin/setpriv", all, scratch.GetRoot() + "/run");
}

TEST(ShownName, KeepsPrintableTextAndEscapesWhatWouldBreakALine)
{
    EXPECT_EQ(ShownName("saves/h\xC3\xA9ros \xE2\x82\xAC \xF0\x9F\x97\xA1.sav"),
              "saves/h\xC3\xA9ros \xE2\x82\xAC \xF0\x9F\x97\xA1.sav");
    EXPECT_EQ(ShownName("a\nb\tc\rd\x01\x7F"), "a\\nb\\tc\\rd\\x01\\x7f");
    // Bytes that are not UTF-8: stray, cut short, overlong, a surrogate, past U+10FFFF.
    EXPECT_EQ(ShownName("\xFF\x80"), "\\xff\\x80");
    EXPECT_EQ(ShownName("x\xC3"), "x\\xc3");
    EXPECT_EQ(ShownName("\xE2\x82."), "\\xe2\\x82.");
    EXPECT_EQ(ShownName("\xC0\xAF"), "\\xc0\\xaf");
    EXPECT_EQ(ShownName("\xED\xA0\x80"), "\\xed\\xa0\\x80");
    EXPECT_EQ(ShownName("\xF4\x90\x80\x80"), "\\xf4\\x90\\x80\\x80");
    // A control character of the second block is as invisible as one of the first.
    EXPECT_EQ(ShownName("\xC2\x85|\xC2\xA0"), "\\xc2\\x85|\xC2\xA0");
    // Shown twice, the same: a line may pass through more than one hand on its way out.
    EXPECT_EQ(ShownName(ShownName("a\n\\b\xFF")), "a\\n\\b\\xff");
}

TEST(HostProgram, ANameWithALineEndIsEchoedOnOneLine)
{
    TempDatabase folder;
    const HostRun run = RunHost({"--dump-stream", folder.GetRoot() + "/two\nlines\xFF.sav"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "gamehost: stream file '" + folder.GetRoot() +
                           "/two\\nlines\\xff.sav' does not exist\n");
    EXPECT_EQ(LinesStarting(RunHost({"--role", "two\nlines"}).err, "gamehost: "),
              "gamehost: --role takes single, server or client, not 'two\\nlines'\n");
}

// The reason the first failed write gave.
TEST(HostProgram, AFullOutputFailsTheRun)
{
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full here";
    TempDatabase scratch;
    const std::string save =
        SampleDatabase() + "/../../fuzz/corpus/player_save/bag_pixels_and_stack.chr";
    // Each prints more than a buffer holds, so its first bytes fail long before its last.
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--db", SampleDatabase(), "--classes"},
          std::vector<std::string>{"--help"}, std::vector<std::string>{"--dump-stream", save},
          std::vector<std::string>{"--db", SampleDatabase(), "--packets"},
          std::vector<std::string>{"--db", SampleDatabase(), "--scenario", "bosses"}}) {
        SCOPED_TRACE(args.back());
        const HostRun run =
            RunChild(GAMEHOST_PROGRAM, args, scratch.GetRoot() + "/run", "/dev/full");
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(HostLines(run.err),
                  "gamehost: the output could not be written: No space left on device\n");
    }
    // A file that may grow no further, likewise.
    const HostRun limited =
        RunChild("/bin/sh", {"-c", "ulimit -f 2 && exec \"$0\" --help", GAMEHOST_PROGRAM},
                 scratch.GetRoot() + "/run", scratch.GetRoot() + "/help");
    EXPECT_EQ(limited.status, 2);
    EXPECT_EQ(limited.err, "gamehost: the output could not be written: File too large\n");
}

TEST(HostProgram, ASignalStopsAPacedRunWithItsSummary)
{
    struct Row {
        int signal;
        int status;
        const char* option;
        const char* line;
    };
    for (const Row& row : {Row{SIGINT, 130, "--save", "gamehost: interrupted by SIGINT\n"},
                           Row{SIGTERM, 143, "--map", "gamehost: interrupted by SIGTERM\n"},
                           Row{SIGHUP, 129, "--save", "gamehost: interrupted by SIGHUP\n"}}) {
        TempDatabase scratch;
        scratch.WriteFile("last", "the last run's file");
        const std::string last = scratch.GetRoot() + "/last";
        ChildProcess program(GAMEHOST_PROGRAM,
                             {"--db", SampleDatabase(), "--realtime", row.option, last},
                             scratch.GetRoot() + "/run");
        // A paced run shows each frame's lines as it goes, through a file as well.
        ASSERT_NE(program.WaitForLine("level ", Clock::now() + std::chrono::minutes(1)), "")
            << program.Errors();
        program.Signal(row.signal);
        EXPECT_EQ(program.Wait(Clock::now() + std::chrono::minutes(1)), row.status);
        EXPECT_NE(program.Output().find("\nsummary: "), std::string::npos) << program.Output();
        // Paced, the run went as the clock did, however little its frames cost.
        EXPECT_NE(program.Output().find(" us; paced to the clock\n"), std::string::npos);
        EXPECT_EQ(HostLines(program.Errors()), row.line);
        EXPECT_EQ(ReadBytes(last), "the last run's file");
    }
}

// `timeout` signals the program and then its group: one request, not the player insisting.
TEST(HostProgram, TwoSignalsAtOnceAreOne)
{
    TempDatabase scratch;
    ChildProcess program(GAMEHOST_PROGRAM, {"--db", SampleDatabase(), "--realtime"},
                         scratch.GetRoot() + "/run");
    ASSERT_NE(program.WaitForLine("level ", Clock::now() + std::chrono::minutes(1)), "");
    program.Signal(SIGTERM);
    // The first taken, not merely waiting beside the second.
    for (int polls = 0; polls < 10000 && program.Pending(SIGTERM); ++polls)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    program.Signal(SIGTERM);
    EXPECT_EQ(program.Wait(Clock::now() + std::chrono::minutes(1)), 143);
    EXPECT_EQ(HostLines(program.Errors()), "gamehost: interrupted by SIGTERM\n");
    EXPECT_NE(program.Output().find("\nsummary: "), std::string::npos);
}

// The program's own handlers hand a signal taken while loading to the host's.
TEST(HostProgram, ASignalWhileLoadingStopsTheRun)
{
    TempDatabase scratch;
    const HostRun run = RunChild("/bin/sh",
                                 {"-c",
                                  // g++'s AddressSanitizer is a library that wants to come first.
                                  "ASAN_OPTIONS=\"$ASAN_OPTIONS:verify_asan_link_order=0\" "
                                  "LD_PRELOAD=\"$1\" exec \"$0\" --db \"$2\"",
                                  GAMEHOST_PROGRAM, RAISE_AT_START, SampleDatabase()},
                                 scratch.GetRoot() + "/run");
    EXPECT_EQ(run.status, 143);
    EXPECT_EQ(HostLines(run.err), "gamehost: interrupted by SIGTERM\n");
}

// A load of many seconds; a server so ended never said it listens.
TEST(HostProgram, ASignalEndsALoadAtTheLimitAtOnce)
{
    TempDatabase scratch;
    const std::string village = SampleDatabase() + "/Levels/Village.";
    std::string level = ReadBytes(village + "lvl");
    for (int i = 0; i < 9900; ++i)
        level += "Records/Creatures/Monster/Village/PackJackal.dbr 1 " +
                 std::to_string(150 + i % 20) + " 0 " + std::to_string(i / 20 % 80 - 40) +
                 " 270 - -\n";
    scratch.WriteFile("Crowd.lvl", level);
    for (const std::string route : {"route", "client1.route"})
        scratch.WriteFile("Crowd." + route, ReadBytes(village + route));
    // Within the load however fast the build: g++'s checked build loads it in 3-5 s.
    struct Row {
        int ms;
        std::vector<std::string> role;
    };
    for (const Row& row :
         {Row{500, {}}, Row{1000, {"--role", "server", "--port", "0", "--clients", "1"}},
          Row{2000, {}}}) {
        std::vector<std::string> args{"--db", SampleDatabase(), "--level",
                                      scratch.GetRoot() + "/Crowd.lvl"};
        args.insert(args.end(), row.role.begin(), row.role.end());
        ChildProcess program(GAMEHOST_PROGRAM, args, scratch.GetRoot() + "/run");
        std::this_thread::sleep_for(std::chrono::milliseconds(row.ms));
        const Clock::time_point signalled = Clock::now();
        program.Signal(SIGTERM);
        EXPECT_EQ(program.Wait(signalled + std::chrono::minutes(5)), 143) << row.ms;
        // Within a second on a core of its own; a shared one and the checked build take longer.
        EXPECT_LT(Clock::now() - signalled, std::chrono::seconds(2)) << row.ms;
        EXPECT_EQ(program.Output(), "") << row.ms;
        EXPECT_EQ(HostLines(program.Errors()), "gamehost: interrupted by SIGTERM\n") << row.ms;
    }
}

// The program finds its own libraries beside it; a copy moved away from them says so and stops.
TEST(HostProgram, LibrariesInTheWorkingFolderAreNeverLoaded)
{
    TempDatabase scratch;
    scratch.WriteFile("here/kept", "");
    scratch.WriteFile("moved/kept", "");
    const std::string here = scratch.GetRoot() + "/here";
    const std::string moved = scratch.GetRoot() + "/moved/gamehost";
    for (const char* name : {"libm.so.6", "libgamehost.so.0", "libgame.so.0", "libc.so.6"})
        std::filesystem::copy_file(DECOY_LIBRARY, here + "/" + name);
    std::filesystem::copy_file(GAMEHOST_PROGRAM, moved);
    const auto runFromHere = [&](const std::string& program) {
        return RunChild("/bin/sh", {"-c", "cd \"$0\" && exec \"$1\" --help", here, program},
                        scratch.GetRoot() + "/run");
    };
    const HostRun own = runFromHere(GAMEHOST_PROGRAM);
    EXPECT_EQ(own.status, 0);
    EXPECT_EQ(own.err, "");
    const HostRun away = runFromHere(moved);
    EXPECT_EQ(away.status, 2);
    const std::string folder = scratch.GetRoot() + "/moved";
    EXPECT_EQ(away.err, "gamehost: the host library could not be loaded: no libgamehost.so.0 in " +
                            folder + "/.. or " + folder + "/../lib\n");
}

// Not a silent death by SIGPIPE. The reader closes its end before the program starts.
TEST(HostProgram, AClosedPipeFailsTheRunInOneLine)
{
    TempDatabase scratch;
    const std::string script =
        "mkfifo \"$0\" && { read -r _ < \"$0\"; \"$@\"; echo \"status $?\" >&2; }"
        " | { exec 0<&-; echo > \"$0\"; }";
    const HostRun piped = RunChild("/bin/sh",
                                   {"-c", script, scratch.GetRoot() + "/ready", GAMEHOST_PROGRAM,
                                    "--db", SampleDatabase(), "--classes"},
                                   scratch.GetRoot() + "/run");
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.err, "gamehost: the output could not be written: Broken pipe\nstatus 2\n");
}

TEST(HostProgram, ASaveOrMapOntoAPipeOrAFolderIsRefused)
{
    TempDatabase scratch;
    scratch.WriteFile("Tiny.lvl", "region 1 0 0 0 -5 -5 -5 5 5 5\n");
    scratch.WriteFile("Tiny.route", "");
    scratch.WriteFile("folder/inside", "x");
    const std::string pipe = scratch.GetRoot() + "/pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    const std::string level = scratch.GetRoot() + "/Tiny.lvl";
    ExpectFailure(RunSample({"--level", level, "--save", pipe}), 2,
                  "gamehost: --save '" + pipe + "': it is a FIFO, not a regular file\n");
    const std::string folder = scratch.GetRoot() + "/folder";
    ExpectFailure(RunSample({"--level", level, "--map", folder}), 2,
                  "gamehost: --map '" + folder + "': it is a folder, not a regular file\n");
    struct stat info {};
    EXPECT_TRUE(stat(pipe.c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
    EXPECT_EQ(ReadBytes(folder + "/inside"), "x");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.GetRoot()), {}), 4);
    // A name ending in '/' is a folder's, whether or not a file of that name stands.
    scratch.WriteFile("good.sav", "kept");
    for (const char* name : {"/newname/", "/good.sav/"}) {
        const std::string slashed = scratch.GetRoot() + name;
        EXPECT_EQ(HostLines(RunSample({"--level", level, "--save", slashed}).err),
                  "gamehost: --save '" + slashed +
                      "': it ends in '/', as only a folder's name may\n");
    }
    EXPECT_FALSE(std::filesystem::exists(scratch.GetRoot() + "/newname"));
    EXPECT_EQ(ReadBytes(scratch.GetRoot() + "/good.sav"), "kept");
}

// Root is stopped by a mode that lets no one write.
TEST(HostProgram, AnOutputThatCouldNotBeWrittenIsRefusedBeforeAFrame)
{
    TempDatabase scratch;
    scratch.WriteFile("locked/kept", "x");
    const std::string locked = scratch.GetRoot() + "/locked";
    const std::string missing = scratch.GetRoot() + "/nofolder/x.sav";
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
    const HostRun lost = RunSample({"--save", missing});
    const HostRun denied = RunSample({"--map", locked + "/x.svg"});
    ASSERT_EQ(chmod(locked.c_str(), 0755), 0);
    EXPECT_EQ(lost.status, 2);
    EXPECT_EQ(denied.status, 2);
    EXPECT_EQ(lost.out + denied.out, "");
    EXPECT_EQ(lost.err, "gamehost: --save '" + missing + "': its folder does not exist\n");
    EXPECT_EQ(denied.err,
              "gamehost: --map '" + locked + "/x.svg': its folder cannot be written (" +
                  (geteuid() == 0 ? "its mode 0555 lets no one write" : "Permission denied") +
                  ")\n");
    // Root's folder, to a user who is not root.
    if (geteuid() == 0 && access("/usr/bin/setpriv", X_OK) == 0) {
        ExpectRefusal(AsNobody({"--save", locked + "/x.sav"}, scratch), 2,
                      "gamehost: --save '" + locked +
                          "/x.sav': its folder cannot be written (Permission denied)\n");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(locked), {}), 1);
}

// Two spellings of one new file are one output, refused before anything is played or written.
TEST(HostProgram, ASaveAndAMapOfOneNewFileAreRefused)
{
    TempDatabase scratch;
    scratch.WriteFile("empty/sub/kept", "");
    const std::string empty = scratch.GetRoot() + "/empty";
    for (const auto& [save, map] : {std::pair{"x", "./x"}, std::pair{"sub/../x", "x"}}) {
        ExpectRefusal(RunChild("/bin/sh",
                               {"-c", "cd \"$0\" && exec \"$@\"", empty, GAMEHOST_PROGRAM, "--db",
                                SampleDatabase(), "--save", save, "--map", map},
                               scratch.GetRoot() + "/run"),
                      1, "gamehost: --map '" + std::string(map) + "' would overwrite the save\n");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(empty), {}), 1);
}

// The save's rename may not replace it, whatever its mode.
TEST(HostProgram, AnotherUsersFileInAStickyFolderIsRefused)
{
    if (geteuid() != 0 || access("/usr/bin/setpriv", X_OK) != 0)
        GTEST_SKIP() << "only root can act as two users";
    TempDatabase scratch;
    scratch.WriteFile("shared/root.sav", "root's");
    const std::string save = scratch.GetRoot() + "/shared/root.sav";
    ASSERT_EQ(chmod((scratch.GetRoot() + "/shared").c_str(), 01777), 0);
    ASSERT_EQ(chmod(save.c_str(), 0666), 0);
    ExpectRefusal(AsNobody({"--save", save}, scratch), 2,
                  "gamehost: --save '" + save +
                      "': it is another user's file in a sticky folder, which only its owner or "
                      "the folder's may replace\n");
    EXPECT_EQ(ReadBytes(save), "root's");
}

// Replaced, it would lose the run's lines. Through a pipe it is a FIFO.
TEST(HostProgram, ASaveIntoTheProgramsOwnOutputIsRefused)
{
    TempDatabase scratch;
    const std::string output = scratch.GetRoot() + "/output";
    const std::string run = scratch.GetRoot() + "/run";
    for (const std::string& name : {std::string("/dev/stdout"), std::string("/dev/fd/1"),
                                    std::string("/proc/self/fd/1"), output}) {
        ExpectRefusal(
            RunChild(GAMEHOST_PROGRAM, {"--db", SampleDatabase(), "--save", name}, run, output), 2,
            "gamehost: --save '" + name + "': it is the program's own standard output\n");
    }
    ExpectRefusal(RunChild("/bin/sh",
                           {"-c", "{ \"$0\" \"$@\"; echo \"status $?\" >&2; } | cat",
                            GAMEHOST_PROGRAM, "--db", SampleDatabase(), "--save", "/dev/stdout"},
                           run, output),
                  0,
                  "gamehost: --save '/dev/stdout': it is a FIFO, not a regular file\nstatus 2\n");
}

// A file-size limit fails the save with a line, not a kill, and leaves nothing beside it.
TEST(HostProgram, ASaveOverTheFileSizeLimitFailsInOneLine)
{
    TempDatabase scratch;
    scratch.WriteFile("Tiny.lvl", "region 1 0 0 0 -5 -5 -5 5 5 5\n");
    scratch.WriteFile("Tiny.route", "");
    scratch.WriteFile("hero.sav", "old");
    const std::string save = scratch.GetRoot() + "/hero.sav";
    const HostRun run =
        RunChild("/bin/sh",
                 {"-c", "ulimit -f 2 && exec \"$0\" \"$@\"", GAMEHOST_PROGRAM, "--db",
                  SampleDatabase(), "--level", scratch.GetRoot() + "/Tiny.lvl", "--save", save},
                 scratch.GetRoot() + "/run", "/dev/null");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(HostLines(run.err),
              "gamehost: the player could not be saved to '" + save + "': File too large\n");
    EXPECT_EQ(ReadBytes(save), "old");
    // The level, its route, the old save and the program's errors.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.GetRoot()), {}), 4);
}

// A name like a write's leftover is no proof of one: only a file with a write's mark goes.
TEST(HostProgram, TheRunsOwnFilesStayWhateverTheirNames)
{
    struct Row {
        std::vector<std::string> args;
        bool sizeLimit;
        std::vector<std::string> written;
    };
    const std::string beside = "hero.sav" + std::string(FileSystem::kSavingMark);
    const std::string hero = beside + "7NmMOi";
    const std::string level = "--level";
    const Row rows[] = {
        {{level, "Tiny.lvl", "--load", hero, "--save", "hero.sav"}, true, {}},
        {{level, "Tiny.lvl", "--load", hero, "--save", "hero.sav"}, false, {"hero.sav"}},
        {{level, beside + "LEVEL1", "--route", "Tiny.route", "--save", "hero.sav"},
         false,
         {"hero.sav"}},
        {{level, "Tiny.lvl", "--route", beside + "ROUTE1", "--save", "hero.sav"},
         false,
         {"hero.sav"}},
        {{level, "Tiny.lvl", "--save", "m3.svg.saving-SAVEAA", "--map", "m3.svg"},
         false,
         {"m3.svg.saving-SAVEAA", "m3.svg"}},
        {{"--scenario", "quest", "--quest-state", ".", "--input",
          "QuestRepository.dat.saving-Orders"},
         false,
         {"QuestRepository.dat"}},
    };
    TempDatabase scratch;
    scratch.WriteFile("Tiny.lvl", "region 1 0 0 0 -5 -5 -5 5 5 5\n");
    scratch.WriteFile("Tiny.route", "");
    ASSERT_EQ(RunSample({level, scratch.GetRoot() + "/Tiny.lvl", "--save",
                         scratch.GetRoot() + "/" + hero})
                  .status,
              0);
    const std::map<std::string, std::string> files = {
        {"Tiny.lvl", ReadBytes(scratch.GetRoot() + "/Tiny.lvl")},
        {"Tiny.route", ""},
        {hero, ReadBytes(scratch.GetRoot() + "/" + hero)},
        {beside + "LEVEL1", ReadBytes(scratch.GetRoot() + "/Tiny.lvl")},
        {beside + "ROUTE1", ""},
        {"QuestRepository.dat.saving-Orders",
         ReadBytes(SampleDatabase() + "/Quests/VillageWatch.route")}};
    for (const Row& row : rows) {
        std::string shown;
        for (const std::string& arg : row.args)
            shown += arg + ' ';
        SCOPED_TRACE(shown);
        TempDatabase run;
        for (const auto& [name, bytes] : files)
            run.WriteFile(name, bytes);
        // What a killed write left: its mark, and no lock.
        run.WriteFile(beside + "Killed", "killed");
        const bool marked = setxattr((run.GetRoot() + "/" + beside + "Killed").c_str(),
                                     FileSystem::kSavingAttribute, "", 0, 0) == 0;
        const std::string shell = std::string("cd \"$1\" && shift && ") +
                                  (row.sizeLimit ? "ulimit -f 2 && " : "") + "exec \"$0\" \"$@\"";
        std::vector<std::string> args{"-c",          shell,  GAMEHOST_PROGRAM,
                                      run.GetRoot(), "--db", SampleDatabase()};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const HostRun ran = RunChild("/bin/sh", args, scratch.GetRoot() + "/run", "/dev/null",
                                     std::chrono::minutes(2));
        EXPECT_EQ(ran.status, row.sizeLimit ? 2 : 0) << ran.err;
        for (const auto& [name, bytes] : files)
            EXPECT_EQ(ReadBytes(run.GetRoot() + "/" + name), bytes) << name;
        for (const std::string& name : row.written)
            EXPECT_TRUE(std::filesystem::exists(run.GetRoot() + "/" + name)) << name;
        const bool saved = row.args.back() == "hero.sav";
        EXPECT_EQ(std::filesystem::exists(run.GetRoot() + "/" + beside + "Killed"),
                  !saved || !marked);
        if (row.sizeLimit) {
            EXPECT_EQ(HostLines(ran.err),
                      "gamehost: the player could not be saved to 'hero.sav': File too large\n");
            EXPECT_EQ(LineAfter(ran.err, "named as an unfinished save: "),
                      hero + " (a file this run reads or writes), " + beside +
                          "LEVEL1 (no mark of an unfinished save), " + beside +
                          "ROUTE1 (no mark of an unfinished save)");
        }
    }
}

// The mount is made in a namespace of the run's own.
TEST(HostProgram, ADatabaseFolderReachedThroughAMountIsNoOutput)
{
    if (access("/usr/bin/unshare", X_OK) != 0)
        GTEST_SKIP() << "no unshare here";
    SampleCopy copy;
    TempDatabase scratch;
    scratch.WriteFile("shown/kept", "");
    const std::string shown = scratch.GetRoot() + "/shown";
    ChildProcess program("/usr/bin/unshare",
                         {"-Urm", "/bin/sh", "-c",
                          "mount --bind \"$0\" \"$1\" || exit 77; shift; exec \"$@\"",
                          copy.folder.GetRoot() + "/Levels", shown, GAMEHOST_PROGRAM, "--db",
                          copy.folder.GetRoot(), "--save", shown + "/hero.sav"},
                         scratch.GetRoot() + "/run");
    const int status = program.Wait(Clock::now() + std::chrono::minutes(1));
    if (status == 77 || program.Errors().rfind("unshare:", 0) == 0)
        GTEST_SKIP() << "no mount namespace here: " << program.Errors();
    EXPECT_EQ(status, 1);
    EXPECT_EQ(program.Errors(), "gamehost: --save '" + shown +
                                    "/hero.sav' would write into the database '" +
                                    copy.folder.GetRoot() + "', which the run reads\n");
    EXPECT_FALSE(std::filesystem::exists(copy.folder.GetRoot() + "/Levels/hero.sav"));
}

// In a program of its own, the client's own objects (a wall's sounds) never take the ids the
// server's packets name next.
TEST(HostProgram, TheSkillShowsClientDropsNoCommand)
{
    TempDatabase scratch;
    const HostRun run = RunChild(
        GAMEHOST_PROGRAM,
        {"--db", SampleDatabase(), "--scenario", "skillshow", "--role", "server", "--seed", "3"},
        scratch.GetRoot() + "/run", "", std::chrono::minutes(2));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.find(" dropped"), std::string::npos) << run.err;
    EXPECT_NE(run.out.find("\nclient agrees: yes\n"), std::string::npos);
}

} // namespace
} // namespace GAME::Test
