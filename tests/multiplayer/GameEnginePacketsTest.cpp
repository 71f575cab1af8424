#include "multiplayer/GameEnginePackets.h"

#include "engine/ConnectionManager.h"
#include "engine/Engine.h"

#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace GAME {
namespace {

// Sends the packet through the engine's connection manager, as GameEngine does, and answers
// the bytes that went out.
std::vector<uint8_t> SentBytes(NetPacket& packet)
{
    ConnectionManager& network = gEngine->GetNetworkConnectionManager();
    network.ClearSentPackets();
    network.SendPacket(packet);
    std::vector<ConnectionManager::SentPacket> sent = network.TakeSentPackets();
    return sent.size() == 1 ? sent[0].bytes : std::vector<uint8_t>();
}

template <class PacketClass> std::unique_ptr<PacketClass> Decode(const std::vector<uint8_t>& bytes)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
    if (dynamic_cast<PacketClass*>(packet.get()) == nullptr)
        return nullptr;
    return std::unique_ptr<PacketClass>(static_cast<PacketClass*>(packet.release()));
}

TEST(PartyRequestResponsePacket, PutsTheAnswerBetweenRecipientAndSender)
{
    PartyRequestResponsePacket p;
    p.recipient = 5;
    p.sender = 0x10000003;
    p.accepted = true;
    const std::vector<uint8_t> bytes = SentBytes(p);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{29, 0, 0, 0, 9, 0, 0, 0, //
                                           5, 0, 0, 0, 1, 3, 0, 0, 0x10}));

    const auto back = Decode<PartyRequestResponsePacket>(bytes);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->recipient, 5u);
    EXPECT_EQ(back->sender, 0x10000003u);
    EXPECT_TRUE(back->accepted);
    EXPECT_EQ(back->GetPacketDescription(false),
              "Recipient: 5\nAccepted:  true\nSender:    268435459\n");
}

TEST(StartTeleportPacket, CarriesThePlayerAndThreeFloats)
{
    StartTeleportPacket p;
    p.playerId = 0x20000001;
    p.x = 1.5f;
    p.y = -2.0f;
    p.z = 100.25f;
    const std::vector<uint8_t> bytes = SentBytes(p);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{46, 0, 0, 0,    16, 0,    0,    0,    //
                                           1,  0, 0, 0x20, 0,  0,    0xC0, 0x3F, //
                                           0,  0, 0, 0xC0, 0,  0x80, 0xC8, 0x42}));

    const auto back = Decode<StartTeleportPacket>(bytes);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->playerId, 0x20000001u);
    EXPECT_EQ(back->x, 1.5f);
    EXPECT_EQ(back->y, -2.0f);
    EXPECT_EQ(back->z, 100.25f);
    EXPECT_EQ(back->GetPacketDescription(true),
              "Packet type 46\nPlayer Id: 536870913\nx: 1.5\ny: -2\nz: 100.25\n");
}

TEST(StartTeleportPacket, FloatsTravelBitForBit)
{
    StartTeleportPacket p;
    p.x = -0.0f;
    p.y = std::nextafter(1.0f, 2.0f);
    p.z = std::numeric_limits<float>::infinity();
    const auto back = Decode<StartTeleportPacket>(SentBytes(p));
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(std::signbit(back->x));
    EXPECT_EQ(back->y, p.y);
    EXPECT_EQ(back->z, p.z);
}

TEST(NRLoaderStatePacket, CarriesThePlayerAndASignedState)
{
    NRLoaderStatePacket p;
    p.playerId = 7;
    p.state = -1;
    const std::vector<uint8_t> bytes = SentBytes(p);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{47, 0, 0, 0, 8, 0, 0, 0, //
                                           7, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));

    const auto back = Decode<NRLoaderStatePacket>(bytes);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->playerId, 7u);
    EXPECT_EQ(back->state, -1);
    EXPECT_EQ(back->GetPacketDescription(false), "Player Id: 7\nState: -1\n");
}

TEST(StartServerRespawnPacket, CarriesThePlayerAndThePositionsFourWords)
{
    StartServerRespawnPacket p;
    p.playerId = 3;
    p.location = WorldVec3(12, Vec3(1.0f, 0.0f, -0.5f));
    const std::vector<uint8_t> bytes = SentBytes(p);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{48, 0, 0,    0,    20, 0, 0, 0, //
                                           3,  0, 0,    0,    12, 0, 0, 0, //
                                           0,  0, 0x80, 0x3F, 0,  0, 0, 0, //
                                           0,  0, 0,    0xBF}));

    const auto back = Decode<StartServerRespawnPacket>(bytes);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->playerId, 3u);
    EXPECT_EQ(back->location, p.location);
    EXPECT_EQ(back->GetPacketDescription(false),
              "Player Id: 3\nLocation: region 12 (1, 0, -0.5)\n");
}

// Every shorter message, its size word made to agree, is refused rather than read past.
TEST(GameEnginePackets, EveryTruncationIsRefused)
{
    GAME::Test::LogCapture log;
    PartyRequestResponsePacket party;
    StartTeleportPacket teleport;
    NRLoaderStatePacket loader;
    StartServerRespawnPacket respawn;
    size_t refused = 0;
    for (NetPacket* packet : std::vector<NetPacket*>{&party, &teleport, &loader, &respawn}) {
        const std::vector<uint8_t> whole = SentBytes(*packet);
        ASSERT_GT(whole.size(), NetPacketHeader::kSize);
        for (size_t cut = NetPacketHeader::kSize; cut < whole.size(); ++cut) {
            SCOPED_TRACE(std::to_string(packet->GetType()) + " cut at " + std::to_string(cut));
            std::vector<uint8_t> part(whole.begin(), whole.begin() + cut);
            part[4] = static_cast<uint8_t>(cut - NetPacketHeader::kSize);
            EXPECT_EQ(ConnectionManager::DecodePacket(part), nullptr);
            ++refused;
        }
    }
    EXPECT_EQ(log.CountContaining("does not read back"), refused);
    EXPECT_EQ(log.GetLines().size(), refused);
}

TEST(GameEnginePackets, RegistryKnowsEachTypeNumber)
{
    EXPECT_NE(dynamic_cast<PartyRequestResponsePacket*>(ConnectionManager::CreatePacket(29).get()),
              nullptr);
    EXPECT_NE(dynamic_cast<StartTeleportPacket*>(ConnectionManager::CreatePacket(46).get()),
              nullptr);
    EXPECT_NE(dynamic_cast<NRLoaderStatePacket*>(ConnectionManager::CreatePacket(47).get()),
              nullptr);
    EXPECT_NE(dynamic_cast<StartServerRespawnPacket*>(ConnectionManager::CreatePacket(48).get()),
              nullptr);
}

} // namespace
} // namespace GAME
