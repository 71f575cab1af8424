#include "engine/ConnectionManager.h"
#include "engine/HostMessagePackets.h"
#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace GAME::Test {
namespace {

// A server that only welcomes, serviced on a thread of its own while the test's clients join
// (joining waits for the welcome).
class WelcomingServer final : public ConnectionManager::Listener {
public:
    WelcomingServer()
    {
        listening = server.Listen(0);
        server.SetListener(this);
        worker = std::thread([this] {
            while (!stop) {
                server.Service();
                server.Flush();
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
    }
    ~WelcomingServer() override
    {
        stop = true;
        worker.join();
        server.SetListener(nullptr);
        server.Disconnect();
    }

    void OnMessage(int, NetPacket&) override {}
    void OnHostJoined(int host) override
    {
        HostWelcomePacket welcome;
        welcome.hostIndex = host;
        welcome.seed = 41;
        welcome.playersExpected = 3;
        server.SendPacketToHost(host, welcome);
    }

    ConnectionManager server;
    bool listening = false;

private:
    std::atomic<bool> stop{false};
    std::thread worker;
};

class ConnectionTransport : public EngineFixture {
protected:
    void TearDown() override
    {
        ObjectManager::Instance().SetHostIndex(0);
        EngineFixture::TearDown();
    }
};

TEST_F(ConnectionTransport, ClientsTakeTheLowestFreeIndexAndASixteenthIsRefused)
{
    WelcomingServer welcoming;
    ASSERT_TRUE(welcoming.listening);
    const uint16_t port = welcoming.server.GetListenPort();
    ASSERT_NE(port, 0);
    std::vector<std::unique_ptr<ConnectionManager>> clients;
    for (int host = 1; host <= ConnectionManager::kMaxClients; ++host) {
        SCOPED_TRACE(host);
        clients.push_back(std::make_unique<ConnectionManager>());
        ASSERT_TRUE(clients.back()->Connect("127.0.0.1", port));
        EXPECT_EQ(clients.back()->GetLocalHostID(), host);
        EXPECT_EQ(ObjectManager::Instance().GetHostIndex(), uint32_t(host));
    }
    EXPECT_EQ(clients[0]->GetWelcome().seed, 41u);
    EXPECT_EQ(clients[0]->GetWelcome().playersExpected, 3);

    ConnectionManager sixteenth;
    EXPECT_FALSE(sixteenth.Connect("127.0.0.1", port));
    EXPECT_FALSE(sixteenth.IsConnected());

    // A leaver's index is the next one given.
    clients[2]->Disconnect();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ConnectionManager again;
    ASSERT_TRUE(again.Connect("127.0.0.1", port));
    EXPECT_EQ(again.GetLocalHostID(), 3);
}

} // namespace
} // namespace GAME::Test
