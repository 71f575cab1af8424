#include "ai/ControllerSpirit.h"

#include "ai/ControllerSpiritHost.h"
#include "ai/ControllerSpiritState.h"
#include "characters/Character.h"
#include "engine/ObjectManager.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerSpirit, ControllerMonster);

ControllerSpirit::~ControllerSpirit() = default;

void ControllerSpirit::RegisterStates()
{
    ControllerMonster::RegisterStates();
    AddState("Startup", new ControllerSpiritStateStartup(this));
    AddState("Idle", new ControllerSpiritStateIdle(this));
    AddState("AttackToAnimate", new ControllerSpiritStateAttackToAnimate(this));
    AddState("PursueToAnimate", new ControllerSpiritStatePursueToAnimate(this));
}

uint32_t ControllerSpirit::ChooseBestSkillOverride(uint32_t targetId, bool check)
{
    if (check)
        return 0;
    ObjectManager& objects = ObjectManager::Instance();
    const auto* target = objects.GetObject<Character>(targetId);
    if (target == nullptr ||
        objects.GetObject<ControllerSpiritHost>(target->GetControllerId()) == nullptr)
        return 0;
    return GetSpecialAttack(4).skill;
}

} // namespace GAME
