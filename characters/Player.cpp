#include "characters/Player.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Player, Character);

Player::~Player() = default;

WorldCoords Player::GetNearSpawnCoords() const
{
    return GetCoords();
}

} // namespace GAME
