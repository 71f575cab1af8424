#pragma once

#include "characters/CharacterActionType.h"
#include "engine/CharacterAction.h"
#include "engine/FilterFunction.h"

#include <deque>
#include <memory>
#include <string>

namespace GAME {

class Name;

// Runs a character's actions one at a time. An action handed in while another one's `Execute`
// is running waits in the queue, so a running action is never replaced under its own feet.
class CharacterActionHandler {
public:
    CharacterActionHandler() = default;
    virtual ~CharacterActionHandler();
    CharacterActionHandler(const CharacterActionHandler&) = delete;
    CharacterActionHandler& operator=(const CharacterActionHandler&) = delete;

    // Takes ownership; the action replaces the current one (which is finished and destroyed).
    void Execute(std::unique_ptr<CharacterAction> action);
    // Finishes and destroys the current action. From inside that action's own `Execute` the
    // destruction waits until `Execute` has returned.
    void Stop();
    void AnimationCallback(const Name& event);
    bool IsActive() const;
    float GetBlendTime() const;
    CharacterActionType GetActionType() const;
    std::string GetActionAsString() const;

    // Replaces (and deletes) the previous filter; the handler itself never consults it.
    virtual void SetActionFilter(std::unique_ptr<FilterFunction<CharacterAction>> filter);

private:
    std::unique_ptr<CharacterAction> currentAction;
    std::unique_ptr<FilterFunction<CharacterAction>> actionFilter;
    // Guards `Execute` against re-entry.
    bool executing = false;
    // First in, first out.
    std::deque<std::unique_ptr<CharacterAction>> queue;
    // An action stopped while its own `Execute` ran; destroyed once that returns.
    std::unique_ptr<CharacterAction> stoppedWhileExecuting;
};

} // namespace GAME
