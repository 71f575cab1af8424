#include "ai/ControllerSpiritHost.h"

#include "ai/ControllerAIStateData.h"
#include "ai/ControllerSpiritHostState.h"
#include "characters/Monster.h"
#include "engine/ObjectManager.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerSpiritHost, ControllerMonster);

ControllerSpiritHost::~ControllerSpiritHost() = default;

void ControllerSpiritHost::RegisterStates()
{
    ControllerMonster::RegisterStates();
    AddState("Startup", new ControllerSpiritHostStateStartup(this));
    AddState("Animate", new ControllerSpiritHostStateAnimate(this));
}

void ControllerSpiritHost::Animate()
{
    SetState("Animate", ControllerAIStateData());
}

bool ControllerSpiritHost::CanBeAnimated() const
{
    if (animated)
        return false;
    const auto* spirit = ObjectManager::Instance().GetObject<Monster>(animator);
    return spirit == nullptr || !spirit->IsAlive();
}

} // namespace GAME
