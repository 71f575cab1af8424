#include "multiplayer/GameEnginePackets.h"

#include "engine/ConnectionManager.h"
#include "engine/Engine.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME {
namespace {

// The packet goes out through the engine's connection manager, as GameEngine sends it, as
// `bytes`; the packet catalogue's test reads every class back.
void ExpectWire(NetPacket& packet, const std::vector<uint8_t>& bytes)
{
    ConnectionManager& network = gEngine->GetNetworkConnectionManager();
    network.ClearSentPackets();
    network.SendPacket(packet);
    const std::vector<ConnectionManager::SentPacket> sent = network.TakeSentPackets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].bytes, bytes);
}

TEST(GameEnginePackets, PartyAnswerLoaderStateAndRespawnKeepTheirFields)
{
    PartyRequestResponsePacket p;
    p.recipient = 5;
    p.sender = 0x10000003;
    p.accepted = true;
    ExpectWire(p, {29, 0, 0, 0, 9, 0, 0, 0, //
                   5, 0, 0, 0, 1, 3, 0, 0, 0x10});

    NRLoaderStatePacket loader;
    loader.playerId = 7;
    loader.state = -1;
    ExpectWire(loader, {47, 0, 0, 0, 8, 0, 0, 0, //
                        7, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});

    StartServerRespawnPacket respawn;
    respawn.playerId = 3;
    respawn.location = WorldVec3(12, Vec3(1.0f, 0.0f, -0.5f));
    ExpectWire(respawn, {48, 0, 0,    0,    20, 0, 0, 0, //
                         3,  0, 0,    0,    12, 0, 0, 0, //
                         0,  0, 0x80, 0x3F, 0,  0, 0, 0, //
                         0,  0, 0,    0xBF});
}

TEST(GameEnginePackets, TeleportCarriesThePlayerAndThreeFloats)
{
    StartTeleportPacket p;
    p.playerId = 0x20000001;
    p.x = 1.5f;
    p.y = -2.0f;
    p.z = 100.25f;
    ExpectWire(p, {46, 0, 0, 0,    16, 0,    0,    0,    //
                   1,  0, 0, 0x20, 0,  0,    0xC0, 0x3F, //
                   0,  0, 0, 0xC0, 0,  0x80, 0xC8, 0x42});
}

} // namespace
} // namespace GAME
