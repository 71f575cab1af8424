// One received message, as the transport takes it in: the first byte says whether a server
// hears it from its client host 1 or a client from its server, the rest is the message. Bad
// input is refused and counted; a server makes nothing that names a host other than itself and
// the sender; nothing crashes or leaks.
#include "engine/ABBox.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/FilterFunction.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "fuzz/InputLookups.h"
#include "fuzz/QuietGame.h"
#include "game/GameEngine.h"
#include "multiplayer/NetworkSession.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

using namespace GAME;

constexpr int kSender = 1;

class Everything final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity*) const override { return true; }
};

// Takes every entity out of the world and answers whether each carried this machine's host or
// the sender's.
bool ClearWorld(World& world)
{
    std::vector<Entity*> entities;
    world.GetEntities(entities, Everything());
    bool ownHosts = true;
    for (Entity* entity : entities) {
        ownHosts = ownHosts && ConnectionManager::HostOfId(entity->GetObjectId()) <= kSender;
        world.RemoveEntity(entity);
        ObjectManager::Instance().DestroyObjectEx(entity, "Fuzz/NetMessage", __LINE__);
    }
    ObjectManager::Instance().ProcessDestroyedObjects();
    return ownHosts;
}

void Hear(bool asServer, const uint8_t* data, size_t size)
{
    gEngine->SetNetworkMode(true, !asServer);
    if (asServer)
        gGameEngine->SetAsNetworkServer();
    else
        gGameEngine->SetAsNetworkClient();
    std::unique_ptr<World> previous = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(1, {0, 0, 0}, ABBox({-20, -10, -20}, {20, 10, 20}));
    {
        ConnectionManager connection;
        if (!asServer || connection.Listen(0)) {
            NetworkSession session(connection);
            connection.Receive(asServer ? kSender : ConnectionManager::kServerHost, data, size);
            connection.Service();
            gGameEngine->Update(33);
            session.Update();
            connection.Disconnect();
        }
    }
    if (!ClearWorld(world) && asServer)
        abort();
    gGameEngine->GetPlayerManagerClient()->Clear();
    if (PlayerManagerServer* players = gGameEngine->GetPlayerManagerServer())
        players->Clear();
    ObjectManager::Instance().SetHostIndex(0);
    gEngine->GetNetworkConnectionManager().TakeSentPackets();
    gEngine->SetWorld(std::move(previous));
    gEngine->SetNetworkMode(false, false);
    gGameEngine->SetAsNetworkStub();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartQuietGame();
    const InputLookups lookups;
    if (size == 0)
        return 0;
    Hear((data[0] & 1) == 0, data + 1, size - 1);
    return 0;
}
