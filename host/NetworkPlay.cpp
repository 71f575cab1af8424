#include "host/NetworkPlay.h"

#include "ai/ControllerPlayer.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/DialogManager.h"
#include "core/GameDifficulty.h"
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
#include "host/SeenWorld.h"
#include "host/ShownName.h"
#include "host/WorldDigest.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/NetworkSession.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"

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

std::string Hex(uint32_t digest)
{
    char shown[16];
    std::snprintf(shown, sizeof shown, "%08x", digest);
    return shown;
}

// The one line of a client whose world is not its server's.
std::string Differs(const char* what, uint32_t own, uint32_t served)
{
    return "gamehost: this machine's " + std::string(what) + " differs from the server's: digest " +
           Hex(own) + ", the server's " + Hex(served) + "\n";
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

NetworkPlay::~NetworkPlay() = default;

void NetworkPlay::KeepAlive()
{
    connection.KeepAlive();
}

bool NetworkPlay::IsServer() const
{
    return options.role == "server";
}

// A server listens only once its world is in (`Listen`): one that cannot be played is refused
// before any client could come.
bool NetworkPlay::Start()
{
    if (IsServer()) {
        gEngine->SetNetworkMode(true, false);
        return true;
    }
    gEngine->SetNetworkMode(true, true);
    std::string address;
    uint16_t port = 0;
    HeldDataLog log;
    const auto interrupted = [] { return HostInterrupt::Caught() != 0; };
    connection.SetRetryWhenFull(true);
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
    if (const std::string bad = WelcomeFault(); !bad.empty()) {
        err << "gamehost: the server's welcome " << bad << '\n';
        connection.Disconnect();
        return false;
    }
    if (connection.GetWelcome().worldDigest != worldDigest) {
        err << Differs("scenario, level or database", worldDigest,
                       connection.GetWelcome().worldDigest);
        connection.Disconnect();
        startStatus = kExitSplit;
        return false;
    }
    connection.SayJoining();
    out << "joined as host " << connection.GetLocalHostID() << std::endl;
    return true;
}

// The welcome's numbers are the server's word like any message's: a client plays as a host it
// has a way for, at a difficulty the game has, and waits for players a server may take.
std::string NetworkPlay::WelcomeFault() const
{
    const ConnectionManager::Welcome& welcome = connection.GetWelcome();
    if (welcome.hostIndex < 1 || welcome.hostIndex > ConnectionManager::kMaxClients)
        return "names host " + std::to_string(welcome.hostIndex);
    if (!HasPlaceFor(welcome.hostIndex))
        return "names host " + std::to_string(welcome.hostIndex) +
               ", which the level has no route for";
    if (welcome.difficulty < GameDifficulty_Normal || welcome.difficulty > GameDifficulty_Legendary)
        return "names no difficulty: " + std::to_string(welcome.difficulty);
    if (welcome.playersExpected < 1 || welcome.playersExpected > ConnectionManager::kMaxClients)
        return "expects " + std::to_string(welcome.playersExpected) + " clients";
    return {};
}

bool NetworkPlay::Listen()
{
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

int NetworkPlay::Run()
{
    worldDigest = WorldDigest::Of(options);
    if (HostInterrupt::Caught() != 0 || !Start()) {
        gEngine->SetNetworkMode(false, false);
        return startStatus;
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
    // A client loads its world after its welcome: its server hears from it meanwhile.
    if (!IsServer())
        gEngine->GetWorld()->SetLoadTending([this] { connection.KeepAlive(); });
    // A server signalled as it loads never listens: no client may join one about to leave.
    int status = MakeRegions() && HostInterrupt::Caught() == 0 ? 0 : 2;
    gEngine->GetWorld()->SetLoadTending({});
    if (status == 0 && IsServer() && !Listen())
        status = kExitNoPeer;
    // A refusal is its one line: only a session played has a summary and a footer.
    const bool played = status == 0;
    if (played) {
        NetworkSession session(connection);
        session.SetWelcome(seed, playersExpected, worldDigest);
        status = Play(session);
        seen.reset();
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
    if (played) {
        PrintSummary();
        PrintFooter();
    }
    return status;
}

int NetworkPlay::Play(NetworkSession& session)
{
    playing = &session;
    seen = std::make_unique<SeenWorld>(*gEngine->GetWorld());
    if (IsServer()) {
        if (!StageServer())
            return 2;
        session.OnJoined([this](int host, uint32_t player) {
            out << "host " << host << " joined: player " << player << std::endl;
            clientHeroes[host] = player;
        });
        // Only a client that brought its player came. One welcomed and gone before it played
        // is told on the output once for its host index, then as a count: connections that
        // come and go as fast as they can cost the output at most a line an index.
        session.OnLeft([this](int host, const std::string& how) {
            const bool came = clientHeroes.erase(host) > 0;
            if (came || unplayedLeft.insert(host).second)
                out << "host " << host << ' ' << how << std::endl;
            else
                gEngine->LogCounted(Engine::LogRuntime, "host %d %s before it played", host,
                                    how.c_str());
            if (came)
                leftHosts.push_back(host);
        });
    } else {
        session.SetHeroMaker([this] { return MakeHero(connection.GetLocalHostID()); });
        session.OnCarriedOut([this] { Observe(); });
        session.OnSessionEnds([this] { EndAsTheServerSaid(); });
    }
    session.OnHostGone([this](int host) { ForgetHost(host); });
    session.SetCopyStager([this](Player& copy) { StageHero(copy); });
    using Clock = std::chrono::steady_clock;
    Clock::time_point next = Clock::now();
    SessionClock& clock = connection.GetClock();
    // Play begins now: loading and staging the world were no time of its waits.
    clock.Read();
    watch.Begin(int64_t(clock.Ms()));
    for (;;) {
        const Clock::time_point begin = Clock::now();
        // A stop or a stall is no time the machine ran: only a frame's own pace counts for it.
        clock.SetPaceMs(uint32_t(PaceMs()));
        Frame(session);
        runningMs = int64_t(clock.Ms());
        const std::chrono::duration<double, std::micro> spent = Clock::now() - begin;
        frameMicroseconds.Add(spent.count());
        if (HostInterrupt::Caught() != 0)
            return 2;
        if (IsServer()) {
            if (const int status = ServerWaits(); status >= 0)
                return status;
        } else {
            const uint64_t heard =
                connection.GetCounters(ConnectionManager::kServerHost).messagesIn;
            if (session.HasServerLeft() || !connection.IsConnected() ||
                !watch.Judge(session, heard, runningMs).empty()) {
                // Its end printed, a client has nothing left to lose.
                if (ended)
                    return split ? kExitSplit : 0;
                err << "gamehost: " << GoneText() << '\n';
                return kExitNoPeer;
            }
            if (ended && ++framesSinceEnd >= kLeaveAfterFrames)
                return split ? kExitSplit : 0;
        }
        next += std::chrono::milliseconds(PaceMs());
        if (Clock::now() - next > std::chrono::milliseconds(SessionClock::kMaxLagMs))
            next = Clock::now();
        std::this_thread::sleep_until(next);
    }
}

// The clients expected come within the wait or the session ends: the fight and the party wait
// for all of them. Once under way no one may join, so a server every client left has no one to
// wait for. After its end it waits for every client still within the link's bound: one cut off
// as the end was told hears it once its link is back, and one silent for the bound is lost.
int NetworkPlay::ServerWaits()
{
    if (ended) {
        if (clientHeroes.empty() || runningMs - endedAtMs >= kEndWaitMs)
            return 0;
        if (!endWaitTold && runningMs - endedAtMs >= kEndWaitToldMs)
            TellEndWait();
        return -1;
    }
    if (elapsedMs >= MaxSessionMs()) {
        err << "gamehost: the session did not end within " << MaxSessionMs() / 1000
            << " s of game time\n";
        return kExitNoPeer;
    }
    // A client still joining is on its way: a world at the reader's limit takes a while to load
    // and to take in, and the door lets it go once it falls silent or runs out of time.
    if (!everyoneCame && runningMs >= kWaitForClientsMs &&
        (runningMs >= kWaitForJoiningMs || !connection.IsAnyClientJoining())) {
        const int64_t waited = std::min<int64_t>(runningMs, kWaitForJoiningMs) / 1000;
        err << "gamehost: ";
        if (clientHeroes.empty() && leftHosts.empty())
            err << "no client within " << waited << " s\n";
        else
            err << clientHeroes.size() << " of " << playersExpected << " clients within " << waited
                << " s\n";
        return kExitNoPeer;
    }
    if (everyoneCame && clientHeroes.empty()) {
        err << "gamehost: every client left before the end\n";
        return kExitNoPeer;
    }
    return -1;
}

void NetworkPlay::TellEndWait()
{
    endWaitTold = true;
    err << "gamehost: the end waits up to " << kEndWaitMs / 1000 << " s for";
    const char* separator = " ";
    for (const auto& [host, hero] : clientHeroes) {
        err << separator << "host " << host << " (heard " << connection.GetSilentMs(host) / 1000
            << " s ago)";
        separator = ", ";
    }
    err << ", not gone yet" << std::endl;
}

std::string NetworkPlay::GoneText() const
{
    if (!watch.GetFault().empty())
        return watch.GetFault();
    // A server that fell silent before the world was whole sent none.
    if (connection.GetFarewell() == ConnectionManager::Farewell::NoAnswer &&
        !GetSession().IsSpawnComplete())
        return "the server sent no world for " + std::to_string(connection.GetParting().first) +
               " s";
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
    connection.Service(IsServer() ? 0 : ClientWatch::kReadBudgetMs);
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
    if (IsServer() && !ended && IsDone() && !lastFullParty.empty())
        EndOnServer();
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
    seen->Observe(out);
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
    const WorldVec3 from = hero->GetCoords().GetPosition();
    for (const Entity* entity : WorldEntities()) {
        const auto* monster = DynamicCast<const Monster>(entity);
        if (monster == nullptr || !monster->IsAlive())
            continue;
        const float distance =
            gEngine->GetWorld()->GetDistanceSquared(monster->GetCoords().GetPosition(), from);
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
    const std::map<uint32_t, SeenWorld::Seen>& monsters = seen->GetMonsters();
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

// Sent after the frame's news, so that each client has heard all that the lines count when it
// hears the end: the list of players last, so that every machine's party is the server's.
void NetworkPlay::EndOnServer()
{
    KeepParty();
    const uint32_t digest = PrintEnd();
    ended = true;
    endedAtMs = runningMs;
    if (PlayerManagerServer* players = GameEngine::Get().GetPlayerManagerServer())
        players->HandlePlayerUpdateOutbound();
    GetSession().TellEnd(EndOutcome(), digest);
}

// An end before this machine has the world is no end of a session it played: anyone can take
// the digest of an empty world.
void NetworkPlay::EndAsTheServerSaid()
{
    if (!GetSession().IsSpawnComplete())
        watch.EndedEarly();
    if (ended || !GetSession().IsSpawnComplete())
        return;
    Observe();
    KeepParty();
    const uint32_t digest = PrintEnd();
    ended = true;
    const uint32_t served = GetSession().GetEndDigest();
    split = digest != served;
    if (split)
        err << Differs("end", digest, served);
}

void NetworkPlay::DropClient(int host, const std::string& reason)
{
    connection.DropHost(host, reason);
}

void NetworkPlay::ForgetHost(int host)
{
    seen->Forget(host);
}

uint32_t NetworkPlay::PrintEnd()
{
    std::ostringstream lines;
    // The party's outcome, which every machine agrees on, not who is connected at the moment.
    lines << "end: players " << (lastFullParty.empty() ? 0 : lastFullParty.size() - 1) << '\n';
    // A level's end may leave monsters off the heroes' way alive.
    for (const auto& [id, monster] : seen->GetMonsters())
        if (monster.dead)
            lines << "end: monster " << id << " dead\n";
    for (const auto& [id, item] : seen->GetItems())
        lines << "end: " << item.itemLine << '\n';
    lines << "end: party";
    for (uint32_t member : lastFullParty)
        lines << ' ' << member;
    lines << '\n';
    AddEndLines(lines);
    const std::string text = lines.str();
    const uint32_t digest = Crc32(text.data(), text.size());
    out << text << "end: digest " << Hex(digest) << std::endl;
    return digest;
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
