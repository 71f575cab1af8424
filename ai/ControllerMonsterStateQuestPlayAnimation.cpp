#include "ai/ControllerMonsterStateQuestPlayAnimation.h"

#include "engine/Name.h"

namespace GAME {

void ControllerMonsterStateQuestPlayAnimation::OnBegin()
{
    const ControllerMonster* controller = GetController();
    PlayAnimation(controller->GetQuestAnimation(), Name(), 1.0f,
                  controller->GetQuestAnimationLooping(), 0);
}

void ControllerMonsterStateQuestPlayAnimation::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end)
        SwitchTo("Idle");
}

} // namespace GAME
