#include "characters/Player.h"

#include "characters/CharacterSettings.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Player, Character);

Player::~Player() = default;

float Player::GetDefenseAttributeCap() const
{
    return GetDefenseCapSetting("playerDefenseCap");
}

WorldCoords Player::GetNearSpawnCoords() const
{
    return GetCoords();
}

} // namespace GAME
