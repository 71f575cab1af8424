#pragma once

#include "engine/CharacterAction.h"
#include "engine/FilterFunction.h"

#include <deque>
#include <memory>

namespace GAME {

// Runs a character's actions one at a time. An action handed in while another one's `Execute`
// is running waits in the queue, so a running action is never replaced under its own feet.
class CharacterActionHandler {
public:
    CharacterActionHandler() = default;
    virtual ~CharacterActionHandler();
    CharacterActionHandler(const CharacterActionHandler&) = delete;
    CharacterActionHandler& operator=(const CharacterActionHandler&) = delete;

    // Replaces (and deletes) the previous filter; the handler itself never consults it.
    virtual void SetActionFilter(std::unique_ptr<FilterFunction<CharacterAction>> filter);

private:
    std::unique_ptr<CharacterAction> currentAction;
    std::unique_ptr<FilterFunction<CharacterAction>> actionFilter;
    // Guards `Execute` against re-entry; only `Execute` reads it.
    [[maybe_unused]] bool executing = false;
    // First in, first out.
    std::deque<std::unique_ptr<CharacterAction>> queue;
};

} // namespace GAME
