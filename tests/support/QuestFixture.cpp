#include "tests/support/QuestFixture.h"

#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/Trigger.h"
#include "engine/TriggerFactory.h"
#include "engine/World.h"
#include "quests/Quest.h"
#include "quests/QuestRepository.h"
#include "quests/QuestStep.h"

#include <filesystem>

namespace GAME::Test {

std::vector<std::string> RecordingAction::fired;

namespace {

template <bool ReFire, bool Delay> class Action : public RecordingAction {
public:
    Action(uint32_t id, Trigger* parent, const char* name) : RecordingAction(id, parent), name(name)
    {}
    const char* GetName() const override { return name; }
    bool CanReFire() const override { return ReFire; }
    bool CanDelay() const override { return Delay; }

private:
    const char* name;
};

struct PayAction : Action<false, true> {
    PayAction(uint32_t id, Trigger* parent) : Action(id, parent, "Test_Pay") {}
};
struct MarkAction : Action<true, true> {
    MarkAction(uint32_t id, Trigger* parent) : Action(id, parent, "Test_Mark") {}
};
struct NowAction : Action<false, false> {
    NowAction(uint32_t id, Trigger* parent) : Action(id, parent, "Test_Now") {}
};

TriggerActionProducerT<PayAction> payProducer("Test_Pay");
TriggerActionProducerT<MarkAction> markProducer("Test_Mark");
TriggerActionProducerT<NowAction> nowProducer("Test_Now");
TriggerConditionProducerT<ManualCondition> conditionProducer("Test_Condition");

} // namespace

void RecordingAction::Fire(uint32_t targetId, bool reFire)
{
    fired.push_back(std::string(GetName()) + ":" + std::to_string(targetId) +
                    (reFire ? ":again" : ""));
}

void QuestFixture::SetUp()
{
    EngineFixture::SetUp();
    RecordingAction::fired.clear();
    gEngine->GetWorld()->ClearQuestFiles();
}

void QuestFixture::TearDown()
{
    QuestRepository::Destroy();
    gEngine->GetWorld()->ClearQuestFiles();
    EngineFixture::TearDown();
}

std::unique_ptr<Quest> QuestFixture::Design(const std::string& title, int steps, int triggers,
                                            const std::vector<std::string>& actions)
{
    auto quest = Quest::Spawn(0);
    quest->SetName(title);
    for (int s = 0; s < steps; ++s) {
        QuestStep* step = quest->AddNewQuestStep();
        step->SetName("step " + std::to_string(s));
        for (int t = 0; t < triggers; ++t) {
            Trigger* trigger = step->AddNewTrigger();
            trigger->AddCondition("Test_Condition");
            for (const std::string& action : actions)
                trigger->AddAction(action);
        }
    }
    return quest;
}

void QuestFixture::AddQuestFile(const std::string& path, Quest& design, bool asText)
{
    IOStreamWrite stream;
    design.Serialize(&stream);
    std::string text;
    if (asText)
        IOStreamRead::Describe(stream.GetBytes(), text);
    else
        text.assign(stream.GetBytes().begin(), stream.GetBytes().end());
    database.WriteFile(path, text);
    gEngine->GetWorld()->AddQuestFile(path);
}

QuestRepository& QuestFixture::Loaded()
{
    QuestRepository& repository = QuestRepository::Get();
    repository.Load();
    return repository;
}

std::string QuestFixture::StateFolder() const
{
    const std::string folder = database.GetRoot() + "/state";
    std::filesystem::create_directories(folder);
    return folder;
}

} // namespace GAME::Test
