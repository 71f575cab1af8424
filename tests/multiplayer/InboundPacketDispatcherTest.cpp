#include "multiplayer/InboundPacketDispatcher.h"

#include "characters/Player.h"
#include "engine/ConnectionManager.h"
#include "engine/NetworkShim.h"
#include "game/ActivityManager.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/support/GameEngineFixture.h"

namespace GAME::Test {

namespace {

class ReceivedTravel : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }

    // Through the bytes, as a packet arrives.
    static bool Receive(NetPacket& sent)
    {
        const uint32_t size = sent.PrepareOutBuffer();
        std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(
            std::vector<uint8_t>(sent.GetOutBuffer(), sent.GetOutBuffer() + size));
        return packet != nullptr && NetworkShim::ReceivePacket(1, *packet);
    }
};

} // namespace

TEST_F(ReceivedTravel, TeleportsAndRespawnsReachTheEngineOnlyForKnownPlayers)
{
    Game().SetAsNetworkServer();
    Player* other = MakeMainPlayer();
    Game().GetPlayerManagerClient()->SetMainPlayer(0);
    ActivityManager& activities = ActivityManager::Get();

    StartTeleportPacket teleport;
    teleport.playerId = other->GetObjectId() + 1000;
    StartServerRespawnPacket respawn;
    respawn.playerId = teleport.playerId;
    const uint32_t before = activities.GetLastId();
    EXPECT_TRUE(Receive(teleport));
    EXPECT_TRUE(Receive(respawn));
    EXPECT_EQ(activities.GetLastId(), before);

    teleport.playerId = other->GetObjectId();
    respawn.playerId = other->GetObjectId();
    EXPECT_TRUE(Receive(teleport));
    EXPECT_TRUE(Receive(respawn));
    EXPECT_EQ(activities.GetLastId(), before + 2);

    // A loader state for nobody's loader is taken and changes nothing.
    NRLoaderStatePacket state;
    state.playerId = other->GetObjectId();
    state.state = 9;
    EXPECT_TRUE(Receive(state));
}

} // namespace GAME::Test
