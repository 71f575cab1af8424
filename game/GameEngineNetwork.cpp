#include "game/GameEngine.h"

#include "characters/Player.h"
#include "core/DialogManager.h"
#include "core/GameEvents.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/ObjectManager.h"
#include "multiplayer/GameEngineClientServicesModule.h"
#include "multiplayer/GameEngineInboundInterface.h"
#include "multiplayer/GameEngineOutboundInterface.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "multiplayer/PartyManager.h"
#include "multiplayer/PlayerManagerClient.h"

#include <algorithm>

namespace GAME {

void GameEngine::SetAsNetworkStub()
{
    currentInterface = inboundInterface.get();
    currentClientServices = clientServices.get();
    currentServerServices = serverServices.get();
}

void GameEngine::SetAsNetworkServer()
{
    currentInterface = outboundInterface.get();
    currentClientServices = clientServices.get();
    currentServerServices = serverServices.get();
}

void GameEngine::SetAsNetworkClient()
{
    currentInterface = outboundInterface.get();
    currentClientServices = clientServices.get();
    currentServerServices = serverServicesStub.get();
}

GameEngineNetworkInterface* GameEngine::GetInboundNetworkInterface() const
{
    return inboundInterface.get();
}

PlayerManagerClient* GameEngine::GetPlayerManagerClient() const
{
    return currentClientServices != nullptr ? currentClientServices->GetPlayerManager() : nullptr;
}

PlayerManagerServer* GameEngine::GetPlayerManagerServer() const
{
    return currentServerServices != nullptr ? currentServerServices->GetPlayerManager() : nullptr;
}

void GameEngine::SetGameBalanceLevel(int32_t level)
{
    gameBalanceLevel = level;
    GameEvent_GameBalanceLevel event;
    event.level = level;
    EventManager::Instance().Send("GameEvent_GameBalanceLevel", event);
}

void GameEngine::CreateItem(const WorldCoords& coords, const ItemReplicaInfo& item)
{
    currentInterface->CreateItem(0, coords, item, nullptr);
}

void GameEngine::CreateItemForCharacter(uint32_t characterId, const WorldCoords& coords,
                                        const ItemReplicaInfo& item, std::wstring* nameOut)
{
    currentInterface->CreateItem(characterId, coords, item, nameOut);
}

void GameEngine::CreateEntity(const WorldCoords& coords, const std::string& recordName,
                              uint32_t objectId)
{
    // Every machine must make the entity under the same id, so it is fixed before it travels.
    const uint32_t id = objectId != 0 ? objectId : ObjectManager::Instance().CreateObjectID();
    currentInterface->CreateEntity(coords, recordName, id);
}

void GameEngine::CreateFixedItemTeleport()
{
    const Player* player = GetMainPlayer();
    if (player == nullptr || pendingTeleport)
        return;
    const uint32_t owner = GetPlayerId();
    const WorldCoords where = player->GetNearSpawnCoords();
    const uint32_t teleportId = ObjectManager::Instance().CreateObjectID();
    const bool ownsOne = std::any_of(
        teleportInfoList.begin(), teleportInfoList.end(),
        [owner](const FixedItemTeleport::TeleportInfo& info) { return info.ownerId == owner; });
    if (!ownsOne) {
        currentInterface->CreateFixedItemTeleport(where, owner, teleportId,
                                                  gEngine->GetCinematicText(), 0);
        return;
    }
    dialogManager->AddDialog(DialogManager::DialogQuestion, false,
                             DialogManager::PartyFixedItemTeleport, std::string("tagPortalDialog"),
                             true, 0, true);
    pendingTeleportCoords = where;
    pendingTeleportOwnerId = owner;
    pendingTeleportId = teleportId;
    pendingTeleportRecord = gEngine->GetCinematicText();
    pendingTeleport = true;
}

void GameEngine::CreateFixedItemTeleport(const WorldCoords& coords, uint32_t ownerId,
                                         uint32_t teleportId, const std::string& recordName)
{
    currentInterface->CreateFixedItemTeleport(coords, ownerId, teleportId, recordName, 0);
}

void GameEngine::DestroyFixedItemTeleport(uint32_t teleportId)
{
    currentInterface->DestroyFixedItemTeleport(teleportId);
}

void GameEngine::HandleBonusToServerOutbound(const Bonus& bonus, const WorldVec3& position,
                                             uint32_t killerId)
{
    currentInterface->HandleBonusToServer(bonus, position, killerId);
}

void GameEngine::AddPlayerToParty(uint32_t playerId, int32_t partyId)
{
    currentInterface->AddPlayerToParty(playerId, partyId);
}

void GameEngine::InvitePlayerToParty(uint32_t inviteeId, int32_t inviterId)
{
    const uint32_t localPlayer = GetPlayerId();
    // A player alone has no party to tell, so he is shown that the invitation went.
    if (partyManager->GetNumInPlayersParty(localPlayer) == 1)
        currentInterface->DisplayMessageRemote(localPlayer, inviteeId, true, "tagInviteSend");
    else
        partyManager->MessagePlayerInvited(static_cast<uint32_t>(inviterId), inviteeId);
    currentInterface->InvitePlayerToParty(inviteeId, inviterId);
}

void GameEngine::SendQuestPacket(const std::vector<uint32_t>& words, uint32_t target,
                                 bool isConditionSet)
{
    currentInterface->HandleQuestMessagePacket(GetPlayerId(), isConditionSet, words, target);
}

void GameEngine::DisplayMessageRemote(uint32_t playerId, uint32_t aboutPlayerId, bool asBubble,
                                      const std::string& tag)
{
    currentInterface->DisplayMessageRemote(playerId, aboutPlayerId, asBubble, tag);
}

void GameEngine::DisplayWMessageRemote(uint32_t playerId, bool asBubble, const std::wstring& text)
{
    currentInterface->DisplayWMessageRemote(playerId, asBubble, text);
}

void GameEngine::BroadcastMessageRemote(uint32_t aboutPlayerId, bool asBubble,
                                        const std::string& tag)
{
    const PlayerManagerClient* players = GetPlayerManagerClient();
    if (players == nullptr)
        return;
    // A copy: delivering a message in single player may change the list.
    const std::vector<PlayerNetBasicInfo> cache = players->GetPlayerInfoCache();
    for (const PlayerNetBasicInfo& player : cache)
        currentInterface->DisplayMessageRemote(player.playerId, aboutPlayerId, asBubble, tag);
}

void GameEngine::SendChatMessage(const std::wstring& sender, const std::wstring& text,
                                 uint8_t channel, const std::vector<uint32_t>& recipients)
{
    currentInterface->HandleChatMessage(sender, text, channel, recipients);
}

void GameEngine::QuestCommandMove(uint32_t characterId, uint32_t targetId, const WorldVec3& target,
                                  bool allowInterruptions)
{
    currentInterface->QuestCommandMove(characterId, targetId, target, allowInterruptions);
}

void GameEngine::QuestCommandWalk(uint32_t characterId, uint32_t targetId, const WorldVec3& target,
                                  bool allowInterruptions)
{
    currentInterface->QuestCommandWalk(characterId, targetId, target, allowInterruptions);
}

void GameEngine::QuestCommandPlayAnimation(uint32_t characterId, uint32_t animation, bool looping,
                                           bool allowInterruptions)
{
    currentInterface->QuestCommandPlayAnimation(characterId, animation, looping,
                                                allowInterruptions);
}

void GameEngine::QuestCommandUseSkill(uint32_t characterId, std::string& skillName,
                                      uint32_t targetId, bool allowInterruptions)
{
    currentInterface->QuestCommandUseSkill(characterId, skillName, targetId, allowInterruptions);
}

void GameEngine::QuestCommandLockFixedItem(uint32_t objectId, bool locked)
{
    currentInterface->QuestCommandLockFixedItem(objectId, locked);
}

void GameEngine::SendPartyRequestResponse(uint32_t senderId, uint32_t recipientId, bool accepted)
{
    PartyRequestResponsePacket packet;
    packet.recipient = recipientId;
    packet.sender = senderId;
    packet.accepted = accepted;
    gEngine->GetNetworkConnectionManager().SendPacket(packet);
}

namespace {

StartTeleportPacket MakeStartTeleport(uint32_t playerId, int32_t x, int32_t y, int32_t z)
{
    StartTeleportPacket packet;
    packet.playerId = playerId;
    packet.x = static_cast<float>(x);
    packet.y = static_cast<float>(y);
    packet.z = static_cast<float>(z);
    return packet;
}

NRLoaderStatePacket MakeLoaderState(uint32_t playerId, int32_t state)
{
    NRLoaderStatePacket packet;
    packet.playerId = playerId;
    packet.state = state;
    return packet;
}

} // namespace

void GameEngine::StoC_StartTeleportOutbound(uint32_t playerId, int32_t x, int32_t y, int32_t z)
{
    StartTeleportPacket packet = MakeStartTeleport(playerId, x, y, z);
    gEngine->GetNetworkConnectionManager().BroadcastPacket(packet);
}

void GameEngine::CtoS_StartTeleportOutbound(uint32_t playerId, int32_t x, int32_t y, int32_t z)
{
    StartTeleportPacket packet = MakeStartTeleport(playerId, x, y, z);
    gEngine->GetNetworkConnectionManager().SendPacket(packet);
}

void GameEngine::StoC_HandleNRLoaderStateChangeOutbound(uint32_t playerId, int32_t state)
{
    NRLoaderStatePacket packet = MakeLoaderState(playerId, state);
    gEngine->GetNetworkConnectionManager().BroadcastPacket(packet);
}

void GameEngine::CtoS_HandleNRLoaderStateChangeOutbound(uint32_t playerId, int32_t state)
{
    NRLoaderStatePacket packet = MakeLoaderState(playerId, state);
    gEngine->GetNetworkConnectionManager().SendPacket(packet);
}

} // namespace GAME
