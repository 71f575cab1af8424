#include "items/OneShot_Potion.h"

#include "characters/Character.h"
#include "game/GameEngine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(OneShot_Potion, OneShot);

OneShot_Potion::~OneShot_Potion() = default;

void OneShot_Potion::Use(Character* character)
{
    if (character == nullptr)
        return;
    // The tutorial watches for the main player's first potion.
    if (gGameEngine != nullptr && gGameEngine->GetPlayerId() != 0 &&
        gGameEngine->GetPlayerId() == character->GetObjectId())
        gGameEngine->SetPotionUsed();
    OneShot::Use(character);
    RemoveFromStack(1);
    character->TakeBonus(bonus, true, playStatsType);
}

uint32_t OneShot_Potion::RemoveFromStack(uint32_t n)
{
    stackCount = n < stackCount ? stackCount - n : 0;
    return stackCount;
}

} // namespace GAME
