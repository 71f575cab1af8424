#include "ai/ControllerStooge.h"

#include "characters/AmbientCharacter.h"
#include "characters/AnimationSet.h"
#include "characters/AttackAction.h"
#include "characters/PlayAnimationAction.h"
#include "engine/Name.h"
#include "game/GameEngine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerStooge, ControllerCombat);

void ControllerStooge::InitialUpdate()
{
    ControllerCombat::InitialUpdate();
    const Character* character = GetCharacter();
    if (character == nullptr)
        return;
    const AnimationSet* animations = character->GetAnimationSet();
    if (animations != nullptr && animations->DoesAnimationExist(AnimationSet_Spawn))
        HandleAction(
            new PlayAnimationAction(GetParentId(), AnimationSet_Spawn, Name(), 1.0f, false, 0));
}

void ControllerStooge::UnderAttack(uint32_t /*attackerId*/)
{
    AmbientCharacter* self = DynamicCast<AmbientCharacter>(GetCharacter());
    if (self == nullptr)
        return;
    const uint32_t ownId = self->GetObjectId();
    const uint32_t skillRef = self->GetSkillManager().GetSkillReferenceNumber(self->GetSkillId1());
    const uint32_t seed =
        gGameEngine != nullptr ? static_cast<uint32_t>(gGameEngine->GetRandomSeed()) : 0;
    HandleAction(new AttackAction(ownId, ownId, self->GetCoords().GetPosition(), skillRef, seed));
}

} // namespace GAME
