#include "ai/ControllerMonsterStateStartup.h"

#include "characters/AnimationSet.h"
#include "engine/Name.h"

namespace GAME {

void ControllerMonsterStateStartup::OnBegin()
{
    const Monster* self = GetCharacter();
    const AnimationSet* animations = self != nullptr ? self->GetAnimationSet() : nullptr;
    if (animations == nullptr || !animations->DoesAnimationExist(AnimationSet_Spawn)) {
        GoIdle();
        return;
    }
    if (played)
        return;
    played = true;
    PlayAnimation(AnimationSet_Spawn, Name::Create("Spawn"), 1.0f, false, 0);
}

void ControllerMonsterStateStartup::HandleEvent(const Name& event)
{
    static const Name end = Name::Create("End");
    if (event == end)
        GoIdle();
}

void ControllerMonsterStateStartup::GoIdle()
{
    const uint32_t self = GetMonsterId();
    const uint32_t initial = GetController()->GetInitialSkillId();
    SwitchTo("Idle");
    if (initial != 0)
        UseSkillOnAlly(self, initial);
}

} // namespace GAME
