#pragma once

#include "core/EquationInterface.h"
#include "engine/TriggerContainer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

template <typename T> class DesignerEquation;
class IOStream;
class Quest;
class Trigger;

// One step of a quest: triggers that all must fire, an enabling equation over the player's
// trigger tokens that arms them, and a completion trigger that fires when the step completes.
class QuestStep : public EquationInterface<bool>, public TriggerContainer {
public:
    // A step holds at most this many triggers: the index sits in bits 8 to 15 of their ids.
    static constexpr int32_t kMaxTriggers = 256;

    static std::unique_ptr<QuestStep> Spawn(uint32_t id) { return std::make_unique<QuestStep>(id); }
    explicit QuestStep(uint32_t id);
    virtual ~QuestStep();
    QuestStep(const QuestStep&) = delete;
    QuestStep& operator=(const QuestStep&) = delete;

    uint32_t GetId() const { return id; }
    void SetParent(Quest* quest) { parent = quest; }
    Quest* GetParent() const { return parent; }
    const std::string& GetName() const { return name; }
    void SetName(const std::string& value) { name = value; }
    const std::string& GetComments() const { return comments; }
    void SetComments(const std::string& value) { comments = value; }
    const std::string& GetEnablingTokensFunction() const { return enablingTokensFunction; }
    void SetEnablingTokensFunction(const std::string& value) { enablingTokensFunction = value; }
    const std::string& GetNextTaskDescription() const { return nextTaskDescription; }
    void SetNextTaskDescription(const std::string& value) { nextTaskDescription = value; }
    void SetQuestTitle(const std::string& title) { questTitle = title; }

    Trigger* GetCompletionTrigger() const { return completionTrigger.get(); }
    // Null once the step holds `kMaxTriggers`.
    Trigger* AddNewTrigger();
    int32_t GetTriggerCount() const { return static_cast<int32_t>(triggers.size()); }
    Trigger* GetTriggerOfIdx(int32_t index) const;
    int32_t GetIdxOfTrigger(const Trigger* trigger) const;
    void MoveUpInParent();
    void MoveDownInParent();
    // Hands the step's ownership back from its quest; null without one.
    std::unique_ptr<QuestStep> RemoveFromParent();

    void GetQuestInformation(std::vector<std::string>& lines) const;
    void GetActiveTriggers(std::vector<Trigger*>& out) const;
    bool ContainsToken(const char* tokenName) const;
    void RemoveTokenReferences(const char* tokenName);

    // False once completed or without a working equation.
    bool IsEnabled();
    bool IsComplete() const { return completed; }
    void SetCompleted() { completed = true; }
    void OnTriggerFired(Trigger* trigger);
    void OnCompletion(bool complete, bool flagA, bool flagB);
    // Builds the equation from the enabling function ("" counts as "1"); logs when it does not
    // parse and leaves the step without one.
    void GenerateEnablingEquation();
    bool HasEnablingEquation() const { return equation != nullptr; }
    // Every name is a trigger token: true when this machine's player holds it.
    bool GetDesignerVariable(const char* variable, bool& value) override;

    bool Serialize(IOStream* stream);
    bool StreamProperties(IOStream* stream);

    void RemoveTrigger(Trigger* trigger) override;
    void MoveUp(Trigger* trigger) override;
    void MoveDown(Trigger* trigger) override;
    void UpdateContainerUI(const std::string& first, const std::string& second, bool flag1,
                           bool flag2, bool flag3) override;
    void UpdateDialogTab(const std::string& text) override;
    void FireAction(TriggerAction* action, uint32_t targetId) override;
    void SetDirty() override;

private:
    // A trigger of this step with its id and the step's two callbacks.
    std::unique_ptr<Trigger> MakeTrigger(size_t index);
    bool SerializeTriggers(IOStream* stream);
    void ForgetTrigger(Trigger* trigger);

    uint32_t id = 0;
    std::string enablingTokensFunction;
    std::string name = "New Quest Step";
    std::string nextTaskDescription;
    std::string comments;
    std::unique_ptr<DesignerEquation<bool>> equation;
    std::vector<std::unique_ptr<Trigger>> triggers;
    std::unique_ptr<Trigger> completionTrigger;
    Quest* parent = nullptr;
    bool completed = false;
    std::string questTitle;
};

} // namespace GAME
