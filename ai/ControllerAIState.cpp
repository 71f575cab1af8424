#include "ai/ControllerAIState.h"

#include "ai/ControllerAI.h"
#include "core/Saturate.h"
#include "engine/ObjectManager.h"

namespace GAME {

uint32_t ControllerAIState::GetDrivenCharacterId() const
{
    return controller != nullptr ? controller->GetParentId() : 0;
}

Object* ControllerAIState::LookUpDrivenCharacter() const
{
    const uint32_t id = GetDrivenCharacterId();
    return id != 0 ? ObjectManager::Instance().GetObject(id) : nullptr;
}

void ControllerAIState::StunController(float seconds)
{
    if (controller == nullptr)
        return;
    controller->ClearTemporaryStates();
    controller->SetStunTime(SaturateToInt(seconds));
    controller->SetState("Stunned", ControllerAIStateData());
}

void ControllerAIState::SwitchAfterClearing(const std::string& name)
{
    if (controller == nullptr)
        return;
    controller->ClearTemporaryStates();
    controller->SetState(name, ControllerAIStateData());
}

} // namespace GAME
