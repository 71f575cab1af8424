#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class IOStream;
class Trigger;

// What a quest trigger does when it fires. The game's actions derive from it; the trigger that
// holds one hands it the instigating object (0 for the local player).
class TriggerAction {
public:
    TriggerAction(uint32_t id, Trigger* parent);
    virtual ~TriggerAction();
    TriggerAction(const TriggerAction&) = delete;
    TriggerAction& operator=(const TriggerAction&) = delete;

    // reFire is true when restored quest state fires the trigger again.
    virtual void Fire(uint32_t targetId, bool reFire) = 0;
    virtual const char* GetName() const = 0;
    // An editor line, built in the description string and returned.
    virtual const std::string& GetDescription() = 0;
    // Token references by the token's name.
    virtual bool ContainsToken(const char* /*name*/) const { return false; }
    virtual void RemoveTokenReferences(const char* /*name*/) {}
    virtual bool CanReFire() const { return false; }
    virtual bool CanDelay() const { return false; }
    // The quest state file.
    virtual bool StreamChildProperties(IOStream* /*stream*/) { return true; }
    // The designer's properties of the quest file.
    virtual bool SerializeChildProperties(IOStream* /*stream*/) { return true; }
    // Adds the records those properties name, empty ones too, so that a design naming a record
    // the database lacks can be refused before it is played.
    virtual void GetRecordNames(std::vector<std::string>& /*names*/) const {}

    uint32_t GetId() const { return id; }
    Trigger* GetParent() const { return parent; }
    void SetParent(Trigger* value) { parent = value; }
    bool UpdatesContainerUI() const { return updatesContainerUI; }

protected:
    // Record names show as their bare file name, an empty one as "[empty]".
    static std::string DescribeName(const std::string& name);

    Trigger* parent = nullptr;
    std::string description;
    bool updatesContainerUI = false;

private:
    uint32_t id = 0;
};

} // namespace GAME
