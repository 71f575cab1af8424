// The state machine of the thinking controllers, per frame: 1,000 controllers with two states
// and one temporary; one in ten switches state and one in twenty queues its temporary, which
// reports done and hands back in the next frame. Budget: 300 us.
//
// The player's controller: a held-button order on an enemy in reach, repeated through "UseSkill"
// (budget 3 us); a ground click that starts a straight "MoveTo" (10 us); a frame of the
// controller with the hot slots' own over 14 filled slots (5 us).
#include "ai/ControllerAI.h"
#include "ai/ControllerAIStateT.h"
#include "ai/ControllerPlayer.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/ABBox.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "items/HotSlotOption.h"
#include "items/PlayerHotSlotCtrl.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

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

constexpr uint32_t kRegion = 1;
constexpr const char* kHero = "Records/Creatures/PC/AiBenchHero.dbr";
constexpr const char* kFoe = "Records/Creatures/Monster/AiBenchFoe.dbr";
constexpr int kBarSkills = 10;

std::string BarSkillRecord(int i)
{
    return "Records/Skills/Bar" + std::to_string(i) + ".dbr";
}

// The engine, a flat region, a controlled hero with ten bar skills and a foe in reach, made
// for one benchmark and removed after it.
class PlayerScene {
public:
    PlayerScene() : previous(gEngine->SetLogSink([](int, const std::string&) {}))
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
        ObjectManager::Instance().GetDatabase().SetRoot(folder.GetRoot());
        InitializeObjects();
        gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kRegion, {0, 0, 0}, ABBox({-50, -10, -50}, {50, 10, 50}));
        ObjectManager& objects = ObjectManager::Instance();
        hero = objects.CreateObjectFromFile<Player>(kHero);
        foe = objects.CreateObjectFromFile<Monster>(kFoe);
        if (hero == nullptr || foe == nullptr)
            return;
        gEngine->GetWorld()->AddEntity(hero, Place(0.0f, 0.0f), false);
        gEngine->GetWorld()->AddEntity(foe, Place(1.0f, 0.0f), false);
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
    ~PlayerScene()
    {
        ObjectManager::Instance().DestroyAllObjects();
        gEngine->SetWorld(nullptr);
        ShutdownObjects();
        ObjectManager::Instance().GetDatabase().SetRoot("");
        gEngine->SetLogSink(previous);
    }
    PlayerScene(const PlayerScene&) = delete;
    PlayerScene& operator=(const PlayerScene&) = delete;

    static WorldCoords Place(float x, float z)
    {
        return WorldCoords{kRegion, Coords::FromTranslation(Vec3(x, 0.0f, z))};
    }
    static WorldVec3 Point(float x, float z) { return WorldVec3(kRegion, Vec3(x, 0.0f, z)); }

    bool Ready(benchmark::State& state) const
    {
        if (controller != nullptr && foe != nullptr)
            return true;
        state.SkipWithError("the bench hero, his controller or the foe was not made");
        return false;
    }

    Engine::LogSink previous;
    Test::TempDatabase folder;
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

} // namespace
} // namespace GAME
