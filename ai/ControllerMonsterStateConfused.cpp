#include "ai/ControllerMonsterStateConfused.h"

#include "characters/CharacterConfigCommands.h"
#include "combat/CombatAttributeType.h"
#include "engine/Platform.h"

#include <cstdlib>
#include <memory>

namespace GAME {

void ControllerMonsterStateConfused::StartStopEffect(bool on)
{
    if (Monster* self = GetCharacter())
        self->Enqueue(std::make_unique<StartStopDamageEffectConfigCmd>(
            self->GetObjectId(), on, CombatAttributeType_Confusion));
}

void ControllerMonsterStateConfused::OnBegin()
{
    StartStopEffect(true);
    WalkRandomly();
    randomAttackTimer = Platform::Rand() % 2000 + 1000;
}

void ControllerMonsterStateConfused::OnEnd()
{
    StartStopEffect(false);
}

void ControllerMonsterStateConfused::OnUpdate(int32_t elapsedMs)
{
    ControllerMonster* controller = GetController();
    controller->SetConfusedTime(controller->GetConfusedTime() - elapsedMs);
    if (controller->GetConfusedTime() < 0) {
        SwitchTo("Return");
        return;
    }
    randomAttackTimer -= elapsedMs;
    if (randomAttackTimer >= 0)
        return;
    WorldVec3 point;
    if (!PickRandomPointInVicinity(point, GetCharacter(), controller->GetHomePosition(),
                                   2.0f * GetOwnRadius(), 5.0f, 1.0f, 0.0f))
        return;
    // The timer is drawn again when the attack is over and this state begins anew.
    AddTemporaryState("UseSkillOnPoint",
                      ControllerAIStateData(0, 0, controller->ChooseBestSkill(0, false), point));
}

void ControllerMonsterStateConfused::WalkRandomly()
{
    Monster* self = GetCharacter();
    if (self == nullptr || !CanMove())
        return;
    WorldVec3 point;
    if (!PickRandomPointInVicinity(point, self, GetController()->GetHomePosition(),
                                   2.0f * GetOwnRadius(), 7.0f, 1.0f, 0.0f))
        return;
    if (self->CanWalk())
        WalkTo(point, 0);
    else
        MoveTo(point, 0, 0);
}

} // namespace GAME
