// Hostile trade and market messages reach a live trade between players and a live market, in a
// state or on a side each input picks. Nothing may crash, gold and items are neither made nor
// lost, and the merchant and the players stay.
#include "ai/ControllerPlayer.h"
#include "characters/NpcMerchant.h"
#include "characters/Player.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/NetPacket.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "fuzz/NetScene.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "items/TradeManager.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/PlayerManagerClient.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

using namespace GAME;

constexpr const char* kDropRecord = "Records/Fuzz/Drop.dbr";
constexpr const char* kDropText =
    "Class = OneShot_PotionHealth\nbitmap = drop.tex\nbonusLifePoints = 5\n";
constexpr const char* kMerchantRecord = "Records/Fuzz/Merchant.dbr";
constexpr uint32_t kMerchantId = 0x0EEE0001u;
constexpr const char* kMarketRecord = "Records/Fuzz/Market.dbr";
constexpr const char* kTraderRecord = "Records/Fuzz/Trader.dbr";

// Trade messages reach a live trade of the main player with a partner in a state the input picks
// (idle, invited, initiating, active with an offer, confirmed); the words 0xEEEE0000-0xEEEE0002
// stand for the partner, the main player and a stranger. Whatever they say, no item outlives the
// trade without a holder, and the main player gains no more gold than the partner holds.
void RouteTradePacket(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> probe = ConnectionManager::DecodePacket(data, size);
    if (probe == nullptr || probe->GetType() < 38 || probe->GetType() > 43)
        return;
    const uint32_t state = NetScene::Pick(data, size, 5);
    const NetScene scene;
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t firstId = objects.CreateObjectID();
    Player* players[3];
    for (Player*& player : players) {
        player = static_cast<Player*>(objects.CreateObjectFromFile<Player>(kTraderRecord));
        auto* controller = static_cast<ControllerPlayer*>(objects.CreateObject("ControllerPlayer"));
        controller->AttachParent(player->GetObjectId());
        player->SetControllerId(controller->GetObjectId());
        player->AddMoney(100);
        ItemReplicaInfo info;
        info.baseName = kDropRecord;
        player->GiveItemToCharacter(Item::CreateItem(info));
    }
    Player& me = *players[1];
    const uint32_t partner = players[0]->GetObjectId();
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(me.GetObjectId());
    TradeManager& trades = *gGameEngine->GetTradeManager();
    if (state == 1)
        trades.HandleInitiateTradeInbound(partner);
    if (state >= 2)
        trades.HandleInitiateTradeOutbound(partner, true);
    if (state >= 3) {
        trades.HandleInitiateTradeInbound(partner);
        for (uint32_t offered : me.GetInventory().GetInventoryItems())
            trades.HandleAddItemOutbound({0.0f, 0.0f}, offered);
        trades.HandleSetGoldAmountOutbound(30);
    }
    if (state == 4)
        trades.HandleFinalizeTradeOutbound();
    std::vector<uint8_t> bytes(data, data + size);
    NetScene::MapLiveWords(
        bytes, {players[0]->GetObjectId(), players[1]->GetObjectId(), players[2]->GetObjectId()});
    if (std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes))
        InboundPacketDispatcher::Dispatch(*packet, *gGameEngine->GetInboundNetworkInterface());
    gGameEngine->Update(33);
    // Whatever the window shows belongs to the trade; once it closes, every item is held.
    if (trades.GetIsTradeActive())
        trades.HandleCancelTradeOutbound(trades.GetTradePartner());
    if (me.GetCurrentMoney() > 200 || players[0]->GetCurrentMoney() != 100)
        abort();
    size_t held = 0;
    for (Player* player : players)
        held += player->GetInventory().GetInventoryItems().size();
    size_t items = 0;
    for (uint32_t id = firstId, last = objects.CreateObjectID(); id != last; ++id)
        items += objects.GetObject<Item>(id) != nullptr ? 1 : 0;
    if (items != held)
        abort();
    gEngine->GetNetworkConnectionManager().TakeSentPackets();
}

// Aims a market message at the live merchant, whatever market id it named.
template <class... Packets> void AimAtMarket(NetPacket& packet, uint32_t merchantId)
{
    (
        [&] {
            if (auto* typed = dynamic_cast<Packets*>(&packet))
                typed->marketId = merchantId;
        }(),
        ...);
}

// The market messages reach a live market on the side the input picks: a merchant stands in the
// world with his stock rolled (the client's from an update of a fixed seed), and the message is
// aimed at him, with the stale seeds, slots past the limit, huge sold lists and names of no
// record it carries, while items are still being made from the queues. The main player's gold
// may only go down (a purchase confirmed for him), and the merchant and the player stay.
void RouteMarketPacket(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    if (packet == nullptr || packet->GetType() < 49 || packet->GetType() > 55)
        return;
    const int role = static_cast<int>(NetScene::Pick(data, size, 3));
    const NetScene scene(role);
    ObjectManager& objects = ObjectManager::Instance();
    // A server keeps each merchant's market for good: one merchant id for every input
    // keeps to one, told to roll its stock afresh after each.
    auto* merchant = objects.CreateObjectFromFile<NpcMerchant>(kMerchantRecord, kMerchantId);
    auto* player = static_cast<Player*>(objects.CreateObject("Player"));
    if (merchant == nullptr || player == nullptr)
        abort();
    gEngine->GetWorld()->AddEntity(merchant, WorldCoords(1, Coords()), false);
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
    player->AddMoney(1000);
    const uint32_t merchantId = merchant->GetObjectId();
    GameEngineNetworkInterface& inbound = *gGameEngine->GetInboundNetworkInterface();
    gGameEngine->Update(33);
    gGameEngine->Update(33);
    inbound.S2C_MarketUpdate(merchantId, kMarketRecord, 1, 99, {1});
    gGameEngine->Update(33);
    AimAtMarket<MarketC2SUpdateRequestPacket, MarketC2SSellBackPacket,
                MarketC2SPurchaseRequestPacket, MarketS2CStatusUpdatePacket,
                MarketS2CPurchaseDeniedPacket, MarketS2CPurchaseConfirmationPacket,
                MarketS2CUpdatePacket>(*packet, merchantId);
    // 0xEEEE0000 as a buyer stands for the main player, as in the interface's route.
    if (auto* confirmed = dynamic_cast<MarketS2CPurchaseConfirmationPacket*>(packet.get());
        confirmed != nullptr && confirmed->buyerId == 0xEEEE0000u)
        confirmed->buyerId = player->GetObjectId();
    InboundPacketDispatcher::Dispatch(*packet, inbound);
    for (int frame = 0; frame < 3; ++frame)
        gGameEngine->Update(33);
    if (objects.GetObject<NpcMerchant>(merchantId) != merchant ||
        objects.GetObject<Player>(player->GetObjectId()) != player ||
        player->GetCurrentMoney() > 1000)
        abort();
    gEngine->GetNetworkConnectionManager().TakeSentPackets();
    gGameEngine->ForceMarketRefresh(kMerchantId);
    // Its id is not among those the scene hands out and takes back.
    DestroyIfRegistered(kMerchantId);
}

// Every record the routes' objects are made from, held for the run.
FuzzRecords RunRecords()
{
    return {
        {kDropRecord, kDropText},
        {kMerchantRecord, "Class = NpcMerchant\nmarketFileName = Records/Fuzz/Market.dbr\n"},
        {kMarketRecord, "marketNumRingMin = 3\nmarketNumRingMax = 4\n"
                        "marketRingTable1 = Records/Fuzz/Rings.dbr\n"
                        "marketHealthPotion = Records/Fuzz/Drop.dbr\nmarketDepreciation = 50\n"},
        {"Records/Fuzz/Rings.dbr", "Class = LootItemTable_FixedWeight\n"
                                   "lootName1 = Records/Fuzz/Drop.dbr\nlootWeight1 = 1\n"
                                   "lootName2 = Records/Fuzz/Ring.dbr\nlootWeight2 = 1\n"},
        {"Records/Fuzz/Ring.dbr", "Class = ArmorJewelry_Ring\nbitmap = ring.tex\n"},
        {kTraderRecord, "Class = Player\n"},
    };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NetScene::Play(data, size, RunRecords, {RouteTradePacket, RouteMarketPacket});
    return 0;
}
