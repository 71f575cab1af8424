#include "engine/NetworkShim.h"

#include "characters/IdleAction.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "multiplayer/CharacterActionPackets.h"

#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

const WorldVec3 kPoint(2, Vec3(0.5f, 0.0f, 0.25f));

// What reached the stand-in for the controllers: the character and the action's own packet.
std::vector<std::pair<uint32_t, std::unique_ptr<NetPacket>>> received;
bool accepting = true;

bool Receive(uint32_t characterId, std::unique_ptr<CharacterAction> action)
{
    received.emplace_back(characterId, action->GetNetPacket());
    return accepting;
}

std::vector<uint8_t> Encode(NetPacket& packet)
{
    const uint32_t size = packet.PrepareOutBuffer();
    return std::vector<uint8_t>(packet.GetOutBuffer(), packet.GetOutBuffer() + size);
}

class NetworkShimTest : public GAME::Test::EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        previous = NetworkShim::SetActionReceiver(&Receive);
        received.clear();
        accepting = true;
        Sent().clear();
    }
    void TearDown() override
    {
        NetworkShim::SetActionReceiver(previous);
        gEngine->SetNetworkMode(false, false);
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
        EngineFixture::TearDown();
    }
    std::vector<ConnectionManager::SentPacket>& Sent()
    {
        taken = gEngine->GetNetworkConnectionManager().TakeSentPackets();
        return taken;
    }

    NetworkShim::ActionReceiver previous = nullptr;
    std::vector<ConnectionManager::SentPacket> taken;
};

TEST_F(NetworkShimTest, AClientSendsAServerBroadcastsASinglePlayerKeepsIt)
{
    const IdleAction idle(7);
    NetworkShim::SendAction(idle);
    EXPECT_TRUE(Sent().empty());

    gEngine->SetNetworkMode(true, true);
    NetworkShim::SendAction(idle);
    NetworkShim::SendAction(CharacterAction()); // it has no packet
    gEngine->SetNetworkMode(true, false);
    NetworkShim::SendAction(idle);

    const std::vector<uint8_t> bytes = Encode(*idle.GetNetPacket());
    const std::vector<ConnectionManager::SentPacket>& sent = Sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].route, ConnectionManager::Route::Send);
    EXPECT_EQ(sent[1].route, ConnectionManager::Route::Broadcast);
    EXPECT_EQ(sent[1].host, ConnectionManager::kPeerHosts);
    EXPECT_EQ(sent[0].bytes, bytes);
    EXPECT_EQ(sent[1].bytes, bytes);
}

TEST_F(NetworkShimTest, AReceivedActionRunsHereAndAServerPassesItToTheOtherClients)
{
    IdleActionPacket packet;
    packet.ownerId = 7;
    packet.hasPreMoveData = true;
    packet.preMovePoint = kPoint;
    gEngine->SetNetworkMode(true, false);
    EXPECT_TRUE(NetworkShim::ReceivePacket(2, packet));
    const std::vector<ConnectionManager::SentPacket>& relayed = Sent();
    ASSERT_EQ(relayed.size(), 1u);
    EXPECT_EQ(relayed[0].route, ConnectionManager::Route::Broadcast);
    EXPECT_EQ(relayed[0].host, 2);
    EXPECT_EQ(relayed[0].bytes, Encode(packet));

    // A client runs what its server sends and passes nothing on.
    gEngine->SetNetworkMode(true, true);
    IdleActionPacket plain;
    plain.ownerId = 8;
    EXPECT_TRUE(NetworkShim::ReceivePacket(0, plain));
    EXPECT_TRUE(Sent().empty());

    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].first, 7u);
    EXPECT_EQ(Encode(*received[0].second), Encode(packet));
    EXPECT_EQ(received[1].first, 8u);
    EXPECT_EQ(Encode(*received[1].second), Encode(plain));
}

// Dropped whole: nothing runs and a server passes nothing on.
TEST_F(NetworkShimTest, AnActionForNoCharacterOrThatNobodyTakesIsDropped)
{
    gEngine->SetNetworkMode(true, false);
    TakeStunPacket noCharacter;
    EXPECT_FALSE(NetworkShim::ReceivePacket(3, noCharacter));
    EXPECT_TRUE(received.empty());
    accepting = false;
    TakeStunPacket refused;
    refused.ownerId = 9;
    EXPECT_FALSE(NetworkShim::ReceivePacket(3, refused));
    EXPECT_EQ(received.size(), 1u);
    // The game's own receiver finds no character 9 here.
    NetworkShim::SetActionReceiver(previous);
    EXPECT_FALSE(NetworkShim::ReceivePacket(3, refused));

    EXPECT_TRUE(Sent().empty());
    using Line = GAME::Test::LogCapture::Line;
    EXPECT_EQ(log.GetLines(),
              (std::vector<Line>{
                  {2, "NetworkShim: action packet 70 from host 3 for character 0 dropped"},
                  {2, "NetworkShim: action packet 70 from host 3 for character 9 dropped"},
                  {2, "NetworkShim: action packet 70 from host 3 for character 9 dropped"}}));
}

} // namespace
} // namespace GAME
