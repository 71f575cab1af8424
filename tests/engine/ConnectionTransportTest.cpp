#include "engine/ConnectionManager.h"
#include "engine/HostMessagePackets.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace GAME::Test {
namespace {

// A server that only welcomes, serviced on a thread of its own: joining waits for the welcome.
class ConnectionTransport : public EngineFixture, public ConnectionManager::Listener {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        ASSERT_TRUE(server.Listen(0));
        server.SetListener(this);
        worker = std::thread([this] {
            for (; !stop; std::this_thread::sleep_for(std::chrono::milliseconds(2))) {
                server.Service();
                server.Flush();
            }
        });
    }
    void TearDown() override
    {
        stop = true;
        worker.join();
        server.Disconnect();
        ObjectManager::Instance().SetHostIndex(0);
        EngineFixture::TearDown();
    }
    void OnMessage(int, NetPacket&) override {}
    void OnHostJoined(int host) override
    {
        HostWelcomePacket welcome;
        welcome.hostIndex = host;
        welcome.seed = 41;
        server.SendPacketToHost(host, welcome);
    }

    ConnectionManager server;
    std::atomic<bool> stop{false};
    std::thread worker;
};

TEST_F(ConnectionTransport, ClientsTakeTheLowestFreeIndexAndASixteenthIsRefused)
{
    const uint16_t port = server.GetListenPort();
    std::vector<std::unique_ptr<ConnectionManager>> clients;
    for (int host = 1; host <= ConnectionManager::kMaxClients; ++host) {
        SCOPED_TRACE(host);
        clients.push_back(std::make_unique<ConnectionManager>());
        ASSERT_TRUE(clients.back()->Connect("127.0.0.1", port));
        EXPECT_EQ(clients.back()->GetLocalHostID(), host);
        EXPECT_EQ(ObjectManager::Instance().GetHostIndex(), uint32_t(host));
    }
    ConnectionManager sixteenth;
    EXPECT_FALSE(sixteenth.Connect("127.0.0.1", port));

    // A leaver's index is the next one given.
    clients[2]->Disconnect();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ConnectionManager again;
    ASSERT_TRUE(again.Connect("127.0.0.1", port));
    EXPECT_EQ(again.GetLocalHostID(), 3);
}

} // namespace
} // namespace GAME::Test
