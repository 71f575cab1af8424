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
            // Replaced from inside one of its own animation events, it must outlive that call.
            if (callbacksRunning > 0)
                retired.push_back(std::move(currentAction));
            currentAction.reset();
        }
        currentAction = std::move(action);
        currentAction->Execute();
        executing = false;
        DestroyRetired();
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
    Retire(std::move(currentAction));
}

void CharacterActionHandler::AnimationCallback(const Name& event)
{
    if (currentAction == nullptr)
        return;
    ++callbacksRunning;
    currentAction->AnimationCallback(event);
    --callbacksRunning;
    DestroyRetired();
}

// The action may be the one whose call led here: it must outlive that call.
void CharacterActionHandler::Retire(std::unique_ptr<CharacterAction> action)
{
    if (executing || callbacksRunning > 0)
        retired.push_back(std::move(action));
}

void CharacterActionHandler::DestroyRetired()
{
    if (!executing && callbacksRunning == 0)
        retired.clear();
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
