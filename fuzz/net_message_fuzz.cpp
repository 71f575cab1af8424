// One received message, as the transport takes it in: the first byte says whether a server
// hears it from its client host 1 or a client from its server, the rest is the message. Bad
// input is refused and counted; a server makes nothing that names a host other than itself and
// the sender; nothing crashes or leaks.
#include "engine/ABBox.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "fuzz/QuietGame.h"
#include "game/GameEngine.h"
#include "multiplayer/NetworkSession.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

using namespace GAME;

constexpr int kSender = 1;

// Every object the run made carries this machine's host or the sender's.
bool OnlyOwnHosts()
{
    for (uint32_t id = 1; id < 4096; ++id) {
        for (uint32_t host = 2; host <= 15; ++host)
            if (ObjectManager::Instance().GetObject((host << 28) | id) != nullptr)
                return false;
    }
    return true;
}

void Hear(bool asServer, const uint8_t* data, size_t size)
{
    gEngine->SetNetworkMode(true, !asServer);
    InitializeObjects();
    if (gGameEngine == nullptr) {
        gEngine->SetNetworkMode(false, false);
        return;
    }
    if (asServer)
        gGameEngine->SetAsNetworkServer();
    else
        gGameEngine->SetAsNetworkClient();
    std::unique_ptr<World> previous = gEngine->SetWorld(std::make_unique<World>());
    gEngine->GetWorld()->CreateRegion(1, {0, 0, 0}, ABBox({-20, -10, -20}, {20, 10, 20}));
    {
        ConnectionManager connection;
        if (!asServer || connection.Listen(0)) {
            NetworkSession session(connection);
            connection.Receive(asServer ? kSender : ConnectionManager::kServerHost, data, size);
            connection.Service();
            gGameEngine->Update(33);
            session.Update();
            if (asServer && !OnlyOwnHosts())
                abort();
            connection.Disconnect();
        }
    }
    ObjectManager::Instance().SetHostIndex(0);
    gEngine->GetNetworkConnectionManager().TakeSentPackets();
    gEngine->SetWorld(std::move(previous));
    ShutdownObjects();
    gEngine->SetNetworkMode(false, false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SilenceLog();
    if (size == 0)
        return 0;
    Hear((data[0] & 1) == 0, data + 1, size - 1);
    return 0;
}
