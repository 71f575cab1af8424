#pragma once

#include "engine/ConnectionManager.h"
#include "engine/LevelFile.h"
#include "engine/ObjectManager.h"
#include "multiplayer/PartyConsent.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace GAME {

class Entity;
class EntitySpawnPacket;
class ObjectContainerPacket;
class Player;

// The game's side of the transport: who joins and leaves, which entities every machine holds,
// and where a received message is carried out. One is set as the connection manager's listener
// for the length of a networked session.
class NetworkSession final : public ConnectionManager::Listener, public ObjectManager::Warden {
public:
    // A client's hero, made once the server's world is in; null when it cannot be made.
    using HeroMaker = std::function<Player*()>;
    using HostEvent = std::function<void(int host, uint32_t playerId)>;
    // A client gone: "left" (a goodbye or a drop) or "lost: no answer for N s".
    using LeaveEvent = std::function<void(int host, const std::string& how)>;
    // Another machine's hero, made here before its record is applied.
    using CopyStager = std::function<void(Player&)>;
    // What a client makes at its server's word, counted from what exists now: no more entities
    // than a level may make, whichever message makes them (spawns, items, entities, what a
    // replicated action makes). A server that sends more is not playing a world this machine can
    // hold; the entity past it is refused and the session over its bound.
    static constexpr size_t kMaxSpawned = LevelFile::kMaxEntities;
    // The server's: what one client's word may make here and hold at once (its player, his pets,
    // what it placed), as much as it may hold of its own (ClientHoldings); and nothing at all
    // once the clients hold `kMaxSpawned` entities at the server's word (HeldByClients).
    static constexpr size_t kClientShare = 64;

    explicit NetworkSession(ConnectionManager& connection);
    ~NetworkSession() override;
    NetworkSession(const NetworkSession&) = delete;
    NetworkSession& operator=(const NetworkSession&) = delete;

    // What the server's welcome tells each client.
    void SetWelcome(uint32_t seed, int32_t playersExpected, uint32_t worldDigest);
    void SetHeroMaker(HeroMaker maker) { heroMaker = std::move(maker); }
    // Gives each copy what its hero's own machine gave the hero beyond the hero's record: the
    // replication carries the state of the skills a copy holds, not the skills.
    void SetCopyStager(CopyStager stager) { copyStager = std::move(stager); }
    // The server's: a client's hero is in (its id), a client it welcomed is gone.
    void OnJoined(HostEvent event) { joined = std::move(event); }
    void OnLeft(LeaveEvent event) { left = std::move(event); }
    // A client's: the server said the session ends, heard before what came after it.
    void OnSessionEnds(std::function<void()> event) { sessionEnds = std::move(event); }
    // A client's: a message of the server's was carried out. A client's world moves by the
    // server's news alone, and a batch heard after a delay may hold a monster's whole life, so
    // whoever watches it looks after each message, not once a frame.
    void OnCarriedOut(std::function<void()> event) { carriedOut = std::move(event); }
    // Every machine's: a client is gone, and with it what it made.
    void OnHostGone(std::function<void(int host)> event) { hostGone = std::move(event); }
    // The server's: once under way, a client that comes is refused at the door, told so.
    void SetUnderWay(bool value) { connection.SetUnderWay(value); }

    // The end's handshake. A client says its part is done; the server hears it for the host
    // the transport knows the sender as, until that host leaves. The server alone ends the
    // session.
    void TellDone();
    // The server's, with the outcome every machine's end states and the digest of its end lines.
    void TellEnd(uint32_t outcome, uint32_t digest);
    bool IsHostDone(int host) const { return doneHosts.count(host) != 0; }
    bool HasSessionEnded() const { return sessionEnded; }
    // A client's: the outcome and the digest the server told with the end.
    uint32_t GetEndOutcome() const { return endOutcome; }
    uint32_t GetEndDigest() const { return endDigest; }

    // The server's, once a frame after the game's update: entities that entered its world are
    // made on every client, those that went are destroyed there.
    void Update();

    bool IsSpawnComplete() const { return spawnComplete; }
    // A client's: its server's spawns passed `kMaxSpawned`.
    bool IsOverBound() const { return overBound; }
    bool HasServerLeft() const { return serverLeft; }
    uint32_t GetHeroId() const { return heroId; }
    const std::vector<uint32_t>& GetAcked() const { return acked; }
    const std::vector<uint32_t>& GetNacked() const { return nacked; }

    void OnMessage(int fromHost, NetPacket& packet) override;
    void OnHostJoined(int host) override;
    void OnHostLeft(int host) override;
    void OnHostLost(int host, uint32_t silentSeconds) override;
    void OnServerLost() override { serverLeft = true; }
    // The server's judgement of what only the game can tell: a player record for a player made
    // here, chat not in another host's player's name, the party messages (PartyConsent), a
    // remote text about its own player, and what a client makes or takes away on every machine
    // (items, entities, portals: under its own ids, within what it may hold).
    const char* Refusal(int fromHost, const NetPacket& packet) override;
    void OnSend(const NetPacket& packet) override;
    // A client's count of what its server's messages make, toward `kMaxSpawned`; the server's of
    // what each client's make, toward its share and the world's bound.
    bool MayMake(uint32_t id, const std::string& record) override;
    void Made(uint32_t id) override;

private:
    // Made under the container's id from its record, placed and given its replication record;
    // null, making nothing, when the id is taken or the record makes no such entity.
    template <class Kind> Kind* MakeFromContainer(ObjectContainerPacket& packet);
    const char* ChatRefusal(int fromHost, const std::wstring& sender) const;
    const char* RemoteTextRefusal(int fromHost, uint32_t receiver, uint32_t about) const;
    // NetworkSessionCreation.cpp: items, entities and portals.
    static const char* CreationRefusal(int fromHost, const NetPacket& packet);

    void Spawn(const EntitySpawnPacket& packet);
    // Room for one more entity at the word of the peer heard now: a client's, at the server's
    // word, below `kMaxSpawned`; the server's, at a client's, within its share and the world's
    // bound (refused in a line of that client's).
    bool HasRoomToSpawn();
    bool HasRoomForClient(int host);
    // The server's count of what a client holds at its word, as the client counts it: what the
    // spawns made, and what a message makes on every machine by itself (an item, a client's
    // creation). Looked over again only at the bound, once a frame at most, as a client does.
    size_t HeldByClients();
    void Held(uint32_t id);
    void FinishSpawn();
    void SpawnPlayer(int fromHost, ObjectContainerPacket& packet);
    // This machine's part of a game message: a replicated action or command, an engine request
    // or an operation of the network interface.
    void CarryOut(int fromHost, NetPacket& packet);
    void HostLeft(int host);
    // The server's part of a client gone, told as `how`.
    void ClientGone(int host, const std::string& how);
    void SendWorldTo(int host);
    // Every entity of the world that clients must hold, by ascending id.
    static std::vector<Entity*> ServerSpawned();
    void DestroyEntity(uint32_t id);
    // A client's: an entity the server's word would make refused (told as a count, a peer's).
    static void Refused(uint32_t id, const std::string& record);

    ConnectionManager& connection;
    HeroMaker heroMaker;
    CopyStager copyStager;
    PartyConsent parties;
    HostEvent joined;
    LeaveEvent left;
    std::function<void()> sessionEnds;
    std::function<void()> carriedOut;
    std::function<void(int)> hostGone;
    uint32_t seed = 0;
    int32_t playersExpected = 1;
    uint32_t worldDigest = 0;
    bool spawnComplete = false;
    bool serverLeft = false;
    bool sessionEnded = false;
    uint32_t endOutcome = 0;
    uint32_t endDigest = 0;
    // The server's: the clients it welcomed, and those of them whose part is done.
    std::set<int> welcomed;
    std::set<int> doneHosts;
    uint32_t heroId = 0;
    std::vector<uint32_t> acked;
    std::vector<uint32_t> nacked;
    // The server's: what the clients were told to make and not yet to destroy. A client's: what
    // it made at the server's word.
    std::set<uint32_t> spawned;
    bool overBound = false;
    // The server's: what else its word made on every client, kept until looked over at the bound.
    std::set<uint32_t> heldBesides;
    bool heldLookedOver = false;
    // The server's: each client's player, the one its join made, and what its word made here;
    // counted again only at the share, so that honest play costs nothing.
    std::map<int, uint32_t> heroes;
    std::map<int, std::set<uint32_t>> madeFor;
};

} // namespace GAME
