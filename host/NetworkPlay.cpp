#include "host/NetworkPlay.h"

#include "ai/ControllerPlayer.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/DialogManager.h"
#include "engine/ABBox.h"
#include "engine/ConnectionManager.h"
#include "engine/Crc32.h"
#include "engine/Engine.h"
#include "engine/FilterFunction.h"
#include "engine/GraphicsEngine.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/ChatMessage.h"
#include "game/GameEngine.h"
#include "host/ArenaSamples.h"
#include "host/HeldDataLog.h"
#include "host/HostInterrupt.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/ShownName.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/NetworkSession.h"
#include "multiplayer/PlayerManagerClient.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <ostream>
#include <sstream>
#include <thread>

namespace GAME {

namespace {
constexpr uint32_t kSessionRegion = 1;
constexpr ABBox kArenaBox({-30, -10, -30}, {30, 10, 30});
// The pack stands where the arena places it, east of the heroes.
constexpr float kPack[][2] = {{10.0f, -6.0f}, {11.0f, -7.0f}};

class Everything final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* /*candidate*/) const override { return true; }
};

std::vector<Entity*> WorldEntities()
{
    std::vector<Entity*> entities;
    if (World* world = gEngine->GetWorld())
        world->GetEntities(entities, Everything());
    return entities;
}

bool SplitAddress(const std::string& text, std::string& address, uint16_t& port)
{
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos)
        return false;
    address = text.substr(0, colon);
    port = static_cast<uint16_t>(std::stoul(text.substr(colon + 1)));
    return true;
}
} // namespace

NetworkPlay::NetworkPlay(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err), connection(gEngine->GetNetworkConnectionManager())
{}

bool NetworkPlay::IsServer() const
{
    return options.role == "server";
}

bool NetworkPlay::Start()
{
    if (IsServer()) {
        gEngine->SetNetworkMode(true, false);
        HeldDataLog log;
        if (!connection.Listen(static_cast<uint16_t>(options.port))) {
            log.Drop();
            err << "gamehost: cannot listen on 127.0.0.1:" << options.port << '\n';
            return false;
        }
        playersExpected = options.clients;
        connection.SetClientLimit(options.clients);
        out << "listening on 127.0.0.1:" << connection.GetListenPort() << std::endl;
        return true;
    }
    gEngine->SetNetworkMode(true, true);
    std::string address;
    uint16_t port = 0;
    HeldDataLog log;
    const auto interrupted = [] { return HostInterrupt::Caught() != 0; };
    if (!SplitAddress(options.connectTo, address, port) ||
        !connection.Connect(address, port, interrupted)) {
        log.Drop();
        // The signal's own line says it all.
        if (interrupted())
            return false;
        // A server that answered said why: full, or under way.
        err << "gamehost: "
            << (connection.GetFarewell() != ConnectionManager::Farewell::None
                    ? connection.GetFarewellText()
                    : "no server at " + ShownName(options.connectTo))
            << '\n';
        return false;
    }
    playersExpected = connection.GetWelcome().playersExpected;
    out << "joined as host " << connection.GetLocalHostID() << std::endl;
    return true;
}

int NetworkPlay::Run()
{
    if (!Start()) {
        gEngine->SetNetworkMode(false, false);
        return kExitNoPeer;
    }
    const uint32_t seed = IsServer() ? options.seed : connection.GetWelcome().seed;
    Platform::SRand(seed);
    InitializeObjects();
    if (gGameEngine == nullptr) {
        err << "gamehost: the game library did not start\n";
        connection.Disconnect();
        gEngine->SetNetworkMode(false, false);
        return 2;
    }
    GameEngine& game = GameEngine::Get();
    if (IsServer()) {
        game.SetAsNetworkServer();
    } else {
        game.SetAsNetworkClient();
        game.SetGameDifficulty(static_cast<GameDifficulty>(connection.GetWelcome().difficulty));
    }
    game.GetRandomGen().Seed(seed);
    game.SetGameLoading(false);
    std::unique_ptr<World> previousWorld = gEngine->SetWorld(std::make_unique<World>());
    GraphicsAnim* punch = HostSamples::MarkHitEvent(ArenaSamples::kPunchAnimation,
                                                    ArenaSamples::kHitEvent, ArenaSamples::kHitMs);
    GraphicsAnim* claw = HostSamples::MarkHitEvent(ArenaSamples::kClawAnimation,
                                                   ArenaSamples::kHitEvent, ArenaSamples::kHitMs);
    int status = MakeRegions() ? 0 : 2;
    if (status == 0) {
        NetworkSession session(connection);
        session.SetWelcome(seed, playersExpected);
        status = Play(session);
    }
    connection.Disconnect(IsServer() ? ConnectionManager::Farewell::SessionEnded
                                     : ConnectionManager::Farewell::Goodbye);
    Unstage();
    HostSamples::ClearWorld(*gEngine->GetWorld());
    GraphicsEngine::Instance().UnloadAnimation(claw);
    GraphicsEngine::Instance().UnloadAnimation(punch);
    gEngine->SetWorld(std::move(previousWorld));
    ShutdownObjects();
    gEngine->SetNetworkMode(false, false);
    PrintSummary();
    PrintFooter();
    return status;
}

int NetworkPlay::Play(NetworkSession& session)
{
    playing = &session;
    if (IsServer()) {
        if (!StageServer())
            return 2;
        session.OnJoined([this](int host, uint32_t player) {
            out << "host " << host << " joined: player " << player << std::endl;
            clientHeroes[host] = player;
        });
        session.OnLeft([this](int host, const std::string& how) {
            out << "host " << host << ' ' << how << std::endl;
            clientHeroes.erase(host);
            leftHosts.push_back(host);
        });
    } else {
        session.SetHeroMaker([this] { return MakeHero(connection.GetLocalHostID()); });
        // The party as the server's end found it: a client that leaves right after, heard in the
        // same breath, is still in it.
        session.OnSessionEnds([this] { KeepParty(); });
    }
    session.SetCopyStager([this](Player& copy) { StageHero(copy); });
    using Clock = std::chrono::steady_clock;
    Clock::time_point next = Clock::now();
    // Wall time: a paced frame may stand for more game time than it takes.
    Clock::time_point alone = next;
    for (;;) {
        const Clock::time_point begin = Clock::now();
        Frame(session);
        const std::chrono::duration<double, std::micro> spent = Clock::now() - begin;
        frameMicroseconds.Add(spent.count());
        if (HostInterrupt::Caught() != 0)
            return 2;
        if (IsServer()) {
            if (!clientHeroes.empty() || ended)
                alone = Clock::now();
            if (Clock::now() - alone >= std::chrono::milliseconds(kWaitForClientsMs)) {
                err << "gamehost: "
                    << (leftHosts.empty() ? "no client" : "every client left, none back")
                    << " within " << kWaitForClientsMs / 1000 << " s\n";
                return kExitNoPeer;
            }
            // Every client that played has gone, or had its time to; the rest are told.
            if (ended && (clientHeroes.empty() ||
                          Clock::now() - endedAt >= std::chrono::milliseconds(kWaitAfterEndMs)))
                return 0;
        } else {
            if (session.HasServerLeft() || !connection.IsConnected()) {
                // Its end printed, a client has nothing left to lose.
                if (ended)
                    return 0;
                err << "gamehost: " << GoneText() << '\n';
                return kExitNoPeer;
            }
            if (ended && ++framesSinceEnd >= kLeaveAfterFrames)
                return 0;
        }
        if (elapsedMs >= MaxSessionMs()) {
            err << "gamehost: the session did not end within " << MaxSessionMs() / 1000 << " s\n";
            return 2;
        }
        next += std::chrono::milliseconds(PaceMs());
        if (Clock::now() - next > std::chrono::milliseconds(kMaxLagMs))
            next = Clock::now();
        std::this_thread::sleep_until(next);
    }
}

std::string NetworkPlay::GoneText() const
{
    if (connection.GetFarewell() != ConnectionManager::Farewell::None)
        return connection.GetFarewellText();
    return "the server is gone";
}

const char* NetworkPlay::HeroRecord() const
{
    return ArenaSamples::kPlayer;
}

int NetworkPlay::PaceMs() const
{
    return options.frameMilliseconds;
}

int NetworkPlay::GetLocalHost() const
{
    return connection.GetLocalHostID();
}

bool NetworkPlay::MakeRegions()
{
    gEngine->GetWorld()->CreateRegion(kSessionRegion, {0, 0, 0}, kArenaBox);
    return true;
}

WorldVec3 NetworkPlay::StartOf(int host) const
{
    return WorldVec3(kSessionRegion, Vec3(0.0f, 0.0f, 2.0f * static_cast<float>(host)));
}

bool NetworkPlay::IsDone() const
{
    return IsPackDead();
}

bool NetworkPlay::StageServer()
{
    if (MakeHero(ConnectionManager::kServerHost) == nullptr)
        return false;
    for (const auto& place : kPack) {
        Monster* monster = HostSamples::Make<Monster>(ArenaSamples::kJackal, err);
        if (monster == nullptr)
            return false;
        HostSamples::EnterWorld(
            *monster, WorldCoords(WorldVec3(kSessionRegion, Vec3(place[0], 0.0f, place[1]))));
    }
    return true;
}

Player* NetworkPlay::MakeHero(int host)
{
    Player* hero = HostSamples::Make<Player>(HeroRecord(), err);
    if (hero == nullptr)
        return nullptr;
    HostSamples::EnterWorld(*hero, WorldCoords(StartOf(host)));
    hero->SetIsControllingCharacter(true);
    GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    heroId = hero->GetObjectId();
    OnHeroMade(*hero);
    if (host == ConnectionManager::kServerHost) {
        PlayerNetBasicInfo record;
        hero->GetPlayerNetBasicInfo(record);
        GameEngine::Get().GetNetworkInterface()->CtoS_AddNewPlayer(record);
    }
    return hero;
}

void NetworkPlay::Frame(NetworkSession& session)
{
    GameEngine& game = GameEngine::Get();
    connection.Service();
    // Items are noted where they land, before the world moves them.
    Observe();
    Act();
    gEngine->RunFrame(options.frameMilliseconds);
    game.Update(options.frameMilliseconds);
    session.Update();
    // Chat is nobody's to read here.
    std::vector<ChatMessage> chat;
    game.RemovePendingMessages(chat);
    AnswerDialogs();
    Observe();
    if (!everyoneCame) {
        everyoneCame =
            IsServer()
                ? static_cast<int32_t>(clientHeroes.size()) >= playersExpected
                : static_cast<int32_t>(game.GetPlayerManagerClient()->GetPlayerInfoCache().size()) >
                      playersExpected;
        if (everyoneCame && IsServer())
            session.SetUnderWay(true);
    }
    if (IsServer() && !invited && ReadyToInvite())
        InviteParty();
    // The party as it last held everyone: a machine done sooner may already have left it.
    if (std::vector<uint32_t> party = FullParty(); !party.empty() && !partyKept)
        lastFullParty = std::move(party);
    if (!ended && IsDone() && !lastFullParty.empty()) {
        KeepParty();
        PrintEnd();
        ended = true;
        endedAt = std::chrono::steady_clock::now();
        OnEnded();
    }
    connection.Flush();
    elapsedMs += options.frameMilliseconds;
}

void NetworkPlay::KeepParty()
{
    if (partyKept)
        return;
    if (std::vector<uint32_t> party = FullParty(); !party.empty())
        lastFullParty = std::move(party);
    partyKept = true;
}

void NetworkPlay::Observe()
{
    for (const Entity* entity : WorldEntities()) {
        const uint32_t id = entity->GetObjectId();
        if (const auto* monster = DynamicCast<const Monster>(entity)) {
            Seen& seen = monsters[id];
            if (!seen.dead && !monster->IsAlive()) {
                seen.dead = true;
                out << "monster " << id << " died" << std::endl;
            }
        } else if (const auto* item = DynamicCast<const Item>(entity)) {
            Seen& seen = items[id];
            if (seen.itemLine.empty()) {
                ItemReplicaInfo replica;
                item->GetItemReplicaInfo(replica);
                seen.itemLine =
                    "item " + std::to_string(id) + " " + replica.baseName + " at " +
                    HostSamples::PointText(entity->GetCoords().GetPosition().GetRegionPosition());
                out << seen.itemLine << std::endl;
            }
        }
    }
    // A monster taken out of the world has died for good.
    for (auto& [id, seen] : monsters) {
        if (!seen.dead && ObjectManager::Instance().GetObject<Monster>(id) == nullptr) {
            seen.dead = true;
            out << "monster " << id << " died" << std::endl;
        }
    }
}

// Every hero joins the fight once every player is in, so that each machine sees all of it.
void NetworkPlay::Attack()
{
    if (!everyoneCame || elapsedMs < nextAttackMs)
        return;
    nextAttackMs = elapsedMs + kAttackEveryMs;
    auto* hero = ObjectManager::Instance().GetObject<Player>(heroId);
    ControllerPlayer* controller = hero != nullptr ? hero->GetControllerPlayer() : nullptr;
    if (controller == nullptr || !hero->IsAlive())
        return;
    const Monster* nearest = nullptr;
    float best = 0.0f;
    const Vec3 from = hero->GetCoords().GetPosition().GetRegionPosition();
    for (const Entity* entity : WorldEntities()) {
        const auto* monster = DynamicCast<const Monster>(entity);
        if (monster == nullptr || !monster->IsAlive())
            continue;
        const Vec3 to = monster->GetCoords().GetPosition().GetRegionPosition() - from;
        const float distance = to.x * to.x + to.y * to.y + to.z * to.z;
        if (nearest == nullptr || distance < best) {
            nearest = monster;
            best = distance;
        }
    }
    if (nearest == nullptr)
        return;
    uint32_t target = nearest->GetObjectId();
    controller->HandleActionFromMouse(true, false, false, false, nearest->GetCoords().GetPosition(),
                                      target);
}

// Those of the expected clients who are still here.
void NetworkPlay::InviteParty()
{
    if (!everyoneCame || clientHeroes.empty())
        return;
    invited = true;
    for (const auto& [host, hero] : clientHeroes)
        GameEngine::Get().InvitePlayerToParty(hero, static_cast<int32_t>(heroId));
}

void NetworkPlay::AnswerDialogs()
{
    DialogManager& dialogs = GameEngine::Get().GetDialogManager();
    while (dialogs.GetNumDialog() > 0) {
        const DialogManager::Dialog dialog = dialogs.PeekTopDialog();
        dialogs.RemoveTopDialog();
        if (dialog.type == DialogManager::DialogQuestion)
            dialogs.AddResponse({dialog.party, true});
    }
}

bool NetworkPlay::IsPackDead() const
{
    return !monsters.empty() &&
           std::all_of(monsters.begin(), monsters.end(),
                       [](const auto& monster) { return monster.second.dead; });
}

// Whoever is in the game now: a player lost on the way is out of the party and of the count.
std::vector<uint32_t> NetworkPlay::FullParty() const
{
    const std::vector<PlayerNetBasicInfo>& records =
        GameEngine::Get().GetPlayerManagerClient()->GetPlayerInfoCache();
    if (records.size() < 2 || records.front().partyId == 0)
        return {};
    const int32_t leader = records.front().partyId;
    std::vector<uint32_t> members;
    for (const PlayerNetBasicInfo& record : records) {
        if (record.partyId != leader)
            return {};
        members.push_back(record.playerId);
    }
    std::sort(members.begin(), members.end());
    members.insert(members.begin(), static_cast<uint32_t>(leader));
    return members;
}

void NetworkPlay::PrintEnd()
{
    std::ostringstream lines;
    // The party's outcome, which every machine agrees on, not who is connected at the moment.
    lines << "end: players " << lastFullParty.size() - 1 << '\n';
    // A level's end may leave monsters off the heroes' way alive.
    for (const auto& [id, seen] : monsters)
        if (seen.dead)
            lines << "end: monster " << id << " dead\n";
    for (const auto& [id, seen] : items)
        lines << "end: " << seen.itemLine << '\n';
    lines << "end: party";
    for (uint32_t member : lastFullParty)
        lines << ' ' << member;
    lines << '\n';
    AddEndLines(lines);
    const std::string text = lines.str();
    char digest[16];
    std::snprintf(digest, sizeof digest, "%08x", Crc32(text.data(), text.size()));
    out << text << "end: digest " << digest << std::endl;
}

void NetworkPlay::PrintFooter() const
{
    uint64_t in = 0;
    uint64_t sent = 0;
    std::string dropped;
    for (int host = 0; host <= ConnectionManager::kMaxClients; ++host) {
        const ConnectionManager::HostCounters& counters = connection.GetCounters(host);
        in += counters.messagesIn;
        sent += counters.messagesOut;
        if (counters.dropped > 0)
            dropped += " host " + std::to_string(host) + ": " + std::to_string(counters.dropped);
    }
    out << "messages: " << in << " in, " << sent << " out\n"
        << "dropped:" << (dropped.empty() ? std::string(" none") : dropped) << '\n'
        << "hosts dropped: " << connection.GetDroppedHosts().size() << '\n';
}

} // namespace GAME
