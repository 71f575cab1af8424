#include "ai/ControllerCharacter.h"

#include "characters/Character.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "multiplayer/EntityPackets.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerCharacter, ControllerBaseCharacter);

void ControllerCharacter::Teleport(const WorldCoords& coords)
{
    ConnectionManager& connections = gEngine->GetNetworkConnectionManager();
    UpdatePositionPacket packet;
    packet.originatorId = connections.GetLocalHostID();
    packet.entityId = GetParentId();
    packet.coords = coords;
    connections.SendPacket(packet);

    Character* character = GetCharacter();
    if (character == nullptr)
        return;
    WorldVec3 position = coords.GetPosition();
    // Left as it was on failure: a teleport off the floor still lands somewhere.
    if (!position.TranslateToFloor(Vec3()))
        gEngine->Log(Engine::LogRuntime, "Could Not Translate To Floor");
    character->SetPathPosition(position);
}

} // namespace GAME
