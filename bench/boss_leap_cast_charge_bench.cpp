// One 33 ms frame of a boss's controller mid-fight, against the same frame of a plain fighting
// monster's controller measured in the same program: the leaping boss between two leaps with
// its three points and squads, the caster in its first phase with a pet in sight, the cyclops
// charging the hero through two of his allies. Budget: each boss within twice the plain
// monster's cost (and within twice the per-monster cost of BM_MonsterControllersFrame).
#include "ai/ControllerAIStateData.h"
#include "ai/ControllerBandari.h"
#include "ai/ControllerCyclops.h"
#include "ai/ControllerMonster.h"
#include "ai/ControllerTelkine.h"
#include "bench/BenchWorld.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "engine/Engine.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/support/TempDatabase.h"
#include "world/BandariTeleportPoint.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace GAME {
namespace {

constexpr int32_t kFrameMs = 33;
constexpr const char* kBody = "Class = Monster\ncharacterLife = 1000000000\n"
                              "unarmedRunAnim = Run.anm\nunarmedWalkAnim = Walk.anm\n";

// One monster record per controller record, written into a scratch database.
struct BossRecords {
    BossRecords()
    {
        Monster("Plain", "ControllerMonster", "SightAngerRate = 100\n");
        Monster("Bandari", "ControllerBandari", "");
        Monster("Warrior", "ControllerTerracotta", "MarchRange = 0.0\n");
        Monster("Telkine", "ControllerTelkine", "");
        Monster("Cyclops", "ControllerCyclops", "postRoarMusic = Music.dbr\n");
        folder.WriteFile("Records/Bench/Point.dbr", "Class = BandariTeleportPoint\n");
    }
    void Monster(const std::string& kind, const char* controller, const char* lines)
    {
        const std::string record = "Records/Bench/Controllers/" + kind + ".dbr";
        folder.WriteFile(record, std::string("Class = ") + controller + "\n" + lines);
        folder.WriteFile("Records/Bench/" + kind + ".dbr", kBody + ("controller = " + record));
    }
    Test::TempDatabase folder;
};

// The library over those records, a hero on the player team at the origin, and the boss under
// test.
class BossScene : private BossRecords, public Bench::BenchWorld {
public:
    BossScene() : BenchWorld(folder.GetRoot(), 200.0f)
    {
        hero = Enter("Plain", 0.0f, 0.0f);
        hero->SetTeam(TeamManager::DefaultPlayerTeam());
        GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    }
    ~BossScene() { InstanceGroupManager::Instance().Destroy(); }
    BossScene(const BossScene&) = delete;
    BossScene& operator=(const BossScene&) = delete;

    GAME::Monster* Enter(const std::string& kind, float x, float z, const UniqueId& id = UniqueId())
    {
        auto* made = ObjectManager::Instance().CreateObjectFromFile<GAME::Monster>(
            "Records/Bench/" + kind + ".dbr");
        made->SetUniqueID(id);
        gEngine->GetWorld()->AddEntity(made, At(x, z), false);
        made->InitialUpdate();
        made->GetCharacterBio().Update(*made, 0);
        return made;
    }
    template <typename T = ControllerMonster> T& BrainOf(const Character& character)
    {
        return *ObjectManager::Instance().GetObject<T>(character.GetControllerId());
    }
    // The boss's first frame sets it up; then it hates the hero.
    template <typename T> T& Engage(GAME::Monster* boss)
    {
        T& brain = BrainOf<T>(*boss);
        brain.Update(kFrameMs);
        brain.SetMostHatedEnemy(hero->GetObjectId());
        return brain;
    }

    GAME::Monster* hero = nullptr;
};

template <typename T> void Frames(benchmark::State& state, T& brain)
{
    for (auto _ : state)
        brain.Update(kFrameMs);
}

void BM_BossControllersFrame_PlainMonster(benchmark::State& state)
{
    BossScene scene;
    auto& brain = scene.Engage<ControllerMonster>(scene.Enter("Plain", 0.0f, 3.0f));
    Frames(state, brain);
}
BENCHMARK(BM_BossControllersFrame_PlainMonster);

void BM_BossControllersFrame_Bandari(benchmark::State& state)
{
    BossScene scene;
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    std::vector<UniqueId> points;
    for (uint32_t i = 0; i < 3; ++i) {
        auto* point = ObjectManager::Instance().CreateObjectFromFile<BandariTeleportPoint>(
            "Records/Bench/Point.dbr");
        point->SetUniqueID(UniqueId(9, 0, 0, 10 + i));
        gEngine->GetWorld()->AddEntity(
            point, Bench::BenchWorld::At(30.0f * static_cast<float>(i), 40.0f), false);
        points.push_back(UniqueId(9, 0, 0, 10 + i));
        const UniqueId squad(9, 0, 0, 20 + i);
        scene.Enter("Warrior", 30.0f * static_cast<float>(i), 44.0f, squad);
        const int32_t warriors = groups.GetNumGroups();
        groups.AddGroup(InstanceGroup("Terracotta Warriors", "Squad", {squad}));
        InstanceGroup at("Bandari Teleport Points", "Point", {points.back()});
        at.AddChild(warriors);
        groups.AddGroup(at);
    }
    const int32_t all = groups.GetNumGroups();
    groups.AddGroup(InstanceGroup("Bandari Teleport Points", "Points", points));
    InstanceGroup boss("Bandari", "Boss", {UniqueId(9, 0, 0, 1)});
    boss.AddChild(all);
    groups.AddGroup(boss);
    GAME::Monster* bandari = scene.Enter("Bandari", 8.0f, 8.0f, UniqueId(9, 0, 0, 1));
    auto& brain = scene.Engage<ControllerBandari>(bandari);
    Frames(state, brain);
    state.SetLabel(std::to_string(brain.GetNextTeleport()) + " leaps");
}
BENCHMARK(BM_BossControllersFrame_Bandari);

void BM_BossControllersFrame_Telkine(benchmark::State& state)
{
    BossScene scene;
    scene.Enter("Plain", 2.0f, 6.0f)->SetTeam(TeamManager::DefaultPlayerTeam());
    auto& brain = scene.Engage<ControllerTelkine>(scene.Enter("Telkine", 0.0f, 8.0f));
    Frames(state, brain);
}
BENCHMARK(BM_BossControllersFrame_Telkine);

void BM_BossControllersFrame_Cyclops(benchmark::State& state)
{
    BossScene scene;
    for (const float x : {-3.0f, 3.0f})
        scene.Enter("Plain", x, 10.0f)->SetTeam(TeamManager::DefaultPlayerTeam());
    auto& brain = scene.Engage<ControllerCyclops>(scene.Enter("Cyclops", 0.0f, 20.0f));
    brain.SetState("BullRun", ControllerAIStateData(scene.hero->GetObjectId(), 0, 0, {}));
    // The roar ends: the frames are the charge's, trampling round it.
    brain.HandleEvent(Name::Create("End"));
    brain.Update(kFrameMs);
    Frames(state, brain);
    state.SetLabel(brain.GetExecutingStateName() != nullptr ? brain.GetExecutingStateName() : "");
}
BENCHMARK(BM_BossControllersFrame_Cyclops);

} // namespace
} // namespace GAME
