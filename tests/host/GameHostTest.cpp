#include "host/GameHost.h"

#include "engine/Engine.h"
#include "engine/IOStreamWrite.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "host/HostOptions.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <sstream>

namespace GAME::Test {
namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result RunHost(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = GameHost::Run(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(GameHost, BadCommandLinesAndFoldersAreRefused)
{
    const Result missing = RunHost({"--db", "/nonexistent"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err,
              "gamehost: database folder '/nonexistent' does not exist or cannot be read\n");

    const Result noDb = RunHost({});
    EXPECT_EQ(noDb.status, 1);
    EXPECT_EQ(noDb.err, std::string("gamehost: no database folder given (--db DIR)\n") +
                            HostOptions::Usage());

    const Result negative = RunHost({"--db", "/tmp", "--frames", "-1"});
    EXPECT_EQ(negative.status, 1);
    EXPECT_EQ(negative.err,
              std::string("gamehost: --frames needs a count of 0 or more, not '-1'\n") +
                  HostOptions::Usage());
    EXPECT_EQ(RunHost({"--db", "/tmp", "--bogus"}).status, 1);

    const Result help = RunHost({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, HostOptions::Usage());
    EXPECT_EQ(help.err, "");
}

TEST(GameHost, RunsFramesAndPrintsTheClassTree)
{
    TempDatabase database;
    database.WriteFile("Text/English.txt", "tagHostTest = hi\n");
    const uint64_t startTime = gEngine->GetGameTime();
    const Result run =
        RunHost({"--db", database.GetRoot(), "--classes", "--frames", "3", "--frame-ms", "20"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind("Object\n", 0), 0u);
    EXPECT_NE(run.out.find("\n  Entity\n"), std::string::npos);
    EXPECT_NE(run.out.find("\n    Actor\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nframes: 3 (60 ms of game time)\n"), std::string::npos);
    EXPECT_NE(run.out.find("\ndatabase: " + database.GetRoot() + "\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nobjects: 0\n"), std::string::npos);
    EXPECT_EQ(gEngine->GetGameTime() - startTime, 60u);
    EXPECT_TRUE(LocalizationManager::Instance().HasTag("tagHostTest"));
    LocalizationManager::Instance().Clear();

    // Without the text file the run still succeeds and says what was missing.
    TempDatabase empty;
    const Result bare = RunHost({"--db", empty.GetRoot()});
    EXPECT_EQ(bare.status, 0);
    EXPECT_EQ(bare.err, "[log 1] Localization file 'Text/English.txt' could not be read\n");
    EXPECT_NE(bare.out.find("\nframes: 0 (0 ms of game time)\n"), std::string::npos);
    ObjectManager::Instance().GetDatabase().SetRoot("");
}

TEST(GameHost, DumpsASavedStreamAsText)
{
    TempDatabase folder;
    IOStreamWrite writer;
    int32_t version = 5;
    std::wstring name = L"Ann";
    writer.StreamInt("version", version);
    writer.BeginBlock();
    writer.StreamWideString("playerName", name);
    writer.EndBlock();
    const std::string path = folder.GetRoot() + "/hero.chr";
    ASSERT_TRUE(writer.SaveToFile(path));

    Result result = RunHost({"--dump-stream", path});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "int version = 5\n{\n  wideString playerName = L\"Ann\"\n}\n");

    folder.WriteFile("broken.chr", "GSTR");
    result = RunHost({"--dump-stream", folder.GetRoot() + "/broken.chr"});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("is not a complete stream"), std::string::npos);
    EXPECT_EQ(RunHost({"--dump-stream", folder.GetRoot() + "/absent.chr"}).status, 2);
}

} // namespace
} // namespace GAME::Test
