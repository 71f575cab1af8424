#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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

TEST(QuestReport, AStateThatCannotBeWrittenIsRefusedBeforeThePlay)
{
    TempDatabase scratch;
    scratch.WriteFile("file", "");
    const HostRun below = RunSample({"--quests", "--quest-state", scratch.GetRoot() + "/file/s"});
    ExpectRefusal(below, 2,
                  "gamehost: --quest-state '" + scratch.GetRoot() +
                      "/file/s': a file stands in its path\n");
    const std::string folder = scratch.GetRoot() + "/state";
    scratch.WriteFile("state/QuestRepository.dat/x", "");
    for (const char* play : {"--quests", "quest", "quest-actions"}) {
        SCOPED_TRACE(play);
        const HostRun run = RunSample(
            play[0] == '-' ? std::vector<std::string>{play, "--quest-state", folder}
                           : std::vector<std::string>{"--scenario", play, "--quest-state", folder});
        ExpectRefusal(run, 2,
                      "gamehost: --quest-state '" + folder +
                          "' (QuestRepository.dat): it is a folder, not a regular file\n");
    }
    const char* before = std::getenv("TMPDIR");
    const std::string kept = before != nullptr ? before : "";
    setenv("TMPDIR", (folder + "/none").c_str(), 1);
    const HostRun noScratch = RunSample({"--quests"});
    if (before != nullptr)
        setenv("TMPDIR", kept.c_str(), 1);
    else
        unsetenv("TMPDIR");
    EXPECT_EQ(noScratch.status, 2);
    EXPECT_EQ(LinesStarting(noScratch.err, "gamehost: "),
              "gamehost: no scratch folder for the quest state: TMPDIR names '" + folder +
                  "/none', which does not exist\n");
}

} // namespace
} // namespace GAME::Test
