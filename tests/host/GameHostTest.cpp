#include "host/GameHost.h"

#include "engine/Engine.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "host/HostOptions.h"
#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include <sys/stat.h>

namespace GAME::Test {
namespace {

// A refusal: status 2, nothing on the output and exactly this one line on the error stream.
void ExpectRefused(const std::vector<std::string>& args, const std::string& line)
{
    const HostRun result = RunHost(args);
    ExpectRefusal(result, 2, line + "\n");
}

// A database folder with the settings record the host needs.
void WriteSettings(const TempDatabase& database)
{
    database.WriteRecord(GameHost::kSettingsRecord, {"meleeRange = 1.5"});
}

TEST(GameHost, BadCommandLinesAndFoldersAreRefused)
{
    ExpectRefused({"--db", "/nonexistent"},
                  "gamehost: database folder '/nonexistent' does not exist");
    TempDatabase folder;
    folder.WriteFile("file.txt", "x");
    const std::string file = folder.GetRoot() + "/file.txt";
    ExpectRefused({"--db", file}, "gamehost: database '" + file + "' is not a folder");

    const HostRun noDb = RunHost({});
    EXPECT_EQ(noDb.status, 1);
    EXPECT_EQ(noDb.err, std::string("gamehost: no database folder given (--db DIR)\n") +
                            HostOptions::kHelpHint);

    EXPECT_EQ(RunHost({"--db", "/tmp", "--bogus"}).status, 1);

    const HostRun help = RunHost({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, HostOptions::Usage());
    EXPECT_EQ(help.err, "");
    // Every status the program ends with, the signals' among them.
    const std::string statuses = help.out.substr(help.out.find("exit status: "));
    for (const char* status : {" 0 ", " 1 ", " 2 ", " 3 ", " 4 ", " 129 ", " 130 ", " 143 "})
        EXPECT_NE(statuses.find(status), std::string::npos) << status;
    // The help names every scenario the parser takes, its lines joined again.
    const std::string refusal = RunHost({"--db", "/tmp", "--scenario", "x"}).err;
    const size_t from = refusal.find("takes ") + 6;
    const std::string list = refusal.substr(from, refusal.find(", not 'x'") - from);
    std::string joined = help.out;
    const std::string indent = "\n" + std::string(16, ' ');
    for (size_t at = joined.find(indent); at != std::string::npos; at = joined.find(indent, at))
        joined.replace(at, indent.size(), " ");
    EXPECT_NE(joined.find("scene instead: " + list + "; each below\n"), std::string::npos);
}

TEST(GameHost, ADatabaseWithoutItsSettingsIsRefused)
{
    const std::string settings = GameHost::kSettingsRecord;
    const auto missing = [&settings](const TempDatabase& database) {
        return "gamehost: database '" + database.GetRoot() + "' has no readable settings record '" +
               settings + "'";
    };
    TempDatabase empty;
    ExpectRefused({"--db", empty.GetRoot()}, missing(empty));
    empty.WriteFile("Text/English.txt", "tag = text\n");
    ExpectRefused({"--db", empty.GetRoot(), "--role", "single"}, missing(empty));

    TempDatabase folderNamed;
    std::filesystem::create_directories(folderNamed.GetRoot() + "/" + settings);
    ExpectRefused({"--db", folderNamed.GetRoot()}, missing(folderNamed));

    TempDatabase pipe;
    std::filesystem::create_directories(pipe.GetRoot() + "/Records/Game");
    ASSERT_EQ(mkfifo((pipe.GetRoot() + "/" + settings).c_str(), 0600), 0);
    ExpectRefused({"--db", pipe.GetRoot()}, missing(pipe));

    TempDatabase blank;
    blank.WriteFile(settings, "# nothing set\n");
    ExpectRefused({"--db", blank.GetRoot()}, "gamehost: settings record '" + settings +
                                                 "' of database '" + blank.GetRoot() +
                                                 "' is empty");
    ObjectManager::Instance().GetDatabase().SetRoot("");
}

TEST(GameHost, RunsFramesAndSaysWhatTheDatabaseLacks)
{
    TempDatabase database;
    WriteSettings(database);
    database.WriteFile("Text/English.txt", "tagHostTest = hi\n");
    const uint64_t startTime = gEngine->GetGameTime();
    const HostRun run =
        RunHost({"--db", database.GetRoot(), "--classes", "--frames", "3", "--frame-ms", "20"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("\nframes: 3 (60 ms of game time)\n"), std::string::npos);
    EXPECT_NE(run.out.find("\ndatabase: " + database.GetRoot() + "\n"), std::string::npos);
    EXPECT_NE(run.out.find("\nobjects: 0\n"), std::string::npos);
    EXPECT_EQ(gEngine->GetGameTime() - startTime, 60u);
    EXPECT_TRUE(LocalizationManager::Instance().HasTag("tagHostTest"));
    LocalizationManager::Instance().Clear();

    // Without the text file the run still succeeds and says what was missing.
    TempDatabase textless;
    WriteSettings(textless);
    const HostRun bare = RunHost({"--db", textless.GetRoot()});
    EXPECT_EQ(bare.status, 0);
    EXPECT_EQ(bare.err, "[log 1] Localization file 'Text/English.txt' could not be read\n");
    const size_t classes = run.out.find("\nclasses: ") + 1;
    const std::string classLine =
        run.out.substr(classes, run.out.find('\n', classes) + 1 - classes);
    EXPECT_EQ(bare.out, "database: " + textless.GetRoot() + "\n" + classLine +
                            "frames: 0 (0 ms of game time)\nobjects: 0\n");
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

    HostRun result = RunHost({"--dump-stream", path});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "int version = 5\n{\n  wideString playerName = L\"Ann\"\n}\n");
    EXPECT_EQ(result.err, "");

    // Cut inside the block, whose length then claims more than is left: the lines read so far,
    // then one line of why it stopped.
    std::vector<uint8_t> cut = writer.GetBytes();
    cut.resize(cut.size() - 3);
    folder.WriteFile("cut.chr", std::string(cut.begin(), cut.end()));
    result = RunHost({"--dump-stream", folder.GetRoot() + "/cut.chr"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "int version = 5\n");
    EXPECT_EQ(result.err, "gamehost: '" + folder.GetRoot() +
                              "/cut.chr' is a damaged stream; it ends after the lines shown\n");
}

TEST(GameHost, WhatIsNotAStreamFileGivesOneLine)
{
    TempDatabase folder;
    const std::string root = folder.GetRoot();
    const std::string stream = "gamehost: stream file '";
    ExpectRefused({"--dump-stream", root}, stream + root + "' is not a regular file");
    ExpectRefused({"--dump-stream", "/dev/zero"}, stream + "/dev/zero' is not a regular file");
    ASSERT_EQ(mkfifo((root + "/pipe.chr").c_str(), 0600), 0);
    ExpectRefused({"--dump-stream", root + "/pipe.chr"},
                  stream + root + "/pipe.chr' is not a regular file");
    ExpectRefused({"--dump-stream", root + "/absent.chr"},
                  stream + root + "/absent.chr' does not exist");
    // Larger than the stream reader reads: refused by its size, without reading it.
    folder.WriteFile("huge.chr", "GSTR");
    std::filesystem::resize_file(root + "/huge.chr", IOStreamRead::kMaxFileBytes + 1);
    ExpectRefused({"--dump-stream", root + "/huge.chr"},
                  stream + root + "/huge.chr' is larger than 67108864 bytes");

    for (const char* text : {"", "GSTR", "GSTX\x01\x00\x00\x00", "not a save at all"}) {
        folder.WriteFile("other.chr", text);
        ExpectRefused({"--dump-stream", root + "/other.chr"},
                      "gamehost: '" + root + "/other.chr' is not a saved stream");
    }
}

} // namespace
} // namespace GAME::Test
