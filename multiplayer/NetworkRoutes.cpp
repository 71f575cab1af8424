// Where each game message goes and who may send it, registered with the transport beside the
// packet classes. A message for one player goes to the machine of that player (the host in the
// top four bits of the id); what the server alone decides (player lists, world state, market
// verdicts, balance) a client may not send; a client's heartbeat, player record, spawned hero,
// bonus claim or action must be its own.
#include "engine/CharacterActionPacket.h"
#include "engine/ConnectionManager.h"
#include "multiplayer/BonusPackets.h"
#include "multiplayer/EngineNetPackets.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "multiplayer/TradePackets.h"

#include <initializer_list>

namespace GAME {

namespace {
using Rule = ConnectionManager::PacketRule;
using To = ConnectionManager::Addressee;

// The reader of one field of one packet class; the transport checks the class by its type.
template <class PacketClass, auto Field> uint32_t Read(const NetPacket& packet)
{
    return static_cast<uint32_t>(static_cast<const PacketClass&>(packet).*Field);
}

template <class PacketClass, auto Field> Rule ToPlayer()
{
    Rule rule;
    rule.addressee = To::Player;
    rule.player = &Read<PacketClass, Field>;
    return rule;
}

template <class PacketClass> Rule ToTradePartner()
{
    return ToPlayer<PacketClass, &PacketClass::receiver>();
}

Rule ToServer(ConnectionManager::IdReader speaker = nullptr)
{
    Rule rule;
    rule.addressee = To::Server;
    rule.speaker = speaker;
    return rule;
}

Rule Addressed(To addressee, bool serverOnly = false)
{
    Rule rule;
    rule.addressee = addressee;
    rule.serverOnly = serverOnly;
    return rule;
}

Rule ServerOnly(Rule rule)
{
    rule.serverOnly = true;
    return rule;
}

uint32_t HeartbeatPlayer(const NetPacket& packet)
{
    return static_cast<const SinglePlayerHeartbeatPacket&>(packet).player.playerId;
}
uint32_t BasicInfoPlayer(const NetPacket& packet)
{
    return static_cast<const SinglePlayerBasicInfoPacket&>(packet).player.playerId;
}
uint32_t SpawnedPlayer(const NetPacket& packet)
{
    return static_cast<const SpawnPlayerPacket&>(packet).objectId.GetId();
}
uint32_t BonusReceiver(const NetPacket& packet)
{
    return static_cast<const BonusToClientPacket&>(packet).bonus.receiverId;
}
uint32_t Actor(const NetPacket& packet)
{
    return static_cast<const CharacterActionPacket&>(packet).ownerId.GetId();
}

// Replicated actions and commands: the shim runs and passes them on.
constexpr uint32_t kFirstAction = 63;
constexpr uint32_t kLastAction = 78;
constexpr uint32_t kFirstCommand = 79;
constexpr uint32_t kLastCommand = 126;
constexpr std::initializer_list<uint32_t> kNotCommands = {106, 107, 108, 109, 110,
                                                          111, 112, 113, 114};

bool RegisterRules()
{
    const std::pair<uint32_t, Rule> rules[] = {
        {17, ToPlayer<QuestMessagePacket, &QuestMessagePacket::receiver>()},
        {20, ToServer()},
        {21, Addressed(To::Everyone, true)},
        {22, ToServer(&HeartbeatPlayer)},
        {23, Addressed(To::Everyone, true)},
        {24, ToServer(&BasicInfoPlayer)},
        {25, Addressed(To::Everyone, true)},
        {26, ToPlayer<RemoteMessagePacket, &RemoteMessagePacket::receiver>()},
        {27, ToPlayer<RemoteWMessagePacket, &RemoteWMessagePacket::receiver>()},
        {28, Addressed(To::Everyone, true)},
        {29, ToPlayer<PartyRequestResponsePacket, &PartyRequestResponsePacket::recipient>()},
        {30, ToServer(&SpawnedPlayer)},
        {34, Addressed(To::Everyone, true)},
        {35, ToServer()},
        {36, ToServer()},
        {37, Addressed(To::Everyone, true)},
        {38, ToTradePartner<TradeInitiatePacket>()},
        {39, ToTradePartner<TradeCancelPacket>()},
        {40, ToTradePartner<TradeSetGoldPacket>()},
        {41, ToTradePartner<TradeAddItemPacket>()},
        {42, ToTradePartner<TradeRemoveItemPacket>()},
        {43, ToTradePartner<TradeFinalizePacket>()},
        {46, ToServer()},
        {47, ToServer()},
        {48, ToServer()},
        {49, ToServer()},
        {50, ToServer()},
        {51, ToServer()},
        {52, Addressed(To::Everyone, true)},
        {53,
         ServerOnly(
             ToPlayer<MarketS2CPurchaseDeniedPacket, &MarketS2CPurchaseDeniedPacket::buyerId>())},
        {54, ServerOnly(ToPlayer<MarketS2CPurchaseConfirmationPacket,
                                 &MarketS2CPurchaseConfirmationPacket::buyerId>())},
        {55, Addressed(To::Everyone, true)},
        {56, ToServer()},
        {57, ToServer()},
        {58, ToServer()},
        {59, ToServer()},
        {60, ToServer()},
        {61, Addressed(To::Everyone, true)},
        {106, Addressed(To::EveryoneButSender)},
        {108, ToPlayer<InvitePartyConfigCmdPacket, &InvitePartyConfigCmdPacket::invitingPlayer>()},
        {112, ToPlayer<GiveGoldPacket, &GiveGoldPacket::playerId>()},
        {113, ServerOnly([] {
             Rule rule = Addressed(To::Player);
             rule.player = &BonusReceiver;
             return rule;
         }())},
        {114, ToServer(&Read<BonusToServerPacket, &BonusToServerPacket::activePlayerId>)},
    };
    bool all = true;
    for (const auto& [type, rule] : rules)
        all = ConnectionManager::RegisterPacketRule(type, rule) && all;
    Rule relayed = Addressed(To::Relayed);
    for (uint32_t type = kFirstCommand; type <= kLastCommand; ++type) {
        bool command = true;
        for (uint32_t other : kNotCommands)
            command = command && other != type;
        if (command)
            all = ConnectionManager::RegisterPacketRule(type, relayed) && all;
    }
    relayed.speaker = &Actor;
    relayed.speakerIfPlayer = true;
    for (uint32_t type = kFirstAction; type <= kLastAction; ++type)
        all = ConnectionManager::RegisterPacketRule(type, relayed) && all;
    return all;
}

[[maybe_unused]] const bool registered = RegisterRules();
} // namespace

} // namespace GAME
