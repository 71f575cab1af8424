#include "host/TownReport.h"

#include "ai/ControllerAI.h"
#include "ai/ControllerPlayer.h"
#include "ai/NpcHerdManager.h"
#include "characters/AmbientCharacter.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "engine/ABBox.h"
#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/ArenaReport.h"
#include "host/DropCatcher.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/QuestOrders.h"
#include "multiplayer/PlayerManagerClient.h"
#include "world/NpcWanderPoint.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <ostream>

namespace GAME {

const char* const TownReport::kDefaultOrders = "1 click @Elder\n"
                                               "90 quest @Elder walk -6,6\n"
                                               "150 quest @Elder anim Chat\n"
                                               "200 click @Crab\n"
                                               "201 hold\n"
                                               "400 release\n";

namespace {

constexpr uint32_t kRegion = 1;
// The first word of the unique ids of the town's wanderers and their points.
constexpr uint32_t kTownIdWord = 0x7011;
constexpr float kWanderPoints[][2] = {{6.0f, 6.0f}, {10.0f, 6.0f}, {8.0f, 10.0f}};

WorldCoords At(float x, float z)
{
    return WorldCoords(WorldVec3(kRegion, Vec3(x, 0.0f, z)));
}

} // namespace

TownReport::TownReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

std::vector<std::string> TownReport::Names()
{
    return {"Hero",  "Baker",  "Weaver", "Juggler", "Elder",  "Deer1",   "Deer2",
            "Deer3", "Herder", "Crab",   "Militia", "Turret", "Ambusher"};
}

int TownReport::Run()
{
    OrderScript script(Names());
    std::string error;
    const bool read = options.inputFile.empty() ? script.Parse(kDefaultOrders, error)
                                                : script.Load(options.inputFile, error);
    if (!read) {
        err << "gamehost: script '" << options.inputFile << "' " << error << '\n';
        return 2;
    }
    gEngine->SetNetworkMode(false, false);
    const std::vector<ScriptOrder>& orders = script.GetOrders();
    return HostSamples::WithLibrary(err, [this, &orders] { return Play(orders); }) ? 0 : 2;
}

bool TownReport::Play(const std::vector<ScriptOrder>& orders)
{
    // One seed for the townsfolk's C-library draws and the game's own rolls.
    Platform::SRand(options.seed);
    GameEngine& game = GameEngine::Get();
    game.GetRandomGen().Seed(options.seed);
    game.SetGameLoading(false);
    NpcHerdManager::Get().Clear();
    std::unique_ptr<World> previousWorld = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(kRegion, {0, 0, 0}, ABBox({-30, -10, -30}, {30, 10, 30}));
    out << "scenario town, seed " << options.seed << ", "
        << (options.inputFile.empty() ? std::string("built-in orders")
                                      : "orders '" + options.inputFile + "'")
        << ", " << options.frameMilliseconds << " ms frames:\n";
    // The sample animations carry no events: the blows land where the arena lands them.
    GraphicsAnim* punch = HostSamples::MarkHitEvent(ArenaReport::kPunchAnimation,
                                                    ArenaReport::kHitEvent, ArenaReport::kHitMs);
    GraphicsAnim* claw = HostSamples::MarkHitEvent(ArenaReport::kClawAnimation,
                                                   ArenaReport::kHitEvent, ArenaReport::kHitMs);
    DropCatcher catcher(drops);
    GameEngineNetworkInterface* previousNetwork = game.GetNetworkInterface();
    game.SetNetworkInterface(&catcher);
    const bool staged = Stage();
    if (staged) {
        const int32_t last = orders.empty() ? 0 : orders.back().frame;
        const int32_t frames = std::max<int32_t>(last + kTrailingFrames, options.frames);
        size_t next = 0;
        for (int32_t frame = 0; frame <= frames; ++frame) {
            for (; next < orders.size() && orders[next].frame == frame; ++next)
                Give(orders[next]);
            Player* hero = roster.Hero();
            if (mouse.IsRepeating() && hero != nullptr && hero->IsAlive()) {
                const auto* victim =
                    ObjectManager::Instance().GetObject<Character>(mouse.GetLastTarget());
                if (victim != nullptr && victim->IsAlive())
                    mouse.Repeat(*roster.HeroController(), victim->GetCoords().GetPosition());
            }
            gEngine->RunFrame(options.frameMilliseconds);
            game.Update(options.frameMilliseconds);
            Frame(frame);
        }
    }
    HostSamples::ClearWorld(world);
    InstanceGroupManager::Instance().Destroy();
    NpcHerdManager::Get().Clear();
    game.SetNetworkInterface(previousNetwork);
    gEngine->SetWorld(std::move(previousWorld));
    GraphicsEngine::Instance().UnloadAnimation(claw);
    GraphicsEngine::Instance().UnloadAnimation(punch);
    return staged;
}

template <typename Kind>
Kind* TownReport::Enter(const std::string& name, const char* record, float x, float z,
                        uint32_t uniqueWord)
{
    Kind* character = HostSamples::Make<Kind>(record, err);
    if (character == nullptr)
        return nullptr;
    if (uniqueWord != 0)
        character->SetUniqueID(UniqueId(kTownIdWord, 0, 0, uniqueWord));
    gEngine->GetWorld()->AddEntity(character, At(x, z), false);
    character->InitialUpdate();
    character->GetCharacterBio().Update(*character, 0);
    cast.push_back({name, character->GetObjectId(), {}, false});
    roster.Add(name, character->GetObjectId());
    out << "  " << name << ": " << record << " at " << HostSamples::PointText(Vec3(x, 0, z))
        << '\n';
    return character;
}

bool TownReport::Stage()
{
    Player* hero = Enter<Player>("Hero", kPlayer, 0.0f, 0.0f);
    if (hero == nullptr)
        return false;
    hero->SetIsControllingCharacter(true);
    if (roster.HeroController() == nullptr) {
        err << "gamehost: controller record '" << Player::kPlayerControllerRecord
            << "' does not make a player controller\n";
        return false;
    }
    GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    if (!StageTownsfolk())
        return false;
    // The herd forms as its members start: three deer, then the herder that trails them.
    for (int i = 0; i < 3; ++i) {
        const std::string name = "Deer" + std::to_string(i + 1);
        if (Enter<Npc>(name, kDeer, -10.0f - 2.0f * static_cast<float>(i), -6.0f) == nullptr)
            return false;
    }
    return Enter<Npc>("Herder", kHerder, -18.0f, -6.0f) != nullptr &&
           Enter<AmbientCharacter>("Crab", kCrab, 6.0f, -6.0f) != nullptr &&
           Enter<Monster>("Militia", kMilitiaman, 3.0f, -4.0f) != nullptr &&
           Enter<Monster>("Turret", kTurret, 7.0f, -8.0f) != nullptr &&
           Enter<Monster>("Ambusher", kAmbusher, 4.0f, -8.0f) != nullptr;
}

// The points and the wanderers' group exist before the townsfolk take their own controller,
// which gathers its points then.
bool TownReport::StageTownsfolk()
{
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    std::vector<UniqueId> points;
    out << "  wander points:";
    for (const auto& point : kWanderPoints) {
        auto* made = HostSamples::Make<NpcWanderPoint>(kWanderPoint, err);
        if (made == nullptr)
            return false;
        const UniqueId id(kTownIdWord, 1, 0, static_cast<uint32_t>(points.size()));
        made->SetUniqueID(id);
        gEngine->GetWorld()->AddEntity(made, At(point[0], point[1]), false);
        points.push_back(id);
        out << ' ' << HostSamples::PointText(Vec3(point[0], 0.0f, point[1]));
    }
    out << '\n';
    const int32_t pointsGroup = groups.GetNumGroups();
    groups.AddGroup(InstanceGroup("Wander Points", "Town Square", points));
    InstanceGroup wanderers("Npc Wanderers", "Town Folk",
                            {UniqueId(kTownIdWord, 0, 0, 1), UniqueId(kTownIdWord, 0, 0, 2)});
    wanderers.AddChild(pointsGroup);
    groups.AddGroup(wanderers);
    Npc* baker = Enter<Npc>("Baker", kTownsman, 6.0f, 4.0f, 1);
    Npc* weaver = Enter<Npc>("Weaver", kTownsman, 10.0f, 9.0f, 2);
    if (baker == nullptr || weaver == nullptr ||
        Enter<Npc>("Juggler", kJuggler, 12.0f, 11.0f) == nullptr ||
        Enter<Npc>("Elder", kElder, -4.0f, 4.0f) == nullptr)
        return false;
    baker->SetController(kTownsfolkController);
    weaver->SetController(kTownsfolkController);
    return true;
}

void TownReport::Give(const ScriptOrder& order)
{
    if (order.kind == ScriptOrder::Kind::Quest)
        return QuestOrders::Report(out, order, roster, kRegion);
    Player* hero = roster.Hero();
    out << "  frame " << order.frame << ": order " << OrderScript::KindName(order.kind);
    if (!order.name.empty())
        out << " @" << order.name;
    if (hero == nullptr || roster.HeroController() == nullptr || !hero->IsAlive()) {
        out << " - the hero is down\n";
        return;
    }
    const uint32_t target = order.name.empty() ? 0 : roster.IdOf(order.name);
    WorldVec3 point(kRegion, Vec3(order.x, 0.0f, order.z));
    if (const auto* thing = ObjectManager::Instance().GetObject<Entity>(target))
        point = thing->GetCoords().GetPosition();
    const bool answer = mouse.Give(order, *hero, *roster.HeroController(), target, point);
    out << " -> " << (answer ? "true" : "false") << '\n';
}

void TownReport::Frame(int32_t frame)
{
    std::vector<std::string> deaths;
    for (Cast& member : cast) {
        const auto* character = ObjectManager::Instance().GetObject<Character>(member.id);
        const std::string line = character != nullptr ? Line(*character) : "gone";
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

// "STATE | at (x, z) | life L": the thinking state (the action for a creature that does not
// think), where it stands to the unit, and its life.
std::string TownReport::Line(const Character& character) const
{
    const auto* thinking =
        ObjectManager::Instance().GetObject<ControllerAI>(character.GetControllerId());
    const char* state = thinking != nullptr ? thinking->GetExecutingStateName() : nullptr;
    const Vec3 at = character.GetCoords().GetRegionCoords().origin;
    return (state != nullptr ? std::string(state) : character.GetActionStateAsText()) + " | at " +
           std::to_string(static_cast<int>(std::lround(at.x))) + ',' +
           std::to_string(static_cast<int>(std::lround(at.z))) + " | life " +
           HostSamples::OneDecimal(character.GetCurrentLife());
}

} // namespace GAME
