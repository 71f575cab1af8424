#include "world/StrategicMovementBase.h"

#include "characters/Player.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(StrategicMovementBase, Tile);

StrategicMovementBase::~StrategicMovementBase() = default;

WorldVec3 StrategicMovementBase::GetMoveToPoint(uint32_t /*user*/)
{
    return GetCoords().GetPosition();
}

Player* StrategicMovementBase::GetLocalPlayer()
{
    return ObjectManager::Instance().GetObject<Player>(GameEngine::Get().GetPlayerId());
}

StrategicMovementBaseState
StrategicMovementBase::StateFromPlayer(bool (Player::*knows)(const UniqueId&) const,
                                       const UniqueId& id)
{
    const Player* player = GetLocalPlayer();
    if (player == nullptr)
        return StrategicMovementUndetermined;
    return (player->*knows)(id) ? StrategicMovementActive : StrategicMovementDormant;
}

} // namespace GAME
