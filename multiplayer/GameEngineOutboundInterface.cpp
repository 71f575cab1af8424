#include "multiplayer/GameEngineOutboundInterface.h"

#include "characters/Bonus.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/Vec2.h"
#include "engine/WorldCoords.h"

namespace GAME {

namespace {
// The transport encodes the packet before it returns, so the member may be refilled at once.
void Send(NetPacket& packet)
{
    gEngine->GetNetworkConnectionManager().SendPacket(packet);
}

template <typename PacketClass>
void SendTrade(PacketClass& packet, uint32_t sender, uint32_t receiver)
{
    packet.sender = sender;
    packet.receiver = receiver;
    Send(packet);
}

template <typename PacketClass>
void SendMarketItem(PacketClass& packet, uint32_t marketId, uint32_t level, uint32_t seed,
                    uint32_t itemIndex, uint32_t buyerId)
{
    packet.marketId = marketId;
    packet.level = level;
    packet.seed = seed;
    packet.itemIndex = itemIndex;
    packet.buyerId = buyerId;
    Send(packet);
}

template <typename PacketClass>
void SendQuestGo(PacketClass& packet, uint32_t characterId, uint32_t targetId,
                 const WorldVec3& target, bool allowInterruptions)
{
    packet.characterId = characterId;
    packet.targetId = targetId;
    packet.target = target;
    packet.allowInterruptions = allowInterruptions;
    Send(packet);
}
} // namespace

void GameEngineOutboundInterface::TradeInitiate(uint32_t sender, uint32_t receiver)
{
    SendTrade(tradeInitiatePacket, sender, receiver);
}

void GameEngineOutboundInterface::TradeCancel(uint32_t sender, uint32_t receiver)
{
    SendTrade(tradeCancelPacket, sender, receiver);
}

void GameEngineOutboundInterface::TradeFinalize(uint32_t sender, uint32_t receiver)
{
    SendTrade(tradeFinalizePacket, sender, receiver);
}

void GameEngineOutboundInterface::TradeAddItem(uint32_t sender, uint32_t receiver,
                                               const Vec2& position, const ItemReplicaInfo& item)
{
    tradeAddItemPacket.position = position;
    tradeAddItemPacket.item = item;
    SendTrade(tradeAddItemPacket, sender, receiver);
}

void GameEngineOutboundInterface::TradeRemoveItem(uint32_t sender, uint32_t receiver,
                                                  uint32_t itemId)
{
    TradeRemoveItemPacket& packet = tradeRemoveItemPacket;
    packet.sender = sender;
    packet.receiver = receiver;
    packet.itemId = itemId;
    Send(packet);
}

void GameEngineOutboundInterface::TradeSetGoldAmount(uint32_t sender, uint32_t receiver,
                                                     uint32_t gold)
{
    TradeSetGoldPacket& packet = tradeSetGoldPacket;
    packet.sender = sender;
    packet.receiver = receiver;
    packet.goldAmount = gold;
    Send(packet);
}

void GameEngineOutboundInterface::GiveGoldToPlayer(uint32_t playerId, int32_t amount)
{
    GiveGoldPacket& packet = giveGoldPacket;
    packet.playerId = playerId;
    packet.goldAmount = amount;
    Send(packet);
}

// The name is the creating machine's business; it never travels.
void GameEngineOutboundInterface::CreateItem(uint32_t characterId, const WorldCoords& coords,
                                             const ItemReplicaInfo& item, std::wstring* /*nameOut*/)
{
    CreateItemPacket& packet = createItemPacket;
    packet.characterId = characterId;
    packet.coords = coords;
    packet.item = item;
    Send(packet);
}

void GameEngineOutboundInterface::CreateEntity(const WorldCoords& coords,
                                               const std::string& recordName, uint32_t objectId)
{
    CreateEntityPacket& packet = createEntityPacket;
    packet.coords = coords;
    packet.recordName = recordName;
    packet.objectId = objectId;
    Send(packet);
}

void GameEngineOutboundInterface::CreateFixedItemTeleport(const WorldCoords& coords,
                                                          uint32_t ownerId, uint32_t objectId,
                                                          const std::string& sectorTag,
                                                          uint32_t /*targetPlayerId*/)
{
    CreateItemTeleportPacket& packet = createItemTeleportPacket;
    packet.coords = coords;
    packet.ownerId = ownerId;
    packet.objectId = objectId;
    packet.sectorTag = sectorTag;
    Send(packet);
}

void GameEngineOutboundInterface::DestroyFixedItemTeleport(uint32_t objectId)
{
    DestroyItemTeleportPacket& packet = destroyItemTeleportPacket;
    packet.objectId = objectId;
    Send(packet);
}

void GameEngineOutboundInterface::StoC_AllPlayersHeartbeat(
    const std::vector<PlayerNetHeartbeatInfo>& players)
{
    AllPlayersHeartbeatPacket& packet = allPlayersHeartbeatPacket;
    packet.players = players;
    Send(packet);
}

void GameEngineOutboundInterface::CtoS_SinglePlayerHeartbeat(const PlayerNetHeartbeatInfo& player)
{
    SinglePlayerHeartbeatPacket& packet = singlePlayerHeartbeatPacket;
    packet.player = player;
    Send(packet);
}

void GameEngineOutboundInterface::StoC_AllPlayersUpdate(
    const std::vector<PlayerNetBasicInfo>& players)
{
    AllPlayersBasicInfoPacket& packet = allPlayersBasicInfoPacket;
    packet.players = players;
    Send(packet);
}

void GameEngineOutboundInterface::CtoS_AddNewPlayer(const PlayerNetBasicInfo& player)
{
    SinglePlayerBasicInfoPacket& packet = singlePlayerBasicInfoPacket;
    packet.player = player;
    Send(packet);
}

void GameEngineOutboundInterface::HandleBonusToClient(const Bonus& bonus,
                                                      const uint32_t& /*playerId*/)
{
    BonusToClientPacket& packet = bonusToClientPacket;
    packet.bonus = bonus;
    Send(packet);
}

void GameEngineOutboundInterface::HandleBonusToServer(const Bonus& bonus, const WorldVec3& location,
                                                      const uint32_t& playerId)
{
    BonusToServerPacket& packet = bonusToServerPacket;
    packet.bonus = bonus;
    packet.position = location;
    packet.activePlayerId = playerId;
    Send(packet);
}

void GameEngineOutboundInterface::HandleQuestMessagePacket(uint32_t senderId, bool isConditionSet,
                                                           const std::vector<uint32_t>& words,
                                                           uint32_t receiverId)
{
    QuestMessagePacket& packet = questMessagePacket;
    packet.sender = senderId;
    packet.receiver = receiverId;
    packet.words = words;
    packet.isConditionSet = isConditionSet;
    Send(packet);
}

void GameEngineOutboundInterface::AddPlayerToParty(uint32_t playerId, int32_t partyId)
{
    JoinPartyConfigCmdPacket& packet = joinPartyConfigCmdPacket;
    packet.joiningPlayer = playerId;
    packet.party = partyId;
    Send(packet);
}

void GameEngineOutboundInterface::InvitePlayerToParty(uint32_t inviteeId, int32_t inviterId)
{
    InvitePartyConfigCmdPacket& packet = invitePartyConfigCmdPacket;
    packet.invitingPlayer = inviteeId;
    packet.party = inviterId;
    Send(packet);
}

void GameEngineOutboundInterface::GameBalanceUpdate(int32_t level)
{
    GameBalanceUpdatePacket& packet = gameBalanceUpdatePacket;
    packet.level = level;
    Send(packet);
}

void GameEngineOutboundInterface::S2C_MarketUpdate(uint32_t marketId, const std::string& marketName,
                                                   uint32_t level, uint32_t seed,
                                                   const std::vector<uint32_t>& soldIndices)
{
    MarketS2CUpdatePacket& packet = marketS2CUpdatePacket;
    packet.marketId = marketId;
    packet.marketName = marketName;
    packet.level = level;
    packet.seed = seed;
    packet.soldIndices = soldIndices;
    Send(packet);
}

void GameEngineOutboundInterface::S2C_MarketPurchaseConfirmation(uint32_t marketId,
                                                                 uint32_t itemIndex,
                                                                 uint32_t buyerId)
{
    MarketS2CPurchaseConfirmationPacket& packet = marketS2CPurchaseConfirmationPacket;
    packet.marketId = marketId;
    packet.itemIndex = itemIndex;
    packet.buyerId = buyerId;
    Send(packet);
}

void GameEngineOutboundInterface::S2C_MarketPurchaseDenied(uint32_t marketId, uint32_t itemIndex,
                                                           uint32_t buyerId,
                                                           MarketItemStatus status)
{
    MarketS2CPurchaseDeniedPacket& packet = marketS2CPurchaseDeniedPacket;
    packet.marketId = marketId;
    packet.itemIndex = itemIndex;
    packet.buyerId = buyerId;
    packet.status = status;
    Send(packet);
}

void GameEngineOutboundInterface::S2C_MarketItemStatusUpdate(uint32_t marketId, uint32_t itemIndex,
                                                             MarketItemStatus status)
{
    MarketS2CStatusUpdatePacket& packet = marketS2CStatusUpdatePacket;
    packet.marketId = marketId;
    packet.itemIndex = itemIndex;
    packet.status = status;
    Send(packet);
}

void GameEngineOutboundInterface::C2S_MarketPurchaseRequest(uint32_t marketId, uint32_t level,
                                                            uint32_t seed, uint32_t itemIndex,
                                                            uint32_t buyerId)
{
    SendMarketItem(marketC2SPurchaseRequestPacket, marketId, level, seed, itemIndex, buyerId);
}

void GameEngineOutboundInterface::C2S_MarketSellBack(uint32_t marketId, uint32_t level,
                                                     uint32_t seed, uint32_t itemIndex,
                                                     uint32_t buyerId)
{
    SendMarketItem(marketC2SSellBackPacket, marketId, level, seed, itemIndex, buyerId);
}

void GameEngineOutboundInterface::C2S_MarketUpdateRequest(uint32_t marketId)
{
    MarketC2SUpdateRequestPacket& packet = marketC2SUpdateRequestPacket;
    packet.marketId = marketId;
    Send(packet);
}

void GameEngineOutboundInterface::DisplayMessageRemote(uint32_t receiverId, uint32_t aboutPlayerId,
                                                       bool asBubble, const std::string& textTag)
{
    RemoteMessagePacket& packet = remoteMessagePacket;
    packet.receiver = receiverId;
    packet.optionalInsert = aboutPlayerId;
    packet.asBubble = asBubble;
    packet.textTag = textTag;
    Send(packet);
}

void GameEngineOutboundInterface::DisplayWMessageRemote(uint32_t receiverId, bool asBubble,
                                                        const std::wstring& text)
{
    RemoteWMessagePacket& packet = remoteWMessagePacket;
    packet.receiver = receiverId;
    packet.asBubble = asBubble;
    packet.text = text;
    Send(packet);
}

void GameEngineOutboundInterface::HandleChatMessage(const std::wstring& sender,
                                                    const std::wstring& text, uint8_t channel,
                                                    std::vector<uint32_t> recipients)
{
    ChatPacket& packet = chatPacket;
    packet.sender = sender;
    packet.text = text;
    packet.channel = channel;
    packet.recipients = std::move(recipients);
    Send(packet);
}

void GameEngineOutboundInterface::QuestCommandMove(uint32_t characterId, uint32_t targetId,
                                                   WorldVec3 target, bool allowInterruptions)
{
    SendQuestGo(questCommandMovePacket, characterId, targetId, target, allowInterruptions);
}

void GameEngineOutboundInterface::QuestCommandWalk(uint32_t characterId, uint32_t targetId,
                                                   WorldVec3 target, bool allowInterruptions)
{
    SendQuestGo(questCommandWalkPacket, characterId, targetId, target, allowInterruptions);
}

void GameEngineOutboundInterface::QuestCommandPlayAnimation(uint32_t characterId,
                                                            uint32_t animation, bool looping,
                                                            bool allowInterruptions)
{
    QuestCommandPlayAnimationPacket& packet = questCommandPlayAnimationPacket;
    packet.characterId = characterId;
    packet.animation = animation;
    packet.looping = looping;
    packet.allowInterruptions = allowInterruptions;
    Send(packet);
}

void GameEngineOutboundInterface::QuestCommandUseSkill(uint32_t characterId, std::string& skillName,
                                                       uint32_t targetId, bool allowInterruptions)
{
    QuestCommandUseSkillPacket& packet = questCommandUseSkillPacket;
    packet.characterId = characterId;
    packet.targetId = targetId;
    packet.skillName = skillName;
    packet.allowInterruptions = allowInterruptions;
    Send(packet);
}

void GameEngineOutboundInterface::QuestCommandLockFixedItem(uint32_t objectId, bool locked)
{
    QuestCommandLockFixedItemPacket& packet = questCommandLockFixedItemPacket;
    packet.objectId = objectId;
    packet.locked = locked;
    Send(packet);
}

} // namespace GAME
