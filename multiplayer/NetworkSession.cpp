// How machines come to hold one world. The server welcomes a joining client first (its host
// index, the shared seed, the difficulty, how many players to wait for), then sends every entity
// of its world that clients must hold, each under the server's id, and marks the end. The client
// makes each one, answers which it made and which it refused, and only then makes its own hero
// (its ids already carry its host) and sends it; the server makes that hero and passes it on to
// the other clients. From then on the server watches its world each frame: what enters it is
// made everywhere, what goes is destroyed everywhere. Items are the exception: they are made on
// every machine by the item message itself, so spawning them again would only be refused; only a
// client that joins is sent those on the ground with the rest of the world.
//
// A client that leaves (or goes silent) takes its players off every list and its entities out
// of every world; the other machines hear it from the server. Once the session is under way, a
// client that comes would hold the others up, or play without their party: the transport's door
// refuses it, told so. A client's hero made here is what tells the door that the client plays.
//
// Who decides. The server's world is the session's: a client's copy of what the server made
// moves only by the server's news, carried out in the order it was sent, however late it comes.
// A client never decides by itself a death, a spawn or the party. So the end is the server's
// too: it tells every client its outcome and the digest of its end lines, and a client takes its
// own lines at that moment, when it has heard all that came before, and says so if they differ.
#include "multiplayer/NetworkSession.h"

#include "characters/Player.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/FilterFunction.h"
#include "engine/HostMessagePackets.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "multiplayer/ClientHoldings.h"
#include "multiplayer/EngineNetPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PartyManager.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"
#include "multiplayer/PlayerNetBasicInfo.h"
#include "multiplayer/SessionPackets.h"
#include "multiplayer/SpawnPlayerPacket.h"

#include <algorithm>

namespace GAME {

namespace {
constexpr const char* kNetworkSessionSource = "Multiplayer/NetworkSession";
constexpr const char* kNotOwn = "speaks for what is not its own";

class ClientHeld final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override
    {
        return candidate->ShouldServerSpawn() && DynamicCast<const Item>(candidate) == nullptr;
    }
};

// What a client that joins is sent: the whole world as the server holds it, items on the ground
// included, which the others heard of as they fell.
class WorldHeld final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override
    {
        return candidate->ShouldServerSpawn();
    }
};

class OfHost final : public FilterFunction<Entity> {
public:
    explicit OfHost(int host) : host(host) {}
    bool operator()(const Entity* candidate) const override
    {
        return ConnectionManager::HostOfId(candidate->GetObjectId()) == host;
    }

private:
    int host;
};

std::vector<uint32_t> IdsOf(const FilterFunction<Entity>& filter)
{
    std::vector<Entity*> entities;
    if (World* world = gEngine->GetWorld())
        world->GetEntities(entities, filter);
    std::vector<uint32_t> ids;
    for (const Entity* entity : entities)
        ids.push_back(entity->GetObjectId());
    std::sort(ids.begin(), ids.end());
    return ids;
}

void BroadcastSpawn(ConnectionManager& connection, uint32_t id)
{
    EntitySpawnPacket packet;
    packet.objectId = id;
    connection.BroadcastPacket(packet);
}
} // namespace

template <class Kind> Kind* NetworkSession::MakeFromContainer(ObjectContainerPacket& packet)
{
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t id = packet.objectId.GetId();
    World* world = gEngine->GetWorld();
    if (id == 0 || world == nullptr || packet.recordName.empty() ||
        objects.GetObject(id) != nullptr)
        return nullptr;
    Kind* made = objects.CreateObjectFromFile<Kind>(packet.recordName, id, true);
    if (made == nullptr)
        return nullptr;
    if (Player* player = DynamicCast<Player>(made); player != nullptr && copyStager)
        copyStager(*player);
    if (!packet.ReadObjectRecord(*made) || !world->AddEntity(made, packet.coords, false)) {
        objects.DestroyObjectEx(made, kNetworkSessionSource, __LINE__);
        return nullptr;
    }
    made->ApplyReplicationData();
    made->InitialUpdate();
    return made;
}

NetworkSession::NetworkSession(ConnectionManager& connection) : connection(connection)
{
    connection.SetListener(this);
    ObjectManager::Instance().SetWarden(this);
}

NetworkSession::~NetworkSession()
{
    ObjectManager::Instance().SetWarden(nullptr);
    connection.SetListener(nullptr);
}

void NetworkSession::SetWelcome(uint32_t sharedSeed, int32_t expected, uint32_t digest)
{
    seed = sharedSeed;
    playersExpected = expected;
    worldDigest = digest;
}

const char* NetworkSession::Refusal(int fromHost, const NetPacket& packet)
{
    const auto own = [fromHost](uint32_t id) { return ClientHoldings::Made(fromHost, id); };
    if (const auto* record = dynamic_cast<const SinglePlayerBasicInfoPacket*>(&packet)) {
        const uint32_t id = record->player.playerId;
        if (!own(id))
            return kNotOwn;
        return ObjectManager::Instance().GetObject<Player>(id) != nullptr ? nullptr
                                                                          : "names no player made";
    }
    if (const auto* answer = dynamic_cast<const PartyRequestResponsePacket*>(&packet)) {
        if (!own(answer->sender))
            return kNotOwn;
        return parties.Answered(answer->sender, answer->recipient, answer->accepted)
                   ? nullptr
                   : "answers no invitation";
    }
    if (const auto* invitation = dynamic_cast<const InvitePartyConfigCmdPacket*>(&packet)) {
        if (!own(static_cast<uint32_t>(invitation->party)))
            return kNotOwn;
        OnSend(packet);
        return nullptr;
    }
    if (const auto* join = dynamic_cast<const JoinPartyConfigCmdPacket*>(&packet)) {
        const PartyManager* manager =
            gGameEngine != nullptr ? gGameEngine->GetPartyManager() : nullptr;
        return parties.MayJoin(fromHost, join->joiningPlayer, static_cast<uint32_t>(join->party),
                               manager)
                   ? nullptr
                   : "joins a party it was not let in";
    }
    if (const auto* chat = dynamic_cast<const ChatPacket*>(&packet))
        return ChatRefusal(fromHost, chat->sender);
    if (const auto* text = dynamic_cast<const RemoteMessagePacket*>(&packet))
        return RemoteTextRefusal(fromHost, text->receiver, text->optionalInsert);
    return CreationRefusal(fromHost, packet);
}

// The text speaks about the player it names (`about`, 0 for none): the client's own, or, told
// only to itself or to the party its player leads, one it invites or puts out of that party.
const char* NetworkSession::RemoteTextRefusal(int fromHost, uint32_t receiver, uint32_t about) const
{
    const auto own = [fromHost](uint32_t id) { return ClientHoldings::Made(fromHost, id); };
    if (about == 0 || own(about) || own(receiver))
        return nullptr;
    const PartyManager* manager = gGameEngine != nullptr ? gGameEngine->GetPartyManager() : nullptr;
    return manager != nullptr && own(manager->GetParty(receiver)) ? nullptr : kNotOwn;
}

// A name several hosts' players share may be anyone's.
const char* NetworkSession::ChatRefusal(int fromHost, const std::wstring& sender) const
{
    const PlayerManagerClient* players =
        gGameEngine != nullptr ? gGameEngine->GetPlayerManagerClient() : nullptr;
    if (players == nullptr)
        return nullptr;
    bool others = false;
    bool mine = false;
    for (const PlayerNetBasicInfo& record : players->GetPlayerInfoCache())
        if (record.name == sender)
            (ConnectionManager::HostOfId(record.playerId) == fromHost ? mine : others) = true;
    return others && !mine ? "speaks in another host's player's name" : nullptr;
}

void NetworkSession::OnSend(const NetPacket& packet)
{
    if (const auto* invitation = dynamic_cast<const InvitePartyConfigCmdPacket*>(&packet))
        parties.Invited(invitation->invitingPlayer, static_cast<uint32_t>(invitation->party));
    else if (const auto* item = dynamic_cast<const CreateItemPacket*>(&packet))
        Held(item->item.id);
    else if (const auto* entity = dynamic_cast<const CreateEntityPacket*>(&packet))
        Held(entity->objectId);
    else if (const auto* portal = dynamic_cast<const CreateItemTeleportPacket*>(&packet))
        Held(portal->objectId);
}

void NetworkSession::OnMessage(int fromHost, NetPacket& packet)
{
    const bool server = gEngine->IsNetworkServer();
    switch (packet.GetType()) {
    case EntitySpawnPacket::kType:
        Spawn(static_cast<const EntitySpawnPacket&>(packet));
        return;
    case EntityDestroyPacket::kType:
        DestroyEntity(static_cast<const EntityDestroyPacket&>(packet).entityId);
        return;
    case HostLeftPacket::kType:
        HostLeft(static_cast<const HostLeftPacket&>(packet).host);
        return;
    case SpawnPlayerPacket::kType:
        SpawnPlayer(fromHost, static_cast<ObjectContainerPacket&>(packet));
        return;
    case ServerSpawnCompletePacket::kType:
        if (!server)
            FinishSpawn();
        return;
    case HostDonePacket::kType:
        if (server && welcomed.count(fromHost) != 0)
            doneHosts.insert(fromHost);
        return;
    case SessionEndsPacket::kType:
        if (server || fromHost != ConnectionManager::kServerHost || sessionEnded)
            return;
        sessionEnded = true;
        endOutcome = static_cast<const SessionEndsPacket&>(packet).outcome;
        endDigest = static_cast<const SessionEndsPacket&>(packet).digest;
        if (sessionEnds)
            sessionEnds();
        return;
    // The transport took the welcome; the time of day is nothing kept here; what a client made
    // or refused is the client's to know.
    case HostWelcomePacket::kType:
    case WorldInitPacket::kType:
    case AckEntityPacket::kType:
    case NackEntityPacket::kType:
        return;
    default:
        CarryOut(fromHost, packet);
    }
    if (!server && carriedOut)
        carriedOut();
}

void NetworkSession::Spawn(const EntitySpawnPacket& packet)
{
    auto& container = const_cast<EntitySpawnPacket&>(packet);
    const uint32_t id = packet.objectId.GetId();
    // The answers go with the end of the world's spawns; nobody asks for them after it.
    if (HasRoomToSpawn() && MakeFromContainer<Entity>(container) != nullptr) {
        if (!spawnComplete)
            acked.push_back(id);
        return;
    }
    if (!spawnComplete)
        nacked.push_back(id);
    Refused(id, packet.recordName);
}

void NetworkSession::Refused(uint32_t id, const std::string& record)
{
    gEngine->Log(Engine::LogRuntime, "NetworkSession: entity %u of '%s' not made", id,
                 record.c_str());
}

bool NetworkSession::MayMake(uint32_t id, const std::string& record)
{
    if (HasRoomToSpawn())
        return true;
    if (!gEngine->IsNetworkServer())
        Refused(id, record);
    return false;
}

void NetworkSession::Made(uint32_t id)
{
    if (!gEngine->IsNetworkServer())
        spawned.insert(id);
    else if (const int host = Engine::GetPeerHost(); host > ConnectionManager::kServerHost) {
        // Its creation goes on to every other client, which holds it at the server's word.
        madeFor[host].insert(id);
        Held(id);
    }
}

// Counted again only at the bound, so that an honest world costs nothing here; past it every
// spawn is refused at once, however many more come.
bool NetworkSession::HasRoomToSpawn()
{
    if (gEngine->IsNetworkServer())
        return HasRoomForClient(Engine::GetPeerHost());
    if (spawned.size() < kMaxSpawned)
        return true;
    if (overBound)
        return false;
    std::erase_if(spawned, [](uint32_t id) {
        return ObjectManager::Instance().GetObject<Entity>(id) == nullptr;
    });
    if (spawned.size() < kMaxSpawned)
        return true;
    if (!overBound)
        gEngine->Log(Engine::LogRuntime, "NetworkSession: the server made more than %zu entities",
                     kMaxSpawned);
    overBound = true;
    return false;
}

// What the server's own world makes is the level's to bound. The world's bound is what every
// client holds at the server's word: a client's creation past it would end every honest client
// at its own bound. A client's share is looked over again only when full, a few dozen look-ups.
bool NetworkSession::HasRoomForClient(int host)
{
    if (host <= ConnectionManager::kServerHost)
        return true;
    if (HeldByClients() >= kMaxSpawned) {
        gEngine->Log(Engine::LogRuntime,
                     "NetworkSession: host %d made nothing: the world holds %zu entities", host,
                     kMaxSpawned);
        return false;
    }
    std::set<uint32_t>& made = madeFor[host];
    if (made.size() >= kClientShare)
        std::erase_if(made, [](uint32_t id) {
            const auto* entity = ObjectManager::Instance().GetObject<Entity>(id);
            return entity == nullptr || !entity->IsInWorld();
        });
    if (made.size() < kClientShare)
        return true;
    gEngine->Log(Engine::LogRuntime, "NetworkSession: host %d made nothing: it holds %zu entities",
                 host, kClientShare);
    return false;
}

size_t NetworkSession::HeldByClients()
{
    if (spawned.size() + heldBesides.size() < kMaxSpawned || heldLookedOver)
        return spawned.size() + heldBesides.size();
    heldLookedOver = true;
    std::erase_if(heldBesides, [this](uint32_t id) {
        return spawned.count(id) != 0 || ObjectManager::Instance().GetObject<Entity>(id) == nullptr;
    });
    return spawned.size() + heldBesides.size();
}

void NetworkSession::Held(uint32_t id)
{
    if (id != 0 && heldBesides.insert(id).second)
        HeldByClients();
}

void NetworkSession::FinishSpawn()
{
    if (spawnComplete)
        return;
    spawnComplete = true;
    AckEntityPacket ack;
    ack.entityIds = acked;
    connection.SendPacket(ack);
    if (!nacked.empty()) {
        NackEntityPacket nack;
        nack.entityIds = nacked;
        connection.SendPacket(nack);
    }
    Player* hero = heroMaker ? heroMaker() : nullptr;
    if (hero == nullptr)
        return;
    heroId = hero->GetObjectId();
    SpawnPlayerPacket spawn;
    spawn.objectId = heroId;
    connection.SendPacket(spawn);
    PlayerNetBasicInfo record;
    hero->GetPlayerNetBasicInfo(record);
    GameEngine::Get().GetNetworkInterface()->CtoS_AddNewPlayer(record);
}

void NetworkSession::SpawnPlayer(int fromHost, ObjectContainerPacket& packet)
{
    const uint32_t id = packet.objectId.GetId();
    // A client counts the server's players among what it made; a player refused is told in a
    // line of its own, not among the entities.
    if (!gEngine->IsNetworkServer()) {
        if (!HasRoomToSpawn() || MakeFromContainer<Player>(packet) == nullptr)
            gEngine->Log(Engine::LogRuntime, "NetworkSession: player %u of '%s' not made", id,
                         packet.recordName.c_str());
        return;
    }
    // A client speaks for the one player its join made: another is a forgery.
    if (fromHost != ConnectionManager::kServerHost && heroes.count(fromHost) != 0) {
        connection.Refuse(fromHost, "spawns a second player");
        return;
    }
    if (MakeFromContainer<Player>(packet) == nullptr) {
        gEngine->Log(Engine::LogRuntime, "NetworkSession: player %u of host %d not made", id,
                     fromHost);
        // Its id in use or its record of no player: refused as any other message.
        if (fromHost != ConnectionManager::kServerHost)
            connection.Refuse(fromHost, "spawns no player");
        return;
    }
    spawned.insert(id);
    if (fromHost != ConnectionManager::kServerHost)
        heroes[fromHost] = id;
    connection.MarkPlaying(fromHost);
    SpawnPlayerPacket onward;
    onward.objectId = id;
    connection.BroadcastPacketExcept(fromHost, onward);
    if (joined)
        joined(fromHost, id);
}

void NetworkSession::CarryOut(int fromHost, NetPacket& packet)
{
    if (const auto* moved = dynamic_cast<const UpdatePositionPacket*>(&packet)) {
        auto* entity = ObjectManager::Instance().GetObject<Entity>(moved->entityId);
        if (entity != nullptr && gEngine->GetWorld() != nullptr)
            gEngine->GetWorld()->SetCoords(entity, moved->coords);
        return;
    }
    if (NetworkShim::ReceivePacket(fromHost, packet))
        return;
    if (GameEngineNetworkInterface* inbound = GameEngine::Get().GetInboundNetworkInterface())
        InboundPacketDispatcher::Dispatch(packet, *inbound);
}

void NetworkSession::TellDone()
{
    HostDonePacket done;
    connection.SendPacket(done);
}

void NetworkSession::TellEnd(uint32_t outcome, uint32_t digest)
{
    SessionEndsPacket ends;
    ends.outcome = outcome;
    ends.digest = digest;
    connection.BroadcastPacket(ends);
}

void NetworkSession::OnHostJoined(int host)
{
    welcomed.insert(host);
    // An index comes free when its client goes: the next one starts with nothing of its own.
    heroes.erase(host);
    madeFor.erase(host);
    HostWelcomePacket welcome;
    welcome.hostIndex = host;
    welcome.seed = seed;
    welcome.difficulty = static_cast<int32_t>(GameEngine::Get().GetGameDifficulty());
    welcome.playersExpected = playersExpected;
    welcome.worldDigest = worldDigest;
    connection.SendPacketToHost(host, welcome);
    SendWorldTo(host);
}

void NetworkSession::SendWorldTo(int host)
{
    WorldInitPacket world;
    connection.SendPacketToHost(host, world);
    for (uint32_t id : IdsOf(WorldHeld())) {
        EntitySpawnPacket spawn;
        spawn.objectId = id;
        connection.SendPacketToHost(host, spawn);
    }
    ServerSpawnCompletePacket complete;
    connection.SendPacketToHost(host, complete);
}

void NetworkSession::Update()
{
    if (!gEngine->IsNetworkServer())
        return;
    heldLookedOver = false;
    const std::vector<uint32_t> now = IdsOf(ClientHeld());
    for (uint32_t id : now)
        if (spawned.insert(id).second)
            BroadcastSpawn(connection, id);
    for (auto it = spawned.begin(); it != spawned.end();) {
        if (std::binary_search(now.begin(), now.end(), *it)) {
            ++it;
            continue;
        }
        EntityDestroyPacket destroy;
        destroy.entityId = *it;
        connection.BroadcastPacket(destroy);
        it = spawned.erase(it);
    }
}

void NetworkSession::OnHostLeft(int host)
{
    ClientGone(host, "left");
}

void NetworkSession::OnHostLost(int host, uint32_t silentSeconds)
{
    ClientGone(host, "lost: no answer for " + std::to_string(silentSeconds) + " s");
}

// A client never welcomed made nothing here and is nobody's news.
void NetworkSession::ClientGone(int host, const std::string& how)
{
    if (welcomed.erase(host) == 0)
        return;
    doneHosts.erase(host);
    heroes.erase(host);
    madeFor.erase(host);
    parties.Forget(host);
    if (PlayerManagerServer* players = GameEngine::Get().GetPlayerManagerServer())
        players->RemovePlayerFromGame(host);
    for (uint32_t id : IdsOf(OfHost(host))) {
        EntityDestroyPacket destroy;
        destroy.entityId = id;
        connection.BroadcastPacket(destroy);
        spawned.erase(id);
    }
    HostLeft(host);
    HostLeftPacket gone;
    gone.host = host;
    connection.BroadcastPacket(gone);
    if (left)
        left(host, how);
}

void NetworkSession::HostLeft(int host)
{
    if (hostGone)
        hostGone(host);
    if (PlayerManagerClient* players = GameEngine::Get().GetPlayerManagerClient())
        players->RemovePlayerFromGame(host);
    // The server is host 0 and never leaves a client's world this way.
    if (host != ConnectionManager::kServerHost)
        for (uint32_t id : IdsOf(OfHost(host)))
            DestroyEntity(id);
}

void NetworkSession::DestroyEntity(uint32_t id)
{
    auto* entity = ObjectManager::Instance().GetObject<Entity>(id);
    if (entity == nullptr)
        return;
    // A client's count of the server's spawns falls as the server takes them away.
    if (!gEngine->IsNetworkServer())
        spawned.erase(id);
    if (World* world = gEngine->GetWorld())
        world->RemoveEntity(entity);
    ObjectManager::Instance().DestroyObjectEx(entity, kNetworkSessionSource, __LINE__);
}

} // namespace GAME
