#pragma once

#include "characters/Bonus.h"
#include "engine/Vec2.h"
#include "engine/WorldCoords.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/PlayerNetBasicInfo.h"

#include <gmock/gmock.h>

namespace GAME::Test {

// Records what the game asks of the current network interface.
class MockNetworkInterface : public GameEngineNetworkInterface {
public:
    // Out of line: the mock's many methods are compiled once, in MockNetworkInterface.cpp,
    // for every test that reaches the mock through a reference.
    MockNetworkInterface();
    ~MockNetworkInterface() override;

    MOCK_METHOD(void, TradeInitiate, (uint32_t, uint32_t), (override));
    MOCK_METHOD(void, TradeCancel, (uint32_t, uint32_t), (override));
    MOCK_METHOD(void, TradeFinalize, (uint32_t, uint32_t), (override));
    // The item record cannot be printed or compared yet; these two only count.
    void TradeAddItem(uint32_t, uint32_t, const Vec2&, const ItemReplicaInfo&) override
    {
        ++itemCalls;
    }
    MOCK_METHOD(void, TradeRemoveItem, (uint32_t, uint32_t, uint32_t), (override));
    MOCK_METHOD(void, TradeSetGoldAmount, (uint32_t, uint32_t, uint32_t), (override));
    MOCK_METHOD(void, GiveGoldToPlayer, (uint32_t, int32_t), (override));
    void CreateItem(uint32_t, const WorldCoords&, const ItemReplicaInfo&, std::wstring*) override
    {
        ++itemCalls;
    }
    MOCK_METHOD(void, CreateEntity, (const WorldCoords&, const std::string&, uint32_t), (override));
    MOCK_METHOD(void, CreateFixedItemTeleport,
                (const WorldCoords&, uint32_t, uint32_t, const std::string&, uint32_t), (override));
    MOCK_METHOD(void, DestroyFixedItemTeleport, (uint32_t), (override));
    MOCK_METHOD(void, StoC_AllPlayersHeartbeat, (const std::vector<PlayerNetHeartbeatInfo>&),
                (override));
    MOCK_METHOD(void, CtoS_SinglePlayerHeartbeat, (const PlayerNetHeartbeatInfo&), (override));
    MOCK_METHOD(void, StoC_AllPlayersUpdate, (const std::vector<PlayerNetBasicInfo>&), (override));
    MOCK_METHOD(void, CtoS_AddNewPlayer, (const PlayerNetBasicInfo&), (override));
    MOCK_METHOD(void, HandleBonusToClient, (const Bonus&, const uint32_t&), (override));
    MOCK_METHOD(void, HandleBonusToServer, (const Bonus&, const WorldVec3&, const uint32_t&),
                (override));
    MOCK_METHOD(void, HandleQuestMessagePacket,
                (uint32_t, bool, const std::vector<uint32_t>&, uint32_t), (override));
    MOCK_METHOD(void, AddPlayerToParty, (uint32_t, int32_t), (override));
    MOCK_METHOD(void, InvitePlayerToParty, (uint32_t, int32_t), (override));
    MOCK_METHOD(void, GameBalanceUpdate, (int32_t), (override));
    MOCK_METHOD(void, S2C_MarketUpdate,
                (uint32_t, const std::string&, uint32_t, uint32_t, const std::vector<uint32_t>&),
                (override));
    MOCK_METHOD(void, S2C_MarketPurchaseConfirmation, (uint32_t, uint32_t, uint32_t), (override));
    MOCK_METHOD(void, S2C_MarketPurchaseDenied, (uint32_t, uint32_t, uint32_t, MarketItemStatus),
                (override));
    MOCK_METHOD(void, S2C_MarketItemStatusUpdate, (uint32_t, uint32_t, MarketItemStatus),
                (override));
    MOCK_METHOD(void, C2S_MarketPurchaseRequest, (uint32_t, uint32_t, uint32_t, uint32_t, uint32_t),
                (override));
    MOCK_METHOD(void, C2S_MarketSellBack, (uint32_t, uint32_t, uint32_t, uint32_t, uint32_t),
                (override));
    MOCK_METHOD(void, C2S_MarketUpdateRequest, (uint32_t), (override));
    MOCK_METHOD(void, DisplayMessageRemote, (uint32_t, uint32_t, bool, const std::string&),
                (override));
    MOCK_METHOD(void, DisplayWMessageRemote, (uint32_t, bool, const std::wstring&), (override));
    MOCK_METHOD(void, HandleChatMessage,
                (const std::wstring&, const std::wstring&, uint8_t, std::vector<uint32_t>),
                (override));
    MOCK_METHOD(void, QuestCommandMove, (uint32_t, uint32_t, WorldVec3, bool), (override));
    MOCK_METHOD(void, QuestCommandWalk, (uint32_t, uint32_t, WorldVec3, bool), (override));
    MOCK_METHOD(void, QuestCommandPlayAnimation, (uint32_t, uint32_t, bool, bool), (override));
    MOCK_METHOD(void, QuestCommandUseSkill, (uint32_t, std::string&, uint32_t, bool), (override));
    MOCK_METHOD(void, QuestCommandLockFixedItem, (uint32_t, bool), (override));

    int itemCalls = 0;
};

} // namespace GAME::Test
