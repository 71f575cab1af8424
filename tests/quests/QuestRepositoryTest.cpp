#include "quests/QuestRepository.h"

#include "characters/Monster.h"
#include "core/GameEvents.h"
#include "engine/ByteOrder.h"
#include "engine/Crc32.h"
#include "engine/EventHandler.h"
#include "engine/EventManager.h"
#include "engine/FileSystem.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "engine/World.h"
#include "quests/Quest.h"
#include "quests/QuestListeners.h"
#include "quests/QuestStep.h"
#include "tests/support/HeardEvents.h"
#include "tests/support/Must.h"
#include "tests/support/QuestFixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace GAME {
namespace {

void Announce(const char* quest, int32_t region, const wchar_t* text, bool simulated = false)
{
    GameEvent_Reward event;
    event.simulated = simulated;
    event.reward.questName = Name::Create(quest);
    event.reward.region = region;
    event.reward.locationTag = "tagLocation";
    event.reward.text = text;
    EventManager::Instance().Send("GameEvent_Reward", event);
}

template <typename Event> class Listener {
public:
    explicit Listener(const char* name) : handler(name, &Listener::On, this) {}
    void On(const Event& event)
    {
        heard.push_back(event);
        if (hook)
            hook();
    }

    EventHandler<Listener, Event> handler;
    std::vector<Event> heard;
    std::function<void()> hook;
};

class QuestRepositoryTest : public ::testing::Test {
protected:
    void TearDown() override { QuestRepository::Destroy(); }
};

TEST_F(QuestRepositoryTest, OneInstanceUntilDestroyedThenAFreshOneListening)
{
    QuestRepository& first = QuestRepository::Get();
    EXPECT_EQ(&QuestRepository::Get(), &first);
    QuestRepository::Destroy();
    EXPECT_EQ(EventManager::Instance().GetListenerCount("GameEvent_Reward"), 0u);
    QuestRepository::Get();
    EXPECT_EQ(EventManager::Instance().GetListenerCount("GameEvent_Reward"), 1u);
}

TEST_F(QuestRepositoryTest, RecordsRewardsAndReplaysEachOnceAsSimulated)
{
    QuestRepository& quests = QuestRepository::Get();
    Announce("Quests/Q1.qst", 2, L"first");
    Announce("Quests/Q1.qst", 2, L"replayed", true);
    Announce("Quests/Q2.qst", 5, L"second");
    ASSERT_EQ(quests.GetRewards().size(), 2u);

    Listener<GameEvent_Reward> listener("GameEvent_Reward");
    // A reward announced during the replay is recorded, and not replayed in the same pass.
    listener.hook = [&] {
        if (listener.heard.size() == 1)
            Announce("Quests/Q3.qst", 1, L"during");
    };
    quests.SimulateRewards();

    ASSERT_EQ(listener.heard.size(), 3u);
    EXPECT_TRUE(listener.heard[0].simulated);
    EXPECT_FALSE(listener.heard[1].simulated);
    EXPECT_TRUE(listener.heard[2].simulated);
    EXPECT_EQ(listener.heard[2].reward.questName, Name::Create("Quests/Q2.qst"));
    ASSERT_EQ(quests.GetRewards().size(), 3u);
    EXPECT_EQ(quests.GetRewards()[2].text, L"during");
}

TEST_F(QuestRepositoryTest, AFiredTriggerIsRecordedOncePerTargetAndKeptWhileItsQuestIsNotHeld)
{
    QuestRepository& quests = QuestRepository::Get();
    const Name quest = Name::Create("Quests/Q1.qst");
    quests.AddTrigger(quest, 1, 2, 0);
    quests.AddTrigger(quest, 1, 2, 0);
    quests.AddTrigger(quest, 1, 2, 0x10000005);
    quests.AddTrigger(quest, 2, 2, 0);
    ASSERT_EQ(quests.GetFiredTriggers().size(), 3u);
    EXPECT_EQ(quests.GetFiredTriggers()[1].target, 0x10000005u);
    quests.FireTriggers();
    EXPECT_EQ(quests.GetFiredTriggers().size(), 3u);
    EXPECT_EQ(quests.GetQuest(quest), nullptr);
}

TEST_F(QuestRepositoryTest, ResetForgetsTheQuestStateButDebuggingAndAnnouncesIt)
{
    QuestRepository& quests = QuestRepository::Get();
    const Name quest = Name::Create("Quests/Q1.qst");
    quests.AddActiveQuest(quest);
    quests.AddActiveQuest(quest);
    EXPECT_EQ(quests.GetActiveQuestList(), std::vector<Name>{quest});
    quests.AddTrigger(quest, 0, 0, 0);
    Announce("Quests/Q1.qst", 1, L"gold");
    quests.EnableDelayedActions(true);
    quests.EnableDebugging(true);
    quests.Update(16);

    GAME::Test::Heard<GameEvent> reset("GameEvent_QuestReset");
    quests.Reset();
    EXPECT_EQ(reset.events.size(), 1u);
    EXPECT_TRUE(quests.GetActiveQuestList().empty());
    EXPECT_TRUE(quests.GetFiredTriggers().empty());
    EXPECT_TRUE(quests.GetRewards().empty());
    EXPECT_FALSE(quests.IsDelayedActionsEnabled());
    EXPECT_TRUE(quests.IsDebuggingEnabled());
}

class QuestRepositoryLoad : public Test::QuestFixture {};

TEST_F(QuestRepositoryLoad, TwoSpellingsOfOneFileLoadOnce)
{
    auto design = Design("Watch", 1, 1);
    AddQuestFile("Quests/VillageWatch.qst", *design, true);
    gEngine->GetWorld()->AddQuestFile("quests\\villagewatch.QST");
    QuestRepository& quests = Loaded();
    quests.Load();
    ASSERT_EQ(quests.GetNumQuests(), 1u);
    const Quest* quest = quests.GetQuestByIndex(0);
    EXPECT_EQ(QuestRepository::StateFileName(*quest), "ecc5552bb0bc1eadae279b46e03535f1.que");
    EXPECT_EQ(quests.GetActiveTriggers().size(), 1u); // armed without any saved state
}

TEST_F(QuestRepositoryLoad, DamagedOrMissingFilesAreSkippedWithALine)
{
    auto good = Design("Good", 1, 1);
    database.WriteFile("Quests/Cut.qst", "{\n  string title = \"Cut\"\n");
    gEngine->GetWorld()->AddQuestFile("Quests/Cut.qst");
    gEngine->GetWorld()->AddQuestFile("Quests/Absent.qst");
    AddQuestFile("Quests/Good.qst", *good);
    QuestRepository& quests = Loaded();
    ASSERT_EQ(quests.GetNumQuests(), 1u);
    EXPECT_EQ(quests.GetQuestByIndex(0)->GetId(), 0u); // indices follow what loaded
    EXPECT_EQ(log.Count(1, "Quest file Quests/Cut.qst is damaged and was skipped"), 1u);
    EXPECT_EQ(log.Count(1, "Quest file Quests/Absent.qst could not be opened"), 1u);

    // Asked for why, the loader says so itself, of the first file only, and logs nothing.
    log.Clear();
    QuestRepository::Destroy();
    std::string why;
    EXPECT_FALSE(QuestRepository::Get().Load(&why));
    EXPECT_EQ(why, "quest file 'Quests/Cut.qst' is damaged");
    EXPECT_EQ(QuestRepository::Get().GetNumQuests(), 1u);
    EXPECT_TRUE(log.GetLines().empty());
    gEngine->GetWorld()->ClearQuestFiles();
    AddQuestFile("Quests/Good.qst", *good);
    QuestRepository::Destroy();
    EXPECT_TRUE(QuestRepository::Get().Load(&why));
}

TEST_F(QuestRepositoryLoad, QuestFilesPastTheTwoHundredFiftySixthAreRefused)
{
    auto design = Design("Q", 0, 0);
    for (int i = 0; i < 258; ++i)
        AddQuestFile("Quests/Q" + std::to_string(i) + ".qst", *design);
    QuestRepository& quests = Loaded();
    EXPECT_EQ(quests.GetNumQuests(), 256u);
    EXPECT_EQ(quests.GetQuestByIndex(255)->GetId(), 0xFF000000u);
    EXPECT_EQ(log.CountContaining("refused: a world holds at most 256 quests"), 2u);
}

void EmptyTrigger(IOStreamWrite& out)
{
    std::string tag;
    int32_t none = 0;
    out.StreamString("displayTag", tag);
    out.StreamInt("numConditions", none);
    out.StreamInt("numActions", none);
}

// A design of `steps` empty steps, the first with `triggers` empty triggers.
std::string ManyStepsDesign(int32_t steps, int32_t triggers)
{
    IOStreamWrite out;
    std::string text = "Big";
    int32_t zero = 0;
    out.BeginBlock();
    out.StreamString("title", text);
    text.clear();
    out.StreamString("rewardItemTag", text);
    for (const char* key : {"rewardGold", "rewardXP", "rewardSkill", "rewardAttr"})
        out.StreamInt(key, zero);
    for (const char* index : {"[1]", "[2]"}) {
        out.StreamString(std::string("this->rewardItemTag") + index, text);
        out.StreamInt(std::string("this->rewardGold") + index, zero);
        out.StreamInt(std::string("this->rewardXP") + index, zero);
    }
    out.EndBlock();
    out.BeginBlock();
    out.StreamInt("max", steps);
    for (int32_t s = 0; s < steps; ++s) {
        std::string empty;
        int32_t count = s == 0 ? triggers : 0;
        out.BeginBlock();
        for (const char* key : {"name", "enablingTokenFunction", "nextTaskDescription"})
            out.StreamString(key, empty);
        out.EndBlock();
        out.BeginBlock();
        out.StreamInt("max", count);
        for (int32_t t = 0; t < count; ++t)
            EmptyTrigger(out);
        out.EndBlock();
        out.BeginBlock();
        EmptyTrigger(out);
        out.EndBlock();
    }
    out.EndBlock();
    return std::string(out.GetBytes().begin(), out.GetBytes().end());
}

TEST_F(QuestRepositoryLoad, StepsAndTriggersPastTwoHundredFiftySixAreDropped)
{
    database.WriteFile("Quests/Big.qst", ManyStepsDesign(257, 300));
    gEngine->GetWorld()->AddQuestFile("Quests/Big.qst");
    const Quest* quest = GAME::Test::Must(Loaded().GetQuestByIndex(0));
    EXPECT_EQ(quest->GetStepCount(), 256);
    EXPECT_EQ(quest->GetQuestStepAtIndx(0)->GetTriggerCount(), 256);
    EXPECT_EQ(quest->GetQuestStepAtIndx(0)->GetTriggerOfIdx(255)->GetId(), 0x0000FF00u);
    EXPECT_EQ(log.Count(1, "Quest \"Big\": steps past 256 dropped"), 1u);
    EXPECT_EQ(log.Count(1, "Quest \"Big\": triggers past 256 of a step dropped"), 1u);
}

TEST_F(QuestRepositoryLoad, CompleteConditionTakesOnlyWholeHexNumbers)
{
    auto design = Design("Q", 1, 1);
    design->GetQuestStepAtIndx(0)->GetTriggerOfIdx(0)->GetConditionAtIdx(0)->SetExclusive(true);
    AddQuestFile("Quests/Q.qst", *design);
    QuestRepository& quests = Loaded();
    for (const char* bad : {"", "0x0", "12 ", "-1", "g", "123456789", "+1"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(quests.CompleteCondition(bad));
    }
    EXPECT_FALSE(quests.CompleteCondition(nullptr));
    EXPECT_TRUE(quests.GetSatisfiedConditions().empty());
    EXPECT_TRUE(quests.CompleteCondition("00000000"));
    EXPECT_TRUE(quests.GetQuestByIndex(0)->IsUnsolvable());
    EXPECT_TRUE(quests.CompleteCondition("FFffFFff")); // names nothing
    EXPECT_EQ(quests.GetSatisfiedConditions().size(), 2u);
}

TEST_F(QuestRepositoryLoad, WholeSetSparesConditionsMarkedToIgnore)
{
    auto design = Design("Q", 1, 1);
    TriggerCondition* condition =
        design->GetQuestStepAtIndx(0)->GetTriggerOfIdx(0)->GetConditionAtIdx(0);
    condition->SetExclusive(true);
    condition->SetIgnoreInSet(true);
    AddQuestFile("Quests/Q.qst", *design);
    QuestRepository& quests = Loaded();
    quests.RecvConditionSet({ConditionId::FromWord(0)});
    EXPECT_FALSE(quests.GetQuestByIndex(0)->IsUnsolvable());
    quests.DetectUnsolvableQuests(false);
    EXPECT_TRUE(quests.GetQuestByIndex(0)->IsUnsolvable());
}

struct DeathCounter : CreatureDeathListener {
    void OnCreatureDeath(const GameEvent_CreatureDeath&) override { ++deaths; }
    int deaths = 0;
};

TEST_F(QuestRepositoryLoad, DeathReachesRecordListenersBeforeTheProxyParents)
{
    QuestRepository& quests = QuestRepository::Get();
    auto* monster = static_cast<Monster*>(ObjectManager::Instance().CreateObject("Monster"));
    ASSERT_NE(monster, nullptr);
    monster->SetProxyParent("Proxies/Camp01");
    DeathCounter byRecord, byProxy;
    quests.AddCreatureDeath("Records/Creatures/Raider.dbr", &byRecord);
    quests.AddCreatureDeath("PROXIES\\camp01", &byProxy);
    quests.AddCreatureDeath("Proxies/Camp01", &byProxy); // once only
    GameEvent_CreatureDeath event;
    event.victimId = monster->GetObjectId();
    event.name = "records\\creatures\\raider.dbr";
    EventManager::Instance().Send("GameEvent_CreatureDeath", event);
    EXPECT_EQ(byRecord.deaths, 1);
    EXPECT_EQ(byProxy.deaths, 0);
    event.name = "Records/Creatures/Other.dbr";
    EventManager::Instance().Send("GameEvent_CreatureDeath", event);
    EXPECT_EQ(byProxy.deaths, 1);
    {
        DeathCounter gone;
        quests.AddCreatureDeath("Records/Creatures/Other.dbr", &gone);
    }
    // The gone one left its list, so the proxy's listeners hear the death.
    EventManager::Instance().Send("GameEvent_CreatureDeath", event);
    EXPECT_EQ(byProxy.deaths, 2);
}

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
    GAME::Test::Heard<GameEvent_QuestUpdate> updates("GameEvent_QuestUpdate");
    QuestRepository& fresh = Loaded();
    fresh.LoadQuestState(folder, "QuestRepository.dat");
    EXPECT_EQ(updates.events.size(), 1u);
    EXPECT_FALSE(fresh.GetQuestByIndex(0)->IsActive());
    EXPECT_TRUE(fresh.GetQuestByIndex(0)->IsDirty());
    EXPECT_FALSE(fresh.GetQuestByIndex(1)->IsDirty());
    EXPECT_TRUE(fresh.GetFiredTriggers().empty());
}

// Each file ends with "stateCrc", the CRC-32 of the bytes before it. A state written before
// digests were kept still restores.
TEST_F(QuestStateSave, AStateChangedByOneBitIsRefusedAndOneOlderThanItsDigestRestores)
{
    FireFirstTrigger(5);
    quests->SaveQuestState(folder, "QuestRepository.dat", false);
    const std::string questFile = StatePath(0);
    const std::string repositoryFile = folder + "/QuestRepository.dat";
    QuestRepository::Destroy();
    QuestRepository& fresh = Loaded();
    Quest* quest = fresh.GetQuestByIndex(0);
    GAME::Test::Heard<GameEvent_QuestUpdate> refusals("GameEvent_QuestUpdate");
    const std::vector<uint8_t> digestKey = {4, 8, 0, 's', 't', 'a', 't', 'e', 'C', 'r', 'c'};
    for (const std::string& path : {questFile, repositoryFile}) {
        SCOPED_TRACE(path);
        const std::vector<uint8_t> saved = Bytes(path);
        const size_t body = saved.size() - digestKey.size() - 4;
        EXPECT_EQ(std::vector<uint8_t>(saved.begin() + body, saved.end() - 4), digestKey);
        EXPECT_EQ(LoadLittleEndian32(&saved[body + digestKey.size()]), Crc32(saved.data(), body));
        refusals.events.clear();
        for (size_t at = 0; at < saved.size(); ++at) {
            std::vector<uint8_t> changed = saved;
            changed[at] ^= uint8_t(1u << (at % 8));
            IOStreamRead in(std::move(changed));
            if (path == questFile)
                fresh.ReadQuestState(in, quest);
            else
                EXPECT_FALSE(fresh.ReadProperties(in)) << at;
        }
        EXPECT_EQ(refusals.events.size(), path == questFile ? saved.size() : 0u);
        EXPECT_FALSE(quest->IsActive());
        EXPECT_TRUE(fresh.GetFiredTriggers().empty());
        ASSERT_TRUE(IOStreamWrite::SaveBytesToFile(
            path, std::vector<uint8_t>(saved.begin(), saved.begin() + body)));
    }

    // From the files: without their digests they restore; saved again, one changed byte and
    // nothing comes back.
    QuestRepository::Destroy();
    QuestRepository& older = Loaded();
    EXPECT_TRUE(older.LoadQuestState(folder, "QuestRepository.dat"));
    EXPECT_TRUE(older.GetQuestByIndex(0)->IsActive());
    EXPECT_EQ(older.GetFiredTriggers().size(), 1u);
    older.SaveQuestState(folder, "QuestRepository.dat", false);
    std::vector<uint8_t> changed = Bytes(repositoryFile);
    changed[changed.size() / 2] ^= 0x10;
    ASSERT_TRUE(IOStreamWrite::SaveBytesToFile(repositoryFile, changed));
    QuestRepository::Destroy();
    EXPECT_FALSE(Loaded().LoadQuestState(folder, "QuestRepository.dat"));
    EXPECT_TRUE(QuestRepository::Get().GetFiredTriggers().empty());
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

using Test::Heard;

class QuestLifecycle : public Test::QuestFixture {};

TEST_F(QuestLifecycle, StepEquationThatDoesNotParseNeverArms)
{
    auto design = Design("Q", 2, 1, {"Test_Now"});
    design->GetQuestStepAtIndx(0)->SetEnablingTokensFunction("raiderSlain &&");
    AddQuestFile("Quests/Q.qst", *design);
    QuestRepository& quests = Loaded();
    EXPECT_EQ(
        log.Count(1, "A quest step equation for Quest \"Q\" failed.  Quest will not function."),
        1u);
    const Quest* quest = quests.GetQuestByIndex(0);
    QuestStep* broken = quest->GetQuestStepAtIndx(0);
    QuestStep* plain = quest->GetQuestStepAtIndx(1);
    EXPECT_FALSE(broken->IsEnabled());
    EXPECT_TRUE(plain->IsEnabled()); // "" arms as "1"
    for (const QuestStep* step : {broken, plain})
        step->GetTriggerOfIdx(0)->GetConditionAtIdx(0)->SetSatisfied(true);
    quests.Update(33);
    EXPECT_EQ(GAME::Test::RecordingAction::fired, std::vector<std::string>{"Test_Now:0"});
    EXPECT_FALSE(broken->GetTriggerOfIdx(0)->IsDone());
}

TEST_F(QuestLifecycle, CompletesStepByStepAndAnnouncesOnce)
{
    auto design = Design("Q", 2, 1, {});
    AddQuestFile("Quests/Q.qst", *design);
    QuestRepository& quests = Loaded();
    Quest* quest = quests.GetQuestByIndex(0);
    Heard<GameEvent_QuestComplete> complete("GameEvent_QuestComplete");
    for (int s = 0; s < 2; ++s) {
        SCOPED_TRACE(s);
        EXPECT_FALSE(quest->IsComplete());
        quest->GetQuestStepAtIndx(s)->GetTriggerOfIdx(0)->GetConditionAtIdx(0)->SetSatisfied(true);
        quests.Update(33);
        EXPECT_TRUE(quest->GetQuestStepAtIndx(s)->IsComplete());
    }
    EXPECT_TRUE(quest->IsComplete());
    ASSERT_EQ(complete.events.size(), 1u);
    EXPECT_EQ(complete.events[0].handle, quest->GetHandle());
    EXPECT_TRUE(complete.events[0].flagA && complete.events[0].flagB);
}

TEST_F(QuestLifecycle, SetUnsolvableTwiceAnnouncesOnce)
{
    auto design = Design("Q", 2, 2);
    AddQuestFile("Quests/Q.qst", *design);
    Quest* quest = Loaded().GetQuestByIndex(0);
    Heard<GameEvent> unsolvable("GameEvent_QuestUnsolvable");
    Heard<GameEvent_QuestComplete> complete("GameEvent_QuestComplete");
    quest->SetUnsolvable();
    quest->SetUnsolvable();
    EXPECT_EQ(unsolvable.events.size(), 1u);
    EXPECT_TRUE(complete.events.empty());
    EXPECT_TRUE(quest->IsUnsolvable() && quest->IsComplete() && quest->IsActive());
    EXPECT_TRUE(quest->GetQuestStepAtIndx(1)->GetTriggerOfIdx(1)->IsDone());
    EXPECT_TRUE(GAME::Test::RecordingAction::fired.empty());
}

TEST_F(QuestLifecycle, ReorderingKeepsTheEndsInPlace)
{
    auto quest = Design("Q", 3, 3);
    QuestStep* first = quest->GetQuestStepAtIndx(0);
    QuestStep* last = quest->GetQuestStepAtIndx(2);
    quest->MoveUp(first);
    quest->MoveDown(last);
    EXPECT_EQ(quest->GetIdxOfQuestStep(first), 0);
    EXPECT_EQ(quest->GetIdxOfQuestStep(last), 2);
    last->MoveUpInParent();
    EXPECT_EQ(quest->GetIdxOfQuestStep(last), 1);
    Trigger* trigger = first->GetTriggerOfIdx(2);
    first->MoveDown(trigger);
    EXPECT_EQ(first->GetIdxOfTrigger(trigger), 2);
    first->MoveUp(trigger);
    EXPECT_EQ(first->GetIdxOfTrigger(trigger), 1);
    std::unique_ptr<QuestStep> removed = last->RemoveFromParent();
    EXPECT_EQ(quest->GetStepCount(), 2);
    EXPECT_EQ(quest->GetIdxOfQuestStep(last), -1);
}

TEST_F(QuestLifecycle, RewardsOutsideTheThreeReadEmptyAndWriteNothing)
{
    Quest quest(0);
    for (int index : {0, 2}) {
        quest.SetRewardItemTag(index, "tagSword");
        quest.SetRewardGold(index, 100 + index);
        quest.SetRewardXP(index, 200 + index);
    }
    for (int index : {-1, 3, 1000}) {
        SCOPED_TRACE(index);
        quest.SetRewardItemTag(index, "tagBad");
        quest.SetRewardGold(index, 9);
        quest.SetRewardXP(index, 9);
        EXPECT_STREQ(quest.GetRewardItemTag(index), "");
        EXPECT_EQ(quest.GetRewardGold(index), 0);
        EXPECT_EQ(quest.GetRewardXP(index), 0);
    }
    EXPECT_STREQ(quest.GetRewardItemTag(2), "tagSword");
    EXPECT_EQ(quest.GetRewardGold(2), 102);
    EXPECT_STREQ(quest.GetRewardItemTag(1), "");
}

TEST_F(QuestLifecycle, CompleteQuestNowReachesTheQuestOfThatFileOnly)
{
    auto watch = Design("Watch", 2, 1);
    auto other = Design("Other", 1, 1);
    AddQuestFile("Quests/VillageWatch.qst", *watch);
    AddQuestFile("Quests/Other.qst", *other);
    QuestRepository& quests = Loaded();
    GameEvent_CompleteQuestNow event;
    event.questFile = "QUESTS\\villagewatch.qst";
    EventManager::Instance().Send("GameEvent_CompleteQuestNow", event);
    EXPECT_TRUE(quests.GetQuestByIndex(0)->IsComplete());
    EXPECT_FALSE(quests.GetQuestByIndex(1)->IsComplete());
    EXPECT_TRUE(quests.GetQuestByIndex(0)->GetQuestStepAtIndx(1)->GetTriggerOfIdx(0)->IsDone());
    EXPECT_TRUE(GAME::Test::RecordingAction::fired.empty());
}

using Fired = std::vector<std::string>;

class TriggerFiring : public Test::QuestFixture {
protected:
    Trigger* LoadTrigger(const std::vector<std::string>& actions)
    {
        auto design = Design("Q", 1, 2, actions);
        AddQuestFile("Quests/Q.qst", *design);
        repository = &Loaded();
        return repository->GetQuestByIndex(0)->GetQuestStepAtIndx(0)->GetTriggerOfIdx(0);
    }
    const Fired& fired() const { return GAME::Test::RecordingAction::fired; }

    QuestRepository* repository = nullptr;
};

TEST_F(TriggerFiring, ChildIdsCarryQuestStepTriggerAndIndex)
{
    auto first = Design("A", 1, 1);
    auto second = Design("B", 1, 1);
    auto third = Design("C", 2, 4, {"Test_Now", "Test_Pay"});
    AddQuestFile("Quests/A.qst", *first);
    AddQuestFile("Quests/B.qst", *second);
    QuestRepository& quests = Loaded();
    EXPECT_EQ(quests.FindActionById(0x05000000u), nullptr); // with two quests
    AddQuestFile("Quests/C.qst", *third);
    quests.Load();
    const Trigger* trigger = quests.GetQuestByIndex(2)->GetQuestStepAtIndx(1)->GetTriggerOfIdx(3);
    EXPECT_EQ(trigger->GetId(), 0x02010300u);
    EXPECT_EQ(quests.FindActionById(0x02010301u), trigger->GetActionAtIdx(1));
    EXPECT_EQ(trigger->GetConditionAtIdx(0)->GetId(), 0x02010300u);
    for (uint32_t id : {0x05000000u, 0x02020000u, 0x02010400u, 0x02010302u, 0x03000000u}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(quests.FindActionById(id), nullptr);
    }
}

TEST_F(TriggerFiring, FiresOnceAllConditionsHoldAndRecordsTheFiring)
{
    Trigger* trigger = LoadTrigger({"Test_Now", "Test_Pay"});
    Quest* quest = repository->GetQuestByIndex(0);
    repository->Update(33);
    EXPECT_TRUE(fired().empty());
    trigger->SetInstigator(7);
    trigger->GetConditionAtIdx(0)->SetSatisfied(true);
    repository->Update(33);
    repository->Update(33);
    EXPECT_EQ(fired(), (Fired{"Test_Now:7", "Test_Pay:7"}));
    ASSERT_EQ(repository->GetFiredTriggers().size(), 1u);
    EXPECT_EQ(repository->GetFiredTriggers()[0].target, 7u);
    EXPECT_FALSE(quest->GetQuestStepAtIndx(0)->IsComplete()); // the second trigger waits
}

TEST_F(TriggerFiring, NegatedConditionHoldsWhileUnsatisfied)
{
    Trigger* trigger = LoadTrigger({"Test_Now"});
    trigger->GetConditionAtIdx(0)->SetNegate(true);
    repository->Update(33);
    EXPECT_EQ(fired(), (Fired{"Test_Now:0"}));
}

// A re-fire runs only what may fire again, even while delaying.
TEST_F(TriggerFiring, ReFireAndFireWithoutActionsMarkDoneWithoutBeingRecorded)
{
    Trigger* trigger = LoadTrigger({"Test_Pay", "Test_Mark", "Test_Now"});
    Trigger* other = repository->GetQuestByIndex(0)->GetQuestStepAtIndx(0)->GetTriggerOfIdx(1);
    other->Fire(false);
    EXPECT_TRUE(other->IsDone());
    EXPECT_TRUE(fired().empty());
    repository->EnableDelayedActions(true);
    trigger->ReFire(9);
    EXPECT_EQ(fired(), (Fired{"Test_Mark:9:again"}));
    EXPECT_TRUE(trigger->IsDone());
    EXPECT_EQ(repository->GetNumDelayedActions(), 0u);
    EXPECT_TRUE(repository->GetFiredTriggers().empty());
}

TEST_F(TriggerFiring, DelayedActionsWaitInOrderUntilFlushed)
{
    Trigger* trigger = LoadTrigger({"Test_Pay", "Test_Now", "Test_Mark"});
    repository->EnableDelayedActions(true);
    trigger->SetInstigator(3);
    trigger->Fire(true);
    EXPECT_EQ(fired(), (Fired{"Test_Now:3"}));
    repository->Update(33);
    EXPECT_EQ(repository->GetNumDelayedActions(), 2u);
    repository->FlushDelayedActions();
    EXPECT_EQ(fired(), (Fired{"Test_Now:3", "Test_Pay:3", "Test_Mark:3"}));
    EXPECT_FALSE(repository->IsDelayedActionsEnabled());
}

TEST_F(TriggerFiring, ARemovedTriggerLeavesTheHeldActionsAndTheActiveList)
{
    Trigger* trigger = LoadTrigger({"Test_Pay"});
    QuestStep* step = repository->GetQuestByIndex(0)->GetQuestStepAtIndx(0);
    repository->EnableDelayedActions(true);
    trigger->Fire(true);
    ASSERT_EQ(repository->GetNumDelayedActions(), 1u);
    const size_t active = repository->GetActiveTriggers().size();
    step->RemoveTrigger(step->GetTriggerOfIdx(1));
    EXPECT_EQ(repository->GetActiveTriggers().size(), active - 1);
    step->RemoveTrigger(trigger);
    EXPECT_EQ(repository->GetNumDelayedActions(), 0u);
    repository->FlushDelayedActions(); // nothing freed is fired
    EXPECT_TRUE(fired().empty());
}

TEST_F(TriggerFiring, UnknownClassIsLoggedSkippedAndNeverFires)
{
    auto design = Design("Q", 1, 1, {"Test_Now"});
    AddQuestFile("Quests/Q.qst", *design, true);
    const std::vector<uint8_t> bytes = Bytes(database.GetRoot() + "/Quests/Q.qst");
    std::string text(bytes.begin(), bytes.end());
    text.replace(text.find("Test_Condition"), 14, "Test_Missing");
    database.WriteFile("Quests/Q.qst", text);
    QuestRepository& quests = Loaded();
    EXPECT_EQ(log.Count(1, "Trigger: unknown class (Test_Missing)"), 1u);
    EXPECT_EQ(quests.FindDesignFault(), "quest file 'Quests/Q.qst' is damaged: it names a trigger "
                                        "class the game does not have, 'Test_Missing'");
    Trigger* trigger = quests.GetQuestByIndex(0)->GetQuestStepAtIndx(0)->GetTriggerOfIdx(0);
    ASSERT_NE(trigger, nullptr);
    EXPECT_EQ(trigger->GetNumConditions(), 0);
    EXPECT_EQ(trigger->GetNumActions(), 1);
    quests.Update(33);
    EXPECT_TRUE(fired().empty());
}

} // namespace
} // namespace GAME
