// Where each game message goes and whom a client may speak for in it, registered with the
// transport beside the packet classes. This table is the one authority rule of the game: the
// server judges every message a client sends by its row before any of it is carried out, and
// refuses and counts what does not pass, as it refuses a message that does not decode. Every
// type a client may send has its row; a type no client sends is the server's alone.
//
// A client owns what its host made: its player, and what its machine made beside him (his pets,
// his items, his portal), whose ids carry its host in their top four bits. It may act and
// command only for those; what the server's world holds (monsters, townsfolk, fixed items) the
// server drives, and a client's stand-ins for them send nothing, not even where a teleport put
// them (106 comes only from the machine that owns the character). The one way a client asks
// the server to act on a server object is the quest commands (56 to 60): each machine runs its
// own copy of a quest, and a client's tells the server what to do with a creature or lock a
// fixed item. A message that names a player speaks for him in the field that says who speaks
// (the sender of a trade, quest message or party answer, the player of a heartbeat, gold gift
// or bonus claim), which must be the client's own player.
//
// What only the game can tell, the session judges (NetworkSession::Refusal): a player record
// only for a player made here, chat not in another host's player's name, an invitation only
// from the client's own player, an answer only to an invitation that went out, and a party join
// (107) only for the client's own player into a party it accepted (or out of any), for the
// inviter whose invitation it accepted, or by a party's leader for its members. The messages
// that make something on every machine are judged there too, because whether an id is free and
// how much a client holds is the game's to know: an item (32) reads its Item ID, which must be
// the client's and free, and its Character ID, 0 for the ground or one of the client's own
// characters to carry it; an entity (33) reads its ObjectId, the client's and free; a portal
// (44) reads its ObjectId likewise and its Owner, the client's own player; a portal's closing
// (45) reads its ObjectId, which names a portal or its owner, and every portal it matches must
// be the client's player's. Each creation is refused once the client holds what it may
// (ClientHoldings). A remote text (26) reads optionalInsert, the player the text names: 0, the
// client's own, or, only when the Receiver is the client's own player or a member of the party
// he leads, one he invites or puts out; the tag's words are the receiver's own, so the named
// player is all a client can lie about. A wide remote text (27) is the server's alone: its text
// is free, so nothing in it says whom it names, and only the server sees a player leave or can
// ban one. Those that make something or show a text, and chat, are also bounded per second, so
// that a client cannot keep the server busy with honest-looking ones. Messages that speak for no
// one go as addressed.
//
// The session's own word is no text: a client says its part is done (127) to the server, which
// counts it for the host it came from, whatever the client calls itself; only the server ends
// the session (128), so no client can end or advance another's.
//
// A machine that cannot take the news as fast as it comes is kept current by what replaces: a
// later players' heartbeat (21, or one player's, 22), time of day (25) or entity's place (106, of
// that entity) replaces one still waiting to go to it. Deaths, spawns, items, actions, commands,
// quests and words never do: each is carried out in turn. Nor does the players' list (23): a
// text that names a player (26) is shown with the name the list before it gave.
#include "engine/CharacterActionPacket.h"
#include "engine/ConnectionManager.h"
#include "multiplayer/BonusPackets.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "multiplayer/EngineNetPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/QuestCommandPackets.h"
#include "multiplayer/SessionPackets.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "multiplayer/TradePackets.h"

#include <initializer_list>

namespace GAME {

namespace {
using Rule = ConnectionManager::PacketRule;
using To = ConnectionManager::Addressee;
using Speaker = ConnectionManager::Speaker;
using Reader = ConnectionManager::IdReader;

// The reader of one field of a packet class, the class the field's pointer names; the transport
// checks the class by its type.
template <class PacketClass, class Value> PacketClass ClassOf(Value PacketClass::*);
template <auto Field> uint32_t Read(const NetPacket& packet)
{
    using PacketClass = decltype(ClassOf(Field));
    return static_cast<uint32_t>(static_cast<const PacketClass&>(packet).*Field);
}
template <auto Field> constexpr Reader kField = &Read<Field>;
// The entity a state is about, read from what this machine sends, whose class a test or a forger
// may have chosen freely: one of another class is about no one.
uint32_t PlaceSubject(const NetPacket& packet)
{
    const auto* moved = dynamic_cast<const UpdatePositionPacket*>(&packet);
    return moved != nullptr ? moved->entityId : 0;
}
uint32_t HeartbeatSubject(const NetPacket& packet)
{
    const auto* heartbeat = dynamic_cast<const SinglePlayerHeartbeatPacket*>(&packet);
    return heartbeat != nullptr ? heartbeat->player.playerId : 0;
}

uint32_t HeartbeatPlayer(const NetPacket& packet)
{
    return static_cast<const SinglePlayerHeartbeatPacket&>(packet).player.playerId;
}
uint32_t SpawnedPlayer(const NetPacket& packet)
{
    return static_cast<const SpawnPlayerPacket&>(packet).objectId.GetId();
}
uint32_t BonusReceiver(const NetPacket& packet)
{
    return static_cast<const BonusToClientPacket&>(packet).bonus.receiverId;
}
uint32_t ActingCharacter(const NetPacket& packet)
{
    return static_cast<const CharacterActionPacket&>(packet).ownerId.GetId();
}
// Every config-command packet derives from ActorCommandPacket.
uint32_t CommandedActor(const NetPacket& packet)
{
    return static_cast<const ActorCommandPacket&>(packet).actorId.GetId();
}

// Whom it goes to: one player's host (read from `player`), or as `addressee` says.
Rule Goes(To addressee, Reader player = nullptr)
{
    Rule rule;
    rule.addressee = addressee;
    rule.player = player;
    return rule;
}
Rule ToPlayer(Reader player)
{
    return Goes(To::Player, player);
}
// Whom a client may speak for in it.
Rule Speaks(Rule rule, Speaker speaks, Reader speaker = nullptr)
{
    rule.speaks = speaks;
    rule.speaker = speaker;
    return rule;
}
Rule ServerOnly(Rule rule)
{
    return Speaks(rule, Speaker::ServerOnly);
}
Rule Own(Rule rule, Reader speaker)
{
    return Speaks(rule, Speaker::Own, speaker);
}
Rule OwnOrServer(Rule rule, Reader speaker)
{
    return Speaks(rule, Speaker::OwnOrServer, speaker);
}
Rule Judged(Rule rule)
{
    return Speaks(rule, Speaker::Listener);
}
// At most `count` of the type from one client in a second.
Rule Limited(Rule rule, uint16_t count)
{
    rule.perSecond = count;
    return rule;
}
// A later one replaces one still waiting to go to a machine; with a subject, a later one about
// the same entity. Only what the receiver takes whole, so that the latest makes the earlier
// useless: not an event, a delta or a change whose every step is carried out.
Rule State(Rule rule, Reader subject = nullptr)
{
    rule.state = true;
    rule.subject = subject;
    return rule;
}
template <class Trade> Rule TradeRule()
{
    return Own(ToPlayer(kField<&Trade::receiver>), kField<&Trade::sender>);
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
    const Rule server = Goes(To::Server);
    const Rule everyone = Goes(To::Everyone);
    const std::pair<uint32_t, Rule> rules[] = {
        // type, where it goes and whom a client may speak for in it
        {17,
         Own(ToPlayer(kField<&QuestMessagePacket::receiver>), kField<&QuestMessagePacket::sender>)},
        {ChatPacket::kType, Limited(Judged(everyone), 16)},
        {20, server},
        {21, State(ServerOnly(everyone))},
        {22, State(Own(server, &HeartbeatPlayer), &HeartbeatSubject)},
        {23, ServerOnly(everyone)},
        {24, Judged(server)},
        {25, State(ServerOnly(everyone))},
        {26, Limited(Judged(ToPlayer(kField<&RemoteMessagePacket::receiver>)), 64)},
        {27, ServerOnly(ToPlayer(kField<&RemoteWMessagePacket::receiver>))},
        {28, ServerOnly(everyone)},
        {29, Judged(ToPlayer(kField<&PartyRequestResponsePacket::recipient>))},
        {30, Own(server, &SpawnedPlayer)},
        {32, Limited(Judged(everyone), 40)},
        {33, Limited(Judged(everyone), 20)},
        {34, ServerOnly(everyone)},
        {35, server},
        {36, server},
        {37, ServerOnly(everyone)},
        {38, TradeRule<TradeInitiatePacket>()},
        {39, TradeRule<TradeCancelPacket>()},
        {40, TradeRule<TradeSetGoldPacket>()},
        {41, TradeRule<TradeAddItemPacket>()},
        {42, TradeRule<TradeRemoveItemPacket>()},
        {43, TradeRule<TradeFinalizePacket>()},
        {44, Limited(Judged(everyone), 2)},
        {45, Limited(Judged(everyone), 4)},
        {46, Own(server, kField<&StartTeleportPacket::playerId>)},
        {47, Own(server, kField<&NRLoaderStatePacket::playerId>)},
        {48, Own(server, kField<&StartServerRespawnPacket::playerId>)},
        {49, server},
        {50, Own(server, kField<&MarketC2SSellBackPacket::buyerId>)},
        {51, Own(server, kField<&MarketC2SPurchaseRequestPacket::buyerId>)},
        {52, ServerOnly(everyone)},
        {53, ServerOnly(ToPlayer(kField<&MarketS2CPurchaseDeniedPacket::buyerId>))},
        {54, ServerOnly(ToPlayer(kField<&MarketS2CPurchaseConfirmationPacket::buyerId>))},
        {55, ServerOnly(everyone)},
        {56, OwnOrServer(server, kField<&QuestCommandMovePacket::characterId>)},
        {57, OwnOrServer(server, kField<&QuestCommandWalkPacket::characterId>)},
        {58, OwnOrServer(server, kField<&QuestCommandPlayAnimationPacket::characterId>)},
        {59, OwnOrServer(server, kField<&QuestCommandUseSkillPacket::characterId>)},
        {60, OwnOrServer(server, kField<&QuestCommandLockFixedItemPacket::objectId>)},
        {61, ServerOnly(everyone)},
        {106, State(Own(Goes(To::EveryoneButSender), kField<&UpdatePositionPacket::entityId>),
                    &PlaceSubject)},
        {107, Judged(everyone)},
        {108, Judged(ToPlayer(kField<&InvitePartyConfigCmdPacket::invitingPlayer>))},
        {112, Own(ToPlayer(kField<&GiveGoldPacket::playerId>), kField<&GiveGoldPacket::playerId>)},
        {113, ServerOnly(ToPlayer(&BonusReceiver))},
        {114, Own(server, kField<&BonusToServerPacket::activePlayerId>)},
        {HostDonePacket::kType, server},
        {SessionEndsPacket::kType, ServerOnly(everyone)},
    };
    bool all = true;
    for (const auto& [type, rule] : rules)
        all = ConnectionManager::RegisterPacketRule(type, rule) && all;
    // An action or command, for its own character or actor.
    const Rule action = Own(Goes(To::Relayed), &ActingCharacter);
    const Rule command = Own(Goes(To::Relayed), &CommandedActor);
    for (uint32_t type = kFirstAction; type <= kLastAction; ++type)
        all = ConnectionManager::RegisterPacketRule(type, action) && all;
    for (uint32_t type = kFirstCommand; type <= kLastCommand; ++type) {
        bool isCommand = true;
        for (uint32_t other : kNotCommands)
            isCommand = isCommand && other != type;
        if (isCommand)
            all = ConnectionManager::RegisterPacketRule(type, command) && all;
    }
    return all;
}

[[maybe_unused]] const bool networkRoutesRegistered = RegisterRules();
} // namespace

} // namespace GAME
