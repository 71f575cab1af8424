#pragma once

#include "engine/WorldVec3.h"
#include "multiplayer/BonusPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/MarketItemStatus.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/QuestCommandPackets.h"
#include "multiplayer/TradePackets.h"

#include <cstdint>
#include <string>
#include <vector>

// How the game's operations reach every machine.
//
// Game code never sends a packet itself. Every operation that the other machines must see
// (trading, gold, items, teleports, party and quest messages, market purchases, players'
// heartbeats) is one call on the engine's current interface, and the machine's role decides
// what the call does. In single player the current interface is the inbound one, which carries
// the operation out at once. On a server or a client it is the outbound one, which packs the
// call into the packet of its message, field for field, and hands it to the connection
// manager: a client's call goes to the server, a server's to its clients (StoC_ and CtoS_ name
// the direction where one operation travels both ways). Bytes that arrive become a packet again
// through the registry of packet types, which refuses anything short, unknown or not read back
// exactly, and the inbound packet dispatcher hands the packet to the inbound interface, which
// carries it out as single player would have. So each operation's effect is written once
// (inbound), its transport once (outbound), and the wire format only in the packet classes.
// What runs between operations, the player managers' heartbeats and the parties, lives in the
// service modules; a client holds a stand-in for the server's.

namespace GAME {

class Bonus;
class ItemReplicaInfo;
class WorldCoords;
struct PlayerNetBasicInfo;
struct PlayerNetHeartbeatInfo;
struct Vec2;

// The one doorway for every game operation that the other machines must see. The outbound
// implementation packs each call into its packet and sends it; the inbound one carries it out
// on this machine, in single player at once and elsewhere when the packet arrives. Game code
// calls whichever is current and never asks which.
class GameEngineNetworkInterface {
public:
    GameEngineNetworkInterface() = default;
    virtual ~GameEngineNetworkInterface() = default;
    GameEngineNetworkInterface(const GameEngineNetworkInterface&) = default;
    GameEngineNetworkInterface& operator=(const GameEngineNetworkInterface&) = default;

    virtual void TradeInitiate(uint32_t sender, uint32_t receiver) = 0;
    virtual void TradeCancel(uint32_t sender, uint32_t receiver) = 0;
    virtual void TradeFinalize(uint32_t sender, uint32_t receiver) = 0;
    virtual void TradeAddItem(uint32_t sender, uint32_t receiver, const Vec2& position,
                              const ItemReplicaInfo& item) = 0;
    virtual void TradeRemoveItem(uint32_t sender, uint32_t receiver, uint32_t itemId) = 0;
    virtual void TradeSetGoldAmount(uint32_t sender, uint32_t receiver, uint32_t gold) = 0;
    // A negative amount takes gold.
    virtual void GiveGoldToPlayer(uint32_t playerId, int32_t amount) = 0;
    // characterId 0 drops the item into the world; nameOut, when given, receives its name on
    // the machine that creates it and never travels.
    virtual void CreateItem(uint32_t characterId, const WorldCoords& coords,
                            const ItemReplicaInfo& item, std::wstring* nameOut) = 0;
    virtual void CreateEntity(const WorldCoords& coords, const std::string& recordName,
                              uint32_t objectId) = 0;
    virtual void CreateFixedItemTeleport(const WorldCoords& coords, uint32_t ownerId,
                                         uint32_t objectId, const std::string& sectorTag,
                                         uint32_t targetPlayerId) = 0;
    virtual void DestroyFixedItemTeleport(uint32_t objectId) = 0;
    virtual void StoC_AllPlayersHeartbeat(const std::vector<PlayerNetHeartbeatInfo>& players) = 0;
    virtual void CtoS_SinglePlayerHeartbeat(const PlayerNetHeartbeatInfo& player) = 0;
    virtual void StoC_AllPlayersUpdate(const std::vector<PlayerNetBasicInfo>& players) = 0;
    virtual void CtoS_AddNewPlayer(const PlayerNetBasicInfo& player) = 0;
    // The bonus's leading word names the receiver, so playerId does not travel.
    virtual void HandleBonusToClient(const Bonus& bonus, const uint32_t& playerId) = 0;
    virtual void HandleBonusToServer(const Bonus& bonus, const WorldVec3& location,
                                     const uint32_t& playerId) = 0;
    virtual void HandleQuestMessagePacket(uint32_t senderId, bool isConditionSet,
                                          const std::vector<uint32_t>& words,
                                          uint32_t receiverId) = 0;
    virtual void AddPlayerToParty(uint32_t playerId, int32_t partyId) = 0;
    virtual void InvitePlayerToParty(uint32_t inviteeId, int32_t inviterId) = 0;
    virtual void GameBalanceUpdate(int32_t level) = 0;
    virtual void S2C_MarketUpdate(uint32_t marketId, const std::string& marketName, uint32_t level,
                                  uint32_t seed, const std::vector<uint32_t>& soldIndices) = 0;
    virtual void S2C_MarketPurchaseConfirmation(uint32_t marketId, uint32_t itemIndex,
                                                uint32_t buyerId) = 0;
    virtual void S2C_MarketPurchaseDenied(uint32_t marketId, uint32_t itemIndex, uint32_t buyerId,
                                          MarketItemStatus status) = 0;
    virtual void S2C_MarketItemStatusUpdate(uint32_t marketId, uint32_t itemIndex,
                                            MarketItemStatus status) = 0;
    virtual void C2S_MarketPurchaseRequest(uint32_t marketId, uint32_t level, uint32_t seed,
                                           uint32_t itemIndex, uint32_t buyerId) = 0;
    virtual void C2S_MarketSellBack(uint32_t marketId, uint32_t level, uint32_t seed,
                                    uint32_t itemIndex, uint32_t buyerId) = 0;
    virtual void C2S_MarketUpdateRequest(uint32_t marketId) = 0;
    // aboutPlayerId 0 shows the tag as it is; otherwise the tag formats that player's name.
    virtual void DisplayMessageRemote(uint32_t receiverId, uint32_t aboutPlayerId, bool asBubble,
                                      const std::string& textTag) = 0;
    virtual void DisplayWMessageRemote(uint32_t receiverId, bool asBubble,
                                       const std::wstring& text) = 0;
    virtual void HandleChatMessage(const std::wstring& sender, const std::wstring& text,
                                   uint8_t channel, std::vector<uint32_t> recipients) = 0;
    virtual void QuestCommandMove(uint32_t characterId, uint32_t targetId, WorldVec3 target,
                                  bool allowInterruptions) = 0;
    virtual void QuestCommandWalk(uint32_t characterId, uint32_t targetId, WorldVec3 target,
                                  bool allowInterruptions) = 0;
    virtual void QuestCommandPlayAnimation(uint32_t characterId, uint32_t animation, bool looping,
                                           bool allowInterruptions) = 0;
    virtual void QuestCommandUseSkill(uint32_t characterId, std::string& skillName,
                                      uint32_t targetId, bool allowInterruptions) = 0;
    virtual void QuestCommandLockFixedItem(uint32_t objectId, bool locked) = 0;

    // One packet per outbound operation, reused from call to call so that sending allocates
    // nothing once the buffers have grown; each keeps the last values sent until its operation
    // runs again. The inbound side inherits them unused.
    CreateItemPacket createItemPacket;
    CreateEntityPacket createEntityPacket;
    CreateItemTeleportPacket createItemTeleportPacket;
    DestroyItemTeleportPacket destroyItemTeleportPacket;
    QuestMessagePacket questMessagePacket;
    AllPlayersHeartbeatPacket allPlayersHeartbeatPacket;
    SinglePlayerHeartbeatPacket singlePlayerHeartbeatPacket;
    SinglePlayerBasicInfoPacket singlePlayerBasicInfoPacket;
    AllPlayersBasicInfoPacket allPlayersBasicInfoPacket;
    InvitePartyConfigCmdPacket invitePartyConfigCmdPacket;
    BonusToClientPacket bonusToClientPacket;
    BonusToServerPacket bonusToServerPacket;
    JoinPartyConfigCmdPacket joinPartyConfigCmdPacket;
    GameBalanceUpdatePacket gameBalanceUpdatePacket;
    MarketS2CUpdatePacket marketS2CUpdatePacket;
    MarketS2CStatusUpdatePacket marketS2CStatusUpdatePacket;
    MarketS2CPurchaseConfirmationPacket marketS2CPurchaseConfirmationPacket;
    MarketS2CPurchaseDeniedPacket marketS2CPurchaseDeniedPacket;
    MarketC2SUpdateRequestPacket marketC2SUpdateRequestPacket;
    MarketC2SSellBackPacket marketC2SSellBackPacket;
    MarketC2SPurchaseRequestPacket marketC2SPurchaseRequestPacket;
    QuestCommandMovePacket questCommandMovePacket;
    QuestCommandWalkPacket questCommandWalkPacket;
    QuestCommandPlayAnimationPacket questCommandPlayAnimationPacket;
    QuestCommandUseSkillPacket questCommandUseSkillPacket;
    QuestCommandLockFixedItemPacket questCommandLockFixedItemPacket;
    TradeInitiatePacket tradeInitiatePacket;
    TradeFinalizePacket tradeFinalizePacket;
    TradeCancelPacket tradeCancelPacket;
    TradeAddItemPacket tradeAddItemPacket;
    TradeRemoveItemPacket tradeRemoveItemPacket;
    TradeSetGoldPacket tradeSetGoldPacket;
    GiveGoldPacket giveGoldPacket;
    RemoteMessagePacket remoteMessagePacket;
    RemoteWMessagePacket remoteWMessagePacket;
    ChatPacket chatPacket;
};

} // namespace GAME
