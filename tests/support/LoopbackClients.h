#pragma once

#include "engine/ConnectionManager.h"
#include "engine/ObjectManager.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace GAME::Test {

// `count` client hosts joined to the listening `server`, fewer when one is refused. Joining
// waits for the welcome, which the server sends as it services, so it is serviced on a thread of
// its own meanwhile; nothing else may use it until this returns. The clients live in this
// process, so the host index each welcome set goes back to the server's.
inline std::vector<std::unique_ptr<ConnectionManager>> JoinClients(ConnectionManager& server,
                                                                   int count)
{
    std::vector<std::unique_ptr<ConnectionManager>> clients;
    std::atomic<bool> joined{false};
    std::thread servicing([&] {
        while (!joined) {
            server.Service();
            server.Flush();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    for (int i = 0; i < count; ++i) {
        auto client = std::make_unique<ConnectionManager>();
        if (!client->Connect("127.0.0.1", server.GetListenPort()))
            break;
        clients.push_back(std::move(client));
    }
    joined = true;
    servicing.join();
    ObjectManager::Instance().SetHostIndex(0);
    return clients;
}

} // namespace GAME::Test
