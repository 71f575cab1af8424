#include "characters/Monster.h"

#include "characters/CharacterSettings.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Monster, Character);

Monster::~Monster() = default;

float Monster::GetDefenseAttributeCap() const
{
    return GetDefenseCapSetting("monsterDefenseCap");
}

} // namespace GAME
