#include "ai/ControllerPlayerStateMoveToUseSkill.h"

#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "skills/Skill.h"

namespace GAME {

bool ControllerPlayerStateMoveToUseSkill::IsTargetValid(uint32_t id) const
{
    return ObjectManager::Instance().GetObject<Character>(id) != nullptr;
}

void ControllerPlayerStateMoveToUseSkill::Arrived(uint32_t id)
{
    SetState("UseSkill",
             ControllerAIStateData(id, id, GetCurrentSkillID(), GetController()->GetTargetPoint()));
}

bool ControllerPlayerStateMoveToUseSkill::RequestSkillAction(bool flagA, bool flagB,
                                                             uint32_t skillId,
                                                             const WorldVec3& point,
                                                             uint32_t& target)
{
    // The same pursuit goes on; a skill warming up keeps its order.
    if (target == GetCurrentAlly() && skillId == GetCurrentSkillID())
        return true;
    const Skill* current = FindSkill(GetCurrentSkillID());
    if (current != nullptr && current->GetWarmUpWasActive())
        return true;
    return DefaultRequestSkillAction(flagA, flagB, skillId, point, target);
}

} // namespace GAME
