#include "ai/ControllerOrmenosStateAttack.h"

#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "skills/Skill_AttackTelekinesis.h"

namespace GAME {

void ControllerOrmenosStateAttack::HandleEvent(const Name& event)
{
    if (event == Name::Create("End")) {
        const auto* telekinesis =
            ObjectManager::Instance().GetObject<Skill_AttackTelekinesis>(GetCurrentSkillID());
        if (telekinesis != nullptr && !telekinesis->IsTelkineFinished())
            return;
    }
    ControllerMonsterStateAttack::HandleEvent(event);
}

} // namespace GAME
