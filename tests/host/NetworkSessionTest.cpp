#include "engine/ConnectionManager.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "tests/host/HostRun.h"
#include "tests/host/HostSession.h"
#include "tests/support/ChildProcess.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <thread>

namespace GAME::Test {
namespace {

using Clock = ChildProcess::Clock;

// A message of any type and words, for what an honest machine never sends.
class RawMessage : public NetPacket {
public:
    RawMessage(uint32_t type, std::vector<uint32_t> words)
        : NetPacket(type), words(std::move(words))
    {}
    uint32_t PrepareOutBuffer() override
    {
        NetPacketOutBuffer out(*this);
        for (uint32_t word : words)
            out.AddUInt(word);
        return out.Done();
    }
    void CopyInbound(const uint8_t*, int) override {}
    std::string GetPacketDescription(bool) const override { return {}; }

private:
    std::vector<uint32_t> words;
};

// The two-jackal session.
class NetworkSession : public HostSession {
protected:
    NetworkSession() : HostSession({"--scenario", "pack"}) {}
};

TEST_F(NetworkSession, ServerAndEightClientsPlayTheSameSession)
{
    StartServer(8, std::chrono::seconds(120));
    for (int i = 0; i < 8; ++i)
        StartClient();
    ExpectAllEnd();
    const std::string served = server->Output();
    const std::string digest = LinesStarting(served, "end: digest ");
    ASSERT_NE(digest, "");
    // Each client is a host of its own, the first to join host 1.
    int firstHosts = 0;
    for (auto& client : clients) {
        EXPECT_EQ(LinesStarting(client->Output(), "end: digest "), digest);
        firstHosts += LinesStarting(client->Output(), "joined as host ") == "joined as host 1\n";
    }
    EXPECT_EQ(firstHosts, 1);
    EXPECT_EQ(EndLines(clients[0]->Output()), EndLines(served));
    EXPECT_NE(LinesStarting(served, "end: monster "), "");
    EXPECT_NE(LinesStarting(served, "end: item "), "");
    EXPECT_NE(LinesStarting(served, "host 1 left"), "");
    EXPECT_EQ(PartySize(served), 9);
    EXPECT_EQ(LinesStarting(served, "dropped: "), "dropped: none\n");
    EXPECT_EQ(LinesStarting(served, "hosts dropped: "), "hosts dropped: 0\n");
}

// Datagrams outside the transport's protocol.
void SendGarbage(uint16_t port)
{
    const int sock = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in to{AF_INET, htons(port), {htonl(INADDR_LOOPBACK)}, {}};
    const uint8_t junk[][6] = {{0xff, 0xff, 0, 1, 2, 3}, {0x80, 0, 0xde, 0xad, 0xbe, 0xef}};
    for (const auto& datagram : junk)
        sendto(sock, datagram, sizeof datagram, 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    close(sock);
}

void Pump(ConnectionManager& connection, std::chrono::milliseconds time)
{
    for (const auto end = Clock::now() + time; Clock::now() < end;
         std::this_thread::sleep_for(std::chrono::milliseconds(5))) {
        connection.Service();
        connection.Flush();
    }
}

TEST_F(NetworkSession, HostileClientIsRefusedAndDroppedWhileTheSessionGoesOn)
{
    StartServer(1, std::chrono::seconds(60));
    ChildProcess& honest = StartClient();
    const std::string joined = server->WaitForLine("host 1 joined: player ", deadline);
    ASSERT_FALSE(joined.empty()) << server->Errors();
    const uint32_t honestHero = static_cast<uint32_t>(std::stoul(joined.substr(22)));

    ConnectionManager attacker;
    ASSERT_TRUE(attacker.Connect("127.0.0.1", port));
    ASSERT_EQ(attacker.GetLocalHostID(), 2);
    ObjectManager::Instance().SetHostIndex(0);
    SendGarbage(port);
    RawMessage cutShort(22, {honestHero, 0});
    RawMessage unknown(200, {7});
    GameBalanceUpdatePacket balance;
    SinglePlayerHeartbeatPacket heartbeat;
    heartbeat.player.playerId = honestHero;
    for (NetPacket* refused :
         std::initializer_list<NetPacket*>{&cutShort, &unknown, &balance, &heartbeat})
        attacker.SendPacket(*refused);
    Pump(attacker, std::chrono::milliseconds(300));
    // A busy server takes in a reliable stream more slowly than it is sent: the flood goes on
    // until the server has cut it off.
    RawMessage frustum(20, {2, 1, 0, 0, 0});
    for (int round = 0; round < 5 && attacker.IsConnected(); ++round) {
        for (int i = 0; i < 3000; ++i)
            attacker.SendPacket(frustum);
        Pump(attacker, std::chrono::milliseconds(1500));
    }
    attacker.Disconnect();

    ExpectAllEnd();
    const std::string served = server->Output();
    EXPECT_EQ(EndLines(honest.Output()), EndLines(served));
    EXPECT_NE(EndLines(served), "");
    EXPECT_EQ(LinesStarting(served, "dropped: "), "dropped: host 2: 4\n");
    EXPECT_EQ(LinesStarting(served, "hosts dropped: "), "hosts dropped: 1\n");
    EXPECT_NE(server->Errors().find("ConnectionManager: host 2 dropped: flood"), std::string::npos);
}

} // namespace
} // namespace GAME::Test
