#include "ai/ControllerMonsterStateDodgeAttack.h"

namespace GAME {

void ControllerMonsterStateDodgeAttack::OnBegin()
{
    Monster* self = GetCharacter();
    const WorldVec3 point = GetPointOfInterest();
    if (self == nullptr || !self->CanMoveTo(point, 0.5f)) {
        SwitchTo("Return");
        return;
    }
    MoveTo(point, 0, 0);
}

void ControllerMonsterStateDodgeAttack::EndOfPathReached()
{
    SwitchTo("Return");
}

} // namespace GAME
