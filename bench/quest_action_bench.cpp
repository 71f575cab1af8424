// A spawn pool announcing its 20 creatures to 50 quest commands that wait for them (17 tasks,
// 17 invincibility switches and 16 animations, all fired before the pool set itself up): the
// announcement, up to the last command applied. Budget: under 50 microseconds in single player;
// as a client, where every move and animation becomes a request packet to the server, within
// three times the single-player figure of the same run.
#include "ai/Controller.h"
#include "bench/BenchWorld.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/NetworkIndex.h"
#include "engine/ObjectManager.h"
#include "engine/TriggerFactory.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "quests/CreatureCommandActions.h"
#include "quests/QuestNetMsg.h"
#include "quests/QuestRepository.h"
#include "tests/support/TempDatabase.h"
#include "world/Proxy.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr const char* kProxy = "Records/Spawn/Camp.dbr";
constexpr int kCreatures = 20;
constexpr int kCommands = 50;

// A pool that makes 20 raiders, each under a monster controller.
struct PoolRecords {
    PoolRecords()
    {
        folder.WriteRecord("Records/Spawn/RaiderController.dbr", {"Class = ControllerMonster"});
        folder.WriteRecord("Records/Spawn/Raider.dbr",
                           {"Class = Monster", "controller = Records/Spawn/RaiderController.dbr"});
        folder.WriteRecord("Records/Spawn/Pool.dbr",
                           {"spawnMin = 20", "spawnMax = 20", "name1 = Records/Spawn/Raider.dbr",
                            "weight1 = 1", "difficulty1 = 1", "limit1 = 20"});
        folder.WriteRecord(kProxy, {"Class = Proxy", "pool1 = Records/Spawn/Pool.dbr"});
    }
    Test::TempDatabase folder;
};

// The engine with a pool that makes 20 monsters at its load and the local player.
class CommandGame : private PoolRecords, public Bench::BenchLibrary {
public:
    explicit CommandGame(bool client) : BenchLibrary(folder.GetRoot()), client(client)
    {
        auto* player = static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
        gGameEngine->GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
        gGameEngine->GetRandomGen().Seed(1);
        proxy = ObjectManager::Instance().CreateObjectFromFile<Proxy>(kProxy);
        if (proxy != nullptr)
            proxy->GetPrimaryObjects(creatures);
        // As placed creatures are: each controller knows its monster.
        for (uint32_t id : creatures) {
            const auto* monster = ObjectManager::Instance().GetObject<Character>(id);
            if (auto* controller = monster != nullptr
                                       ? ObjectManager::Instance().GetObject<Controller>(
                                             monster->GetControllerId())
                                       : nullptr)
                controller->AttachParent(id);
        }
        announcement.objectName = kProxy;
        announcement.objectId = proxy != nullptr ? proxy->GetObjectId() : 0;
        // A client hears of the pool from the server, which keeps the pool itself.
        news.nameIndex = StringToNetworkIndex(kProxy);
        news.primaryObjects = creatures;
        if (client) {
            gEngine->SetNetworkMode(true, true);
            gGameEngine->SetAsNetworkClient();
        }
    }
    ~CommandGame()
    {
        commands.clear();
        QuestRepository::Destroy();
        ObjectManager::Instance().DestroyAllObjects();
        gEngine->SetNetworkMode(false, false);
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
    }

    size_t PoolSize() const { return creatures.size(); }

    // 50 commands read from a quest file's properties, so that they wait as loaded ones do,
    // then fired.
    void Arm()
    {
        commands.clear();
        for (int i = 0; i < kCommands; ++i)
            commands.push_back(Make(i % 3));
        for (auto& command : commands)
            command->Fire(0, false);
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
    }

    void Announce()
    {
        if (client)
            QuestRepository::Get().OnGenericEntityInitialUpdate_Net(news);
        else
            EventManager::Instance().Send("GameEvent_GenericEntityInitialUpdate", announcement);
    }

    bool AllApplied() const
    {
        for (const auto& command : commands) {
            if (static_cast<const WaitingAction&>(*command).IsPendingFire())
                return false;
        }
        return true;
    }

private:
    static std::unique_ptr<TriggerAction> Make(int kind)
    {
        static const char* const names[] = {"Action_TaskCreatureToLocation",
                                            "Action_SetCharacterInvincible",
                                            "Action_NpcPlayAnimation"};
        std::unique_ptr<TriggerAction> design = TriggerActionFactory::Get().Create(names[kind], 1);
        if (auto* task = dynamic_cast<Action_TaskCreatureToLocation*>(design.get()))
            task->SetCreature(kProxy);
        else if (auto* list = dynamic_cast<CreatureListAction*>(design.get()))
            list->SetNpc(kProxy);
        IOStreamWrite out;
        design->SerializeChildProperties(&out);
        std::unique_ptr<TriggerAction> loaded = TriggerActionFactory::Get().Create(names[kind], 1);
        IOStreamRead in(out.GetBytes());
        loaded->SerializeChildProperties(&in);
        return loaded;
    }

    bool client;
    Proxy* proxy = nullptr;
    std::vector<uint32_t> creatures;
    GameEvent_GenericEntity announcement;
    QuestNetMsg_ProxySpawn news;
    std::vector<std::unique_ptr<TriggerAction>> commands;
};

void AnnounceToWaitingCommands(benchmark::State& state, bool client)
{
    CommandGame game(client);
    if (game.PoolSize() != kCreatures) {
        state.SkipWithError("the pool did not make twenty creatures");
        return;
    }
    for (auto _ : state) {
        game.Arm();
        const auto start = std::chrono::steady_clock::now();
        game.Announce();
        const auto elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count());
        if (!game.AllApplied())
            state.SkipWithError("a command was still waiting");
    }
    state.counters["packets"] =
        benchmark::Counter(double(gEngine->GetNetworkConnectionManager().TakeSentPackets().size()));
}

void BM_AnnounceToWaitingCommands_Single(benchmark::State& state)
{
    AnnounceToWaitingCommands(state, false);
}
BENCHMARK(BM_AnnounceToWaitingCommands_Single)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_AnnounceToWaitingCommands_Client(benchmark::State& state)
{
    AnnounceToWaitingCommands(state, true);
}
BENCHMARK(BM_AnnounceToWaitingCommands_Client)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace GAME
