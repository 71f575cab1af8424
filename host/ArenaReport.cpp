#include "host/ArenaReport.h"

#include "ai/ControllerMonster.h"
#include "ai/ControllerPlayer.h"
#include "ai/SlotManager.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/ABBox.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/GraphicsAnim.h"
#include "engine/GraphicsEngine.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/DropCatcher.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/QuestOrders.h"
#include "items/HotSlotOption.h"
#include "items/ItemReplicaInfo.h"
#include "items/PlayerHotSlotCtrl.h"
#include "multiplayer/GameEngineInboundInterface.h"
#include "multiplayer/PlayerManagerClient.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "world/PatrolPoint.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <ostream>

namespace GAME {

const char* const ArenaReport::kDefaultOrders = "1 click @Chieftain\n"
                                                "2 hold\n"
                                                "150 click @Follower1\n"
                                                "300 release\n";

namespace {

constexpr uint32_t kRegion = 1;
constexpr uint32_t kBarSlot = 0;
// The first word of the unique ids the arena gives its pack and route, the last the place.
constexpr uint32_t kArenaIdWord = 0xA7E7A;

struct Placing {
    const char* name;
    const char* record;
    float x;
    float z;
};

// The pack walks between the three points east of the hero; the chieftain's band waits west.
constexpr Placing kPack[] = {{"Jackal1", ArenaReport::kJackal, 10.0f, -6.0f},
                             {"Jackal2", ArenaReport::kJackal, 11.0f, -7.0f}};
constexpr float kRoute[][2] = {{10.0f, -8.0f}, {10.0f, 6.0f}, {16.0f, 0.0f}};
constexpr Placing kBand[] = {{"Chieftain", ArenaReport::kChieftain, -11.0f, 5.0f},
                             {"Follower1", ArenaReport::kFollower, -12.0f, 6.0f},
                             {"Follower2", ArenaReport::kFollower, -10.0f, 6.0f},
                             {"Mender", ArenaReport::kMender, -13.0f, 3.0f}};

WorldVec3 At(float x, float z)
{
    return WorldVec3(kRegion, Vec3(x, 0.0f, z));
}

std::string Stem(const std::string& record)
{
    const size_t slash = record.find_last_of("/\\");
    const std::string file = slash == std::string::npos ? record : record.substr(slash + 1);
    const size_t dot = file.rfind('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

} // namespace

ArenaReport::ArenaReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

std::vector<std::string> ArenaReport::Names()
{
    std::vector<std::string> names{"Hero"};
    for (const Placing& placing : kPack)
        names.emplace_back(placing.name);
    for (const Placing& placing : kBand)
        names.emplace_back(placing.name);
    return names;
}

int ArenaReport::Run()
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

bool ArenaReport::Play(const std::vector<ScriptOrder>& orders)
{
    // One seed for both generators: the C-library draws of the monsters' states and the
    // game's own rolls.
    Platform::SRand(options.seed);
    GameEngine& game = GameEngine::Get();
    game.GetRandomGen().Seed(options.seed);
    game.SetGameLoading(false);
    std::unique_ptr<World> previousWorld = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(kRegion, {0, 0, 0}, ABBox({-30, -10, -30}, {30, 10, 30}));
    out << "scenario arena, seed " << options.seed << ", "
        << (options.inputFile.empty() ? std::string("built-in orders")
                                      : "orders '" + options.inputFile + "'")
        << ", " << options.frameMilliseconds << " ms frames:\n";
    GraphicsAnim* punch = HostSamples::MarkHitEvent(kPunchAnimation, kHitEvent, kHitMs);
    GraphicsAnim* claw = HostSamples::MarkHitEvent(kClawAnimation, kHitEvent, kHitMs);
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
            Repeat();
            gEngine->RunFrame(options.frameMilliseconds);
            game.Update(options.frameMilliseconds);
            Frame(frame);
        }
    }
    HostSamples::ClearWorld(world);
    game.SetNetworkInterface(previousNetwork);
    gEngine->SetWorld(std::move(previousWorld));
    GraphicsEngine::Instance().UnloadAnimation(claw);
    GraphicsEngine::Instance().UnloadAnimation(punch);
    return staged;
}

bool ArenaReport::Stage()
{
    Player* hero = HostSamples::Make<Player>(kPlayer, err);
    if (hero == nullptr)
        return false;
    gEngine->GetWorld()->AddEntity(hero, WorldCoords(At(0.0f, 0.0f)), false);
    hero->InitialUpdate();
    hero->GetCharacterBio().Update(*hero, 0);
    // This machine drives him: he takes the player controller as the game gives it.
    hero->SetIsControllingCharacter(true);
    cast.push_back({"Hero", hero->GetObjectId(), {}, false});
    roster.Add("Hero", hero->GetObjectId());
    out << "  Hero: " << kPlayer << " at " << HostSamples::PointText(Vec3(0, 0, 0)) << '\n';
    if (roster.HeroController() == nullptr) {
        err << "gamehost: controller record '" << Player::kPlayerControllerRecord
            << "' does not make a player controller\n";
        return false;
    }
    GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    PlayerHotSlotCtrl& slots = hero->GetPlayerHotSlotCtrl();
    slots.SetToDefaults();
    SkillManager& skills = hero->GetSkillManager();
    skills.LoadSkills(kBarSkillTree, 1);
    if (const Skill* skill = skills.GetSkill(skills.FindSkillId(kBarSkill))) {
        HotSlotOptionSkill option(skill->GetObjectId());
        option.SetPlayer(hero);
        slots.SetHotSlot(kBarSlot, &option);
    }

    if (!StagePatrol())
        return false;
    uint32_t word = static_cast<uint32_t>(std::size(kPack));
    for (const Placing& placing : kBand) {
        if (Enter(placing.name, placing.record, placing.x, placing.z, ++word) == nullptr)
            return false;
    }
    // The followers join the chieftain as a level's pool would join them.
    const uint32_t chieftain = roster.IdOf("Chieftain");
    for (const char* name : {"Follower1", "Follower2"}) {
        auto* follower = ObjectManager::Instance().GetObject<Monster>(roster.IdOf(name));
        follower->JoinMe(chieftain, -1, false);
        out << "  " << name << " follows Chieftain\n";
    }
    return true;
}

// The route's points and the pack's group must exist before the pack's controllers attach:
// they gather their route then.
bool ArenaReport::StagePatrol()
{
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    std::vector<UniqueId> points;
    out << "  route:";
    for (const auto& point : kRoute) {
        auto* made = HostSamples::Make<PatrolPoint>(kPatrolPoint, err);
        if (made == nullptr)
            return false;
        const UniqueId id(kArenaIdWord, 1, 0, static_cast<uint32_t>(points.size()));
        made->SetUniqueID(id);
        gEngine->GetWorld()->AddEntity(made, WorldCoords(At(point[0], point[1])), false);
        points.push_back(id);
        out << ' ' << HostSamples::PointText(Vec3(point[0], 0.0f, point[1]));
    }
    out << '\n';
    const int32_t pointsGroup = groups.GetNumGroups();
    groups.AddGroup(InstanceGroup("Patrol Points", "Arena Route", points));
    std::vector<UniqueId> members;
    for (uint32_t word = 1; word <= std::size(kPack); ++word)
        members.emplace_back(kArenaIdWord, 0, 0, word);
    InstanceGroup pack("Patrollers", "Arena Pack", members);
    pack.AddChild(pointsGroup);
    groups.AddGroup(pack);
    uint32_t word = 0;
    for (const Placing& placing : kPack) {
        if (Enter(placing.name, placing.record, placing.x, placing.z, ++word) == nullptr)
            return false;
    }
    return true;
}

Character* ArenaReport::Enter(const std::string& name, const char* record, float x, float z,
                              uint32_t uniqueWord)
{
    Monster* monster = HostSamples::Make<Monster>(record, err);
    if (monster == nullptr)
        return nullptr;
    monster->SetUniqueID(UniqueId(kArenaIdWord, 0, 0, uniqueWord));
    gEngine->GetWorld()->AddEntity(monster, WorldCoords(At(x, z)), false);
    monster->InitialUpdate();
    monster->GetCharacterBio().Update(*monster, 0);
    if (ObjectManager::Instance().GetObject<ControllerMonster>(monster->GetControllerId()) ==
        nullptr) {
        err << "gamehost: " << record << " does not think with a monster controller\n";
        return nullptr;
    }
    cast.push_back({name, monster->GetObjectId(), {}, false});
    roster.Add(name, monster->GetObjectId());
    out << "  " << name << ": " << record << " at " << HostSamples::PointText(Vec3(x, 0, z))
        << '\n';
    return monster;
}

void ArenaReport::Give(const ScriptOrder& order)
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
    // A named thing is clicked where it stands; a gone one at the hero's feet.
    uint32_t target = order.name.empty() ? 0 : roster.IdOf(order.name);
    WorldVec3 point = At(order.x, order.z);
    if (const auto* thing = ObjectManager::Instance().GetObject<Entity>(target))
        point = thing->GetCoords().GetPosition();
    else if (target != 0)
        point = hero->GetCoords().GetPosition();
    const bool answer = mouse.Give(order, *hero, *controller, target, point);
    out << " -> " << (answer ? "true" : "false") << '\n';
}

// A held button repeats the last click each frame, as a mouse held down on the same thing would;
// a dead target is no longer clicked on.
void ArenaReport::Repeat()
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
                                                : At(mouse.GetLastX(), mouse.GetLastZ()));
}

void ArenaReport::Frame(int32_t frame)
{
    std::vector<std::string> deaths;
    for (Cast& member : cast) {
        const auto* character = ObjectManager::Instance().GetObject<Character>(member.id);
        std::string line;
        if (character == nullptr) {
            line = "gone";
        } else if (member.name == "Hero") {
            line = HeroLine(*static_cast<const Player*>(character));
        } else {
            line = MonsterLine(*character, ObjectManager::Instance().GetObject<ControllerMonster>(
                                               character->GetControllerId()));
        }
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

std::string ArenaReport::HeroLine(const Player& hero) const
{
    const ControllerPlayer* controller = hero.GetControllerPlayer();
    const char* state = controller != nullptr ? controller->GetExecutingStateName() : nullptr;
    return HostSamples::PointText(hero.GetCoords().GetRegionCoords().origin) + ' ' +
           (state != nullptr ? state : "no state") + " | life " +
           HostSamples::OneDecimal(hero.GetCurrentLife());
}

// "State | enemy anger | skill | slot": whom it hates most (the enemy its anger names, or the
// state's own), the skill its state holds and which attack place round that enemy it holds.
std::string ArenaReport::MonsterLine(const Character& monster,
                                     const ControllerMonster* controller) const
{
    if (controller == nullptr)
        return "no controller";
    const char* state = controller->GetExecutingStateName();
    std::string line = std::string(state != nullptr ? state : "no state") + " | life " +
                       HostSamples::OneDecimal(monster.GetCurrentLife()) + " | ";
    uint32_t enemy = controller->GetMostHatedEnemy();
    if (enemy == 0)
        enemy = controller->GetCurrentEnemy();
    if (enemy != 0)
        line += roster.Label(enemy) + ' ' +
                HostSamples::OneDecimal(controller->GetAngerManager().GetAnger(enemy));
    else
        line += "no enemy";
    const uint32_t skillId = controller->GetCurrentSkillID();
    const auto* skill = ObjectManager::Instance().GetObject<Skill>(skillId);
    line += " | skill " + (skill != nullptr ? Stem(skill->GetObjectName()) : std::string("none"));
    line += " | slot ";
    auto* foe = ObjectManager::Instance().GetObject<Character>(enemy);
    if (foe != nullptr) {
        const SlotManager& ring = foe->GetAttackSlotManager();
        for (uint32_t index = 0; index < ring.GetNumSlots(); ++index) {
            if (ring.GetSlotHolder(index) == monster.GetObjectId())
                return line + std::to_string(index);
        }
    }
    return line + "none";
}

} // namespace GAME
