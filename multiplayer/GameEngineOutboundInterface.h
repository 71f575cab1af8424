#pragma once

#include "multiplayer/GameEngineNetworkInterface.h"

namespace GAME {

// Packs every network operation into its packet and hands it to the engine's connection
// manager; the current interface on a server and on a client. It fills the packets it
// inherits and keeps nothing else: the transport encodes each packet before the call returns.
class GameEngineOutboundInterface : public GameEngineNetworkInterface {
public:
    GameEngineOutboundInterface() = default;
    ~GameEngineOutboundInterface() override = default;

    void TradeInitiate(uint32_t sender, uint32_t receiver) override;
    void TradeCancel(uint32_t sender, uint32_t receiver) override;
    void TradeFinalize(uint32_t sender, uint32_t receiver) override;
    void TradeAddItem(uint32_t sender, uint32_t receiver, const Vec2& position,
                      const ItemReplicaInfo& item) override;
    void TradeRemoveItem(uint32_t sender, uint32_t receiver, uint32_t itemId) override;
    void TradeSetGoldAmount(uint32_t sender, uint32_t receiver, uint32_t gold) override;
    void GiveGoldToPlayer(uint32_t playerId, int32_t amount) override;
    void CreateItem(uint32_t characterId, const WorldCoords& coords, const ItemReplicaInfo& item,
                    std::wstring* nameOut) override;
    void CreateEntity(const WorldCoords& coords, const std::string& recordName,
                      uint32_t objectId) override;
    void CreateFixedItemTeleport(const WorldCoords& coords, uint32_t ownerId, uint32_t objectId,
                                 const std::string& sectorTag, uint32_t targetPlayerId) override;
    void DestroyFixedItemTeleport(uint32_t objectId) override;
    void StoC_AllPlayersHeartbeat(const std::vector<PlayerNetHeartbeatInfo>& players) override;
    void CtoS_SinglePlayerHeartbeat(const PlayerNetHeartbeatInfo& player) override;
    void StoC_AllPlayersUpdate(const std::vector<PlayerNetBasicInfo>& players) override;
    void CtoS_AddNewPlayer(const PlayerNetBasicInfo& player) override;
    void HandleBonusToClient(const Bonus& bonus, const uint32_t& playerId) override;
    void HandleBonusToServer(const Bonus& bonus, const WorldVec3& location,
                             const uint32_t& playerId) override;
    void HandleQuestMessagePacket(uint32_t senderId, bool isConditionSet,
                                  const std::vector<uint32_t>& words, uint32_t receiverId) override;
    void AddPlayerToParty(uint32_t playerId, int32_t partyId) override;
    void InvitePlayerToParty(uint32_t inviteeId, int32_t inviterId) override;
    void GameBalanceUpdate(int32_t level) override;
    void S2C_MarketUpdate(uint32_t marketId, const std::string& marketName, uint32_t level,
                          uint32_t seed, const std::vector<uint32_t>& soldIndices) override;
    void S2C_MarketPurchaseConfirmation(uint32_t marketId, uint32_t itemIndex,
                                        uint32_t buyerId) override;
    void S2C_MarketPurchaseDenied(uint32_t marketId, uint32_t itemIndex, uint32_t buyerId,
                                  MarketItemStatus status) override;
    void S2C_MarketItemStatusUpdate(uint32_t marketId, uint32_t itemIndex,
                                    MarketItemStatus status) override;
    void C2S_MarketPurchaseRequest(uint32_t marketId, uint32_t level, uint32_t seed,
                                   uint32_t itemIndex, uint32_t buyerId) override;
    void C2S_MarketSellBack(uint32_t marketId, uint32_t level, uint32_t seed, uint32_t itemIndex,
                            uint32_t buyerId) override;
    void C2S_MarketUpdateRequest(uint32_t marketId) override;
    void DisplayMessageRemote(uint32_t receiverId, uint32_t aboutPlayerId, bool asBubble,
                              const std::string& textTag) override;
    void DisplayWMessageRemote(uint32_t receiverId, bool asBubble,
                               const std::wstring& text) override;
    void HandleChatMessage(const std::wstring& sender, const std::wstring& text, uint8_t channel,
                           std::vector<uint32_t> recipients) override;
    void QuestCommandMove(uint32_t characterId, uint32_t targetId, WorldVec3 target,
                          bool allowInterruptions) override;
    void QuestCommandWalk(uint32_t characterId, uint32_t targetId, WorldVec3 target,
                          bool allowInterruptions) override;
    void QuestCommandPlayAnimation(uint32_t characterId, uint32_t animation, bool looping,
                                   bool allowInterruptions) override;
    void QuestCommandUseSkill(uint32_t characterId, std::string& skillName, uint32_t targetId,
                              bool allowInterruptions) override;
    void QuestCommandLockFixedItem(uint32_t objectId, bool locked) override;
};

} // namespace GAME
