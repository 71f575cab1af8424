#include "host/LevelNetworkPlay.h"

#include "characters/Character.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/FilterFunction.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "host/HostInterrupt.h"
#include "host/HostOptions.h"
#include "host/LevelPlay.h"
#include "host/ShownName.h"
#include "items/PlayerHotSlotCtrl.h"
#include "multiplayer/NetworkSession.h"
#include "quests/Quest.h"
#include "quests/QuestConditions.h"
#include "quests/QuestRepository.h"
#include "quests/QuestStep.h"
#include "skills/SkillManager.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace GAME {

namespace {
class IsCharacter final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override
    {
        return DynamicCast<const Character>(candidate) != nullptr;
    }
};
class ServerSpawned final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override
    {
        return candidate->ShouldServerSpawn();
    }
};
} // namespace

LevelNetworkPlay::LevelNetworkPlay(const HostOptions& options, std::ostream& out, std::ostream& err)
    : NetworkPlay(options, out, err), levelPath(LevelPlay::LevelPathOf(options))
{}

std::string LevelNetworkPlay::ClientRouteOf(const std::string& level, int host)
{
    const std::string route = LevelPlay::RouteOf(level);
    return route.substr(0, route.size() - 6) + ".client" + std::to_string(host) + ".route";
}

bool LevelNetworkPlay::MakeRegions()
{
    // Each step heeds a signal, a level at the limit taking long to read and to load.
    const auto heard = [] { return HostInterrupt::Caught() != 0; };
    if (heard() || !LevelPlay::ReadLevel(options, level, err) || heard())
        return false;
    std::string error;
    const bool server = options.role == "server";
    if (server && !HasClientRoutes())
        return false;
    const std::string routeFile = LevelPlay::RoutePath(
        options, server ? LevelPlay::RouteOf(levelPath) : ClientRouteOf(levelPath, GetLocalHost()));
    if (!route.Load(level, routeFile, error)) {
        err << "gamehost: route '" << ShownName(routeFile) << "' " << error << '\n';
        return false;
    }
    World& world = *gEngine->GetWorld();
    if (!LevelPlay::LoadQuest(world, err) ||
        !LevelPlay::LoadLevel(world, level, levelPath, nullptr, err))
        return false;
    return server || KeepFixedParts(world);
}

// Each client follows the route numbered after its host: a server started for more clients than
// the level has routes for is refused before it listens, rather than each client past them.
bool LevelNetworkPlay::HasClientRoutes() const
{
    HostOptions own = options;
    own.routeFile.clear();
    for (int host = 1; host <= options.clients; ++host) {
        const std::string path = LevelPlay::RoutePath(own, ClientRouteOf(levelPath, host));
        if (!std::filesystem::is_regular_file(path)) {
            err << "gamehost: --clients " << options.clients << " but the level has routes for "
                << host - 1 << " clients ('" << ShownName(ClientRouteOf(levelPath, host))
                << "' does not exist)\n";
            return false;
        }
    }
    return true;
}

// A host past the level's routes is the server's fault, not this machine's database's.
bool LevelNetworkPlay::HasPlaceFor(int host) const
{
    return std::filesystem::is_regular_file(
        LevelPlay::RoutePath(options, ClientRouteOf(levelPath, host)));
}

// A client keeps what never moves nor changes hands (volumes, sounds): the server sends the rest
// under its own ids. False when a signal cut it short.
bool LevelNetworkPlay::KeepFixedParts(World& world)
{
    std::vector<Entity*> entities;
    world.GetEntities(entities, ServerSpawned());
    std::vector<uint32_t> ids;
    for (const Entity* entity : entities)
        ids.push_back(entity->GetObjectId());
    // A level at the limit takes a while to clear, its deletions most of all: they go a batch at
    // a time, its server hearing from it between. A deletion may take others with it, so each is
    // looked up again.
    ObjectManager& objects = ObjectManager::Instance();
    size_t removed = 0;
    for (uint32_t id : ids) {
        if (HostInterrupt::Caught() != 0)
            break;
        Entity* entity = objects.GetObject<Entity>(id);
        if (entity == nullptr)
            continue;
        world.RemoveEntity(entity);
        objects.DestroyObjectEx(entity, "Host/LevelNetworkPlay", __LINE__);
        if (++removed % 256 == 0) {
            objects.ProcessDestroyedObjects();
            KeepAlive();
        }
    }
    objects.ProcessDestroyedObjects();
    return HostInterrupt::Caught() == 0;
}

bool LevelNetworkPlay::StageServer()
{
    // What the level placed starts with its full life.
    std::vector<Entity*> characters;
    gEngine->GetWorld()->GetEntities(characters, IsCharacter());
    for (size_t i = 0; i < characters.size() && HostInterrupt::Caught() == 0; ++i) {
        auto* character = static_cast<Character*>(characters[i]);
        character->GetCharacterBio().Update(*character, 0);
    }
    return HostInterrupt::Caught() == 0 && MakeHero(0) != nullptr;
}

WorldVec3 LevelNetworkPlay::StartOf(int host) const
{
    if (level.entities.empty())
        return WorldVec3();
    const LevelFile::EntityLine& first = level.entities.front();
    return WorldVec3(first.regionId,
                     first.position + Vec3(0.0f, 0.0f, 2.0f * static_cast<float>(host)));
}

void LevelNetworkPlay::OnHeroMade(Player& hero)
{
    route.Cast(hero.GetObjectId());
    hero.GetPlayerHotSlotCtrl().SetToDefaults();
    StageHero(hero);
    // Every machine's copy of the quest opens once its world is in.
    EventManager::Instance().Send("GameEvent_PreRun", GameEvent_PreRun());
}

void LevelNetworkPlay::StageHero(Player& hero)
{
    hero.GetSkillManager().LoadSkills(LevelPlay::kBarSkillTree, 1);
}

int32_t LevelNetworkPlay::CurrentFrame() const
{
    if (startMs < 0)
        return -1;
    return static_cast<int32_t>((GetElapsedMs() - startMs) /
                                std::max(1, options.frameMilliseconds));
}

void LevelNetworkPlay::Act()
{
    // The server too: news of a step it takes before it hears the joins would miss the party.
    if (startMs < 0 && !FullParty().empty())
        startMs = GetElapsedMs();
    if (startMs >= 0) {
        const int32_t frame = CurrentFrame();
        if (route.IsFinished(frame) && !IsQuestComplete())
            route.FightOn(frame, WantedRecords());
        else
            route.Frame(frame);
    }
    if (!IsRouteDone())
        return;
    if (GetLocalHost() != ConnectionManager::kServerHost) {
        if (!toldDone)
            GetSession().TellDone();
        toldDone = true;
    } else {
        everyoneDone = everyoneDone || AreClientsDone();
        if (!everyoneDone)
            LetLateClientsGo();
    }
}

uint32_t LevelNetworkPlay::EndOutcome() const
{
    return IsQuestComplete() ? 1 : 0;
}

// A client that never says its route is done would hold the end for everyone: once the server's
// own is done, the clients have a while to be done too.
void LevelNetworkPlay::LetLateClientsGo()
{
    if (serverDoneMs < 0)
        serverDoneMs = GetRunningMs();
    if (GetRunningMs() - serverDoneMs < kClientDoneMs)
        return;
    std::vector<int> late;
    for (const auto& [host, hero] : GetClientHeroes())
        if (!GetSession().IsHostDone(host))
            late.push_back(host);
    for (int host : late)
        DropClient(host, "its route not done within " + std::to_string(kClientDoneMs / 1000) +
                             " s of the server's");
}

// A client lost on the way is no longer waited for.
bool LevelNetworkPlay::AreClientsDone() const
{
    const std::map<int, uint32_t>& clients = GetClientHeroes();
    return !clients.empty() &&
           std::all_of(clients.begin(), clients.end(),
                       [this](const auto& hero) { return GetSession().IsHostDone(hero.first); });
}

// A hero lost, or a fight slowed by the network, may leave the quest open when the routes end:
// the heroes fight on for a while, and then the machine is done with the quest open.
bool LevelNetworkPlay::IsRouteDone() const
{
    return startMs >= 0 && route.IsFinished(CurrentFrame()) &&
           (IsQuestComplete() || route.IsOverdue(CurrentFrame()));
}

std::vector<std::string> LevelNetworkPlay::WantedRecords()
{
    std::vector<std::string> records;
    const Quest* quest = QuestRepository::Get().GetQuestByIndex(0);
    for (int32_t s = 0; quest != nullptr && s < quest->GetStepCount(); ++s) {
        const QuestStep* step = quest->GetQuestStepAtIndx(s);
        for (int32_t t = 0; step != nullptr && t < step->GetTriggerCount(); ++t) {
            const Trigger* trigger = step->GetTriggerOfIdx(t);
            for (int32_t c = 0;
                 trigger != nullptr && !trigger->IsDone() && c < trigger->GetNumConditions(); ++c)
                if (const auto* kill =
                        dynamic_cast<const Condition_KillCreature*>(trigger->GetConditionAtIdx(c)))
                    records.emplace_back(kill->GetCreatureRecord());
        }
    }
    return records;
}

bool LevelNetworkPlay::IsQuestComplete() const
{
    const Quest* quest = QuestRepository::Get().GetQuestByIndex(0);
    return quest != nullptr && quest->IsComplete();
}

// The server's: a client ends when it hears the server's end.
bool LevelNetworkPlay::IsDone() const
{
    return everyoneDone;
}

void LevelNetworkPlay::AddEndLines(std::ostream& lines) const
{
    // The server's word: a client's copy of the quest may have missed news on a bad link.
    const bool complete = GetLocalHost() == ConnectionManager::kServerHost
                              ? IsQuestComplete()
                              : GetSession().GetEndOutcome() != 0;
    lines << "end: quest " << (complete ? "complete" : "open") << '\n';
}

void LevelNetworkPlay::PrintSummary() const
{
    const FrameCostHistogram& costs = GetFrameMicroseconds();
    char line[96];
    std::snprintf(line, sizeof line, "frame cost: mean %.1f us over %llu frames\n", costs.GetMean(),
                  static_cast<unsigned long long>(costs.GetCount()));
    out << line;
}

int LevelNetworkPlay::PaceMs() const
{
    // Until the routes start the clock runs as it does for the pack, so that the wait for the
    // clients is as long in wall time.
    return options.realtime || startMs < 0 ? options.frameMilliseconds : kPaceMs;
}

void LevelNetworkPlay::Unstage()
{
    QuestRepository::Get().WaitDone();
    QuestRepository::Destroy();
    gEngine->GetWorld()->ClearQuestFiles();
}

} // namespace GAME
