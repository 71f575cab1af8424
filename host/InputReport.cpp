#include "host/InputReport.h"

#include "ai/ControllerAI.h"
#include "ai/ControllerPlayer.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "engine/ABBox.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/GraphicsAnim.h"
#include "engine/GraphicsEngine.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostInterrupt.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/QuestOrders.h"
#include "host/ShownName.h"
#include "items/PlayerHotSlotCtrl.h"
#include "multiplayer/PlayerManagerClient.h"
#include "skills/SkillManager.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <utility>

namespace GAME {

namespace {

constexpr uint32_t kInputRegion = 1;
constexpr uint32_t kBarSlot = 0;

WorldVec3 At(float x, float z)
{
    return WorldVec3(kInputRegion, Vec3(x, 0.0f, z));
}

} // namespace

InputReport::InputReport(const HostOptions& options, std::ostream& out, std::ostream& err,
                         Observer* observer, std::string scriptFile)
    : options(options), out(out), err(err), observer(observer),
      scriptFile(scriptFile.empty() ? options.inputFile : std::move(scriptFile))
{}

std::vector<std::string> InputReport::Names()
{
    return {"Hero", "Elder", "Raider"};
}

int InputReport::Run()
{
    // The script is read whole before anything runs: a bad line leaves the game untouched.
    OrderScript script(Names());
    std::string error;
    if (!script.Load(scriptFile, error)) {
        err << "gamehost: script '" << ShownName(scriptFile) << "' " << error << '\n';
        return 2;
    }
    const std::vector<ScriptOrder>& orders = script.GetOrders();
    return HostSamples::AsSinglePlayer(err, [this, &orders] { return Play(orders); }) ? 0 : 2;
}

bool InputReport::Play(const std::vector<ScriptOrder>& orders)
{
    GameEngine& game = GameEngine::Get();
    // Both generators from the run's seed: the raider thinks for itself, and one seed is one run.
    Platform::SRand(options.seed);
    game.GetRandomGen().Seed(options.seed);
    game.SetGameLoading(false);
    std::unique_ptr<World> previousWorld = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(kInputRegion, {0, 0, 0}, ABBox({-20, -10, -20}, {20, 10, 20}));
    out << "input '" << ShownName(scriptFile) << "', " << orders.size() << " orders, "
        << options.frameMilliseconds << " ms frames:\n";
    GraphicsAnim* punch = HostSamples::MarkHitEvent(kPunchAnimation, kPunchHitEvent, kPunchHitMs);
    if (observer != nullptr)
        observer->BeforeStage();
    const bool staged = Stage() && (observer == nullptr || observer->AfterStage(roster));
    if (staged) {
        const int32_t last = orders.empty() ? 0 : orders.back().frame;
        const int32_t frames = std::max<int32_t>(last + kTrailingFrames, options.frames);
        size_t next = 0;
        for (int32_t frame = 0; frame <= frames && HostInterrupt::Caught() == 0; ++frame) {
            for (; next < orders.size() && orders[next].frame == frame; ++next)
                Give(orders[next]);
            // A held button repeats the last click each frame, as a mouse held down would.
            if (mouse.IsRepeating() && roster.HeroController() != nullptr &&
                roster.Hero() != nullptr)
                mouse.Repeat(*roster.HeroController(), At(mouse.GetLastX(), mouse.GetLastZ()));
            gEngine->RunFrame(options.frameMilliseconds);
            gGameEngine->Update(options.frameMilliseconds);
            Frame(frame);
            if (observer != nullptr)
                observer->AfterFrame(frame);
        }
    }
    if (observer != nullptr)
        observer->BeforeClear();
    HostSamples::ClearWorld(world);
    gEngine->SetWorld(std::move(previousWorld));
    GraphicsEngine::Instance().UnloadAnimation(punch);
    return staged;
}

bool InputReport::Stage()
{
    Player* hero = static_cast<Player*>(Enter("Hero", kPlayer, 0.0f, 0.0f));
    // This machine drives him: he takes the player controller as the game gives it.
    if (hero != nullptr)
        hero->SetIsControllingCharacter(true);
    if (hero == nullptr || roster.HeroController() == nullptr ||
        Enter("Elder", kNpc, 6.0f, 0.0f) == nullptr ||
        // Each thinks with the controller its record gives it, the raider's skills handed over.
        Enter("Raider", kRaider, 0.0f, 8.0f) == nullptr) {
        if (hero != nullptr && roster.HeroController() == nullptr)
            err << "gamehost: controller record '" << Player::kPlayerControllerRecord
                << "' does not make a player controller\n";
        return false;
    }
    GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    hero->GetPlayerHotSlotCtrl().SetToDefaults();
    hero->GetSkillManager().LoadSkills(kBarSkillTree, kBarSkillTreeSize);
    if (HostSamples::PutSkillOnBar(*hero, kBarSkill, kBarSlot)) {
        out << "  bar slot " << kBarSlot << ": " << kBarSkill << '\n';
    } else {
        out << "  bar slot " << kBarSlot << ": empty (" << kBarSkill << " not learnt)\n";
    }
    return true;
}

Character* InputReport::Enter(const std::string& name, const char* record, float x, float z)
{
    Character* character = nullptr;
    if (name == "Hero")
        character = HostSamples::Make<Player>(record, err);
    else if (name == "Elder")
        character = HostSamples::Make<Npc>(record, err);
    else
        character = HostSamples::Make<Monster>(record, err);
    if (character == nullptr)
        return nullptr;
    const WorldCoords place{kInputRegion, Coords::FromTranslation(Vec3(x, 0, z))};
    HostSamples::EnterWorld(*character, place);
    roster.Add(name, character->GetObjectId());
    out << "  " << name << " " << character->GetObjectId() << ": " << record << " at "
        << HostSamples::PointText(Vec3(x, 0, z)) << '\n';
    return character;
}

void InputReport::Give(const ScriptOrder& order)
{
    if (order.kind == ScriptOrder::Kind::Quest)
        return QuestOrders::Report(out, order, roster, kInputRegion);
    Player* hero = roster.Hero();
    ControllerPlayer* controller = roster.HeroController();
    out << "  frame " << order.frame << ": " << OrderScript::KindName(order.kind);
    if (!order.name.empty())
        out << " @" << order.name;
    if (hero == nullptr || controller == nullptr) {
        out << " - the hero is gone\n";
        return;
    }
    uint32_t target = 0;
    const WorldVec3 point = roster.Aim(order, *hero, kInputRegion, target);
    if (order.kind == ScriptOrder::Kind::Slot)
        out << ' ' << order.slot;
    const bool answer = mouse.Give(order, *hero, *controller, target, point);
    if (order.kind == ScriptOrder::Kind::Click)
        out << ' ' << HostSamples::TwoDecimals(order.x) << ',' << HostSamples::TwoDecimals(order.z);
    out << " -> " << (answer ? "true" : "false") << '\n';
}

void InputReport::Frame(int32_t frame)
{
    const Player* hero = roster.Hero();
    const ControllerPlayer* controller = roster.HeroController();
    if (hero == nullptr || controller == nullptr) {
        out << "  frame " << frame << ": the hero is gone\n";
        return;
    }
    const char* state = controller->GetExecutingStateName();
    out << "  frame " << frame << ": "
        << HostSamples::PointText(hero->GetCoords().GetRegionCoords().origin) << ' '
        << (state != nullptr ? state : "no state") << " | " << hero->GetActionStateAsText();
    const uint32_t enemy = controller->GetCombatEnemy();
    if (const auto* target = ObjectManager::Instance().GetObject<Character>(enemy))
        out << " | " << roster.Label(enemy) << " life "
            << HostSamples::OneDecimal(target->GetCurrentLife());
    else
        out << " | no target";
    const PlayerHotSlotCtrl& slots = hero->GetPlayerHotSlotCtrl();
    out << " | armed ";
    uint32_t armed = PlayerHotSlotCtrl::kNumSlots;
    for (uint32_t i = 0; i < PlayerHotSlotCtrl::kNumSlots && slots.IsAnySlotActive(); ++i) {
        if (slots.IsHotSlotActive(i)) {
            armed = i;
            break;
        }
    }
    if (armed < PlayerHotSlotCtrl::kNumSlots)
        out << "slot " << armed << '\n';
    else
        out << "none\n";
}

} // namespace GAME
