#pragma once

#include "characters/CharacterActionType.h"
#include "engine/CharacterAction.h"
#include "engine/FilterFunction.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

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
    // Actions stopped or replaced while one of their own calls ran (`Execute`, or an animation
    // event that stopped the character or handed it a new action); destroyed once it returns.
    std::vector<std::unique_ptr<CharacterAction>> retired;
    int32_t callbacksRunning = 0;

    void Retire(std::unique_ptr<CharacterAction> action);
    void DestroyRetired();
};

} // namespace GAME
