#include "core/GameEvents.h"
#include "engine/EventHandler.h"
#include "engine/FileSystem.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/Trigger.h"
#include "engine/World.h"
#include "quests/Quest.h"
#include "quests/QuestRepository.h"
#include "quests/QuestStep.h"
#include "tests/support/QuestFixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace GAME {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<uint8_t> Bytes(const std::string& path)
{
    std::vector<uint8_t> bytes;
    FileSystem::ReadWholeFile(path, 1 << 20, bytes);
    return bytes;
}

class QuestStateSave : public Test::QuestFixture {
protected:
    void SetUp() override
    {
        QuestFixture::SetUp();
        auto first = Design("First", 2, 2);
        auto second = Design("Second", 1, 1);
        AddQuestFile("Quests/First.qst", *first);
        AddQuestFile("Quests/Second.qst", *second);
        quests = &Loaded();
        folder = StateFolder();
    }
    Quest* QuestAt(size_t index) { return quests->GetQuestByIndex(index); }
    std::string StatePath(size_t index)
    {
        return folder + "/" + QuestRepository::StateFileName(*QuestAt(index));
    }
    void FireFirstTrigger(uint32_t target)
    {
        Trigger* trigger = QuestAt(0)->GetQuestStepAtIndx(0)->GetTriggerOfIdx(0);
        trigger->SetInstigator(target);
        trigger->Fire(true);
    }
    // A fresh repository over the same files, with the saved state read back.
    QuestRepository& Restored()
    {
        QuestRepository::Destroy();
        QuestRepository& fresh = Loaded();
        fresh.LoadQuestState(folder, "QuestRepository.dat");
        return fresh;
    }

    QuestRepository* quests = nullptr;
    std::string folder;
};

TEST_F(QuestStateSave, FiredTriggersAndCompletedStepsComeBackWithoutFiringAgain)
{
    FireFirstTrigger(5);
    QuestAt(0)->GetQuestStepAtIndx(0)->GetTriggerOfIdx(1)->Fire(true);
    QuestAt(0)->SetComments("kept");
    ASSERT_TRUE(QuestAt(0)->GetQuestStepAtIndx(0)->IsComplete());
    quests->SaveQuestState(folder, "QuestRepository.dat", false);
    GAME::Test::RecordingAction::fired.clear();
    QuestRepository& fresh = Restored();
    const Quest* quest = fresh.GetQuestByIndex(0);
    EXPECT_TRUE(quest->IsActive());
    EXPECT_EQ(quest->GetComments(), "kept");
    EXPECT_TRUE(quest->GetQuestStepAtIndx(0)->IsComplete());
    EXPECT_FALSE(quest->GetQuestStepAtIndx(1)->IsComplete());
    EXPECT_EQ(fresh.GetActiveTriggers().size(), 3u); // step 1's two and the second quest's
    fresh.FireTriggers();
    EXPECT_TRUE(GAME::Test::RecordingAction::fired.empty()); // "Test_Pay" never pays twice
}

TEST_F(QuestStateSave, ChangedDesignDropsTheQuestsStateAndEntries)
{
    FireFirstTrigger(5);
    quests->SaveQuestState(folder, "QuestRepository.dat", false);
    QuestRepository::Destroy();
    auto changed = Design("First", 2, 2);
    changed->SetRewardGold(0, 10);
    gEngine->GetWorld()->ClearQuestFiles();
    AddQuestFile("Quests/First.qst", *changed);
    gEngine->GetWorld()->AddQuestFile("Quests/Second.qst");
    int updates = 0;
    struct Counter {
        explicit Counter(int& count)
            : count(count), handler("GameEvent_QuestUpdate", &Counter::On, this)
        {}
        void On(const GameEvent_QuestUpdate&) { ++count; }
        int& count;
        EventHandler<Counter, GameEvent_QuestUpdate> handler;
    } counter(updates);
    QuestRepository& fresh = Loaded();
    fresh.LoadQuestState(folder, "QuestRepository.dat");
    EXPECT_EQ(updates, 1);
    EXPECT_FALSE(fresh.GetQuestByIndex(0)->IsActive());
    EXPECT_TRUE(fresh.GetQuestByIndex(0)->IsDirty());
    EXPECT_FALSE(fresh.GetQuestByIndex(1)->IsDirty());
    EXPECT_TRUE(fresh.GetFiredTriggers().empty());
}

TEST_F(QuestStateSave, WhatASaveWritesFollowsTheDirtyFlagsFolderAndName)
{
    quests->SaveQuestState(folder, "QuestRepository.dat", false); // both start dirty
    EXPECT_EQ(FilesIn(folder).size(), 3u);
    fs::remove_all(folder);
    fs::create_directories(folder);
    quests->SaveQuestState(folder, "QuestRepository.dat", true);
    quests->WaitDone();
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"QuestRepository.dat"});
    QuestAt(1)->SetDirty();
    quests->SaveQuestState("", "QuestRepository.dat", true);
    quests->WaitDone();
    EXPECT_TRUE(QuestAt(1)->IsDirty()); // nowhere to go, so still waiting
    quests->SaveQuestState(folder, "", true);
    quests->WaitDone();
    EXPECT_EQ(FilesIn(folder).size(), 2u);
    EXPECT_FALSE(QuestAt(1)->IsDirty());
}

TEST_F(QuestStateSave, RequestsInQuickSuccessionLoseNoQuest)
{
    quests->SaveQuestState(folder, "", true); // both quests, dirty from the start
    quests->WaitDone();
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (int round = 0; round < 50; ++round) {
        QuestAt(size_t(round % 2))->SetDirty();
        quests->SaveQuestState(folder, round < 49 ? "" : "QuestRepository.dat", true);
    }
    quests->WaitDone();
    EXPECT_EQ(FilesIn(folder).size(), 3u);
}

TEST_F(QuestStateSave, WithoutAnyStateFilesTheTriggersStillArm)
{
    QuestRepository::Destroy();
    QuestRepository& fresh = Loaded();
    fresh.LoadQuestState(folder, "QuestRepository.dat"); // an empty folder
    EXPECT_EQ(fresh.GetActiveTriggers().size(), 5u);
    fresh.GetQuestByIndex(1)
        ->GetQuestStepAtIndx(0)
        ->GetTriggerOfIdx(0)
        ->GetConditionAtIdx(0)
        ->SetSatisfied(true);
    fresh.Update(33);
    EXPECT_EQ(GAME::Test::RecordingAction::fired, std::vector<std::string>{"Test_Pay:0"});
}

TEST_F(QuestStateSave, CountsStopAtTheFirstValueThatFails)
{
    const struct {
        int32_t count;
        int entries;
        size_t read;
    } rows[] = {{2147483647, 2, 2}, {-3, 2, 0}, {1, 2, 1}, {5, 0, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.count);
        IOStreamWrite out;
        int32_t count = row.count;
        out.BeginBlock();
        out.StreamInt("numberOfTriggers", count);
        for (int i = 0; i < row.entries; ++i) {
            Name name = QuestAt(0)->GetHandle();
            int32_t index = i;
            uint32_t target = 0;
            out.StreamName("questName", name);
            out.StreamInt("stepIdx", index);
            out.StreamInt("triggerIdx", index);
            out.StreamUInt("target", target);
        }
        out.EndBlock();
        IOStreamRead in(out.GetBytes());
        quests->StreamProperties(&in);
        EXPECT_EQ(quests->GetFiredTriggers().size(), row.read);
    }
}

TEST_F(QuestStateSave, BackgroundSavesHoldTheStateOfTheirRequest)
{
    Quest* quest = QuestAt(0);
    // Eight checks, each after requests made while the thread is still writing.
    for (int round = 1; round <= 200; ++round) {
        quest->SetComments("round " + std::to_string(round));
        quest->SetDirty();
        quests->AddTrigger(quest->GetHandle(), 0, 0, uint32_t(round));
        quests->SaveQuestState(folder, "QuestRepository.dat", true);
        if (round % 25 != 0)
            continue;
        quests->WaitDone();
        QuestRepository& fresh = Restored();
        EXPECT_EQ(fresh.GetQuestByIndex(0)->GetComments(), "round " + std::to_string(round));
        ASSERT_EQ(fresh.GetFiredTriggers().size(), size_t(round));
        quests = &Loaded();
        quests->LoadQuestState(folder, "QuestRepository.dat");
        quest = QuestAt(0);
    }
    EXPECT_EQ(FilesIn(folder).size(), 3u);
}

// Makes writing into the folder fail while it lives: a read-only folder, or for root (whom that
// does not stop) a file size limit below any state file.
class WritesRefused {
public:
    explicit WritesRefused(const std::string& folder) : folder(folder)
    {
        getrlimit(RLIMIT_FSIZE, &previous);
        if (geteuid() != 0) {
            chmod(folder.c_str(), 0555);
            return;
        }
        signal(SIGXFSZ, SIG_IGN);
        rlimit small = previous;
        small.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~WritesRefused()
    {
        setrlimit(RLIMIT_FSIZE, &previous);
        chmod(folder.c_str(), 0755);
    }

private:
    std::string folder;
    rlimit previous{};
};

TEST_F(QuestStateSave, FailedWriteKeepsTheOldFileAndMarksTheQuestAgain)
{
    quests->SaveQuestState(folder, "QuestRepository.dat", false);
    const std::vector<uint8_t> before = Bytes(StatePath(0));
    FireFirstTrigger(1);
    {
        WritesRefused refused(folder);
        quests->SaveQuestState(folder, "QuestRepository.dat", true);
        quests->WaitDone();
    }
    EXPECT_EQ(Bytes(StatePath(0)), before);
    EXPECT_EQ(FilesIn(folder).size(), 3u); // no temporary file left
    EXPECT_TRUE(QuestAt(0)->IsDirty());
    EXPECT_EQ(log.CountContaining("could not be written"), 2u);
    quests->SaveQuestState(folder, "QuestRepository.dat", false);
    EXPECT_NE(Bytes(StatePath(0)), before);
}

} // namespace
} // namespace GAME
