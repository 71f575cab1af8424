#include "ai/ControllerPlayerStateTrapped.h"

#include "characters/CharacterConfigCommands.h"
#include "skills/Skill.h"

namespace GAME {

void ControllerPlayerStateTrapped::OnBegin()
{
    GetController()->TakeTrap();
}

void ControllerPlayerStateTrapped::OnEnd()
{
    GetController()->SendCommand(std::make_unique<ReleaseTrapConfigCmd>(GetDrivenCharacterId()));
}

bool ControllerPlayerStateTrapped::RequestSkillAction(bool flagA, bool /*flagB*/, uint32_t skillId,
                                                      const WorldVec3& point, uint32_t& target)
{
    Player* player = GetCharacter();
    Skill* skill = FindSkill(skillId);
    if (player == nullptr || skill == nullptr || !ChooseSkillTarget(*skill, flagA, point, target))
        return false;
    const WorldVec3 targetPosition = GetSkillTargetPosition(target, target, point);
    const bool inReach =
        flagA || Character::GetTargetDistance(player->GetObjectId(), target, skillId) +
                         GetSkillUseTolerance(target) >
                     Distance(player->GetPathPosition(), targetPosition);
    if (!inReach)
        return false;
    SetState("UseSkillWhileTrapped", ControllerAIStateData(target, target, skillId, point));
    return true;
}

} // namespace GAME
