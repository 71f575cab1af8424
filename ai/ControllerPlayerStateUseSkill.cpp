#include "ai/ControllerPlayerStateUseSkill.h"

#include "core/Saturate.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "skills/Skill.h"

namespace GAME {

void ControllerPlayerStateUseSkill::OnBegin()
{
    const uint32_t target = GetCurrentAlly();
    const uint32_t skillId = GetCurrentSkillID();
    if (target != 0) {
        Character* character = ObjectManager::Instance().GetObject<Character>(target);
        if (character == nullptr) {
            SetState(GetFallbackState(), ControllerAIStateData());
            return;
        }
        UseSkill(target, character->GetPathPosition(), skillId,
                 static_cast<uint32_t>(Platform::Rand()));
    } else {
        UseSkill(0, GetPointOfInterest(), skillId, static_cast<uint32_t>(Platform::Rand()));
    }
    repeatDelay = kRepeatDelay;
}

void ControllerPlayerStateUseSkill::OnUpdate(int32_t elapsedMs)
{
    if (repeatDelay > 0)
        repeatDelay = AddSaturating(repeatDelay, -elapsedMs);
}

void ControllerPlayerStateUseSkill::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (!(event == end))
        return;
    const Player* player = GetCharacter();
    if (player == nullptr || player->GetActionState() != ActionState_Attack)
        SetState("Idle", ControllerAIStateData());
}

float ControllerPlayerStateUseSkill::GetSkillUseTolerance(uint32_t targetId)
{
    return targetId == GetCurrentEnemy() && IsMovingCharacter(targetId) ? kMovingTargetTolerance
                                                                        : kTargetTolerance;
}

bool ControllerPlayerStateUseSkill::RequestSkillAction(bool flagA, bool flagB, uint32_t skillId,
                                                       const WorldVec3& point, uint32_t& target)
{
    const Skill* current = FindSkill(GetCurrentSkillID());
    if (current != nullptr && current->GetWarmUpWasActive())
        return true;
    if (target == GetCurrentAlly() && skillId == GetCurrentSkillID() &&
        GetController()->IsCommandRepeated()) {
        if (repeatDelay > 0 || current == nullptr || !current->IsRepeatable())
            return true;
    }
    repeatDelay = kRepeatDelay;
    return DefaultRequestSkillAction(flagA, flagB, skillId, point, target);
}

void ControllerPlayerStateUseSkill::RequestMoveAction(bool flagA, bool flagB,
                                                      const WorldVec3& point)
{
    if (!GetController()->IsCommandRepeated())
        DefaultRequestMoveAction(flagA, flagB, point);
}

} // namespace GAME
