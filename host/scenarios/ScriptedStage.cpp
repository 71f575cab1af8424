#include "host/scenarios/ScriptedStage.h"

#include "ai/ControllerMonster.h"
#include "ai/ControllerPlayer.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/ABBox.h"
#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "game/GameEngine.h"
#include "host/HeroMouse.h"
#include "host/HostInterrupt.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/QuestOrders.h"
#include "host/ScriptCast.h"
#include "host/ShownName.h"
#include "host/scenarios/ArenaReport.h"

#include <algorithm>
#include <ostream>

namespace GAME {

int ScriptedStage::Run(const HostOptions& options, const std::vector<std::string>& names,
                       const char* builtInOrders, std::ostream& err,
                       const std::function<bool(const std::vector<ScriptOrder>&)>& play)
{
    OrderScript script(names);
    std::string error;
    const bool read = options.inputFile.empty() ? script.Parse(builtInOrders, error)
                                                : script.Load(options.inputFile, error);
    if (!read) {
        err << "gamehost: script '" << ShownName(options.inputFile) << "' " << error << '\n';
        return 2;
    }
    const std::vector<ScriptOrder>& orders = script.GetOrders();
    return HostSamples::AsSinglePlayer(err, [&play, &orders] { return play(orders); }) ? 0 : 2;
}

ScriptedStage::ScriptedStage(const HostOptions& options, std::ostream& out,
                             const std::string& scenario)
    : options(options), out(out), catcher(drops)
{
    // One seed for both generators: the C-library draws of the states and the game's own rolls.
    Platform::SRand(options.seed);
    GameEngine& game = GameEngine::Get();
    game.GetRandomGen().Seed(options.seed);
    game.SetGameLoading(false);
    previousWorld = gEngine->SetWorld(std::make_unique<World>());
    gEngine->GetWorld()->CreateRegion(kRegion, {0, 0, 0}, ABBox({-30, -10, -30}, {30, 10, 30}));
    out << "scenario " << scenario << ", seed " << options.seed << ", "
        << (options.inputFile.empty() ? std::string("built-in orders")
                                      : "orders '" + ShownName(options.inputFile) + "'")
        << ", " << options.frameMilliseconds << " ms frames:\n";
    // The sample animations carry no events: the hero's punch and the jackals' claw get their
    // blow where the swing lands.
    punch = HostSamples::MarkHitEvent(ArenaReport::kPunchAnimation, ArenaReport::kHitEvent,
                                      ArenaReport::kHitMs);
    claw = HostSamples::MarkHitEvent(ArenaReport::kClawAnimation, ArenaReport::kHitEvent,
                                     ArenaReport::kHitMs);
    previousNetwork = game.GetNetworkInterface();
    game.SetNetworkInterface(&catcher);
}

ScriptedStage::~ScriptedStage()
{
    HostSamples::ClearWorld(*gEngine->GetWorld());
    GameEngine::Get().SetNetworkInterface(previousNetwork);
    gEngine->SetWorld(std::move(previousWorld));
    GraphicsEngine::Instance().UnloadAnimation(claw);
    GraphicsEngine::Instance().UnloadAnimation(punch);
}

void ScriptedStage::Play(const std::vector<ScriptOrder>& orders,
                         const std::function<void(const ScriptOrder&)>& give,
                         const std::function<void()>& beforeFrame, std::vector<Member>& cast,
                         const LineOf& lineOf)
{
    const int32_t last = orders.empty() ? 0 : orders.back().frame;
    const int32_t frames = std::max<int32_t>(last + kTrailingFrames, options.frames);
    size_t next = 0;
    for (int32_t frame = 0; frame <= frames && HostInterrupt::Caught() == 0; ++frame) {
        for (; next < orders.size() && orders[next].frame == frame; ++next)
            give(orders[next]);
        beforeFrame();
        gEngine->RunFrame(options.frameMilliseconds);
        GameEngine::Get().Update(options.frameMilliseconds);
        PrintFrame(frame, cast, lineOf);
    }
}

void ScriptedStage::Give(std::ostream& out, const ScriptOrder& order, HeroMouse& mouse,
                         const ScriptCast& roster)
{
    if (order.kind == ScriptOrder::Kind::Quest)
        return QuestOrders::Report(out, order, roster, kRegion);
    Player* hero = roster.Hero();
    ControllerPlayer* controller = roster.HeroController();
    out << "  frame " << order.frame << ": order " << OrderScript::KindName(order.kind);
    if (!order.name.empty())
        out << " @" << order.name;
    if (order.kind == ScriptOrder::Kind::Click)
        out << ' ' << HostSamples::TwoDecimals(order.x) << ',' << HostSamples::TwoDecimals(order.z);
    if (hero == nullptr || controller == nullptr || !hero->IsAlive()) {
        out << " - the hero is down\n";
        return;
    }
    uint32_t target = 0;
    const WorldVec3 point = roster.Aim(order, *hero, kRegion, target);
    const bool answer = mouse.Give(order, *hero, *controller, target, point);
    out << " -> " << (answer ? "true" : "false") << '\n';
}

// A held button repeats the last click each frame, as a mouse held down on the same thing would;
// a dead target is no longer clicked on.
void ScriptedStage::RepeatHeld(HeroMouse& mouse, const ScriptCast& roster)
{
    Player* hero = roster.Hero();
    ControllerPlayer* controller = roster.HeroController();
    if (!mouse.IsRepeating() || hero == nullptr || controller == nullptr || !hero->IsAlive())
        return;
    const uint32_t target = mouse.GetLastTarget();
    const auto* victim = ObjectManager::Instance().GetObject<Character>(target);
    if (target != 0 && (victim == nullptr || !victim->IsAlive()))
        return;
    mouse.Repeat(*controller, victim != nullptr ? victim->GetCoords().GetPosition()
                                                : WorldVec3(kRegion, Vec3(mouse.GetLastX(), 0.0f,
                                                                          mouse.GetLastZ())));
}

Monster* ScriptedStage::EnterMonster(const char* record, const WorldCoords& place,
                                     const UniqueId& uniqueId, std::ostream& err)
{
    Monster* monster = HostSamples::Make<Monster>(record, err);
    if (monster == nullptr)
        return nullptr;
    monster->SetUniqueID(uniqueId);
    HostSamples::EnterWorld(*monster, place);
    if (ObjectManager::Instance().GetObject<ControllerMonster>(monster->GetControllerId()) ==
        nullptr) {
        err << "gamehost: " << record << " does not think with a monster controller\n";
        return nullptr;
    }
    return monster;
}

void ScriptedStage::PrintFrame(int32_t frame, std::vector<Member>& cast, const LineOf& lineOf)
{
    std::vector<std::string> deaths;
    for (Member& member : cast) {
        const auto* character = ObjectManager::Instance().GetObject<Character>(member.id);
        const std::string line = character != nullptr ? lineOf(*character, member) : "gone";
        if (character != nullptr && !member.dead && !character->IsAlive()) {
            member.dead = true;
            deaths.push_back(member.name);
        }
        if (line == member.printed)
            continue;
        member.printed = line;
        out << "  frame " << frame << ": " << member.name << ' ' << line << '\n';
    }
    for (const std::string& name : deaths)
        out << "  frame " << frame << ": " << name << " dies\n";
    for (const std::string& drop : drops)
        out << "    drops " << drop << '\n';
    drops.clear();
}

} // namespace GAME
