#include "world/StrategicMovementTeleportShrine.h"

#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/EventManager.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(StrategicMovementTeleportShrine, StrategicMovementBase);

namespace {
// The teleport shrines' detail-map entries.
constexpr uint32_t kTeleportNuggetType = 3;
} // namespace

StrategicMovementTeleportShrine::~StrategicMovementTeleportShrine() = default;

WorldVec3 StrategicMovementTeleportShrine::GetMoveToPoint(uint32_t user)
{
    WorldVec3 point = StrategicMovementBase::GetMoveToPoint(user);
    point.PutOnFloor();
    return point;
}

void StrategicMovementTeleportShrine::RequestToUse(uint32_t user)
{
    if (ObjectManager::Instance().GetObject<Player>(user) == nullptr ||
        user != GameEngine::Get().GetPlayerId())
        return;
    GameEvent_GenericEntity menu;
    menu.objectId = GetObjectId();
    menu.objectName = GetObjectName();
    EventManager::Instance().Send("GameEvent_ActivateTeleportMenu", menu);
}

StrategicMovementBaseState StrategicMovementTeleportShrine::DetermineStateFromPlayer()
{
    return StateFromPlayer(&Player::IsTeleportUIDKnown, GetUniqueID());
}

bool StrategicMovementTeleportShrine::InstallOnPlayerProximity(Player* player)
{
    if (player == nullptr)
        return false;
    player->AddTeleportUID(GetUniqueID());
    GameEngine::Get().UnlockTutorialPage(9, true);
    return true;
}

void StrategicMovementTeleportShrine::AppendDetailMapData(
    std::vector<MinimapGameNugget>& list) const
{
    AppendNugget(list, kTeleportNuggetType);
}

} // namespace GAME
