#pragma once

#include <cstdint>
#include <string>

namespace GAME {

class Trigger;
class TriggerAction;

// What holds triggers (a quest step): a trigger reaches its holder only through these.
class TriggerContainer {
public:
    virtual void RemoveTrigger(Trigger* trigger) = 0;
    virtual void MoveUp(Trigger* trigger) = 0;
    virtual void MoveDown(Trigger* trigger) = 0;
    virtual void UpdateContainerUI(const std::string& first, const std::string& second, bool flag1,
                                   bool flag2, bool flag3) = 0;
    virtual void UpdateDialogTab(const std::string& name) = 0;
    // Every action of a firing trigger goes through here, so the holder may hold it back.
    virtual void FireAction(TriggerAction* action, uint32_t targetId) = 0;
    // A trigger's state changed and must be saved.
    virtual void SetDirty() = 0;

protected:
    // Holders are never deleted through this interface.
    ~TriggerContainer() = default;
};

} // namespace GAME
