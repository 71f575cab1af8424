#include "tests/host/HostRun.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace GAME::Test {
namespace {

TEST(QuestPlayReport, ServerPlaysTheQuestThroughAndAFreshSessionResumesIt)
{
    TempDatabase scratch;
    const std::string folder = scratch.GetRoot() + "/state";
    const HostRun play =
        RunSample({"--scenario", "quest", "--quest-state", folder, "--role", "server"});
    ASSERT_EQ(play.status, 0) << play.err;
    ExpectInOrder(
        play.out,
        {": condition 0x00000000 Condition_KillCreature satisfied\n",
         ": quest Quests/VillageWatch.qst: step 1 of 3 complete\n",
         ": quest message 0x00000001 0x00000000 0x00000005", ": token raiderSlain given\n",
         ": condition 0x00010000 Condition_EnterVolume satisfied\n", ": token gateWatched given\n",
         ": quest Quests/VillageWatch.qst: step 3 of 3 complete\n",
         ": quest Quests/VillageWatch.qst: complete\n", ": quest message 0x00000003 0x00020000",
         ": quest state saved in the background\n"});

    const HostRun resume = RunSample({"--scenario", "quest", "--quest-state", folder, "--resume"});
    ASSERT_EQ(resume.status, 0) << resume.err;
    ExpectInOrder(resume.out,
                  {"quest Quests/VillageWatch.qst: restored, 3 of 3 steps complete, complete\n",
                   "reward replayed: \"100 Gold\"\n", "reward replayed: \"250 Experience\"\n"});

    // Any of its files cut short, or gone, and nothing is restored.
    const std::string told = "gamehost: the quest state in '" + folder +
                             "' is missing or damaged; nothing was restored\n";
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string path = entry.path().string();
        SCOPED_TRACE(path);
        const std::string whole = ReadBytes(path);
        for (const size_t kept : {whole.size() - 1, size_t(0)}) {
            std::ofstream(path, std::ios::binary | std::ios::trunc) << whole.substr(0, kept);
            ExpectFailure(RunSample({"--scenario", "quest", "--quest-state", folder, "--resume"}),
                          2, told);
        }
        std::filesystem::remove(path);
        EXPECT_EQ(RunSample({"--scenario", "quest", "--quest-state", folder, "--resume"}).status,
                  2);
        std::ofstream(path, std::ios::binary) << whole;
    }

    // Files that cannot be replaced are refused before a frame; a resume only reads them.
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::permissions(entry.path(), std::filesystem::perms(0444));
    ExpectRefusal(
        RunSample({"--scenario", "quest", "--quest-state", folder}), 2,
        "gamehost: --quest-state '" + folder + "' (QuestRepository.dat): it cannot be written (" +
            (geteuid() == 0 ? "its mode 0444 lets no one write" : "Permission denied") + ")\n");
    std::filesystem::permissions(folder, std::filesystem::perms(0555));
    const HostRun reread = RunSample({"--scenario", "quest", "--quest-state", folder, "--resume"});
    std::filesystem::permissions(folder, std::filesystem::perms(0755));
    EXPECT_EQ(reread.status, 0) << reread.err;
    EXPECT_EQ(reread.out, resume.out);
}

TEST(QuestPlayReport, ADatabaseWithoutTheQuestOrdersIsRefused)
{
    // The orders travel inside the database; a database without them says so.
    TempDatabase bare;
    TempDatabase state;
    bare.WriteRecord(GameHost::kSettingsRecord, {"meleeRange = 1.5"});
    ExpectFailure(
        RunHost({"--db", bare.GetRoot(), "--scenario", "quest", "--quest-state", state.GetRoot()}),
        2,
        "gamehost: the database has no quest orders Quests/VillageWatch.route; give them "
        "with --input FILE\n");
}

} // namespace
} // namespace GAME::Test
