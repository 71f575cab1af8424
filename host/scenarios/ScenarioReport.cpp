#include "host/scenarios/ScenarioReport.h"

#include "ai/ControllerBaseCharacter.h"
#include "characters/AttackAction.h"
#include "characters/Character.h"
#include "characters/CharacterActionHandler.h"
#include "characters/DieAction.h"
#include "characters/Monster.h"
#include "characters/MoveToAction.h"
#include "characters/Player.h"
#include "combat/DeathManager.h"
#include "engine/ABBox.h"
#include "engine/ConnectionManager.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketDescriber.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>
#include <string_view>

namespace GAME {

namespace {

constexpr uint32_t kScenarioRegion = 1;

enum class OrderKind { Move, Attack, Kill };

struct Order {
    int32_t ms;
    const char* who;
    OrderKind kind;
    // Move: the point run to. Attack: the character attacked.
    float x;
    float z;
    const char* target;
};

// The player and the warrior run at each other and step round one another; the shaman comes
// up behind. Then the player strikes the warrior, which is killed, the shaman strikes the
// player and is killed, and the player runs on past the bodies.
constexpr Order kScript[] = {
    {100, "player", OrderKind::Move, 7.0f, 0.0f, nullptr},
    {100, "warrior", OrderKind::Move, 1.0f, 0.0f, nullptr},
    {100, "shaman", OrderKind::Move, 6.0f, 3.0f, nullptr},
    {3500, "player", OrderKind::Attack, 0.0f, 0.0f, "warrior"},
    {3600, "warrior", OrderKind::Kill, 0.0f, 0.0f, nullptr},
    {4000, "shaman", OrderKind::Attack, 0.0f, 0.0f, "player"},
    {4100, "shaman", OrderKind::Kill, 0.0f, 0.0f, nullptr},
    {4200, "player", OrderKind::Move, 4.0f, 2.0f, nullptr},
};

constexpr int32_t LastOrderMs()
{
    int32_t last = 0;
    for (const Order& order : kScript)
        last = order.ms > last ? order.ms : last;
    return last;
}

// Puts the network mode back however the scene ends.
class NetworkMode {
public:
    explicit NetworkMode(bool server) { gEngine->SetNetworkMode(server, false); }
    ~NetworkMode() { gEngine->SetNetworkMode(false, false); }
    NetworkMode(const NetworkMode&) = delete;
    NetworkMode& operator=(const NetworkMode&) = delete;
};

} // namespace

ScenarioReport::ScenarioReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err), server(options.role == "server")
{}

bool ScenarioReport::Run()
{
    NetworkMode mode(server);
    return HostSamples::WithLibrary(err, [this] { return Play(); });
}

bool ScenarioReport::Play()
{
    if (server)
        gGameEngine->SetAsNetworkServer();
    gEngine->GetNetworkConnectionManager().ClearSentPackets();
    std::unique_ptr<World> previousWorld = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(kScenarioRegion, {0, 0, 0}, ABBox({-20, -10, -20}, {20, 10, 20}));
    out << "scenario actions as " << (server ? "server" : "single player") << ", " << kFrameMs
        << " ms frames:\n";
    bool played = Stage();
    if (played) {
        int32_t quietSince = 0;
        int32_t ms = 0;
        for (ms = kFrameMs; ms <= kMaxMs; ms += kFrameMs) {
            GiveOrders(ms);
            gEngine->RunFrame(kFrameMs);
            ReportPackets();
            if (Look(ms))
                quietSince = ms;
            if (ms >= LastOrderMs() && ms - quietSince >= kQuietMs)
                break;
        }
        if (ms > kMaxMs) {
            err << "gamehost: the actions scenario had not settled after " << kMaxMs << " ms\n";
            played = false;
        }
    }
    HostSamples::ClearWorld(world);
    gEngine->GetNetworkConnectionManager().ClearSentPackets();
    gEngine->SetWorld(std::move(previousWorld));
    return played;
}

bool ScenarioReport::Stage()
{
    const struct {
        const char* name;
        const char* record;
        const char* controller;
        float x;
        float z;
    } parts[] = {
        {"player", kPlayer, kPuppetController, 0.0f, 0.0f},
        {"warrior", kWarrior, kPuppetController, 8.0f, 0.0f},
        {"shaman", kShaman, kPuppetController, 10.0f, 4.0f},
    };
    for (const auto& part : parts) {
        if (Enter(part.name, part.record, part.controller, part.x, part.z) == nullptr)
            return false;
    }
    Look(0);
    return true;
}

Character* ScenarioReport::Enter(const char* name, const char* record, const char* controllerRecord,
                                 float x, float z)
{
    Character* character = std::strcmp(name, "player") == 0
                               ? static_cast<Character*>(HostSamples::Make<Player>(record, err))
                               : HostSamples::Make<Monster>(record, err);
    if (character == nullptr)
        return nullptr;
    const WorldCoords place{kScenarioRegion, Coords::FromTranslation(Vec3(x, 0, z))};
    HostSamples::EnterWorld(*character, place);
    auto* controller =
        ObjectManager::Instance().CreateObjectFromFile<ControllerBaseCharacter>(controllerRecord);
    if (controller == nullptr) {
        err << "gamehost: controller record '" << controllerRecord << "' does not make one\n";
        return nullptr;
    }
    controller->AttachParent(character->GetObjectId());
    character->SetControllerId(controller->GetObjectId());
    cast.push_back({name, character->GetObjectId(), {}, {}, {}, false});
    out << "  " << name << ": " << record << " with " << controller->GetClassInfo()->GetName()
        << " at " << HostSamples::PointText(Vec3(x, 0, z)) << '\n';
    return character;
}

Character* ScenarioReport::Find(const char* name) const
{
    for (const Cast& member : cast) {
        if (std::strcmp(member.name, name) == 0)
            return ObjectManager::Instance().GetObject<Character>(member.id);
    }
    return nullptr;
}

void ScenarioReport::GiveOrders(int32_t ms)
{
    for (const Order& order : kScript) {
        if (order.ms != ms)
            continue;
        out << "  " << ms << " ms: " << order.who;
        Character* character = Find(order.who);
        auto* controller = character != nullptr
                               ? ObjectManager::Instance().GetObject<ControllerBaseCharacter>(
                                     character->GetControllerId())
                               : nullptr;
        if (controller == nullptr) {
            out << " is gone; no order\n";
            continue;
        }
        const uint32_t id = character->GetObjectId();
        CharacterAction* action = nullptr;
        switch (order.kind) {
        case OrderKind::Move: {
            const Vec3 to(order.x, 0, order.z);
            out << " runs to " << HostSamples::PointText(to);
            action = new MoveToAction(id, character->GetPathPosition(),
                                      WorldVec3(kScenarioRegion, to), 0, 0, 0.0f);
            break;
        }
        case OrderKind::Attack: {
            const Character* target = Find(order.target);
            out << " attacks " << order.target;
            const uint32_t targetId = target != nullptr ? target->GetObjectId() : 0;
            const WorldVec3 point =
                target != nullptr ? target->GetCoords().GetPosition() : WorldVec3();
            action = new AttackAction(id, targetId, point, 0, options.seed);
            break;
        }
        case OrderKind::Kill: {
            out << " is killed";
            const DeathManager* deaths = character->GetDeathManager();
            action = new DieAction(id, deaths != nullptr ? deaths->CreateObjectIds()
                                                         : std::vector<uint32_t>());
            break;
        }
        }
        controller->HandleAction(action);
        // What became of the order before any frame ran: refused, queued, or running; an action
        // that cannot even start finishes inside the handler.
        const CharacterActionHandler* handler = character->GetActionHandler();
        if (handler != nullptr) {
            out << " -> " << handler->GetActionAsString()
                << (handler->IsActive() ? "" : " (finished)");
        }
        out << '\n';
        ReportPackets();
    }
}

// A line for a character whose state texts changed, or whose position did on a reporting frame
// or as it came to rest; true when anything changed at all.
bool ScenarioReport::Look(int32_t ms)
{
    bool changed = false;
    for (Cast& member : cast) {
        if (member.gone)
            continue;
        const Character* character = ObjectManager::Instance().GetObject<Character>(member.id);
        if (character == nullptr) {
            member.gone = true;
            changed = true;
            out << "  " << ms << " ms: " << member.name << " removed\n";
            continue;
        }
        const CharacterActionHandler* handler = character->GetActionHandler();
        const std::string position =
            HostSamples::PointText(character->GetCoords().GetRegionCoords().origin);
        const std::string state =
            std::string(character->GetLifeStateAsText()) + " | " +
            character->GetActionStateAsText() + " | " +
            (handler != nullptr ? handler->GetActionAsString() : std::string("no handler"));
        const bool moved = position != member.lastPosition;
        member.lastPosition = position;
        changed = changed || moved || state != member.printedState;
        const bool positionDue =
            position != member.printedPosition && (ms % kPositionMs == 0 || !moved);
        if (state == member.printedState && !positionDue)
            continue;
        member.printedPosition = position;
        member.printedState = state;
        out << "  " << ms << " ms: " << member.name << ' ' << position << ' ' << state << '\n';
    }
    return changed;
}

// What the orders were sent as: a server broadcasts every action to its clients.
void ScenarioReport::ReportPackets()
{
    ConnectionManager& connection = gEngine->GetNetworkConnectionManager();
    for (const ConnectionManager::SentPacket& sent : connection.TakeSentPackets())
        HostSamples::PrintPacket(out, sent, "    ", "      ");
}

} // namespace GAME
