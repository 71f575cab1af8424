#include "ai/ControllerMonsterStateMove.h"

namespace GAME {

void ControllerMonsterStateMove::OnBegin()
{
    Monster* self = GetCharacter();
    const WorldVec3 point = GetController()->GetQuestPoint();
    if (self == nullptr || !self->CanMoveTo(point, 0.5f)) {
        SwitchTo("Idle");
        return;
    }
    self->PlayNetSound(self->GetPetAcknowledgeSound());
    MoveTo(point, 0, 0);
}

void ControllerMonsterStateMove::EndOfPathReached()
{
    SwitchTo("Idle");
}

} // namespace GAME
