#include "ai/ControllerMonsterStateEmoteBeforePursue.h"

#include "characters/AnimationSet.h"
#include "engine/Name.h"

namespace GAME {

void ControllerMonsterStateEmoteBeforePursue::OnBegin()
{
    if (!GetController()->IsEnemyValid(GetCurrentEnemy())) {
        SwitchTo("Return");
        return;
    }
    PlayAnimation(AnimationSet_Special, Name::Create("Emote"), 1.0f, false, 0);
}

void ControllerMonsterStateEmoteBeforePursue::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end)
        PursueEnemy(GetCurrentEnemy());
}

} // namespace GAME
