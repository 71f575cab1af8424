#include "multiplayer/InboundPacketDispatcher.h"

#include "core/Saturate.h"
#include "engine/NetworkShim.h"
#include "game/GameEngine.h"
#include "multiplayer/BonusPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/QuestCommandPackets.h"
#include "multiplayer/TradePackets.h"

#include <functional>
#include <unordered_map>

namespace GAME {

namespace {
using Route = std::function<bool(const NetPacket&, GameEngineNetworkInterface&)>;

// A route answers false for a packet of another class under its number.
template <typename PacketClass, typename Call> std::pair<const uint32_t, Route> RouteOf(Call call)
{
    return {PacketClass().GetType(),
            [call](const NetPacket& packet, GameEngineNetworkInterface& to) {
                const auto* typed = dynamic_cast<const PacketClass*>(&packet);
                if (typed != nullptr)
                    call(*typed, to);
                return typed != nullptr;
            }};
}

const std::unordered_map<uint32_t, Route>& Routes()
{
    using I = GameEngineNetworkInterface;
    static const std::unordered_map<uint32_t, Route> routes = {
        RouteOf<TradeInitiatePacket>(
            [](const auto& p, I& to) { to.TradeInitiate(p.sender, p.receiver); }),
        RouteOf<TradeCancelPacket>(
            [](const auto& p, I& to) { to.TradeCancel(p.sender, p.receiver); }),
        RouteOf<TradeFinalizePacket>(
            [](const auto& p, I& to) { to.TradeFinalize(p.sender, p.receiver); }),
        RouteOf<TradeAddItemPacket>([](const auto& p, I& to) {
            to.TradeAddItem(p.sender, p.receiver, p.position, p.item);
        }),
        RouteOf<TradeRemoveItemPacket>(
            [](const auto& p, I& to) { to.TradeRemoveItem(p.sender, p.receiver, p.itemId); }),
        RouteOf<TradeSetGoldPacket>([](const auto& p, I& to) {
            to.TradeSetGoldAmount(p.sender, p.receiver, p.goldAmount);
        }),
        RouteOf<GiveGoldPacket>(
            [](const auto& p, I& to) { to.GiveGoldToPlayer(p.playerId, p.goldAmount); }),
        RouteOf<CreateItemPacket>(
            [](const auto& p, I& to) { to.CreateItem(p.characterId, p.coords, p.item, nullptr); }),
        RouteOf<CreateEntityPacket>(
            [](const auto& p, I& to) { to.CreateEntity(p.coords, p.recordName, p.objectId); }),
        RouteOf<CreateItemTeleportPacket>([](const auto& p, I& to) {
            to.CreateFixedItemTeleport(p.coords, p.ownerId, p.objectId, p.sectorTag, 0);
        }),
        RouteOf<DestroyItemTeleportPacket>(
            [](const auto& p, I& to) { to.DestroyFixedItemTeleport(p.objectId); }),
        RouteOf<AllPlayersHeartbeatPacket>(
            [](const auto& p, I& to) { to.StoC_AllPlayersHeartbeat(p.players); }),
        RouteOf<SinglePlayerHeartbeatPacket>(
            [](const auto& p, I& to) { to.CtoS_SinglePlayerHeartbeat(p.player); }),
        RouteOf<AllPlayersBasicInfoPacket>(
            [](const auto& p, I& to) { to.StoC_AllPlayersUpdate(p.players); }),
        RouteOf<SinglePlayerBasicInfoPacket>(
            [](const auto& p, I& to) { to.CtoS_AddNewPlayer(p.player); }),
        RouteOf<BonusToClientPacket>(
            [](const auto& p, I& to) { to.HandleBonusToClient(p.bonus, p.bonus.receiverId); }),
        RouteOf<BonusToServerPacket>([](const auto& p, I& to) {
            to.HandleBonusToServer(p.bonus, p.position, p.activePlayerId);
        }),
        RouteOf<QuestMessagePacket>([](const auto& p, I& to) {
            to.HandleQuestMessagePacket(p.sender, p.isConditionSet, p.words, p.receiver);
        }),
        RouteOf<JoinPartyConfigCmdPacket>(
            [](const auto& p, I& to) { to.AddPlayerToParty(p.joiningPlayer, p.party); }),
        RouteOf<InvitePartyConfigCmdPacket>(
            [](const auto& p, I& to) { to.InvitePlayerToParty(p.invitingPlayer, p.party); }),
        RouteOf<GameBalanceUpdatePacket>(
            [](const auto& p, I& to) { to.GameBalanceUpdate(p.level); }),
        RouteOf<MarketS2CUpdatePacket>([](const auto& p, I& to) {
            to.S2C_MarketUpdate(p.marketId, p.marketName, p.level, p.seed, p.soldIndices);
        }),
        RouteOf<MarketS2CPurchaseConfirmationPacket>([](const auto& p, I& to) {
            to.S2C_MarketPurchaseConfirmation(p.marketId, p.itemIndex, p.buyerId);
        }),
        RouteOf<MarketS2CPurchaseDeniedPacket>([](const auto& p, I& to) {
            to.S2C_MarketPurchaseDenied(p.marketId, p.itemIndex, p.buyerId, p.status);
        }),
        RouteOf<MarketS2CStatusUpdatePacket>([](const auto& p, I& to) {
            to.S2C_MarketItemStatusUpdate(p.marketId, p.itemIndex, p.status);
        }),
        RouteOf<MarketC2SPurchaseRequestPacket>([](const auto& p, I& to) {
            to.C2S_MarketPurchaseRequest(p.marketId, p.level, p.seed, p.itemIndex, p.buyerId);
        }),
        RouteOf<MarketC2SSellBackPacket>([](const auto& p, I& to) {
            to.C2S_MarketSellBack(p.marketId, p.level, p.seed, p.itemIndex, p.buyerId);
        }),
        RouteOf<MarketC2SUpdateRequestPacket>(
            [](const auto& p, I& to) { to.C2S_MarketUpdateRequest(p.marketId); }),
        RouteOf<RemoteMessagePacket>([](const auto& p, I& to) {
            to.DisplayMessageRemote(p.receiver, p.optionalInsert, p.asBubble, p.textTag);
        }),
        RouteOf<RemoteWMessagePacket>(
            [](const auto& p, I& to) { to.DisplayWMessageRemote(p.receiver, p.asBubble, p.text); }),
        RouteOf<ChatPacket>([](const auto& p, I& to) {
            to.HandleChatMessage(p.sender, p.text, static_cast<uint8_t>(p.channel), p.recipients);
        }),
        RouteOf<QuestCommandMovePacket>([](const auto& p, I& to) {
            to.QuestCommandMove(p.characterId, p.targetId, p.target, p.allowInterruptions);
        }),
        RouteOf<QuestCommandWalkPacket>([](const auto& p, I& to) {
            to.QuestCommandWalk(p.characterId, p.targetId, p.target, p.allowInterruptions);
        }),
        RouteOf<QuestCommandPlayAnimationPacket>([](const auto& p, I& to) {
            to.QuestCommandPlayAnimation(p.characterId, p.animation, p.looping,
                                         p.allowInterruptions);
        }),
        RouteOf<QuestCommandUseSkillPacket>([](const auto& p, I& to) {
            std::string skillName = p.skillName;
            to.QuestCommandUseSkill(p.characterId, skillName, p.targetId, p.allowInterruptions);
        }),
        RouteOf<QuestCommandLockFixedItemPacket>(
            [](const auto& p, I& to) { to.QuestCommandLockFixedItem(p.objectId, p.locked); }),
    };
    return routes;
}

// The engine's messages that arrive from the other machine reach this machine's engine.
bool ReceiveInGame(int /*fromHost*/, const NetPacket& packet)
{
    return gGameEngine != nullptr &&
           InboundPacketDispatcher::DispatchToEngine(packet, *gGameEngine);
}

[[maybe_unused]] const bool inboundPacketDispatcherRegistered = [] {
    NetworkShim::SetPacketReceiver(&ReceiveInGame);
    return true;
}();
} // namespace

bool InboundPacketDispatcher::DispatchToEngine(const NetPacket& packet, GameEngine& game)
{
    // A client hears from its server; the server, and a single player, from a client.
    const bool fromServer = !game.IsServerOrSingle();
    if (const auto* teleport = dynamic_cast<const StartTeleportPacket*>(&packet)) {
        const auto x = SaturateToInt(teleport->x);
        const auto y = SaturateToInt(teleport->y);
        const auto z = SaturateToInt(teleport->z);
        if (fromServer)
            game.StoC_StartTeleportInbound(teleport->playerId, x, y, z);
        else
            game.CtoS_StartTeleportInbound(teleport->playerId, x, y, z);
        return true;
    }
    if (const auto* loader = dynamic_cast<const NRLoaderStatePacket*>(&packet)) {
        if (fromServer)
            game.StoC_HandleNRLoaderStateChangeInbound(loader->playerId, loader->state);
        else
            game.CtoS_HandleNRLoaderStateChangeInbound(loader->playerId, loader->state);
        return true;
    }
    // Every machine hears every answer; only the one asked registers it.
    if (const auto* answer = dynamic_cast<const PartyRequestResponsePacket*>(&packet)) {
        const uint32_t localPlayer = game.GetPlayerId();
        if (localPlayer != 0 && answer->recipient == localPlayer)
            game.RegisterPartyRequestResponse(answer->sender, answer->accepted);
        return true;
    }
    if (const auto* respawn = dynamic_cast<const StartServerRespawnPacket*>(&packet)) {
        if (!fromServer)
            game.CtoS_StartServerRespawnInbound(respawn->playerId, respawn->location);
        return !fromServer;
    }
    return false;
}

bool InboundPacketDispatcher::Dispatch(const NetPacket& packet, GameEngineNetworkInterface& target)
{
    const auto found = Routes().find(packet.GetType());
    return found != Routes().end() && found->second(packet, target);
}

} // namespace GAME
