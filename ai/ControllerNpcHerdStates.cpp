#include "ai/ControllerNpcHerdStates.h"

#include "ai/NpcHerd.h"
#include "ai/NpcHerdManager.h"
#include "engine/Name.h"

namespace GAME {

namespace {

bool IsEnd(const Name& event)
{
    static const Name end = Name::Create("End");
    return event == end;
}

} // namespace

void ControllerNpcStateDirectHerd::HandleEvent(const Name& event)
{
    if (IsEnd(event))
        _CheckHerdPositioning();
}

void ControllerNpcStateDirectHerd::_CheckHerdPositioning()
{
    const NpcHerd* herd = NpcHerdManager::Get().FindHerd(GetController()->GetHerdName());
    if (herd == nullptr)
        return;
    Character* self = GetCharacter();
    WorldVec3 position;
    if (self != nullptr && herd->CheckHerdPositioning(self->GetObjectId(), position) &&
        self->CanMoveTo(position, 0.5f))
        WalkTo(position, 0);
    else
        Idle();
}

void ControllerNpcAnimalStateWiggle::HandleEvent(const Name& event)
{
    if (IsEnd(event))
        SetDone(true);
}

} // namespace GAME
