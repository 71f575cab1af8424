#include "ai/ControllerStooge.h"

#include "ai/MiscItemDrops.h"
#include "characters/AmbientCharacter.h"
#include "characters/AnimationSet.h"
#include "characters/AttackAction.h"
#include "characters/PlayAnimationAction.h"
#include "core/PlayerInfo.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/LootLoader.h"

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

void ControllerStooge::CharacterIsDead()
{
    ControllerCombat::CharacterIsDead();
    if (Character* character = GetCharacter())
        CreateDropMiscItems(*character);
}

void ControllerStooge::CreateDropMiscItems(Character& character)
{
    if (gGameEngine == nullptr)
        return;
    GameEngine& game = *gGameEngine;
    PlayerInfo player;
    game.GetPlayerInfo(player);
    LootLoader loader;
    loader.SetLevel(character.GetCharLevel(), player.averagePlayerLevel);
    DropMiscItems(game, character,
                  ObjectManager::Instance().GetLoadTable(character.GetObjectName()), loader);
}

} // namespace GAME
