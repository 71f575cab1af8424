#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class GameEvent;
class IOStream;
class Trigger;

// One thing a trigger waits for. The game's conditions derive from it; the trigger reads and
// writes the flags below and asks each condition whether it holds.
class TriggerCondition {
public:
    TriggerCondition(uint32_t id, Trigger* parent);
    virtual ~TriggerCondition();
    TriggerCondition(const TriggerCondition&) = delete;
    TriggerCondition& operator=(const TriggerCondition&) = delete;

    virtual void HandleEvent(const GameEvent& /*event*/) {}
    // And-s this condition into the trigger's running answer: holds when satisfied differs
    // from negate.
    virtual bool IsSatisfied(bool& flag);
    virtual const char* GetName() const = 0;
    virtual const std::string& GetDescription() { return description; }
    virtual void GetQuestInformation(std::vector<std::string>& /*lines*/) {}
    virtual bool ContainsToken(const char* /*name*/) const { return false; }
    virtual void RemoveTokenReferences(const char* /*name*/) {}
    // The quest state file.
    virtual bool StreamChildProperties(IOStream* /*stream*/) { return true; }
    // The designer's properties of the quest file.
    virtual bool SerializeChildProperties(IOStream* /*stream*/) { return true; }
    // Adds the records those properties name, empty ones too, so that a design naming a record
    // the database lacks can be refused before it is played.
    virtual void GetRecordNames(std::vector<std::string>& /*names*/) const {}

    // A change marks the trigger's holder for saving.
    void SetSatisfied(bool value);
    bool GetSatisfied() const { return satisfied; }
    // Loaded state is no change to save again.
    void RestoreSatisfied(bool value) { satisfied = value; }
    uint32_t GetId() const { return id; }
    Trigger* GetParent() const { return parent; }
    void SetParent(Trigger* value) { parent = value; }
    bool GetNegate() const { return negate; }
    void SetNegate(bool value) { negate = value; }
    bool GetExclusive() const { return exclusive; }
    void SetExclusive(bool value) { exclusive = value; }
    // Set on conditions that a whole received condition set does not judge.
    bool GetIgnoreInSet() const { return ignoreInSet; }
    void SetIgnoreInSet(bool value) { ignoreInSet = value; }

protected:
    Trigger* parent = nullptr;
    std::string description;

private:
    uint32_t id = 0;
    bool satisfied = false;
    bool negate = false;
    bool ignoreInSet = false;
    bool exclusive = false;
};

} // namespace GAME
