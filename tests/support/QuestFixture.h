#pragma once

#include "engine/TriggerAction.h"
#include "engine/TriggerCondition.h"
#include "tests/support/EngineFixture.h"

#include <memory>
#include <string>
#include <vector>

namespace GAME {
class Quest;
class QuestRepository;
} // namespace GAME

namespace GAME::Test {

// Actions that note each firing as "Class:target" ("Class:target:again" when re-fired) in
// `fired`, so tests read the order. "Test_Pay" may wait but never re-fires; "Test_Mark"
// re-fires and may wait; "Test_Now" neither.
class RecordingAction : public TriggerAction {
public:
    using TriggerAction::TriggerAction;
    void Fire(uint32_t targetId, bool reFire) override;
    const std::string& GetDescription() override { return description; }

    static std::vector<std::string> fired;
};

// A condition the test satisfies by hand; "Test_Condition".
class ManualCondition : public TriggerCondition {
public:
    using TriggerCondition::TriggerCondition;
    const char* GetName() const override { return "Test_Condition"; }
};

// A world whose quest files the test writes into its own database. The repository is
// destroyed after each test.
class QuestFixture : public EngineFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // A design of `steps` steps of `triggers` triggers, each with one "Test_Condition" and the
    // actions named.
    static std::unique_ptr<Quest> Design(const std::string& title, int steps, int triggers,
                                         const std::vector<std::string>& actions = {"Test_Pay"});
    // Writes the design under the path (binary, or as text) and lists it in the world.
    void AddQuestFile(const std::string& path, Quest& design, bool asText = false);
    // The repository with the listed files loaded.
    static QuestRepository& Loaded();
    // A state folder of this test's own.
    std::string StateFolder() const;
};

} // namespace GAME::Test
