#include "engine/ConnectionManager.h"
#include "engine/ObjectManager.h"
#include "tests/support/ListeningServerFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace GAME::Test {
namespace {

// A server that only welcomes, serviced on a thread of its own: joining waits for the welcome.
class ConnectionTransport : public ListeningServerFixture {
protected:
    void SetUp() override
    {
        ListeningServerFixture::SetUp();
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
        ListeningServerFixture::TearDown();
    }
    void OnMessage(int, NetPacket&) override {}
    void OnHostJoined(int host) override { Welcome(host, 41); }

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
