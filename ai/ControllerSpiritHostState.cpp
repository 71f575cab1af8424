#include "ai/ControllerSpiritHostState.h"

#include "ai/ControllerSpirit.h"
#include "ai/ControllerSpiritHost.h"
#include "characters/AnimationSet.h"
#include "characters/SpiritHost.h"
#include "characters/TeamManager.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"

namespace GAME {

ControllerSpiritHostState::ControllerSpiritHostState(ControllerSpiritHost* controller)
    : ControllerMonsterStateBase(controller), host(controller)
{}

void ControllerSpiritHostState::SetAnimated(bool value)
{
    host->SetAnimated(value);
    if (auto* statue = DynamicCast<SpiritHost>(GetCharacter()))
        statue->SetAnimated(value);
}

void ControllerSpiritHostStateStartup::OnBegin()
{
    if (const auto* statue = DynamicCast<SpiritHost>(GetCharacter());
        statue != nullptr && statue->IsAnimated()) {
        SetAnimated(true);
        SwitchTo("Idle");
        return;
    }
    PlayAnimation(AnimationSet_Special, Name::Create("StatueSit"), 1.0f, false, 0);
    ControllerSpiritHost* controller = GetHost();
    controller->SetCausesAnger(false);
    controller->SetInvincible(true);
    controller->SetTeam(TeamManager::InvisibleTeam());
}

void ControllerSpiritHostStateStartup::Attacked(uint32_t attackerId)
{
    ObjectManager& objects = ObjectManager::Instance();
    const Character* attacker = FindCharacter(attackerId);
    if (attacker != nullptr &&
        objects.GetObject<ControllerSpirit>(attacker->GetControllerId()) != nullptr) {
        SetAnimated(true);
        SwitchTo("Animate");
        return;
    }
    gEngine->Log(Engine::LogRuntime, "ControllerSpiritHostStateStartup - failed to animate");
}

void ControllerSpiritHostStateAnimate::OnBegin()
{
    ControllerSpiritHost* controller = GetHost();
    controller->SetCausesAnger(true);
    controller->SetInvincible(false);
    controller->SetTeam(TeamManager::DefaultMonsterTeam());
    PlayAnimation(AnimationSet_Special, Name::Create("StatueRise"), 1.0f, false, 0);
}

void ControllerSpiritHostStateAnimate::HandleEvent(const Name& event)
{
    if (event == Name::Create("End")) {
        SwitchTo("Idle");
        SetAnimated(true);
    }
}

} // namespace GAME
