#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace GAME::Test {
namespace {

TEST(QuestReport, SampleQuestCompletesSavesAndComesBack)
{
    TempDatabase scratch;
    const std::string folder = scratch.GetRoot() + "/state";
    const HostRun run = RunSample({"--quests", "--quest-state", folder});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectInOrder(run.out,
                  {"quest 0: Quests/VillageWatch.qst, 3 steps, state file "
                   "ecc5552bb0bc1eadae279b46e03535f1.que\n",
                   "  step 2 0x00020000 \"Report to the elder\", enabled by \"gateWatched\"\n",
                   "    trigger 0 0x00020000 \"Elder told\"",
                   "  event GameEvent_QuestComplete (flags yes, yes)\n",
                   "restored quest 0: active yes, complete yes, 3 of 3 steps complete\n"});
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"QuestRepository.dat",
                                               "ecc5552bb0bc1eadae279b46e03535f1.que"}));
    EXPECT_EQ(DataErrors(run.err).find("unknown class"), std::string::npos);
}

// A folder below a file is refused before the play; folders in place of the state's files fail
// their save, and the run with a line saying so.
TEST(QuestReport, AStateFolderThatCannotBeWrittenFailsTheRunsWithALineSayingSo)
{
    TempDatabase scratch;
    scratch.WriteFile("file", "");
    const HostRun below = RunSample({"--quests", "--quest-state", scratch.GetRoot() + "/file/s"});
    EXPECT_EQ(below.status, 2);
    EXPECT_EQ(below.out, "");
    EXPECT_EQ(below.err, "gamehost: --quest-state '" + scratch.GetRoot() +
                             "/file/s': a file stands in its path\n");
    const std::string folder = scratch.GetRoot() + "/state";
    scratch.WriteFile("state/QuestRepository.dat/x", "");
    scratch.WriteFile("state/ecc5552bb0bc1eadae279b46e03535f1.que/x", "");
    const std::string failed = "gamehost: the quest state save failed: ";
    const HostRun run = RunSample({"--quests", "--quest-state", folder});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(LinesStarting(run.err, "gamehost: "),
              failed + "2 of its files could not be written to '" + folder + "'\n");
    EXPECT_EQ(run.out.find("saved in the background"), std::string::npos);
    const HostRun played = RunSample({"--scenario", "quest", "--quest-state", folder});
    EXPECT_EQ(played.status, 2);
    EXPECT_EQ(LinesStarting(played.err, "gamehost: "),
              failed + "its files could not be written to '" + folder + "'\n");
    const HostRun actions = RunSample({"--scenario", "quest-actions", "--quest-state", folder});
    EXPECT_EQ(actions.status, 2);
    EXPECT_EQ(LinesStarting(actions.err, "gamehost: "),
              failed + "1 of its files could not be written to '" + folder + "'\n");
    EXPECT_EQ(actions.out.find("quest state saved"), std::string::npos);
}

TEST(QuestReport, StateFolderGoesWithQuestsOnly)
{
    const HostRun run = RunSample({"--quest-state", "/tmp"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("gamehost: --quest-state goes with --quests"), std::string::npos);
}

} // namespace
} // namespace GAME::Test
