#pragma once

#include "engine/ConnectionManager.h"
#include "engine/HostMessagePackets.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>

namespace GAME::Test {

// A server listening on a free loopback port, with the fixture as its listener; after each test
// it is shut and this process is host 0 again.
class ListeningServerFixture : public EngineFixture, public ConnectionManager::Listener {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        ASSERT_TRUE(server.Listen(0));
        server.SetListener(this);
    }
    void TearDown() override
    {
        server.Disconnect();
        ObjectManager::Instance().SetHostIndex(0);
        EngineFixture::TearDown();
    }

    // Tells a host that joined its index, as the game's server does.
    void Welcome(int host, uint32_t seed = 0)
    {
        HostWelcomePacket welcome;
        welcome.hostIndex = host;
        welcome.seed = seed;
        server.SendPacketToHost(host, welcome);
    }

    // Services a client until `done` holds or a generous deadline passes; the answer is `done`'s.
    static bool ServiceUntil(ConnectionManager& client, const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            client.Service();
            client.Flush();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return done();
    }

    ConnectionManager server;
};

} // namespace GAME::Test
