#include "characters/CharacterActionHandler.h"

#include <utility>

namespace GAME {

CharacterActionHandler::~CharacterActionHandler() = default;

void CharacterActionHandler::Execute(std::unique_ptr<CharacterAction> action)
{
    while (action != nullptr) {
        if (executing) {
            queue.push_back(std::move(action));
            return;
        }
        executing = true;
        if (currentAction != nullptr) {
            currentAction->Finish();
            currentAction.reset();
        }
        currentAction = std::move(action);
        currentAction->Execute();
        executing = false;
        stoppedWhileExecuting.reset();
        if (queue.empty())
            return;
        action = std::move(queue.front());
        queue.pop_front();
    }
}

void CharacterActionHandler::Stop()
{
    if (currentAction == nullptr)
        return;
    currentAction->Finish();
    // The action may be the one whose `Execute` called us: it must outlive that call.
    if (executing)
        stoppedWhileExecuting = std::move(currentAction);
    else
        currentAction.reset();
}

void CharacterActionHandler::AnimationCallback(const Name& event)
{
    if (currentAction != nullptr)
        currentAction->AnimationCallback(event);
}

bool CharacterActionHandler::IsActive() const
{
    return currentAction != nullptr && currentAction->IsActive();
}

float CharacterActionHandler::GetBlendTime() const
{
    return currentAction != nullptr ? currentAction->GetBlendTime() : 0.0f;
}

CharacterActionType CharacterActionHandler::GetActionType() const
{
    return currentAction != nullptr ? currentAction->GetType() : CharacterActionType_None;
}

std::string CharacterActionHandler::GetActionAsString() const
{
    return "Current Action: " +
           (currentAction != nullptr ? currentAction->ToString() : std::string("(no text)"));
}

void CharacterActionHandler::SetActionFilter(
    std::unique_ptr<FilterFunction<CharacterAction>> filter)
{
    actionFilter = std::move(filter);
}

} // namespace GAME
