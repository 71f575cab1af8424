// The state machine of the thinking controllers, per frame: 1,000 controllers with two states
// and one temporary; one in ten switches state and one in twenty queues its temporary, which
// reports done and hands back in the next frame. Budget: 300 us.
//
// The player's controller: a held-button order on an enemy in reach, repeated through "UseSkill"
// (budget 3 us); a ground click that starts a straight "MoveTo" (10 us); a frame of the
// controller with the hot slots' own over 14 filled slots (5 us).
//
// The monsters' controllers: 1,000 monsters (600 idle or roaming, 300 fighting two players, 100
// patrolling) over 33 ms frames, the controllers and what their states hand the characters, not
// the characters' own frames. All anger and find-enemy rounds start together, so every sixth
// frame they all fall at once. Budget: 1.5 ms a frame on average, 5 ms for the worst frame. The
// first frame, which builds the 1,000 controllers' states, is a spawn and is shown apart.
//
// The town: 200 townsfolk (idling, strolling between wander points, watching jugglers, chatting
// with a player) and 20 herds of three with their herders, one 33 ms frame of their controllers
// after 30 s of town life. Budget: per character at most half the per-monster cost of the
// monsters' frame above. And 100 hidden monsters lying in wait with 20 foes about, each within
// sight but none near enough to wake them. Budget: 200 us a frame.
#include "ai/ControllerAI.h"
#include "ai/ControllerAIStateT.h"
#include "ai/ControllerMonster.h"
#include "ai/ControllerMonsterHidden.h"
#include "ai/ControllerNpc2.h"
#include "ai/ControllerPlayer.h"
#include "bench/BenchWorld.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "engine/Engine.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "items/HotSlotOption.h"
#include "items/PlayerHotSlotCtrl.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "tests/support/TempDatabase.h"
#include "world/NpcWanderPoint.h"
#include "world/PatrolPoint.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include <time.h>

namespace GAME {
namespace {

constexpr int kControllers = 1000;
constexpr int32_t kFrameMs = 33;

class BenchState : public ControllerAIStateT<ControllerAI, Character> {
public:
    explicit BenchState(ControllerAI* controller, bool temporary)
        : ControllerAIStateT(controller), temporary(temporary)
    {}
    void OnBegin() override { ++begins; }
    void OnEnd() override {}
    void OnUpdate(int32_t elapsedMs) override
    {
        elapsed += elapsedMs;
        if (temporary)
            SetDone(true);
    }

    int64_t begins = 0;
    int64_t elapsed = 0;

private:
    bool temporary;
};

class BenchController : public ControllerAI {
protected:
    void RegisterStates() override
    {
        AddState("Idle", new BenchState(this, false));
        AddState("Chase", new BenchState(this, false));
    }
    void RegisterTemporaryStates() override
    {
        ControllerAI::AddTemporaryState("Hit", new BenchState(this, true));
    }
    void InitializeStates() override { SetState("Idle", ControllerAIStateData()); }
};

void BM_StateMachineFrame(benchmark::State& state)
{
    const Engine::LogSink previous = gEngine->SetLogSink([](int, const std::string&) {});
    std::vector<std::unique_ptr<BenchController>> controllers;
    for (int i = 0; i < kControllers; ++i) {
        controllers.push_back(std::make_unique<BenchController>());
        controllers.back()->Update(0);
    }
    const ControllerAIStateData data(1, 2, 0, WorldVec3());
    const std::string names[2] = {"Idle", "Chase"};
    int64_t frame = 0;
    for (auto _ : state) {
        for (int i = 0; i < kControllers; ++i) {
            BenchController& controller = *controllers[static_cast<size_t>(i)];
            if ((i + frame) % 10 == 0)
                controller.SetState(names[(frame / 10) % 2], data);
            if ((i + frame) % 20 == 0)
                controller.AddTemporaryState("Hit", data);
            controller.Update(kFrameMs);
        }
        ++frame;
    }
    benchmark::DoNotOptimize(controllers.front()->GetExecutingState());
    controllers.clear();
    ObjectManager::Instance().DestroyAllObjects();
    gEngine->SetLogSink(previous);
}
BENCHMARK(BM_StateMachineFrame)->Unit(benchmark::kMicrosecond);

} // namespace

// The plainest skill a record can name: the hero's attacks and bar skills.
class AiBenchSkill : public Skill {
    GAME_DECLARE_CLASS(AiBenchSkill)

public:
    uint32_t GetCurrentLevel() const override { return GetSkillLevel(); }
    void CollectPassiveCharAttributes(CharAttributeAccumulator&) const override {}
};

GAME_IMPLEMENT_CLASS(AiBenchSkill, Skill);

namespace {

constexpr const char* kHero = "Records/Creatures/PC/AiBenchHero.dbr";
constexpr const char* kFoe = "Records/Creatures/Monster/AiBenchFoe.dbr";
constexpr int kBarSkills = 10;

std::string BarSkillRecord(int i)
{
    return "Records/Skills/Bar" + std::to_string(i) + ".dbr";
}

// The hero with ten bar skills on his tree, the foe and the controllers they name.
struct HeroRecords {
    HeroRecords()
    {
        std::string tree;
        for (int i = 1; i <= kBarSkills; ++i) {
            const std::string number = std::to_string(i);
            tree += "skillName" + number + " = " + BarSkillRecord(i) + "\nskillLevel" + number +
                    " = 1\n";
            folder.WriteFile(BarSkillRecord(i), "Class = AiBenchSkill\n");
        }
        folder.WriteFile("Records/Skills/BarTree.dbr", tree);
        folder.WriteFile(kHero, "Class = Player\ncharacterLife = 300\ncharacterMana = 500\n"
                                "characterRunSpeed = 3.0\npathingSize = Small\nskillTree1 = "
                                "Records/Skills/BarTree.dbr\n");
        folder.WriteFile(kFoe, "Class = Monster\ncharacterLife = 1000000000\n"
                               "defaultTeamMajor = TeamMajor_Monster\n");
        folder.WriteFile("Records/Skills/Default/DefaultWeaponAttack.dbr",
                         "Class = AiBenchSkill\n");
        folder.WriteFile(Player::kStubControllerRecord, "Class = ControllerCombat\n");
        folder.WriteFile(Player::kPlayerControllerRecord, "Class = ControllerPlayer\n");
    }
    Test::TempDatabase folder;
};

// The engine, a flat region, a controlled hero with ten bar skills and a foe in reach, made
// for one benchmark and removed after it.
class PlayerScene : private HeroRecords, public Bench::BenchWorld {
public:
    PlayerScene() : BenchWorld(folder.GetRoot(), 50.0f)
    {
        ObjectManager& objects = ObjectManager::Instance();
        hero = objects.CreateObjectFromFile<Player>(kHero);
        foe = objects.CreateObjectFromFile<Monster>(kFoe);
        if (hero == nullptr || foe == nullptr)
            return;
        gEngine->GetWorld()->AddEntity(hero, At(0.0f, 0.0f), false);
        gEngine->GetWorld()->AddEntity(foe, At(1.0f, 0.0f), false);
        for (Character* character : {static_cast<Character*>(hero), static_cast<Character*>(foe)}) {
            character->InitialUpdate();
            character->GetCharacterBio().Update(*character, 0);
        }
        hero->SetIsControllingCharacter(true);
        controller = hero->GetControllerPlayer();
        PlayerHotSlotCtrl& slots = hero->GetPlayerHotSlotCtrl();
        slots.SetToDefaults();
        for (int i = 1; i <= kBarSkills; ++i) {
            HotSlotOptionSkill option(hero->GetSkillManager().FindSkillId(BarSkillRecord(i)));
            option.SetPlayer(hero);
            // Bar slots 0-7; the last two skills go to the secondary slots 12 and 13.
            slots.SetHotSlot(i <= 8 ? static_cast<uint32_t>(i - 1) : static_cast<uint32_t>(i + 3),
                             &option);
        }
        // One frame of the world settles the characters where they stand.
        gEngine->RunFrame(kFrameMs);
    }

    static WorldVec3 Point(float x, float z) { return WorldVec3(kRegion, Vec3(x, 0.0f, z)); }

    bool Ready(benchmark::State& state) const
    {
        if (controller != nullptr && foe != nullptr)
            return true;
        state.SkipWithError("the bench hero, his controller or the foe was not made");
        return false;
    }

    Player* hero = nullptr;
    Monster* foe = nullptr;
    ControllerPlayer* controller = nullptr;
};

void BM_PlayerHeldOrderOnEnemyInReach(benchmark::State& state)
{
    PlayerScene scene;
    if (!scene.Ready(state))
        return;
    const uint32_t foeId = scene.foe->GetObjectId();
    const WorldVec3 at = scene.foe->GetCoords().GetPosition();
    uint32_t target = foeId;
    scene.controller->HandleActionFromMouse(true, false, false, false, at, target);
    scene.controller->SetMouseRepeat(foeId, at);
    for (auto _ : state) {
        target = foeId;
        benchmark::DoNotOptimize(
            scene.controller->HandleActionFromMouse(true, false, false, true, at, target));
    }
    state.SetLabel(scene.controller->GetExecutingStateName());
}
BENCHMARK(BM_PlayerHeldOrderOnEnemyInReach);

void BM_PlayerGroundClickToMoveTo(benchmark::State& state)
{
    PlayerScene scene;
    if (!scene.Ready(state))
        return;
    // Two points far apart and clear of the foe, so every click is a new walk.
    const WorldVec3 points[2] = {PlayerScene::Point(-10.0f, 5.0f),
                                 PlayerScene::Point(-10.0f, -5.0f)};
    int64_t i = 0;
    for (auto _ : state) {
        uint32_t target = 0;
        benchmark::DoNotOptimize(scene.controller->HandleActionFromMouse(true, false, false, false,
                                                                         points[i++ % 2], target));
        // The walk begins when the controller next runs its states.
        scene.controller->Update(0);
    }
    state.SetLabel(scene.controller->GetExecutingStateName());
}
BENCHMARK(BM_PlayerGroundClickToMoveTo);

void BM_PlayerControllerAndHotSlotFrame(benchmark::State& state)
{
    PlayerScene scene;
    if (!scene.Ready(state))
        return;
    PlayerHotSlotCtrl& slots = scene.hero->GetPlayerHotSlotCtrl();
    int filled = 0;
    for (uint32_t i = 0; i < PlayerHotSlotCtrl::kNumSlots; ++i)
        filled += slots.GetHotSlotOption(i) != nullptr ? 1 : 0;
    for (auto _ : state) {
        scene.controller->Update(kFrameMs);
        slots.Update(kFrameMs);
    }
    state.SetLabel(std::to_string(filled) + " slots filled");
}
BENCHMARK(BM_PlayerControllerAndHotSlotFrame);

constexpr int kIdle = 300;
constexpr int kRoaming = 300;
constexpr int kFighters = 300;
constexpr int kPatrollers = 100;
constexpr int kRoutes = 10;
constexpr int kPointsPerRoute = 3;
constexpr const char* kMonsterSkill = "Records/Skills/Default/DefaultWeaponAttack.dbr";

double ThreadMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) * 1e-3;
}

// A scratch database that the caller fills before `Start` builds the world of one wide region
// over it; everything made goes when it does.
class ThinkingWorld {
public:
    ThinkingWorld()
    {
        folder.WriteFile(kHero, "Class = Player\ncharacterLife = 1000000000\n");
        folder.WriteFile(Player::kStubControllerRecord, "Class = ControllerCombat\n");
        folder.WriteFile(Player::kPlayerControllerRecord, "Class = ControllerPlayer\n");
    }
    ~ThinkingWorld() { InstanceGroupManager::Instance().Destroy(); }

    void Start() { world.emplace(folder.GetRoot(), 500.0f); }

    template <typename T>
    T* Enter(const std::string& record, float x, float z, const UniqueId& id = UniqueId())
    {
        T* made = ObjectManager::Instance().CreateObjectFromFile<T>(record);
        if (made == nullptr)
            return nullptr;
        made->SetUniqueID(id);
        gEngine->GetWorld()->AddEntity(made, Bench::BenchWorld::At(x, z), false);
        made->InitialUpdate();
        if constexpr (std::is_base_of_v<Character, T>)
            made->GetCharacterBio().Update(*made, 0);
        return made;
    }

    // The thinking controller of the character, noted for the frames.
    void Think(const Character* character)
    {
        if (character == nullptr)
            return;
        if (auto* controller =
                ObjectManager::Instance().GetObject<ControllerAI>(character->GetControllerId()))
            controllers.push_back(controller);
    }

    double Frame() const
    {
        const double start = ThreadMicroseconds();
        for (ControllerAI* controller : controllers)
            controller->Update(kFrameMs);
        return ThreadMicroseconds() - start;
    }

    size_t CountIn(const std::string& stateName) const
    {
        return static_cast<size_t>(
            std::count_if(controllers.begin(), controllers.end(), [&](const ControllerAI* c) {
                const char* name = c->GetExecutingStateName();
                return name != nullptr && stateName == name;
            }));
    }

    Test::TempDatabase folder;
    std::optional<Bench::BenchWorld> world;
    std::vector<ControllerAI*> controllers;
};

// Two players among 300 monsters that fight them, 600 monsters far off that stand or roam and
// 100 on ten patrol routes of three points, each monster under a controller of its record.
class MonsterScene {
    // Made first and gone last: the library lives while the scene does.
    ThinkingWorld world;

public:
    MonsterScene()
    {
        const std::string body = "Class = Monster\ncharacterLife = 1000000000\n"
                                 "unarmedRunAnim = Run.anm\nunarmedWalkAnim = Walk.anm\n";
        const char* kinds[][2] = {
            {"Idle", ""},
            {"Roam", "RoamBehavior = Roam\nMinTimeBeforeRoam = 300\nMaxTimeBeforeRoam = 1500\n"},
            {"Fight", "PursuitTime = 0\n"},
            {"Patrol", "RoamBehavior = Roam\nChanceToIdleOnPatrol = 10\nMinPatrolIdleTime = 300\n"
                       "MaxPatrolIdleTime = 600\n"}};
        for (const auto& kind : kinds) {
            const std::string name = kind[0];
            // Anger that outgrows forgiveness, so that a foe in sight is fought.
            world.folder.WriteFile("Records/Bench/Controllers/" + name + ".dbr",
                                   "Class = ControllerMonster\nSightAngerRate = 100\n"
                                   "InnerSightAngerRate = 100\nForgiveRate = 10\n" +
                                       std::string(kind[1]));
            world.folder.WriteFile(MonsterRecord(name),
                                   body + "controller = Records/Bench/Controllers/" + name +
                                       ".dbr\n");
        }
        world.folder.WriteFile(kMonsterSkill, "Class = AiBenchSkill\n");
        world.Start();
        MakePatrolRoutes();

        ObjectManager& objects = ObjectManager::Instance();
        for (const float x : {0.0f, 8.0f}) {
            Player* player = objects.CreateObjectFromFile<Player>(kHero);
            if (player == nullptr)
                return;
            Enter(player, x, 0.0f);
        }
        // The fighters stand in rings of 1 to 3 around the two players.
        for (int i = 0; i < kFighters; ++i) {
            const float radius = 1.0f + static_cast<float>(i % 5) * 0.5f;
            const float angle = static_cast<float>(i) * 0.37f;
            const float centre = i % 2 == 0 ? 0.0f : 8.0f;
            Add("Fight", centre + radius * std::sin(angle), radius * std::cos(angle));
        }
        // The idle and roaming ones on a grid far from the players, within sight of each other.
        for (int i = 0; i < kIdle + kRoaming; ++i)
            Add(i < kIdle ? "Idle" : "Roam", 100.0f + static_cast<float>(i % 30) * 4.0f,
                -60.0f + static_cast<float>(i / 30) * 4.0f);
        for (int i = 0; i < kPatrollers; ++i)
            Add("Patrol", -200.0f + static_cast<float>(i % 10) * 3.0f,
                -200.0f + static_cast<float>(i / 10) * 30.0f, PatrollerId(i));
    }
    MonsterScene(const MonsterScene&) = delete;
    MonsterScene& operator=(const MonsterScene&) = delete;

    bool Ready(benchmark::State& state) const
    {
        if (controllers.size() == static_cast<size_t>(kIdle + kRoaming + kFighters + kPatrollers))
            return true;
        state.SkipWithError("a bench monster or its controller was not made");
        return false;
    }

    // One frame of every controller, in microseconds of the thread's processor time: the
    // machine's other work must not count as the controllers'.
    double Frame() const
    {
        const double start = ThreadMicroseconds();
        for (ControllerMonster* controller : controllers)
            controller->Update(kFrameMs);
        return ThreadMicroseconds() - start;
    }

    std::vector<ControllerMonster*> controllers;

private:
    static std::string MonsterRecord(const std::string& kind)
    {
        return "Records/Bench/Creatures/" + kind + ".dbr";
    }
    static UniqueId PatrollerId(int i) { return UniqueId(7, 0, 0, static_cast<uint32_t>(i + 1)); }

    static void Enter(Character* character, float x, float z)
    {
        gEngine->GetWorld()->AddEntity(character, Bench::BenchWorld::At(x, z), false);
        character->InitialUpdate();
        character->GetCharacterBio().Update(*character, 0);
    }

    void Add(const std::string& kind, float x, float z, const UniqueId& id = UniqueId())
    {
        Monster* monster =
            ObjectManager::Instance().CreateObjectFromFile<Monster>(MonsterRecord(kind));
        if (monster == nullptr)
            return;
        monster->SetUniqueID(id);
        monster->SetSpawnPoint(Bench::BenchWorld::At(x, z));
        Enter(monster, x, z);
        if (auto* controller =
                ObjectManager::Instance().GetObject<ControllerMonster>(monster->GetControllerId()))
            controllers.push_back(controller);
    }

    // Route r: three points in a triangle, walked by the monsters i with i / 10 == r.
    static void MakePatrolRoutes()
    {
        InstanceGroupManager& groups = InstanceGroupManager::Instance();
        int32_t index = 0;
        for (int route = 0; route < kRoutes; ++route) {
            std::vector<UniqueId> points;
            for (int p = 0; p < kPointsPerRoute; ++p) {
                auto* point = static_cast<PatrolPoint*>(
                    ObjectManager::Instance().CreateObject("PatrolPoint"));
                if (point == nullptr)
                    return;
                const UniqueId id(8, static_cast<uint32_t>(route), static_cast<uint32_t>(p), 1);
                point->SetUniqueID(id);
                const float z = -200.0f + static_cast<float>(route) * 30.0f;
                gEngine->GetWorld()->AddEntity(
                    point,
                    Bench::BenchWorld::At(-210.0f + static_cast<float>(p) * 20.0f,
                                          z + (p == 1 ? 10.0f : 0.0f)),
                    false);
                points.push_back(id);
            }
            groups.AddGroup(
                InstanceGroup("Patrol Points", "Route" + std::to_string(route), points));
            std::vector<UniqueId> walkers;
            for (int i = route * 10; i < route * 10 + 10; ++i)
                walkers.push_back(PatrollerId(i));
            InstanceGroup patrollers("Patrollers", "Walkers" + std::to_string(route), walkers);
            patrollers.AddChild(index);
            groups.AddGroup(patrollers);
            index += 2;
        }
    }
};

// Each iteration is one frame; the average and the worst frame are the counters.
template <typename Frame> void MeasureFrames(benchmark::State& state, const Frame& frame)
{
    double total = 0.0;
    double worst = 0.0;
    int64_t frames = 0;
    for (auto _ : state) {
        const double us = frame();
        total += us;
        worst = std::max(worst, us);
        ++frames;
    }
    state.counters["avg_us"] = frames > 0 ? total / static_cast<double>(frames) : 0.0;
    state.counters["worst_us"] = worst;
}

void BM_MonsterControllersFrame(benchmark::State& state)
{
    MonsterScene scene;
    if (!scene.Ready(state))
        return;
    // The first frame builds every controller's states: the cost of a spawn, shown apart.
    state.counters["spawn_frame_us"] = scene.Frame();
    MeasureFrames(state, [&scene] { return scene.Frame(); });
    size_t engaged = 0;
    for (ControllerMonster* controller : scene.controllers)
        engaged += controller->GetMostHatedEnemy() != 0 ? 1 : 0;
    state.SetLabel(std::to_string(engaged) + " monsters with an enemy");
}
BENCHMARK(BM_MonsterControllersFrame)->Unit(benchmark::kMicrosecond)->Iterations(600);

constexpr int kTownsfolk = 200;
constexpr int kHerds = 20;
constexpr int kTownWarmUpFrames = 900;

// Ten squares 30 apart, each with three wander points, a juggler and 20 townsfolk: 5 who
// cannot walk, 13 strollers who stop to watch the juggler for 20 to 40 s, and 2 chatting with a
// player.
void MakeTown(ThinkingWorld& town)
{
    const std::string walker =
        "Class = Npc\nunarmedWalkAnim = Walk.anm\nunarmedRunAnim = Run.anm\n";
    town.folder.WriteFile("Records/Controllers/Npc/Npc2Controller.dbr",
                          "Class = ControllerNpc2\nnpcSocialRadius = 3\nnpcAlertRadius = 6\n"
                          "npcIdleTimeMin = 1\nnpcIdleTimeMax = 3\n");
    town.folder.WriteFile("Records/Controllers/Npc/NpcHerdAnimalController.dbr",
                          "Class = ControllerNpcHerdAnimal\n");
    town.folder.WriteFile("Records/Controllers/Npc/NpcHerderController.dbr",
                          "Class = ControllerNpcHerder\n");
    town.folder.WriteFile("Records/Bench/Town/Point.dbr", "Class = NpcWanderPoint\nradius = 2\n");
    town.folder.WriteFile("Records/Bench/Town/Walker.dbr", walker);
    town.folder.WriteFile("Records/Bench/Town/Stander.dbr", "Class = Npc\n");
    town.folder.WriteFile("Records/Bench/Town/Juggler.dbr",
                          walker + "isNpcAttractor = 1\ncanBeAttracted = 0\n"
                                   "attractionTimeMin = 20\nattractionTimeMax = 40\n");
    for (int herd = 0; herd < kHerds; ++herd) {
        const std::string deer = "Records/Bench/Town/Deer" + std::to_string(herd) + ".dbr";
        town.folder.WriteFile(deer, walker + "isInHerd = 1\n");
        town.folder.WriteFile("Records/Bench/Town/Herder" + std::to_string(herd) + ".dbr",
                              walker + "isHerderFor = " + deer + "\n");
    }
    town.Start();
    const Player* player = town.Enter<Player>(kHero, -400.0f, -400.0f);
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    constexpr int kSquares = kTownsfolk / 20;
    for (int square = 0; square < kSquares; ++square) {
        const float cx = static_cast<float>(square) * 30.0f;
        std::vector<UniqueId> points;
        for (int p = 0; p < 3; ++p) {
            const UniqueId id(9, static_cast<uint32_t>(square), static_cast<uint32_t>(p), 1);
            town.Enter<NpcWanderPoint>("Records/Bench/Town/Point.dbr",
                                       cx + static_cast<float>(p) * 6.0f, 8.0f, id);
            points.push_back(id);
        }
        std::vector<UniqueId> folk;
        for (int i = 0; i < 13; ++i)
            folk.emplace_back(10, static_cast<uint32_t>(square), static_cast<uint32_t>(i), 1);
        const int32_t pointGroup = groups.GetNumGroups();
        groups.AddGroup(InstanceGroup("Wander Points", "Square", points));
        InstanceGroup wanderers("Npc Wanderers", "Folk", folk);
        wanderers.AddChild(pointGroup);
        groups.AddGroup(wanderers);
        town.Think(town.Enter<Npc>("Records/Bench/Town/Juggler.dbr", cx + 4.0f, 0.0f));
        for (int i = 0; i < 20; ++i) {
            const bool walks = i >= 5;
            Npc* npc = town.Enter<Npc>(
                walks ? "Records/Bench/Town/Walker.dbr" : "Records/Bench/Town/Stander.dbr",
                cx + static_cast<float>(i % 5), static_cast<float>(i / 5),
                i >= 5 && i < 18 ? folk[static_cast<size_t>(i - 5)] : UniqueId());
            if (npc != nullptr && i >= 18 && player != nullptr)
                npc->AddSocialTarget(player->GetObjectId());
            town.Think(npc);
        }
    }
    for (int herd = 0; herd < kHerds; ++herd) {
        const float z = -100.0f - static_cast<float>(herd) * 10.0f;
        const std::string suffix = std::to_string(herd) + ".dbr";
        for (int animal = 0; animal < 3; ++animal)
            town.Think(town.Enter<Npc>("Records/Bench/Town/Deer" + suffix,
                                       static_cast<float>(animal) * 3.0f, z));
        town.Think(town.Enter<Npc>("Records/Bench/Town/Herder" + suffix, 15.0f, z));
    }
}

void BM_TownFrame(benchmark::State& state)
{
    ThinkingWorld town;
    MakeTown(town);
    const size_t expected = static_cast<size_t>(kTownsfolk + kTownsfolk / 20 + kHerds * 4);
    if (town.controllers.size() != expected) {
        state.SkipWithError("a townsperson or its controller was not made");
        return;
    }
    // The town lives for a while, walking included, so that strollers arrive and watchers stand.
    for (int frame = 0; frame < kTownWarmUpFrames; ++frame)
        gEngine->RunFrame(kFrameMs);
    MeasureFrames(state, [&town] { return town.Frame(); });
    state.counters["per_character_us"] = state.counters["avg_us"] / static_cast<double>(expected);
    state.SetLabel(std::to_string(town.CountIn("Wander")) + " wandering, " +
                   std::to_string(town.CountIn("WatchAttraction")) + " watching, " +
                   std::to_string(town.CountIn("Chat")) + " chatting");
}
BENCHMARK(BM_TownFrame)->Unit(benchmark::kMicrosecond)->Iterations(300);

constexpr int kHidden = 100;
constexpr int kFoes = 20;

// A 10 by 10 grid of hidden monsters 8 apart, the foes scattered between them: every monster
// has foes within its view but none within its appear distance.
void BM_HiddenAmbushWait(benchmark::State& state)
{
    ThinkingWorld town;
    town.folder.WriteFile("Records/Bench/Controllers/Hidden.dbr",
                          "Class = ControllerMonsterHidden\nappearDistance = 1.5\n");
    town.folder.WriteFile("Records/Bench/Creatures/Hidden.dbr",
                          "Class = Monster\ncharacterLife = 1000\nunarmedRunAnim = Run.anm\n"
                          "controller = Records/Bench/Controllers/Hidden.dbr\n");
    town.Start();
    for (int i = 0; i < kHidden; ++i)
        town.Think(town.Enter<Monster>("Records/Bench/Creatures/Hidden.dbr",
                                       static_cast<float>(i % 10) * 8.0f,
                                       static_cast<float>(i / 10) * 8.0f));
    for (int i = 0; i < kFoes; ++i)
        town.Enter<Player>(kHero, 4.0f + static_cast<float>(i % 5) * 16.0f,
                           4.0f + static_cast<float>(i / 5) * 16.0f);
    if (town.controllers.size() != static_cast<size_t>(kHidden)) {
        state.SkipWithError("a hidden monster or its controller was not made");
        return;
    }
    town.Frame();
    MeasureFrames(state, [&town] { return town.Frame(); });
    state.SetLabel(std::to_string(town.CountIn("Startup")) + " still waiting");
}
BENCHMARK(BM_HiddenAmbushWait)->Unit(benchmark::kMicrosecond)->Iterations(600);

} // namespace
} // namespace GAME
