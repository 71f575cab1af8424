#include "host/scenarios/DropsReport.h"

#include "ai/ControllerMonster.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/RandomUniform.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/ShownName.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/PlayerManagerClient.h"
#include "world/FixedItem.h"

#include <memory>
#include <ostream>
#include <sstream>
#include <string>

namespace GAME {

namespace {

constexpr uint32_t kDropsRegion = 1;

WorldCoords DropsPlace(float x, float z)
{
    return WorldCoords(kDropsRegion, Coords::FromTranslation(Vec3(x, 0.0f, z)));
}

// The last velocity the physics engine was given for the object, or zero.
Vec3 LastVelocity(const BoundedLog<PhysicsEngine::VelocityRequest>& log, uint32_t id)
{
    for (size_t i = log.GetSize(); i > 0; --i)
        if (log[i - 1].objectId == id)
            return log[i - 1].velocity;
    return Vec3();
}

// Hero and chieftain under the same ids on every machine, as a level would place them.
bool StageDrops(std::ostream& err)
{
    Player* hero = HostSamples::Make<Player>(DropsReport::kPlayer, err, DropsReport::kHeroId);
    Monster* chieftain =
        HostSamples::Make<Monster>(DropsReport::kChieftain, err, DropsReport::kChieftainId);
    Object* chest = ObjectManager::Instance().CreateObject("FixedItem", DropsReport::kChestId);
    if (hero == nullptr || chieftain == nullptr || chest == nullptr)
        return false;
    World& world = *gEngine->GetWorld();
    world.AddEntity(hero, DropsPlace(0.0f, 0.0f), false);
    world.AddEntity(chieftain, DropsPlace(3.0f, 2.0f), false);
    hero->InitialUpdate();
    chieftain->InitialUpdate();
    GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    return true;
}

std::string ChestText()
{
    const auto* chest = ObjectManager::Instance().GetObject<FixedItem>(DropsReport::kChestId);
    return chest != nullptr && chest->IsLocked() ? "locked" : "unlocked";
}

} // namespace

DropsReport::DropsReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

bool DropsReport::Run()
{
    out << "scenario drops as server, seed " << options.seed << ":\n";
    if (!HostSamples::InNetworkWorld(false, err, [this] { return PlayServer(); }))
        return false;
    out << "  client: a fresh engine replays the " << recorded.size() << " packets received\n";
    if (!HostSamples::InNetworkWorld(true, err, [this] { return ReplayClient(); }))
        return false;
    out << "  server and client agree: ";
    if (serverItems == clientItems) {
        out << "yes\n";
        return true;
    }
    std::istringstream server(serverItems);
    std::istringstream client(clientItems);
    std::string mine;
    std::string theirs;
    while (std::getline(server, mine) && std::getline(client, theirs) && mine == theirs) {
    }
    out << "no (server '" << mine << "', client '" << theirs << "')\n";
    return true;
}

void DropsReport::Deliver(const char* what)
{
    out << "  " << what << ":\n";
    ConnectionManager& connection = gEngine->GetNetworkConnectionManager();
    GameEngineNetworkInterface& inbound = *GameEngine::Get().GetInboundNetworkInterface();
    for (ConnectionManager::SentPacket& sent : connection.TakeSentPackets()) {
        HostSamples::PrintPacket(out, sent, "    sent ", "      ");
        std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(sent.bytes);
        if (const auto* create = dynamic_cast<const CreateItemPacket*>(packet.get()))
            itemIds.push_back(create->item.id);
        if (packet != nullptr)
            InboundPacketDispatcher::Dispatch(*packet, inbound);
        recorded.push_back(std::move(sent.bytes));
    }
    connection.ClearSentPackets();
}

std::string DropsReport::Landed()
{
    std::ostringstream text;
    const PhysicsEngine& physics = gEngine->GetPhysicsEngine();
    for (uint32_t id : itemIds) {
        const Item* item = ObjectManager::Instance().GetObject<Item>(id);
        if (item == nullptr) {
            text << "  item " << id << " was not made\n";
            continue;
        }
        text << "  item " << id << ' ' << ShownName(item->GetObjectName()) << " at "
             << HostSamples::PointText(item->GetCoords().GetRegionCoords().origin) << '\n'
             << "    linear "
             << HostSamples::PointText(LastVelocity(physics.GetLinearVelocities(), id))
             << ", angular "
             << HostSamples::PointText(LastVelocity(physics.GetAngularVelocities(), id)) << '\n';
    }
    const auto* hero = ObjectManager::Instance().GetObject<Player>(kHeroId);
    text << "  hero's gold " << (hero != nullptr ? hero->GetCurrentMoney() : 0) << ", chest "
         << ChestText() << '\n';
    return text.str();
}

bool DropsReport::PlayServer()
{
    if (!StageDrops(err))
        return false;
    GameEngine& game = GameEngine::Get();
    game.GetRandomGen().Seed(options.seed);
    out << "  the hero strikes down the chieftain at (3.00, 0.00, 2.00):\n";
    const Monster* chieftain = ObjectManager::Instance().GetObject<Monster>(kChieftainId);
    if (auto* controller =
            ObjectManager::Instance().GetObject<ControllerMonster>(chieftain->GetControllerId()))
        controller->KillMe();
    Deliver("its gold");
    // The chieftain's loot records, each with a fresh id and a seed from the shared generator.
    ObjectManager& objects = ObjectManager::Instance();
    for (const char* record : {kPotion, kShield}) {
        ItemReplicaInfo info;
        info.id = objects.CreateObjectID();
        info.baseName = record;
        info.seed = static_cast<uint32_t>(game.GetRandomGen().IGenerate(1, 0x7FFFFFFF));
        game.CreateItem(DropsPlace(3.0f, 2.0f), info);
    }
    Deliver("its loot");
    game.GetNetworkInterface()->GiveGoldToPlayer(kHeroId, 250);
    Deliver("a gift of 250 gold to the hero");
    game.QuestCommandWalk(kChieftainId, kHeroId, DropsPlace(1.0f, 1.0f).GetPosition(), true);
    Deliver("a quest orders the chieftain to walk to the hero");
    game.QuestCommandLockFixedItem(kChestId, true);
    Deliver("a quest locks the chest");
    serverItems = Landed();
    out << "  on the server:\n" << serverItems;
    return true;
}

bool DropsReport::ReplayClient()
{
    if (!StageDrops(err))
        return false;
    GameEngineNetworkInterface& inbound = *GameEngine::Get().GetInboundNetworkInterface();
    for (const std::vector<uint8_t>& bytes : recorded)
        if (std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes))
            InboundPacketDispatcher::Dispatch(*packet, inbound);
    clientItems = Landed();
    out << "  on the client:\n" << clientItems;
    return true;
}

} // namespace GAME
